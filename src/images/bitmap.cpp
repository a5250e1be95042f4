#include "images/bitmap.h"

#include <new>

namespace zor {

bool Bitmap::SizeAllowed(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= kMaxBitmapSide && height <= kMaxBitmapSide &&
         width * height <= kMaxBitmapPixels;
}

bool Bitmap::Resize(int width, int height) {
  if (!SizeAllowed(width, height)) {
    Clear();
    return false;
  }
  // The memory already held is reused: touching fresh pages for a large
  // picture costs more than decoding it.
  try {
    pixels_.assign(static_cast<std::size_t>(StrideFor(width)) * static_cast<std::size_t>(height), 0);
  } catch (const std::bad_alloc&) {
    Clear();
    return false;
  }
  width_ = width;
  height_ = height;
  return true;
}

bool Bitmap::Reset(int width, int height, Bgr fill) {
  if (!Resize(width, height)) return false;
  for (int y = 0; y < height_; ++y) {
    std::uint8_t* p = Row(y);
    for (int x = 0; x < width_; ++x, p += 3) {
      p[0] = fill.blue;
      p[1] = fill.green;
      p[2] = fill.red;
    }
  }
  return true;
}

void Bitmap::Clear() {
  width_ = 0;
  height_ = 0;
  std::vector<std::uint8_t>().swap(pixels_);
}

Bgr Bitmap::Pixel(int x, int y) const {
  const std::uint8_t* p = Row(y) + x * 3;
  return Bgr{p[0], p[1], p[2]};
}

void Bitmap::SetPixel(int x, int y, Bgr colour) {
  std::uint8_t* p = Row(y) + x * 3;
  p[0] = colour.blue;
  p[1] = colour.green;
  p[2] = colour.red;
}

}  // namespace zor
