// GraphicsMagick calls wrapped for the rest of the module: nothing of its C
// interface leaks out, every resource it hands us is released on every path.
// Internal to the images module.
#pragma once

#include <filesystem>
#include <string>

#include "images/bitmap.h"

namespace zor {

struct MagickPing {
  bool ok = false;
  long long width = 0;
  long long height = 0;
  std::string reason;
};

// Reads only the header of the first page or frame, with the coder named.
MagickPing PingWithMagick(const std::filesystem::path& path, const char* coder);

// Reads the first page or frame into the bitmap; transparent parts are put
// on white. False with a reason when the file cannot be read.
bool ReadWithMagick(const std::filesystem::path& path, const char* coder, Bitmap& bitmap, std::string* reason);

bool WriteWithMagick(const Bitmap& bitmap, const std::filesystem::path& path, const std::string& coder,
                     std::string* reason);

}  // namespace zor
