// SVG pictures: rendered at their size or reduced, on white, and refused
// cleanly when broken or too large.
#include <gtest/gtest.h>

#include <string>

#include "images/photo_loader.h"
#include "images/svg_loader.h"
#include "sample_pictures.h"
#include "test_support.h"

namespace zor {
namespace {

samples::Bytes Text(const std::string& s) { return samples::Bytes(s.begin(), s.end()); }

// Red on the left half, blue on the right; the bottom right quarter is
// transparent and comes out white.
const char* const kHalves =
    "<svg xmlns='http://www.w3.org/2000/svg' width='200' height='100'>"
    "<rect width='100' height='100' fill='#ff0000'/>"
    "<rect x='100' width='100' height='50' fill='#0000ff'/></svg>";

TEST(Svg, RendersAtItsSizeOnWhite) {
  Bitmap bitmap;
  const samples::Bytes bytes = Text(kHalves);
  const ImageResult result = DecodeSvg(bitmap, bytes);
  ASSERT_TRUE(result) << result.reason;
  EXPECT_EQ(result.route, DecodeRoute::kSvg);
  ASSERT_EQ(bitmap.Width(), 200);
  ASSERT_EQ(bitmap.Height(), 100);
  EXPECT_EQ(bitmap.Pixel(10, 50), (Bgr{0, 0, 255}));
  EXPECT_EQ(bitmap.Pixel(150, 10), (Bgr{255, 0, 0}));
  EXPECT_EQ(bitmap.Pixel(150, 90), (Bgr{255, 255, 255}));
}

TEST(Svg, ReducedToTheRequestedSizeAndSizedByItsViewBox) {
  Bitmap bitmap;
  ASSERT_TRUE(DecodeSvg(bitmap, Text(kHalves), 50));
  EXPECT_EQ(bitmap.Width(), 50);
  EXPECT_EQ(bitmap.Height(), 25);
  EXPECT_EQ(bitmap.Pixel(5, 12), (Bgr{0, 0, 255}));
  // Never enlarged.
  ASSERT_TRUE(DecodeSvg(bitmap, Text(kHalves), 1000));
  EXPECT_EQ(bitmap.Width(), 200);
  // A document with only a viewBox takes its size from it.
  ASSERT_TRUE(DecodeSvg(bitmap, Text("<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 40 30'>"
                                     "<rect width='40' height='30' fill='#00ff00'/></svg>")));
  EXPECT_EQ(bitmap.Width(), 40);
  EXPECT_EQ(bitmap.Height(), 30);
  EXPECT_EQ(bitmap.Pixel(20, 15), (Bgr{0, 255, 0}));
}

TEST(Svg, BrokenEmptyAndHugeDocumentsFail) {
  const std::string cases[] = {
      "",
      "<svg xmlns='http://www.w3.org/2000/svg' width='100' height='100'><rect width='",
      "not a picture at all",
      "<svg xmlns='http://www.w3.org/2000/svg'><rect width='10' height='10'/></svg>",  // no size at all
      "<svg xmlns='http://www.w3.org/2000/svg' width='100000' height='100000'/>",
  };
  for (const std::string& c : cases) {
    Bitmap bitmap;
    const ImageResult result = DecodeSvg(bitmap, Text(c));
    EXPECT_FALSE(result) << c;
    EXPECT_FALSE(result.reason.empty()) << c;
    EXPECT_TRUE(bitmap.Empty()) << c;
  }
}

TEST(Svg, PhotoAndThumbnailLoadersTakeTheSvgRoute) {
  testing::ScratchDir dir{"svg"};
  samples::WriteBytes(dir / "P0000002.SVG", Text(kHalves));
  samples::WriteBytes(dir / "broken.svg", Text("<svg"));
  Bitmap bitmap;
  ImageResult photo = LoadPhotoBitmap(bitmap, dir / "P0000002.SVG", 0);
  ASSERT_TRUE(photo) << photo.reason;
  EXPECT_EQ(photo.route, DecodeRoute::kSvg);
  EXPECT_EQ(bitmap.Width(), 200);
  ImageResult thumbnail = LoadThumbnailBitmap(bitmap, dir / "P0000002.SVG", 100);
  ASSERT_TRUE(thumbnail) << thumbnail.reason;
  EXPECT_EQ(bitmap.Width(), 100);
  EXPECT_FALSE(LoadThumbnailBitmap(bitmap, dir / "broken.svg", 100));
  EXPECT_FALSE(LoadSvgFile(bitmap, dir / "missing.svg"));
}

}  // namespace
}  // namespace zor
