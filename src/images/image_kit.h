// The general image library: GraphicsMagick for BMP, PNG, TIFF, PCX and
// WMF, giflib for GIF, and our own reader for DXF drawings.
#pragma once

#include <atomic>
#include <filesystem>
#include <string_view>

#include "images/bitmap.h"
#include "images/image_result.h"

namespace zor {

// Makes GraphicsMagick ready to use. Runs its set-up once per process, from
// whichever thread comes first; every function here calls it, so callers
// need not, but the window may call it early to pay the cost at start-up.
void BindImageKit();

// Loads a picture that is not a JPEG, or a JPEG the JPEG decoder rejected:
// the format is read from the file's first bytes (the extension only tells
// a DXF drawing). A TIFF or GIF gives its first page or frame. FlashPix and
// EMF files are refused with a reason; so is anything unknown. A DXF
// drawing stops early when cancelled (when given) is set.
ImageResult LoadWithImageKit(Bitmap& bitmap, const std::filesystem::path& path,
                             const std::atomic<bool>* cancelled = nullptr);

// Writes the bitmap in a format GraphicsMagick writes: "PNG", "BMP",
// "TIFF", "GIF", "PCX" ...
ImageResult WriteImageFile(const Bitmap& bitmap, const std::filesystem::path& path, std::string_view format);

}  // namespace zor
