// Texts the command line prints: one output line must stay one line, so
// that a file name cannot forge another result line.
#pragma once

#include <string>
#include <string_view>

namespace zor::cli {

// utf8 with every control character written as an escape (\n, \r, \t, else
// \xHH) and a backslash doubled; everything else is copied as it is.
std::string EscapeControls(std::string_view utf8);

// A message of several lines (joined with CR LF or LF) as one line: the
// line breaks become a space, other control characters escapes.
std::string OneLine(std::string_view utf8);

}  // namespace zor::cli
