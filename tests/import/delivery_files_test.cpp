#include "import/delivery_files.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "import_fixture.h"
#include "text/encoding.h"

namespace zor {
namespace {

namespace fs = std::filesystem;

TEST(DeliveryRoot, IsTheParentOnlyOfAFolderCalledPhoto) {
  EXPECT_EQ(DeliveryRootOf("/d/PHOTO/PHOTO.XML"), "/d/");
  EXPECT_EQ(DeliveryRootOf("/d/photo/PHOTO.XML"), "/d/");
  EXPECT_EQ(DeliveryRootOf("/d/sub/PHOTO.XML"), "/d/sub/");
  // A folder that only ends in the five letters is not the PHOTO folder.
  EXPECT_EQ(DeliveryRootOf("/d/KOJIPHOTO/PHOTO.XML"), "/d/KOJIPHOTO/");
}

TEST(DeliveryNames, SplitIntoComponentsOnDisk) {
  using V = std::vector<std::string>;
  EXPECT_EQ(DeliveryNameComponents(Sj("PHOTO/PIC")), V({"PHOTO", "PIC"}));
  EXPECT_EQ(DeliveryNameComponents(Sj("PHOTO\\PIC")), V({"PHOTO", "PIC"}));
  EXPECT_EQ(DeliveryNameComponents(Sj("./PIC/")), V({"PIC"}));
  EXPECT_EQ(DeliveryNameComponents(Sj("PIC")), V({"PIC"}));
  EXPECT_EQ(DeliveryNameComponents(""), V());
  // The second byte of ソ is 0x5C, the backslash: it must not split.
  EXPECT_EQ(DeliveryNameComponents(Sj("ソフト/写真.JPG")), V({"ソフト", "写真.JPG"}));
}

TEST(DeliveryNames, NeverClimbOutOfTheDelivery) {
  for (const char* name : {"..\\..\\secret.jpg", "../../secret.jpg", "PIC/../../x", ".../x", "a\\..\\..\\b"}) {
    std::optional<std::vector<std::string>> parts = DeliveryNameComponents(Sj(name));
    if (!parts) continue;
    for (const std::string& p : *parts) EXPECT_NE(p, "..") << name;
  }
  EXPECT_FALSE(DeliveryNameComponents(Sj("..\\x")));
}

class FinderTest : public test::ImportTest {};

TEST_F(FinderTest, MatchesNamesIgnoringCase) {
  Picture("d/photo/pic/p0000001.jpg");
  Picture("d/photo/pic/A.JPG");
  Picture("d/photo/pic/a.jpg");
  fs::create_directories(Temp("d/photo/pic/DIR.JPG"));
  DeliveryFileFinder finder;
  const std::string base = Temp("d/");
  EXPECT_EQ(finder.FindFile(base, {"PHOTO", "PIC", "P0000001.JPG"}), Temp("d/photo/pic/p0000001.jpg"));
  // An exact match wins; else the smallest spelling.
  EXPECT_EQ(finder.FindFile(base, {"PHOTO", "PIC", "a.jpg"}), Temp("d/photo/pic/a.jpg"));
  EXPECT_EQ(finder.FindFile(base, {"PHOTO", "PIC", "A.jpg"}), Temp("d/photo/pic/A.JPG"));
  EXPECT_FALSE(finder.FindFile(base, {"PHOTO", "PIC", "DIR.JPG"}));
  EXPECT_FALSE(finder.FindFile(base, {"PHOTO", "DRA", "A.JPG"}));
  EXPECT_FALSE(finder.FindFile(base, {}));
}

TEST_F(FinderTest, FindsSubfoldersIgnoringCaseAndOnlyInside) {
  Picture("d/photo/pic/A.JPG");
  fs::create_directories(Temp("elsewhere"));
  fs::create_directory_symlink(Temp("elsewhere"), Temp("d/photo/out"));
  DeliveryFileFinder finder;
  const std::string base = Temp("d/");
  EXPECT_EQ(finder.FindSubfolder(base, {"PHOTO", "PIC"}), Temp("d/photo/pic/"));
  EXPECT_FALSE(finder.FindSubfolder(base, {"PHOTO", "PIC", "A.JPG"}));  // a file
  EXPECT_FALSE(finder.FindSubfolder(base, {"PHOTO", "DRA"}));
  EXPECT_FALSE(finder.FindSubfolder(base, {"PHOTO", "OUT"}));  // a link to a folder outside
  EXPECT_FALSE(finder.FindSubfolder(base, {}));                 // the delivery itself
}

TEST_F(FinderTest, WorkCopyReplacesAReadOnlyCopy) {
  const std::string source = Picture("src/P1.Jpg");
  fs::create_directories(Temp("work"));
  const std::string old = Temp("work/P0000012.Jpg");
  std::ofstream(old) << "old";
  fs::permissions(old, fs::perms::owner_read);
  std::optional<std::string> copy = MakeWorkCopy(source, Temp("work/"), 12);
  ASSERT_TRUE(copy);
  EXPECT_EQ(*copy, old);
  EXPECT_EQ(fs::file_size(*copy), fs::file_size(source));
  EXPECT_NE(fs::status(*copy).permissions() & fs::perms::owner_write, fs::perms::none);
  EXPECT_FALSE(MakeWorkCopy(Temp("src/missing.jpg"), Temp("work/"), 13));
}

TEST(RecordFileName, RefusesPathsTheFieldCannotHoldWhole) {
  EXPECT_EQ(RecordFileName("/d/写真.JPG"), Sj("/d/写真.JPG"));
  EXPECT_FALSE(RecordFileName("/d/" + std::string(253, 'a')));
  EXPECT_TRUE(RecordFileName("/d/" + std::string(252, 'a')));
  EXPECT_FALSE(RecordFileName("/home/m\xC3\xBCller/P.JPG"));  // ü has no code page 932 form
}

}  // namespace
}  // namespace zor
