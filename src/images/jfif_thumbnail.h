// The thumbnail a JFIF header may carry: uncompressed RGB in the JFIF
// segment itself, or RGB or palette colours in a JFXX extension segment.
// Internal to the images module.
#pragma once

#include <cstdint>
#include <cstdio>  // jpeglib.h needs FILE
#include <optional>
#include <span>

#include <jpeglib.h>

#include "images/bitmap.h"

namespace zor {

struct JfifThumbnail {
  int width = 0;
  int height = 0;
  std::span<const std::uint8_t> palette;  // 256 RGB entries, or empty for RGB pixels
  std::span<const std::uint8_t> pixels;   // RGB triples or palette indices, row by row
};

// The first complete thumbnail among the saved APP0 markers; nothing when
// there is none or its segment is shorter than its size claims.
std::optional<JfifThumbnail> FindJfifThumbnail(jpeg_saved_marker_ptr markers);

bool DecodeJfifThumbnail(const JfifThumbnail& thumbnail, Bitmap& bitmap);

}  // namespace zor
