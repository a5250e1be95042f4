// Just enough JSON for the command line's output: strings and the
// separators between members.
#pragma once

#include <iosfwd>
#include <string_view>

namespace zor::cli {

// Writes utf8 as a JSON string with its quotes; control characters, quotes
// and backslashes are escaped, everything else is copied as it is.
void WriteJsonString(std::ostream& out, std::string_view utf8);

}  // namespace zor::cli
