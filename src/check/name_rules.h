// The rules every folder and file name of a delivery keeps, and the names
// that operating systems and programs leave behind, which never belong in
// a delivery. Names are as found on disk (UTF-8); texts code page 932.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zor {

// Why a name breaks the naming rules, every rule it breaks in one sentence,
// or nothing when it keeps them: half-width upper-case letters, digits and
// "_" only; a file: at most 8 characters, then "." and an extension of at
// most 3 characters (4 when fourCharExtensions), or no extension; a folder:
// at most 8 characters and no extension.
std::optional<std::string> NameRuleBreach(std::string_view name, bool folder, bool fourCharExtensions);

// True when the name breaks the rules and upper-casing its letters a-z
// alone would mend it.
bool OnlyLowerCaseBreaksRule(std::string_view name, bool folder, bool fourCharExtensions);

// What an unwanted name is ("不要なファイルです（…）。"), or nothing for a
// name that may be in a delivery: Thumbs.db, desktop.ini, .DS_Store, "._"
// files, __MACOSX, Office's "~$" lock files, "*.tmp", and any other hidden
// name (starting with ".").
std::optional<std::string> UnwantedName(std::string_view name, bool folder);

}  // namespace zor
