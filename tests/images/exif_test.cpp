#include <gtest/gtest.h>

#include "images/exif_thumbnail.h"
#include "images/jpeg_decode.h"
#include "images/jpeg_encode.h"
#include "sample_pictures.h"
#include "test_support.h"

namespace zor {
namespace {

using samples::Bytes;
using samples::ExifOptions;

class ExifThumbnail : public ::testing::Test {
 protected:
  const Bitmap photo = samples::Pattern(640, 480);
  const Bitmap thumbnail = samples::Pattern(160, 120);
  const Bytes thumbnail_jpeg = EncodeJpegBytes(thumbnail, 85);
};

TEST_F(ExifThumbnail, BothByteOrdersGiveTheSameThumbnail) {
  for (bool big : {false, true}) {
    const Bytes file = samples::JpegWithExif(photo, &thumbnail, {.big_endian = big});
    auto found = LoadExifThumbnail(file, 96);
    ASSERT_TRUE(found) << (big ? "MM" : "II");
    EXPECT_EQ(*found, thumbnail_jpeg);
    Bitmap decoded;
    ASSERT_TRUE(DecodeJpegStream(decoded, *found, 96));
    EXPECT_EQ(decoded.Width(), 160);
  }
}

TEST_F(ExifThumbnail, SizeRuleAndFileFromDisk) {
  testing::ScratchDir dir("exif");
  samples::WriteBytes(dir / "with.jpg", samples::JpegWithExif(photo, &thumbnail));
  samples::WriteBytes(dir / "without.jpg", samples::JpegWithExif(photo, nullptr));
  EXPECT_TRUE(LoadExifThumbnail(dir / "with.jpg", 0));  // any size
  EXPECT_TRUE(LoadExifThumbnail(dir / "with.jpg", 160));
  EXPECT_FALSE(LoadExifThumbnail(dir / "with.jpg", 161));
  EXPECT_FALSE(LoadExifThumbnail(dir / "without.jpg", 96));
  EXPECT_FALSE(LoadExifThumbnail(dir / "missing.jpg", 96));
  samples::WriteBytes(dir / "empty.jpg", {});
  EXPECT_FALSE(LoadExifThumbnail(dir / "empty.jpg", 96));
}

TEST_F(ExifThumbnail, LyingHeadersGiveNothing) {
  const auto size = static_cast<std::uint32_t>(samples::JpegWithExif(photo, &thumbnail).size());
  struct Case {
    const char* name;
    ExifOptions options;
  } cases[] = {
      {"JFIF segment first", {.jfif_first = true}},
      {"not JPEG compressed", {.compression = 1}},
      {"IFD0 past the end", {.ifd0_offset = size}},
      {"IFD0 near 4 GB", {.ifd0_offset = 0xFFFFFFF0u}},
      {"IFD1 past the end", {.ifd1_offset = size + 100}},
      {"IFD1 count negative", {.ifd1_count = 0x8001}},
      {"IFD1 count zero", {.ifd1_count = 0}},
      {"thumbnail past the end", {.thumbnail_offset = size}},
      {"thumbnail longer than the file", {.thumbnail_length = size}},
      {"thumbnail of 4 GB", {.thumbnail_length = 0xFFFFFFFFu}},
      {"thumbnail offset zero", {.thumbnail_offset = 0}},
      {"thumbnail length zero", {.thumbnail_length = 0}},
  };
  for (const Case& c : cases) {
    for (bool big : {false, true}) {
      ExifOptions options = c.options;
      options.big_endian = big;
      EXPECT_FALSE(LoadExifThumbnail(samples::JpegWithExif(photo, &thumbnail, options), 96)) << c.name;
    }
  }
}

TEST_F(ExifThumbnail, DirectoryPointingAtItselfOrTheHeaderIsHarmless) {
  // IFD1 = IFD0: its entries hold no thumbnail tags. Offsets of 0 make the
  // directories start at the TIFF header itself.
  for (ExifOptions options : {ExifOptions{.ifd1_offset = 8}, ExifOptions{.ifd0_offset = 0, .ifd1_offset = 0}}) {
    EXPECT_FALSE(LoadExifThumbnail(samples::JpegWithExif(photo, &thumbnail, options), 96));
  }
}

TEST_F(ExifThumbnail, ShortFiles) {
  for (const Bytes& bytes : {Bytes{}, Bytes{0xFF}, Bytes{0xFF, 0xD8, 0xFF}, Bytes{0xFF, 0xD8, 0xFF, 0xE1},
                             Bytes{0xFF, 0xD8, 0xFF, 0xE1, 0, 8, 'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0}}) {
    EXPECT_FALSE(LoadExifThumbnail(bytes, 0)) << bytes.size();
  }
}

}  // namespace
}  // namespace zor
