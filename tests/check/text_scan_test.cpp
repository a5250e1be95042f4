// The character scan of management files: small documents in each encoding,
// attributes, character references, lines, photo ordinals, what is skipped,
// the bounds, the file opener, and the real deliveries.
#include "check/text_scan.h"

#include <gtest/gtest.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "text/encoding.h"

namespace zor {
namespace {

namespace fs = std::filesystem;

const std::string kShown = "PHOTO/PHOTO.XML";

enum class Enc { kCp932, kUtf8, kUtf8NoDecl, kUtf8Bom, kUtf16Le, kUtf16Be, kUtf16LeNoBom };

std::string Iconv(const std::string& utf8, const char* to) {
  iconv_t cd = iconv_open(to, "UTF-8");
  std::string out(utf8.size() * 4 + 4, '\0');
  char* in = const_cast<char*>(utf8.data());
  std::size_t inLeft = utf8.size();
  char* dst = out.data();
  std::size_t dstLeft = out.size();
  const std::size_t rc = iconv(cd, &in, &inLeft, &dst, &dstLeft);
  iconv_close(cd);
  EXPECT_NE(rc, static_cast<std::size_t>(-1));
  out.resize(out.size() - dstLeft);
  return out;
}

// A document written in UTF-8 source, given the declaration its encoding
// calls for and encoded so.
std::string Encode(const std::string& body, Enc enc) {
  switch (enc) {
    case Enc::kCp932:
      return Sj("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n" + body);
    case Enc::kUtf8:
      return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + body;
    case Enc::kUtf8NoDecl:
      return "<?xml version=\"1.0\"?>\n" + body;
    case Enc::kUtf8Bom:
      return "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n" + body;
    case Enc::kUtf16Le:
      return "\xFF\xFE" + Iconv("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n" + body, "UTF-16LE");
    case Enc::kUtf16Be:
      return "\xFE\xFF" + Iconv("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n" + body, "UTF-16BE");
    case Enc::kUtf16LeNoBom:
      return Iconv("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n" + body, "UTF-16LE");
  }
  return {};
}

std::string U8(const std::string& cp932) { return Cp932ToUtf8(cp932); }

// A finding as one UTF-8 line, for comparisons that show what differs.
std::string Line(const TextFinding& t) {
  const Finding& f = t.finding;
  return f.check + " " + U8(SeverityText(f.severity)) + " " + U8(f.file) + " " + U8(f.item) + " line " +
         std::to_string(f.line) + " photo " + std::to_string(t.photoOrdinal) + ": " + U8(f.message);
}

std::vector<std::string> Lines(const std::vector<TextFinding>& findings) {
  std::vector<std::string> out;
  for (const TextFinding& f : findings) out.push_back(Line(f));
  return out;
}

std::vector<std::string> Scan(const std::string& body, Enc enc = Enc::kCp932) {
  return Lines(ScanManagementText(Encode(body, enc), kShown));
}

const std::string kPhotoHead =
    "<photodata DTD_version=\"05\">\n"
    "<基礎情報><写真フォルダ名>PHOTO/PIC</写真フォルダ名></基礎情報>\n";

std::string Photo(const std::string& title) {
  return "<写真情報>\n"
         "<写真ファイル情報><写真ファイル名>P0000001.JPG</写真ファイル名></写真ファイル情報>\n"
         "<撮影工種区分>\n"
         "<写真-大分類>工事</写真-大分類>\n"
         "<写真タイトル>" +
         title +
         "</写真タイトル>\n"
         "</撮影工種区分>\n"
         "</写真情報>\n";
}

TEST(TextScanTest, TheIssuesTitleInEveryEncoding) {
  const std::string body = kPhotoHead + Photo("全景①㈱Ⅲ髙") + "</photodata>\n";
  const std::string where = "text.char 誤り PHOTO/PHOTO.XML 写真情報/撮影工種区分/写真タイトル line 8 photo 1: ";
  const std::string cp932 = where +
                            "写真タイトル に使用できない文字があります: ①（0x8740 NEC特殊文字）、㈱（0x878A "
                            "NEC特殊文字）、Ⅲ（0x8756 NEC特殊文字）、髙（0xFBFC IBM拡張文字）";
  const std::string unicode = where +
                              "写真タイトル に使用できない文字があります: ①（U+2460 NEC特殊文字）、㈱（U+3231 "
                              "NEC特殊文字）、Ⅲ（U+2162 NEC特殊文字）、髙（U+9AD9 IBM拡張文字）";
  const struct {
    Enc enc;
    const std::string& expected;
  } cases[] = {
      {Enc::kCp932, cp932},     {Enc::kUtf8, unicode},    {Enc::kUtf8NoDecl, unicode},   {Enc::kUtf8Bom, unicode},
      {Enc::kUtf16Le, unicode}, {Enc::kUtf16Be, unicode}, {Enc::kUtf16LeNoBom, unicode},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Scan(body, c.enc), std::vector<std::string>{c.expected}) << static_cast<int>(c.enc);
}

TEST(TextScanTest, CleanDocumentsGiveNothing) {
  const std::string body =
      kPhotoHead + Photo("舗装工　表層工 No.12+5.0〜No.13 （その二）ー・「」") +
      Photo("ひらがな カタカナ ΑΩ αω АЯ ─│ ※〒 ∈∵ ≒ Å\u212B‰◯ 亜腕弌熙") +
      "<写真情報>\t<代表写真>1</代表写真>\r\n<備考>&lt;a&gt; &amp; &quot;&apos;</備考></写真情報>\r\n"
      "</photodata>\n";
  for (Enc enc : {Enc::kCp932, Enc::kUtf8, Enc::kUtf8NoDecl, Enc::kUtf16Le, Enc::kUtf16Be})
    EXPECT_EQ(Scan(body, enc), std::vector<std::string>{}) << static_cast<int>(enc);
}

TEST(TextScanTest, KanaControlAndWideAlnumAreFindingsOfTheirOwn) {
  // one value breaking four checks: four findings, in the check table's order
  const std::string body = kPhotoHead + Photo("ｱｲｱ\aＡ１Ａ〓\x1B ㍉") + "</photodata>\n";
  const std::string where = " PHOTO/PHOTO.XML 写真情報/撮影工種区分/写真タイトル line 8 photo 1: 写真タイトル に";
  EXPECT_EQ(Scan(body), (std::vector<std::string>{
                            "text.char 誤り" + where + "使用できない文字があります: ㍉（0x875F NEC特殊文字）",
                            "text.kana 誤り" + where + "半角カタカナがあります: ｱ（0xB1）、ｲ（0xB2）",
                            "text.control 誤り" + where + "制御文字があります: 0x07、0x1B",
                            "text.wide-alnum 参考" + where + "全角英数字があります: Ａ（0x8260）、１（0x8250）",
                        }));
  const std::string u = " PHOTO/PHOTO.XML 写真情報/撮影工種区分/写真タイトル line 8 photo 1: 写真タイトル に";
  EXPECT_EQ(Scan(kPhotoHead + Photo("ｱ\x7F\xC2\x85Ａ") + "</photodata>", Enc::kUtf8),
            (std::vector<std::string>{
                "text.kana 誤り" + u + "半角カタカナがあります: ｱ（U+FF71）",
                "text.control 誤り" + u + "制御文字があります: U+007F、U+0085",
                "text.wide-alnum 参考" + u + "全角英数字があります: Ａ（U+FF21）",
            }));
}

TEST(TextScanTest, CodesWithoutACharacterAreShownByCode) {
  // user-defined and unassigned codes of a code page 932 file, a lead byte
  // without its trail, a byte no character starts
  std::string title = Sj("外") + "\xF0\x40" + "\x87\x5E" + "\x81\x0A" + "\xFD";
  const std::string doc = Sj("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<a><b>") + title + "</b></a>";
  EXPECT_EQ(
      Lines(ScanManagementText(doc, kShown)),
      std::vector<std::string>{"text.char 誤り PHOTO/PHOTO.XML b line 2 photo 0: b に使用できない文字があります: "
                               "0xF040（外字）、0x875E（未定義の文字）、0x81（未定義の文字）、0xFD（未定義の文字）"});
  // a UTF-8 file: characters code page 932 lacks, a user-defined one, bytes of no character
  EXPECT_EQ(
      Scan("<a><b>𠮷😀\xEE\x80\x80\xFF\xC3</b></a>", Enc::kUtf8),
      std::vector<std::string>{"text.char 誤り PHOTO/PHOTO.XML b line 2 photo 0: b に使用できない文字があります: "
                               "U+20BB7（JIS X 0208 にない文字）、U+1F600（JIS X 0208 にない文字）、U+E000（外字）、"
                               "0xFF（不正なバイト）、0xC3（不正なバイト）"});
}

TEST(TextScanTest, BytesThatAreNotUtf8WithoutADeclarationAreCodePage932) {
  const std::string doc = "<a><b>" + Sj("①ｱ") + "</b></a>";
  EXPECT_EQ(
      Lines(ScanManagementText(doc, kShown)),
      (std::vector<std::string>{
          "text.char 誤り PHOTO/PHOTO.XML b line 1 photo 0: b に使用できない文字があります: ①（0x8740 NEC特殊文字）",
          "text.kana 誤り PHOTO/PHOTO.XML b line 1 photo 0: b に半角カタカナがあります: ｱ（0xB1）",
      }));
}

TEST(TextScanTest, AttributeValues) {
  const std::string body =
      "<photodata DTD_version=\"0①\">\n"
      "<写真情報 種別='ｶ' 空=\"\" 無引用=Ⅱ>\n<写真タイトル 注=\"x&#x2460;\">題</写真タイトル></写真情報>\n"
      "</photodata>";
  const std::vector<std::string> expected = {
      "text.char 誤り PHOTO/PHOTO.XML photodata@DTD_version line 2 photo 0: DTD_version "
      "に使用できない文字があります: ①（0x8740 NEC特殊文字）",
      "text.kana 誤り PHOTO/PHOTO.XML 写真情報@種別 line 3 photo 1: 種別 に半角カタカナがあります: ｶ（0xB6）",
      "text.char 誤り PHOTO/PHOTO.XML 写真情報@無引用 line 3 photo 1: 無引用 に使用できない文字があります: "
      "Ⅱ（0x8755 NEC特殊文字）",
      "text.char 誤り PHOTO/PHOTO.XML 写真情報/写真タイトル@注 line 4 photo 1: 注 に使用できない文字があります: "
      "①（0x8740 NEC特殊文字）",
  };
  EXPECT_EQ(Scan(body), expected);
}

TEST(TextScanTest, CharacterReferences) {
  // hexadecimal and decimal references to one character count once; a
  // reference to a character code page 932 lacks, to a control character;
  // escaped and broken references stand for themselves
  const std::string body =
      "<a><b>&#x2460;&#9312;&#x20BB7;&#7;&#xFF71;</b>"
      "<c>&amp;#x2460; &#xZZ; &#; &#x2460 &#12a; &unknown;</c></a>";
  EXPECT_EQ(Scan(body), (std::vector<std::string>{
                            "text.char 誤り PHOTO/PHOTO.XML b line 2 photo 0: b に使用できない文字があります: "
                            "①（0x8740 NEC特殊文字）、U+20BB7（JIS X 0208 にない文字）",
                            "text.kana 誤り PHOTO/PHOTO.XML b line 2 photo 0: b に半角カタカナがあります: ｱ（0xB1）",
                            "text.control 誤り PHOTO/PHOTO.XML b line 2 photo 0: b に制御文字があります: 0x07",
                        }));
  EXPECT_EQ(Scan("<a><b>&#x2460;&#x110000;&#xD800;</b></a>", Enc::kUtf8),
            std::vector<std::string>{"text.char 誤り PHOTO/PHOTO.XML b line 2 photo 0: b に使用できない文字があります: "
                                     "①（U+2460 NEC特殊文字）、U+110000（JIS X 0208 にない文字）、U+D800（JIS X 0208 "
                                     "にない文字）"});
}

TEST(TextScanTest, LinesAndWhatIsSkipped) {
  const std::string body =
      "<!DOCTYPE photodata SYSTEM \"PHOTO05.DTD\" [\n"                        // 2
      "  <!ENTITY e \"①]>\">\n"                                               // 3: a quoted ']>' inside the subset
      "  <!-- ② ]> -->\n"                                                     // 4
      "  <!ELEMENT ゼ票 (#PCDATA)>\n"                                         // 5: both end in 0x5B, "["
      "]>\n"                                                                  // 6
      "<photodata>\r\n"                                                       // 7
      "<!-- ③\r\n"                                                            // 8
      " ④ -->\r\n"                                                            // 9
      "<?pi ⑤\r\n ?>\r\n"                                                     // 10, 11
      "<写真情報><写真タイトル>一行目\r\n"                                    // 12
      "二行目①</写真タイトル>\r\n"                                            // 13
      "<写真タイトル><![CDATA[<⑥&#x2460;>]]>ｱ</写真タイトル></写真情報>\r\n"  // 14
      "</photodata>\r\n";
  EXPECT_EQ(Scan(body), (std::vector<std::string>{
                            "text.char 誤り PHOTO/PHOTO.XML 写真情報/写真タイトル line 12 photo 1: 写真タイトル "
                            "に使用できない文字があります: ①（0x8740 NEC特殊文字）",
                            "text.char 誤り PHOTO/PHOTO.XML 写真情報/写真タイトル line 14 photo 1: 写真タイトル "
                            "に使用できない文字があります: ⑥（0x8745 NEC特殊文字）",
                            "text.kana 誤り PHOTO/PHOTO.XML 写真情報/写真タイトル line 14 photo 1: 写真タイトル "
                            "に半角カタカナがあります: ｱ（0xB1）",
                        }));
}

TEST(TextScanTest, PhotoOrdinalsAndMixedContent) {
  const std::string body = kPhotoHead + Photo("一") + "<写真情報/>\n" + Photo("二") + Photo("三①") +
                           "<図面>ｱ<x/>ｲ<!-- -->ｱ</図面>\n</photodata>\n";
  EXPECT_EQ(Scan(body), (std::vector<std::string>{
                            "text.char 誤り PHOTO/PHOTO.XML 写真情報/撮影工種区分/写真タイトル line 23 photo 4: "
                            "写真タイトル に使用できない文字があります: ①（0x8740 NEC特殊文字）",
                            "text.kana 誤り PHOTO/PHOTO.XML 図面 line 26 photo 0: 図面 に半角カタカナがあります: "
                            "ｱ（0xB1）、ｲ（0xB2）",
                        }));
}

TEST(TextScanTest, ListsAreBoundedAndDeepNestingIsCut) {
  std::string many;
  for (int i = 0; i < 20; ++i) many += "&#" + std::to_string(0x2460 + i) + ";";  // ① … ⑳
  many += "①⑳⑳";
  const std::vector<std::string> got = Scan("<a><b>" + many + "</b></a>");
  ASSERT_EQ(got.size(), 1u);
  EXPECT_NE(got[0].find("⑯（0x874F NEC特殊文字）、ほか 6 文字"), std::string::npos) << got[0];
  EXPECT_EQ(got[0].find("⑰"), std::string::npos) << got[0];

  // 10,000 levels: the path keeps the first kMaxPathDepth - 1 below the
  // document element, the text counts towards the deepest of them
  std::string deep = "<r>";
  for (int i = 0; i < 10000; ++i) deep += "<e>";
  deep += "①";
  for (int i = 0; i < 10000; ++i) deep += "</e>";
  deep += "</r>";
  const std::vector<TextFinding> findings = ScanManagementText(deep, kShown);
  ASSERT_EQ(findings.size(), 1u);
  std::string path = "e";
  for (int i = 1; i < kMaxPathDepth - 1; ++i) path += "/e";
  EXPECT_EQ(findings[0].finding.item, path);

  // a long name is cut in the path, never inside a character
  const std::string longName(300, 'n');
  const std::vector<TextFinding> named =
      ScanManagementText("<r><" + longName + Sj("名") + ">" + Sj("①") + "</" + longName + "></r>", kShown);
  ASSERT_EQ(named.size(), 1u);
  EXPECT_EQ(named[0].finding.item, std::string(128, 'n'));

  // past kMaxTextFindings findings of a file are counted, not kept
  std::string values = "<r>";
  for (std::size_t i = 0; i < kMaxTextFindings + 5; ++i) values += i % 2 ? "<a>①</a>" : "<a x='ｱ'/>";
  std::size_t omitted = 0;
  const std::vector<TextFinding> capped = ScanManagementText(values + "</r>", kShown, &omitted);
  EXPECT_EQ(capped.size(), kMaxTextFindings);
  EXPECT_EQ(omitted, 5u);
}

TEST(TextScanTest, BrokenMarkupNeverStopsTheScan) {
  const std::string cases[] = {
      "",      "<",         "<a",     "<a b", "<a b=",   "<a b=\"①",    "<!--①", "<![CDATA[①",       "<!DOCTYPE [",
      "</",    "&#x2460",   "<a>&#x", "\x87", "<a>\x87", "<a x=\"\x87", "<?",    "<a></b></c></d>①", "<>①",
      "< a>①", "<a/><b/>①",
  };
  for (const std::string& c : cases) {
    for (const std::string& mark : {std::string(), std::string("\xEF\xBB\xBF"), std::string("\xFF\xFE")}) {
      for (const TextFinding& f : ScanManagementText(mark + c, kShown)) {
        EXPECT_GE(f.finding.line, 1) << c;
        EXPECT_FALSE(f.finding.message.empty()) << c;
      }
    }
  }
  // an unclosed value is still reported, at its element
  EXPECT_EQ(Scan("<a><b>①"), std::vector<std::string>{"text.char 誤り PHOTO/PHOTO.XML b line 2 photo 0: b "
                                                      "に使用できない文字があります: ①（0x8740 NEC特殊文字）"});
  // UTF-16 of an odd length, and an unpaired surrogate
  std::string odd = Encode("<a>x</a>", Enc::kUtf16Le) + "\x41";
  EXPECT_EQ(ScanManagementText(odd, kShown).size(), 0u);
  std::string surrogate =
      "\xFF\xFE" + Iconv("<a>", "UTF-16LE") + std::string("\x00\xD8", 2) + Iconv("</a>", "UTF-16LE");
  EXPECT_EQ(Lines(ScanManagementText(surrogate, kShown)),
            std::vector<std::string>{"text.char 誤り PHOTO/PHOTO.XML a line 1 photo 0: a に使用できない文字があります: "
                                     "U+FFFD（JIS X 0208 にない文字）"});
}

class TextScanFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("zor_text_scan_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
};

TEST_F(TextScanFileTest, ReadsARegularFileAndRefusesTheRest) {
  const fs::path file = dir_ / "PHOTO.XML";
  std::ofstream(file, std::ios::binary) << Encode("<a><b>①</b></a>", Enc::kCp932);
  const TextScanResult ok = ScanManagementFile(file.string(), kShown);
  EXPECT_TRUE(ok.read);
  EXPECT_EQ(ok.error, "");
  EXPECT_EQ(Lines(ok.findings), std::vector<std::string>{"text.char 誤り PHOTO/PHOTO.XML b line 2 photo 0: b "
                                                         "に使用できない文字があります: ①（0x8740 NEC特殊文字）"});

  const fs::path fifo = dir_ / "FIFO.XML";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const fs::path& p : {dir_ / "NONE.XML", dir_, fifo}) {
    const TextScanResult refused = ScanManagementFile(p.string(), kShown);
    EXPECT_FALSE(refused.read) << p;
    EXPECT_NE(refused.error.find(kShown), std::string::npos) << p << " " << U8(refused.error);
    EXPECT_TRUE(refused.findings.empty());
  }
  EXPECT_EQ(U8(ScanManagementFile((dir_ / "NONE.XML").string(), kShown).error), "PHOTO/PHOTO.XML がありません。");
}

// The real deliveries hold no character the checks report; their files are
// scanned whole (each has values on many lines).
TEST(TextScanRealTest, RealManagementFilesAreClean) {
  const fs::path real = ZOR_SAMPLES_REAL;
  if (!fs::exists(real)) GTEST_SKIP() << "no real deliveries at " << real;
  int files = 0;
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(real)) {
    if (e.path().extension() != ".XML") continue;
    const TextScanResult r = ScanManagementFile(e.path().string(), e.path().filename().string());
    EXPECT_TRUE(r.read) << e.path();
    EXPECT_EQ(Lines(r.findings), std::vector<std::string>{}) << e.path();
    ++files;
  }
  EXPECT_EQ(files, 4);
}

}  // namespace
}  // namespace zor
