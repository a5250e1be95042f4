#include "rules/text_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/encoding.h"

namespace zor {
namespace {

std::string U(const std::string& sj) { return Cp932ToUtf8(sj); }

// One double-byte character by its code.
std::string Wide(unsigned code) { return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)}; }

TEST(NormalizeText, ByClass) {
  struct Case {
    int cls;
    const char* in;
    const char* out;
  } cases[] = {
      // 1: half-width digits only.
      {1, "2010", "2010"},
      {1, "２０１０", "2010"},  // a full-width year is a fault
      {1, "2010年", "2010"},
      {1, "-1.5", "15"},
      {1, "ABC ｶ", ""},
      // 2: printable ASCII only.
      {2, "2010-01-05", "2010-01-05"},
      {2, "AB-12_x ~", "AB-12_x ~"},
      {2, "ＡＢＣ１", "ABC1"},
      {2, "　￥”", " \\\""},
      {2, "ｶﾒﾗ日本", ""},
      // 3: half-width letters and digits, full-width katakana, other
      // double-byte characters kept.
      {3, "ｶﾒﾗ", "カメラ"},
      {3, "写真（１）", "写真（1）"},
      {3, "写真(1)", "写真(1)"},
      {3, "ＡｂＣ", "AbC"},
      {3, "ｶﾞｲﾄﾞ", "ガイド"},
      {3, "ｰ｡", "ー。"},
      {3, "①", ""},
      {3, "a①b", "ab"},
      {3, "ソ表", "ソ表"},
      {3, "工事　1\\", "工事　1\\"},
      {3, "ガ", "ガ"},
      // 4: as 3 with capitals.
      {4, "abcＡｂｃ１", "ABCABC1"},
      {4, "ｶﾒﾗ", "カメラ"},
      // 5: behaves as 3.
      {5, "ＡｂＣｶ", "AbCカ"},
      // 6: full-width characters.
      {6, "ABC", "ＡＢＣ"},
      {6, "ソ", "ソ"},
      {6, "表", "表"},
      {6, "\\", "￥"},
      {6, "工事 1", "工事　１"},
      {6, "ｶﾞｲﾄﾞ", "ガイド"},
      {6, "工事①", "工事"},
      // 0 and unknown classes: no check.
      {0, "①ｶA", "①ｶA"},
      {7, "①ｶA", "①ｶA"},
      {-1, "ｶ", "ｶ"},
  };
  for (const Case& c : cases) EXPECT_EQ(U(NormalizeText(c.cls, Sj(c.in))), c.out) << c.cls << " " << c.in;
}

TEST(NormalizeText, MachineDependentAndUserDefinedCharactersAreRemovedAtTheirBoundaries) {
  struct Case {
    unsigned code;
    bool removed;
  } cases[] = {
      {0x84BE, false},                   // last box-drawing character
      {0x8540, true},  {0x8740, true},   // ①
      {0x889E, true},  {0x889F, false},  // 亜, the first kanji
      {0xEAA4, false},                   // the last kanji of JIS X 0208
      {0xED40, true},  {0xF040, true},   // user-defined
      {0xFA56, true},  {0xFC4B, true},   // IBM extensions
  };
  // Classes 1 and 2 drop every double-byte character anyway.
  for (int cls = 3; cls <= 6; ++cls) {
    for (const Case& c : cases) {
      std::string ch = Wide(c.code);
      EXPECT_EQ(NormalizeText(cls, ch), c.removed ? "" : ch) << cls << " " << std::hex << c.code;
    }
  }
  // The step removes double-byte characters only: a single-byte result of
  // the width mapping stays.
  EXPECT_EQ(NormalizeText(2, "\xFA\x57"), "\"");
}

TEST(SplitValueLines, CutsAtCarriageReturnsAndDropsEmptyLines) {
  struct Case {
    const char* in;
    std::vector<std::string> lines;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\r\nc", {"a", "b", "c"}},
      {"a\r\n\r\n  \r\n\tb \r\n", {"a", "b"}},
      {" a \r", {"a"}},
      {"a\nb", {"ab"}},  // a line feed neither cuts nor stays in the line
      {"a \n b\r\n\nc\n", {"a  b", "c"}},
      {"a\rb", {"a", "b"}},
      {"\r\r\r", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitValueLines(c.in), c.lines) << c.in;
  // Double-byte characters ending in 0x5C or 0x20-like bytes are kept whole.
  EXPECT_EQ(SplitValueLines(Sj("ソ\r\n表 ")), (std::vector<std::string>{Sj("ソ"), Sj("表")}));
}

TEST(NormalizeForSearch, IgnoresCaseKanaKindAndWidth) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"ｶﾒﾗ", "ｶﾒﾗ"},   {"カメラ", "ｶﾒﾗ"}, {"かめら", "ｶﾒﾗ"}, {"ガイド", "ｶﾞｲﾄﾞ"},      {"がいど", "ｶﾞｲﾄﾞ"},
      {"ぱ", "ﾊﾟ"},     {"ａｂｃ", "ABC"}, {"abc", "ABC"},    {"２０１０年", "2010年"}, {"工事　写真", "工事 写真"},
      {"ヵヶ", "ヵヶ"}, {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(U(NormalizeForSearch(Sj(c.in))), c.out) << c.in;
  // A search for ｶﾒﾗ finds titles with カメラ or かめら.
  EXPECT_NE(NormalizeForSearch(Sj("新しいかめらの写真")).find(NormalizeForSearch(Sj("ｶﾒﾗ"))), std::string::npos);
}

}  // namespace
}  // namespace zor
