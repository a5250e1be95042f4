// The thumbnail cell of both photo lists: a square cell with, in the framed
// style, a drop shadow and a raised frame; the selection rectangle; the
// background by the record's FLAG; the drawing and work-copy marks; the
// picture fitted to the cell side. The geometry is computed apart from the
// painting so that it can be checked without a screen.
#pragma once

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QString>

class QPainter;

namespace zor {

// What a cell shows of its record, read once when the list is filled.
struct CellRecord {
  bool found = false;        // the record number is in the photo table
  QString caption;           // TITLE, "(無題)" or "(不明データ)"
  int flag = 0;              // FLAG: 0 normal, 99 silver, any other value yellow
  bool hasDrawings = false;  // REC_DRA not empty
  bool hasWorkCopy = false;  // FILE_NOW not empty
  bool originalOnly = false; // FILE_ORG not empty: the picture is not shown
  QString file;              // FILENAME as a path
  QString missing;           // the photo file's name of a picture not found (file is the placeholder)
};

// Colours and glyphs every cell uses; made once per palette.
struct CellResources {
  QImage gradB, gradW, gradG;  // IS_GRAD_B, IS_GRAD_W, IS_GRAD_G
  QColor highlight;            // selection rectangle
  QColor buttonHighlight, buttonShadow;
};

// The colours of a palette and the picture module's gradient glyphs, made
// from the palette's button face.
CellResources MakeCellResources(const QPalette& palette);

// The rectangles of one cell, in list coordinates.
struct CellLayout {
  QRect shadow;       // framed style: the drop shadow; else empty
  QRect raisedFrame;  // framed style: the raised frame; else empty
  QRect selection;    // the 3-pixel selection rectangle when selected; else empty
  QRect background;   // filled by FLAG
  QRect drawingMark;  // 5 x 7 at the top edge when the photo has drawings; else empty
  QRect workCopyMark; // 5 x 7 when FILE_NOW is set; else empty
  QRect pictureFrame; // sunken frame (framed style), or the whole picture area (plain, normal fit)
  QRect picture;      // where the picture is stretched to
  QRect clip;         // minimum-width fit: painting is clipped to it; else empty
};

// The item's icon rectangle made square and centred.
QRect SquareCell(const QRect& icon);

// The picture rectangle w' x h' for a picture of w x h in a square of side s
// at corner: normal fit makes the longer side s, minimum-width fit the shorter.
QRect FitPicture(QPoint corner, int s, QSize picture, bool minFit);

// The whole cell. picture is the decoded size, empty when no picture is drawn.
CellLayout ComputeCellLayout(const QRect& icon, int s, bool framed, bool minFit, bool selected,
                             const CellRecord& record, QSize picture);

// Paints the cell (not its caption). picture may be null: the cell then shows
// its background and frames only, as while a thumbnail is being decoded.
// pictureSize is the decoded size the geometry follows (the pixmap may be a
// reduced copy); empty means the pixmap's own size.
void PaintCell(QPainter& painter, const QRect& icon, int s, bool framed, bool minFit, bool selected,
               const CellRecord& record, const QPixmap* picture, const CellResources& resources,
               QSize pictureSize = {});

}  // namespace zor
