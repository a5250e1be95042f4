#include <gtest/gtest.h>

#include "images/bitmap.h"

namespace zor {
namespace {

TEST(Bitmap, RowsArePaddedToFourBytes) {
  struct Case {
    int width, stride, padding;
  } cases[] = {{1, 4, 1}, {2, 8, 2}, {3, 12, 3}, {4, 12, 0}, {5, 16, 1}, {160, 480, 0}, {501, 1504, 1}};
  for (const Case& c : cases) {
    EXPECT_EQ(Bitmap::StrideFor(c.width), c.stride) << c.width;
    EXPECT_EQ(Bitmap::RowPadding(c.width), c.padding) << c.width;
  }
  Bitmap bitmap;
  ASSERT_TRUE(bitmap.Resize(5, 3));
  EXPECT_EQ(bitmap.ByteSize(), 48u);
  EXPECT_EQ(bitmap.Row(2) - bitmap.Row(0), 32);
}

TEST(Bitmap, PixelsAreBlueGreenRed) {
  Bitmap bitmap;
  ASSERT_TRUE(bitmap.Reset(2, 2, Bgr{1, 2, 3}));
  bitmap.SetPixel(1, 1, Bgr{10, 20, 30});
  EXPECT_EQ(bitmap.Row(1)[3], 10);
  EXPECT_EQ(bitmap.Row(1)[4], 20);
  EXPECT_EQ(bitmap.Row(1)[5], 30);
  EXPECT_EQ(bitmap.Pixel(0, 0), (Bgr{1, 2, 3}));
}

TEST(Bitmap, RefusesSizesBeyondTheCeiling) {
  Bitmap bitmap;
  ASSERT_TRUE(bitmap.Resize(4, 4));
  EXPECT_FALSE(bitmap.Resize(60000, 60000));
  EXPECT_TRUE(bitmap.Empty());  // a refused resize leaves nothing behind
  EXPECT_FALSE(bitmap.Resize(0, 10));
  EXPECT_FALSE(bitmap.Resize(-1, 10));
  EXPECT_FALSE(bitmap.Resize(70000, 1));
}

}  // namespace
}  // namespace zor
