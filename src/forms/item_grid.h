// ItemGrid: the read-only item grid of the information panel. Three
// columns (necessity mark, item name, value); columns 0 and 1 and row 0 stay
// in place while the values scroll. Every row carries the record of its item
// (code, class, byte limit, multi-line flag, row colour, fault flags), which
// decides its height and the colour of its mark and name cells.
#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <QFont>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "rules/item_catalogue.h"

namespace zor {

// The record of one grid row.
struct RowDrawParams {
  ItemRule rule;                 // code, name, class, limit, date, multi-line …
  std::optional<QColor> colour;  // mark and name cells; none for △, ◇ and the header
  std::uint8_t faults = 0;       // FaultFlag bits; red mark and name cells when not 0
};

class ItemGrid : public QAbstractScrollArea {
  Q_OBJECT
 public:
  // The grid keeps records for rows 0 to 80 and one beyond its last row, so
  // it holds at most this many item rows; a longer layout is cut there.
  static constexpr int kMaxItemRows = 78;
  static constexpr int kColumns = 3;
  // "ＭＳ ゴシック" 13 pixels high; the row heights derive from it.
  static constexpr int kFontHeight = 13;
  static constexpr int kNormalRowHeight = kFontHeight * 13 / 10;     // trunc(1.3 × 13) = 16
  static constexpr int kMultiLineRowHeight = kFontHeight * 46 / 10;  // trunc(4.6 × 13) = 59

  static const QColor kCellColour;   // 250, 237, 213
  static const QColor kFixedColour;  // 245, 220, 175
  static const QColor kFaultColour;  // 255, 0, 0

  explicit ItemGrid(QWidget* parent = nullptr);

  // Row 0 is the header; item rows are 1 .. RowCount() - 1.
  int RowCount() const { return static_cast<int>(rows_.size()); }
  // Sets the row count (at least 1, at most kMaxItemRows + 1); new rows are
  // empty, the current row stays inside.
  void SetRowCount(int count);

  // Resets every record and empties every cell; heights back to normal.
  void ClearRows();

  QString Cell(int col, int row) const;
  // Writes a cell only when its text differs, so an unchanged value does not
  // repaint.
  void SetCell(int col, int row, const QString& text);

  const RowDrawParams& RowParams(int row) const;
  RowDrawParams& MutableRowParams(int row);
  // Stores a row's fault flags; repaints the row when they change.
  void SetFaults(int row, std::uint8_t faults);

  int RowHeight(int row) const;
  void SetRowHeight(int row, int height);
  int ColWidth(int col) const { return colWidths_[col]; }
  void SetColWidth(int col, int width);

  // The current (selected) row, 1 while the grid has item rows.
  int Row() const { return row_; }
  void SetRow(int row);
  // The first item row shown under the header.
  int TopRow() const { return topRow_; }

  // The fill colour of a cell as the grid paints it.
  QColor CellBackground(int col, int row) const;
  // Where a cell lies in the viewport; empty when it is scrolled away.
  QRect CellRect(int col, int row) const;
  // The width the cells may take: inside the frame, less the vertical scroll
  // bar when the rows need it. Valid also while the grid is hidden.
  int ClientWidth() const;
  // The font of the cells.
  const QFont& GridFont() const { return gridFont_; }

  // Runs first for every key press; a true answer consumes the key.
  std::function<bool(QKeyEvent*)> KeyDownHandler;

 signals:
  // A row became the current one (by click, key or SetRow).
  void CellSelected(int row);
  void Entered();
  void Exited();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  struct RowData {
    RowDrawParams params;
    QString cells[kColumns];
    int height = kNormalRowHeight;
  };

  int RowAt(int y) const;
  int VisibleRowsFrom(int top) const;
  int PageRowsBack(int from) const;
  void UpdateScrollBar();
  void ScrollToRow(int row);
  void PaintCell(QPainter& painter, int col, int row, const QRect& rect);

  std::vector<RowData> rows_;
  int colWidths_[kColumns] = {20, 120, 200};
  int row_ = 0;
  int topRow_ = 1;
  QFont gridFont_;
};

}  // namespace zor
