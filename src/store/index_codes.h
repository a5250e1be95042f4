// The element codes of the two index files with their byte limits, the
// fourteen standards a delivery may follow, and the DTD version text of
// each. All texts are code page 932.
#pragma once

#include <string>
#include <vector>

namespace zor {

struct IndexCode {
  int code;
  std::vector<std::string> elements;  // the element name; two where the revisions differ
  int maxBytes;
};

// INDEX_C.XML, codes 1 .. 38 in order (38 is 予備).
const std::vector<IndexCode>& ConstructionIndexCodes();
// INDEX_D.XML, codes 1 .. 36 in order (36 is 予備).
const std::vector<IndexCode>& ServicesIndexCodes();

inline constexpr int kConstructionReserveCode = 38;
inline constexpr int kServicesReserveCode = 36;

// Byte limit of a code; 0 for a code outside the list.
int ConstructionMaxBytes(int code);
int ServicesMaxBytes(int code);

// Construction index standards are 5, 6, 7 and 12; every other version
// reads the services list.
bool IsConstructionIndexVersion(int digiVersion);

// The fourteen standards, indexed by DigiVersion (0 .. 13), as the version
// selector shows them.
const std::vector<std::string>& StandardVersionTexts();
inline constexpr int kStandardVersionCount = 14;
inline constexpr int kInitialDigiVersion = 7;

// DTD version text of a standard: "1.0" for 0, "02" for 1, "02_200304" for
// 10, "03" for 2, 5, 8, 11, 12, 13, "05" for the others.
std::string DtdVersionText(int digiVersion);

}  // namespace zor
