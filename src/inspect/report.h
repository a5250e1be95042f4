// The inspection's findings as lines of a report, grouped by check: a
// heading per check with findings, one line per finding, a summary at the
// end. Code page 932, as the window and the command line show them.
#pragma once

#include <string>
#include <vector>

#include "inspect/inspection.h"

namespace zor {

// "  誤り  記録 12  P0000012.JPG  message"; a counting line leaves out the
// record and the file.
std::string FindingLine(const Finding& finding);

// "【caption】 check  N 件"
std::string CheckHeading(const std::string& check, int count);

// "写真・参考図 N 件を検査しました（読んだファイル M 件）。誤り a 件、注意 b 件、参考 c 件。"
// with "中止しました。" before it when cancelled.
std::string SummaryLine(const InspectionSummary& summary);

// Headings and finding lines in check order, then an empty line and the
// summary line.
std::vector<std::string> ReportLines(const InspectionResult& result);

}  // namespace zor
