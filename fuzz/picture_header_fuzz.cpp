// The inspection's readers of picture headers on arbitrary bytes: the JPEG
// segment walk, and each segment's data as EXIF and as tamper values.
#include <cstddef>
#include <cstdint>
#include <span>

#include "inspect/exif_fields.h"
#include "inspect/jpeg_segments.h"
#include "inspect/tamper_values.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const zor::JpegHeader header = zor::WalkJpegHeader(bytes);
  for (const zor::JpegSegment& s : header.segments) {
    if (s.data + s.size > size) __builtin_trap();
    const auto segment = bytes.subspan(s.data, s.size);
    (void)zor::ReadExifSegment(segment);
    (void)zor::ReadTamperValues(segment);
  }
  (void)zor::ReadTiffFields(bytes);
  (void)zor::ReadTamperValues(bytes);
  return 0;
}
