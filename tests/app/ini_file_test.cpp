#include "app/ini_file.h"

#include <gtest/gtest.h>

#include <string>

#include "text/encoding.h"

namespace zor {
namespace {

IniFile Parsed(const std::string& bytes) {
  std::string error;
  std::optional<IniFile> ini = IniFile::Parse(bytes, &error);
  EXPECT_TRUE(ini.has_value()) << error;
  return ini.value_or(IniFile());
}

TEST(IniFile, DoubleByteNamesAreNotCutAtTheirSecondByte) {
  // "ゾ" is 0x83 0x5D: its second byte is ']'.
  const std::string zo = Sj("ゾ");
  IniFile ini = Parsed("[" + zo + "]\r\nK=" + zo + "\r\n");
  EXPECT_EQ(ini.Get(zo, "K"), zo);
  EXPECT_EQ(ini.Get("\x83", "K"), std::nullopt);
}

TEST(IniFile, FirstOfDuplicateKeysAndSectionsWins) {
  IniFile ini = Parsed("[S]\r\nK=1\r\nK=2\r\n[T]\r\nK=3\r\n[S]\r\nL=4\r\n");
  EXPECT_EQ(ini.Get("s", "k"), "1");
  EXPECT_EQ(ini.Get("S", "L"), "4");
  ini.Set("S", "K", "9");
  ini.Set("S", "M", "5");
  EXPECT_EQ(ini.Text(), "[S]\r\nK=9\r\nK=2\r\nM=5\r\n[T]\r\nK=3\r\n[S]\r\nL=4\r\n");
}

TEST(IniFile, OddLinesSurviveAndNewSectionsGoToTheEnd) {
  IniFile ini = Parsed("no equals sign\n;K=comment\n[S]\n=no key\nbinary\x01\x02\n[S2]");
  EXPECT_EQ(ini.Get("S", "K"), std::nullopt);
  ini.Set("S2", "A", "x");
  ini.Set("New", "B", "line\r\nbreaks");
  EXPECT_EQ(ini.Text(),
            "no equals sign\r\n;K=comment\r\n[S]\r\n=no key\r\nbinary\x01\x02\r\n[S2]\r\nA=x\r\n\r\n[New]\r\n"
            "B=linebreaks\r\n");
}

TEST(IniFile, EmptyTextHasNoLines) {
  IniFile ini = Parsed("");
  EXPECT_EQ(ini.Text(), "");
  ini.Set("S", "K", "v");
  EXPECT_EQ(ini.Text(), "[S]\r\nK=v\r\n");
}

}  // namespace
}  // namespace zor
