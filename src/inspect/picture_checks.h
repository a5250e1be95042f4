// The checks that need a picture's content, run on one picture at a time
// from any thread.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "inspect/blackboard_check.h"
#include "inspect/calendar_date.h"
#include "inspect/findings.h"
#include "inspect/tamper_values.h"
#include "store/listed_pictures.h"

namespace zor {

struct PictureVerdict {
  std::vector<Finding> findings;
  bool read = false;
  bool formatOk = false;       // read and of an allowed format, whole
  bool pixelsOutside = false;  // a photo outside 1 to 3 million pixels
  bool withoutExifDate = false;
  TamperOutcome tamper = TamperOutcome::kNoData;
  BlackboardPacket::Status blackboard = BlackboardPacket::Status::kNone;
  bool blackboardDiffers = false;
  std::string boardWorkName;  // the board's 工事件名 and 受注者名 (UTF-8)
  std::string boardContractor;
};

// Pixel counts the photo standard recommends.
inline constexpr long long kMinPixels = 1000000;
inline constexpr long long kMaxPixels = 3000000;

// Reads entry's file (found, not on another medium) once and checks its
// format, EXIF date against date (the record's 撮影年月日, code page 932),
// pixel count, tamper values and the blackboard's record against record
// (nullptr: not compared). root is the delivery's folder: a symbolic link
// leading out of it is reported, not read.
PictureVerdict CheckPicture(const ListedPicture& entry, const std::string& date, const std::string& root,
                            bool svgAllowed, const BoardRecordItems* record = nullptr);

}  // namespace zor
