#include <QPainter>
#include <QTest>

#include "forms/cell_painter.h"
#include "forms/photo_list.h"

using namespace zor;

namespace {

CellRecord Found(int flag = 0) {
  CellRecord r;
  r.found = true;
  r.flag = flag;
  return r;
}

}  // namespace

class CellPainterTest : public QObject {
  Q_OBJECT
 private slots:
  void iconRectangleIsMadeSquareAndCentred() {
    QCOMPARE(SquareCell(QRect(10, 20, 150, 144)), QRect(13, 20, 144, 144));
    QCOMPARE(SquareCell(QRect(10, 20, 144, 150)), QRect(10, 23, 144, 144));
  }

  void fitExamples_data() {
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<bool>("minFit");
    QTest::addColumn<QRect>("expected");
    // Corner (0, 0), side 140.
    QTest::newRow("landscape normal") << QSize(500, 375) << false << QRect(0, 17, 140, 105);
    QTest::newRow("portrait normal") << QSize(375, 500) << false << QRect(17, 0, 105, 140);
    QTest::newRow("landscape min-width") << QSize(500, 375) << true << QRect(-23, 0, 186, 140);
    QTest::newRow("portrait min-width") << QSize(375, 500) << true << QRect(0, -23, 140, 186);
    QTest::newRow("camera thumbnail") << QSize(160, 120) << false << QRect(0, 17, 140, 105);
    QTest::newRow("square") << QSize(300, 300) << false << QRect(0, 0, 140, 140);
    // 3 x 1 at 140: 140 * 1 / 3 = 46.67 truncates to 46.
    QTest::newRow("truncates") << QSize(300, 100) << false << QRect(0, 47, 140, 46);
  }
  void fitExamples() {
    QFETCH(QSize, picture);
    QFETCH(bool, minFit);
    QFETCH(QRect, expected);
    QCOMPARE(FitPicture(QPoint(0, 0), 140, picture, minFit), expected);
  }

  void framedCellHasShadowFrameAndSunkenPictureFrame() {
    // Icon rectangle 144 x 144 for s = 140.
    const QRect icon(0, 0, 144, 144);
    CellRecord r = Found();
    r.hasDrawings = true;
    r.hasWorkCopy = true;
    const CellLayout c = ComputeCellLayout(icon, 140, true, false, true, r, QSize(500, 375));
    QCOMPARE(c.shadow, QRect(3, 3, 141, 141));
    QCOMPARE(c.raisedFrame, QRect(0, 0, 141, 141));
    QCOMPARE(c.selection, QRect(1, 1, 139, 139));
    QCOMPARE(c.background, QRect(4, 4, 133, 133));
    QCOMPARE(c.drawingMark, QRect(10, 0, 5, 7));
    QCOMPARE(c.workCopyMark, QRect(124, 0, 5, 7));
    // Corner: 4 + (133 - 140) div 2 = 1 (truncated toward zero).
    QCOMPARE(c.pictureFrame, QRect(1, 1 + 17, 142, 107));
    QCOMPARE(c.picture, QRect(2, 19, 140, 105));
    QVERIFY(c.clip.isEmpty());
  }

  void plainCellStretchesOverTheWholePictureRectangle() {
    const CellLayout c = ComputeCellLayout(QRect(0, 0, 144, 144), 140, false, false, false, Found(), QSize(500, 375));
    QVERIFY(c.shadow.isEmpty());
    QVERIFY(c.raisedFrame.isEmpty());
    QVERIFY(c.selection.isEmpty());
    QCOMPARE(c.background, QRect(0, 0, 141, 141));
    QCOMPARE(c.pictureFrame, c.picture);
    QCOMPARE(c.picture.size(), QSize(142, 107));
  }

  void minimumWidthFitIsClippedToItsSquare() {
    const CellLayout c = ComputeCellLayout(QRect(0, 0, 144, 144), 140, true, true, false, Found(), QSize(500, 375));
    // Cell (1, 1) to (140, 140); corner 1 + (139 - 140) div 2 = 1, the
    // division truncating toward zero.
    QCOMPARE(c.pictureFrame, QRect(1, 1, 142, 142));
    QCOMPARE(c.clip, QRect(2, 2, 140, 140));
    QCOMPARE(c.picture, QRect(1 - 23, 1, 186, 140));
  }

  void unknownRecordPaintsNothing() {
    CellRecord r;
    const CellLayout c = ComputeCellLayout(QRect(0, 0, 144, 144), 140, true, false, true, r, QSize(10, 10));
    QVERIFY(c.background.isEmpty());
    QVERIFY(c.picture.isEmpty());
  }

  void backgroundByFlag_data() {
    QTest::addColumn<bool>("framed");
    QTest::addColumn<int>("flag");
    QTest::addColumn<QRgb>("expected");
    QTest::newRow("plain 0 white") << false << 0 << qRgb(255, 255, 255);
    QTest::newRow("plain 99 silver") << false << 99 << qRgb(192, 192, 192);
    QTest::newRow("plain 1 yellow") << false << 1 << qRgb(255, 255, 0);
    QTest::newRow("plain 7 yellow") << false << 7 << qRgb(255, 255, 0);
    QTest::newRow("framed 0 grad B") << true << 0 << qRgb(10, 10, 10);
    QTest::newRow("framed 99 grad W") << true << 99 << qRgb(20, 20, 20);
    QTest::newRow("framed 1 grad G") << true << 1 << qRgb(30, 30, 30);
  }
  void backgroundByFlag() {
    QFETCH(bool, framed);
    QFETCH(int, flag);
    QFETCH(QRgb, expected);
    CellResources res;
    // One-colour glyphs so the chosen one can be told apart.
    for (auto [image, grey] : {std::pair{&res.gradB, 10}, {&res.gradW, 20}, {&res.gradG, 30}}) {
      *image = QImage(256, 256, QImage::Format_RGB32);
      image->fill(qRgb(grey, grey, grey));
    }
    res.highlight = Qt::blue;
    res.buttonHighlight = Qt::white;
    res.buttonShadow = Qt::gray;
    QImage canvas(160, 160, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    {
      QPainter p(&canvas);
      PaintCell(p, QRect(0, 0, 144, 144), 140, framed, false, false, Found(flag), nullptr, res);
    }
    QCOMPARE(canvas.pixel(70, 70), expected);
    if (framed) QCOMPARE(canvas.pixel(142, 142), qRgb(57, 57, 57));  // drop shadow
  }

  // The placeholder of a picture not found carries a note at the cell's
  // foot; a found picture has none.
  void missingPictureIsNotedOverThePlaceholder() {
    CellResources res;
    QPixmap placeholder(140, 105);
    placeholder.fill(Qt::gray);
    int reddish[2] = {0, 0};
    for (bool missing : {false, true}) {
      CellRecord record = Found();
      if (missing) record.missing = QStringLiteral("PHOTO/PIC/P0000001.JPG");
      QImage canvas(160, 160, QImage::Format_RGB32);
      canvas.fill(Qt::black);
      {
        QPainter p(&canvas);
        PaintCell(p, QRect(0, 0, 144, 144), 140, false, false, false, record, &placeholder, res);
      }
      for (int y = 100; y < 141; ++y)
        for (int x = 0; x < 141; ++x) {
          const QColor c = canvas.pixelColor(x, y);
          if (c.red() > 120 && c.green() < 80 && c.blue() < 80) ++reddish[missing];
        }
    }
    QCOMPARE(reddish[0], 0);
    QVERIFY2(reddish[1] > 10, qPrintable(QString::number(reddish[1])));
  }

  void gradientGlyphsRunFromTheLightFaceDownwards() {
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(200, 200, 200));
    const CellResources res = MakeCellResources(palette);
    QCOMPARE(res.gradW.pixel(0, 0), qRgb(220, 220, 220));
    // Band 128: 220 + trunc(35 / 256 * 128) = 237.
    QCOMPARE(res.gradW.pixel(5, 128), qRgb(237, 237, 237));
    // Band 255 of IS_GRAD_G blue: 220 + trunc(-92 / 256 * 255) = 129.
    QCOMPARE(qBlue(res.gradG.pixel(0, 255)), 129);
    QCOMPARE(qRed(res.gradB.pixel(0, 255)), 220 + static_cast<int>(-90 / 256.0 * 255));
  }
};

QTEST_MAIN(CellPainterTest)
#include "cell_painter_test.moc"
