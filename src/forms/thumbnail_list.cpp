#include "forms/thumbnail_list.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace zor {
namespace {
// How long after the last scroll step the list counts as scrolling.
constexpr int kScrollQuietMs = 200;
}  // namespace

ThumbnailDelegate::ThumbnailDelegate(ThumbnailList* list) : QStyledItemDelegate(list), list_(list) {}

QSize ThumbnailDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
  return QSize(list_->CellSize() + 4, list_->CellSize() + 4 + list_->LabelHeight());
}

void ThumbnailDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const ThumbnailModel* model = list_->Model();
  if (!index.isValid() || index.row() >= model->Count()) return;
  const ThumbnailItem& item = model->Item(index.row());
  const int s = list_->CellSize();
  const QRect icon = list_->IconRect(option.rect);
  const bool selected = option.state & QStyle::State_Selected;

  const QPixmap* picture = nullptr;
  QSize decodedSize;
  if (item.cell.found && !item.cell.originalOnly && !item.cell.file.isEmpty()) {
    ThumbnailCache::State state;
    picture = list_->Cache()->Find(item.cell.file, s, &state, &decodedSize);
    if (state == ThumbnailCache::State::kMissing)
      list_->Cache()->Request(item.cell.file, s, ThumbnailCache::kVisible, list_);
  }
  PaintCell(*painter, icon, s, list_->Framed(), list_->MinFit(), selected, item.cell, picture, list_->Resources(),
            decodedSize);

  // The caption under the cell, one line, highlighted with the selection.
  painter->save();
  const QRect label(option.rect.left(), icon.top() + icon.height(), option.rect.width(), list_->LabelHeight());
  const QFontMetrics metrics(option.font);
  const QString text = metrics.elidedText(item.cell.caption, Qt::ElideRight, label.width() - 4);
  QRect textRect = metrics.boundingRect(label, Qt::AlignHCenter | Qt::AlignTop, text);
  textRect.adjust(-2, 0, 2, 0);
  const bool active = list_->hasFocus();
  if (selected) {
    painter->fillRect(textRect, option.palette.color(active ? QPalette::Active : QPalette::Inactive,
                                                     active ? QPalette::Highlight : QPalette::Button));
    painter->setPen(option.palette.color(active ? QPalette::HighlightedText : QPalette::ButtonText));
  } else {
    painter->setPen(option.palette.color(QPalette::Text));
  }
  painter->setFont(option.font);
  painter->drawText(label, Qt::AlignHCenter | Qt::AlignTop, text);
  painter->restore();
}

ThumbnailList::ThumbnailList(const QString& name, ThumbnailCache* cache, const CellResources* resources,
                             QWidget* parent)
    : QListView(parent), model_(new ThumbnailModel(this)), cache_(cache), resources_(resources) {
  setObjectName(name);
  setModel(model_);
  setItemDelegate(new ThumbnailDelegate(this));
  setViewMode(QListView::IconMode);
  setMovement(QListView::Static);
  setResizeMode(QListView::Adjust);
  setWrapping(true);
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setDragEnabled(false);
  setDragDropMode(QAbstractItemView::NoDragDrop);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  setFrameShape(QFrame::NoFrame);
  SetCellSize(size_, CaptionHeight());
  connect(cache_, &ThumbnailCache::Decoded, viewport(), qOverload<>(&QWidget::update));
}

int ThumbnailList::CaptionHeight() const { return fontMetrics().height() + 2; }

void ThumbnailList::SetCellSize(int size, int labelHeight) {
  size_ = size;
  labelHeight_ = labelHeight;
  setIconSize(QSize(size + 4, size + 4));
  setGridSize(QSize(size + 4 + kCellSpacingX, size + 4 + labelHeight + kCellSpacingY));
  viewport()->update();
}

void ThumbnailList::SetCellStyle(bool framed, bool minFit) {
  framed_ = framed;
  minFit_ = minFit;
  viewport()->update();
}

void ThumbnailList::SetBackground(const QColor& colour) {
  QPalette p = palette();
  p.setColor(QPalette::Base, colour);
  p.setColor(QPalette::Window, colour);
  setPalette(p);
  viewport()->setAutoFillBackground(true);
}

QRect ThumbnailList::IconRect(const QRect& itemRect) const {
  const int side = size_ + 4;
  return QRect(itemRect.left() + (itemRect.width() - side) / 2, itemRect.top(), side, side);
}

int ThumbnailList::FocusedRow() const {
  const QModelIndex current = currentIndex();
  return current.isValid() ? current.row() : -1;
}

int ThumbnailList::SelectedCount() const {
  return selectionModel() ? static_cast<int>(selectionModel()->selectedIndexes().size()) : 0;
}

void ThumbnailList::SelectListItem(int row, bool select) {
  if (row < 0 || row >= model_->Count()) return;
  const QModelIndex index = model_->index(row);
  selectionModel()->clearSelection();
  scrollTo(index);
  const bool clicked = isVisible() && viewport()->rect().intersects(visualRect(index));
  clickedFromCode_ = clicked;
  selectionModel()->setCurrentIndex(
      index, select || clicked ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::NoUpdate);
  clickedFromCode_ = false;
}

void ThumbnailList::SelectAllItems() {
  const int count = model_->Count();
  if (count == 0) return;
  // One item may be selected, so of "every item in turn" the last stays.
  const QModelIndex focused = currentIndex();
  selectionModel()->select(model_->index(count - 1), QItemSelectionModel::ClearAndSelect);
  selectionModel()->setCurrentIndex(focused.isValid() ? focused : model_->index(0), QItemSelectionModel::NoUpdate);
}

void ThumbnailList::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    emit OpenRequested();
    event->accept();
    return;
  }
  if ((key == Qt::Key_Left || key == Qt::Key_Right) && !(event->modifiers() & Qt::ShiftModifier)) {
    // By position in the list, not on the screen; nothing moves at the ends.
    const int row = FocusedRow();
    const int target = key == Qt::Key_Left ? row - 1 : row + 1;
    if (row >= 0 && target >= 0 && target < model_->Count()) SelectListItem(target, true);
    event->accept();
    return;
  }
  QListView::keyPressEvent(event);
}

void ThumbnailList::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  QListView::mousePressEvent(event);
}

void ThumbnailList::focusInEvent(QFocusEvent* event) {
  QListView::focusInEvent(event);
  emit Entered();
}

void ThumbnailList::SetEmptyHint(const QString& hint) {
  if (hint == emptyHint_) return;
  emptyHint_ = hint;
  viewport()->update();
}

void ThumbnailList::scrollContentsBy(int dx, int dy) {
  // Scrolling wants the window thread on a core of its own.
  cache_->KeepACoreFree(kScrollQuietMs);
  QListView::scrollContentsBy(dx, dy);
}

void ThumbnailList::paintEvent(QPaintEvent* event) {
  cache_->BeginPass(this);
  QListView::paintEvent(event);
  if (model_->Count() == 0 && !emptyHint_.isEmpty()) {
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
    painter.drawText(viewport()->rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap, emptyHint_);
  }
  RequestNearby();
  cache_->EndPass(this);
}

// Renews the requests of every cell on screen (a partial repaint does not
// paint them all) and asks for one page before and after at lower priority.
void ThumbnailList::RequestNearby() {
  const int count = model_->Count();
  if (count == 0) return;
  const QSize grid = gridSize();
  if (grid.width() <= 0 || grid.height() <= 0) return;
  const int columns = std::max(1, viewport()->width() / grid.width());
  const int top = verticalScrollBar()->value();
  const int firstLine = top / grid.height();
  const int lastLine = (top + viewport()->height()) / grid.height();
  const int pageLines = lastLine - firstLine + 1;
  auto request = [&](int from, int to, ThumbnailCache::Priority priority) {
    for (int row = std::max(0, from); row < std::min(count, to); ++row) {
      const CellRecord& cell = model_->Item(row).cell;
      if (!cell.found || cell.originalOnly || cell.file.isEmpty()) continue;
      cache_->Request(cell.file, size_, priority, this);  // no-op when held or running
    }
  };
  request(firstLine * columns, (lastLine + 1) * columns, ThumbnailCache::kVisible);
  request((lastLine + 1) * columns, (lastLine + 1 + pageLines) * columns, ThumbnailCache::kNearby);
  request((firstLine - pageLines) * columns, firstLine * columns, ThumbnailCache::kNearby);
}

}  // namespace zor
