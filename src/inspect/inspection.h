// The inspection of the pictures themselves: is every listed picture there
// and nothing else, are names and formats those the standard allows, is
// every 撮影年月日 a real date inside the contract period and the one the
// camera wrote, has a blackboard photo been altered since it was taken, and
// does the board's own record agree with PHOTO.XML.
//
// Two steps, so that a window can run the second on a thread of its own:
// PlanInspection reads what it needs of the delivery (in the thread that
// owns it); RunInspection reads each picture once, in parallel on a bounded
// pool, and touches nothing of the delivery.
#pragma once

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "app/host.h"
#include "inspect/blackboard_check.h"
#include "inspect/calendar_date.h"
#include "inspect/findings.h"
#include "store/delivery.h"
#include "store/listed_pictures.h"

namespace zor {

struct InspectionPlan {
  ListedPictures pictures;
  std::vector<std::string> dates;  // 撮影年月日 of each entry (code page 932); empty for drawings
  bool svgAllowed = false;         // the 2023 guideline allows SVG pictures
  // The contract period of the loaded index, when it has one with real dates.
  std::optional<CalendarDate> periodStart;
  std::optional<CalendarDate> periodEnd;
  std::string periodStartText;  // as written
  std::string periodEndText;
  // What a blackboard's record is compared with: each entry's items (empty
  // for drawings), and the names the index (or the photo file's contract
  // block) gives the work and the contractor, with where they stand
  // ("INDEX_C.XML の工事名称"; code page 932).
  std::vector<BoardRecordItems> boardRecords;
  std::string workName;
  std::string workNameSource;
  std::string contractorName;
  std::string contractorNameSource;
};

// Reads the listed pictures, the dates and items of their records and the
// index's contract period and names. Moves the photo table's cursor.
InspectionPlan PlanInspection(Delivery& delivery);

struct InspectOptions {
  unsigned threads = 0;                       // 0: every core
  const std::atomic<bool>* cancel = nullptr;  // set from anywhere to stop early
  std::optional<CalendarDate> today;          // nothing: the local date
};

struct InspectionSummary {
  int pictures = 0;  // listed pictures
  int read = 0;      // pictures read
  int missing = 0;
  int otherMedium = 0;    // on a medium not at hand, not inspected
  int tamperChecked = 0;  // photos that carry tamper values
  int tamperIntact = 0;
  int withoutTamper = 0;  // photos without check data
  int withoutExifDate = 0;
  int blackboard = 0;            // photos whose picture carries the blackboard's record
  int blackboardDiffering = 0;   // of those, photos with a difference from PHOTO.XML
  int blackboardUnreadable = 0;  // of those, photos whose record cannot be read
  int withoutBlackboard = 0;
  int errors = 0;
  int warnings = 0;
  int notes = 0;
  bool cancelled = false;
};

struct InspectionResult {
  std::vector<Finding> findings;  // grouped in CheckOrder, by record within a check
  InspectionSummary summary;
};

// Progress goes to host ('S' with the number of pictures to read, 'R' from
// the calling thread as they are done, 'E'). Cancelled: what was found so
// far, with summary.cancelled.
InspectionResult RunInspection(const InspectionPlan& plan, Host& host, const InspectOptions& options);

// Both steps in the calling thread's turn.
InspectionResult InspectDelivery(Delivery& delivery, Host& host, const InspectOptions& options);

// The photos with a finding of 誤り or 注意 (a drawing's finding counts for
// its photo), ascending.
std::vector<int> RecordsWithFindings(const InspectionResult& result);

}  // namespace zor
