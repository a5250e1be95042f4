#include "images/image_kind.h"

#include <string>

#include "images/magick_io.h"
#include "images/picture_format.h"
#include "text/sjis.h"

namespace zor {
namespace {

int TypeValueFor(PictureFormat format) {
  switch (format) {
    case PictureFormat::kJpeg:
      return kTypeJpeg;
    case PictureFormat::kBmp:
      return kTypeBitmap;
    case PictureFormat::kPng:
      return kTypePng;
    case PictureFormat::kGif:
      return kTypeGif;
    case PictureFormat::kPcx:
      return kTypePcx;
    case PictureFormat::kWmf:
      return kTypeMetafile;
    case PictureFormat::kTiff:
      return kTypeTiff;
    default:
      return kTypeUnreadable;
  }
}

// The text from the last dot of the file name on, upper-cased.
std::string Extension(const std::filesystem::path& path) {
  const std::string name = path.filename().string();
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : UpperAscii(name.substr(dot));
}

}  // namespace

int ProbeImageType(const std::filesystem::path& path) {
  const PictureFormat format = SniffPictureFormat(path);
  const char* coder = MagickCoderFor(format);
  if (!coder || !PingWithMagick(path, coder).ok) return kTypeUnreadable;
  return TypeValueFor(format);
}

ImageKindCode GetImageFileKind(const std::filesystem::path& path, bool skip_probe) {
  const std::string ext = Extension(path);
  if (ext == ".JPG" || ext == ".JPEG") return kKindJpeg;
  if (ext == ".BMP" || ext == ".DIB") return kKindBitmap;
  if (ext == ".PNG") return kKindPng;
  if (ext == ".WMF" || ext == ".EMF") return kKindMetafile;
  if (ext == ".DXF") return kKindDxf;
  if (ext == ".FPX") return kKindFlashPix;
  if (ext == ".PCX") return kKindPcx;
  if (ext == ".SVG") return kKindSvg;
  if (ext == ".TIF" || ext == ".TIFF") {
    if (skip_probe) return kKindTiff;
    const int type = ProbeImageType(path);
    if (type <= 0) return kKindRejected;
    return type == kTypeTiff ? kKindTiffConvert : kKindTiff;
  }
  if (ext == ".GIF") {
    if (skip_probe) return kKindGif;
    return ProbeImageType(path) > 0 ? kKindGif : kKindRejected;
  }
  return kKindNotPicture;
}

}  // namespace zor
