// The element codes of the two index files: each code's element name, the
// name the construction grid shows and its byte limit, the one table that
// the readers, the store and the rules share. All texts are code page 932.
#pragma once

#include <string>
#include <vector>

#include "store/standards.h"

namespace zor {

struct IndexCode {
  int code;
  std::vector<std::string> elements;  // the element name; two where the revisions differ
  int maxBytes;
  // The name the grid shows; empty where it follows the revision (the
  // later name, then the earlier one of elements).
  std::string shown;
  // Where each of elements stands: its parent's element names below the
  // document element, "/" between them; empty for the document element.
  std::vector<std::string> parents;
  bool later = false;  // an element of the later guidelines
};

// INDEX_C.XML, codes 1 .. 41 in order (38 is 予備; 39 .. 41 are items of the
// later guidelines: 工事実績システム登録番号, 工事担当課, 施設コード).
const std::vector<IndexCode>& ConstructionIndexCodes();
// INDEX_D.XML, codes 1 .. 37 in order (36 is 予備; 37 is 施設コード of the
// later guidelines).
const std::vector<IndexCode>& ServicesIndexCodes();

inline constexpr int kConstructionReserveCode = 38;
inline constexpr int kServicesReserveCode = 36;
inline constexpr int kConstructionSystemNumberCode = 39;
inline constexpr int kConstructionClientSectionCode = 40;
inline constexpr int kConstructionFacilityCode = 41;
inline constexpr int kServicesFacilityCode = 37;

// Byte limit of a code; 0 for a code outside the list.
int ConstructionMaxBytes(int code);
int ServicesMaxBytes(int code);

}  // namespace zor
