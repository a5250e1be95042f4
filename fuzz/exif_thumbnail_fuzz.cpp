// Feeds arbitrary files to the EXIF thumbnail reader and the JPEG decoder:
// neither may read out of bounds, allocate without bound, hang or abort.
#include <cstddef>
#include <cstdint>
#include <span>

#include "images/bitmap.h"
#include "images/exif_thumbnail.h"
#include "images/jpeg_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> file(data, size);
  zor::Bitmap bitmap;
  if (auto thumbnail = zor::LoadExifThumbnail(file, 96)) zor::DecodeJpegStream(bitmap, *thumbnail, 96);
  // The last byte picks the reduction, so every DCT scaling path is reached.
  static constexpr int kSizes[] = {0, 96, 160, 400, 1000, 2000, 4, 1};
  zor::DecodeJpegStream(bitmap, file, size ? kSizes[data[size - 1] % 8] : 0);
  return 0;
}
