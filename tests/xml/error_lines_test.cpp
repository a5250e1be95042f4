// The Japanese first line of the validating parser's report for the errors
// met most, above libxml2's own text and the usual place lines.
#include <gtest/gtest.h>

#include "xml/validating_parser.h"
#include "xml_test_support.h"

namespace zor {
namespace {

using testing::TempDir;

constexpr const char* kDecl = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n";
constexpr const char* kDtd =
    "<!ELEMENT 写真情報 (写真タイトル+)>\n<!ELEMENT 写真タイトル (#PCDATA)>\n"
    "<!ATTLIST 写真情報 DTD_version CDATA #REQUIRED>\n";

struct Case {
  const char* name;
  std::string body;  // after the declaration; Shift_JIS unless raw
  const char* firstLine;
  const char* english;  // a piece of libxml2's text on the second line
  bool raw = false;     // body bytes are written as they are
};

std::vector<Case> Cases() {
  const std::string doctype = "<!DOCTYPE 写真情報 SYSTEM \"P.DTD\">\n";
  return {
      {"content model", doctype + "<写真情報 DTD_version=\"05\">\n</写真情報>\n",
       "要素の内容がDTDの定義と一致しません。", "content does not follow the DTD"},
      {"undeclared element",
       doctype + "<写真情報 DTD_version=\"05\">\n<写真タイトル>t</写真タイトル><不明/>\n</写真情報>\n",
       "DTDで宣言されていない要素です。", "No declaration for element"},
      {"required attribute", doctype + "<写真情報>\n<写真タイトル>t</写真タイトル>\n</写真情報>\n",
       "必須の属性がありません。", "does not carry attribute"},
      {"undefined entity",
       doctype + "<写真情報 DTD_version=\"05\">\n<写真タイトル>&無い;</写真タイトル>\n</写真情報>\n",
       "定義されていない実体参照です。", "not defined"},
      // libxml2's text names the bytes it could not read.
      {"encoding", "<a>\n\x82\x20</a>\n", "文字コードが不正です。", "0x82 0x20", true},
      {"premature end", doctype + "<写真情報 DTD_version=\"05\">\n<写真タイトル>t</写真タイトル>\n",
       "ファイルが途中で終わっています。", "Premature end"},
      {"mismatched tag", "<a>\n<b>x</c>\n</a>\n", "開始タグと終了タグが一致しません。", "tag mismatch"},
      {"DTD not found", "<!DOCTYPE 写真情報 SYSTEM \"NONE.DTD\">\n<写真情報/>\n", "DTDファイルが見つかりません。",
       "NONE.DTD"},
  };
}

std::string Report(const Case& c) {
  TempDir dir;
  dir.Write("P.DTD", Sj(kDtd));
  std::string file = dir.Write("PHOTO.XML", kDecl + (c.raw ? c.body : Sj(c.body)));
  TXMLTreeView view;
  view.Parse = true;
  EXPECT_FALSE(RunValidatingParser(view, file)) << c.name;
  return Cp932ToUtf8(view.ErrorText);
}

TEST(ValidationReport, FrequentErrorsStartWithAJapaneseLineThenLibxmlsText) {
  for (const Case& c : Cases()) {
    const std::string text = Report(c);
    const std::size_t first = text.find("\r\n");
    ASSERT_NE(first, std::string::npos) << c.name << ": " << text;
    EXPECT_EQ(text.substr(0, first), c.firstLine) << c.name << ": " << text;
    const std::size_t second = text.find("\r\n\r\n", first + 2);
    ASSERT_NE(second, std::string::npos) << c.name << ": " << text;
    const std::string english = text.substr(first + 2, second - first - 2);
    EXPECT_FALSE(english.empty()) << c.name;
    EXPECT_NE(english.find(c.english), std::string::npos) << c.name << ": " << text;
    // The place lines stay as they were.
    EXPECT_NE(text.find("\r\n\r\n内容 > \"", second), std::string::npos) << c.name << ": " << text;
    EXPECT_NE(text.find("\"\r\n\r\n行 > "), std::string::npos) << c.name << ": " << text;
    EXPECT_NE(text.find("  位置 > "), std::string::npos) << c.name << ": " << text;
  }
}

TEST(ValidationReport, OtherErrorsKeepLibxmlsTextAsTheFirstLine) {
  // An attribute given twice has no line of its own.
  TempDir dir;
  std::string file = dir.Write("A.XML", "<?xml version=\"1.0\"?>\n<a b=\"1\" b=\"2\"/>\n");
  TXMLTreeView view;
  EXPECT_FALSE(RunValidatingParser(view, file));
  const std::string text = Cp932ToUtf8(view.ErrorText);
  EXPECT_EQ(text.find("Attribute b redefined"), 0u) << text;
  EXPECT_NE(text.find("\r\n\r\n内容 > \"<a b=\"1\" b=\"2\"/>\"\r\n\r\n行 > 2  位置 > "), std::string::npos) << text;
}

}  // namespace
}  // namespace zor
