#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "xml/byte_stream.h"
#include "xml/own_tokenizer.h"
#include "xml_test_support.h"

namespace zor {
namespace {

using testing::N;
using testing::Summary;

struct Result {
  bool ok;
  TXMLTreeView view;
};

Result Tokenize(const std::string& bytes, bool gamenPrint = false) {
  Result r{false, {}};
  r.view.GamenPrint = gamenPrint;
  ByteStream in(bytes);
  r.ok = RunOwnTokenizer(r.view, in);
  return r;
}

std::string Nested(int levels) {
  std::string s;
  for (int i = 0; i < levels; ++i) s += "<e" + std::to_string(i) + ">\n";
  s += "v";
  for (int i = levels - 1; i >= 0; --i) s += "</e" + std::to_string(i) + ">\n";
  return s;
}

std::string Report(const char* line, long lineNo, long column) {
  return Sj("XMLファイルのフォーマットが不正です。\r\n\r\n内容 > ") + "\"" + Sj(line) + "\"\r\n\r\n" + Sj("行 > ") +
         std::to_string(lineNo) + Sj("  位置 > ") + std::to_string(column);
}

struct LoadCase {
  const char* name;
  std::string input;  // UTF-8, converted to code page 932
  std::vector<N> nodes;
};

TEST(OwnTokenizer, BuildsTheTreeAsTheTagsBalance) {
  const LoadCase cases[] = {
      {"empty file", "", {}},
      {"one byte", "<", {}},
      {"value, empty value, no value", "<A><B>x</B><C/></A>", {{0, "A", ""}, {1, "B", "x"}, {1, "C", std::nullopt}}},
      {"text before a child belongs to the child", "<A>x<B>y</B></A>", {{0, "A", ""}, {1, "B", "xy"}}},
      {"lines of a value are joined", "<A>abc\ndef</A>", {{0, "A", "abcdef"}}},
      {"tabs and carriage returns vanish", "<A>\tab\r\ncd\t</A>\r\n", {{0, "A", "abcd"}}},
      {"end tag names are not compared", "<A><B>x</C></A>", {{0, "A", ""}, {1, "B", "x"}}},
      {"DOCTYPE with internal subset is one tag",
       "<!DOCTYPE A [\n<!ELEMENT A (#PCDATA)>\n<!ENTITY e \"<v>\">\n]>\n<A>x</A>",
       {{0, "A", "x"}}},
      {"declaration, comment and processing instruction are skipped",
       "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<!-- 写真 --><A><?pi x?>v</A>",
       {{0, "A", "v"}}},
      {"blank and full-width space trimmed", "<写真-大分類> 工事　</写真-大分類>", {{0, "写真-大分類", "工事"}}},
      {"attributes stay in Text",
       "<photodata DTD_version=\"04\">\n<B a='1' />\n</photodata>",
       {{0, "photodata DTD_version=\"04\"", ""}, {1, "B a='1'", std::nullopt}}},
      {"named entities decoded, numeric references kept", "<A>&amp;lt;&#65;&quot;</A>", {{0, "A", "<&#65;\""}}},
      {"a later text replaces nothing but its own element", "<A>x</A><B/>", {{0, "A", "x"}, {0, "B", std::nullopt}}},
      {"brackets inside a tag balance", "<A<b>>v</A>", {{0, "Ab", "v"}}},
      {"empty-element slash followed by a tab", "<A><C/\t></A>", {{0, "A", ""}, {1, "C", std::nullopt}}},
      {"file ending inside a tag drops the tag", "<A></A><B", {{0, "A", ""}}},
      {"the last byte outside a tag is not read", "<A></A>x", {{0, "A", ""}}},
      {"trail bytes 0x5C and 0x7C are characters", "<A>ソ表\\ポ|</A>", {{0, "A", "ソ表\\ポ|"}}},
      {"a NUL byte ends the value", std::string("<A>ab\0cd</A>", 12), {{0, "A", "ab"}}},
  };
  for (const LoadCase& c : cases) {
    SCOPED_TRACE(c.name);
    Result r = Tokenize(Sj(c.input));
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(Summary(r.view), c.nodes);
    EXPECT_EQ(r.view.ErrorText, "");
  }
}

TEST(OwnTokenizer, LeadByteAlwaysTakesTheNextByte) {
  // 0x81 0x3C is no character of code page 932, yet the '<' after the lead
  // byte is never markup; the pair stays in the value byte for byte.
  Result r = Tokenize("<A>\x81<B</A>");
  ASSERT_TRUE(r.ok);
  ASSERT_EQ(r.view.NodeCount(), 1);
  EXPECT_EQ(NodeValue(r.view.NodeAt(0)), "\x81<B");

  // A lead byte as the very last byte of a tag reads nothing beyond the end.
  Result end = Tokenize("<A/><\x82");
  EXPECT_TRUE(end.ok);
  EXPECT_EQ(end.view.NodeCount(), 1);
}

TEST(OwnTokenizer, NodesAreNumberedInDocumentOrderWithParentsAndChildren) {
  Result r = Tokenize("<A><B><C/></B><D>d</D></A><E/>");
  ASSERT_TRUE(r.ok);
  ASSERT_EQ(r.view.NodeCount(), 5);
  const char* names[] = {"A", "B", "C", "D", "E"};
  int parents[] = {-1, 0, 1, 0, -1};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(r.view.NodeAt(i).Text, names[i]);
    EXPECT_EQ(r.view.NodeAt(i).Parent, parents[i]);
  }
  EXPECT_EQ(r.view.NodeAt(0).Children, (std::vector<int>{1, 3}));
  EXPECT_EQ(r.view.NodeAt(1).Children, (std::vector<int>{2}));
}

TEST(OwnTokenizer, ThirtyLevelsLoadAndAThirtyFirstFails) {
  Result thirty = Tokenize(Nested(30));
  ASSERT_TRUE(thirty.ok);
  EXPECT_EQ(thirty.view.NodeAt(29).Level, 29);
  EXPECT_EQ(NodeValue(thirty.view.NodeAt(29)), "v");

  Result deep = Tokenize(Nested(31));
  EXPECT_FALSE(deep.ok);
  EXPECT_EQ(deep.view.NodeCount(), 30);  // what was built before the failure
  // The report names the innermost open element: the 30th start tag.
  EXPECT_EQ(deep.view.ErrorText, Report("<e29>", 30, 5));

  // An empty element inside the 30th level is a 31st level too.
  std::string emptyInside = Nested(30);
  emptyInside.insert(emptyInside.find('v'), "<x/>");
  Result empty = Tokenize(emptyInside);
  EXPECT_FALSE(empty.ok);
  EXPECT_EQ(empty.view.NodeCount(), 30);
  EXPECT_EQ(empty.view.ErrorText, Report("<e29>", 30, 5));
}

TEST(OwnTokenizer, UnclosedElementReportsTheLineOfItsStartTag) {
  Result r = Tokenize("<A>\n<B>x</B>\n");
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.view.ErrorText, Report("<A>", 1, 3));
  EXPECT_EQ(Summary(r.view), (std::vector<N>{{0, "A", std::nullopt}, {1, "B", "x"}}));
}

TEST(OwnTokenizer, ReportQuotesTheTrimmedLineAndCountsDoubleByteCharactersOnce) {
  // Columns: two blanks, "<", four characters, the attribute and ">" = 15;
  // the carriage return of line 1 is a byte read on line 1.
  Result r = Tokenize(Sj("<a>\r\n  <写真情報 id=\"1\">\r\n    <b>v</b>\r\n</a>"));
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.view.ErrorText, Report("<写真情報 id=\"1\">", 2, 15));
}

TEST(OwnTokenizer, ReportPrefersAnElementWhoseEndTagDidNotMatch) {
  // </c> closes b without matching it, so b's record stays and is the
  // deepest one when the file ends with r still open.
  Result r = Tokenize("<r>\n<a>\n<b>x</c>\n</a>\n");
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.view.ErrorText, Report("<b>x</c>", 3, 3));
}

TEST(OwnTokenizer, EndTagMatchesItsStartTagAsWrittenBlanksIncluded) {
  // An end tag empties the record of the element it closes only when its
  // name equals the start tag's text as read; the unclosed r is reported
  // then, else the b whose record stayed.
  struct Case {
    const char* input;
    std::string report;
  };
  const Case cases[] = {
      {"<r>\n<b >x</b >\n", Report("<r>", 1, 3)},
      {"<r>\n<B>x</b>\n", Report("<r>", 1, 3)},
      {"<r>\n<b>x</b >\n", Report("<b>x</b >", 2, 3)},
      {"<r>\n<b >x</b>\n", Report("<b >x</b>", 2, 4)},
  };
  for (const Case& c : cases) {
    Result r = Tokenize(c.input);
    EXPECT_FALSE(r.ok) << c.input;
    EXPECT_EQ(r.view.ErrorText, c.report) << c.input;
  }
}

TEST(OwnTokenizer, ReportQuotesAtMost1024BytesOfAHugeLine) {
  std::string line = "<A>" + std::string(5000, 'x');
  Result r = Tokenize(line);
  EXPECT_FALSE(r.ok);
  std::string quoted = "\"" + line.substr(0, 1024) + "\"";
  EXPECT_NE(r.view.ErrorText.find(quoted), std::string::npos);
  EXPECT_LT(r.view.ErrorText.size(), 1200u);
}

TEST(OwnTokenizer, ReportQuotesALineIndentedBeyondTheQuotedLength) {
  // The line is trimmed before it is cut: thousands of leading blanks and
  // full-width spaces do not hide the tag behind them.
  std::string indent = std::string(3000, ' ') + Sj("　");
  Result r = Tokenize(indent + "<A>x");
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.view.ErrorText, Report("<A>x", 1, 3004));
}

TEST(OwnTokenizer, EndTagWithNothingOpenFailsWithoutReport) {
  for (const char* input : {"</A>", "<A></A></B>\n"}) {
    Result r = Tokenize(input);
    EXPECT_FALSE(r.ok) << input;
    EXPECT_EQ(r.view.ErrorText, "") << input;
  }
}

TEST(OwnTokenizer, DisplayModeAppendsTheValueToThePaddedName) {
  Result r = Tokenize("<A><B>x</B><C/></A>", true);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(Summary(r.view), (std::vector<N>{{0, "A" + std::string(25, ' '), std::nullopt},
                                             {1, "B" + std::string(25, ' ') + "x", std::nullopt},
                                             {1, "C", std::nullopt}}));
}

}  // namespace
}  // namespace zor

namespace zor {
namespace {

// The count that sizes the tree before the tokenizer runs: start tags only,
// also where a "<" ends one buffer of a file and its next byte begins the
// next, and the stream is back at its first byte afterwards.
TEST(ByteStreamCount, CountsStartTagsAndRewinds) {
  const std::string small = "<?xml?><!-- c --><a><b/>x</b></a>";
  ByteStream memory(small);
  EXPECT_EQ(memory.CountStartTags(), 2u);
  EXPECT_EQ(memory.Next(), '<');

  std::string large(65535, ' ');
  large += "<a>";  // its "<" is the last byte of the first 64 KB
  large += std::string(70000, ' ') + "</a><b></b>";
  const std::string path = ::testing::TempDir() + "count_start_tags.xml";
  {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(large.data(), 1, large.size(), f);
    std::fclose(f);
  }
  std::optional<ByteStream> file = ByteStream::Open(path);
  ASSERT_TRUE(file);
  EXPECT_EQ(file->CountStartTags(), 2u);
  EXPECT_EQ(file->Next(), ' ');
  std::remove(path.c_str());
}

}  // namespace
}  // namespace zor
