#include "forms/tree_images.h"

#include <QPainter>
#include <QPainterPath>

namespace zor {
namespace {

struct Look {
  QColor body, edge;
};

// Folder bodies by node kind: unclassified grey-blue, construction brown,
// photo class green, work type and below orange.
Look LookOf(int kind) {
  switch (kind) {
    case 0:
      return {QColor(150, 170, 200), QColor(70, 90, 120)};
    case 1:
      return {QColor(190, 140, 80), QColor(110, 70, 30)};
    case 2:
      return {QColor(120, 190, 110), QColor(40, 110, 40)};
    default:
      return {QColor(245, 200, 90), QColor(150, 100, 20)};
  }
}

QPixmap Draw(int index) {
  QPixmap pixmap(kTreeImageSide, kTreeImageSide);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing, false);
  const Look look = LookOf(index / 2);
  const bool withPhotos = index % 2 == 1;
  // A folder: tab, then body.
  p.setPen(look.edge);
  p.setBrush(look.body.darker(110));
  p.drawRect(1, 3, 6, 2);
  p.setBrush(withPhotos ? look.body : look.body.lighter(135));
  p.drawRect(1, 5, 14, 9);
  if (withPhotos) {
    // A small photo on the folder: white card with a dark picture.
    p.setPen(QColor(60, 60, 60));
    p.setBrush(Qt::white);
    p.drawRect(7, 8, 8, 7);
    p.fillRect(9, 10, 5, 4, QColor(70, 120, 180));
    p.fillRect(9, 12, 5, 2, QColor(60, 140, 60));
  }
  return pixmap;
}

QPixmap Greyed(const QPixmap& source) {
  QImage image = source.toImage().convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const int grey = (qGray(line[x]) + 2 * 192) / 3;  // light and flat
      line[x] = qRgba(grey, grey, grey, qAlpha(line[x]));
    }
  }
  return QPixmap::fromImage(image);
}

}  // namespace

QPixmap TreeImage(int index, bool greyed) {
  if (index < 0 || index >= kTreeImageCount) index = 0;
  QPixmap image = Draw(index);
  return greyed ? Greyed(image) : image;
}

}  // namespace zor
