// One read of a picture: format, completeness, EXIF fields and the tamper
// outcome, for pictures written by the tests with one fault each.
#include "inspect/picture_facts.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "picture_writer.h"

namespace zor {
namespace {

namespace fs = std::filesystem;
using test::Bytes;
using test::ExifSpec;
using test::TamperSpec;

const Bytes& Base() {
  static const Bytes jpeg = test::EncodedJpeg(64, 48);
  return jpeg;
}

Bytes Intact() { return test::BlackboardPhoto(Base(), ExifSpec{}); }

// An intact photo changed after its values were written.
Bytes FlipImageBit() {
  Bytes b = Intact();
  b[test::ImageDataOffset(b) + 40] ^= 0x01;
  return b;
}

Bytes ChangeDateDigit() {
  Bytes b = Intact();
  const std::string from = "2010:10:05";
  auto at = std::search(b.begin(), b.end(), from.begin(), from.end());
  at[9] = '6';
  return b;
}

Bytes WithTamper(TamperSpec t, const ExifSpec& exif = {}) {
  if (t.imageValue.empty()) t.imageValue = test::ImageDigest(Base());
  if (t.dateValue.empty()) t.dateValue = test::DateDigest(exif);
  return test::WithSegments(Base(), {{0xE1, test::ExifSegment(exif)}, {0xE5, test::TamperSegment(t)}});
}

Bytes Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  TamperSpec t;
  t.imageValue = s;
  return WithTamper(t);
}

struct Case {
  const char* name;
  std::function<Bytes()> build;
  PictureFormat format;
  bool formatFault;
  TamperOutcome tamper;
  bool exifFault;
};

const Case kCases[] = {
    {"intact", Intact, PictureFormat::kJpeg, false, TamperOutcome::kIntact, false},
    {"one bit of image data", FlipImageBit, PictureFormat::kJpeg, false, TamperOutcome::kImage, false},
    {"one digit of the date", ChangeDateDigit, PictureFormat::kJpeg, false, TamperOutcome::kDate, false},
    {"both",
     [] {
       Bytes b = ChangeDateDigit();
       b[test::ImageDataOffset(b) + 40] ^= 0x01;
       return b;
     },
     PictureFormat::kJpeg, false, TamperOutcome::kBoth, false},
    {"image value in upper case", [] { return Upper(test::ImageDigest(Base())); }, PictureFormat::kJpeg, false,
     TamperOutcome::kImage, false},
    {"with SubSecTimeOriginal",
     [] {
       ExifSpec e;
       e.subSecTimeOriginal = std::string("42\0", 3);
       return test::BlackboardPhoto(Base(), e);
     },
     PictureFormat::kJpeg, false, TamperOutcome::kIntact, false},
    {"RMETA 0x0100",
     [] {
       TamperSpec t;
       t.identifier = std::string("RMETA\0", 6);
       t.version[1] = 0x00;
       return WithTamper(t);
     },
     PictureFormat::kJpeg, false, TamperOutcome::kIntact, false},
    {"value of 63 digits",
     [] {
       TamperSpec t;
       t.imageValue = test::ImageDigest(Base()).substr(1);
       return WithTamper(t);
     },
     PictureFormat::kJpeg, false, TamperOutcome::kMalformed, false},
    {"value of 65 digits",
     [] {
       TamperSpec t;
       t.dateValue = test::DateDigest({}) + "0";
       return WithTamper(t);
     },
     PictureFormat::kJpeg, false, TamperOutcome::kMalformed, false},
    {"charset ASCII",
     [] {
       TamperSpec t;
       t.charset = std::string("ASCII\0\0\0", 8);
       return WithTamper(t);
     },
     PictureFormat::kJpeg, false, TamperOutcome::kMalformed, false},
    {"section size past the segment",
     [] {
       TamperSpec t;
       t.valuesSizePastSegment = true;
       return WithTamper(t);
     },
     PictureFormat::kJpeg, false, TamperOutcome::kMalformed, false},
    {"names without NUL",
     [] {
       TamperSpec t;
       t.namesWithoutNul = true;
       return WithTamper(t);
     },
     PictureFormat::kJpeg, false, TamperOutcome::kMalformed, false},
    {"no values section",
     [] {
       TamperSpec t;
       t.omitValues = true;
       return WithTamper(t);
     },
     PictureFormat::kJpeg, false, TamperOutcome::kMalformed, false},
    {"byte order II",
     [] {
       TamperSpec t;
       t.byteOrder = "II";
       return WithTamper(t);
     },
     PictureFormat::kJpeg, false, TamperOutcome::kNoData, false},
    {"no APP5", [] { return test::CameraPhoto(Base(), {}); }, PictureFormat::kJpeg, false, TamperOutcome::kNoData,
     false},
    {"cut in the image data",
     [] {
       Bytes b = Intact();
       b.resize(b.size() - 20);
       return b;
     },
     PictureFormat::kJpeg, true, TamperOutcome::kImage, false},
    {"cut in the header",
     [] {
       Bytes b = Intact();
       b.resize(test::ImageDataOffset(b) - 30);
       return b;
     },
     PictureFormat::kJpeg, true, TamperOutcome::kNoData, false},
    {"EXIF offset out of range",
     [] {
       ExifSpec e;
       e.dateOffsetOutOfRange = true;
       return test::CameraPhoto(Base(), e);
     },
     PictureFormat::kJpeg, false, TamperOutcome::kNoData, true},
    {"EXIF directory loop",
     [] {
       ExifSpec e;
       e.exifIfdPointsToIfd0 = true;
       return test::CameraPhoto(Base(), e);
     },
     PictureFormat::kJpeg, false, TamperOutcome::kNoData, true},
    {"TIFF header", [] { return Bytes{'I', 'I', 42, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0}; }, PictureFormat::kTiff, true,
     TamperOutcome::kNoData, false},
    {"PNG content", [] { return Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0}; }, PictureFormat::kUnknown,
     false, TamperOutcome::kNoData, false},
    {"empty file", [] { return Bytes{}; }, PictureFormat::kUnknown, false, TamperOutcome::kNoData, false},
};

class PictureFactsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("zor_facts_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
};

TEST_F(PictureFactsTest, EachFaultGivesItsOutcome) {
  for (const Case& c : kCases) {
    const fs::path file = dir_ / "P0000001.JPG";
    test::WriteFile(file, c.build());
    const PictureFacts f = ReadPictureFacts(file);
    EXPECT_TRUE(f.opened) << c.name;
    EXPECT_EQ(f.fileSize, fs::file_size(file)) << c.name;
    EXPECT_EQ(f.format, c.format) << c.name;
    EXPECT_EQ(!f.formatFault.empty(), c.formatFault) << c.name << ": " << f.formatFault;
    EXPECT_EQ(f.tamper, c.tamper) << c.name << ": " << f.tamperValues.fault;
    EXPECT_EQ(!f.exif.fault.empty(), c.exifFault) << c.name << ": " << f.exif.fault;
  }
}

TEST_F(PictureFactsTest, ReadsTheExifFieldsAndThePictureSize) {
  ExifSpec e;
  e.make = "MAKER";
  e.model = "MODEL 7";
  e.subSecTimeOriginal = std::string("05", 2);
  e.pixelX = 64;
  e.pixelY = 48;
  const fs::path file = dir_ / "a.jpg";
  test::WriteFile(file, test::CameraPhoto(Base(), e));
  const PictureFacts f = ReadPictureFacts(file);
  EXPECT_EQ(f.width, 64);
  EXPECT_EQ(f.height, 48);
  EXPECT_TRUE(f.hasExif);
  EXPECT_EQ(f.exif.make, "MAKER");
  EXPECT_EQ(f.exif.model, "MODEL 7");
  EXPECT_EQ(f.exif.dateTimeOriginal, std::string("2010:10:05 09:30:00", 20));
  EXPECT_EQ(f.exif.subSecTimeOriginal, std::string("05", 2));
  EXPECT_EQ(f.exif.pixelX, 64u);
  EXPECT_EQ(f.exif.pixelY, 48u);
}

TEST_F(PictureFactsTest, ADirectoryOrAMissingFileIsNotRead) {
  fs::create_directories(dir_ / "P0000002.JPG");
  // A FIFO or a device in a picture's place is refused once opened: no hang.
  ASSERT_EQ(mkfifo((dir_ / "P0000003.JPG").c_str(), 0600), 0);
  for (const fs::path& p : {dir_ / "P0000002.JPG", dir_ / "none.jpg", dir_ / "P0000003.JPG", fs::path("/dev/zero")}) {
    const PictureFacts f = ReadPictureFacts(p);
    EXPECT_FALSE(f.opened) << p;
    EXPECT_FALSE(f.readError.empty()) << p;
  }
}

// An SVG picture is drawn small once: a broken document is a format fault.
TEST_F(PictureFactsTest, AnSvgMustBeADocumentThatCanBeDrawn) {
  struct Case {
    const char* text;
    bool fault;
  } cases[] = {
      {"<svg xmlns='http://www.w3.org/2000/svg' width='40' height='30'><rect width='40' height='30'/></svg>", false},
      {"<svg xmlns='http://www.w3.org/2000/svg' width='40' height='30'><rect width='", true},
      {"<svg xmlns='http://www.w3.org/2000/svg'><rect width='4' height='3'/></svg>", true},  // no size
  };
  for (const Case& c : cases) {
    const std::string text = c.text;
    test::WriteFile(dir_ / "P0000001.SVG", Bytes(text.begin(), text.end()));
    const PictureFacts f = ReadPictureFacts(dir_ / "P0000001.SVG");
    EXPECT_EQ(f.format, PictureFormat::kSvg) << c.text;
    EXPECT_EQ(!f.formatFault.empty(), c.fault) << c.text;
  }
}

// Image data larger than one read block, with FF D9 split across blocks.
TEST_F(PictureFactsTest, HashesImageDataAcrossReadBlocks) {
  const Bytes big = test::EncodedJpeg(2400, 1800, 3);
  ASSERT_GT(big.size(), 16u);
  const Bytes photo = test::BlackboardPhoto(big, ExifSpec{});
  const fs::path file = dir_ / "big.jpg";
  test::WriteFile(file, photo);
  EXPECT_EQ(ReadPictureFacts(file).tamper, TamperOutcome::kIntact);
  Bytes trailing = photo;
  trailing.insert(trailing.end(), {0xFF, 0xD9, 1, 2, 3});
  test::WriteFile(file, trailing);
  EXPECT_EQ(ReadPictureFacts(file).tamper, TamperOutcome::kIntact);
}

TEST(ExifDate, OnlyTheStoredFormWithItsNul) {
  EXPECT_EQ(ParseExifDate(std::string("2023:04:01 10:00:00", 20)), (ExifDate{2023, 4, 1}));
  EXPECT_FALSE(ParseExifDate("2023:04:01 10:00:00"));  // 19 bytes, no NUL
  EXPECT_FALSE(ParseExifDate(std::string("2023-04-01 10:00:00", 20)));
  EXPECT_FALSE(ParseExifDate(std::string("    :  :     :  :  ", 20)));
  EXPECT_FALSE(ParseExifDate(std::string("2023:13:01 10:00:00", 20)));
}

}  // namespace
}  // namespace zor
