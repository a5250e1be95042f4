// The classes of the characters of code page 932 that a management file may
// or may not hold: JIS X 0208 and half-width alphanumerics are allowed; NEC
// special characters, the IBM extensions (both copies), user-defined
// characters, half-width katakana and control characters are not; full-width
// alphanumerics are worth a note. One table of code ranges says which is
// which.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zor {

enum class CharClass : std::uint8_t {
  kAllowed,      // JIS X 0208, half-width alphanumerics and symbols, TAB, CR, LF
  kWideAlnum,    // full-width digits and Latin letters (JIS X 0208 row 3)
  kHalfKana,     // half-width katakana 0xA1-0xDF
  kControl,      // control characters other than TAB, CR and LF
  kNecSpecial,   // NEC row 13
  kNecIbm,       // NEC-selected IBM extensions, rows 89-92
  kIbm,          // IBM extensions, rows 115-119
  kUserDefined,  // user-defined characters
  kUnassigned,   // a code (or byte) code page 932 does not define
  kNotInCp932,   // a Unicode character code page 932 cannot hold at all
  kBadByte,      // a byte of a UTF-8 file that starts no valid character
};

// A range of codes of one class: a single byte is the code 0x00-0xFF, a
// double-byte character its lead byte times 256 plus its trail byte.
struct CharRange {
  std::uint16_t first = 0;
  std::uint16_t last = 0;
  CharClass cls = CharClass::kAllowed;
};

// Every defined code of code page 932, in ascending order, by class. A code
// outside every range is unassigned.
const std::vector<CharRange>& CharRanges();

// The class of a code as CharRanges() gives it (kUnassigned when none does).
CharClass ClassifyCp932(std::uint16_t code);

// The class of a Unicode character: that of its code page 932 code (written
// to *cp932 when given), C1 controls kControl, a character without a code
// kNotInCp932 (U+00C5 counts as the U+212B it is equivalent to). Converts
// through iconv; callers cache the answer.
CharClass ClassifyUnicode(char32_t ch, std::uint16_t* cp932 = nullptr);

// The check a class's characters are reported under ("text.char", ...);
// empty for kAllowed.
std::string CharCheck(CharClass cls);

// The caption a finding gives a character of the class ("NEC特殊文字",
// code page 932); empty when the check's message names no caption.
const std::string& CharCaption(CharClass cls);

}  // namespace zor
