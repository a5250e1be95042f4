#include <gtest/gtest.h>

#include <chrono>

#include "xml/validating_parser.h"
#include "xml_test_support.h"

namespace zor {
namespace {

using testing::N;
using testing::Summary;
using testing::TempDir;

constexpr const char* kSjisDecl = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n";

struct Result {
  bool ok;
  TXMLTreeView view;
};

Result Parse(const std::string& file, bool validate = true, bool gamenPrint = false, const std::string& system = "") {
  Result r{false, {}};
  r.view.Parse = validate;
  r.view.GamenPrint = gamenPrint;
  r.view.SystemFileFolder = system;
  r.ok = RunValidatingParser(r.view, file);
  return r;
}

std::string Nested(int levels) {
  std::string s = "<?xml version=\"1.0\"?>\n";
  for (int i = 0; i < levels; ++i) s += "<e" + std::to_string(i) + ">";
  for (int i = levels - 1; i >= 0; --i) s += "</e" + std::to_string(i) + ">";
  return s;
}

const char* kPhotoDtd = "<!ELEMENT 写真情報 (写真タイトル+)>\n<!ELEMENT 写真タイトル (#PCDATA)>\n";

TEST(ValidatingParser, ShiftJisDocumentIsDecodedAsCodePage932) {
  TempDir dir;
  // ① and ㈱ exist only in code page 932; 0x8160 and the backslash differ
  // between it and plain Shift_JIS. Every byte must come back unchanged.
  std::string value = Sj("①㈱～ソ表\\");
  std::string file = dir.Write("A.XML", std::string(kSjisDecl) + "<a>" + value + "</a>");
  Result r = Parse(file);
  ASSERT_TRUE(r.ok) << Cp932ToUtf8(r.view.ErrorText);
  ASSERT_EQ(r.view.NodeCount(), 1);
  EXPECT_EQ(NodeValue(r.view.NodeAt(0)), value);
}

TEST(ValidatingParser, Utf8DocumentEndsAsCodePage932) {
  TempDir dir;
  std::string file = dir.Write("A.XML", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><写真情報>工事①</写真情報>");
  Result r = Parse(file);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.view.NodeAt(0).Text, Sj("写真情報"));
  EXPECT_EQ(NodeValue(r.view.NodeAt(0)), Sj("工事①"));
}

TEST(ValidatingParser, ShiftJisDtdWithoutTextDeclarationValidates) {
  TempDir dir;
  dir.Write("P.DTD", Sj(kPhotoDtd));
  std::string good = dir.Write(
      "GOOD.XML", Sj(std::string(kSjisDecl) +
                     "<!DOCTYPE 写真情報 SYSTEM \"P.DTD\">\n<写真情報><写真タイトル>t</写真タイトル></写真情報>"));
  Result r = Parse(good);
  EXPECT_TRUE(r.ok) << Cp932ToUtf8(r.view.ErrorText);
  EXPECT_EQ(Summary(r.view), (std::vector<N>{{0, "写真情報", std::nullopt}, {1, "写真タイトル", "t"}}));
}

// Software writing UTF-8 management files names the ministry's DTDs, which
// are Shift_JIS without a text declaration.
TEST(ValidatingParser, Utf8DocumentValidatesAgainstShiftJisDtd) {
  TempDir dir;
  dir.Write("P.DTD", Sj(kPhotoDtd));
  std::string file = dir.Write("U.XML",
                               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE 写真情報 SYSTEM \"P.DTD\">\n"
                               "<写真情報><写真タイトル>全景</写真タイトル></写真情報>");
  Result r = Parse(file);
  EXPECT_TRUE(r.ok) << Cp932ToUtf8(r.view.ErrorText);
  EXPECT_EQ(Summary(r.view), (std::vector<N>{{0, "写真情報", std::nullopt}, {1, "写真タイトル", "全景"}}));

  // A UTF-8 DTD still reads as UTF-8.
  dir.Write("P.DTD", kPhotoDtd);
  EXPECT_TRUE(Parse(file).ok);
}

TEST(ValidatingParser, InvalidDocumentFailsWithReasonLineAndPosition) {
  TempDir dir;
  dir.Write("P.DTD", Sj(kPhotoDtd));
  std::string file = dir.Write(
      "BAD.XML",
      Sj(std::string(kSjisDecl) + "<!DOCTYPE 写真情報 SYSTEM \"P.DTD\">\n<写真情報>\n  <不明>x</不明>\n</写真情報>\n"));
  Result r = Parse(file);
  EXPECT_FALSE(r.ok);
  // reason, CR LF CR LF, 内容 > "line", CR LF CR LF, 行 > n  位置 > m
  std::string text = Cp932ToUtf8(r.view.ErrorText);
  EXPECT_NE(text.find("不明"), std::string::npos) << text;
  EXPECT_NE(text.find("\r\n\r\n内容 > \"<不明>x</不明>\"\r\n\r\n行 > 4  位置 > "), std::string::npos) << text;
  EXPECT_EQ(r.view.ErrorLine, 4);

  // Without validation the same file is well-formed and loads.
  Result loose = Parse(file, false);
  EXPECT_TRUE(loose.ok);
  EXPECT_EQ(loose.view.NodeCount(), 2);
}

TEST(ValidatingParser, NotWellFormedFailsEvenWithoutValidation) {
  TempDir dir;
  std::string file = dir.Write("A.XML", "<a>\n<b>x</c>\n</a>");
  Result r = Parse(file, false);
  EXPECT_FALSE(r.ok);
  std::string text = Cp932ToUtf8(r.view.ErrorText);
  EXPECT_NE(text.find("内容 > \"<b>x</c>\"\r\n\r\n行 > 2  位置 > "), std::string::npos) << text;
}

TEST(ValidatingParser, DtdIsLookedUpBesideTheFileThenInTheSystemFolder) {
  TempDir doc;
  TempDir system;
  std::string xml = Sj(std::string(kSjisDecl) +
                       "<!DOCTYPE 写真情報 SYSTEM \"p.dtd\">\n<写真情報><写真タイトル>t</写真タイトル></写真情報>");
  std::string file = doc.Write("PHOTO.XML", xml);

  Result missing = Parse(file, true, false, system.path());
  EXPECT_FALSE(missing.ok);
  std::string text = Cp932ToUtf8(missing.view.ErrorText);
  EXPECT_NE(text.find("p.dtd"), std::string::npos) << text;
  EXPECT_NE(text.find("行 > 2"), std::string::npos) << text;

  // Found in the system folder, whatever the case of its name.
  system.Write("P.DTD", Sj(kPhotoDtd));
  EXPECT_TRUE(Parse(file, true, false, system.path()).ok);

  // Beside the file comes first: a DTD there that rejects the document wins.
  doc.Write("P.DTD", "<!ELEMENT other EMPTY>\n");
  EXPECT_FALSE(Parse(file, true, false, system.path()).ok);
}

TEST(ValidatingParser, SystemIdentifiersNeverReachTheNetwork) {
  TempDir dir;
  dir.Write("P.DTD", Sj(kPhotoDtd));
  for (const char* id : {"http://192.0.2.1/dtd/P.DTD", "..\\DTD\\P.DTD", "file:///nowhere/P.DTD"}) {
    std::string file = dir.Write("A.XML", Sj(std::string(kSjisDecl) + "<!DOCTYPE 写真情報 SYSTEM \"" + id +
                                             "\">\n<写真情報><写真タイトル>t</写真タイトル></写真情報>"));
    auto start = std::chrono::steady_clock::now();
    Result r = Parse(file);
    EXPECT_TRUE(r.ok) << id << ": " << Cp932ToUtf8(r.view.ErrorText);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << id;
  }
}

// A document's own external entities are never read, validating or not:
// they read as empty text, and the validating load says which.
TEST(ValidatingParser, ExternalEntitiesAreNeverLoaded) {
  TempDir dir;
  dir.Write("E.TXT", "entity text");
  std::string file = dir.Write("A.XML",
                               "<?xml version=\"1.0\"?>\n<!DOCTYPE a [<!ELEMENT a (#PCDATA)>"
                               "<!ENTITY e SYSTEM \"E.TXT\">]>\n<a>&e;</a>");
  Result full = Parse(file, true);
  ASSERT_TRUE(full.ok) << Cp932ToUtf8(full.view.ErrorText);
  EXPECT_EQ(NodeValue(full.view.NodeAt(0)), "");
  ASSERT_EQ(full.view.Notices.size(), 1u);
  EXPECT_NE(full.view.Notices[0].find("E.TXT"), std::string::npos);

  Result loose = Parse(file, false);
  ASSERT_TRUE(loose.ok) << Cp932ToUtf8(loose.view.ErrorText);
  EXPECT_EQ(loose.view.NodeAt(0).Value, std::nullopt);
}

TEST(ValidatingParser, EntityExpansionIsBounded) {
  std::string doc = "<?xml version=\"1.0\"?>\n<!DOCTYPE a [\n<!ENTITY l0 \"haha\">\n";
  for (int i = 1; i <= 10; ++i) {
    doc += "<!ENTITY l" + std::to_string(i) + " \"";
    for (int k = 0; k < 10; ++k) doc += "&l" + std::to_string(i - 1) + ";";
    doc += "\">\n";
  }
  doc += "]>\n<a>&l10;</a>\n";
  TempDir dir;
  std::string file = dir.Write("LOL.XML", doc);
  for (bool validate : {true, false}) {
    Result r = Parse(file, validate);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.view.ErrorText.empty());
  }
}

TEST(ValidatingParser, ThirtyLevelsLoadAndAThirtyFirstFailsWithEmptyText) {
  TempDir dir;
  Result thirty = Parse(dir.Write("A.XML", Nested(30)));
  EXPECT_TRUE(thirty.ok);
  EXPECT_EQ(thirty.view.NodeCount(), 30);

  Result deep = Parse(dir.Write("B.XML", Nested(31)));
  EXPECT_FALSE(deep.ok);
  EXPECT_EQ(deep.view.ErrorText, "");
  EXPECT_EQ(deep.view.NodeCount(), 30);
}

TEST(ValidatingParser, TextNodesAsAWhiteSpaceDroppingDomSeesThem) {
  TempDir dir;
  std::string file = dir.Write("A.XML",
                               "<?xml version=\"1.0\"?>\n<r>\n"
                               "  <one>\nx\n</one>\n"              // one line end each side removed
                               "  <two>\n\nx\n\n</two>\n"          // only one of each
                               "  <three> x </three>\n"            // blanks kept, no trimming
                               "  <four>a<b/>c<!--k-->d</four>\n"  // the last text wins
                               "  <five><![CDATA[c]]></five>\n"
                               "  <six>   </six>\n"  // white space only: no value
                               "  <seven>&lt;&#x41;</seven>\n"
                               "</r>\n");
  Result r = Parse(file, false);
  ASSERT_TRUE(r.ok) << Cp932ToUtf8(r.view.ErrorText);
  EXPECT_EQ(Summary(r.view), (std::vector<N>{{0, "r", std::nullopt},
                                             {1, "one", "x"},
                                             {1, "two", "\nx\n"},
                                             {1, "three", " x "},
                                             {1, "four", "d"},
                                             {2, "b", std::nullopt},
                                             {1, "five", std::nullopt},
                                             {1, "six", std::nullopt},
                                             {1, "seven", "<A"}}));
}

TEST(ValidatingParser, DisplayModeAppendsAttributesAndText) {
  TempDir dir;
  std::string file = dir.Write("A.XML", "<?xml version=\"1.0\"?><a k=\"v\" j='w'>x<b/></a>");
  Result r = Parse(file, false, true);
  ASSERT_TRUE(r.ok);
  std::string head = "a k=\"v\" j=\"w\"";
  EXPECT_EQ(Summary(r.view), (std::vector<N>{{0, head + std::string(26 - head.size(), ' ') + "x", std::nullopt},
                                             {1, "b", std::nullopt}}));
}

TEST(ValidatingParser, DocumentWithoutDoctypeIsNotInvalid) {
  TempDir dir;
  Result r = Parse(dir.Write("A.XML", "<?xml version=\"1.0\"?><a>x</a>"));
  EXPECT_TRUE(r.ok) << Cp932ToUtf8(r.view.ErrorText);
}

TEST(ValidatingParser, MissingFileFailsWithEmptyText) {
  TempDir dir;
  Result r = Parse(dir.path() + "NONE.XML");
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.view.ErrorText, "");
}

}  // namespace
}  // namespace zor
