#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "output/html_text.h"
#include "text/encoding.h"

namespace zor {
namespace {

TEST(HtmlEscapeTest, EntitiesAndSpaceRuns) {
  const struct {
    std::string in, out;
  } cases[] = {
      {"A  B<C", "A&nbsp;&nbsp;B&lt;C"},
      {"a b", "a b"},
      {"&lt;", "&amp;lt;"},  // text put in is not scanned again
      {"\"x\" > y & z", "&quot;x&quot; &gt; y &amp; z"},
      {"   ", "&nbsp;&nbsp;&nbsp;"},
      {" a ", " a "},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(HtmlEscape(c.in), c.out) << c.in;
  // Double-byte characters pass untouched, also those whose second byte is '\\' or '|'.
  const std::string japanese = Sj("表示　ソ");
  EXPECT_EQ(HtmlEscape(japanese), japanese);
}

TEST(SplitLinesTest, BlankLinesDisappear) {
  const struct {
    std::string in;
    std::vector<std::string> out;
  } cases[] = {
      {"", {""}},                    // no CR: one line, even empty
      {"one\ntwo", {"one\ntwo"}},    // no CR: LF stays inside the one line
      {"a\r\n\r\nb", {"a", "b"}},    // a blank line between two lines
      {"a\r\nb\r\n", {"a", "b"}},    // the blank end does not count
      {" a \r\n b", {" a ", " b"}},  // lines keep their spaces
      {"\r\n  \r\nx\r\n", {"  x"}},  // a blank line is continued by the next
      {"\r\n", {}},                  // nothing but blank
      {"a\rb\rc", {"a", "b", "c"}},  // CR alone ends a line
      {"\t\r\nz", {"\tz"}},          // control characters are blank
  };
  for (const auto& c : cases) EXPECT_EQ(SplitLines(c.in), c.out) << c.in;
  // A full-width space is blank too.
  EXPECT_EQ(SplitLines(Sj("　\r\n工事")), (std::vector<std::string>{Sj("　工事")}));
}

TEST(AlbumDateTest, OnlyTenCharactersTakeTheDateForm) {
  EXPECT_EQ(Cp932ToUtf8(AlbumDate("2004-05-31")), "2004 年 05 月 31 日");
  EXPECT_EQ(AlbumDate("2004/5/31"), "2004/5/31");
  EXPECT_EQ(AlbumDate(""), "");
  EXPECT_EQ(AlbumDate("2004-05-311"), "2004-05-311");
  // Characters, not bytes: ten double-byte digits are cut between characters.
  EXPECT_EQ(Cp932ToUtf8(AlbumDate(Sj("２００４－０５－３１"))), "２００４ 年 ０５ 月 ３１ 日");
}

}  // namespace
}  // namespace zor
