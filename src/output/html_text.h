// Text helpers of the HTML album: escaping, splitting the multi-line reserve
// fields, and the written form of a date. All texts are code page 932.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zor {

// & < > and the double quote as entities; every run of two or more spaces
// as one "&nbsp;" per space (a single space stays). None of these bytes can
// be the second byte of a double-byte character, so bytes are safe here.
std::string HtmlEscape(std::string_view text);

// The lines of a multi-line value. A text without CR is one line, even when
// empty. Otherwise LF is dropped and CR ends a line unless that line is still
// blank (only spaces, full-width spaces and control characters), in which
// case the next line's characters continue it; a blank last line is dropped.
std::vector<std::string> SplitLines(std::string_view text);

// A value of exactly 10 characters (YYYY-MM-DD) as "YYYY 年 MM 月 DD 日";
// any other value unchanged.
std::string AlbumDate(std::string_view value);

}  // namespace zor
