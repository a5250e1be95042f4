// Just enough JSON for the command line's output: strings and the
// separators between members.
#pragma once

#include <iosfwd>
#include <string_view>

#include "inspect/findings.h"

namespace zor::cli {

// Writes utf8 as a JSON string with its quotes; control characters, quotes
// and backslashes are escaped, everything else is copied as it is.
void WriteJsonString(std::ostream& out, std::string_view utf8);

// One finding as one line: {"record", "file", "check", "severity", "message"
// and, for a counting line, "records"}; withPlace adds "item" and "line"
// (null when the finding has none).
void WriteJsonFinding(std::ostream& out, const Finding& finding, bool withPlace);

}  // namespace zor::cli
