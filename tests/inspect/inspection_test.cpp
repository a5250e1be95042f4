// The checks of the listing and the whole run over a plan made by the
// tests: dates, serial numbers, names, missing, duplicate and unlisted files,
// and the counting lines.
#include "inspect/inspection.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "inspect/report.h"
#include "picture_writer.h"
#include "text/encoding.h"

namespace zor {
namespace {

namespace fs = std::filesystem;

class InspectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("zor_inspection_" + std::to_string(::getpid()));
    fs::create_directories(root_ / "PIC");
    plan_.pictures.root = root_.string() + "/";
    plan_.pictures.currentLayout = true;
    plan_.periodStart = CalendarDate{2010, 10, 1};
    plan_.periodEnd = CalendarDate{2011, 3, 25};
    options_.today = CalendarDate{2011, 6, 1};
  }
  void TearDown() override { fs::remove_all(root_); }

  // A photo in PIC, written unless content is empty, with EXIF of exifDate.
  void AddPhoto(const std::string& name, const std::string& date, const std::string& serial,
                const std::string& exifDate = "", bool write = true) {
    const int record = static_cast<int>(plan_.pictures.entries.size()) + 1;
    ListedPicture p{record, false, name, "", false, serial, record};
    if (write) {
      const fs::path file = root_ / "PIC" / name;
      test::ExifSpec exif;
      exif.dateTimeOriginal = (exifDate.empty() ? std::string("2010:10:05") : exifDate) + " 09:00:00" + '\0';
      if (!fs::exists(file)) test::WriteFile(file, test::CameraPhoto(Jpeg(), exif));
      p.file = file.string();
    }
    plan_.pictures.entries.push_back(p);
    plan_.dates.push_back(Sj(date));
  }

  static const test::Bytes& Jpeg() {
    static const test::Bytes jpeg = test::EncodedJpeg(1280, 960);
    return jpeg;
  }

  InspectionResult Run() {
    Host host;
    return RunInspection(plan_, host, options_);
  }

  fs::path root_;
  InspectionPlan plan_;
  InspectOptions options_;
};

std::vector<std::string> ChecksOf(const InspectionResult& r, int record) {
  std::vector<std::string> checks;
  for (const Finding& f : r.findings)
    if (f.record == record) checks.push_back(f.check);
  return checks;
}

TEST_F(InspectionTest, EachRecordGivesItsOneFinding) {
  const struct {
    const char* name;
    const char* date;
    const char* serial;
    const char* exifDate;
    bool write;
    const char* check;  // nullptr: nothing
    Severity severity;
  } kRows[] = {
      {"P0000001.JPG", "2010-10-05", "1", "", true, nullptr, Severity::kNote},
      {"P0000002.JPG", "2010-10-05", "2", "", false, "file.missing", Severity::kError},
      {"P0000001.JPG", "2010-10-05", "3", "", true, "file.duplicate", Severity::kWarning},
      {"p0000004.jpg", "2010-10-05", "4", "", true, "file.name", Severity::kError},
      {"P0000005.JPG", "2010-10-05", "4", "", true, "serial", Severity::kWarning},
      {"P0000006.JPG", "2010-10-05", "3", "", true, "serial", Severity::kWarning},
      {"P0000007.JPG", "2023-02-30", "7", "", true, "date.invalid", Severity::kError},
      {"P0000008.JPG", "2023-2-3", "8", "", true, "date.invalid", Severity::kError},
      {"P0000009.JPG", "令和5年", "9", "", true, "date.invalid", Severity::kError},
      {"P0000010.JPG", "2011-06-02", "10", "2011:06:02", true, "date.future", Severity::kError},
      {"P0000011.JPG", "2011-04-01", "11", "2011:04:01", true, "date.period", Severity::kWarning},
      {"P0000012.JPG", "2010-10-06", "12", "2010:10:07", true, "exif.date", Severity::kWarning},
      {"P0000013.JPG", "2010-10-05", "1x", "", true, "serial", Severity::kWarning},
  };
  for (const auto& row : kRows) AddPhoto(row.name, row.date, row.serial, row.exifDate, row.write);
  const InspectionResult r = Run();
  for (std::size_t i = 0; i < std::size(kRows); ++i) {
    const int record = static_cast<int>(i) + 1;
    const std::vector<std::string> checks = ChecksOf(r, record);
    if (!kRows[i].check) {
      EXPECT_TRUE(checks.empty()) << record << ": " << (checks.empty() ? "" : checks[0]);
      continue;
    }
    ASSERT_EQ(checks.size(), 1u) << record << " " << kRows[i].check;
    EXPECT_EQ(checks[0], kRows[i].check) << record;
    for (const Finding& f : r.findings) {
      if (f.record == record) {
        EXPECT_EQ(f.severity, kRows[i].severity) << record;
      }
    }
  }
  EXPECT_EQ(r.summary.pictures, 13);
  EXPECT_EQ(r.summary.missing, 1);
  EXPECT_EQ(r.summary.read, 12);
  EXPECT_EQ(r.summary.errors, 6);
  EXPECT_FALSE(r.summary.cancelled);
}

TEST_F(InspectionTest, UnlistedFilesAndPicturesOnAnotherMedium) {
  AddPhoto("P0000001.JPG", "2010-10-05", "1");
  test::WriteFile(root_ / "PIC" / "P0000099.JPG", Jpeg());
  plan_.pictures.entries.push_back(ListedPicture{2, false, "P0000002.JPG", "", true, "2", 2});
  plan_.dates.push_back("2010-10-05");
  const InspectionResult r = Run();
  std::vector<std::string> unlisted, missing;
  for (const Finding& f : r.findings) {
    if (f.check == "file.unlisted") unlisted.push_back(f.file);
    if (f.check == "file.missing") missing.push_back(SeverityText(f.severity));
  }
  EXPECT_EQ(unlisted, std::vector<std::string>{"P0000099.JPG"});
  EXPECT_EQ(missing, std::vector<std::string>{Sj("参考")});
  EXPECT_EQ(r.summary.otherMedium, 1);
  EXPECT_EQ(r.summary.missing, 0);
}

TEST_F(InspectionTest, WithoutAPeriodOneNoteSaysSo) {
  plan_.periodStart.reset();
  options_.today = CalendarDate{2013, 1, 1};
  AddPhoto("P0000001.JPG", "2012-01-01", "1", "2012:01:01");
  const InspectionResult r = Run();
  std::vector<Severity> period;
  for (const Finding& f : r.findings)
    if (f.check == "date.period") period.push_back(f.severity);
  EXPECT_EQ(period, std::vector<Severity>{Severity::kNote});
  EXPECT_TRUE(ChecksOf(r, 1).empty());
}

// Pixels, missing EXIF dates and photos without check data are counted in
// one line each; a photo without check data is listed only beside photos
// that have some.
TEST_F(InspectionTest, CountingLines) {
  test::WriteFile(root_ / "PIC" / "P0000001.JPG", test::EncodedJpeg(16, 16));
  AddPhoto("P0000001.JPG", "2010-10-05", "1");
  test::ExifSpec exif;
  exif.dateTimeOriginal = std::string("2010:10:05 09:00:00", 20);
  test::WriteFile(root_ / "PIC" / "P0000002.JPG", test::BlackboardPhoto(Jpeg(), exif));
  AddPhoto("P0000002.JPG", "2010-10-05", "2");
  const InspectionResult r = Run();
  std::vector<std::pair<std::string, int>> lines;
  for (const Finding& f : r.findings) lines.emplace_back(f.check, f.record);
  const std::vector<std::pair<std::string, int>> expected = {
      {"exif.date", 0}, {"pixels", 0}, {"tamper", 1}, {"tamper", 0}, {"tamper", 0}};
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(r.findings[1].records, std::vector<int>{1});
  EXPECT_EQ(r.summary.tamperChecked, 1);
  EXPECT_EQ(r.summary.tamperIntact, 1);
  EXPECT_EQ(r.summary.withoutTamper, 1);
  EXPECT_EQ(RecordsWithFindings(r), std::vector<int>{1});
}

// A DateTimeOriginal without its NUL, or with a broken EXIF directory: a
// clear line each, never a silent pass.
TEST_F(InspectionTest, BrokenExifDatesAreReported) {
  test::ExifSpec shortDate;
  shortDate.dateTimeOriginal = "2010:10:05 09:00:00";
  test::WriteFile(root_ / "PIC" / "P0000001.JPG", test::CameraPhoto(Jpeg(), shortDate));
  AddPhoto("P0000001.JPG", "2010-10-05", "1");
  test::ExifSpec loop;
  loop.exifIfdPointsToIfd0 = true;
  test::WriteFile(root_ / "PIC" / "P0000002.JPG", test::CameraPhoto(Jpeg(), loop));
  AddPhoto("P0000002.JPG", "2010-10-05", "2");
  const InspectionResult r = Run();
  for (int record : {1, 2}) {
    std::vector<std::string> messages;
    for (const Finding& f : r.findings)
      if (f.record == record && f.check == "exif.date" && f.severity == Severity::kWarning)
        messages.push_back(Cp932ToUtf8(f.message));
    ASSERT_EQ(messages.size(), 1u) << record;
    EXPECT_NE(messages[0].find(record == 1 ? "形式が不正" : "壊れています"), std::string::npos) << messages[0];
  }
}

// A picture that does not read as its format gives file.format alone: it
// is not counted as a photo without EXIF date, pixels or check data.
TEST_F(InspectionTest, ABrokenPictureGivesItsFormatFindingAlone) {
  test::ExifSpec exif;
  exif.dateTimeOriginal = std::string("2010:10:05 09:00:00", 20);
  test::WriteFile(root_ / "PIC" / "P0000001.JPG", test::BlackboardPhoto(Jpeg(), exif));
  AddPhoto("P0000001.JPG", "2010-10-05", "1");
  test::Bytes cut = test::CameraPhoto(Jpeg(), {});
  cut.resize(test::ImageDataOffset(cut) - 10);
  test::WriteFile(root_ / "PIC" / "P0000002.JPG", cut);
  AddPhoto("P0000002.JPG", "2010-10-05", "2");
  const InspectionResult r = Run();
  EXPECT_EQ(ChecksOf(r, 2), std::vector<std::string>{"file.format"});
  EXPECT_EQ(r.summary.withoutTamper, 0);
  EXPECT_EQ(r.summary.withoutExifDate, 0);
}

TEST_F(InspectionTest, ALinkOutOfTheDeliveryIsNotFollowed) {
  const fs::path outside = root_.string() + "_outside.jpg";
  test::WriteFile(outside, test::CameraPhoto(Jpeg(), {}));
  fs::create_symlink(outside, root_ / "PIC" / "P0000001.JPG");
  AddPhoto("P0000001.JPG", "2010-10-05", "1");
  const InspectionResult r = Run();
  fs::remove(outside);
  ASSERT_EQ(ChecksOf(r, 1), std::vector<std::string>{"file.missing"});
  EXPECT_EQ(r.summary.read, 0);
}

TEST_F(InspectionTest, CancelledBeforeStartReadsNothing) {
  for (int i = 1; i <= 20; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "P%07d.JPG", i);
    AddPhoto(name, "2010-10-05", std::to_string(i));
  }
  std::atomic<bool> cancel{true};
  options_.cancel = &cancel;
  const InspectionResult r = Run();
  EXPECT_TRUE(r.summary.cancelled);
  EXPECT_EQ(r.summary.read, 0);
  EXPECT_NE(ReportLines(r).back().find(Sj("中止しました。")), std::string::npos);
}

TEST_F(InspectionTest, ParallelRunFindsWhatOneThreadFinds) {
  for (int i = 1; i <= 24; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "P%07d.JPG", i);
    AddPhoto(name, i % 5 ? "2010-10-05" : "2010-10-09", std::to_string(i));
  }
  options_.threads = 1;
  const std::vector<std::string> one = ReportLines(Run());
  options_.threads = 4;
  EXPECT_EQ(ReportLines(Run()), one);
  EXPECT_GT(one.size(), 4u);
}

}  // namespace
}  // namespace zor
