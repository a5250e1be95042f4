// How photos are spread over pages, the navigation lines, drawings, and the
// runs that end early.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "album_fixture.h"

namespace zor {
namespace {

using Lines_ = std::vector<std::string>;
namespace fs = std::filesystem;

const std::string kPrevOnly(int n) { return "<p><a href=\"PAGE" + std::to_string(n - 1) + ".HTM\">前ページ</a></p>"; }
const std::string kBoth(int n) {
  return "<p><a href=\"PAGE" + std::to_string(n - 1) + ".HTM\">前ページ</a> / <a href=\"PAGE" + std::to_string(n + 1) +
         ".HTM\">次ページ</a></p>";
}
const Lines_ kWalkEnd(int n) { return {"</tbody>", "</table>", "</center>", kPrevOnly(n), "</body>", "</html>"}; }

// Titles of the photos on a page, in order.
Lines_ Titles(const Lines_& page) {
  Lines_ titles;
  for (std::size_t i = 0; i + 1 < page.size(); ++i)
    if (page[i].find("<b>写真タイトル</b>") != std::string::npos) titles.push_back(page[i + 1]);
  return titles;
}
std::string Cell(const std::string& v) { return "<td bgcolor=\"#ffffff\">" + v + "</td>"; }

using AlbumLayoutTest = AlbumTest;

TEST_F(AlbumLayoutTest, NoPhotoOutsideTheUnclassifiedNode) {
  AddRecord({{"TITLE", "未分類"}});
  d_.BuildTreeSkeleton();  // the record goes to the unclassified node
  ASSERT_EQ(d_.Tree.UnclassifiedNode()->Records().size(), 1u);
  const AlbumResult result = Write();
  EXPECT_TRUE(result.finished);
  EXPECT_EQ(result.pages, 1);
  EXPECT_EQ(Count(Page(1), "次ページ"), 0);
  EXPECT_EQ(Tail(Page(1), 2), (Lines_{"</body>", "</html>"}));
  EXPECT_FALSE(fs::exists(Album("HTML/PAGE2.HTM")));
  EXPECT_EQ(Count(Lines(Album("HTML/INDEX.HTM")), "<a href="), 1);
  EXPECT_TRUE(fs::is_directory(Album("PIC")) && fs::is_directory(Album("DRA")));
  EXPECT_TRUE(fs::is_empty(Album("PIC")));
  EXPECT_EQ(host_.opened.size(), 1u);
}

// A link put where the album folder goes would send every file elsewhere:
// the run refuses it and writes nothing there.
TEST_F(AlbumLayoutTest, AnAlbumFolderThatIsALinkIsRefused) {
  AddPhotos(1);
  fs::create_directories(dir_ / "elsewhere");
  fs::create_directories(options_.folder.parent_path());
  fs::create_directory_symlink(dir_ / "elsewhere", options_.folder);
  const AlbumResult result = Write();
  EXPECT_FALSE(result.finished);
  EXPECT_NE(result.message.find(Sj("フォルダを作成できませんでした。")), std::string::npos);
  EXPECT_TRUE(fs::is_empty(dir_ / "elsewhere"));
}

// A link left where an album file goes is replaced by the file; what it
// pointed to is not written.
TEST_F(AlbumLayoutTest, LinksInPlaceOfAlbumFilesAreReplacedNotFollowed) {
  WriteBytes(dir_ / "a.jpg", "\xFF\xD8" "a\xFF\xD9");
  AddPhoto({{"TITLE", "a"}, {"FILENAME", (dir_ / "a.jpg").string()}});
  for (const char* name : {"ALBUM.HTM", "HTML/PAGE1.HTM", "HTML/PAGE2.HTM", "HTML/INDEX.HTM", "PIC/P0000001.JPG"}) {
    fs::remove_all(options_.folder);
    fs::create_directories(Album(name).parent_path());
    WriteBytes(dir_ / "outside.txt", "outside");
    fs::create_symlink(dir_ / "outside.txt", Album(name));
    host_ = AlbumHost();
    EXPECT_TRUE(Write().finished) << name;
    EXPECT_EQ(ReadBytes(dir_ / "outside.txt"), "outside") << name;
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(Album(name)))) << name;
  }
}

// The album's folders are held open while it is written: one swapped for a
// link meanwhile does not send the remaining files to the link's target.
TEST_F(AlbumLayoutTest, AFolderSwappedForALinkDuringTheRunIsNotFollowed) {
  WriteBytes(dir_ / "a.jpg", "\xFF\xD8" "a\xFF\xD9");
  for (int i = 1; i <= 3; ++i) AddPhoto({{"TITLE", "a"}, {"FILENAME", (dir_ / "a.jpg").string()}});
  options_.perPage = 1;
  fs::create_directories(dir_ / "elsewhere");
  host_.onProgress = [&](char code, int value) {
    if (code != 'R' || value != 2) return;
    for (const char* folder : {"PIC", "HTML"}) {
      fs::rename(Album(folder), Album(std::string(folder) + "-moved"));
      fs::create_directory_symlink(dir_ / "elsewhere", Album(folder));
    }
  };
  EXPECT_TRUE(Write().finished);
  EXPECT_TRUE(fs::is_empty(dir_ / "elsewhere"));
  for (const char* file : {"PIC-moved/P0000001.JPG", "PIC-moved/P0000003.JPG", "HTML-moved/PAGE4.HTM",
                           "HTML-moved/INDEX.HTM"})
    EXPECT_TRUE(fs::is_regular_file(Album(file))) << file;
}

TEST_F(AlbumLayoutTest, FivePhotosTwoPerPage) {
  AddPhotos(5);
  options_.perPage = 2;
  ASSERT_TRUE(Write().finished);
  EXPECT_EQ(Titles(Page(2)), (Lines_{Cell("写真1"), Cell("写真2")}));
  EXPECT_EQ(Titles(Page(3)), (Lines_{Cell("写真3"), Cell("写真4")}));
  EXPECT_EQ(Titles(Page(4)), (Lines_{Cell("写真5")}));
  // Pages that close inside the walk end with their navigation line only.
  EXPECT_EQ(Page(2).back(), kBoth(2));
  EXPECT_EQ(Page(3).back(), kBoth(3));
  EXPECT_EQ(Tail(Page(4), 6), kWalkEnd(4));
  EXPECT_FALSE(fs::exists(Album("HTML/PAGE5.HTM")));
  EXPECT_EQ(Count(Lines(Album("HTML/INDEX.HTM")), "<a href="), 4);
  EXPECT_EQ(Count(Page(1), "<a href=\"PAGE2.HTM\">次ページ</a>"), 1);
}

TEST_F(AlbumLayoutTest, FourPhotosTwoPerPageCloseInsideTheWalk) {
  AddPhotos(4);
  options_.perPage = 2;
  ASSERT_TRUE(Write().finished);
  EXPECT_EQ(Page(2).back(), kBoth(2));
  EXPECT_EQ(Page(3).back(), kPrevOnly(3));
  EXPECT_EQ(Count(Page(3), "</body>"), 0);
  EXPECT_EQ(Count(Page(3), "</html>"), 0);
  EXPECT_FALSE(fs::exists(Album("HTML/PAGE4.HTM")));
  EXPECT_EQ(Count(Lines(Album("HTML/INDEX.HTM")), "<a href="), 3);
}

TEST_F(AlbumLayoutTest, PhotosPerPageBelowOneCountsAsOne) {
  AddPhotos(2);
  options_.perPage = 0;
  const AlbumResult result = Write();
  ASSERT_TRUE(result.finished);
  EXPECT_EQ(result.pages, 3);
  EXPECT_EQ(Titles(Page(2)), (Lines_{Cell("写真1")}));
  EXPECT_EQ(Titles(Page(3)), (Lines_{Cell("写真2")}));
}

TEST_F(AlbumLayoutTest, NodesInTreeOrderWithTheirPath) {
  AddPhoto({{"TITLE", "b"}}, {"工事", "施工状況写真", "道路土工", "掘削工", "細別"});
  AddPhoto({{"TITLE", "a"}}, {"工事", "着手前及び完成写真"});
  AddPhoto({{"TITLE", "c"}}, {"工事", "施工状況写真", "道路土工", "掘削工", "細別"});
  options_.perPage = 3;
  ASSERT_TRUE(Write().finished);
  const Lines_ page = Page(2);
  EXPECT_EQ(Titles(page), (Lines_{Cell("b"), Cell("c"), Cell("a")}));
  for (const char* label : {"写真-大分類", "写真区分", "工種", "種別", "細別"})
    EXPECT_EQ(Count(page, std::string("<b>") + label + "</b>"),
              label == std::string("写真-大分類") || label == std::string("写真区分") ? 3 : 2)
        << label;
  EXPECT_EQ(Count(page, Cell("掘削工")), 2);
}

TEST_F(AlbumLayoutTest, SkippedAndMissingRecordsTakeAPlace) {
  AddPhoto({{"TITLE", "one"}});
  AddPhoto({{"TITLE", "skipped"}, {"FLAG", "99"}});
  d_.Tree.ConstructionNode()->Child(0).Child(0).Records().push_back(77);  // no such record
  AddPhoto({{"TITLE", "four"}});
  options_.perPage = 2;
  const AlbumResult result = Write();
  ASSERT_TRUE(result.finished);
  EXPECT_EQ(Titles(Page(2)), (Lines_{Cell("one")}));
  EXPECT_EQ(Titles(Page(3)), (Lines_{Cell("four")}));
  EXPECT_EQ(Count(Page(3), "../PIC/P0000002.JPG"), 1);  // serial numbers skip nothing
  EXPECT_EQ(Count(Page(3), Cell("2")), 1);              // シリアル番号
  EXPECT_EQ(result.photos, 2);
  EXPECT_EQ(host_.progress, (Lines_{"S5", "R2", "R3", "R4", "R5", "E0"}));
}

TEST_F(AlbumLayoutTest, ReferenceDrawingsStandAloneWithSanko) {
  AddPhoto({{"TITLE", "A"}});
  const int drawing = AddRecord({{"TITLE", "図面"}, {"JFILENAME", "図面.JPG"}, {"YOBI_FJ", "付加"}});
  AddPhoto({{"TITLE", "B"}}, {"工事", "施工状況写真"}, {drawing});
  AddPhoto({{"TITLE", "C"}});
  options_.perPage = 3;
  options_.sanko = true;
  const AlbumResult result = Write();
  ASSERT_TRUE(result.finished);
  EXPECT_EQ(Titles(Page(2)), (Lines_{Cell("A")}));
  EXPECT_EQ(Page(2).back(), kBoth(2));
  const Lines_ page3 = Page(3);
  EXPECT_EQ(Titles(page3), (Lines_{Cell("B")}));
  EXPECT_EQ(page3.back(), kBoth(3));
  EXPECT_EQ(Count(page3, "<caption align=\"left\">参考図</caption>"), 1);
  EXPECT_EQ(Count(page3, "<img src=\"../DRA/D0000001.JPG\" border=\"2\" hspace=\"5\" vspace=\"5\" width=\"190\">"), 1);
  EXPECT_EQ(Count(page3, "<b>参考図ファイル日本語名</b>"), 1);
  EXPECT_EQ(Count(page3, "<b>参考図タイトル</b>"), 1);
  EXPECT_EQ(Count(page3, "<b>付加情報予備</b>"), 1);
  EXPECT_EQ(Titles(Page(4)), (Lines_{Cell("C")}));
  EXPECT_EQ(Tail(Page(4), 6), kWalkEnd(4));
  EXPECT_EQ(result.drawings, 1);
}

TEST_F(AlbumLayoutTest, WithoutSankoADrawingPhotoSharesItsPage) {
  AddPhoto({{"TITLE", "A"}});
  const int drawing = AddRecord({{"TITLE", "図面"}});
  AddPhoto({{"TITLE", "B"}}, {"工事", "施工状況写真"}, {drawing});
  options_.perPage = 3;
  ASSERT_TRUE(Write().finished);
  EXPECT_EQ(Titles(Page(2)), (Lines_{Cell("A"), Cell("B")}));
}

TEST_F(AlbumLayoutTest, DrawingRowsOfThree) {
  const struct {
    bool zeroAtFour;
    int newRows;
    int drawings;
  } cases[] = {{false, 1, 4}, {true, 0, 3}};
  for (const auto& c : cases) {
    TearDown();
    SetUp();
    TIntList list;
    for (int i = 0; i < 4; ++i) list.push_back(AddRecord({{"TITLE", "図" + std::to_string(i)}}));
    if (c.zeroAtFour) list[3] = 0;
    AddPhoto({{"TITLE", "P"}}, {"工事", "施工状況写真"}, list);
    const AlbumResult result = Write();
    ASSERT_TRUE(result.finished);
    const Lines_ page = Page(2);
    EXPECT_EQ(Count(page, "</tr><tr>"), c.newRows) << c.zeroAtFour;
    EXPECT_EQ(Count(page, "<img src=\"../DRA/"), c.drawings) << c.zeroAtFour;
    EXPECT_EQ(result.drawings, c.drawings);
    // The new row comes right after the third drawing's cell closes.
    if (c.newRows == 1) {
      const auto at = std::find(page.begin(), page.end(), "</tr><tr>");
      EXPECT_EQ(*(at - 1), "</td>");
      EXPECT_EQ(*(at + 1), "<td>");
    }
  }
}

TEST_F(AlbumLayoutTest, APhotoPageThatCannotBeWrittenEndsTheRun) {
  AddPhotos(3);
  options_.perPage = 1;
  fs::create_directories(Album("HTML/PAGE3.HTM"));  // a folder where the page should go
  const AlbumResult result = Write();
  EXPECT_FALSE(result.finished);
  ASSERT_EQ(host_.warnings.size(), 1u);
  EXPECT_NE(host_.warnings[0].find("PAGE3.HTM"), std::string::npos);
  EXPECT_FALSE(result.message.empty());
  // The pages before it stay; nothing after it, no index, no browser.
  EXPECT_EQ(Titles(Page(2)), (Lines_{Cell("写真1")}));
  EXPECT_FALSE(fs::exists(Album("HTML/PAGE4.HTM")));
  EXPECT_FALSE(fs::exists(Album("HTML/INDEX.HTM")));
  EXPECT_TRUE(host_.opened.empty());
  EXPECT_EQ(host_.progress.back(), "E0");
}

TEST_F(AlbumLayoutTest, PicturesReplaceOldCopiesAndMissingOnesAreCounted) {
  WriteBytes(dir_ / "a.jpg", "\xFF\xD8new\xFF\xD9");
  AddPhoto({{"TITLE", "a"}, {"FILENAME", (dir_ / "a.jpg").string()}});
  AddPhoto({{"TITLE", "gone"}, {"FILENAME", (dir_ / "gone.jpg").string()}});
  fs::create_directories(Album("PIC"));
  WriteBytes(Album("PIC/P0000001.JPG"), "old");
  WriteBytes(Album("PIC/P0000002.JPG"), "old");
  fs::permissions(Album("PIC/P0000001.JPG"), fs::perms::owner_read);
  const AlbumResult result = Write();
  ASSERT_TRUE(result.finished);
  EXPECT_EQ(ReadBytes(Album("PIC/P0000001.JPG")), "\xFF\xD8new\xFF\xD9");
  EXPECT_EQ(result.missingPictures, 1);
  EXPECT_EQ(Count(Page(2), "<img src=\"../PIC/P0000002.JPG\""), 1);  // the page still names it
  EXPECT_FALSE(fs::exists(Album("PIC/P0000002.JPG")));               // no stale picture under its name
}

// Every file of the album is checked: a folder that cannot be made or a
// file that cannot be written ends the run with a warning naming it.
TEST_F(AlbumLayoutTest, AFolderOrFileThatCannotBeWrittenEndsTheRun) {
  const struct {
    const char* blocked;  // made a non-empty folder, or a file when it ends in "/"
    bool asFile;
  } cases[] = {
      {"HTML", true}, {"PIC", true}, {"ALBUM.HTM", false}, {"HTML/PAGE1.HTM", false}, {"HTML/INDEX.HTM", false}};
  for (const auto& c : cases) {
    fs::remove_all(options_.folder);
    host_ = AlbumHost();
    fs::create_directories(options_.folder / fs::path(c.blocked).parent_path());
    if (c.asFile) {
      WriteBytes(Album(c.blocked), "x");
    } else {
      fs::create_directories(Album(c.blocked) / "in");
    }
    AddPhotos(1);
    const AlbumResult result = Write();
    EXPECT_FALSE(result.finished) << c.blocked;
    ASSERT_EQ(host_.warnings.size(), 1u) << c.blocked;
    EXPECT_NE(host_.warnings[0].find(Album(c.blocked).string()), std::string::npos) << host_.warnings[0];
    EXPECT_TRUE(host_.opened.empty()) << c.blocked;
  }
}

TEST_F(AlbumLayoutTest, PicturesThatCannotBeWrittenOrConvertedAreCounted) {
  WriteBytes(dir_ / "a.jpg", "\xFF\xD8" "a\xFF\xD9");
  WriteBytes(dir_ / "drawing.pdf", "%PDF-1.4");
  AddPhoto({{"TITLE", "a"}, {"FILENAME", (dir_ / "a.jpg").string()}});
  AddPhoto({{"TITLE", "pdf"}, {"FILENAME", (dir_ / "drawing.pdf").string()}});
  AddPhoto({{"TITLE", "blocked"}, {"FILENAME", (dir_ / "a.jpg").string()}});
  fs::create_directories(Album("PIC/P0000003.JPG/in"));
  const AlbumResult result = Write();
  EXPECT_TRUE(result.finished);
  EXPECT_EQ(result.unchangedPictures, 1);
  EXPECT_EQ(ReadBytes(Album("PIC/P0000002.JPG")), "%PDF-1.4");
  EXPECT_EQ(result.failedPictures, 1);
  EXPECT_EQ(result.failedPicture, Album("PIC/P0000003.JPG").string());
  ASSERT_EQ(host_.warnings.size(), 1u);
  EXPECT_NE(host_.warnings[0].find(Album("PIC/P0000003.JPG").string()), std::string::npos) << host_.warnings[0];
}

}  // namespace
}  // namespace zor

namespace zor {
namespace {

TEST(AlbumInsideFolderTest, FolderItselfAndBelowButNotBesideOrAbove) {
  namespace fs = std::filesystem;
  const fs::path root = fs::temp_directory_path() / ("zor_inside_" + std::to_string(::getpid()));
  fs::remove_all(root);
  fs::create_directories(root / "delivery" / "PHOTO");
  fs::create_directories(root / "delivery-2");
  fs::create_directory_symlink(root / "delivery", root / "link");
  const fs::path delivery = root / "delivery";
  const struct {
    fs::path album;
    fs::path folder;
    bool inside;
  } cases[] = {
      {delivery / "ALBUM", delivery, true},
      {delivery / "PHOTO" / "ALBUM", delivery, true},
      {delivery / "PHOTO" / ".." / "ALBUM", delivery / "", true},
      {root / "link" / "ALBUM", delivery, true},         // through a link
      {delivery / "ALBUM", root / "link", true},         // a delivery opened through a link
      {root / "ALBUM", delivery, false},                 // beside the delivery
      {root / "delivery-2" / "ALBUM", delivery, false},  // a name that only starts alike
      {delivery / ".." / "ALBUM", delivery, false},
      {root / "ALBUM", delivery / "PHOTO", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(AlbumInsideFolder(c.album, c.folder), c.inside) << c.album << " in " << c.folder;
  fs::remove_all(root);
}

}  // namespace
}  // namespace zor
