#include "app/ini_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "temp_folder.h"

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

// Only a regular file is read: a FIFO, a device or a folder in the file's
// place is refused at once, with the reason, instead of hanging or reading
// without end; a missing file is an empty one.
TEST(IniFile, OnlyRegularFilesAreRead) {
  TempFolder tmp;
  const std::string fifo = tmp.path() + "fifo.ini";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::filesystem::create_directory(tmp.path() + "folder.ini");
  WriteBytes(tmp.path() + "ok.ini", "[A]\nk=v\n");
  struct Case {
    std::string path;
    bool read;
    const char* reason;
  } cases[] = {
      {fifo, false, "not a regular file"},
      {"/dev/zero", false, "not a regular file"},
      {tmp.path() + "folder.ini", false, "Is a directory"},
      {tmp.path() + "missing.ini", true, ""},
      {tmp.path() + "ok.ini", true, ""},
  };
  for (const Case& c : cases) {
    std::string error;
    const std::optional<IniFile> ini = IniFile::Load(c.path, &error);
    EXPECT_EQ(ini.has_value(), c.read) << c.path;
    EXPECT_NE(error.find(c.reason), std::string::npos) << c.path << ": " << error;
  }
  EXPECT_EQ(IniFile::Load(tmp.path() + "ok.ini", nullptr)->Get("A", "k"), "v");
}

TEST(IniFile, EmptyTextHasNoLines) {
  IniFile ini = Parsed("");
  EXPECT_EQ(ini.Text(), "");
  ini.Set("S", "K", "v");
  EXPECT_EQ(ini.Text(), "[S]\r\nK=v\r\n");
}

}  // namespace
}  // namespace zor
