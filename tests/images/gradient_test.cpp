#include <gtest/gtest.h>

#include "images/gradient_glyphs.h"

namespace zor {
namespace {

Rgb At(const Bitmap& bitmap, int x, int y) {
  const Bgr p = bitmap.Pixel(x, y);
  return {p.red, p.green, p.blue};
}

TEST(GradientGlyphs, BandsRunFromTheLightFaceToTheEndColour) {
  const GradientGlyphs glyphs = MakeGradientGlyphs({212, 208, 200});
  for (const Bitmap* b : {&glyphs.grad_b, &glyphs.grad_w, &glyphs.grad_g, &glyphs.grad_n}) {
    ASSERT_EQ(b->Width(), 256);
    ASSERT_EQ(b->Height(), 256);
    EXPECT_EQ(At(*b, 0, 0), (Rgb{232, 228, 220}));  // face + 20
    EXPECT_EQ(At(*b, 0, 77), At(*b, 255, 77));      // bands are horizontal
  }
  // Band i: start + trunc((end - start) / 256 * i).
  EXPECT_EQ(At(glyphs.grad_w, 0, 255), (Rgb{254, 254, 254}));  // 232 + trunc(23 / 256 * 255)
  EXPECT_EQ(At(glyphs.grad_b, 0, 128), (Rgb{187, 183, 175}));  // halfway to face - 70
  EXPECT_EQ(At(glyphs.grad_g, 0, 255), (Rgb{254, 254, 129}));  // 220 + trunc(-92 / 256 * 255)
  // Steps smaller than one truncate toward zero: band 1 still has the start colour.
  EXPECT_EQ(At(glyphs.grad_n, 0, 1), (Rgb{232, 228, 220}));
  EXPECT_EQ(At(glyphs.grad_n, 0, 255), (Rgb{228, 158, 29}));
}

TEST(GradientGlyphs, FaceColoursAreClamped) {
  const GradientGlyphs bright = MakeGradientGlyphs({250, 10, 240});
  EXPECT_EQ(At(bright.grad_w, 0, 0), (Rgb{255, 30, 255}));
  const GradientGlyphs dark = MakeGradientGlyphs({30, 60, 100});
  EXPECT_EQ(At(dark.grad_b, 0, 255), GradientBand({50, 80, 120}, {0, 0, 30}, 255));
  EXPECT_EQ(GradientBand({50, 80, 120}, {0, 0, 30}, 255), (Rgb{1, 1, 31}));
}

}  // namespace
}  // namespace zor
