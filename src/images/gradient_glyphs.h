// The gradient bitmaps the thumbnail list paints behind its cells.
#pragma once

#include "images/bitmap.h"

namespace zor {

struct Rgb {
  int red = 0;
  int green = 0;
  int blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Four 256 x 256 bitmaps of 256 one-pixel bands from a light face colour
// (the button face plus 20 per channel) at the top towards an end colour.
struct GradientGlyphs {
  Bitmap grad_b;  // IS_GRAD_B: towards the button face less 70 per channel
  Bitmap grad_w;  // IS_GRAD_W: towards (255, 255, 255)
  Bitmap grad_g;  // IS_GRAD_G: towards (255, 255, 128)
  Bitmap grad_n;  // IS_GRAD_N: towards (227, 157, 28)
};

// Band i has, per channel, start + trunc((end - start) / 256 * i).
GradientGlyphs MakeGradientGlyphs(Rgb button_face);

// One band's colour; for tests and for painting a cell without the glyph.
Rgb GradientBand(Rgb start, Rgb end, int band);

}  // namespace zor
