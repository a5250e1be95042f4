#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string_view>
#include <vector>

#include "images/exif_thumbnail.h"
#include "images/image_kind.h"
#include "images/photo_loader.h"
#include "images/picture_format.h"
#include "sample_pictures.h"
#include "test_support.h"

namespace zor {
namespace {

TEST(ImageKind, ByExtensionWithoutProbe) {
  struct Case {
    const char* name;
    int kind;
  } cases[] = {
      {"photo.Jpeg", 0},   {"PHOTO.JPG", 0},  {"a.jpg", 0},      {"x.bmp", 1},  {"x.DIB", 1},
      {"x.png", 2},        {"x.tif", 3},      {"x.TIFF", 3},     {"x.fpx", 5},  {"x.Pcx", 6},
      {"x.wmf", 20},       {"x.EMF", 20},     {"x.dxf", 30},     {"x.gif", 50}, {"a.txt", -1},
      {"noextension", -1}, {"x.jpg.bak", -1}, {"dir.jpg/x", -1}, {"x.", -1},    {".jpg", 0},
      {"P0000001.SVG", 60}, {"drawing.svg", 60}, {"x.svgz", -1},
  };
  for (const Case& c : cases) EXPECT_EQ(GetImageFileKind(c.name, true), c.kind) << c.name;
}

class ImageKindProbe : public ::testing::Test {
 protected:
  testing::ScratchDir dir{"kind"};
};

// A FIFO or a device under a picture's name is not opened: probing,
// decoding and the thumbnail route all refuse it at once.
TEST_F(ImageKindProbe, FifosAndDevicesAreNeverOpened) {
  std::vector<std::filesystem::path> odd;
  for (const char* name : {"pipe.gif", "pipe.tif", "pipe.jpg", "pipe.svg"}) {
    ASSERT_EQ(mkfifo((dir / name).c_str(), 0600), 0) << name;
    odd.push_back(dir / name);
  }
  odd.push_back("/dev/zero");
  EXPECT_EQ(GetImageFileKind(dir / "pipe.gif", false), kKindRejected);
  EXPECT_EQ(GetImageFileKind(dir / "pipe.tif", false), kKindRejected);
  for (const std::filesystem::path& path : odd) {
    EXPECT_EQ(SniffPictureFormat(path), PictureFormat::kUnknown) << path;
    Bitmap bitmap;
    EXPECT_FALSE(LoadPhotoBitmap(bitmap, path, 0)) << path;
    EXPECT_FALSE(LoadThumbnailBitmap(bitmap, path, 96)) << path;
    EXPECT_FALSE(LoadExifThumbnail(path, 96).has_value()) << path;
  }
}

TEST_F(ImageKindProbe, EveryReadableTiffIsTypeTwelve) {
  using namespace std::string_view_literals;
  const Bitmap picture = samples::Pattern(8, 6);
  ASSERT_TRUE(WriteImageFile(picture, dir / "a.tiff", "TIFF"));
  samples::WriteBytes(dir / "pages.tif", samples::ManyPageTiff(3));
  ASSERT_TRUE(WriteImageFile(picture, dir / "png_inside.tif", "PNG"));
  samples::WriteText(dir / "broken.tif", "II*\0garbage"sv);  // a TIFF header, then no TIFF
  samples::WriteText(dir / "text.tif", "hello");

  EXPECT_EQ(ProbeImageType(dir / "a.tiff"), kTypeTiff);
  EXPECT_EQ(GetImageFileKind(dir / "a.tiff", false), kKindTiffConvert);
  EXPECT_EQ(GetImageFileKind(dir / "pages.tif", false), kKindTiffConvert);
  EXPECT_EQ(GetImageFileKind(dir / "png_inside.tif", false), kKindTiff);  // probe reads a PNG
  ASSERT_EQ(SniffPictureFormat(dir / "broken.tif"), PictureFormat::kTiff);
  EXPECT_EQ(GetImageFileKind(dir / "broken.tif", false), kKindRejected);
  EXPECT_EQ(GetImageFileKind(dir / "text.tif", false), kKindRejected);
  EXPECT_EQ(GetImageFileKind(dir / "missing.tif", false), kKindRejected);
  EXPECT_EQ(GetImageFileKind(dir / "broken.tif", true), kKindTiff);  // no probe, no verdict
}

TEST_F(ImageKindProbe, GifMustBeReadable) {
  ASSERT_TRUE(WriteImageFile(samples::Pattern(8, 6), dir / "a.gif", "GIF"));
  samples::WriteBytes(dir / "empty.gif", samples::GifWithoutFrames());
  samples::WriteText(dir / "text.gif", "not a gif");

  EXPECT_EQ(GetImageFileKind(dir / "a.gif", false), kKindGif);
  EXPECT_EQ(GetImageFileKind(dir / "empty.gif", false), kKindRejected);
  EXPECT_EQ(GetImageFileKind(dir / "text.gif", false), kKindRejected);
  EXPECT_EQ(GetImageFileKind(dir / "text.gif", true), kKindGif);
}

TEST_F(ImageKindProbe, ProbeIgnoresOddFileNames) {
  // The library must not read a scene range or a format out of the name.
  ASSERT_TRUE(WriteImageFile(samples::Pattern(8, 6), dir / "png:scene[1].tif", "TIFF"));
  EXPECT_EQ(GetImageFileKind(dir / "png:scene[1].tif", false), kKindTiffConvert);
}

}  // namespace
}  // namespace zor
