// The photo sort: the key list of the sort dialog for each standard, the
// fixed-width key segments built from a photo's fields, and the stable sort
// of a list of photo records by up to five keys.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/delivery.h"
#include "store/int_list.h"

namespace zor {

enum SortField : int {
  kSortNone = 0,       // 指定無, or no entry selected
  kSortFlag = 1,       // FLAG, 6 bytes right-aligned
  kSortJFileName = 2,  // JFILENAME, 254 bytes left-aligned
  kSortTitle = 3,      // TITLE, 254 bytes
  kSortKasyo = 4,      // KASYO, 254 bytes
  kSortDate = 5,       // DATE, 10 bytes
  kSortFilmNum = 6,    // FILMNUM, 8 bytes right-aligned
  kSortNegaNum = 7,    // NEGANUM, 8 bytes right-aligned
};

inline constexpr int kSortKeyCount = 5;

// The entries (UTF-8) of each of the five key lists for a standard.
std::vector<std::string> SortKeyList(int digiVersion);
// The field an entry text (UTF-8) stands for; an empty or unknown text is
// kSortNone.
SortField SortFieldOfEntry(std::string_view text);

// The selection a key list keeps when it is rebuilt for newVersion with
// newCount entries: -1 leaves it without a selection.
int KeptSortSelection(int selection, int oldVersion, int newVersion, int newCount);

// The key segment of the current photo record for one field.
std::string SortSegment(const TViewDataSet& table, SortField field);

// Records ordered by the concatenation of their segments, compared byte by
// byte; descending reverses the order, records with equal keys always keep
// their order. Every record must exist in the photo table; one that does
// not gets an empty key.
TIntList SortRecords(Delivery& delivery, const TIntList& records, const std::vector<SortField>& fields,
                     bool descending);

}  // namespace zor
