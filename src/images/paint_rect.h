// Where a picture of a x b pixels is drawn in a client area, by paint style.
#pragma once

namespace zor {

// In the order the window's style property lists them.
enum class PaintStyle { kNormal, kCenter, kStretch, kMaxfit, kMinfit };

struct PaintRectangle {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend bool operator==(const PaintRectangle&, const PaintRectangle&) = default;
};

// w and h are the client area's right and bottom (its width and height less
// one). kNormal: at the origin, own size. kCenter: centred, never starting
// left of or above the origin. kStretch: the whole area. kMaxfit: as large
// as fits whole, centred. kMinfit: fills the area, centred; the overflow is
// cut off equally on both sides. A fit with a zero or negative size gives
// the empty rectangle.
PaintRectangle PaintRect(int a, int b, PaintStyle style, int w, int h);

}  // namespace zor
