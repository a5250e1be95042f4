#include "check/char_table.h"

#include <algorithm>

#include "text/encoding.h"

namespace zor {

const std::vector<CharRange>& CharRanges() {
  using C = CharClass;
  // JIS X 0208 row r lies at lead byte 0x81 + (r - 1) / 2 (0xE0 + (r - 63) / 2
  // from row 63): an odd row in trail bytes 0x40-0x9E, an even one in
  // 0x9F-0xFC. Codes inside a range whose trail byte is 0x7F, or which no
  // lead byte starts, never reach the table.
  static const std::vector<CharRange> ranges = {
      {0x00, 0x08, C::kControl},
      {0x09, 0x0A, C::kAllowed},  // TAB, LF
      {0x0B, 0x0C, C::kControl},
      {0x0D, 0x0D, C::kAllowed},  // CR
      {0x0E, 0x1F, C::kControl},
      {0x20, 0x7E, C::kAllowed},
      {0x7F, 0x7F, C::kControl},
      {0xA1, 0xDF, C::kHalfKana},
      // row 1 and the first symbols of row 2, then row 2's groups
      {0x8140, 0x81AC, C::kAllowed},
      {0x81B8, 0x81BF, C::kAllowed},  // ∈ … ∩
      {0x81C8, 0x81CE, C::kAllowed},  // ∧ … ∃
      {0x81DA, 0x81E8, C::kAllowed},  // ∠ … ∬
      {0x81F0, 0x81F7, C::kAllowed},  // Å … ¶
      {0x81FC, 0x81FC, C::kAllowed},  // ◯
      // row 3: full-width digits and letters
      {0x824F, 0x8258, C::kWideAlnum},  // ０-９
      {0x8260, 0x8279, C::kWideAlnum},  // Ａ-Ｚ
      {0x8281, 0x829A, C::kWideAlnum},  // ａ-ｚ
      // rows 4-8: hiragana, katakana, Greek, Cyrillic, box drawing
      {0x829F, 0x82F1, C::kAllowed},
      {0x8340, 0x8396, C::kAllowed},
      {0x839F, 0x83B6, C::kAllowed},
      {0x83BF, 0x83D6, C::kAllowed},
      {0x8440, 0x8460, C::kAllowed},
      {0x8470, 0x8491, C::kAllowed},
      {0x849F, 0x84BE, C::kAllowed},
      // row 13: ①-⑳ Ⅰ-Ⅹ, ㍉ … ㎡, ㍻, 〝 … ∪ (0x875E and 0x8776-0x877D unassigned)
      {0x8740, 0x875D, C::kNecSpecial},
      {0x875F, 0x8775, C::kNecSpecial},
      {0x877E, 0x877E, C::kNecSpecial},
      {0x8780, 0x879C, C::kNecSpecial},
      // level 1 kanji: rows 16-47 (亜 … 腕), level 2: rows 48-84 (弌 … 熙)
      {0x889F, 0x9872, C::kAllowed},
      {0x989F, 0xEAA4, C::kAllowed},
      // rows 89-92 (0xEEED-0xEEEE unassigned)
      {0xED40, 0xEEEC, C::kNecIbm},
      {0xEEEF, 0xEEFC, C::kNecIbm},
      // rows 95-114, then 115-119
      {0xF040, 0xF9FC, C::kUserDefined},
      {0xFA40, 0xFC4B, C::kIbm},
  };
  return ranges;
}

CharClass ClassifyCp932(std::uint16_t code) {
  // One class per code, looked up: the scan asks once per character.
  static const std::vector<CharClass> lookup = [] {
    std::vector<CharClass> all(0x10000, CharClass::kUnassigned);
    for (const CharRange& r : CharRanges()) std::fill(all.begin() + r.first, all.begin() + r.last + 1, r.cls);
    return all;
  }();
  return lookup[code];
}

CharClass ClassifyUnicode(char32_t ch, std::uint16_t* cp932) {
  if (ch < 0x80) {
    if (cp932) *cp932 = static_cast<std::uint16_t>(ch);
    return ClassifyCp932(static_cast<std::uint16_t>(ch));
  }
  if (ch < 0xA0) return CharClass::kControl;  // C1
  if (ch > 0xFFFF || (ch >= 0xD800 && ch < 0xE000)) return CharClass::kNotInCp932;
  // JIS's Å is U+212B, which NFC normalisation writes as its canonical
  // equivalent U+00C5; both are the same character of row 2.
  if (ch == 0xC5) ch = 0x212B;
  std::string utf8;
  if (ch < 0x800) {
    utf8 += static_cast<char>(0xC0 | (ch >> 6));
  } else {
    utf8 += static_cast<char>(0xE0 | (ch >> 12));
    utf8 += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
  }
  utf8 += static_cast<char>(0x80 | (ch & 0x3F));
  std::size_t replaced = 0;
  const std::string bytes = Utf8ToCp932(utf8, &replaced);
  if (replaced > 0 || bytes.empty() || bytes.size() > 2) return CharClass::kNotInCp932;
  std::uint16_t code = static_cast<unsigned char>(bytes[0]);
  if (bytes.size() == 2) code = static_cast<std::uint16_t>(code << 8 | static_cast<unsigned char>(bytes[1]));
  if (cp932) *cp932 = code;
  return ClassifyCp932(code);
}

std::string CharCheck(CharClass cls) {
  switch (cls) {
    case CharClass::kAllowed:
      return {};
    case CharClass::kWideAlnum:
      return "text.wide-alnum";
    case CharClass::kHalfKana:
      return "text.kana";
    case CharClass::kControl:
      return "text.control";
    default:
      return "text.char";
  }
}

const std::string& CharCaption(CharClass cls) {
  static const std::vector<std::string> captions = [] {
    std::vector<std::string> all(static_cast<std::size_t>(CharClass::kBadByte) + 1);
    all[static_cast<std::size_t>(CharClass::kNecSpecial)] = Sj("NEC特殊文字");
    all[static_cast<std::size_t>(CharClass::kNecIbm)] = Sj("NEC選定IBM拡張文字");
    all[static_cast<std::size_t>(CharClass::kIbm)] = Sj("IBM拡張文字");
    all[static_cast<std::size_t>(CharClass::kUserDefined)] = Sj("外字");
    all[static_cast<std::size_t>(CharClass::kUnassigned)] = Sj("未定義の文字");
    all[static_cast<std::size_t>(CharClass::kNotInCp932)] = Sj("JIS X 0208 にない文字");
    all[static_cast<std::size_t>(CharClass::kBadByte)] = Sj("不正なバイト");
    return all;
  }();
  return captions[static_cast<std::size_t>(cls)];
}

}  // namespace zor
