#include "images/photo_loader.h"

#include <optional>

#include "images/exif_thumbnail.h"
#include "images/file_bytes.h"
#include "images/image_kind.h"
#include "images/image_kit.h"
#include "images/jpeg_decode.h"
#include "images/picture_format.h"
#include "images/svg_loader.h"

namespace zor {

namespace {

// A file larger than any picture this program reads, said as such rather
// than as an unknown format.
std::optional<ImageResult> TooLarge(const std::filesystem::path& path) {
  std::error_code ec;
  const std::uintmax_t bytes = std::filesystem::file_size(path, ec);
  if (ec || bytes <= kMaxPictureFileBytes) return std::nullopt;
  return ImageResult::Failure("the file is larger than 1 GB, more than a picture this program reads");
}

}  // namespace

ImageResult LoadPhotoBitmap(Bitmap& bitmap, const std::filesystem::path& path, int max_size, Host* host,
                            const std::atomic<bool>* cancelled) {
  if (std::optional<ImageResult> large = TooLarge(path)) return *large;
  if (GetImageFileKind(path, true) == kKindSvg) return LoadSvgFile(bitmap, path, max_size);
  // The JPEG decoder is tried on every file; its status line is for JPEG
  // files only ("Not a JPEG file" says nothing about a PNG).
  const bool jpegFile = SniffPictureFormat(path) == PictureFormat::kJpeg;
  ImageResult jpeg = DecodeJpegFile(bitmap, path, max_size, jpegFile ? host : nullptr);
  if (jpeg) return jpeg;
  ImageResult general = LoadWithImageKit(bitmap, path, cancelled);
  if (general) return general;
  // Both failed: the general library's reason says more, unless the file is a JPEG.
  return jpegFile ? jpeg : general;
}

ImageResult LoadThumbnailBitmap(Bitmap& bitmap, const std::filesystem::path& path, int size, Host* host,
                                const std::atomic<bool>* cancelled) {
  if (std::optional<ImageResult> large = TooLarge(path)) return *large;
  const ImageKindCode kind = GetImageFileKind(path, false);
  if (kind == kKindTiffConvert) return LoadWithImageKit(bitmap, path, cancelled);
  if (kind == kKindSvg) return LoadSvgFile(bitmap, path, size);
  if (auto exif = LoadExifThumbnail(path, size)) {
    ImageResult thumbnail = DecodeJpegStream(bitmap, *exif, size, host);
    if (thumbnail && (bitmap.Width() >= size || bitmap.Height() >= size)) {
      thumbnail.route = DecodeRoute::kExif;
      return thumbnail;
    }
  }
  return LoadPhotoBitmap(bitmap, path, size, host, cancelled);
}

}  // namespace zor
