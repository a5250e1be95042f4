// The character rules of the items: whether a text respects a data
// representation class, how a multi-line value splits into lines, and the
// form in which the search compares texts. All texts are code page 932.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zor {

// Data representation classes of the items.
enum RepresentationClass : int {
  kClassNone = 0,          // 制限無し: no check
  kClassDigits = 1,        // 半角数字
  kClassAscii = 2,         // 半角英数
  kClassMixed = 3,         // 全角/半角英数
  kClassMixedCapital = 4,  // 全角/半角英数の大文字
  kClassUnused = 5,        // 全角/半角英数; no item uses it, it behaves as class 3
  kClassFullWidth = 6,     // 全角文字
};

// The text with every character put into the form that the class allows;
// the text respects the class when the result equals it. Class 0 (and any
// unknown class) returns the text unchanged. In classes 1 to 6 the
// machine-dependent and user-defined characters (0x8540-0x889E, 0xED40 and
// up) are removed.
std::string NormalizeText(int representation_class, std::string_view text);

// The lines of a multi-line value: cut at every carriage return, line feeds
// left out wherever they stand, each trimmed of blanks and control characters
// at both ends, empty ones dropped. A text without a carriage return is one
// line.
std::vector<std::string> SplitValueLines(std::string_view text);

// The form in which the search compares texts: upper case, katakana and half
// width, so that case, hiragana against katakana and full against half width
// do not matter.
std::string NormalizeForSearch(std::string_view text);

}  // namespace zor
