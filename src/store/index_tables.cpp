#include "store/index_tables.h"

namespace zor {

void IndexTables::Clear() {
  IndexItemValue.fill(std::string());
  IndexItem.fill(IndexItemRecord());
  IndexItemStandard.fill(0);
  IndexItemCount = 0;
  nextSlot_ = 1;
  dropped_ = 0;
}

bool IndexTables::Store(const std::string& value, int code, bool standard) {
  if (nextSlot_ > kMaxSlots) {
    ++dropped_;
    return false;
  }
  auto slot = static_cast<std::size_t>(nextSlot_);
  IndexItemValue[slot] = value;
  IndexItem[slot] = {static_cast<std::int16_t>(nextSlot_), static_cast<std::int16_t>(code), 0};
  IndexItemStandard[slot] = standard ? 1 : 0;
  ++nextSlot_;
  return true;
}

void IndexTables::Finish() { IndexItemCount = nextSlot_ - 1; }

std::string IndexTables::FirstValueOf(int code) const {
  for (int slot = 1; slot <= IndexItemCount && slot <= kMaxSlots; ++slot)
    if (IndexItem[static_cast<std::size_t>(slot)].ItemCode == code) return IndexItemValue[static_cast<std::size_t>(slot)];
  return {};
}

}  // namespace zor
