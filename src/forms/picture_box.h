// PictureBox: the paint box that shows one picture placed by its paint style.
// A JPEG is decoded only at the detail the control needs: a fitted picture of
// 12000 × 9000 is read at an eighth of its size, and when the control grows
// past the decoded detail a sharper one is decoded on a worker thread while
// the present one stays on screen, scaled.
#pragma once

#include <QImage>
#include <QString>
#include <QThreadPool>
#include <QWidget>
#include <memory>

#include "images/paint_rect.h"

namespace zor {

class Host;

class PictureBox : public QWidget {
  Q_OBJECT
 public:
  enum class StreamStyle { ijsJpeg, ijsBmp };

  explicit PictureBox(QWidget* parent = nullptr);
  ~PictureBox() override;

  bool IncrementalDisplay = false;
  StreamStyle Stream = StreamStyle::ijsJpeg;
  // Where a JPEG error of LoadFile goes (" JPEG Error Status=..."); none
  // when null. The owner's window sets it to the main window.
  Host* StatusHost = nullptr;
  PaintStyle Style() const { return style_; }
  void SetPaintStyle(PaintStyle style);

  // Decodes a JPEG through the JPEG decoder, at the detail a control of
  // `shown` needs (empty: the picture's own size). False when the file is
  // not a JPEG the decoder reads; the previous picture is then kept and the
  // decoder's status goes to StatusHost.
  bool LoadFile(const QString& path, QSize shown = {});
  // Takes a picture decoded elsewhere (the general library, GIF), at its own size.
  void SetPicture(const QImage& picture);
  // Empties the picture.
  void Clear();

  // The picture's own size; 0 when none is held.
  int ImageWidth() const { return imageSize_.width(); }
  int ImageHeight() const { return imageSize_.height(); }
  // What is held in memory, which for a JPEG may be a reduced decode.
  const QImage& Picture() const { return picture_; }

  // Waits for a pending sharper decode (tests, screenshots).
  void WaitForDetail();

 signals:
  // A sharper decode arrived.
  void DetailChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void RequestDetail(QSize shown);

  PaintStyle style_ = PaintStyle::kStretch;
  QImage picture_;
  QSize imageSize_{0, 0};
  QString jpegPath_;  // set while the picture is a JPEG that may be decoded sharper
  int requestedSide_ = 0;
  int generation_ = 0;
  QThreadPool pool_;
  std::shared_ptr<bool> alive_;
};

// The pixels of a decoded bitmap as an image the window can paint.
class Bitmap;
QImage ToImage(const Bitmap& bitmap);

}  // namespace zor
