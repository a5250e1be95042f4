// The index item tables: one slot per recognised element of INDEX_C.XML or
// INDEX_D.XML, numbered from 1 in document order. The index readers fill
// them through Clear / Store / Finish; the field rules set ItemNo and
// MaxBytes; the information panel, the verification and the album read them.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace zor {

struct IndexItemRecord {
  std::int16_t ItemNo = 0;    // the slot's row in the item grid (0: not shown)
  std::int16_t ItemCode = 0;  // which element (construction or services code list)
  std::int16_t MaxBytes = 0;  // the element's byte limit, 0 until the rules set it
};

class IndexTables {
 public:
  // Slots are 1 .. kMaxSlots; element 0 of each array is unused.
  static constexpr int kMaxSlots = 999;

  std::array<std::string, 1001> IndexItemValue;      // value texts, 1 .. 1000
  std::array<IndexItemRecord, 1000> IndexItem;       // 1 .. 999
  std::array<std::uint8_t, 1001> IndexItemStandard;  // 1 standard element, 0 reserve (予備)
  int IndexItemCount = 0;                            // slots filled by the last read

  IndexTables() { Clear(); }

  // Empties every slot, sets IndexItemCount to 0 and starts the next Store
  // at slot 1.
  void Clear();
  // Stores one element at the running slot: value as read, (slot, code, 0),
  // the standard flag; the slot then advances. Past kMaxSlots the element is
  // dropped and counted, and false is returned.
  bool Store(const std::string& value, int code, bool standard);
  // IndexItemCount := the number of slots stored since Clear.
  void Finish();
  // The value of the first filled slot holding code; empty when none does.
  std::string FirstValueOf(int code) const;

  int NextSlot() const { return nextSlot_; }
  // Elements dropped because every slot was taken.
  int Dropped() const { return dropped_; }

 private:
  int nextSlot_ = 1;
  int dropped_ = 0;
};

}  // namespace zor
