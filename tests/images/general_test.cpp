#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "images/image_kit.h"
#include "sample_pictures.h"
#include "test_support.h"

namespace zor {
namespace {

bool Near(Bgr a, Bgr b, int tolerance) {
  return std::abs(a.blue - b.blue) <= tolerance && std::abs(a.green - b.green) <= tolerance &&
         std::abs(a.red - b.red) <= tolerance;
}

class GeneralLibrary : public ::testing::Test {
 protected:
  testing::ScratchDir dir{"general"};
  const Bitmap picture = samples::Pattern(21, 13);  // odd width: padded rows both ways
};

TEST_F(GeneralLibrary, LosslessFormatsComeBackExactly) {
  const samples::SampleFiles files = samples::WriteSampleFiles(dir.path(), picture);
  for (const auto& path : {files.bmp, files.png, files.tiff, files.pcx}) {
    Bitmap bitmap;
    ImageResult result = LoadWithImageKit(bitmap, path);
    ASSERT_TRUE(result) << path << ": " << result.reason;
    EXPECT_EQ(result.route, DecodeRoute::kGeneral);
    ASSERT_EQ(bitmap.Width(), 21) << path;
    ASSERT_EQ(bitmap.Height(), 13) << path;
    for (auto [x, y] : {std::pair{0, 0}, std::pair{20, 12}, std::pair{13, 7}})
      EXPECT_EQ(bitmap.Pixel(x, y), picture.Pixel(x, y)) << path << " at " << x << "," << y;
  }
}

TEST_F(GeneralLibrary, GifGoesThroughGiflib) {
  const samples::SampleFiles files = samples::WriteSampleFiles(dir.path(), picture);
  Bitmap bitmap;
  ImageResult result = LoadWithImageKit(bitmap, files.gif);
  ASSERT_TRUE(result) << result.reason;
  EXPECT_EQ(result.route, DecodeRoute::kGif);
  EXPECT_EQ(bitmap.Width(), 21);
  EXPECT_TRUE(Near(bitmap.Pixel(1, 1), picture.Pixel(1, 1), 16));  // a palette of 256 colours

  samples::WriteBytes(dir / "empty.gif", samples::GifWithoutFrames());
  EXPECT_FALSE(LoadWithImageKit(bitmap, dir / "empty.gif"));
}

TEST_F(GeneralLibrary, MetafileIsDrawn) {
  samples::WriteBytes(dir / "rect.wmf", samples::RedRectangleWmf());
  Bitmap bitmap;
  ImageResult result = LoadWithImageKit(bitmap, dir / "rect.wmf");
  ASSERT_TRUE(result) << result.reason;
  ASSERT_GT(bitmap.Width(), 0);
  // The middle of the picture lies inside the red rectangle.
  const Bgr middle = bitmap.Pixel(bitmap.Width() / 2, bitmap.Height() / 2);
  EXPECT_TRUE(Near(middle, Bgr{0, 0, 255}, 40))
      << int(middle.blue) << " " << int(middle.green) << " " << int(middle.red);
}

TEST_F(GeneralLibrary, TransparentPartsLandOnWhite) {
  // A 2 x 1 GIF whose colour 0 is transparent.
  const samples::Bytes gif = {'G',  'I', 'F', '8',  '9',  'a', 2, 0, 1, 0, 0x80, 0, 0,    0,    0, 0,
                              255,  0,   0,   0x21, 0xF9, 4,   1, 0, 0, 0, 0,  // graphic control: index 0 transparent
                              0x2C, 0,   0,   0,    0,    2,   0, 1, 0, 0, 2,    2, 0x44, 0x0A, 0, 0x3B};
  samples::WriteBytes(dir / "transparent.gif", gif);
  Bitmap bitmap;
  ImageResult result = LoadWithImageKit(bitmap, dir / "transparent.gif");
  ASSERT_TRUE(result) << result.reason;
  ASSERT_EQ(bitmap.Width(), 2);
  EXPECT_EQ(bitmap.Pixel(0, 0), (Bgr{255, 255, 255}));  // transparent black shows white
  EXPECT_EQ(bitmap.Pixel(1, 0), (Bgr{0, 0, 255}));
}

TEST_F(GeneralLibrary, InterlacedGifRowsLandInPlace) {
  // 1 x 4, interlaced: stored rows 0, 2, 1, 3 hold black, red, black, red,
  // coded as literals with a clear code after every two.
  const samples::Bytes gif = {'G', 'I',  'F', '8', '9', 'a', 1, 0, 4, 0, 0x80, 0, 0, 0,    0,    0,    255, 0,
                              0,   0x2C, 0,   0,   0,   0,   1, 0, 4, 0, 0x40, 2, 3, 0x44, 0x88, 0x14, 0,   0x3B};
  samples::WriteBytes(dir / "interlaced.gif", gif);
  Bitmap bitmap;
  ImageResult result = LoadWithImageKit(bitmap, dir / "interlaced.gif");
  ASSERT_TRUE(result) << result.reason;
  ASSERT_EQ(bitmap.Height(), 4);
  const Bgr black{0, 0, 0}, red{0, 0, 255};
  EXPECT_EQ(bitmap.Pixel(0, 0), black);
  EXPECT_EQ(bitmap.Pixel(0, 1), black);
  EXPECT_EQ(bitmap.Pixel(0, 2), red);
  EXPECT_EQ(bitmap.Pixel(0, 3), red);
}

TEST_F(GeneralLibrary, RefusedFormatsSayWhy) {
  struct Case {
    const char* name;
    samples::Bytes bytes;
    const char* reason_part;
  } cases[] = {
      {"a.fpx", {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1, 0, 0, 0, 0}, "FlashPix"},
      {"a.txt", {'h', 'e', 'l', 'l', 'o'}, "not a picture format"},
      {"zero.bmp", {}, "not a picture format"},
      {"short.bmp", {'B', 'M', 0, 0}, "general:"},
      {"short.png", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}, "general:"},
  };
  samples::Bytes emf(88, 0);
  emf[0] = 1;
  std::memcpy(&emf[40], " EMF", 4);
  for (const Case& c : cases) {
    samples::WriteBytes(dir / c.name, c.bytes);
    Bitmap bitmap;
    ImageResult result = LoadWithImageKit(bitmap, dir / c.name);
    EXPECT_FALSE(result) << c.name;
    EXPECT_NE(result.reason.find(c.reason_part), std::string::npos) << c.name << ": " << result.reason;
  }
  samples::WriteBytes(dir / "a.emf", emf);
  Bitmap bitmap;
  ImageResult result = LoadWithImageKit(bitmap, dir / "a.emf");
  EXPECT_FALSE(result);
  EXPECT_NE(result.reason.find("EMF"), std::string::npos) << result.reason;
  EXPECT_FALSE(LoadWithImageKit(bitmap, dir / "missing.png"));
}

// How long it takes is BM_TiffFirstPageOfMany's (bench/images_bench.cpp).
TEST_F(GeneralLibrary, TiffOfTenThousandPagesGivesItsFirstPage) {
  samples::WriteBytes(dir / "pages.tif", samples::ManyPageTiff(10000));
  Bitmap bitmap;
  ImageResult result = LoadWithImageKit(bitmap, dir / "pages.tif");
  ASSERT_TRUE(result) << result.reason;
  EXPECT_EQ(bitmap.Width(), 1);
  EXPECT_EQ(bitmap.Pixel(0, 0), (Bgr{0, 0, 0}));  // page 0 holds grey 0
}

// Only the first page is read: a broken second page does not matter.
TEST_F(GeneralLibrary, TiffGivesItsFirstPageWithoutReadingTheOthers) {
  samples::Bytes tiff = samples::ManyPageTiff(3);
  const std::size_t second = 8 + 104;  // the header, then the first page's directory and pixel
  const std::size_t stripOffset = second + 2 + 5 * 12;
  ASSERT_EQ(tiff[stripOffset], 273 & 0xFF);
  ASSERT_EQ(tiff[stripOffset + 1], 273 >> 8);
  const std::uint8_t pastTheEnd[] = {0xF0, 0xFF, 0xFF, 0x7F};  // the second page's strip at 0x7FFFFFF0
  std::copy(std::begin(pastTheEnd), std::end(pastTheEnd), tiff.begin() + stripOffset + 8);
  samples::WriteBytes(dir / "broken.tif", tiff);
  Bitmap bitmap;
  ImageResult result = LoadWithImageKit(bitmap, dir / "broken.tif");
  ASSERT_TRUE(result) << result.reason;
  EXPECT_EQ(bitmap.Pixel(0, 0), (Bgr{0, 0, 0}));
}

TEST_F(GeneralLibrary, HugeHeaderIsRefusedBeforeAllocating) {
  // A BMP header claiming 60000 x 60000 pixels of 24 bits on a 1 KB file.
  samples::Bytes bmp = {'B', 'M'};
  samples::Put32(bmp, 1024, false), samples::Put32(bmp, 0, false), samples::Put32(bmp, 54, false);
  samples::Put32(bmp, 40, false), samples::Put32(bmp, 60000, false), samples::Put32(bmp, 60000, false);
  samples::Put16(bmp, 1, false), samples::Put16(bmp, 24, false);
  bmp.resize(1024, 0);
  samples::WriteBytes(dir / "huge.bmp", bmp);
  Bitmap bitmap;
  EXPECT_FALSE(LoadWithImageKit(bitmap, dir / "huge.bmp"));
  EXPECT_TRUE(bitmap.Empty());
}

}  // namespace
}  // namespace zor
