// Text helpers of the XML layer; every text is code page 932.
#pragma once

#include <string>
#include <string_view>

namespace zor {

// Both names trimmed with TrimWide, then compared ignoring the case of
// single-byte letters.
bool SameNodeName(std::string_view a, std::string_view b);

// A folder name read from XML as a path of this system: every "./" and then
// every "/" and every backslash become the separator '/'. A byte 0x5C that
// is the second byte of a double-byte character is left alone.
std::string NormalizeXmlPath(std::string_view path);

// Replaces "&amp;", "&lt;", "&gt;", "&apos;" and "&quot;", in this order,
// each until none is left, so an escaped "&amp;lt;" ends as "<".
std::string DecodeXmlEntities(std::string_view text);

// The display mode's node text: text padded with blanks or cut to 26 bytes,
// followed by value, the whole cut to 255 bytes (never inside a character).
std::string DisplayNodeText(std::string_view text, std::string_view value);

}  // namespace zor
