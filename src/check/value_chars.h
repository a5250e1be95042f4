// The offending characters of one value of a management file, collected
// while it is scanned and turned into one finding per check it breaks.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "check/char_table.h"
#include "check/text_scan.h"

namespace zor {

// One character as a finding lists it.
struct ListedChar {
  std::uint32_t code = 0;   // the code shown: code page 932, or a Unicode scalar when unicode
  bool unicode = false;     // shown as "U+XXXX"
  std::uint16_t cp932 = 0;  // the character's code page 932 code when it has one, else 0
  CharClass cls = CharClass::kAllowed;
};

// How a finding shows a character: "①（0x8740 NEC特殊文字）", "ｱ（0xB1）",
// "0x07", "U+20BB7（JIS X 0208 にない文字）" (code page 932). A control
// character, a user-defined one and a code without a character are shown by
// their code alone.
std::string ShowChar(const ListedChar& c);

class ValueChars {
 public:
  // Counts c once per value; past kMaxListedChars distinct characters of a
  // check, only how many more there are.
  void Add(const ListedChar& c);
  bool Empty() const { return empty_; }
  // How many checks the value breaks (how many findings it gives).
  std::size_t Checks() const;
  void Clear();

  // Appends one finding per check the value breaks, in the order of the
  // check table; name (code page 932) is the element or attribute named in
  // the message, item its path.
  void AppendFindings(std::vector<TextFinding>& out, const std::string& file, const std::string& item,
                      const std::string& name, int line, int photo) const;

 private:
  struct List {
    std::vector<ListedChar> chars;
    std::size_t more = 0;
  };
  std::array<List, 4> lists_;  // text.char, text.kana, text.control, text.wide-alnum
  bool empty_ = true;
};

}  // namespace zor
