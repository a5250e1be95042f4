#include <gtest/gtest.h>

#include "images/paint_rect.h"

namespace zor {
namespace {

TEST(PaintRect, StylesPlaceThePicture) {
  struct Case {
    const char* name;
    int a, b;
    PaintStyle style;
    int w, h;
    PaintRectangle expected;
  } cases[] = {
      {"normal", 300, 200, PaintStyle::kNormal, 99, 99, {0, 0, 300, 200}},
      {"centre, smaller", 40, 20, PaintStyle::kCenter, 100, 50, {30, 15, 70, 35}},
      {"centre, larger starts at the origin", 300, 200, PaintStyle::kCenter, 99, 99, {0, 0, 300, 200}},
      {"centre, wider only", 300, 20, PaintStyle::kCenter, 99, 99, {0, 39, 300, 59}},
      {"stretch", 300, 200, PaintStyle::kStretch, 99, 49, {0, 0, 99, 49}},
      {"maxfit, width fits", 400, 300, PaintStyle::kMaxfit, 200, 200, {0, 25, 200, 175}},
      {"maxfit, height fits", 300, 400, PaintStyle::kMaxfit, 200, 200, {25, 0, 175, 200}},
      {"maxfit, enlarges", 40, 30, PaintStyle::kMaxfit, 400, 400, {0, 50, 400, 350}},
      {"maxfit, empty picture", 0, 30, PaintStyle::kMaxfit, 400, 400, {0, 0, 0, 0}},
      {"minfit, wide in a square overflows equally", 200, 100, PaintStyle::kMinfit, 100, 100, {-50, 0, 150, 100}},
      {"minfit, tall in a square", 100, 200, PaintStyle::kMinfit, 100, 100, {0, -50, 100, 150}},
      {"minfit, same shape", 400, 300, PaintStyle::kMinfit, 200, 150, {0, 0, 200, 150}},
      {"minfit, empty client", 400, 300, PaintStyle::kMinfit, 0, 150, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) EXPECT_EQ(PaintRect(c.a, c.b, c.style, c.w, c.h), c.expected) << c.name;
}

TEST(PaintRect, MaxfitAlwaysFitsInside) {
  for (int a : {1, 7, 640, 4000, 33})
    for (int b : {1, 3, 480, 3000, 977})
      for (int w : {1, 99, 319, 1023})
        for (int h : {1, 57, 239, 767}) {
          const PaintRectangle r = PaintRect(a, b, PaintStyle::kMaxfit, w, h);
          EXPECT_GE(r.left, 0);
          EXPECT_GE(r.top, 0);
          EXPECT_LE(r.right, w);
          EXPECT_LE(r.bottom, h);
          EXPECT_TRUE(r.right - r.left == w || r.bottom - r.top == h || r.right - r.left == w - 1 ||
                      r.bottom - r.top == h - 1)
              << a << "x" << b << " in " << w << "x" << h;
        }
}

}  // namespace
}  // namespace zor
