// The faulty entries of a delivery one by one: which record, which item,
// what it holds and which rule of the standard in force it breaks. Where the
// verification counts the faults of a kind, this names each of them, so
// that a report can say what to mend. Texts are code page 932.
#pragma once

#include <string>
#include <vector>

#include "store/delivery.h"

namespace zor {

struct EntryFault {
  int record = 0;      // the photo or drawing record; 0 for the index and the construction items
  int photo = 0;       // the photo the record belongs to (the record itself for a photo)
  bool drawing = false;
  bool missing = false;  // an empty item the scope asks for (入力漏れ); else a wrong entry (入力ミス)
  std::string file;      // the record's picture as listed, or the index file's name
  std::string item;      // the item's name as the grids show it
  std::string value;     // the value, cut to kEntryValueShownBytes with "…"
  std::string rule;      // the rule it breaks: "◎ 必須の項目が未入力", "データ長 254 バイトを超える" …
};

// Values longer than this are shown cut, with "…" after them.
inline constexpr std::size_t kEntryValueShownBytes = 60;

// Every faulty entry of the loaded delivery under its DigiVersion's rule set
// and the scope (VerifyScope: 0 only ◎ items count as missing when empty,
// 1 also ○, 2 also △): the hierarchy's captions, the index's items or the
// photo file's construction items, then each photo of the tree (unclassified
// ones included) in record order, followed by its drawings. Moves the photo
// table's cursor and refills DrawingRecordList; changes nothing else.
std::vector<EntryFault> ListEntryFaults(Delivery& delivery, int scope);

}  // namespace zor
