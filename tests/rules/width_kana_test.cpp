#include "rules/width_kana.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "text/encoding.h"

namespace zor {
namespace {

// Texts are compared in UTF-8 so that a failure reads.
std::string U(const std::string& sj) { return Cp932ToUtf8(sj); }

TEST(WidthKanaMap, EveryAsciiCharacterHasOneFullWidthFormThatMapsBack) {
  std::set<std::string> seen;
  for (int c = 0x20; c <= 0x7E; ++c) {
    std::string ascii(1, static_cast<char>(c));
    std::string full = ToFullWidth(ascii);
    ASSERT_EQ(full.size(), 2u) << c;
    EXPECT_TRUE(seen.insert(full).second) << "two characters share " << U(full);
    EXPECT_EQ(ToHalfWidth(full), ascii) << U(full);
    // No full-width form may be a machine-dependent or user-defined character.
    unsigned code = static_cast<unsigned char>(full[0]) << 8 | static_cast<unsigned char>(full[1]);
    EXPECT_LT(code, 0xED40u) << c;
  }
}

TEST(WidthKanaMap, EveryHalfWidthKatakanaHasOneFullWidthFormThatMapsBack) {
  std::set<std::string> seen;
  for (int c = 0xA1; c <= 0xDF; ++c) {
    std::string half(1, static_cast<char>(c));
    std::string full = ToFullWidth(half);
    ASSERT_EQ(full.size(), 2u) << c;
    EXPECT_TRUE(seen.insert(full).second) << "two characters share " << U(full);
    EXPECT_EQ(ToHalfWidth(full), half) << U(full);
  }
}

TEST(WidthKanaMap, FullWidthForms) {
  struct Case {
    const char* half;
    const char* full;
  } cases[] = {
      {" ", "　"},
      {"A", "Ａ"},
      {"z", "ｚ"},
      {"0", "０"},
      {"-", "－"},
      {"\\", "￥"},
      {"~", "～"},
      {"\"", "”"},
      {"'", "’"},
      {"`", "｀"},
      {"ｶ", "カ"},
      {"ｦ", "ヲ"},
      {"ｯ", "ッ"},
      {"ｰ", "ー"},
      {"｡", "。"},
      {"｢｣", "「」"},
      {"･", "・"},
      {"ﾞ", "゛"},
      {"ﾟ", "゜"},
      {"ﾝ", "ン"},
      // Voicing marks combine with the character before them when they can.
      {"ｶﾞ", "ガ"},
      {"ﾊﾟ", "パ"},
      {"ｳﾞ", "ヴ"},
      {"ﾎﾟ", "ポ"},
      {"ﾄﾞ", "ド"},
      {"ｱﾞ", "ア゛"},
      {"ｶﾟ", "カ゜"},
      {"ﾞｶ", "゛カ"},
      {"ｶﾞﾞ", "ガ゛"},
      // Double-byte characters are their own full-width form, whatever their
      // second byte: ソ and 表 end in 0x5C.
      {"ソ表", "ソ表"},
      {"漢字", "漢字"},
  };
  for (const Case& c : cases) EXPECT_EQ(U(ToFullWidth(Sj(c.half))), c.full) << c.half;
}

TEST(WidthKanaMap, VoicedKatakanaAreTheirPlainCharacterAndAMark) {
  // In code page 932 a voiced katakana follows its plain one, a semi-voiced
  // one comes two after it; ヴ is the voiced ウ.
  const std::string voiced = Sj("ガギグゲゴザジズゼゾダヂヅデドバビブベボ");
  const std::string semi_voiced = Sj("パピプペポ");
  auto check = [](const std::string& full, unsigned plain_code, const char* mark) {
    std::string plain{static_cast<char>(plain_code >> 8), static_cast<char>(plain_code & 0xFF)};
    std::string half = ToHalfWidth(full);
    EXPECT_EQ(U(half), U(ToHalfWidth(plain)) + mark) << U(full);
    EXPECT_EQ(ToFullWidth(half), full) << U(full);
  };
  auto code_at = [](const std::string& s, std::size_t i) {
    return static_cast<unsigned>(static_cast<unsigned char>(s[i]) << 8 | static_cast<unsigned char>(s[i + 1]));
  };
  for (std::size_t i = 0; i < voiced.size(); i += 2) check(voiced.substr(i, 2), code_at(voiced, i) - 1, "ﾞ");
  for (std::size_t i = 0; i < semi_voiced.size(); i += 2)
    check(semi_voiced.substr(i, 2), code_at(semi_voiced, i) - 2, "ﾟ");
  check(Sj("ヴ"), code_at(Sj("ウ"), 0), "ﾞ");
}

TEST(WidthKanaMap, HalfWidthForms) {
  struct Case {
    const char* full;
    const char* half;
  } cases[] = {
      {"　", " "},
      {"ＡＢＣ", "ABC"},
      {"２０１０", "2010"},
      {"（１）", "(1)"},
      {"￥", "\\"},
      {"＼", "\\"},
      {"～", "~"},
      {"ガ", "ｶﾞ"},
      {"パ", "ﾊﾟ"},
      {"ヴ", "ｳﾞ"},
      {"カメラ", "ｶﾒﾗ"},
      {"「ー」", "｢ｰ｣"},
      // Without a half-width form: kept.
      {"ヵヶヮヰヱ", "ヵヶヮヰヱ"},
      {"漢字", "漢字"},
      {"ぁ", "ぁ"},
      {"①", "①"},
  };
  for (const Case& c : cases) EXPECT_EQ(U(ToHalfWidth(Sj(c.full))), c.half) << c.full;
  // The IBM full-width quotes have ASCII half-width forms too.
  EXPECT_EQ(ToHalfWidth("\xFA\x57\xFA\x56"), "\"'");
}

TEST(WidthKanaMap, HiraganaBecomeKatakana) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"ぁあ", "ァア"},
      {"がぱ", "ガパ"},
      {"みむめ", "ミムメ"},  // katakana skip 0x837F between ミ and ム
      {"ゎわゐゑをん", "ヮワヰヱヲン"},
      {"ゝゞ", "ヽヾ"},
      {"カナ漢字abc", "カナ漢字abc"},
  };
  for (const Case& c : cases) EXPECT_EQ(U(ToKatakana(Sj(c.in))), c.out) << c.in;

  // Every hiragana of code page 932 has its own katakana.
  std::set<std::string> seen;
  for (int code = 0x829F; code <= 0x82F1; ++code) {
    std::string hiragana{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    std::string katakana = ToKatakana(hiragana);
    EXPECT_NE(katakana, hiragana) << std::hex << code;
    EXPECT_TRUE(seen.insert(katakana).second) << std::hex << code;
  }
}

TEST(WidthKanaMap, SmallLettersBecomeCapitals) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"abcXYZ", "ABCXYZ"}, {"ａｚＡ", "ＡＺＡ"}, {"αω", "ΑΩ"}, {"аёя", "АЁЯ"}, {"ｶﾅかな1", "ｶﾅかな1"},
  };
  for (const Case& c : cases) EXPECT_EQ(U(ToUpperCase(Sj(c.in))), c.out) << c.in;
}

TEST(WidthKanaMap, BrokenTextsStayWhole) {
  // A lead byte at the very end, and bytes that code page 932 does not use.
  EXPECT_EQ(ToFullWidth("a\x88"), Sj("ａ") + "\x88");
  EXPECT_EQ(ToHalfWidth("\x80\xA0\xFD"), "\x80\xA0\xFD");
  EXPECT_EQ(ToFullWidth(""), "");
}

}  // namespace
}  // namespace zor
