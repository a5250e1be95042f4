// The blackboard's own record run as users run it: `zorview --inspect` on a
// delivery whose photos carry the board's XMP packet in each writer's
// variant, matching PHOTO.XML or differing in one item each, reports
// exactly the planted differences; layered SVG photos give each embedded
// picture's tamper outcome; `zorview --dump` shows what each board says.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "picture_writer.h"
#include "program_run.h"
#include "text/encoding.h"

namespace zor {
namespace {

namespace fs = std::filesystem;
using test::ProgramRun;

class BlackboardCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("zor_blackboard_cli_" + std::to_string(::getpid()));
    fs::create_directories(dir_ / "xdg");
  }
  void TearDown() override { fs::remove_all(dir_); }

  ProgramRun Run(const std::string& verb, const fs::path& root) {
    return test::RunProgram("XDG_DATA_HOME='" + (dir_ / "xdg").string() + "' '" ZOR_PROGRAM "' " + verb + " '" +
                            root.string() + "' 2>/dev/null");
  }

  // A construction delivery (its index names 一般国道１２号　白石改良工事 and
  // 株式会社白石建設) whose photos all say in PHOTO.XML what the default
  // board says; pictures[i] is photo i + 1's file, none when empty.
  fs::path MakeDelivery(const std::vector<test::Bytes>& pictures) {
    const fs::path root = dir_ / "delivery";
    const fs::path source = ZOR_TEST_DATA "/import/construction";
    fs::create_directories(root / "PHOTO" / "PIC");
    fs::copy_file(source / "INDEX_C.XML", root / "INDEX_C.XML");
    fs::copy_file(source / "INDE_C05.DTD", root / "INDE_C05.DTD");
    fs::copy_file(source / "PHOTO" / "PHOTO05.DTD", root / "PHOTO" / "PHOTO05.DTD");
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<!DOCTYPE photodata SYSTEM \"PHOTO05.DTD\">\r\n"
        "<photodata DTD_version=\"05\">\r\n<基礎情報>\r\n<写真フォルダ名>PHOTO/PIC</写真フォルダ名>\r\n"
        "<適用要領基準>土木201009-01</適用要領基準>\r\n</基礎情報>\r\n";
    for (std::size_t i = 0; i < pictures.size(); ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "P%07zu.JPG", i + 1);
      xml += "<写真情報><写真ファイル情報><シリアル番号>" + std::to_string(i + 1) + "</シリアル番号><写真ファイル名>" +
             name +
             "</写真ファイル名><メディア番号>1</メディア番号></写真ファイル情報>\r\n"
             "<撮影工種区分><写真-大分類>工事</写真-大分類><写真区分>施工状況写真</写真区分><工種>道路土工</工種>"
             "<種別>掘削工</種別><写真タイトル>掘削状況 No.12</写真タイトル><工種区分予備>a</工種区分予備>"
             "<工種区分予備>b</工種区分予備></撮影工種区分>\r\n"
             "<撮影情報><撮影箇所>No.12</撮影箇所><撮影年月日>2010-10-05</撮影年月日></撮影情報>\r\n"
             "<代表写真>1</代表写真><提出頻度写真>0</提出頻度写真><施工管理値>H=1.20m</施工管理値>"
             "<請負者説明文>掘削の状況</請負者説明文></写真情報>\r\n";
      if (!pictures[i].empty()) test::WriteFile(root / "PHOTO" / "PIC" / name, pictures[i]);
    }
    xml += "</photodata>\r\n";
    std::ofstream(root / "PHOTO" / "PHOTO.XML", std::ios::binary) << Sj(xml);
    return root;
  }

  fs::path dir_;
};

const test::Bytes& Picture() {
  static const test::Bytes jpeg = test::EncodedJpeg(1280, 960);
  return jpeg;
}

test::ExifSpec Exif() {
  test::ExifSpec e;
  e.dateTimeOriginal = std::string("2010:10:05 10:00:00", 20);
  return e;
}

test::Bytes Board(const std::function<void(test::BoardSpec&)>& change) {
  test::BoardSpec spec;
  change(spec);
  return test::BoardPhoto(Picture(), Exif(), test::BoardPacket(spec));
}

// The findings of a run, one line each.
std::vector<std::string> Lines(const std::string& out) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < out.size();) {
    const std::size_t end = out.find('\n', at);
    lines.push_back(out.substr(at, end - at));
    at = end == std::string::npos ? out.size() : end + 1;
  }
  return lines;
}

TEST_F(BlackboardCliTest, ReportsExactlyThePlantedDifferences) {
  const struct {
    const char* name;
    std::function<void(test::BoardSpec&)> change;
    const char* severity;  // nullptr: no finding
    const char* message;
  } kRows[] = {
      {"matching, elements", [](test::BoardSpec&) {}, nullptr, ""},
      {"matching, attributes", [](test::BoardSpec& s) { s.attributes = true; }, nullptr, ""},
      {"matching, parseType Resource", [](test::BoardSpec& s) { s.parseTypeResource = true; }, nullptr, ""},
      {"matching, a Seq of Measurements", [](test::BoardSpec& s) { s.measurementsSeq = true; }, nullptr, ""},
      {"matching, sRepresentative", [](test::BoardSpec& s) { s.misspeltRepresentative = true; }, nullptr, ""},
      {"matching, dc:description", [](test::BoardSpec& s) { s.dcDescription = true; }, nullptr, ""},
      {"matching, widths and blanks",
       [](test::BoardSpec& s) {
         s.title = "　掘削状況　Ｎｏ.１２ ";
         s.shootingSpot = "Ｎｏ.12";
       },
       nullptr, ""},
      {"measured value absent from PHOTO.XML", [](test::BoardSpec& s) { s.items[0].measuredValue = "1.25"; }, "参考",
       "施工管理値: 小黒板の実測値「1.25」（高さ）が PHOTO.XML の施工管理値「H=1.20m」にありません"},
      {"写真-大分類", [](test::BoardSpec& s) { s.largeClassification = "測量"; }, "注意",
       "写真-大分類: 小黒板「測量」／PHOTO.XML「工事」"},
      {"写真区分", [](test::BoardSpec& s) { s.photoClassification = "品質管理写真"; }, "注意",
       "写真区分: 小黒板「品質管理写真」／PHOTO.XML「施工状況写真」"},
      {"工種", [](test::BoardSpec& s) { s.constructionType = "舗装工"; }, "注意",
       "工種: 小黒板「舗装工」／PHOTO.XML「道路土工」"},
      {"種別", [](test::BoardSpec& s) { s.middleClassification = "路体盛土工"; }, "注意",
       "種別: 小黒板「路体盛土工」／PHOTO.XML「掘削工」"},
      {"写真タイトル", [](test::BoardSpec& s) { s.title = "掘削状況 No.13"; }, "注意",
       "写真タイトル: 小黒板「掘削状況 No.13」／PHOTO.XML「掘削状況 No.12」"},
      {"工種区分予備",
       [](test::BoardSpec& s) {
         s.classificationRemarks = {"a", "c"};
       },
       "注意", "工種区分予備: 小黒板「a、c」／PHOTO.XML「a、b」"},
      {"撮影箇所", [](test::BoardSpec& s) { s.shootingSpot = "No.13"; }, "注意",
       "撮影箇所: 小黒板「No.13」／PHOTO.XML「No.12」"},
      {"代表写真", [](test::BoardSpec& s) { s.isRepresentative = "False"; }, "注意",
       "代表写真: 小黒板「False」／PHOTO.XML「1」"},
      {"提出頻度写真", [](test::BoardSpec& s) { s.isFrequencyOfSubmission = "True"; }, "注意",
       "提出頻度写真: 小黒板「True」／PHOTO.XML「0」"},
      {"受注者説明文", [](test::BoardSpec& s) { s.contractorRemarks = "床掘の状況"; }, "注意",
       "受注者説明文: 小黒板「床掘の状況」／PHOTO.XML「掘削の状況」"},
      // An item the board leaves empty, or one PHOTO.XML does not hold, is not compared.
      {"細別 held by the board alone", [](test::BoardSpec& s) { s.smallClassification = "床掘り"; }, nullptr, ""},
      {"an empty title on the board", [](test::BoardSpec& s) { s.title.clear(); }, nullptr, ""},
  };
  std::vector<test::Bytes> pictures;
  for (const auto& row : kRows) pictures.push_back(Board(row.change));
  // No packet; a packet that cannot be read; a board naming another work.
  pictures.push_back(test::BlackboardPhoto(Picture(), Exif()));
  pictures.push_back(test::BoardPhoto(Picture(), Exif(), test::BoardPacket(test::BoardSpec()).substr(0, 500)));
  pictures.push_back(Board([](test::BoardSpec& s) { s.constructionName = "一般国道１３号　改良工事"; }));
  const fs::path root = MakeDelivery(pictures);
  const std::size_t noPacket = std::size(kRows) + 1, unreadable = noPacket + 1, otherWork = unreadable + 1;

  const ProgramRun run = Run("--inspect --json", root);
  EXPECT_EQ(run.status, 0) << run.out;
  std::vector<std::vector<std::string>> found(otherWork + 1);
  std::vector<std::string> counting;
  for (const std::string& line : Lines(run.out)) {
    if (line.find("\"check\":\"blackboard\"") == std::string::npos) continue;
    if (line.rfind("{\"record\":null,", 0) == 0) {
      counting.push_back(line);
      continue;
    }
    const std::size_t record = std::stoul(line.substr(10));
    ASSERT_LE(record, otherWork) << line;
    found[record].push_back(line);
  }
  for (std::size_t i = 0; i < std::size(kRows); ++i) {
    const std::vector<std::string>& lines = found[i + 1];
    if (!kRows[i].severity) {
      EXPECT_TRUE(lines.empty()) << kRows[i].name << ": " << lines[0];
      continue;
    }
    ASSERT_EQ(lines.size(), 1u) << kRows[i].name << "\n" << run.out;
    EXPECT_NE(lines[0].find(std::string("\"severity\":\"") + kRows[i].severity + "\""), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find(std::string("\"message\":\"") + kRows[i].message + "\""), std::string::npos)
        << kRows[i].name << ": " << lines[0];
  }
  EXPECT_TRUE(found[noPacket].empty());
  ASSERT_EQ(found[unreadable].size(), 1u);
  EXPECT_NE(found[unreadable][0].find("小黒板情報（XMP）を読めません"), std::string::npos) << found[unreadable][0];
  EXPECT_TRUE(found[otherWork].empty());
  // The board's 工事件名 against the index, and the counting line.
  ASSERT_EQ(counting.size(), 2u) << run.out;
  EXPECT_NE(counting[0].find("工事件名: 小黒板「一般国道１３号　改良工事」／INDEX_C.XML "
                             "の工事名称「一般国道１２号　白石改良工事」（写真 1 枚: 記録 " +
                             std::to_string(otherWork) + "）"),
            std::string::npos)
      << counting[0];
  EXPECT_NE(counting[1].find("小黒板情報のある写真 " + std::to_string(otherWork - 1) +
                             " 枚のうち PHOTO.XML と異なる写真 11 枚、読めない写真 1 枚。小黒板情報のない写真 1 枚。"),
            std::string::npos)
      << counting[1];
  EXPECT_NE(run.out.find("\"blackboard\":" + std::to_string(otherWork - 1) +
                         ",\"blackboard_differing\":11,\"blackboard_unreadable\":1,\"without_blackboard\":1,"),
            std::string::npos)
      << run.out;

  // The text report groups them under the check's caption.
  const ProgramRun text = Run("--inspect", root);
  EXPECT_NE(text.out.find("【小黒板情報】 blackboard  14 件\n"), std::string::npos) << text.out;
}

TEST_F(BlackboardCliTest, LayeredSvgPhotosGiveEachEmbeddedPicturesOutcome) {
  const fs::path root = dir_ / "delivery";
  fs::copy(ZOR_TEST_DATA "/import/construction-2023", root, fs::copy_options::recursive);
  test::ExifSpec exif;
  exif.dateTimeOriginal = std::string("2023:06:05 09:00:00", 20);
  const test::Bytes original = test::BlackboardPhoto(test::EncodedJpeg(1280, 960), exif);
  const test::Bytes board = test::BlackboardPhoto(test::EncodedJpeg(320, 240, 40), exif);
  test::Bytes changed = board;
  changed[test::ImageDataOffset(changed) + 40] ^= 0x08;
  const std::string packet = test::BoardPacket(test::BoardSpec());
  const std::string intact = test::LayeredSvg(packet, original, board);
  const std::string altered = test::LayeredSvg(packet, original, changed);
  std::ofstream(root / "PHOTO" / "PIC" / "P0000002.SVG", std::ios::binary) << intact;
  std::ofstream(root / "PHOTO" / "PIC" / "P0000003.SVG", std::ios::binary) << altered;

  const ProgramRun run = Run("--inspect --json", root);
  std::vector<std::string> tamper;
  for (const std::string& line : Lines(run.out))
    if (line.find("\"check\":\"tamper\"") != std::string::npos && line.find(".SVG\"") != std::string::npos)
      tamper.push_back(line);
  // Record 3 is a drawing; P0000003.SVG is record 4's.
  ASSERT_EQ(tamper.size(), 1u) << run.out;
  EXPECT_EQ(tamper[0].rfind("{\"record\":4,\"file\":\"P0000003.SVG\",\"check\":\"tamper\",\"severity\":\"誤り\"", 0),
            0u)
      << tamper[0];
  EXPECT_NE(tamper[0].find("小黒板画像（dcp_chalkboard_img）: 画像が変更されています"), std::string::npos) << tamper[0];
  EXPECT_NE(run.out.find("\"tamper_checked\":2,\"tamper_intact\":1,"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"blackboard\":2,"), std::string::npos) << run.out;
}

TEST_F(BlackboardCliTest, DumpGivesEachRecordsBoard) {
  const fs::path root = MakeDelivery({Board([](test::BoardSpec&) {}), test::BlackboardPhoto(Picture(), Exif())});
  const ProgramRun run = Run("--dump", root);
  ASSERT_EQ(run.status, 0);
  const std::vector<std::string> lines = Lines(run.out);
  std::vector<std::string> records;
  for (const std::string& line : lines)
    if (line.rfind("    {\"RECORD\"", 0) == 0) records.push_back(line);
  ASSERT_EQ(records.size(), 2u) << run.out;
  EXPECT_NE(records[0].find("\"blackboard\": {\"工事件名\": \"一般国道１２号　白石改良工事\", \"受注者名\": "
                            "\"株式会社白石建設\", \"写真-大分類\": \"工事\""),
            std::string::npos)
      << records[0];
  EXPECT_NE(records[0].find("\"工種区分予備\": [\"a\", \"b\"]"), std::string::npos) << records[0];
  EXPECT_NE(records[0].find("\"施工管理値\": [{\"区分\": \"施工管理値\", \"項目\": [{\"名称\": \"高さ\", \"記号\": "
                            "\"H\", \"設計値\": \"1.20\", \"実測値\": \"1.2\", \"単位\": \"m\""),
            std::string::npos)
      << records[0];
  EXPECT_NE(records[1].find("\"blackboard\": null}"), std::string::npos) << records[1];
}

}  // namespace
}  // namespace zor
