// What one read of a picture file tells: its format, whether it is whole,
// its pixel size, the EXIF fields and the tamper check. The file is read
// once, front to back, in blocks; only the header before the image data is
// kept, and the image data is hashed as it passes when the file carries
// tamper values.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "inspect/exif_fields.h"
#include "inspect/tamper_values.h"

namespace zor {

enum class PictureFormat { kUnknown, kJpeg, kTiff, kSvg };

struct PictureFacts {
  bool opened = false;    // false: the file could not be opened or read
  std::string readError;  // UTF-8, when not opened or a read failed
  std::uint64_t fileSize = 0;
  PictureFormat format = PictureFormat::kUnknown;  // from the content
  std::string formatFault;                         // UTF-8; not empty when the content does not decode as its format
  int width = 0;
  int height = 0;
  bool hasExif = false;
  ExifFields exif;
  TamperValues tamperValues;
  TamperOutcome tamper = TamperOutcome::kNoData;
};

// Reads the file once. A symbolic link is read as what it names; the caller
// decides beforehand whether to follow it.
PictureFacts ReadPictureFacts(const std::filesystem::path& file);

// "JPEG", "TIFF", "SVG", or "" for an unknown format.
const char* PictureFormatName(PictureFormat format);

}  // namespace zor
