#include "forms/item_grid.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionFocusRect>
#include <QWheelEvent>
#include <algorithm>

namespace zor {

const QColor ItemGrid::kCellColour(250, 237, 213);
const QColor ItemGrid::kFixedColour(245, 220, 175);
const QColor ItemGrid::kFaultColour(255, 0, 0);

namespace {

const QColor kLineColour(160, 160, 160);

}  // namespace

ItemGrid::ItemGrid(QWidget* parent) : QAbstractScrollArea(parent) {
  gridFont_ = QFont(QStringLiteral("Noto Sans Mono CJK JP"));
  gridFont_.setStyleHint(QFont::TypeWriter);
  gridFont_.setPixelSize(kFontHeight);
  setFont(gridFont_);
  setFocusPolicy(Qt::StrongFocus);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  verticalScrollBar()->setTracking(true);  // thumb tracking
  viewport()->setAutoFillBackground(false);
  rows_.resize(1);
}

void ItemGrid::SetRowCount(int count) {
  count = std::clamp(count, 1, kMaxItemRows + 1);
  rows_.resize(static_cast<std::size_t>(count));
  if (row_ >= count) row_ = count - 1;
  if (row_ < 1 && count > 1) row_ = 1;
  if (count == 1) row_ = 0;
  topRow_ = std::clamp(topRow_, 1, std::max(1, count - 1));
  UpdateScrollBar();
  viewport()->update();
}

void ItemGrid::ClearRows() {
  for (RowData& r : rows_) r = RowData{};
  viewport()->update();
}

QString ItemGrid::Cell(int col, int row) const {
  if (col < 0 || col >= kColumns || row < 0 || row >= RowCount()) return {};
  return rows_[static_cast<std::size_t>(row)].cells[col];
}

void ItemGrid::SetCell(int col, int row, const QString& text) {
  if (col < 0 || col >= kColumns || row < 0 || row >= RowCount()) return;
  QString& cell = rows_[static_cast<std::size_t>(row)].cells[col];
  if (cell == text) return;
  cell = text;
  viewport()->update(CellRect(col, row));
}

const RowDrawParams& ItemGrid::RowParams(int row) const {
  static const RowDrawParams none;
  if (row < 0 || row >= RowCount()) return none;
  return rows_[static_cast<std::size_t>(row)].params;
}

RowDrawParams& ItemGrid::MutableRowParams(int row) {
  row = std::clamp(row, 0, RowCount() - 1);
  return rows_[static_cast<std::size_t>(row)].params;
}

void ItemGrid::SetFaults(int row, std::uint8_t faults) {
  if (row < 1 || row >= RowCount()) return;
  std::uint8_t& f = rows_[static_cast<std::size_t>(row)].params.faults;
  if (f == faults) return;
  f = faults;
  viewport()->update(CellRect(0, row).united(CellRect(1, row)));
}

int ItemGrid::RowHeight(int row) const {
  if (row < 0 || row >= RowCount()) return 0;
  return rows_[static_cast<std::size_t>(row)].height;
}

void ItemGrid::SetRowHeight(int row, int height) {
  if (row < 0 || row >= RowCount()) return;
  rows_[static_cast<std::size_t>(row)].height = std::max(1, height);
  UpdateScrollBar();
  viewport()->update();
}

void ItemGrid::SetColWidth(int col, int width) {
  if (col < 0 || col >= kColumns) return;
  width = std::max(0, width);
  if (colWidths_[col] == width) return;
  colWidths_[col] = width;
  viewport()->update();
}

void ItemGrid::SetRow(int row) {
  if (RowCount() < 2) return;
  row = std::clamp(row, 1, RowCount() - 1);
  if (row != row_) {
    row_ = row;
    viewport()->update();
  }
  ScrollToRow(row_);
  emit CellSelected(row_);
}

QRect ItemGrid::CellRect(int col, int row) const {
  if (col < 0 || col >= kColumns || row < 0 || row >= RowCount()) return {};
  int x = 0;
  for (int c = 0; c < col; ++c) x += colWidths_[c];
  int y = 0;
  if (row > 0) {
    if (row < topRow_) return {};
    y = RowHeight(0);
    for (int r = topRow_; r < row; ++r) {
      y += RowHeight(r);
      if (y >= viewport()->height()) return {};
    }
  }
  return QRect(x, y, colWidths_[col], RowHeight(row));
}

QColor ItemGrid::CellBackground(int col, int row) const {
  if (col < 2 || row == 0) {
    const RowDrawParams& p = RowParams(row);
    if (row > 0 && p.faults != 0) return kFaultColour;
    if (row > 0 && p.colour) return *p.colour;
    return kFixedColour;
  }
  return kCellColour;
}

int ItemGrid::ClientWidth() const {
  const int frame = frameWidth();
  int rowsHeight = 0;
  for (const RowData& r : rows_) rowsHeight += r.height;
  int width = this->width() - 2 * frame;
  if (rowsHeight > height() - 2 * frame) width -= style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  return width;
}

// ---- scrolling ----------------------------------------------------------

int ItemGrid::VisibleRowsFrom(int top) const {
  int room = viewport()->height() - RowHeight(0);
  int n = 0;
  for (int r = top; r < RowCount(); ++r) {
    room -= RowHeight(r);
    if (room < 0) break;
    ++n;
  }
  return n;
}

int ItemGrid::PageRowsBack(int from) const {
  // How many rows above `from` fit with it on one screen.
  int room = viewport()->height() - RowHeight(0) - RowHeight(from);
  int n = 0;
  for (int r = from - 1; r >= 1; --r) {
    room -= RowHeight(r);
    if (room < 0) break;
    ++n;
  }
  return n;
}

void ItemGrid::UpdateScrollBar() {
  int last = RowCount() - 1;
  int maxTop = 1;
  if (last >= 1) maxTop = std::max(1, last - PageRowsBack(last));
  QScrollBar* bar = verticalScrollBar();
  bar->setRange(1, maxTop);
  bar->setPageStep(std::max(1, VisibleRowsFrom(topRow_)));
  bar->setSingleStep(1);
  if (topRow_ > maxTop) bar->setValue(maxTop);
}

void ItemGrid::ScrollToRow(int row) {
  if (row < 1) return;
  if (row < topRow_) {
    verticalScrollBar()->setValue(row);
  } else if (row >= topRow_ + VisibleRowsFrom(topRow_)) {
    verticalScrollBar()->setValue(row - PageRowsBack(row));
  }
}

void ItemGrid::scrollContentsBy(int, int) {
  topRow_ = std::max(1, verticalScrollBar()->value());
  viewport()->update();
}

void ItemGrid::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBar();
}

// ---- painting --------------------------------------------------------------

void ItemGrid::PaintCell(QPainter& painter, int col, int row, const QRect& rect) {
  painter.fillRect(rect, CellBackground(col, row));
  painter.setPen(kLineColour);
  painter.drawLine(rect.topRight(), rect.bottomRight());
  painter.drawLine(rect.bottomLeft(), rect.bottomRight());
  const QString& text = rows_[static_cast<std::size_t>(row)].cells[col];
  if (!text.isEmpty()) {
    painter.setPen(Qt::black);
    if (row > 0 && RowParams(row).rule.multi_line) {
      // Line breaks kept, no wrapping, cut at the client area's right edge.
      QRect inner = rect.adjusted(2, 2, -2, -2);
      inner.setRight(std::min(inner.right(), viewport()->width() - 2));
      QString lines = text;
      lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
      painter.save();
      painter.setClipRect(inner);
      painter.drawText(inner, Qt::AlignLeft | Qt::AlignTop, lines);
      painter.restore();
    } else {
      QRect inner = rect.adjusted(2, 0, -1, 0);
      painter.save();
      painter.setClipRect(inner);
      painter.drawText(inner, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
      painter.restore();
    }
  }
  if (col == 2 && row == row_ && row > 0 && hasFocus()) {
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect.adjusted(0, 0, -1, -1);
    option.backgroundColor = kCellColour;
    // Some styles draw the rectangle only after keyboard use; the grid
    // always shows its current row while it has the focus.
    option.state |= QStyle::State_KeyboardFocusChange;
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
  }
}

void ItemGrid::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  painter.setFont(gridFont_);
  const int width = viewport()->width();
  const int height = viewport()->height();
  painter.fillRect(QRect(0, 0, width, height), palette().color(QPalette::Window));
  auto paintRow = [&](int row, int y) {
    int x = 0;
    for (int col = 0; col < kColumns; ++col) {
      QRect rect(x, y, colWidths_[col], RowHeight(row));
      if (rect.width() > 0) PaintCell(painter, col, row, rect);
      x += colWidths_[col];
    }
  };
  int y = RowHeight(0);
  for (int row = topRow_; row < RowCount() && y < height; ++row) {
    paintRow(row, y);
    y += RowHeight(row);
  }
  paintRow(0, 0);
}

// ---- input -----------------------------------------------------------------

int ItemGrid::RowAt(int y) const {
  if (y < RowHeight(0)) return 0;
  int top = RowHeight(0);
  for (int r = topRow_; r < RowCount(); ++r) {
    top += RowHeight(r);
    if (y < top) return r;
  }
  return -1;
}

void ItemGrid::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  int row = RowAt(event->position().toPoint().y());
  if (row >= 1) SetRow(row);
}

void ItemGrid::keyPressEvent(QKeyEvent* event) {
  if (KeyDownHandler && KeyDownHandler(event)) {
    event->accept();
    return;
  }
  if (RowCount() < 2) {
    QAbstractScrollArea::keyPressEvent(event);
    return;
  }
  const int last = RowCount() - 1;
  switch (event->key()) {
    case Qt::Key_Up:
      SetRow(row_ - 1);
      break;
    case Qt::Key_Down:
      SetRow(row_ + 1);
      break;
    case Qt::Key_PageUp:
      SetRow(row_ - std::max(1, VisibleRowsFrom(topRow_)));
      break;
    case Qt::Key_PageDown:
      SetRow(row_ + std::max(1, VisibleRowsFrom(topRow_)));
      break;
    case Qt::Key_Home:
      if (event->modifiers() & Qt::ControlModifier) SetRow(1);
      break;
    case Qt::Key_End:
      if (event->modifiers() & Qt::ControlModifier) SetRow(last);
      break;
    default:
      QAbstractScrollArea::keyPressEvent(event);
      return;
  }
  event->accept();
}

void ItemGrid::wheelEvent(QWheelEvent* event) {
  int steps = event->angleDelta().y() / 120;
  if (steps != 0) verticalScrollBar()->setValue(verticalScrollBar()->value() - steps);
  event->accept();
}

void ItemGrid::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  viewport()->update();
  emit Entered();
}

void ItemGrid::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  viewport()->update();
  emit Exited();
}

}  // namespace zor
