#include "images/gradient_glyphs.h"

#include <algorithm>

namespace zor {
namespace {

constexpr int kGlyphSize = 256;

int Clamp(int value) { return std::clamp(value, 0, 255); }

Rgb Shift(Rgb c, int by) { return {Clamp(c.red + by), Clamp(c.green + by), Clamp(c.blue + by)}; }

int Channel(int start, int end, int band) {
  return start + static_cast<int>(static_cast<long double>(end - start) / kGlyphSize * band);
}

Bitmap Gradient(Rgb start, Rgb end) {
  Bitmap bitmap;
  bitmap.Resize(kGlyphSize, kGlyphSize);
  for (int y = 0; y < kGlyphSize; ++y) {
    const Rgb c = GradientBand(start, end, y);
    const Bgr pixel{static_cast<std::uint8_t>(c.blue), static_cast<std::uint8_t>(c.green),
                    static_cast<std::uint8_t>(c.red)};
    for (int x = 0; x < kGlyphSize; ++x) bitmap.SetPixel(x, y, pixel);
  }
  return bitmap;
}

}  // namespace

Rgb GradientBand(Rgb start, Rgb end, int band) {
  return {Channel(start.red, end.red, band), Channel(start.green, end.green, band),
          Channel(start.blue, end.blue, band)};
}

GradientGlyphs MakeGradientGlyphs(Rgb button_face) {
  const Rgb light = Shift(button_face, 20);
  return GradientGlyphs{Gradient(light, Shift(button_face, -70)), Gradient(light, {255, 255, 255}),
                        Gradient(light, {255, 255, 128}), Gradient(light, {227, 157, 28})};
}

}  // namespace zor
