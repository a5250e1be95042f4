// The file named on the command line, opened once the main window shows.
// Both forms return a UTF-8 path as given, or an empty string.
#pragma once

#include <string>
#include <string_view>

namespace zor {

// The arguments after the program joined with one blank, every double
// quote removed, blanks, control characters and full-width spaces trimmed
// at both ends. Two arguments therefore name no file: "a b".
std::string CommandLineFile(int argc, const char* const* argv);

// The same from a whole command line as one text, the program included:
// what follows the first ".EXE" (any case), or the whole text when there is
// none.
std::string CommandLineFileFromRaw(std::string_view raw);

}  // namespace zor
