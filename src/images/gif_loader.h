// GIF pictures through giflib: the first frame on a white canvas of the
// picture's screen size. Internal to the images module.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

#include "images/bitmap.h"
#include "images/image_result.h"

namespace zor {

ImageResult DecodeGif(Bitmap& bitmap, std::span<const std::uint8_t> bytes);
ImageResult LoadGifFile(Bitmap& bitmap, const std::filesystem::path& path);

}  // namespace zor
