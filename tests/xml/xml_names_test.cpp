#include <gtest/gtest.h>

#include "text/encoding.h"
#include "xml/xml_names.h"

namespace zor {
namespace {

TEST(SameNodeName, TrimsBothAndIgnoresCaseOfSingleByteLetters) {
  struct Case {
    const char* a;
    const char* b;
    bool same;
  } cases[] = {
      {"写真情報", " 写真情報　", true},
      {"\t写真情報\r\n", "写真情報", true},
      {"PhotoData", "PHOTODATA", true},
      {"写真情報", "写真情", false},
      {"ａ", "Ａ", false},  // full-width letters are compared exactly
      {"", "　 ", true},
  };
  for (const Case& c : cases) EXPECT_EQ(SameNodeName(Sj(c.a), Sj(c.b)), c.same) << c.a << " / " << c.b;
}

TEST(NormalizeXmlPath, DotSlashesAndBackslashesBecomeSeparators) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"PHOTO/PIC", "PHOTO/PIC"},
      {"./PIC", "/PIC"},
      {"PHOTO\\PIC", "PHOTO/PIC"},
      {".\\PIC", "./PIC"},
      {"../DRA", "./DRA"},
      {"PIC", "PIC"},
      // 0x5C as the second byte of ソ and 表 is part of the character.
      {"ソ表\\写真", "ソ表/写真"},
  };
  for (const Case& c : cases) EXPECT_EQ(NormalizeXmlPath(Sj(c.in)), Sj(c.out)) << c.in;
}

TEST(DecodeXmlEntities, ReplacesInTableOrderUntilNoneIsLeft) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"a &amp; b", "a & b"},
      {"&lt;注&gt;", "<注>"},
      {"&apos;&quot;", "'\""},
      {"&amp;lt;", "<"},       // escaped once more: still ends as "<"
      {"&amp;amp;amp;", "&"},  // every new "&amp;" is replaced again
      {"&lt;amp;", "<amp;"},   // "&lt;" comes after "&amp;": no second round
      {"&#65;&AMP;&lt", "&#65;&AMP;&lt"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeXmlEntities(c.in), c.out) << c.in;
}

TEST(DisplayNodeText, PadsOrCutsTheNameTo26BytesAndTheWholeTo255) {
  EXPECT_EQ(DisplayNodeText("abc", "x"), "abc" + std::string(23, ' ') + "x");
  // 15 double-byte characters are 30 bytes: 13 fit into 26.
  std::string name = Sj("写真ファイル日本語名写真ファイル");
  EXPECT_EQ(DisplayNodeText(name, ""), name.substr(0, 26));
  // "a" + 14 double-byte characters: the cut falls inside one, so 25 bytes
  // are kept and a blank fills the 26th.
  std::string odd = "a" + Sj("写真ファイル日本語名写真ファ");
  EXPECT_EQ(DisplayNodeText(odd, "v"), odd.substr(0, 25) + " v");
  std::string value;
  for (int i = 0; i < 150; ++i) value += Sj("値");
  std::string shown = DisplayNodeText("n", value);
  EXPECT_EQ(shown.size(), 254u);  // 255 would split the 115th character
  EXPECT_EQ(shown, "n" + std::string(25, ' ') + value.substr(0, 228));
}

}  // namespace
}  // namespace zor
