// What one read of a picture file tells: its format, whether it is whole,
// its pixel size, the EXIF fields, the tamper check and the blackboard's
// own record (its XMP packet). The file is read
// once, front to back, in blocks; only the header before the image data is
// kept, and the image data is hashed as it passes when the file carries
// tamper values.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "inspect/blackboard_packet.h"
#include "inspect/exif_fields.h"
#include "inspect/tamper_values.h"

namespace zor {

enum class PictureFormat { kUnknown, kJpeg, kTiff, kSvg };

// A JPEG a layered SVG embeds (the original picture, the board), checked
// as a JPEG photo is.
struct EmbeddedPicture {
  std::string group;  // the SVG group: "dcp_org_img", "dcp_chalkboard_img"
  std::string fault;  // UTF-8; not empty when it cannot be taken out or read as a JPEG
  TamperValues tamperValues;
  // A layered SVG: the outcome of its embedded pictures together (the
  // first that is not 正常), each one's in layers.
  TamperOutcome tamper = TamperOutcome::kNoData;
  std::vector<EmbeddedPicture> layers;
  BlackboardPacket blackboard;
};

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
  // A layered SVG: the outcome of its embedded pictures together (the
  // first that is not 正常), each one's in layers.
  TamperOutcome tamper = TamperOutcome::kNoData;
  std::vector<EmbeddedPicture> layers;
  BlackboardPacket blackboard;
};

// Reads the file once. A symbolic link is read as what it names; the caller
// decides beforehand whether to follow it.
PictureFacts ReadPictureFacts(const std::filesystem::path& file);

// The blackboard's record alone, for a listing: a JPEG is read up to its
// image data, a TIFF or SVG whole (within the same bound), a PNG's start.
BlackboardPacket ReadPictureBlackboard(const std::filesystem::path& file);

// A JPEG held in memory, read as a file is.
PictureFacts ReadJpegFacts(std::span<const std::uint8_t> jpeg);

// "JPEG", "TIFF", "SVG", or "" for an unknown format.
const char* PictureFormatName(PictureFormat format);

}  // namespace zor
