#include "rules/width_kana.h"

#include <cassert>
#include <vector>

#include "text/encoding.h"
#include "text/sjis.h"

namespace zor {
namespace {

// The mapping, as pairs of texts whose characters correspond one to one.

// Full-width forms of the printable ASCII characters 0x20-0x7E, in code order.
constexpr std::string_view kAsciiFull =
    "　！”＃＄％＆’（）＊＋，－．／０１２３４５６７８９：；＜＝＞？＠"
    "ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ［￥］＾＿｀"
    "ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ｛｜｝～";

// Full-width forms of the half-width katakana and their punctuation, 0xA1-0xDF.
constexpr std::string_view kKanaFull =
    "。「」、・ヲァィゥェォャュョッー"
    "アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜";

// Katakana written in half width as a base character and a voicing mark.
constexpr std::string_view kVoicedBase = "ｳｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾊﾋﾌﾍﾎ";
constexpr std::string_view kVoicedFull = "ヴガギグゲゴザジズゼゾダヂヅデドバビブベボ";
constexpr std::string_view kSemiVoicedBase = "ﾊﾋﾌﾍﾎ";
constexpr std::string_view kSemiVoicedFull = "パピプペポ";

// Further full-width characters whose half-width form is ASCII; the ASCII
// characters themselves keep the full-width forms of kAsciiFull.
constexpr std::string_view kExtraFull = "＼＂＇";
constexpr std::string_view kExtraHalf = "\\\"'";

constexpr std::string_view kHiragana =
    "ぁあぃいぅうぇえぉおかがきぎくぐけげこごさざしじすずせぜそぞただちぢっつづてでとど"
    "なにぬねのはばぱひびぴふぶぷへべぺほぼぽまみむめもゃやゅゆょよらりるれろゎわゐゑをんゝゞ";
constexpr std::string_view kKatakana =
    "ァアィイゥウェエォオカガキギクグケゲコゴサザシジスズセゼソゾタダチヂッツヅテデトド"
    "ナニヌネノハバパヒビピフブプヘベペホボポマミムメモャヤュユョヨラリルレロヮワヰヱヲンヽヾ";

constexpr std::string_view kSmallLetters =
    "ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ"
    "αβγδεζηθικλμνξοπρστυφχψω"
    "абвгдеёжзийклмнопрстуфхцчшщъыьэюя";
constexpr std::string_view kCapitalLetters =
    "ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ"
    "ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩ"
    "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ";

constexpr unsigned char kVoicedMark = 0xDE;      // ﾞ
constexpr unsigned char kSemiVoicedMark = 0xDF;  // ﾟ

std::vector<std::string> Characters(std::string_view utf8) {
  std::string sj = Sj(utf8);
  std::vector<std::string> out;
  for (std::size_t pos = 0; pos < sj.size();) {
    std::size_t len = CharLengthAt(sj, pos);
    out.push_back(sj.substr(pos, len));
    pos += len;
  }
  return out;
}

std::uint16_t WideCode(std::string_view ch) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(ch[0]) << 8 | static_cast<unsigned char>(ch[1]));
}

unsigned char Byte(std::string_view ch) { return static_cast<unsigned char>(ch[0]); }

}  // namespace

WidthKanaMap::WidthKanaMap() {
  std::vector<std::string> ascii_full = Characters(kAsciiFull);
  assert(ascii_full.size() == 0x7F - 0x20);
  for (std::size_t i = 0; i < ascii_full.size(); ++i) {
    char half = static_cast<char>(0x20 + i);
    full_of_byte_[0x20 + i] = ascii_full[i];
    half_of_wide_[WideCode(ascii_full[i])] = std::string(1, half);
  }

  std::vector<std::string> kana_full = Characters(kKanaFull);
  assert(kana_full.size() == 0xE0 - 0xA1);
  for (std::size_t i = 0; i < kana_full.size(); ++i) {
    char half = static_cast<char>(0xA1 + i);
    full_of_byte_[0xA1 + i] = kana_full[i];
    half_of_wide_[WideCode(kana_full[i])] = std::string(1, half);
  }

  auto add_voiced = [this](std::string_view base_utf8, std::string_view full_utf8, unsigned char mark) {
    std::vector<std::string> base = Characters(base_utf8);
    std::vector<std::string> full = Characters(full_utf8);
    assert(base.size() == full.size());
    for (std::size_t i = 0; i < base.size() && i < full.size(); ++i) {
      full_of_voiced_[static_cast<std::uint16_t>(Byte(base[i]) << 8 | mark)] = full[i];
      half_of_wide_[WideCode(full[i])] = base[i] + static_cast<char>(mark);
    }
  };
  add_voiced(kVoicedBase, kVoicedFull, kVoicedMark);
  add_voiced(kSemiVoicedBase, kSemiVoicedFull, kSemiVoicedMark);

  std::vector<std::string> extra = Characters(kExtraFull);
  assert(extra.size() == kExtraHalf.size());
  for (std::size_t i = 0; i < extra.size() && i < kExtraHalf.size(); ++i)
    half_of_wide_[WideCode(extra[i])] = std::string(1, kExtraHalf[i]);

  std::vector<std::string> hiragana = Characters(kHiragana);
  std::vector<std::string> katakana = Characters(kKatakana);
  assert(hiragana.size() == katakana.size());
  for (std::size_t i = 0; i < hiragana.size() && i < katakana.size(); ++i)
    katakana_of_[WideCode(hiragana[i])] = katakana[i];

  std::vector<std::string> small = Characters(kSmallLetters);
  std::vector<std::string> capital = Characters(kCapitalLetters);
  assert(small.size() == capital.size());
  for (std::size_t i = 0; i < small.size() && i < capital.size(); ++i) upper_of_wide_[WideCode(small[i])] = capital[i];
  for (char c = 'a'; c <= 'z'; ++c)
    upper_of_byte_[static_cast<unsigned char>(c)] = std::string(1, static_cast<char>(c - 'a' + 'A'));
}

const WidthKanaMap& WidthKanaMap::Get() {
  static const WidthKanaMap map;
  return map;
}

std::string_view WidthKanaMap::HalfWidth(std::string_view ch) const {
  if (ch.size() != 2) return ch;
  auto it = half_of_wide_.find(WideCode(ch));
  return it == half_of_wide_.end() ? ch : std::string_view(it->second);
}

std::string_view WidthKanaMap::FullWidth(std::string_view text, std::size_t pos, std::size_t* length) const {
  std::size_t len = CharLengthAt(text, pos);
  *length = len;
  if (len != 1) return text.substr(pos, len);
  unsigned char c = static_cast<unsigned char>(text[pos]);
  if (pos + 1 < text.size()) {
    unsigned char next = static_cast<unsigned char>(text[pos + 1]);
    if (next == kVoicedMark || next == kSemiVoicedMark) {
      auto it = full_of_voiced_.find(static_cast<std::uint16_t>(c << 8 | next));
      if (it != full_of_voiced_.end()) {
        *length = 2;
        return it->second;
      }
    }
  }
  const std::string& full = full_of_byte_[c];
  return full.empty() ? text.substr(pos, 1) : std::string_view(full);
}

std::string_view WidthKanaMap::Katakana(std::string_view ch) const {
  if (ch.size() != 2) return ch;
  auto it = katakana_of_.find(WideCode(ch));
  return it == katakana_of_.end() ? ch : std::string_view(it->second);
}

std::string_view WidthKanaMap::UpperCase(std::string_view ch) const {
  if (ch.size() == 1) {
    const std::string& upper = upper_of_byte_[Byte(ch)];
    return upper.empty() ? ch : std::string_view(upper);
  }
  if (ch.size() != 2) return ch;
  auto it = upper_of_wide_.find(WideCode(ch));
  return it == upper_of_wide_.end() ? ch : std::string_view(it->second);
}

namespace {

template <typename Map>
std::string EachCharacter(std::string_view text, Map map) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t len = CharLengthAt(text, pos);
    out += map(text.substr(pos, len));
    pos += len;
  }
  return out;
}

}  // namespace

std::string ToHalfWidth(std::string_view text) {
  const WidthKanaMap& map = WidthKanaMap::Get();
  return EachCharacter(text, [&](std::string_view ch) { return map.HalfWidth(ch); });
}

std::string ToFullWidth(std::string_view text) {
  const WidthKanaMap& map = WidthKanaMap::Get();
  std::string out;
  out.reserve(text.size() * 2);
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t len = 0;
    out += map.FullWidth(text, pos, &len);
    pos += len;
  }
  return out;
}

std::string ToKatakana(std::string_view text) {
  const WidthKanaMap& map = WidthKanaMap::Get();
  return EachCharacter(text, [&](std::string_view ch) { return map.Katakana(ch); });
}

std::string ToUpperCase(std::string_view text) {
  const WidthKanaMap& map = WidthKanaMap::Get();
  return EachCharacter(text, [&](std::string_view ch) { return map.UpperCase(ch); });
}

}  // namespace zor
