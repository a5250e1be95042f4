// The rules of the items of an index file (INDEX_C.XML or INDEX_D.XML) as
// the construction grid shows them, and the numbering of the index slots
// into grid rows. The construction code table applies to the construction
// index standards 5, 6, 7 and 12, the services code table to every other.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "rules/item_catalogue.h"

namespace zor {

// True when digi_version reads its index items by the construction codes.
bool UsesConstructionIndexCodes(int digi_version);

// The byte limit of an index item code as the standard gives it (the reserve
// item included); 0 for an unknown code.
int IndexCodeMaxBytes(int item_code, int digi_version);

// The grid row rule of an index item: mark ◇, display name, representation
// class and byte limit; the reserve item is multi-line with limit 0. None for
// an unknown code or a standard outside 0-13.
std::optional<ItemRule> FindIndexItemRule(int item_code, int digi_version);

// What LayoutIndexRows reads of one filled index slot.
struct IndexSlot {
  int item_code = 0;
  bool standard = false;  // an element of the standard's list, not a reserve one
};

// What it computes for that slot.
struct IndexSlotRow {
  int item_no = 0;    // row in the grid; 0: the value is not shown
  int max_bytes = 0;  // from the code table
};

// The rows of the filled slots 1 … slots.size() (element i is slot i + 1).
// With input_level off slot n gets row n; with it on only standard slots get
// rows 1, 2, 3 … in slot order.
std::vector<IndexSlotRow> LayoutIndexRows(std::span<const IndexSlot> slots, int digi_version, bool input_level);

}  // namespace zor
