// Names and paths from disk as the findings show them. A name on disk is
// any bytes: it may hold control characters or characters code page 932
// lacks, and must neither break a report's line nor be shown as another
// name.
#pragma once

#include <string>
#include <string_view>

namespace zor {

// utf8 (a name or path as found on disk) in code page 932 with a control
// character written as \n, \r, \t or \xHH, a backslash doubled, a byte that
// is not UTF-8 as \xHH and a character code page 932 lacks as \u{XXXX}.
std::string ShownName(std::string_view utf8);

}  // namespace zor
