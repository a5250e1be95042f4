#include "store/field_def.h"

namespace zor {

int SlotWidth(FieldType type, int size) {
  switch (type) {
    case FieldType::ftString:
      return size >= 0 && size <= kMaxStringSize ? size + 4 : 0;
    case FieldType::ftSmallint:
    case FieldType::ftWord:
    case FieldType::ftBoolean:
      return 2;
    case FieldType::ftInteger:
    case FieldType::ftDate:
    case FieldType::ftTime:
      return 4;
    case FieldType::ftFloat:
    case FieldType::ftCurrency:
    case FieldType::ftDateTime:
      return 8;
    default:
      return 0;
  }
}

int ValueWidth(FieldType type, int size) {
  if (type == FieldType::ftString) return SlotWidth(type, size) == 0 ? 0 : size + 1;
  return SlotWidth(type, size);
}

}  // namespace zor
