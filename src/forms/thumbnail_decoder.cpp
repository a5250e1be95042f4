#include "forms/thumbnail_decoder.h"

#include <QFile>
#include <filesystem>

#include "forms/picture_box.h"
#include "images/bitmap.h"
#include "images/photo_loader.h"

namespace zor {

QImage DecodeThumbnail(const QString& file, int size, const std::atomic<bool>& cancelled) {
  // The picture module's order: a TIFF to convert through the general
  // library, else the camera's thumbnail when it is large enough, else the
  // JPEG decoder at 1/2, 1/4 or 1/8 with the general library behind it.
  // No host: a worker thread has no status line to write to.
  Bitmap bitmap;
  const std::filesystem::path path(QFile::encodeName(file).toStdString());
  if (!LoadThumbnailBitmap(bitmap, path, size, nullptr, &cancelled)) return {};
  return ToImage(bitmap);
}

}  // namespace zor
