// Field definitions of a binary data-set file: the type codes as stored in
// the file and the slot each type takes in a record.
#pragma once

#include <cstdint>
#include <string>

namespace zor {

// The stored type code is the enumerator's value.
enum class FieldType : std::uint8_t {
  ftUnknown = 0,
  ftString = 1,
  ftSmallint = 2,
  ftInteger = 3,
  ftWord = 4,
  ftBoolean = 5,
  ftFloat = 6,
  ftCurrency = 7,
  ftBCD = 8,
  ftDate = 9,
  ftTime = 10,
  ftDateTime = 11,
};

struct FieldDef {
  std::string name;  // at most 27 bytes
  FieldType type = FieldType::ftUnknown;
  int size = 0;  // maximum text length in bytes for ftString, else 0
  bool required = false;
};

// The largest string size whose slot still fits a record (below 65536 bytes).
inline constexpr int kMaxStringSize = 65531;

// Width of a field's slot in a record: size + 4 for a string, the value width
// otherwise; 0 for a type that cannot be stored (ftUnknown, ftBCD, codes 12 on)
// and for a string size outside 0 .. kMaxStringSize.
int SlotWidth(FieldType type, int size);

// Bytes of the slot that carry the value: size + 1 for a string (text and
// terminator), the slot width otherwise; 0 for a type that cannot be stored.
int ValueWidth(FieldType type, int size);

}  // namespace zor
