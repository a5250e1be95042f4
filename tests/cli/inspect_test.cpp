// `zorview --inspect` run as users run it: on a delivery written by the
// test with one fault per photo, on the tamper samples, on the real
// deliveries (their pictures are absent) and with wrong arguments.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "picture_writer.h"
#include "program_run.h"
#include "text/encoding.h"

namespace zor {
namespace {

namespace fs = std::filesystem;
using test::ProgramRun;

struct Photo {
  std::string name;  // as listed
  std::string date;
  std::string serial;
  test::Bytes content;  // empty: not written
};

class InspectCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("zor_inspect_cli_" + std::to_string(::getpid()));
    fs::create_directories(dir_ / "xdg");
  }
  void TearDown() override { fs::remove_all(dir_); }

  ProgramRun Inspect(const std::string& args) {
    return test::RunProgram("XDG_DATA_HOME='" + (dir_ / "xdg").string() + "' '" ZOR_PROGRAM "' --inspect " + args +
                            " 2>/dev/null");
  }

  // A construction delivery (its index names the period 2010-10-01 to
  // 2011-03-25) listing the photos; the files go to PHOTO/PIC under the
  // names given in files, in listing order when empty.
  fs::path MakeDelivery(const std::vector<Photo>& photos) {
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
    for (const Photo& p : photos) {
      xml += "<写真情報>\r\n<写真ファイル情報>\r\n<シリアル番号>" + p.serial + "</シリアル番号>\r\n<写真ファイル名>" +
             p.name +
             "</写真ファイル名>\r\n<メディア番号>1</メディア番号>\r\n</写真ファイル情報>\r\n"
             "<撮影工種区分>\r\n<写真-大分類>工事</写真-大分類>\r\n<写真区分>施工状況写真</写真区分>\r\n"
             "<工種>道路土工</工種>\r\n<写真タイトル>検査</写真タイトル>\r\n</撮影工種区分>\r\n"
             "<撮影情報>\r\n<撮影年月日>" +
             p.date + "</撮影年月日>\r\n</撮影情報>\r\n</写真情報>\r\n";
      if (!p.content.empty()) test::WriteFile(root / "PHOTO" / "PIC" / p.name, p.content);
    }
    xml += "</photodata>\r\n";
    std::ofstream(root / "PHOTO" / "PHOTO.XML", std::ios::binary) << Sj(xml);
    return root;
  }

  fs::path dir_;
};

test::ExifSpec ExifOn(const std::string& date) {
  test::ExifSpec e;
  e.dateTimeOriginal = date + " 10:00:00" + '\0';
  return e;
}

const test::Bytes& Picture() {
  static const test::Bytes jpeg = test::EncodedJpeg(1280, 960);
  return jpeg;
}

test::Bytes Blackboard(const std::string& date) { return test::BlackboardPhoto(Picture(), ExifOn(date)); }

// One fault per photo; the first photo has none. Each check shows once in
// the report, and each faulty photo carries its check.
TEST_F(InspectCliTest, EachCheckOnceInADeliveryOfOneFaultPerPhoto) {
  test::Bytes imageBit = Blackboard("2010:10:05");
  imageBit[test::ImageDataOffset(imageBit) + 60] ^= 0x04;
  test::Bytes dateDigit = Blackboard("2010:10:05");
  const std::string stored = "2010:10:05 10:00:00";
  std::search(dateDigit.begin(), dateDigit.end(), stored.begin(), stored.end())[18] = '1';
  test::TamperSpec shortValue;
  shortValue.imageValue = test::ImageDigest(Picture()).substr(1);
  shortValue.dateValue = test::DateDigest(ExifOn("2010:10:05"));
  const test::Bytes malformed = test::WithSegments(
      Picture(), {{0xE1, test::ExifSegment(ExifOn("2010:10:05"))}, {0xE5, test::TamperSegment(shortValue)}});

  const struct {
    Photo photo;
    const char* check;  // nullptr: nothing
    const char* severity;
  } kRows[] = {
      {{"P0000001.JPG", "2010-10-05", "1", Blackboard("2010:10:05")}, nullptr, ""},
      {{"P0000002.JPG", "2010-10-05", "2", {}}, "file.missing", "誤り"},
      {{"P0000001.JPG", "2010-10-05", "3", {}}, "file.duplicate", "注意"},
      {{"P000004.JPG", "2010-10-05", "4", Blackboard("2010:10:05")}, "file.name", "誤り"},
      {{"P0000005.JPG", "2010-10-05", "5", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}}, "file.format", "誤り"},
      {{"P0000006.JPG", "2010-10-05", "5", Blackboard("2010:10:05")}, "serial", "注意"},
      {{"P0000007.JPG", "2010-2-3", "7", Blackboard("2010:02:03")}, "date.invalid", "誤り"},
      {{"P0000008.JPG", "2999-01-01", "8", Blackboard("2999:01:01")}, "date.future", "誤り"},
      {{"P0000009.JPG", "2012-01-05", "9", Blackboard("2012:01:05")}, "date.period", "注意"},
      {{"P0000010.JPG", "2010-10-05", "10", Blackboard("2010:10:06")}, "exif.date", "注意"},
      {{"P0000011.JPG", "2010-10-05", "11", imageBit}, "tamper", "誤り"},
      {{"P0000012.JPG", "2010-10-05", "12", dateDigit}, "tamper", "誤り"},
      {{"P0000013.JPG", "2010-10-05", "13", malformed}, "tamper", "注意"},
      {{"P0000014.JPG", "2010-10-05", "14", test::CameraPhoto(Picture(), ExifOn("2010:10:05"))}, "tamper", "注意"},
      {{"P0000015.JPG", "2010-10-05", "15", test::BlackboardPhoto(test::EncodedJpeg(16, 16), ExifOn("2010:10:05"))},
       nullptr,
       ""},
  };
  std::vector<Photo> photos;
  for (const auto& row : kRows) photos.push_back(row.photo);
  const fs::path root = MakeDelivery(photos);
  test::WriteFile(root / "PHOTO" / "PIC" / "P0000099.JPG", Picture());
  const auto before = fs::last_write_time(root / "PHOTO" / "PHOTO.XML");

  const ProgramRun json = Inspect("--json '" + root.string() + "'");
  EXPECT_EQ(json.status, 1);
  for (std::size_t i = 0; i < std::size(kRows); ++i) {
    const std::string record = "{\"record\":" + std::to_string(i + 1) + ",";
    if (!kRows[i].check) {
      EXPECT_EQ(json.out.find(record), std::string::npos) << json.out;
      continue;
    }
    const std::string line = record + "\"file\":\"" + kRows[i].photo.name + "\",\"check\":\"" + kRows[i].check +
                             "\",\"severity\":\"" + kRows[i].severity + "\"";
    EXPECT_NE(json.out.find(line), std::string::npos) << line << "\n" << json.out;
  }
  EXPECT_NE(json.out.find("\"file\":\"P0000099.JPG\",\"check\":\"file.unlisted\""), std::string::npos);
  EXPECT_NE(json.out.find("\"message\":\"画像が変更されています\""), std::string::npos);
  EXPECT_NE(json.out.find("\"message\":\"撮影日時が変更されています\""), std::string::npos);
  // Only the small picture is outside 1 to 3 million pixels.
  EXPECT_NE(json.out.find("\"check\":\"pixels\",\"severity\":\"参考\""), std::string::npos);
  EXPECT_NE(json.out.find("\"records\":[15]}"), std::string::npos) << json.out;
  EXPECT_EQ(json.out.substr(json.out.rfind('\n', json.out.size() - 2) + 1).rfind("{\"summary\":{\"pictures\":15,", 0),
            0u);

  // The report groups by check: each heading once, in check order.
  const ProgramRun text = Inspect("'" + root.string() + "'");
  EXPECT_EQ(text.status, 1);
  std::vector<std::string> headings;
  std::size_t at = 0;
  while ((at = text.out.find("【", at)) != std::string::npos) {
    const std::size_t end = text.out.find('\n', at);
    const std::string line = text.out.substr(at, end - at);
    headings.push_back(line.substr(line.find("】 ") + 4, line.find("  ") - line.find("】 ") - 4));
    at = end;
  }
  const std::vector<std::string> expected = {"file.missing", "file.unlisted", "file.duplicate", "file.name",
                                             "file.format",  "serial",        "date.invalid",   "date.future",
                                             "date.period",  "exif.date",     "pixels",         "tamper"};
  EXPECT_EQ(headings, expected) << text.out;
  EXPECT_EQ(fs::last_write_time(root / "PHOTO" / "PHOTO.XML"), before);
}

// Files named otherwise than the listing says: each listed photo is
// missing, and the files in the folder the photo file names are unlisted,
// though no listed file was found in it.
TEST_F(InspectCliTest, AFolderWithNoneOfItsListedFilesHasItsFilesReported) {
  const fs::path root = MakeDelivery({{"P0000001.JPG", "2010-10-05", "1", {}}, {"P0000002.JPG", "2010-10-05", "2", {}}});
  test::WriteFile(root / "PHOTO" / "PIC" / "IMG_0001.JPG", Picture());
  test::WriteFile(root / "PHOTO" / "PIC" / "IMG_0002.JPG", Picture());
  const ProgramRun run = Inspect("--json '" + root.string() + "'");
  EXPECT_EQ(run.status, 1);
  for (const char* name : {"IMG_0001.JPG", "IMG_0002.JPG"})
    EXPECT_NE(run.out.find(std::string("\"file\":\"") + name + "\",\"check\":\"file.unlisted\""), std::string::npos)
        << name << "\n"
        << run.out;
  EXPECT_NE(run.out.find("\"missing\":2"), std::string::npos) << run.out;
}

TEST_F(InspectCliTest, TamperSamplesGiveTheOutcomesOfTheirReadme) {
  const fs::path samples = ZOR_SAMPLES_TAMPER;
  if (!fs::is_directory(samples)) GTEST_SKIP() << samples << " is not here";
  const char* kFiles[] = {"apple-hashed.jpg", "canon-hashed.jpg", "google-hashed.jpg", "canon-plain.jpg",
                          "ricoh-camera-memo.jpg"};
  std::vector<Photo> photos;
  for (std::size_t i = 0; i < std::size(kFiles); ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "P%07zu.JPG", i + 1);
    photos.push_back({name, "2010-10-05", std::to_string(i + 1), {}});
  }
  const fs::path root = MakeDelivery(photos);
  for (std::size_t i = 0; i < std::size(kFiles); ++i)
    fs::copy_file(samples / kFiles[i], root / "PHOTO" / "PIC" / photos[i].name);
  const ProgramRun run = Inspect("--json '" + root.string() + "'");
  // The three hashed ones are intact; the two others carry no check data,
  // which beside blackboard photos is a 注意 each.
  EXPECT_EQ(run.out.find("\"check\":\"tamper\",\"severity\":\"誤り\""), std::string::npos) << run.out;
  for (int record : {1, 2, 3})
    EXPECT_EQ(run.out.find("{\"record\":" + std::to_string(record) + ",\"file\":\"P000000" + std::to_string(record) +
                           ".JPG\",\"check\":\"tamper\""),
              std::string::npos)
        << record;
  for (int record : {4, 5})
    EXPECT_NE(run.out.find(
                  "{\"record\":" + std::to_string(record) + ",\"file\":\"P000000" + std::to_string(record) +
                  ".JPG\",\"check\":\"tamper\",\"severity\":\"注意\",\"message\":\"改ざんチェック値がありません。\""),
              std::string::npos)
        << record << "\n"
        << run.out;
  EXPECT_NE(run.out.find("\"tamper_checked\":3,\"tamper_intact\":3,\"without_tamper\":2"), std::string::npos)
      << run.out;
}

TEST_F(InspectCliTest, RealDeliveriesReportEveryPictureMissing) {
  const fs::path real = ZOR_SAMPLES_REAL;
  if (!fs::is_directory(real)) GTEST_SKIP() << real << " is not here";
  for (const auto& [folder, photos] : {std::pair{"services-2022", 64}, std::pair{"services-example", 4}}) {
    const ProgramRun run = Inspect("--json '" + (real / folder).string() + "'");
    EXPECT_EQ(run.status, 1) << folder;
    int missing = 0;
    for (std::size_t at = 0;
         (at = run.out.find("\"check\":\"file.missing\",\"severity\":\"誤り\"", at)) != std::string::npos; ++at)
      ++missing;
    EXPECT_EQ(missing, photos) << folder;
    EXPECT_NE(run.out.find("{\"summary\":{\"pictures\":" + std::to_string(photos) +
                           ",\"read\":0,\"missing\":" + std::to_string(photos)),
              std::string::npos)
        << folder << "\n"
        << run.out;
  }
}

TEST_F(InspectCliTest, UsageAndUnloadableDeliveries) {
  for (const char* args : {"", "--json", "--xml X Y", "A B"}) EXPECT_EQ(Inspect(args).status, 2) << args;
  EXPECT_EQ(Inspect("'" + (dir_ / "nothing").string() + "'").status, 2);
  fs::create_directories(dir_ / "empty");
  EXPECT_EQ(Inspect("'" + (dir_ / "empty").string() + "'").status, 2);
}

}  // namespace
}  // namespace zor
