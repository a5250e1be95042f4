// PhotoViewer: the photo viewer. One picture at a time in a window that stays
// above the main window: fitted at first, zoomed by left (×1.5) and right
// (×2/3) clicks or by dragging a rectangle, scrolled with the scroll bars,
// the arrow keys and the wheel. Created on first use and reused.
#pragma once

#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

class QScrollArea;

namespace zor {

class PictureBox;

class PhotoViewer : public QWidget {
  Q_OBJECT
 public:
  // No zoom makes the picture larger than this many pixels.
  static constexpr double kMaxArea = 6553600.0;
  static constexpr int kArrowStep = 30;

  explicit PhotoViewer(QWidget* parent = nullptr);

  // Loads the file and shows the window; a missing file or one of no
  // picture kind only beeps. False when nothing was shown.
  // missing: the name of a picture that was not found, whose placeholder
  // path is shown; the caption then names it.
  bool ShowPicture(const QString& path, int helpContext = 249, const QString& missing = QString());

  // Fits the picture into the scroll box, or re-centres a zoomed one that fits.
  void ScrollBoxResize();
  void UpdateViewCaption();

  // Zooms by f around the anchor (scroll box client coordinates), keeping the
  // point `keep` (picture control coordinates before the zoom) under it.
  void ZoomBy(double f, QPointF anchor, QPointF keep);
  // The zoom of a click: left ×1.5 within the area limit, right ×2/3 down
  // to 10 %; 0 when the click does nothing.
  double ClickFactor(Qt::MouseButton button) const;
  // The zoom of a rectangle dragged from a to b (control coordinates); 0 when
  // it is less than 6 pixels wide or high.
  double DragFactor(QPoint a, QPoint b) const;

  // Simulated input in picture control coordinates (also what the mouse does).
  void PictureMouseDown(Qt::MouseButton button, QPoint pos);
  void PictureMouseMove(Qt::MouseButtons buttons, QPoint pos);
  void PictureMouseUp(Qt::MouseButton button, QPoint pos);

  QScrollArea* ScrollBox = nullptr;
  PictureBox* IJLImage = nullptr;
  QWidget* FocusControl = nullptr;

  bool Zoomed() const { return zoomed_; }
  bool Dragging() const { return dragging_; }
  const QString& FileLabel() const { return fileLabel_; }
  const QString& MissingName() const { return missing_; }
  int HelpContext() const { return helpContext_; }
  // The picture control's place in the scroll box's scrolled area.
  QRect ControlGeometry() const;
  // The scroll box's client size (W × H).
  QSize ClientSize() const;
  int HorzPosition() const;
  int VertPosition() const;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void PlaceControl(int left, int top, int width, int height);
  void SetPositions(int horz, int vert);
  void DrawBand();
  bool LoadByKind(const QString& path);

  QWidget* canvas_ = nullptr;  // the scrolled area holding the picture control
  QWidget* band_ = nullptr;    // the dragged rectangle, drawn over the picture
  QString fileLabel_;
  QString missing_;  // the name of the missing picture shown, else empty
  int helpContext_ = 249;
  bool zoomed_ = false;
  bool mouseDown_ = false;
  bool dragging_ = false;
  QPoint start_, end_;
};

// The magnifying-glass cursor of the viewer: 32 × 32, hotspot at the lens's centre.
QCursor MagnifierCursor();

}  // namespace zor
