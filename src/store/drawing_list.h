// REC_DRA: the record numbers of a photo's reference drawings as one text.
//
// A number up to 99999 is written as 5 digits with leading zeros, numbers
// side by side without separator: drawings 12 and 13 give "0001200013".
// A larger number would not fit 5 digits (keeping its last 5 would point the
// photo at a wrong record), so it is written as "*" and 10 digits:
// 123456 gives "*0000123456". Old texts, which hold only 5-digit groups, read
// the same as before.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "store/int_list.h"

namespace zor {

// Byte size of REC_DRA.
inline constexpr std::size_t kDrawingListSize = 255;

// Entries of 0 or below are left out, the others keep their order. Groups are
// added while they fit whole into kDrawingListSize bytes (51 five-digit
// groups); *written, when given, receives the number of entries written.
std::string EncodeDrawingList(const TIntList& list, std::size_t* written = nullptr);

// Reads the groups in order. A 5-character group gives the number its leading
// digits form (0 when there are none); a trailing group shorter than its
// width is ignored.
TIntList DecodeDrawingList(std::string_view text);

}  // namespace zor
