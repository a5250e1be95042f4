// The items of a photo list: per item its record number (and, in the drawing
// list, its place in the photo's drawing list and the photo's record) and
// what its cell shows, read from the photo table when the list is filled.
#pragma once

#include <QAbstractListModel>
#include <vector>

#include "forms/cell_painter.h"

namespace zor {

struct ThumbnailItem {
  int record = 0;
  int position = -1;  // drawing list: index in the photo's drawing list
  int photo = 0;      // drawing list: the photo's record number
  CellRecord cell;
};

class ThumbnailModel : public QAbstractListModel {
  Q_OBJECT
 public:
  using QAbstractListModel::QAbstractListModel;

  void SetItems(std::vector<ThumbnailItem> items);
  void Clear() { SetItems({}); }
  const ThumbnailItem& Item(int row) const { return items_[static_cast<std::size_t>(row)]; }
  int Count() const { return static_cast<int>(items_.size()); }

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  std::vector<ThumbnailItem> items_;
};

}  // namespace zor
