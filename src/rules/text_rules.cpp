#include "rules/text_rules.h"

#include "rules/width_kana.h"
#include "text/sjis.h"

namespace zor {
namespace {

bool IsPrintableAscii(std::string_view ch) {
  return ch.size() == 1 && static_cast<unsigned char>(ch[0]) >= 0x20 && static_cast<unsigned char>(ch[0]) <= 0x7E;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Machine-dependent characters (NEC row 13 and the empty rows before the
// kanji) and user-defined or IBM extension characters: no standard allows
// them, whatever the class.
bool IsReservedWide(std::string_view ch) {
  if (ch.size() != 2) return false;
  unsigned code = static_cast<unsigned char>(ch[0]) << 8 | static_cast<unsigned char>(ch[1]);
  return (code >= 0x8540 && code <= 0x889E) || code >= 0xED40;
}

void Append(std::string& out, std::string_view piece) {
  if (!IsReservedWide(piece)) out += piece;
}

}  // namespace

std::string NormalizeText(int representation_class, std::string_view text) {
  if (representation_class < kClassDigits || representation_class > kClassFullWidth) return std::string(text);
  const WidthKanaMap& map = WidthKanaMap::Get();
  std::string out;
  out.reserve(text.size() * 2);
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t len = CharLengthAt(text, pos);
    std::string_view ch = text.substr(pos, len);
    switch (representation_class) {
      case kClassDigits: {
        std::string_view half = map.HalfWidth(ch);
        if (half.size() == 1 && IsDigit(half[0])) out += half;
        break;
      }
      case kClassAscii: {
        std::string_view half = map.HalfWidth(ch);
        if (IsPrintableAscii(half)) out += half;
        break;
      }
      case kClassFullWidth:
        // A single-byte backslash becomes ￥ through the table; a 0x5C trail
        // byte is part of its double-byte character and never looked at alone.
        Append(out, map.FullWidth(text, pos, &len));
        break;
      default: {  // classes 3, 4 and 5
        std::string_view half = map.HalfWidth(ch);
        if (IsPrintableAscii(half) && (IsLetter(half[0]) || IsDigit(half[0]))) {
          out += representation_class == kClassMixedCapital ? map.UpperCase(half) : half;
        } else if (IsPrintableAscii(half) || len == 2) {
          Append(out, ch);
        } else {
          Append(out, map.FullWidth(text, pos, &len));  // half-width katakana
        }
        break;
      }
    }
    pos += len;
  }
  return out;
}

std::vector<std::string> SplitValueLines(std::string_view text) {
  std::vector<std::string> lines;
  // Neither a carriage return nor a line feed is ever the second byte of a
  // double-byte character, so the text can be cut and cleaned byte by byte;
  // trimming bytes up to the blank is safe for the same reason.
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\r', start);
    if (end == std::string_view::npos) end = text.size();
    std::string piece;
    for (char c : text.substr(start, end - start))
      if (c != '\n') piece += c;  // line feeds play no part in a value's lines
    std::size_t first = 0;
    std::size_t last = piece.size();
    while (first < last && static_cast<unsigned char>(piece[first]) <= 0x20) ++first;
    while (last > first && static_cast<unsigned char>(piece[last - 1]) <= 0x20) --last;
    if (first < last) lines.push_back(piece.substr(first, last - first));
    start = end + 1;
  }
  return lines;
}

std::string NormalizeForSearch(std::string_view text) { return ToHalfWidth(ToKatakana(ToUpperCase(text))); }

}  // namespace zor
