#include "images/photo_loader.h"

#include "images/exif_thumbnail.h"
#include "images/image_kind.h"
#include "images/image_kit.h"
#include "images/jpeg_decode.h"
#include "images/picture_format.h"
#include "images/svg_loader.h"

namespace zor {

ImageResult LoadPhotoBitmap(Bitmap& bitmap, const std::filesystem::path& path, int max_size, Host* host) {
  if (GetImageFileKind(path, true) == kKindSvg) return LoadSvgFile(bitmap, path, max_size);
  ImageResult jpeg = DecodeJpegFile(bitmap, path, max_size, host);
  if (jpeg) return jpeg;
  ImageResult general = LoadWithImageKit(bitmap, path);
  if (general) return general;
  // Both failed: the general library's reason says more, unless the file is a JPEG.
  return SniffPictureFormat(path) == PictureFormat::kJpeg ? jpeg : general;
}

ImageResult LoadThumbnailBitmap(Bitmap& bitmap, const std::filesystem::path& path, int size, Host* host) {
  const ImageKindCode kind = GetImageFileKind(path, false);
  if (kind == kKindTiffConvert) return LoadWithImageKit(bitmap, path);
  if (kind == kKindSvg) return LoadSvgFile(bitmap, path, size);
  if (auto exif = LoadExifThumbnail(path, size)) {
    ImageResult thumbnail = DecodeJpegStream(bitmap, *exif, size, host);
    if (thumbnail && (bitmap.Width() >= size || bitmap.Height() >= size)) {
      thumbnail.route = DecodeRoute::kExif;
      return thumbnail;
    }
  }
  return LoadPhotoBitmap(bitmap, path, size, host);
}

}  // namespace zor
