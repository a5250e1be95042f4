#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <cmath>
#include <QPainter>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>

#include "forms/photo_viewer.h"
#include "forms/picture_box.h"

using namespace zor;

class ViewerTest : public QObject {
  Q_OBJECT
 private:
  QTemporaryDir dir_;

  QString Picture(const char* name, int w, int h, const char* format = "JPEG") {
    QString path = dir_.filePath(QString::fromLatin1(name));
    if (QFile::exists(path)) return path;
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(image.rect(), QColor(40, 120, 200));
    p.fillRect(QRect(0, 0, w / 2, h / 2), QColor(220, 60, 40));
    p.end();
    if (!image.save(path, format)) qFatal("cannot write %s", name);
    return path;
  }

  // The viewer with a client area of w × h.
  std::unique_ptr<PhotoViewer> Viewer(int w, int h) {
    auto v = std::make_unique<PhotoViewer>();
    v->setMinimumSize(1, 1);
    v->resize(w, h);
    return v;
  }

  void Show(PhotoViewer& v, const QString& path) {
    QVERIFY(v.ShowPicture(path));
    QVERIFY(QTest::qWaitForWindowExposed(&v));
    QCOMPARE(v.ClientSize(), v.size());
  }

 private slots:
  void largePictureIsFitted() {
    auto v = Viewer(512, 512);
    Show(*v, Picture("wide.jpg", 2048, 1024));
    QCOMPARE(v->ControlGeometry(), QRect(0, 128, 512, 256));
    QVERIFY(v->windowTitle().contains(QStringLiteral("  25%  ")));
    QCOMPARE(v->windowTitle(), QStringLiteral("表示 wide.jpg W 512 / H 256  25%  (実寸 W 2048 / H 1024)"));
    QVERIFY(!v->Zoomed());
  }

  void smallPictureKeepsItsSize() {
    auto v = Viewer(512, 512);
    Show(*v, Picture("small.jpg", 320, 240));
    QCOMPARE(v->ControlGeometry(), QRect(96, 136, 320, 240));
    QVERIFY(v->windowTitle().contains(QStringLiteral("  100%  ")));
  }

  void leftClicksZoomUpToTheAreaLimit() {
    auto v = Viewer(600, 400);
    Show(*v, Picture("big.jpg", 4000, 3000));
    QCOMPARE(v->ControlGeometry().size(), QSize(533, 400));
    QCOMPARE(v->ClickFactor(Qt::LeftButton), 1.5);
    v->PictureMouseDown(Qt::LeftButton, {10, 10});
    v->PictureMouseUp(Qt::LeftButton, {10, 10});
    QVERIFY(v->Zoomed());
    QCOMPARE(v->ControlGeometry().width(), 799);  // trunc(533 × 1.5)
    // Click on until the area limit stops the zoom; the last step is cut short.
    double last = 0;
    for (int i = 0; i < 10 && v->ClickFactor(Qt::LeftButton) > 0; ++i) {
      last = v->ClickFactor(Qt::LeftButton);
      v->PictureMouseDown(Qt::LeftButton, {10, 10});
      v->PictureMouseUp(Qt::LeftButton, {10, 10});
    }
    QVERIFY(last > 1 && last < 1.5);
    // 799 × 599, 1198 × 898, 1797 × 1347, 2695 × 2021, then a step of
    // √(2560² / (2695 × 2021)) = 1.0969 to the limit of 2560 × 2560 pixels;
    // the height follows the picture's 4:3.
    const QRect c = v->ControlGeometry();
    QCOMPARE(c.size(), QSize(2956, 2217));
    QVERIFY(double(c.width()) * c.height() <= 2560.0 * 2560.0);
    QVERIFY(double(c.width()) * c.height() > 2560.0 * 2560.0 * 0.99);
    // At the limit a left click does nothing.
    v->PictureMouseDown(Qt::LeftButton, {10, 10});
    v->PictureMouseUp(Qt::LeftButton, {10, 10});
    QCOMPARE(v->ControlGeometry(), c);
  }

  void clickKeepsThePointUnderThePointer() {
    auto v = Viewer(600, 400);
    Show(*v, Picture("big.jpg", 4000, 3000));
    const QRect before = v->ControlGeometry();
    const QPoint clicked(400, 300);  // control coordinates
    v->PictureMouseDown(Qt::LeftButton, clicked);
    v->PictureMouseUp(Qt::LeftButton, clicked);
    // The anchor was clicked + control origin; it is again under the pointer.
    const QPoint anchor = clicked + before.topLeft();
    // The new width before truncation is 533 × 1.5.
    QCOMPARE(v->HorzPosition(), int(1.5 * 400) - anchor.x());
    QCOMPARE(v->VertPosition(), int(1.5 * 300) - anchor.y());
  }

  void rightClicksStopAtTenPercent() {
    auto v = Viewer(600, 400);
    Show(*v, Picture("big.jpg", 4000, 3000));
    for (int i = 0; i < 10; ++i) {
      v->PictureMouseDown(Qt::RightButton, {5, 5});
      v->PictureMouseUp(Qt::RightButton, {5, 5});
    }
    const int width = v->ControlGeometry().width();  // 10 % of 4000, truncated
    QVERIFY(width == 400 || width == 399);
    QVERIFY(v->windowTitle().contains(QStringLiteral("  10%  ")));
  }

  // Quick clicks arrive as a press, a release, a double-click press and a
  // release: every press zooms.
  void everyPressOfQuickClicksCounts() {
    auto v = Viewer(600, 400);
    Show(*v, Picture("big.jpg", 4000, 3000));
    const int before = v->ControlGeometry().width();
    QWidget* target = v->IJLImage;
    const QPointF at(10, 10);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                              QEvent::MouseButtonRelease}) {
      const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
      QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
      QApplication::sendEvent(target, &event);
    }
    const double grown = static_cast<double>(v->ControlGeometry().width()) / before;
    QVERIFY2(std::abs(grown - 2.25) < 0.02, qPrintable(QString::number(grown)));
  }

  // A picture not found at load shows the placeholder under its own name.
  void missingPictureIsNamedInTheCaption() {
    auto v = Viewer(512, 512);
    QVERIFY(v->ShowPicture(Picture("DUMMY.JPG", 320, 240), 249, QStringLiteral("PIC/P0000001.JPG")));
    QVERIFY(QTest::qWaitForWindowExposed(v.get()));
    QCOMPARE(v->windowTitle(), QStringLiteral("ファイルがありません: PIC/P0000001.JPG"));
    QVERIFY(v->ShowPicture(Picture("small.jpg", 320, 240)));
    QVERIFY(v->windowTitle().startsWith(QStringLiteral("表示 small.jpg ")));
  }

  void dragZoomsToTheRectangle() {
    auto v = Viewer(600, 400);
    Show(*v, Picture("half.jpg", 300, 200));
    QCOMPARE(v->ControlGeometry(), QRect(150, 100, 300, 200));
    // 5 × 40 is too narrow.
    v->PictureMouseDown(Qt::LeftButton, {10, 10});
    v->PictureMouseMove(Qt::LeftButton, {15, 50});
    QVERIFY(v->Dragging());
    v->PictureMouseUp(Qt::LeftButton, {15, 50});
    QVERIFY(!v->Zoomed());
    QCOMPARE(v->ControlGeometry(), QRect(150, 100, 300, 200));
    // 100 × 50: the smaller of 600 / 100 and 400 / 50.
    QCOMPARE(v->DragFactor({50, 50}, {150, 100}), 6.0);
    v->PictureMouseDown(Qt::LeftButton, {50, 50});
    v->PictureMouseMove(Qt::LeftButton, {100, 70});
    v->PictureMouseMove(Qt::LeftButton, {150, 100});
    v->PictureMouseUp(Qt::LeftButton, {150, 100});
    QCOMPARE(v->ControlGeometry().size(), QSize(1800, 1200));
    // The rectangle's centre (100, 75) × 6 lands on the client area's centre.
    QCOMPARE(v->HorzPosition(), 600 - 300);
    QCOMPARE(v->VertPosition(), 450 - 200);
  }

  void dragZoomIsHeldToTheAreaLimit() {
    auto v = Viewer(600, 400);
    Show(*v, Picture("big.jpg", 4000, 3000));
    // 533 × 400 by 60 would pass the limit of 2560 × 2560 pixels; the factor
    // is cut to its area: √(6553600 / 213200) = 5.544295.
    double f = v->DragFactor({0, 0}, {10, 10});
    QVERIFY2(std::abs(f - 5.544295) < 1e-6, qPrintable(QString::number(f, 'f', 8)));
    v->PictureMouseDown(Qt::LeftButton, {0, 0});
    v->PictureMouseMove(Qt::LeftButton, {10, 10});
    v->PictureMouseUp(Qt::LeftButton, {10, 10});
    QCOMPARE(v->ControlGeometry().size(), QSize(2955, 2216));  // 533 × 5.544295, and 3/4 of it
  }

  void secondPictureShowsFitted() {
    auto v = Viewer(512, 512);
    Show(*v, Picture("big.jpg", 4000, 3000));
    v->PictureMouseDown(Qt::LeftButton, {10, 10});
    v->PictureMouseUp(Qt::LeftButton, {10, 10});
    QVERIFY(v->Zoomed());
    QVERIFY(v->ShowPicture(Picture("wide.jpg", 2048, 1024)));
    QVERIFY(!v->Zoomed());
    QCOMPARE(v->ControlGeometry(), QRect(0, 128, 512, 256));
    QCOMPARE(v->HorzPosition(), 0);
  }

  void otherKindsLoadThroughTheGeneralLibrary() {
    auto v = Viewer(512, 512);
    Show(*v, Picture("drawing.png", 200, 100, "PNG"));
    QCOMPARE(v->ControlGeometry(), QRect(156, 206, 200, 100));
    QCOMPARE(v->IJLImage->Picture().size(), QSize(200, 100));
  }

  void missingOrForeignFilesBeepOnly() {
    auto v = Viewer(512, 512);
    QVERIFY(!v->ShowPicture(dir_.filePath(QStringLiteral("none.jpg"))));
    QFile text(dir_.filePath(QStringLiteral("notes.txt")));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("x");
    text.close();
    QVERIFY(!v->ShowPicture(text.fileName()));
    QVERIFY(!v->isVisible());
  }

  void largeJpegIsDecodedAtTheDetailShown() {
    auto v = Viewer(600, 400);
    Show(*v, Picture("big.jpg", 4000, 3000));
    // Fitted into 533 × 400: a quarter (an eighth would be too coarse).
    QCOMPARE(v->IJLImage->Picture().size(), QSize(1000, 750));
    QCOMPARE(v->IJLImage->ImageWidth(), 4000);
    // Zoomed past the decoded detail: a sharper one follows.
    v->ZoomBy(4, {0, 0}, {0, 0});
    v->IJLImage->WaitForDetail();
    QCOMPARE(v->IJLImage->Picture().size(), QSize(4000, 3000));
  }

  void keysScrollAndClose() {
    auto v = Viewer(400, 300);
    Show(*v, Picture("big.jpg", 4000, 3000));
    v->ZoomBy(4, {0, 0}, {0, 0});
    QTest::keyClick(v->FocusControl, Qt::Key_Right);
    QTest::keyClick(v->FocusControl, Qt::Key_Down);
    QTest::keyClick(v->FocusControl, Qt::Key_Down);
    QCOMPARE(v->HorzPosition(), 30);
    QCOMPARE(v->VertPosition(), 60);
    QTest::keyClick(v->FocusControl, Qt::Key_Escape);
    QVERIFY(!v->isVisible());
    QCOMPARE(v->IJLImage->ImageWidth(), 0);
  }
};

QTEST_MAIN(ViewerTest)
#include "viewer_test.moc"
