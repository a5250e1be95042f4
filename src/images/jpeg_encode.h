// JPEG writing on libjpeg-turbo.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "images/bitmap.h"
#include "images/image_result.h"

namespace zor {

class Host;

// The quality the album writes at until the settings say otherwise.
inline constexpr int kDefaultJpegQuality = 90;

// Encodes the bitmap as a baseline JFIF JPEG with 4:2:0 chroma subsampling
// at quality 1..100 (clamped). The destination is replaced; on failure no
// partial file is left behind and the status line says why.
ImageResult EncodeJpegFile(const Bitmap& bitmap, const std::filesystem::path& path, int quality, Host* host = nullptr);

// The same into memory; empty on failure.
std::vector<std::uint8_t> EncodeJpegBytes(const Bitmap& bitmap, int quality);

}  // namespace zor
