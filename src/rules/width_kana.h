// The Japanese character-width, kana and case mapping over code page 932,
// built once from one table. The representation classes of the field rules
// and the search normalisation both rest on it, so they always agree on what
// the half-width or full-width form of a character is.
//
// Mapped: printable ASCII and its full-width forms; half-width katakana and
// their full-width forms, a voiced or semi-voiced mark combining with the
// character before it (ｶﾞ and ガ); hiragana to katakana; lower to upper case
// for Latin, Greek and Cyrillic letters. Full-width forms are chosen inside
// JIS X 0208, so that none of them is a machine-dependent character: the
// backslash becomes ￥, the quotes ” ’ and the grave accent ｀, the tilde ～.
// Every other character is its own half-width and full-width form.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace zor {

class WidthKanaMap {
 public:
  static const WidthKanaMap& Get();

  // The half-width form of one character (one or two bytes): one ASCII
  // byte, one or two half-width katakana bytes, or ch itself.
  std::string_view HalfWidth(std::string_view ch) const;

  // The full-width form of the character at text[pos]. A half-width katakana
  // followed by a voicing mark that combines with it is taken together.
  // *length receives the number of bytes read; the result is that text itself
  // when it has no full-width form.
  std::string_view FullWidth(std::string_view text, std::size_t pos, std::size_t* length) const;

  // The katakana of a hiragana character, else ch itself.
  std::string_view Katakana(std::string_view ch) const;

  // The capital of a small letter (ASCII, full-width Latin, Greek,
  // Cyrillic), else ch itself.
  std::string_view UpperCase(std::string_view ch) const;

  WidthKanaMap(const WidthKanaMap&) = delete;
  WidthKanaMap& operator=(const WidthKanaMap&) = delete;

 private:
  WidthKanaMap();

  using WideMap = std::unordered_map<std::uint16_t, std::string>;  // by double-byte code
  std::array<std::string, 256> full_of_byte_;                      // empty: no full-width form
  std::array<std::string, 256> upper_of_byte_;                     // empty: not a small letter
  WideMap full_of_voiced_;                                         // half-width base << 8 | mark
  WideMap half_of_wide_;
  WideMap katakana_of_;
  WideMap upper_of_wide_;
};

// Whole-text forms, character by character.
std::string ToHalfWidth(std::string_view text);
std::string ToFullWidth(std::string_view text);
std::string ToKatakana(std::string_view text);
std::string ToUpperCase(std::string_view text);

}  // namespace zor
