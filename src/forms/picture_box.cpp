#include "forms/picture_box.h"

#include <QCoreApplication>
#include <QImageReader>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <filesystem>

#include "images/bitmap.h"
#include "images/jpeg_decode.h"

namespace zor {

QImage ToImage(const Bitmap& bitmap) {
  if (bitmap.Empty()) return {};
  QImage wrapped(bitmap.Bits(), bitmap.Width(), bitmap.Height(), bitmap.Stride(), QImage::Format_BGR888);
  // RGB32 paints fastest; the conversion also copies out of the bitmap.
  return wrapped.convertToFormat(QImage::Format_RGB32);
}

namespace {

// The longer side a decode must reach so that the control shows no
// enlarged pixels; 0 means the picture's own size.
int NeededSide(QSize shown) { return shown.isEmpty() ? 0 : std::max(shown.width(), shown.height()); }

std::filesystem::path FsPath(const QString& path) { return std::filesystem::path(path.toStdString()); }

}  // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent), alive_(std::make_shared<bool>(true)) {
  pool_.setMaxThreadCount(1);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

PictureBox::~PictureBox() {
  pool_.clear();
  pool_.waitForDone();
}

void PictureBox::SetPaintStyle(PaintStyle style) {
  style_ = style;
  update();
}

bool PictureBox::LoadFile(const QString& path, QSize shown) {
  // The header tells the size without decoding a pixel.
  QImageReader reader(path, "jpeg");
  QSize own = reader.size();
  Bitmap bitmap;
  int side = NeededSide(shown);
  if (own.isValid() && side > 0) {
    // Fit what is shown into the picture's proportions.
    double s =
        std::min(static_cast<double>(shown.width()) / own.width(), static_cast<double>(shown.height()) / own.height());
    side = std::max(1, static_cast<int>(std::ceil(std::max(own.width(), own.height()) * std::min(1.0, s))));
  }
  if (!DecodeJpegFile(bitmap, FsPath(path), own.isValid() ? side : 0, StatusHost)) return false;
  ++generation_;
  picture_ = ToImage(bitmap);
  imageSize_ = own.isValid() ? own : picture_.size();
  jpegPath_ = picture_.size() == imageSize_ ? QString() : path;
  requestedSide_ = std::max(picture_.width(), picture_.height());
  update();
  return !picture_.isNull();
}

void PictureBox::SetPicture(const QImage& picture) {
  ++generation_;
  picture_ = picture.format() == QImage::Format_RGB32 ? picture : picture.convertToFormat(QImage::Format_RGB32);
  imageSize_ = picture_.size();
  jpegPath_.clear();
  requestedSide_ = 0;
  update();
}

void PictureBox::Clear() {
  ++generation_;
  picture_ = QImage();
  imageSize_ = QSize(0, 0);
  jpegPath_.clear();
  requestedSide_ = 0;
  update();
}

void PictureBox::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  RequestDetail(size());
}

void PictureBox::RequestDetail(QSize shown) {
  if (jpegPath_.isEmpty() || imageSize_.isEmpty()) return;
  const int side = std::min(NeededSide(shown), std::max(imageSize_.width(), imageSize_.height()));
  if (side <= requestedSide_) return;
  requestedSide_ = side;
  const int generation = ++generation_;
  const QString path = jpegPath_;
  std::weak_ptr<bool> alive = alive_;
  pool_.start([this, path, side, generation, alive] {
    Bitmap bitmap;
    QImage image;
    if (DecodeJpegFile(bitmap, FsPath(path), side)) image = ToImage(bitmap);
    QMetaObject::invokeMethod(qApp, [this, image, generation, alive] {
      if (alive.expired() || generation != generation_ || image.isNull()) return;
      picture_ = image;
      if (picture_.size() == imageSize_) jpegPath_.clear();
      update();
      emit DetailChanged();
    });
  });
}

void PictureBox::WaitForDetail() {
  pool_.waitForDone();
  QCoreApplication::processEvents();
}

void PictureBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect exposed = event->rect();
  painter.fillRect(exposed, palette().color(QPalette::Window));
  if (picture_.isNull() || imageSize_.isEmpty()) return;
  PaintRectangle r = PaintRect(imageSize_.width(), imageSize_.height(), style_, width(), height());
  const QRect target(r.left, r.top, r.right - r.left, r.bottom - r.top);
  const QRect part = target.intersected(exposed);
  if (part.isEmpty()) return;
  // Only the exposed part is scaled: a zoomed picture may be far larger
  // than the screen.
  const double sx = static_cast<double>(picture_.width()) / target.width();
  const double sy = static_cast<double>(picture_.height()) / target.height();
  const QRectF source((part.left() - target.left()) * sx, (part.top() - target.top()) * sy, part.width() * sx,
                      part.height() * sy);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, sx > 0.5);
  painter.drawImage(QRectF(part), picture_, source);
}

}  // namespace zor
