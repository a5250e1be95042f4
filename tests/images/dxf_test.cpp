#include <gtest/gtest.h>

#include "images/dxf_drawing.h"
#include "images/image_kit.h"
#include "sample_pictures.h"
#include "test_support.h"

namespace zor {
namespace {

int DarkPixels(const Bitmap& bitmap, int x0, int y0, int x1, int y1) {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x)
      if (bitmap.Pixel(x, y).green < 128) ++n;
  return n;
}

TEST(Dxf, ReadsTheEntitiesOfTheEntitiesSection) {
  DxfDrawing drawing;
  std::string why;
  ASSERT_TRUE(ParseDxf(samples::kSampleDxf, drawing, &why)) << why;
  ASSERT_EQ(drawing.entities.size(), 6u);
  using Kind = DxfEntity::Kind;
  EXPECT_EQ(drawing.entities[0].points.size(), 2u);  // LINE
  EXPECT_EQ(drawing.entities[1].points.size(), 3u);  // LWPOLYLINE, closed
  EXPECT_TRUE(drawing.entities[1].closed);
  EXPECT_EQ(drawing.entities[2].points.size(), 2u);  // POLYLINE with two VERTEX
  EXPECT_FALSE(drawing.entities[2].closed);
  EXPECT_EQ(drawing.entities[3].kind, Kind::kCircle);
  EXPECT_DOUBLE_EQ(drawing.entities[3].radius, 10);
  EXPECT_EQ(drawing.entities[4].kind, Kind::kArc);
  EXPECT_DOUBLE_EQ(drawing.entities[4].end_angle, 180);
  EXPECT_EQ(drawing.entities[5].kind, Kind::kText);
  EXPECT_EQ(drawing.entities[5].text, "AB12");
}

TEST(Dxf, CarriageReturnsAndOtherSectionsAreHandled) {
  std::string text(samples::kSampleDxf);
  for (std::size_t i = 0; (i = text.find('\n', i)) != std::string::npos; i += 2) text.replace(i, 1, "\r\n");
  // A LINE in the BLOCKS section is not part of the drawing.
  text =
      "0\r\nSECTION\r\n2\r\nBLOCKS\r\n0\r\nLINE\r\n10\r\n5\r\n20\r\n5\r\n11\r\n6\r\n21\r\n6\r\n0\r\nENDSEC\r\n" + text;
  DxfDrawing drawing;
  std::string why;
  ASSERT_TRUE(ParseDxf(text, drawing, &why)) << why;
  EXPECT_EQ(drawing.entities.size(), 6u);
  EXPECT_EQ(drawing.entities[5].text, "AB12");
}

TEST(Dxf, DrawsBlackOnWhiteAtTheRequestedSize) {
  testing::ScratchDir dir("dxf");
  samples::WriteText(dir / "plan.DXF", samples::kSampleDxf);
  Bitmap bitmap;
  ImageResult result = LoadWithImageKit(bitmap, dir / "plan.DXF");
  ASSERT_TRUE(result) << result.reason;
  EXPECT_EQ(result.route, DecodeRoute::kDxf);
  EXPECT_EQ(std::max(bitmap.Width(), bitmap.Height()), kDxfDrawingSize + 1);
  EXPECT_EQ(bitmap.Pixel(2, 2), (Bgr{255, 255, 255}));
  // The LINE from (0, 0) to (100, 0) is the bottom edge of the drawing.
  const int bottom = bitmap.Height() - 1 - 8;
  EXPECT_GT(DarkPixels(bitmap, 0, bottom - 1, bitmap.Width(), bottom + 2), bitmap.Width() / 2);
  // The circle around (75, 25) with radius 10 leaves its centre white.
  const double scale = (kDxfDrawingSize - 16) / 100.0;
  const int cx = 8 + static_cast<int>(75 * scale), cy = bottom - static_cast<int>(25 * scale);
  EXPECT_EQ(DarkPixels(bitmap, cx - 5, cy - 5, cx + 5, cy + 5), 0);
  EXPECT_GT(
      DarkPixels(bitmap, cx - 2, cy - static_cast<int>(10 * scale) - 2, cx + 3, cy - static_cast<int>(10 * scale) + 3),
      0);
}

TEST(Dxf, NothingToDrawOrNotDxf) {
  std::string why;
  DxfDrawing drawing;
  EXPECT_FALSE(ParseDxf("AutoCAD Binary DXF\r\n\x1A", drawing, &why));
  EXPECT_NE(why.find("binary"), std::string::npos);
  EXPECT_FALSE(ParseDxf("", drawing, &why));

  ASSERT_TRUE(ParseDxf("0\nSECTION\n2\nENTITIES\n0\nENDSEC\n0\nEOF\n", drawing, &why));
  Bitmap bitmap;
  EXPECT_FALSE(RenderDxf(drawing, 100, bitmap, &why));
  EXPECT_NE(why.find("no entities"), std::string::npos);

  // Numbers that are not numbers read as 0; a single point still draws.
  ASSERT_TRUE(
      ParseDxf("0\nSECTION\n2\nENTITIES\n0\nLINE\n10\nabc\n20\n1e999\n11\n\n21\n-\n0\nENDSEC\n", drawing, &why));
  EXPECT_TRUE(RenderDxf(drawing, 100, bitmap, &why)) << why;
}

// A drawing past the entity bound, or one entity with more groups than any
// drawing has, is refused with a reason instead of costing seconds.
TEST(Dxf, DrawingsPastTheBoundsAreRefused) {
  struct Case {
    std::string repeated;  // appended after the ENTITIES header
    int times;
    bool readable;
  } cases[] = {
      // SECTION, LWPOLYLINE, ENDSEC and EOF count too.
      {"0\nPOINT\n", kMaxDxfEntities - 4, true},
      {"0\nPOINT\n", kMaxDxfEntities - 3, false},
      {"10\n1\n", kMaxDxfEntityGroups - 1, true},
      {"10\n1\n", kMaxDxfEntityGroups + 1, false},
  };
  for (const Case& c : cases) {
    std::string text = "0\nSECTION\n2\nENTITIES\n0\nLWPOLYLINE\n";
    text.reserve(text.size() + c.repeated.size() * static_cast<std::size_t>(c.times) + 32);
    for (int i = 0; i < c.times; ++i) text += c.repeated;
    text += "0\nENDSEC\n0\nEOF\n";
    DxfDrawing drawing;
    std::string why;
    EXPECT_EQ(ParseDxf(text, drawing, &why), c.readable) << c.repeated << " x " << c.times << ": " << why;
    if (!c.readable) {
      EXPECT_NE(why.find("not drawn"), std::string::npos) << why;
    }
  }
}

// A long read or drawing stops once its caller no longer wants the picture.
TEST(Dxf, ReadingAndDrawingStopWhenCancelled) {
  std::string text = "0\nSECTION\n2\nENTITIES\n";
  for (int i = 0; i < 10000; ++i) text += "0\nLINE\n10\n0\n20\n0\n11\n" + std::to_string(i) + "\n21\n5\n";
  text += "0\nENDSEC\n0\nEOF\n";
  for (const bool cancelled : {false, true}) {
    const std::atomic<bool> flag{cancelled};
    DxfDrawing drawing;
    std::string why;
    EXPECT_EQ(ParseDxf(text, drawing, &why, &flag), !cancelled) << why;
    if (cancelled) {
      EXPECT_EQ(why, "cancelled");
    }
  }
  DxfDrawing drawing;
  std::string why;
  ASSERT_TRUE(ParseDxf(text, drawing, &why)) << why;
  for (const bool cancelled : {false, true}) {
    const std::atomic<bool> flag{cancelled};
    Bitmap bitmap;
    EXPECT_EQ(RenderDxf(drawing, 200, bitmap, &why, &flag), !cancelled) << why;
    if (cancelled) {
      EXPECT_EQ(why, "cancelled");
    }
  }
}

}  // namespace
}  // namespace zor
