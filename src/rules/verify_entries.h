// The entry verification: one pass over the loaded delivery that counts the
// missing (入力漏れ) and wrong (入力ミス) entries of the hierarchy, the
// construction information, the photos and their reference drawings under
// the rules of the standard in force, and reports them as lines of text.
// The faulty photos are handed to the caller's list mode. It changes no data
// of the delivery (it moves the photo table's cursor and refills
// DrawingRecordList, as every reader of drawings does).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/host.h"
#include "rules/level_rules.h"
#include "store/delivery.h"
#include "store/int_list.h"

namespace zor {

// Which empty items count as missing; wrong entries are looked for in every
// scope. Each scope includes the ones below it.
enum VerifyScope : int {
  kScopeRequired = 0,     // ◎, and ○ items that apply
  kScopeConditional = 1,  // ○ and above
  kScopeOptional = 2,     // △ and above
};

// A photo holding this many reference drawings has too many (version 0). The
// photo file of that standard has three drawing slots, so three is a valid
// photo and only a fourth drawing is a fault.
inline constexpr int kTooManyDrawings = 4;

struct VerifyCounts {
  // Hierarchy nodes with a fault of each kind.
  int level_representation = 0;
  int level_length = 0;
  int level_value = 0;
  bool construction_missing = false;
  bool construction_wrong = false;
  int photos_missing = 0;
  int photos_wrong = 0;
  int kanri_rule = 0;  // 施工管理値 empty while 施工管理値予備 is not
  int drawings_missing = 0;
  int drawings_wrong = 0;
  int too_many_drawings = 0;  // photos
  int drawings_examined = 0;
  bool operator==(const VerifyCounts&) const = default;
};

struct VerifyResult {
  // The report, code page 932; one entry may hold several lines joined with CR LF.
  std::vector<std::string> lines;
  VerifyCounts counts;
  // Which of the 13 hierarchy messages were produced (message n at [n - 1]).
  std::array<bool, kLevelMessageCount> messages{};
  // The faulty photos' record numbers in the order found; the caller's list
  // mode shows them.
  TIntList faulty;
  // Nothing was found: the report is "入力漏れ/入力ミスはありませんでした。".
  bool clean = false;
  // Not empty when the run ended early on an error of the photo table; the
  // lines added so far stay.
  std::string error;
};

// Runs the verification of the delivery under its DigiVersion with the given
// scope (below 0 acts as 0, above 2 as 2). Through host: the progress display
// ('S' with the tree's node count, 'R' per node, 'E'), and at the end either
// EnterListMode(2, faulty) when photos are faulty, or, when none is and
// host.ListMode() is on, LeaveListMode() and ShowNodePhotos().
VerifyResult VerifyEntries(Delivery& delivery, int scope, Host& host);

}  // namespace zor
