// JPEG decoding on libjpeg-turbo, at full size or reduced by DCT scaling.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

#include "images/bitmap.h"
#include "images/image_result.h"

namespace zor {

class Host;

// The reduction for a picture of width x height shown at max_size pixels:
// 8, 4, 2 or 1, from the longer side divided (truncating) by max_size.
// max_size 0 means full size.
int JpegReductionDivisor(int width, int height, int max_size);

// Decodes a JPEG held in memory (decoded in place, no copy) into a BGR
// bitmap. max_size 0 decodes at full size; otherwise at the reduction
// above, or from the JFIF header's own thumbnail when that is at least
// max_size wide or high. A failure leaves " JPEG Error Status=..." on the
// host's status line (when a host is given) and never ends the program; a
// short or damaged stream still gives the part that could be decoded.
ImageResult DecodeJpegStream(Bitmap& bitmap, std::span<const std::uint8_t> stream, int max_size, Host* host = nullptr);

// The same for a file.
ImageResult DecodeJpegFile(Bitmap& bitmap, const std::filesystem::path& path, int max_size, Host* host = nullptr);

}  // namespace zor
