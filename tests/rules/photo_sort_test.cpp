#include "rules/photo_sort.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "text/encoding.h"

namespace zor {
namespace {

using ::testing::ElementsAre;

TEST(SortKeyListTest, EntriesByStandard) {
  EXPECT_THAT(SortKeyList(7), ElementsAre("指定無", "代表写真", "写真ファイル日本語名", "写真タイトル", "撮影箇所",
                                          "撮影年月日", "提出頻度写真"));
  EXPECT_THAT(SortKeyList(0), ElementsAre("指定無", "写真整理フラッグ", "写真ファイル日本語名", "写真タイトル",
                                          "撮影箇所", "撮影年月日", "フィルム番号", "コマ番号"));
  EXPECT_EQ(SortKeyList(5).size(), 6u);
  EXPECT_EQ(SortKeyList(10)[1], "写真整理フラッグ");
  for (int v = 0; v <= 13; ++v) {
    const auto list = SortKeyList(v);
    for (std::size_t i = 1; i < list.size(); ++i) EXPECT_NE(SortFieldOfEntry(list[i]), kSortNone) << list[i];
  }
  EXPECT_EQ(SortFieldOfEntry(""), kSortNone);
  EXPECT_EQ(SortFieldOfEntry("指定無"), kSortNone);
  EXPECT_EQ(SortFieldOfEntry("コマ番号"), kSortNegaNum);
}

TEST(SortKeyListTest, KeptSelectionOnRebuild) {
  struct Case {
    int selection, oldVersion, newVersion, newCount, kept;
  } cases[] = {
      {6, 7, 5, 6, -1},  // 提出頻度写真 under standard 5: blank
      {7, 0, 7, 7, 0},   // コマ番号 from standard 0: 指定無
      {6, 0, 7, 7, 0},   // フィルム番号 from standard 0 too
      {6, 0, 0, 8, 6},
      {5, 0, 7, 7, 5},
      {6, 7, 3, 7, 6},
      {-1, 5, 7, 7, -1},  // a blank list stays blank
      {3, 7, 5, 6, 3},
  };
  for (const Case& c : cases)
    EXPECT_EQ(KeptSortSelection(c.selection, c.oldVersion, c.newVersion, c.newCount), c.kept)
        << c.selection << " " << c.oldVersion << "->" << c.newVersion;
}

class PhotoSortTest : public ::testing::Test {
 protected:
  struct Photo {
    int flag;
    const char* date;
    const char* title;
    int filmnum = 0;
    const char* neganum = "";
  };
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = std::filesystem::temp_directory_path() /
           ("zor_sort_" + std::to_string(::getpid()) + "_" + info->test_suite_name() + "_" + info->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    d_.WorkName = Sj(kXmlInputWorkNameUtf8);
    d_.PhotoTable.OpenPhotoTable(true, d_.WorkTableFile(dir_.string() + "/"));
  }
  void TearDown() override {
    d_.Finish();
    std::filesystem::remove_all(dir_);
  }
  TIntList Add(const std::vector<Photo>& photos) {
    TViewDataSet& t = d_.PhotoTable;
    TIntList records;
    for (const Photo& p : photos) {
      const int record = t.RecordCount() + 1;
      t.Append();
      t.SetAsInteger(t.FieldPos.RECORD, record);
      t.SetAsInteger(t.FieldPos.FLAG, p.flag);
      t.SetAsString(t.FieldPos.DATE, p.date);
      t.SetAsString(t.FieldPos.TITLE, Sj(p.title));
      t.SetAsInteger(t.FieldPos.FILMNUM, p.filmnum);
      t.SetAsString(t.FieldPos.NEGANUM, p.neganum);
      t.Post();
      records.push_back(record);
    }
    return records;
  }
  std::filesystem::path dir_;
  Delivery d_;
};

TEST_F(PhotoSortTest, DateDescendingKeepsTies) {
  const TIntList list = Add({{0, "2004-05-01", "a"},
                             {0, "2004-06-01", "b"},
                             {0, "2004-05-01", "c"},
                             {0, "2004-06-01", "d"},
                             {0, "", "e"}});
  EXPECT_THAT(SortRecords(d_, list, {kSortDate}, true), ElementsAre(2, 4, 1, 3, 5));
  EXPECT_THAT(SortRecords(d_, list, {kSortDate}, false), ElementsAre(5, 1, 3, 2, 4));
  // No key at all: the order stays, in both directions.
  EXPECT_THAT(SortRecords(d_, list, {kSortNone, kSortNone}, true), ElementsAre(1, 2, 3, 4, 5));
  // The list may hold records in any order; a second key breaks the ties.
  EXPECT_THAT(SortRecords(d_, {3, 1, 4, 2}, {kSortDate, kSortTitle}, true), ElementsAre(4, 2, 3, 1));
}

TEST_F(PhotoSortTest, NumbersAreRightAligned) {
  const TIntList list = Add({{10, "", "a", 10, "10"}, {1, "", "b", 0, "2"}, {9, "", "c", 9, ""}, {0, "", "d", 1, "1"}});
  EXPECT_THAT(SortRecords(d_, list, {kSortFlag}, false), ElementsAre(4, 2, 3, 1));
  EXPECT_THAT(SortRecords(d_, list, {kSortFilmNum}, false), ElementsAre(2, 4, 3, 1));
  EXPECT_THAT(SortRecords(d_, list, {kSortNegaNum}, false), ElementsAre(3, 4, 2, 1));
  d_.GotoPhotoRecord(4);
  EXPECT_EQ(SortSegment(d_.PhotoTable, kSortFlag), "      ");  // 0 is empty
  d_.GotoPhotoRecord(1);
  EXPECT_EQ(SortSegment(d_.PhotoTable, kSortFlag), "    10");
  EXPECT_EQ(SortSegment(d_.PhotoTable, kSortFilmNum), "      10");
  EXPECT_EQ(SortSegment(d_.PhotoTable, kSortTitle).size(), 254u);
  EXPECT_EQ(SortSegment(d_.PhotoTable, kSortDate), "          ");
  EXPECT_EQ(SortSegment(d_.PhotoTable, kSortNone), "");
}

TEST_F(PhotoSortTest, TitlesCompareAsShiftJisBytes) {
  // かめら 0x82A9.. before カメラ 0x834A.. before ｶﾒﾗ 0xB6..; "ab" before "abc".
  const TIntList list = Add({{0, "", "ｶﾒﾗ"}, {0, "", "カメラ"}, {0, "", "abc"}, {0, "", "かめら"}, {0, "", "ab"}});
  EXPECT_THAT(SortRecords(d_, list, {kSortTitle}, false), ElementsAre(5, 3, 4, 2, 1));
}

}  // namespace
}  // namespace zor
