// ListView and ListView2: an icon list of square thumbnail cells drawn by
// the cell painter, one selected item at a time, no drag. Left and Right
// move by position in the list and are consumed at the ends; Enter asks for
// the viewer.
#pragma once

#include <QListView>
#include <QStyledItemDelegate>

#include "forms/cell_painter.h"
#include "forms/thumbnail_cache.h"
#include "forms/thumbnail_model.h"

namespace zor {

class ThumbnailList;

class ThumbnailDelegate : public QStyledItemDelegate {
 public:
  explicit ThumbnailDelegate(ThumbnailList* list);
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  ThumbnailList* list_;
};

class ThumbnailList : public QListView {
  Q_OBJECT
 public:
  // Room around a cell: spacing between cells across and down.
  static constexpr int kCellSpacingX = 12;
  static constexpr int kCellSpacingY = 8;

  ThumbnailList(const QString& name, ThumbnailCache* cache, const CellResources* resources, QWidget* parent);

  ThumbnailModel* Model() const { return model_; }
  ThumbnailCache* Cache() const { return cache_; }
  const CellResources& Resources() const { return *resources_; }

  // The cell side s and the caption height; fix the spacing of the cells.
  void SetCellSize(int size, int labelHeight);
  int CellSize() const { return size_; }
  int LabelHeight() const { return labelHeight_; }
  // The label height of one caption line in the list's font.
  int CaptionHeight() const;
  // Framed style (IconStyle not 1) and minimum-width fit (ThumbnailMinFit).
  void SetCellStyle(bool framed, bool minFit);
  bool Framed() const { return framed_; }
  bool MinFit() const { return minFit_; }
  // The list and its panel's colour.
  void SetBackground(const QColor& colour);

  // The focused item's row, -1 when none.
  int FocusedRow() const;
  int SelectedCount() const;
  // Clears the selection, scrolls the item into view and makes it the
  // focused (with select, also the selected) item. An item that is then on
  // screen is treated as clicked: it is selected, and while the selection
  // changes ClickedFromCode() is true, so the information panel fills its
  // tab as for a click, without the keyboard focus leaving its place.
  void SelectListItem(int row, bool select);
  bool ClickedFromCode() const { return clickedFromCode_; }
  // Ctrl+A: the lists keep one selected item, so the last one ends up
  // selected; an item without the focus gives it to the first.
  void SelectAllItems();
  // A line shown in the middle of the list while it has no item (empty: none).
  void SetEmptyHint(const QString& hint);
  const QString& EmptyHint() const { return emptyHint_; }
  // The icon rectangle of a row in viewport coordinates.
  QRect IconRect(const QRect& itemRect) const;

 signals:
  void OpenRequested();  // Enter
  void Entered();        // the list got the focus

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  void RequestNearby();

  ThumbnailModel* model_;
  ThumbnailCache* cache_;
  const CellResources* resources_;
  int size_ = 140;
  int labelHeight_ = 14;
  bool framed_ = false;
  bool minFit_ = false;
  bool clickedFromCode_ = false;
  QString emptyHint_;
};

}  // namespace zor
