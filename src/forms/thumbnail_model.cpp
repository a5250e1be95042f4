#include "forms/thumbnail_model.h"

namespace zor {

void ThumbnailModel::SetItems(std::vector<ThumbnailItem> items) {
  beginResetModel();
  items_ = std::move(items);
  endResetModel();
}

int ThumbnailModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : Count(); }

QVariant ThumbnailModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= Count()) return {};
  const ThumbnailItem& item = Item(index.row());
  if (role == Qt::DisplayRole) return item.cell.caption;
  if (role == Qt::UserRole) return item.record;
  return {};
}

// Read-only and never dragged.
Qt::ItemFlags ThumbnailModel::flags(const QModelIndex& index) const {
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace zor
