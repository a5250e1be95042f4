#include "images/picture_format.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>

#include "text/sjis.h"

namespace zor {
namespace {

bool StartsWith(const std::uint8_t* head, std::size_t size, const char* magic, std::size_t magic_size) {
  return size >= magic_size && std::memcmp(head, magic, magic_size) == 0;
}

// A DXF file begins with group code 0 and SECTION (or a 999 comment).
bool LooksLikeDxf(const std::uint8_t* head, std::size_t size) {
  std::size_t i = 0;
  while (i < size && (head[i] == ' ' || head[i] == '\t' || head[i] == '\r' || head[i] == '\n')) ++i;
  const std::string rest(reinterpret_cast<const char*>(head + i), size - i);
  return rest.starts_with("0\r\nSECTION") || rest.starts_with("0\nSECTION") || rest.starts_with("999") ||
         rest.starts_with("AutoCAD Binary DXF");
}

}  // namespace

PictureFormat SniffPictureFormat(const std::filesystem::path& path) {
  // Opening a FIFO or a device would block or never end: only files are read.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return PictureFormat::kUnknown;
  std::ifstream in(path, std::ios::binary);
  if (!in) return PictureFormat::kUnknown;
  std::uint8_t head[64] = {};
  in.read(reinterpret_cast<char*>(head), sizeof head);
  const auto size = static_cast<std::size_t>(in.gcount());

  if (StartsWith(head, size, "\xFF\xD8\xFF", 3)) return PictureFormat::kJpeg;
  if (StartsWith(head, size, "BM", 2)) return PictureFormat::kBmp;
  if (StartsWith(head, size, "\x89PNG\r\n\x1A\n", 8)) return PictureFormat::kPng;
  if (StartsWith(head, size, "II*\0", 4) || StartsWith(head, size, "MM\0*", 4) || StartsWith(head, size, "II+\0", 4) ||
      StartsWith(head, size, "MM\0+", 4))
    return PictureFormat::kTiff;
  if (StartsWith(head, size, "GIF87a", 6) || StartsWith(head, size, "GIF89a", 6)) return PictureFormat::kGif;
  if (StartsWith(head, size, "\xD7\xCD\xC6\x9A", 4) || StartsWith(head, size, "\x01\x00\x09\x00\x00\x03", 6) ||
      StartsWith(head, size, "\x02\x00\x09\x00\x00\x03", 6))
    return PictureFormat::kWmf;
  if (size >= 44 && head[0] == 1 && head[1] == 0 && head[2] == 0 && head[3] == 0 &&
      std::memcmp(head + 40, " EMF", 4) == 0)
    return PictureFormat::kEmf;
  // FlashPix lives in an OLE compound document.
  if (StartsWith(head, size, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)) return PictureFormat::kFlashPix;
  // PCX: manufacturer 10, a known version, run-length or no encoding, 1 to 8 bits.
  if (size >= 4 && head[0] == 0x0A && head[1] <= 5 && head[1] != 1 && head[2] <= 1 &&
      (head[3] == 1 || head[3] == 2 || head[3] == 4 || head[3] == 8))
    return PictureFormat::kPcx;
  if (SameTextIgnoringCase(path.extension().string(), ".dxf") || LooksLikeDxf(head, size)) return PictureFormat::kDxf;
  return PictureFormat::kUnknown;
}

const char* MagickCoderFor(PictureFormat format) {
  switch (format) {
    case PictureFormat::kJpeg:
      return "JPEG";
    case PictureFormat::kBmp:
      return "BMP";
    case PictureFormat::kPng:
      return "PNG";
    case PictureFormat::kTiff:
      return "TIFF";
    case PictureFormat::kGif:
      return "GIF";
    case PictureFormat::kPcx:
      return "PCX";
    case PictureFormat::kWmf:
      return "WMF";
    default:
      return nullptr;
  }
}

}  // namespace zor
