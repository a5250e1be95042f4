// The photo ledger written from deliveries filled by hand, read back with
// poppler's tools as a reader of the PDF would: its pages, its text in the
// order it is drawn, its fonts and its pictures.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <regex>

#include "album_fixture.h"
#include "images/bitmap.h"
#include "images/jpeg_encode.h"
#include "output/ledger_writer.h"
#include "program_run.h"

namespace zor {
namespace {

namespace fs = std::filesystem;

class LedgerTest : public AlbumTest {
 protected:
  fs::path Pdf() const { return dir_ / "ledger.pdf"; }

  LedgerResult WriteFrom(const LedgerSelection& selection = {}, int perPage = 3) {
    plan_ = PlanLedger(d_, selection);
    LedgerOptions o;
    o.file = Pdf();
    o.perPage = perPage;
    o.threads = 2;
    o.cancel = &cancel_;
    return WriteLedger(plan_, o, host_);
  }

  std::string Tool(const std::string& command) const {
    return test::RunProgram(command + " '" + Pdf().string() + "' - 2>/dev/null").out;
  }
  int Pages() const {
    const std::string info = test::RunProgram("pdfinfo '" + Pdf().string() + "'").out;
    std::smatch m;
    return std::regex_search(info, m, std::regex("Pages:\\s+(\\d+)")) ? std::stoi(m[1]) : -1;
  }
  // The text in the order it was drawn.
  std::string Text() const { return Tool("pdftotext -raw -enc UTF-8"); }

  // A picture of width x height pixels, written as a JPEG; its path.
  std::string Picture(const std::string& name, int width, int height) {
    Bitmap b;
    b.Reset(width, height, Bgr{90, 140, 200});
    for (int y = 0; y < height; y += 7)
      for (int x = 0; x < width; ++x) b.SetPixel(x, y, Bgr{20, 60, 30});
    fs::create_directories(dir_ / "pic");
    const fs::path file = dir_ / "pic" / name;
    EXPECT_TRUE(EncodeJpegFile(b, file, 90));
    return file.string();
  }

  LedgerPlan plan_;
  std::atomic<bool> cancel_{false};
};

// Positions of each part in text, which must come in this order.
void ExpectInOrder(const std::string& text, const std::vector<std::string>& parts) {
  std::size_t at = 0;
  for (const std::string& part : parts) {
    const std::size_t found = text.find(part, at);
    EXPECT_NE(found, std::string::npos) << "not found after position " << at << ": " << part;
    if (found != std::string::npos) at = found + part.size();
  }
}

TEST_F(LedgerTest, PagesAreTheCoverAndTheFramesTwoOrThreeToAPage) {
  const int drawing1 = AddRecord({{"TITLE", "平面図"}});
  const int drawing2 = AddRecord({{"TITLE", "横断図"}});
  for (int i = 1; i <= 7; ++i) {
    TIntList drawings;
    if (i == 2) drawings = {drawing1};
    if (i == 5) drawings = {drawing2};
    AddPhoto({{"TITLE", "写真" + std::to_string(i)}}, {"工事", "施工状況写真"}, drawings);
  }
  struct Case {
    bool drawings;
    int perPage;
    std::vector<int> chosen;  // empty: every photo
    int pages;
  };
  const int first = drawing2 + 1;
  for (const Case& c : {Case{false, 3, {}, 1 + 3}, Case{false, 2, {}, 1 + 4}, Case{true, 3, {}, 1 + 3},
                        Case{true, 2, {}, 1 + 5}, Case{false, 2, {first + 2, first}, 1 + 1}}) {
    LedgerSelection s;
    s.drawings = c.drawings;
    s.chosen = !c.chosen.empty();
    s.records = c.chosen;
    const LedgerResult r = WriteFrom(s, c.perPage);
    ASSERT_TRUE(r.finished) << r.message;
    EXPECT_EQ(r.pages, c.pages);
    EXPECT_EQ(Pages(), c.pages) << "drawings " << c.drawings << ", " << c.perPage << " to a page";
  }
  // The chosen photos in the order given, numbered anew.
  const std::string text = Text();
  ExpectInOrder(text, {"写真番号 1", "写真3", "写真番号 2", "写真1"});
}

TEST_F(LedgerTest, TextHoldsEveryPhotoAndItsItemsInTheTreeOrder) {
  d_.PhotoContractInfo.SetText(ContractText::ConstructionName, Sj("市道中央線道路改良工事"));
  d_.PhotoContractInfo.SetText(ContractText::WorkNumber, Sj("R05-123"));
  d_.PhotoContractInfo.SetText(ContractText::ContractorName, Sj("株式会社中央建設"));
  AddPhoto({{"TITLE", "掘削状況A"}, {"KASYO", "No.10"}, {"DATE", "2010-10-05"}, {"KANRI", "H=1.2m"}},
           {"工事", "施工状況写真", "道路土工"});
  AddPhoto({{"TITLE", "密度試験B"}, {"UKEOIBIKOU", "試験の状況"}}, {"工事", "品質管理写真"});
  AddPhoto({{"TITLE", "盛土状況C"}, {"KASYO", "No.30"}}, {"工事", "施工状況写真", "道路土工"});
  ASSERT_TRUE(WriteFrom().finished);
  const std::string text = Text();
  ExpectInOrder(text, {"工事写真帳", "市道中央線道路改良工事", "R05-123", "株式会社中央建設", "3 枚",
                       // page 2: the header names the first photo's path
                       "市道中央線道路改良工事", "工事 ＞ 施工状況写真 ＞ 道路土工", "写真番号 1", "工種", "道路土工",
                       "掘削状況A", "No.10", "2010 年 10 月 05 日", "H=1.2m", "写真番号 2", "盛土状況C", "No.30",
                       "写真番号 3", "品質管理写真", "密度試験B", "試験の状況", "2 / 2"});
  EXPECT_EQ(text.find("シリアル番号"), std::string::npos) << "the frame's 写真番号 stands for it";
}

TEST_F(LedgerTest, TheJapaneseFontIsEmbeddedAsASubset) {
  AddPhoto({{"TITLE", "掘削状況"}});
  ASSERT_TRUE(WriteFrom().finished);
  const std::string fonts = test::RunProgram("pdffonts '" + Pdf().string() + "'").out;
  EXPECT_TRUE(std::regex_search(fonts, std::regex("[A-Z]{6}\\+(NotoSansCJKjp|IPAexGothic)[^\n]* yes +yes +yes")))
      << fonts;
  EXPECT_FALSE(std::regex_search(fonts, std::regex(" no +(yes|no) +(yes|no) "))) << "a font left out:\n" << fonts;
}

TEST_F(LedgerTest, PicturesAreEmbeddedAsJpegAtTheBoxResolutionOrTheirOwn) {
  AddPhoto({{"TITLE", "大きい写真"}, {"FILENAME", Picture("big.jpg", 4000, 3000)}});
  AddPhoto({{"TITLE", "小さい写真"}, {"FILENAME", Picture("small.jpg", 160, 120)}});
  ASSERT_TRUE(WriteFrom().finished);
  const std::string list = test::RunProgram("pdfimages -list '" + Pdf().string() + "'").out;
  // page num type width height color comp bpc enc interp object ID x-ppi y-ppi
  std::smatch m;
  const std::regex image("\\n +2 +\\d+ +image +(\\d+) +(\\d+) +rgb +3 +8 +jpeg +\\w+ +\\d+ +\\d+ +(\\d+) +(\\d+)");
  std::vector<std::array<int, 3>> found;
  for (auto it = std::sregex_iterator(list.begin(), list.end(), image); it != std::sregex_iterator(); ++it)
    found.push_back({std::stoi((*it)[1]), std::stoi((*it)[2]), std::stoi((*it)[3])});
  ASSERT_EQ(found.size(), 2u) << list;
  // The 12 MP photo at a quarter, which still gives 200 dpi in its box.
  EXPECT_EQ(found[0][0], 1000);
  EXPECT_EQ(found[0][1], 750);
  EXPECT_GE(found[0][2], 200);
  // The small one as it is, and drawn no larger than a point per pixel.
  EXPECT_EQ(found[1][0], 160);
  EXPECT_EQ(found[1][2], 72);
}

TEST_F(LedgerTest, MissingAndUnreadablePicturesAreFramedWithTheirName) {
  const int missing = AddPhoto({{"TITLE", "ない写真"}});
  d_.MissingPictures[missing] = Sj("PHOTO/PIC/P0000009.JPG");
  WriteBytes(dir_ / "broken.jpg", "\xFF\xD8\xFF\xE0 not really a picture");
  AddPhoto({{"TITLE", "壊れた写真"}, {"FILENAME", (dir_ / "broken.jpg").string()}});
  // A header that claims 20,000 x 20,000 pixels is refused before anything is allocated.
  std::string huge = ReadBytes(Picture("huge.jpg", 64, 48));
  const std::size_t sof = huge.find("\xFF\xC0");
  ASSERT_NE(sof, std::string::npos);
  huge.replace(sof + 5, 4, std::string("\x4E\x20\x4E\x20", 4));
  WriteBytes(dir_ / "pic/huge.jpg", huge);
  AddPhoto({{"TITLE", "巨大な写真"}, {"FILENAME", (dir_ / "pic/huge.jpg").string()}});
  const LedgerResult r = WriteFrom();
  ASSERT_TRUE(r.finished) << r.message;
  EXPECT_EQ(r.missing, 1);
  EXPECT_EQ(r.unreadable, 2);
  const std::string text = Text();
  ExpectInOrder(text, {"ファイルがありません", "PHOTO/PIC/P0000009.JPG", "ない写真", "写真を読み込めませんでした",
                       "broken.jpg", "壊れた写真", "写真を読み込めませんでした", "huge.jpg", "巨大な写真"});
  const std::vector<std::string> summary = LedgerSummary(r, Pdf());
  ASSERT_EQ(summary.size(), 3u);
  EXPECT_EQ(Cp932ToUtf8(summary[1]), "ファイルがない写真・参考図: 1 枚");
  EXPECT_EQ(Cp932ToUtf8(summary[2]), "読み込めなかった写真・参考図: 2 枚");
}

TEST_F(LedgerTest, ACaptionTooLongIsSetSmallerThenCutAndNamed) {
  d_.DigiVersion = 1;  // 撮影情報予備 is printed under this standard
  std::string longValue;
  while (longValue.size() < 2000) longValue += "長い説明文の続き";
  AddPhoto({{"TITLE", "長すぎる説明"}, {"YOBI_SJ", longValue}});
  AddPhoto({{"TITLE", "少し長い説明"}, {"YOBI_SJ", longValue.substr(0, 600)}});
  AddPhoto({{"TITLE", "短い説明"}});
  const LedgerResult r = WriteFrom();
  ASSERT_TRUE(r.finished) << r.message;
  ASSERT_EQ(r.cut.size(), 1u);
  EXPECT_EQ(Cp932ToUtf8(r.cut[0]), "写真番号 1");
  const std::string text = Text();
  ExpectInOrder(text, {"長すぎる説明", "…", "写真番号 2", "少し長い説明", "写真番号 3", "短い説明"});
  // What is cut is not in the PDF's text either: 2,000 bytes are 1,000
  // characters, more than a caption holds.
  const std::string first = text.substr(0, text.find("写真番号 2"));
  int pieces = 0;
  for (std::size_t at = first.find("続き"); at != std::string::npos; at = first.find("続き", at + 1)) ++pieces;
  EXPECT_GT(pieces, 20);
  EXPECT_LT(pieces, 100);
  EXPECT_NE(Cp932ToUtf8(LedgerSummary(r, Pdf()).back()).find("写真番号 1"), std::string::npos);
}

TEST_F(LedgerTest, CharactersNoFontHasAreDrawnAsBoxesAndNamed) {
  AddPhoto({{"TITLE", "普通の題"}});
  AddPhoto({{"TITLE", "外字\xEE\x80\x80を含む題"}});  // U+E000, code page 932's first user-defined character
  const LedgerResult r = WriteFrom();
  ASSERT_TRUE(r.finished);
  ASSERT_EQ(r.missingGlyphs.size(), 1u);
  EXPECT_EQ(Cp932ToUtf8(r.missingGlyphs[0]), "写真番号 2");
  EXPECT_NE(Text().find("を含む題"), std::string::npos);
}

TEST_F(LedgerTest, NoPhotosGiveTheCoverSayingSo) {
  const LedgerResult r = WriteFrom();
  ASSERT_TRUE(r.finished);
  EXPECT_EQ(Pages(), 1);
  EXPECT_NE(Text().find("写真がありません"), std::string::npos);
}

TEST_F(LedgerTest, OnlyRepresentativeOrFrequencyPhotosWithTheirMarks) {
  AddPhoto({{"TITLE", "代表"}, {"FLAG", "1"}});
  AddPhoto({{"TITLE", "普通"}});
  AddPhoto({{"TITLE", "頻度"}, {"FILMNUM", "1"}});
  AddPhoto({{"TITLE", "両方"}, {"FLAG", "1"}, {"FILMNUM", "1"}});
  auto titles = [&](LedgerOnly only) {
    LedgerSelection s;
    s.only = only;
    std::string all;
    for (const LedgerFrame& f : PlanLedger(d_, s).frames)
      for (const AlbumRow& row : f.rows)
        if (row.label == Sj("写真タイトル"))
          all += Cp932ToUtf8(row.value) + (f.representative ? "R" : "") + (f.frequency ? "F" : "") + " ";
    return all;
  };
  EXPECT_EQ(titles(LedgerOnly::kAll), "代表R 普通 頻度F 両方RF ");
  EXPECT_EQ(titles(LedgerOnly::kRepresentative), "代表R 両方RF ");
  EXPECT_EQ(titles(LedgerOnly::kFrequency), "頻度F 両方RF ");
  ASSERT_TRUE(WriteFrom().finished);
  ExpectInOrder(Text(), {"写真番号 1", "代表写真", "代表", "写真番号 3", "提出頻度写真", "頻度", "写真番号 4",
                         "提出頻度写真", "代表写真", "両方"});
}

TEST_F(LedgerTest, ACancelledRunLeavesTheFileThereAndNoTemporaryOne) {
  for (int i = 0; i < 9; ++i) AddPhoto({{"TITLE", "写真"}, {"FILENAME", Picture("p.jpg", 320, 240)}});
  WriteBytes(Pdf(), "the ledger of an earlier run");
  host_.onProgress = [this](char code, int value) {
    if (code == 'R' && value == 3) cancel_ = true;
  };
  const LedgerResult r = WriteFrom();
  EXPECT_TRUE(r.cancelled);
  EXPECT_FALSE(r.finished);
  EXPECT_EQ(ReadBytes(Pdf()), "the ledger of an earlier run");
  for (const auto& e : fs::directory_iterator(dir_))
    EXPECT_TRUE(e.is_directory() || e.path() == Pdf()) << "left behind: " << e.path();
}

TEST_F(LedgerTest, AFolderThatCannotBeWrittenIsNamed) {
  AddPhoto({{"TITLE", "写真"}});
  for (const fs::path& file : {dir_ / "no" / "such" / "ledger.pdf", dir_ / "ledger.pdf" / "inside.pdf"}) {
    if (file.parent_path().filename() == "ledger.pdf") WriteBytes(file.parent_path(), "a file, not a folder");
    plan_ = PlanLedger(d_, {});
    LedgerOptions o;
    o.file = file;
    const LedgerResult r = WriteLedger(plan_, o, host_);
    EXPECT_FALSE(r.finished);
    EXPECT_NE(Cp932ToUtf8(r.message).find(file.parent_path().string()), std::string::npos) << Cp932ToUtf8(r.message);
    EXPECT_EQ(host_.warnings.size(), 1u);
    host_.warnings.clear();
  }
}

}  // namespace
}  // namespace zor
