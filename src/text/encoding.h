// Conversion between code page 932 and UTF-8, used only at the edges: file
// system paths, display, the command line's output, libxml2.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zor {

// Decodes code page 932 bytes. A byte or pair that code page 932 does not
// define becomes U+FFFD (one per undecodable byte), so nothing vanishes; the
// number of replacements is added to *replaced when given.
std::string Cp932ToUtf8(std::string_view sjis, std::size_t* replaced = nullptr);

// Encodes UTF-8 text. A character that code page 932 cannot hold, and every
// byte of an invalid UTF-8 sequence, becomes "?"; the number of replacements
// is added to *replaced when given.
std::string Utf8ToCp932(std::string_view utf8, std::size_t* replaced = nullptr);

// Shorthand for the program's own Japanese texts, which are written in UTF-8
// in the source and live as code page 932 in the core.
inline std::string Sj(std::string_view utf8) { return Utf8ToCp932(utf8); }

}  // namespace zor
