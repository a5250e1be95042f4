// Which items the construction, photo and reference drawing grids show, in
// which rows, for the standard in force and the InputLevel setting.
#pragma once

#include <vector>

#include "rules/item_catalogue.h"

namespace zor {

struct InfoRowLayout {
  // The shown items of each grid with their rules; row n is element n - 1,
  // so the size is the grid's row count.
  std::vector<ItemRule> koji;
  std::vector<ItemRule> photo;
  std::vector<ItemRule> sanko;

  const std::vector<ItemRule>& Rows(InfoGrid grid) const;
  // The row of an item, 0 when the grid does not show it.
  int RowOf(InfoGrid grid, int code) const;
};

// The rows of the three grids. With input_level on, only the items that the
// standard marks as needed are shown. A standard outside 0-13 shows no rows.
InfoRowLayout LayoutInfoRows(int digi_version, bool input_level);

}  // namespace zor
