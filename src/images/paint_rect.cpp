#include "images/paint_rect.h"

namespace zor {
namespace {

// Extended precision, as the fit arithmetic was first written in; it keeps
// a x (W / a) from falling one pixel short where double would.
using Real = long double;

int Trunc(Real value) { return static_cast<int>(value); }

PaintRectangle Centred(int w, int h, int client_w, int client_h) {
  const int left = (client_w - w) / 2;
  const int top = (client_h - h) / 2;
  return {left, top, left + w, top + h};
}

}  // namespace

PaintRectangle PaintRect(int a, int b, PaintStyle style, int w, int h) {
  switch (style) {
    case PaintStyle::kNormal:
      return {0, 0, a, b};
    case PaintStyle::kCenter: {
      int left = (w - a) / 2;
      int top = (h - b) / 2;
      if (left < 0) left = 0;
      if (top < 0) top = 0;
      return {left, top, left + a, top + b};
    }
    case PaintStyle::kStretch:
      return {0, 0, w, h};
    case PaintStyle::kMaxfit: {
      // The divisions below need every side positive.
      if (a <= 0 || b <= 0 || w <= 0 || h <= 0) return {};
      int fit_w = Trunc(a * (static_cast<Real>(w) / a));
      int fit_h = Trunc(static_cast<Real>(w) / a * b);
      if (w < fit_w || h < fit_h) {
        fit_w = Trunc(a * (static_cast<Real>(h) / b));
        fit_h = Trunc(b * (static_cast<Real>(h) / b));
      }
      return Centred(fit_w, fit_h, w, h);
    }
    case PaintStyle::kMinfit: {
      if (a <= 0 || b <= 0 || w <= 0 || h <= 0) return {};
      int fit_w, fit_h;
      if (static_cast<Real>(b) / h >= static_cast<Real>(a) / w) {
        fit_w = w;
        fit_h = Trunc(b / (static_cast<Real>(a) / w));
      } else {
        fit_w = Trunc(a / (static_cast<Real>(b) / h));
        fit_h = h;
      }
      return Centred(fit_w, fit_h, w, h);
    }
  }
  return {};
}

}  // namespace zor
