#include "app/folders.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "temp_folder.h"

namespace zor {
namespace {

namespace fs = std::filesystem;

TEST(ComputeFolders, LinuxMappingAndCreation) {
  TempFolder tmp;
  const std::string prog = tmp.path() + "prog";  // no trailing slash on purpose
  fs::create_directories(prog);
  std::string error = "stale";
  Folders f = ComputeFolders(prog, tmp.path() + "xdg/", "/nonexistent-home", &error);
  EXPECT_EQ(error, "");
  const std::string user = tmp.path() + "xdg/TALMO/TempFiles/ZORVIEW/";
  EXPECT_EQ(f.program, prog + "/");
  EXPECT_EQ(f.dataRoot, tmp.path() + "xdg/");
  EXPECT_EQ(f.userData, user);
  EXPECT_EQ(f.viewTemp, user + "TEMP_V/");
  EXPECT_EQ(f.graphicTemp, user + "TEMP_G/");
  EXPECT_EQ(f.sysFile, prog + "/");  // no SYSFILE beside the program
  EXPECT_EQ(f.settings, user);
  EXPECT_EQ(f.workData, user);
  for (const std::string& folder : {f.userData, f.viewTemp, f.graphicTemp}) EXPECT_TRUE(fs::is_directory(folder));

  fs::create_directories(prog + "/SYSFILE");
  EXPECT_EQ(ComputeFolders(prog, tmp.path() + "xdg", "").sysFile, prog + "/SYSFILE/");
}

// The build tree keeps SYSFILE and help beside the program; an installed
// program in PREFIX/bin finds them in PREFIX/share/zorview.
TEST(ComputeFolders, SystemFilesInTheBuildTreeOrAnInstalledPrefix) {
  struct Case {
    const char* name;
    std::vector<std::string> made;  // folders made under the temporary root
    std::string systemData, sysFile, help;
  };
  const std::vector<Case> cases = {
      {"build tree", {"bin/SYSFILE", "bin/help"}, "bin/", "bin/SYSFILE/", "bin/help/"},
      {"installed",
       {"share/zorview/SYSFILE", "share/zorview/help"},
       "share/zorview/",
       "share/zorview/SYSFILE/",
       "share/zorview/help/"},
      {"both: the build tree wins", {"bin/SYSFILE", "share/zorview/SYSFILE"}, "bin/", "bin/SYSFILE/", "bin/help/"},
      {"installed without help pages",
       {"share/zorview/SYSFILE"},
       "share/zorview/",
       "share/zorview/SYSFILE/",
       "share/zorview/help/"},
      {"installed without SYSFILE", {"share/zorview/help"}, "share/zorview/", "bin/", "share/zorview/help/"},
      {"neither", {}, "bin/", "bin/", "bin/help/"},
  };
  for (const Case& c : cases) {
    TempFolder tmp;
    fs::create_directories(tmp.path() + "bin");
    for (const std::string& folder : c.made) fs::create_directories(tmp.path() + folder);
    Folders f = ComputeFolders(tmp.path() + "bin", tmp.path() + "xdg", "");
    EXPECT_EQ(f.systemData, tmp.path() + c.systemData) << c.name;
    EXPECT_EQ(f.sysFile, tmp.path() + c.sysFile) << c.name;
    EXPECT_EQ(f.help, tmp.path() + c.help) << c.name;
  }
}

TEST(ComputeFolders, DataRootFallsBackToHome) {
  TempFolder tmp;
  struct Case {
    std::string xdg, expected_root;
  } cases[] = {
      {"", tmp.path() + "home/.local/share/"},
      {"relative/dir", tmp.path() + "home/.local/share/"},  // a relative value is ignored
      {tmp.path() + "abs", tmp.path() + "abs/"},
  };
  for (const Case& c : cases) {
    Folders f = ComputeFolders(tmp.path() + "prog", c.xdg, tmp.path() + "home");
    EXPECT_EQ(f.dataRoot, c.expected_root) << c.xdg;
    EXPECT_TRUE(fs::is_directory(f.viewTemp)) << c.xdg;
  }
}

TEST(ComputeFolders, CreationFailureIsReportedNotFatal) {
  TempFolder tmp;
  WriteBytes(tmp.path() + "file", "x");  // a file where a folder should be
  std::string error;
  Folders f = ComputeFolders(tmp.path(), tmp.path() + "file", "", &error);
  EXPECT_EQ(f.userData, tmp.path() + "file/TALMO/TempFiles/ZORVIEW/");
  EXPECT_NE(error.find("TEMP_V"), std::string::npos) << error;
}

TEST(ComputeFolders, WithoutMakingFoldersCreatesNothing) {
  TempFolder tmp;
  std::string error = "stale";
  Folders f = ComputeFolders(tmp.path() + "prog", tmp.path() + "xdg", "", &error, false);
  EXPECT_EQ(f.viewTemp, tmp.path() + "xdg/TALMO/TempFiles/ZORVIEW/TEMP_V/");
  EXPECT_TRUE(error.empty()) << error;
  EXPECT_FALSE(fs::exists(tmp.path() + "xdg"));
  // Made later when the folders are needed after all.
  EXPECT_EQ(MakeUserFolders(f), "");
  EXPECT_TRUE(fs::is_directory(f.graphicTemp));
}

TEST(ComputeFolders, FromEnvironmentUsesTheExecutableAndXdg) {
  TempFolder tmp;
  const char* old = std::getenv("XDG_DATA_HOME");
  std::string saved = old ? old : "";
  setenv("XDG_DATA_HOME", tmp.path().c_str(), 1);
  Folders f = ComputeFoldersFromEnvironment("ignored");
  if (old)
    setenv("XDG_DATA_HOME", saved.c_str(), 1);
  else
    unsetenv("XDG_DATA_HOME");

  EXPECT_EQ(f.program, fs::read_symlink("/proc/self/exe").parent_path().string() + "/");
  EXPECT_EQ(f.dataRoot, tmp.path());
  EXPECT_TRUE(fs::is_directory(tmp.path() + "TALMO/TempFiles/ZORVIEW/TEMP_G"));
}

// A delivery names PHOTO/PIC/P0000001.JPG; the disc shows it in lower case.
TEST(ResolveCaseInsensitive, FindsEachComponentIgnoringCase) {
  TempFolder tmp;
  fs::create_directories(tmp.path() + "photo/pic");
  WriteBytes(tmp.path() + "photo/pic/p0000001.jpg", "");
  WriteBytes(tmp.path() + "photo/PHOTO.XML", "");
  WriteBytes(tmp.path() + "photo/photo.xml", "");
  WriteBytes(tmp.path() + "photo/写真.JPG", "");
  const std::string root = tmp.path();
  struct Case {
    std::string dir, name;
    std::optional<std::string> found;
  } cases[] = {
      {root, "PHOTO/PIC/P0000001.JPG", root + "photo/pic/p0000001.jpg"},
      {root + "PHOTO", "pic/P0000001.jpg", std::nullopt},  // the folder itself must exist as given
      {root + "photo", "PIC//./P0000001.JPG", root + "photo/pic/p0000001.jpg"},
      {root + "photo/", "Photo.Xml", root + "photo/PHOTO.XML"},  // smallest of several variants
      {root + "photo/", "photo.xml", root + "photo/photo.xml"},  // an exact match wins
      {root + "photo", "写真.jpg", root + "photo/写真.JPG"},
      {root + "photo", "PIC/P0000002.JPG", std::nullopt},
      {root + "photo", "PIC/P0000001.JPG/X", std::nullopt},
      {root + "photo", "", root + "photo/"},
  };
  for (const Case& c : cases) EXPECT_EQ(ResolveCaseInsensitive(c.dir, c.name), c.found) << c.dir << " " << c.name;
}

}  // namespace
}  // namespace zor
