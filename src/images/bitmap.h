// The decoded picture every loader fills: 24 bits per pixel, bytes in blue,
// green, red order, each row padded to a multiple of 4 bytes, rows top down.
// That is the layout QImage::Format_BGR888 reads, so the window can wrap
// Bits() with Stride() without copying.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zor {

// No loader makes a bitmap larger than this (about 750 MB of pixels); a
// header that asks for more is refused before anything is allocated.
inline constexpr std::int64_t kMaxBitmapPixels = 250'000'000;
inline constexpr int kMaxBitmapSide = 65'535;

struct Bgr {
  std::uint8_t blue = 0;
  std::uint8_t green = 0;
  std::uint8_t red = 0;
  friend bool operator==(const Bgr&, const Bgr&) = default;
};

class Bitmap {
 public:
  Bitmap() = default;

  // Bytes per row for a width: ((width * 3 + 3) div 4) * 4.
  static int StrideFor(int width) { return (width * 3 + 3) / 4 * 4; }
  // The padding at the end of each row.
  static int RowPadding(int width) { return StrideFor(width) - width * 3; }
  // True when a picture of this size may be allocated.
  static bool SizeAllowed(std::int64_t width, std::int64_t height);

  // Makes the bitmap width x height, every pixel black, in the memory it
  // already holds when that is large enough. False (and the bitmap left
  // empty) when the size is not allowed or memory runs out.
  bool Resize(int width, int height);
  // Makes it width x height filled with one colour.
  bool Reset(int width, int height, Bgr fill);
  // Empties the bitmap and gives its memory back.
  void Clear();

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Stride() const { return StrideFor(width_); }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  std::size_t ByteSize() const { return pixels_.size(); }

  std::uint8_t* Bits() { return pixels_.data(); }
  const std::uint8_t* Bits() const { return pixels_.data(); }
  std::uint8_t* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * Stride(); }
  const std::uint8_t* Row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * Stride(); }

  Bgr Pixel(int x, int y) const;
  void SetPixel(int x, int y, Bgr colour);

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint8_t> pixels_;
};

}  // namespace zor
