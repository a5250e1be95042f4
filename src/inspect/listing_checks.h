// The checks of the list itself: missing, unlisted and duplicate files,
// names, serial numbers and the dates written in the records. None of them
// reads a picture's content.
#pragma once

#include <vector>

#include "inspect/calendar_date.h"
#include "inspect/findings.h"
#include "inspect/inspection.h"

namespace zor {

// file.missing (and the count of pictures on another medium), file.duplicate,
// file.name, serial, date.invalid, date.future, date.period.
void CheckListing(const InspectionPlan& plan, const CalendarDate& today, std::vector<Finding>& out,
                  InspectionSummary& summary);

// file.unlisted: files in the folders the found pictures lie in that no
// record lists.
void CheckUnlisted(const InspectionPlan& plan, std::vector<Finding>& out);

}  // namespace zor
