// The character table at the boundaries of its ranges, checked against
// iconv's code page 932 over every double-byte code, and the classes of
// Unicode characters.
#include "check/char_table.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdio>
#include <string>

#include "text/encoding.h"

namespace zor {
namespace {

using C = CharClass;

struct CodeCase {
  std::uint16_t code;
  CharClass cls;
};

TEST(CharTableTest, RangesAtTheirBoundaries) {
  // clang-format off
  const CodeCase cases[] = {
      // single bytes: controls around TAB, LF, CR; ASCII; half-width katakana
      {0x00, C::kControl},      {0x08, C::kControl},      {0x09, C::kAllowed},      {0x0A, C::kAllowed},
      {0x0B, C::kControl},      {0x0C, C::kControl},      {0x0D, C::kAllowed},      {0x0E, C::kControl},
      {0x1F, C::kControl},      {0x20, C::kAllowed},      {0x7E, C::kAllowed},      {0x7F, C::kControl},
      {0x80, C::kUnassigned},   {0xA0, C::kUnassigned},   {0xA1, C::kHalfKana},     {0xDF, C::kHalfKana},
      {0xE0, C::kUnassigned},   {0xFD, C::kUnassigned},   {0xFF, C::kUnassigned},
      // row 1 and 2, the last symbols before the full-width digits
      {0x8140, C::kAllowed},    {0x81AC, C::kAllowed},    {0x81AD, C::kUnassigned}, {0x81FC, C::kAllowed},
      // full-width digits and letters
      {0x824E, C::kUnassigned}, {0x824F, C::kWideAlnum},  {0x8258, C::kWideAlnum},  {0x8259, C::kUnassigned},
      {0x825F, C::kUnassigned}, {0x8260, C::kWideAlnum},  {0x8279, C::kWideAlnum},  {0x827A, C::kUnassigned},
      {0x8280, C::kUnassigned}, {0x8281, C::kWideAlnum},  {0x829A, C::kWideAlnum},  {0x829B, C::kUnassigned},
      {0x829F, C::kAllowed},    {0x84BE, C::kAllowed},    {0x84BF, C::kUnassigned},
      // row 13 and its gaps
      {0x86FC, C::kUnassigned}, {0x8740, C::kNecSpecial}, {0x875D, C::kNecSpecial}, {0x875E, C::kUnassigned},
      {0x875F, C::kNecSpecial}, {0x8775, C::kNecSpecial}, {0x8776, C::kUnassigned}, {0x877D, C::kUnassigned},
      {0x877E, C::kNecSpecial}, {0x8780, C::kNecSpecial}, {0x879C, C::kNecSpecial}, {0x879D, C::kUnassigned},
      // the kanji of both levels
      {0x889E, C::kUnassigned}, {0x889F, C::kAllowed},    {0x9872, C::kAllowed},    {0x9873, C::kUnassigned},
      {0x989E, C::kUnassigned}, {0x989F, C::kAllowed},    {0x9FFC, C::kAllowed},    {0xE040, C::kAllowed},
      {0xEAA4, C::kAllowed},    {0xEAA5, C::kUnassigned},
      // rows 89-92
      {0xECFC, C::kUnassigned}, {0xED40, C::kNecIbm},     {0xEEEC, C::kNecIbm},     {0xEEED, C::kUnassigned},
      {0xEEEE, C::kUnassigned}, {0xEEEF, C::kNecIbm},     {0xEEFC, C::kNecIbm},     {0xEF40, C::kUnassigned},
      // user-defined, then the IBM extensions
      {0xEFFC, C::kUnassigned}, {0xF040, C::kUserDefined}, {0xF9FC, C::kUserDefined}, {0xFA40, C::kIbm},
      {0xFC4B, C::kIbm},        {0xFC4C, C::kUnassigned}, {0xFCFC, C::kUnassigned},
  };
  // clang-format on
  for (const CodeCase& c : cases) EXPECT_EQ(ClassifyCp932(c.code), c.cls) << std::hex << "code 0x" << c.code;
}

TEST(CharTableTest, RangesAreOrderedAndDisjoint) {
  const std::vector<CharRange>& ranges = CharRanges();
  for (std::size_t i = 0; i < ranges.size(); ++i) {
    EXPECT_LE(ranges[i].first, ranges[i].last) << i;
    if (i > 0) {
      EXPECT_LT(ranges[i - 1].last, ranges[i].first) << i;
    }
  }
}

// Every code the table calls assigned is one iconv decodes, and the other
// way round; and every code it allows decodes to a character that EUC-JP-MS
// writes in a JIS X 0208 row (1-8, 16-84), not in row 13, the user area or
// the JIS X 0212 plane where it keeps the extensions.
TEST(CharTableTest, AgreesWithIconvOnEveryCode) {
  iconv_t euc = iconv_open("EUC-JP-MS", "UTF-8");
  ASSERT_NE(euc, reinterpret_cast<iconv_t>(-1));
  auto jisRow = [&](const std::string& utf8) {
    char out[8];
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* dst = out;
    std::size_t dstLeft = sizeof out;
    iconv(euc, nullptr, nullptr, nullptr, nullptr);
    if (iconv(euc, &in, &inLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1) || dst - out != 2) return false;
    const int row = static_cast<unsigned char>(out[0]) - 0xA0;
    return (row >= 1 && row <= 8) || (row >= 16 && row <= 84);
  };
  int checked = 0;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead >= 0xA0 && lead < 0xE0) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      const auto code = static_cast<std::uint16_t>(lead << 8 | trail);
      const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
      std::size_t replaced = 0;
      const std::string utf8 = Cp932ToUtf8(bytes, &replaced);
      const CharClass cls = ClassifyCp932(code);
      EXPECT_EQ(replaced == 0, cls != C::kUnassigned) << std::hex << "code 0x" << code;
      if (cls == C::kAllowed || cls == C::kWideAlnum) {
        EXPECT_TRUE(jisRow(utf8)) << std::hex << "code 0x" << code;
      }
      ++checked;
    }
  }
  iconv_close(euc);
  EXPECT_EQ(checked, (31 + 29) * 188);
  for (int b = 0; b < 0x100; ++b) {
    std::size_t replaced = 0;
    Cp932ToUtf8(std::string(1, static_cast<char>(b)), &replaced);
    EXPECT_EQ(replaced == 0, ClassifyCp932(static_cast<std::uint16_t>(b)) != C::kUnassigned) << "byte " << b;
  }
}

struct UnicodeCase {
  char32_t ch;
  CharClass cls;
  std::uint16_t cp932;  // 0: none expected
};

TEST(CharTableTest, UnicodeCharactersTakeTheClassOfTheirCode) {
  // clang-format off
  const UnicodeCase cases[] = {
      {U'A', C::kAllowed, 0x41},
      {U'\t', C::kAllowed, 0x09},
      {0x07, C::kControl, 0x07},
      {0x7F, C::kControl, 0x7F},
      {0x85, C::kControl, 0},  // C1
      {0x9F, C::kControl, 0},
      {U'亜', C::kAllowed, 0x889F},
      {U'〜', C::kAllowed, 0x8160},  // U+301C, JIS's mapping of 1-33
      {U'～', C::kAllowed, 0x8160},  // U+FF5E, Windows's
      {U'Ａ', C::kWideAlnum, 0x8260},
      {U'①', C::kNecSpecial, 0x8740},
      {U'Ⅲ', C::kNecSpecial, 0x8756},
      {U'㈱', C::kNecSpecial, 0x878A},
      {U'髙', C::kIbm, 0xFBFC},
      {U'﨑', C::kIbm, 0xFAB1},
      {U'ⅰ', C::kIbm, 0xFA40},
      {0xE000, C::kUserDefined, 0xF040},
      {0xFF61, C::kHalfKana, 0xA1},
      {0xFF9F, C::kHalfKana, 0xDF},
      {0xFF60, C::kNotInCp932, 0},
      {U'é', C::kNotInCp932, 0},
      {0x212B, C::kAllowed, 0x81F0},  // Å, and its NFC form
      {0xC5, C::kAllowed, 0x81F0},
      {U'©', C::kNotInCp932, 0},
      {0x20BB7, C::kNotInCp932, 0},  // 𠮷
      {0x1F600, C::kNotInCp932, 0},  // an emoji
      {0xFEFF, C::kNotInCp932, 0},
      {0xD800, C::kNotInCp932, 0},
      {0x110000, C::kNotInCp932, 0},
  };
  // clang-format on
  for (const UnicodeCase& c : cases) {
    std::uint16_t code = 0;
    EXPECT_EQ(ClassifyUnicode(c.ch, &code), c.cls) << std::hex << "U+" << static_cast<unsigned>(c.ch);
    if (c.cp932 != 0) {
      EXPECT_EQ(code, c.cp932) << std::hex << "U+" << static_cast<unsigned>(c.ch);
    }
  }
}

}  // namespace
}  // namespace zor
