// Loading a photo or drawing file whatever its format, and the order in
// which a thumbnail is looked for.
#pragma once

#include <atomic>
#include <filesystem>

#include "images/bitmap.h"
#include "images/image_result.h"

namespace zor {

class Host;

// The JPEG decoder at the reduction for max_size (0 = full size), and only
// when it fails the general library (LoadWithImageKit). Loads any picture
// this program reads; a non-JPEG file first fails in the JPEG decoder,
// whose status text stays on the host's status line. cancelled, when given
// and set meanwhile, stops a long drawing early.
ImageResult LoadPhotoBitmap(Bitmap& bitmap, const std::filesystem::path& path, int max_size, Host* host = nullptr,
                            const std::atomic<bool>* cancelled = nullptr);

// The thumbnail decoding order for a thumbnail of size pixels:
//  1. a TIFF the probe reports as image type 12 goes to the general library only;
//  2. the EXIF thumbnail (sizes up to 160), when it decodes and is at least
//     size pixels wide or high;
//  3. LoadPhotoBitmap at that size.
// The caller scales the result into its cell.
ImageResult LoadThumbnailBitmap(Bitmap& bitmap, const std::filesystem::path& path, int size, Host* host = nullptr,
                                const std::atomic<bool>* cancelled = nullptr);

}  // namespace zor
