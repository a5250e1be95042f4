// The later guidelines: which values name them, their names and rule sets.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "store/standards.h"
#include "text/encoding.h"

namespace zor {
namespace {

TEST(Standards, LaterValuesByTheFileTheyAreReadFrom) {
  constexpr auto C = GuidelineSource::kConstructionIndex;
  constexpr auto S = GuidelineSource::kServicesIndex;
  constexpr auto P = GuidelineSource::kPhotoFile;
  struct Case {
    const char* value;
    GuidelineSource source;
    std::optional<int> standard;
  } cases[] = {
      {"土木201010-01", C, 14},
      {"土木201009-01", C, std::nullopt},  // the construction value of 2010 is standard 7
      {"土木201009-01", S, 15},            // the services value of 2010 has no entry of its own
      {"土木201008-01", S, std::nullopt},
      {"土木202303-01", P, 14},
      {"土木203001-99", S, 15},
      {"農村振興土木200505-01", C, 16},
      {"農村振興土木200504-01", C, std::nullopt},
      {"農村振興土木202203-01", S, 17},
      {"農村振興土木202203-01", P, 16},
      // Not of the form.
      {"土木202303-01 ", C, std::nullopt},
      {" 土木202303-01", C, std::nullopt},
      {"土木２０２３03-01", C, std::nullopt},
      {"土木202313-01", C, std::nullopt},
      {"土木202300-01", C, std::nullopt},
      {"土木999999-01", S, std::nullopt},
      {"土木202303-1", C, std::nullopt},
      {"土木202303_01", C, std::nullopt},
      {"土木20230301", C, std::nullopt},
      {"", C, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(LaterStandardOf(Sj(c.value), c.source), c.standard) << c.value;
}

TEST(Standards, NamesFollowTheValueRead) {
  struct Case {
    int standard;
    const char* value;
    const char* name;
  } cases[] = {
      {14, "土木202303-01", "国交省 令和5年3月 工事完成図書の電子納品等要領"},
      {15, "土木202003-01", "国交省 令和2年3月 土木設計業務等の電子納品要領"},
      {15, "土木201903-01", "国交省 31年3月 土木設計業務等の電子納品要領"},
      {14, "土木201904-01", "国交省 31年4月 工事完成図書の電子納品等要領"},
      {14, "土木201905-01", "国交省 令和元年5月 工事完成図書の電子納品等要領"},
      {14, "土木201603-01", "国交省 28年3月 工事完成図書の電子納品等要領"},
      {16, "農村振興土木202203-01", "農水省 令和4年3月 工事完成図書の電子納品要領"},
      {17, "農村振興土木201503-01", "農水省 27年3月 設計業務等の電子納品要領"},
      // Nothing read: the general name.
      {14, "", "国交省 平成23年以降 工事完成図書の電子納品等要領"},
      {15, "", "国交省 平成22年以降 土木設計業務等の電子納品要領"},
      // The first standards keep their names whatever was read.
      {7, "土木201009-01", "国交省 22年9月 工事完成図書の電子納品等要領"},
      {9, "", "国交省 20年5月 土木設計業務等の電子納品要領(案)"},
      {18, "土木202303-01", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(StandardName(c.standard, Sj(c.value)), Sj(c.name)) << c.value;
}

TEST(Standards, LaterStandardsUseTheRulesOfTheLatestKnownOne) {
  for (int v = 0; v < kRuleSetCount; ++v) {
    EXPECT_EQ(RuleSetOf(v), v);
    EXPECT_FALSE(IsLaterStandard(v));
    EXPECT_TRUE(RuleSetNote(v).empty());
  }
  EXPECT_EQ(RuleSetOf(14), 7);
  EXPECT_EQ(RuleSetOf(15), 9);
  EXPECT_EQ(RuleSetOf(16), 12);
  EXPECT_EQ(RuleSetOf(17), 13);
  EXPECT_EQ(RuleSetNote(14), Sj("記入規則は 国交省 22年9月 工事完成図書の電子納品等要領 によります。"));
  EXPECT_EQ(RuleSetNote(17), Sj("記入規則は 農水省 17年4月 設計業務等の電子納品要領(案) によります。"));
}

TEST(Standards, YearOfAValueIsReadLeniently) {
  EXPECT_EQ(GuidelineYear(Sj("土木200206-01")), 2002);
  EXPECT_EQ(GuidelineYear(Sj("土木２０２３03-01")), 2023);
  EXPECT_EQ(GuidelineYear(Sj("農村振興土木201903-01 ")), 2019);
  EXPECT_EQ(GuidelineYear(Sj("工事202303-01")), std::nullopt);
  EXPECT_EQ(GuidelineYear(Sj("土木20-01")), std::nullopt);
  EXPECT_EQ(GuidelineYear(""), std::nullopt);
}

}  // namespace
}  // namespace zor
