#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "text/codelists.h"
#include "text/encoding.h"
#include "text/lenient.h"
#include "text/sjis.h"

namespace zor {
namespace {

TEST(LeadByte, Ranges) {
  EXPECT_FALSE(IsLeadByte(0x80));
  EXPECT_TRUE(IsLeadByte(0x81));
  EXPECT_TRUE(IsLeadByte(0x9F));
  EXPECT_FALSE(IsLeadByte(0xA0));  // half-width katakana are single bytes
  EXPECT_FALSE(IsLeadByte(0xDF));
  EXPECT_TRUE(IsLeadByte(0xE0));
  EXPECT_TRUE(IsLeadByte(0xFC));
  EXPECT_FALSE(IsLeadByte(0xFD));
}

TEST(TrimWide, Cases) {
  const std::string kKoji = Sj("工事");
  struct Case {
    std::string in, out;
  } cases[] = {
      {"", ""},
      {" \t\r\n", ""},
      {" " + kKoji + Sj("　"), kKoji},                        // blank before, full-width space after
      {Sj("　 　") + kKoji + "\x01 " + Sj("　\t"), kKoji},    // repeated, mixed
      {Sj("　"), ""},
      {"a b", "a b"},                                          // inner blanks stay
      // 0x8140 is a full-width space only at a character boundary: here 0x81
      // is the trail byte of 0x8181 (＝) followed by "@"... never split a pair.
      {"\x81\x81\x40", "\x81\x81\x40"},
      // "ソ" (0x83 0x5C) ends in the backslash byte, and "\x88\x20" has a
      // trail byte equal to the blank: neither may lose its second byte.
      {"\x83\x5C", "\x83\x5C"},
      {"x\x88\x20", "x\x88\x20"},
  };
  for (const Case& c : cases) EXPECT_EQ(TrimWide(c.in), c.out) << c.in;
}

TEST(CutToBytes, NeverSplitsACharacter) {
  const std::string s = "ab" + Sj("工事");  // 6 bytes: a b 工(2) 事(2)
  struct Case {
    std::size_t n;
    std::string out;
  } cases[] = {{0, ""}, {1, "a"}, {2, "ab"}, {3, "ab"}, {4, "ab" + Sj("工")}, {5, "ab" + Sj("工")}, {6, s}, {99, s}};
  for (const Case& c : cases) EXPECT_EQ(CutToBytes(s, c.n), c.out) << c.n;
  // A lone lead byte at the end counts as one byte.
  EXPECT_EQ(CutToBytes("a\x88", 2), "a\x88");
}

TEST(IgnoringCase, SingleByteLettersOnly) {
  EXPECT_TRUE(SameTextIgnoringCase("photo.xml", "PHOTO.XML"));
  EXPECT_FALSE(SameTextIgnoringCase(Sj("ａ"), Sj("Ａ")));  // full-width letters are distinct
  // The trail byte 0x61 ("a") of a double-byte character is not a letter.
  EXPECT_FALSE(SameTextIgnoringCase("\x88\x61", "\x88\x41"));
  EXPECT_EQ(FindIgnoringCase("C:\\PRG\\ZorView.exe \"x\"", ".EXE"), 14u);
  EXPECT_EQ(FindIgnoringCase("\x83\x2E\x45XE", ".EXE"), std::string::npos);
}

TEST(LenientInteger, Cases) {
  struct Case {
    const char* in;
    std::int32_t out;
  } cases[] = {
      {"", 0},          {"abc", 0},          {"12", 12},   {"  12", 12},   {"-7", -7},
      {"+5", 5},        {"12abc", 12},       {"2005-04", 2005}, {"-", 0},  {" - 3", 0},
      {"2147483647", INT32_MAX},  {"2147483648", INT32_MAX},  {"99999999999999999999", INT32_MAX},
      {"-2147483648", INT32_MIN}, {"-99999999999999999999", INT32_MIN},
  };
  for (const Case& c : cases) EXPECT_EQ(LenientInteger(c.in), c.out) << c.in;
}

TEST(Encoding, RoundTripAndWindowsCharacters) {
  // NEC and IBM rows, which plain Shift_JIS lacks: ① ㈱ and 髙.
  for (const char* u : {"工事写真", "①㈱", "髙", "ｱｲｳ", "~\\"}) {
    std::size_t bad = 0;
    std::string sj = Utf8ToCp932(u, &bad);
    EXPECT_EQ(bad, 0u) << u;
    EXPECT_EQ(Cp932ToUtf8(sj, &bad), u);
    EXPECT_EQ(bad, 0u) << u;
  }
  EXPECT_EQ(Sj("工"), "\x8D\x48");
}

TEST(Encoding, InvalidBytesAreReplacedNotDropped) {
  std::size_t bad = 0;
  // 0x85 0x40 is an undefined pair; a lead byte at the end is truncated.
  std::string u = Cp932ToUtf8("a\x85\x40z\x88", &bad);
  EXPECT_GE(bad, 2u);
  EXPECT_EQ(u.substr(0, 1), "a");
  EXPECT_NE(u.find("\xEF\xBF\xBD"), std::string::npos);
  EXPECT_NE(u.find('z'), std::string::npos);

  bad = 0;
  EXPECT_EQ(Utf8ToCp932("a\xFF" "b", &bad), "a?b");
  EXPECT_EQ(bad, 1u);
  bad = 0;
  EXPECT_EQ(Utf8ToCp932("x\xF0\x9F\x98\x80y", &bad), "x?y");  // emoji: one mark for the whole character
  EXPECT_EQ(bad, 1u);
}

TEST(CodeLists, JoinedWithNakaguro) {
  EXPECT_EQ(PhotoMajorClassesCurrent().entries.size(), 7u);
  EXPECT_EQ(Cp932ToUtf8(PhotoMajorClassesCurrent().joined), "工事・測量・調査・地質・広報・設計・その他");
  EXPECT_EQ(Cp932ToUtf8(PhotoMajorClassesEarlier().joined), "工事・調査・測量・設計・その他");
  EXPECT_EQ(PhotoCategories().entries.size(), 9u);
  EXPECT_EQ(Cp932ToUtf8(PhotoCategories().entries.front()), "着手前及び完成写真");
}

}  // namespace
}  // namespace zor
