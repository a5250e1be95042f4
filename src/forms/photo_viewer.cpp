#include "forms/photo_viewer.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "forms/message_boxes.h"
#include "forms/picture_box.h"
#include "images/bitmap.h"
#include "images/gif_loader.h"
#include "images/image_kind.h"
#include "images/image_kit.h"
#include "images/svg_loader.h"

namespace zor {
namespace {

const QColor kScrollBoxColour(245, 220, 175);

// The dragged rectangle: a dotted grey outline over the picture.
class SelectionBand : public QWidget {
 public:
  explicit SelectionBand(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    QPen pen(QColor(128, 128, 128), 1, Qt::DotLine);
    p.setPen(pen);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
  }
};

}  // namespace

QCursor MagnifierCursor() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  // The handle runs from the lens to the lower right; the lens is centred on
  // the hotspot so that the zoom centres on what is under it.
  p.setPen(QPen(Qt::white, 6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(22, 22), QPointF(29, 29));
  p.setPen(QPen(Qt::black, 4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(22, 22), QPointF(29, 29));
  p.setBrush(QColor(255, 255, 255, 90));
  p.setPen(QPen(Qt::white, 3.5));
  p.drawEllipse(QPointF(16, 16), 8, 8);
  p.setPen(QPen(Qt::black, 1.5));
  p.drawEllipse(QPointF(16, 16), 8, 8);
  p.drawLine(QPointF(13, 16), QPointF(19, 16));
  p.drawLine(QPointF(16, 13), QPointF(16, 19));
  p.end();
  return QCursor(pixmap, 16, 16);
}

PhotoViewer::PhotoViewer(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("ViewForm"));
  setWindowTitle(QStringLiteral("実寸表示"));
  setMinimumSize(300, 200);
  setProperty("hideWithMain", true);  // hidden and shown again with the main window
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  FocusControl = new QWidget(this);
  FocusControl->setObjectName(QStringLiteral("FocusControl"));
  FocusControl->setFocusPolicy(Qt::StrongFocus);
  FocusControl->setFixedSize(0, 0);
  layout->addWidget(FocusControl);

  ScrollBox = new QScrollArea(this);
  ScrollBox->setObjectName(QStringLiteral("ScrollBox"));
  ScrollBox->setFrameShape(QFrame::NoFrame);
  ScrollBox->setFocusPolicy(Qt::NoFocus);
  ScrollBox->setWidgetResizable(false);
  ScrollBox->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QPalette palette = ScrollBox->palette();
  palette.setColor(QPalette::Window, kScrollBoxColour);
  ScrollBox->setPalette(palette);
  ScrollBox->viewport()->setAutoFillBackground(true);
  ScrollBox->viewport()->setPalette(palette);
  for (QScrollBar* bar : {ScrollBox->horizontalScrollBar(), ScrollBox->verticalScrollBar()}) {
    bar->setSingleStep(40);
    bar->setTracking(true);
  }
  canvas_ = new QWidget;
  canvas_->setPalette(palette);
  canvas_->setAutoFillBackground(true);
  IJLImage = new PictureBox(canvas_);
  IJLImage->setObjectName(QStringLiteral("IJLImage"));
  IJLImage->SetPaintStyle(PaintStyle::kStretch);
  IJLImage->setPalette(palette);
  IJLImage->hide();
  ScrollBox->setWidget(canvas_);
  layout->addWidget(ScrollBox, 1);

  band_ = new SelectionBand(ScrollBox->viewport());
  band_->hide();

  for (QWidget* w : {static_cast<QWidget*>(IJLImage), ScrollBox->viewport(), canvas_}) w->installEventFilter(this);
  ScrollBox->installEventFilter(this);
  FocusControl->setFocus();

  resize(614, 384);
  if (QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

QSize PhotoViewer::ClientSize() const {
  // Scroll bars shown only because of the present zoom do not count while fitting.
  return zoomed_ ? ScrollBox->viewport()->size() : ScrollBox->maximumViewportSize();
}

QRect PhotoViewer::ControlGeometry() const { return IJLImage->geometry(); }
int PhotoViewer::HorzPosition() const { return ScrollBox->horizontalScrollBar()->value(); }
int PhotoViewer::VertPosition() const { return ScrollBox->verticalScrollBar()->value(); }

void PhotoViewer::SetPositions(int horz, int vert) {
  ScrollBox->horizontalScrollBar()->setValue(horz);
  ScrollBox->verticalScrollBar()->setValue(vert);
}

void PhotoViewer::PlaceControl(int left, int top, int width, int height) {
  IJLImage->setGeometry(left, top, std::max(1, width), std::max(1, height));
  canvas_->resize(std::max(1, left + width), std::max(1, top + height));
}

// ---- loading -------------------------------------------------------------

bool PhotoViewer::LoadByKind(const QString& path) {
  const std::filesystem::path file(path.toStdString());
  Bitmap bitmap;
  switch (GetImageFileKind(file, false)) {
    case kKindJpeg:
      if (IJLImage->LoadFile(path, ClientSize())) return true;
      if (!LoadWithImageKit(bitmap, file)) return false;
      break;
    case kKindGif:
      if (!LoadGifFile(bitmap, file)) return false;
      break;
    case kKindSvg:
      if (!LoadSvgFile(bitmap, file)) return false;
      break;
    default:  // the metafile and every other kind go to the general library
      if (!LoadWithImageKit(bitmap, file)) return false;
      break;
  }
  QImage image = ToImage(bitmap);
  if (image.isNull()) return false;
  IJLImage->SetPicture(image);
  return true;
}

bool PhotoViewer::ShowPicture(const QString& path, int helpContext, const QString& missing) {
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  helpContext_ = helpContext;
  setProperty("helpContext", helpContext);
  IJLImage->hide();
  fileLabel_.clear();
  QFileInfo info(path);
  if (!info.isFile() || GetImageFileKind(std::filesystem::path(path.toStdString()), false) < 0) {
    QApplication::beep();
    QGuiApplication::restoreOverrideCursor();
    return false;
  }
  fileLabel_ = info.fileName() + QLatin1Char(' ');
  missing_ = missing;
  IJLImage->show();
  if (!isVisible()) layout()->activate();  // the fit needs the client size
  // A picture that loads empty counts as a failure too: its size would
  // divide the caption's percentage by zero.
  if (!LoadByKind(path) || IJLImage->ImageWidth() <= 0 || IJLImage->ImageHeight() <= 0) {
    IJLImage->hide();
    IJLImage->Clear();
    QGuiApplication::restoreOverrideCursor();
    InfoBox(isVisible() ? this : parentWidget(), QStringLiteral("不正な形式の為表示できません。"));
    return false;
  }
  zoomed_ = false;
  if (isVisible()) {
    SetPositions(0, 0);
    ScrollBoxResize();
  } else {
    show();
  }
  raise();
  activateWindow();
  QGuiApplication::restoreOverrideCursor();
  return true;
}

// ---- fitting and zoom ------------------------------------------------------------

void PhotoViewer::ScrollBoxResize() {
  const QCursor magnifier = MagnifierCursor();
  ScrollBox->viewport()->setCursor(magnifier);
  IJLImage->setCursor(magnifier);
  const int w = IJLImage->ImageWidth();
  const int h = IJLImage->ImageHeight();
  if (w > 0 && h > 0) {
    const QSize client = ClientSize();
    const int W = client.width();
    const int H = client.height();
    if (!zoomed_) {
      SetPositions(0, 0);
      if (w <= W && h <= H) {
        PlaceControl((W - w) / 2, (H - h) / 2, w, h);
      } else {
        const double s = std::min(static_cast<double>(W) / w, static_cast<double>(H) / h);
        const int cw = static_cast<int>(s * w);
        const int ch = static_cast<int>(s * h);
        PlaceControl((W - cw) / 2, (H - ch) / 2, cw, ch);
      }
    } else {
      const QRect c = ControlGeometry();
      if (c.width() <= W && c.height() <= H) {
        SetPositions(0, 0);
        PlaceControl((W - c.width()) / 2, (H - c.height()) / 2, c.width(), c.height());
      }
    }
  }
  UpdateViewCaption();
}

void PhotoViewer::UpdateViewCaption() {
  if (IJLImage->isHidden() || IJLImage->ImageWidth() <= 0) return;
  if (!missing_.isEmpty()) {
    setWindowTitle(QStringLiteral("ファイルがありません: ") + missing_);
    return;
  }
  const QRect c = ControlGeometry();
  const long percent = std::lround(static_cast<double>(c.width()) / IJLImage->ImageWidth() * 100.0);
  setWindowTitle(QStringLiteral("表示 %1W %2 / H %3  %4%  (実寸 W %5 / H %6)")
                     .arg(fileLabel_)
                     .arg(c.width())
                     .arg(c.height())
                     .arg(percent)
                     .arg(IJLImage->ImageWidth())
                     .arg(IJLImage->ImageHeight()));
}

double PhotoViewer::ClickFactor(Qt::MouseButton button) const {
  const double cw = ControlGeometry().width();
  const double ch = ControlGeometry().height();
  const double pw = IJLImage->ImageWidth();
  if (cw <= 0 || ch <= 0 || pw <= 0) return 0;
  if (button == Qt::LeftButton) {
    double f = 1.5;
    if (cw * f * ch * f > kMaxArea) {
      f = std::sqrt(kMaxArea / (cw * ch));
      if (f <= 1) return 0;
    }
    return f;
  }
  if (button == Qt::RightButton) {
    double f = 2.0 / 3.0;
    if (cw * f / pw * 100 < 10) f = pw * 0.1 / cw;
    return f;
  }
  return 0;
}

double PhotoViewer::DragFactor(QPoint a, QPoint b) const {
  const int rw = std::abs(b.x() - a.x());
  const int rh = std::abs(b.y() - a.y());
  if (rw < 6 || rh < 6) return 0;
  const QSize client = ClientSize();
  double f = std::min(static_cast<double>(client.width()) / rw, static_cast<double>(client.height()) / rh);
  const double cw = ControlGeometry().width();
  const double ch = ControlGeometry().height();
  if (cw * f * ch * f > kMaxArea) {
    f = std::sqrt(kMaxArea / (cw * ch));
    if (f <= 1) f = 1;
  }
  return f;
}

void PhotoViewer::ZoomBy(double f, QPointF anchor, QPointF keep) {
  const double pw = IJLImage->ImageWidth();
  const double ph = IJLImage->ImageHeight();
  const double oldW = ControlGeometry().width();
  if (pw <= 0 || oldW <= 0 || f <= 0) return;
  zoomed_ = true;
  const double newW = oldW * f;
  const double newH = ph * newW / pw;
  const int iw = static_cast<int>(newW);
  const int ih = static_cast<int>(newH);
  SetPositions(0, 0);
  PlaceControl(0, 0, iw, ih);
  SetPositions(static_cast<int>(newW / oldW * keep.x()) - static_cast<int>(anchor.x()),
               static_cast<int>(newW / oldW * keep.y()) - static_cast<int>(anchor.y()));
  // A side smaller than the client area is centred.
  const QSize client = ScrollBox->viewport()->size();
  const int left = iw < client.width() ? (client.width() - iw) / 2 : 0;
  const int top = ih < client.height() ? (client.height() - ih) / 2 : 0;
  if (left != 0 || top != 0) PlaceControl(left, top, iw, ih);
  UpdateViewCaption();
}

// ---- mouse -------------------------------------------------------------------

void PhotoViewer::PictureMouseDown(Qt::MouseButton button, QPoint pos) {
  if (IJLImage->isHidden() || (button != Qt::LeftButton && button != Qt::RightButton)) return;
  mouseDown_ = true;
  start_ = pos;
}

void PhotoViewer::PictureMouseMove(Qt::MouseButtons buttons, QPoint pos) {
  if (!(buttons & Qt::LeftButton)) return;
  // The rectangle stays inside the client area, as if the pointer were held there.
  const QPoint origin = IJLImage->mapTo(ScrollBox->viewport(), QPoint(0, 0));
  const QSize client = ScrollBox->viewport()->size();
  pos.setX(std::clamp(pos.x(), -origin.x(), client.width() - 1 - origin.x()));
  pos.setY(std::clamp(pos.y(), -origin.y(), client.height() - 1 - origin.y()));
  if (mouseDown_ && (std::abs(pos.x() - start_.x()) > 5 || std::abs(pos.y() - start_.y()) > 5)) {
    mouseDown_ = false;
    dragging_ = true;
  }
  if (!dragging_) return;
  end_ = pos;
  DrawBand();
}

void PhotoViewer::DrawBand() {
  const QPoint origin = IJLImage->mapTo(ScrollBox->viewport(), QPoint(0, 0));
  band_->setGeometry(QRect(start_ + origin, end_ + origin).normalized());
  band_->show();
  band_->raise();
}

void PhotoViewer::PictureMouseUp(Qt::MouseButton button, QPoint pos) {
  if (IJLImage->isHidden()) return;
  const bool wasDown = mouseDown_;
  const bool wasDragging = dragging_;
  mouseDown_ = false;
  dragging_ = false;
  band_->hide();
  if (wasDown) {
    const double f = ClickFactor(button);
    if (f <= 0) return;
    const QPoint origin = IJLImage->mapTo(ScrollBox->viewport(), QPoint(0, 0));
    ZoomBy(f, QPointF(pos + origin), QPointF(pos));
  } else if (wasDragging) {
    const double f = DragFactor(start_, end_);
    if (f <= 0) return;
    const QSize client = ClientSize();
    const QPointF centre((start_.x() + end_.x()) / 2.0, (start_.y() + end_.y()) / 2.0);
    ZoomBy(f, QPointF(client.width() / 2.0, client.height() / 2.0), centre);
  }
}

// ---- events ------------------------------------------------------------------

bool PhotoViewer::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ScrollBox && event->type() == QEvent::Resize) {
    ScrollBoxResize();
    return false;
  }
  auto* widget = qobject_cast<QWidget*>(watched);
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:  // the second press of a double click counts too
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease: {
      if (!widget || watched == ScrollBox) break;
      auto* mouse = static_cast<QMouseEvent*>(event);
      const QPoint pos = IJLImage->mapFrom(widget, mouse->position().toPoint());
      if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        FocusControl->setFocus();
        PictureMouseDown(mouse->button(), pos);
      } else if (event->type() == QEvent::MouseMove) {
        PictureMouseMove(mouse->buttons(), pos);
      } else {
        PictureMouseUp(mouse->button(), pos);
      }
      return true;
    }
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

void PhotoViewer::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
      close();
      return;
    case Qt::Key_Left:
      SetPositions(HorzPosition() - kArrowStep, VertPosition());
      return;
    case Qt::Key_Right:
      SetPositions(HorzPosition() + kArrowStep, VertPosition());
      return;
    case Qt::Key_Up:
      SetPositions(HorzPosition(), VertPosition() - kArrowStep);
      return;
    case Qt::Key_Down:
      SetPositions(HorzPosition(), VertPosition() + kArrowStep);
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

void PhotoViewer::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  SetPositions(0, 0);
  ScrollBoxResize();
  FocusControl->setFocus();
}

void PhotoViewer::closeEvent(QCloseEvent* event) {
  IJLImage->Clear();
  mouseDown_ = false;
  dragging_ = false;
  band_->hide();
  event->accept();  // the window is hidden and kept
}

}  // namespace zor
