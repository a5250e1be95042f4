#include "forms/thumbnail_decoder.h"

#include <QImageReader>

namespace zor {

QImage DecodeThumbnail(const QString& file, int size) {
  QImageReader reader(file);
  reader.setAutoTransform(false);
  const QSize full = reader.size();
  if (full.isValid() && size > 0) {
    // JPEG decoding at 1/2, 1/4 or 1/8 as for the original's thumbnails.
    const int longer = qMax(full.width(), full.height());
    const int ratio = longer / size;
    const int divisor = ratio >= 8 ? 8 : ratio >= 4 ? 4 : ratio >= 2 ? 2 : 1;
    if (divisor > 1)
      reader.setScaledSize(QSize((full.width() + divisor - 1) / divisor, (full.height() + divisor - 1) / divisor));
  }
  QImage image = reader.read();
  if (image.isNull()) return {};
  return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace zor
