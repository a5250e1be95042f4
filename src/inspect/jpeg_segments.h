// The marker segments of a JPEG file before its image data, walked by their
// length fields. Every length is checked against the bytes at hand, so a
// lying header ends the walk with a fault, never a read out of bounds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zor {

struct JpegSegment {
  std::uint8_t marker = 0;  // the byte after FF
  std::size_t data = 0;     // offset of the data after the length field
  std::size_t size = 0;     // bytes of data
};

struct JpegHeader {
  enum class Status {
    kComplete,  // the first SOS marker was reached
    kNeedMore,  // the bytes end inside the header
    kFault,     // not a JPEG, or its header is broken
  };
  Status status = Status::kNeedMore;
  std::vector<JpegSegment> segments;  // in file order, up to the SOS segment
  std::size_t sos = 0;                // offset of FF DA when complete
  int width = 0;                      // from the frame header (SOF), 0 without one
  int height = 0;
  std::string fault;  // UTF-8, why the walk stopped, for kFault (Japanese, shown in reports)
};

// Walks bytes (the file's start) from SOI to the first SOS.
JpegHeader WalkJpegHeader(std::span<const std::uint8_t> bytes);

// True when bytes start like a JPEG file (FF D8 FF).
bool LooksLikeJpeg(std::span<const std::uint8_t> bytes);

}  // namespace zor
