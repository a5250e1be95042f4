// SVG pictures through librsvg: the document rendered on a white canvas at
// its own size, or reduced to fit max_size pixels. External files the
// document refers to are not loaded.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

#include "images/bitmap.h"
#include "images/image_result.h"

namespace zor {

// max_size 0: the document's own size; otherwise its longer side is brought
// down to max_size (never enlarged).
ImageResult DecodeSvg(Bitmap& bitmap, std::span<const std::uint8_t> bytes, int max_size = 0);
ImageResult LoadSvgFile(Bitmap& bitmap, const std::filesystem::path& path, int max_size = 0);

}  // namespace zor
