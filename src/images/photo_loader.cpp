#include "images/photo_loader.h"

#include "images/exif_thumbnail.h"
#include "images/image_kind.h"
#include "images/image_kit.h"
#include "images/jpeg_decode.h"
#include "images/picture_format.h"

namespace zor {

ImageResult LoadPhotoBitmap(Bitmap& bitmap, const std::filesystem::path& path, int max_size, Host* host) {
  ImageResult jpeg = DecodeJpegFile(bitmap, path, max_size, host);
  if (jpeg) return jpeg;
  ImageResult general = LoadWithImageKit(bitmap, path);
  if (general) return general;
  // Both failed: the general library's reason says more, unless the file is a JPEG.
  return SniffPictureFormat(path) == PictureFormat::kJpeg ? jpeg : general;
}

ImageResult LoadThumbnailBitmap(Bitmap& bitmap, const std::filesystem::path& path, int size, Host* host) {
  if (GetImageFileKind(path, false) == kKindTiffConvert) return LoadWithImageKit(bitmap, path);
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
