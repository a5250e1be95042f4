// Telling a picture's format from its first bytes. Internal to the images
// module: GraphicsMagick is told the format instead of guessing it, so a
// file can never reach one of its other coders.
#pragma once

#include <filesystem>

namespace zor {

enum class PictureFormat { kUnknown, kJpeg, kBmp, kPng, kTiff, kGif, kPcx, kWmf, kEmf, kFlashPix, kDxf };

// By content; a DXF drawing also by its extension. kUnknown when the file
// cannot be read.
PictureFormat SniffPictureFormat(const std::filesystem::path& path);

// GraphicsMagick's coder name, or nullptr when it is not one of its formats.
const char* MagickCoderFor(PictureFormat format);

}  // namespace zor
