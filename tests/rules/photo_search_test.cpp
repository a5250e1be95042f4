#include "rules/photo_search.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "rules/text_rules.h"
#include "text/encoding.h"

namespace zor {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> Texts(const std::vector<SearchKeyEntry>& list) {
  std::vector<std::string> texts;
  for (const SearchKeyEntry& e : list) texts.push_back(e.text);
  return texts;
}

std::vector<int> Keys(const std::vector<SearchKeyEntry>& list) {
  std::vector<int> keys;
  for (const SearchKeyEntry& e : list) keys.push_back(e.key);
  return keys;
}

TEST(SearchKeyListTest, Standard7InBothModes) {
  const auto list = SearchKeyList(7, true, "2026-12-10");
  EXPECT_THAT(Texts(list), ElementsAre("代表写真(例:0,1)", "ファイル日本語名", "タイトル", "撮影箇所",
                                       "写真/撮影年月日 (例:2026-12-10)", "提出頻度写真(例:0,1)"));
  EXPECT_THAT(Keys(list), ElementsAre(1, 2, 3, 4, 5, 6));
  const auto move = SearchKeyList(7, false, "2026-12-10");
  EXPECT_THAT(Keys(move), ElementsAre(0, 1, 2, 3, 4, 5, 6));
  EXPECT_EQ(move[0].text, "工事階層/工事フォルダ");
}

TEST(SearchKeyListTest, Standard0And5) {
  const auto zero = SearchKeyList(0, false, "2026-12-10");
  EXPECT_THAT(Texts(zero), ElementsAre("工事階層/工事フォルダ", "写真整理フラッグ (例:0～99)", "ファイル日本語名",
                                       "タイトル", "撮影箇所", "写真/撮影年月日 (例:2026-12-10)", "フィルム番号",
                                       "コマ番号"));
  EXPECT_THAT(Keys(SearchKeyList(0, true, "x")), ElementsAre(1, 2, 3, 4, 5, 6, 7));
  EXPECT_THAT(Keys(SearchKeyList(5, true, "x")), ElementsAre(1, 2, 3, 4, 5));
  EXPECT_EQ(SearchKeyList(10, true, "x")[0].text, "写真整理フラッグ (例:0～99)");
  EXPECT_EQ(SearchKeyList(12, true, "x")[0].text, "代表写真(例:0,1)");
}

TEST(SearchKeyListTest, SortAndDirectionLists) {
  EXPECT_THAT(SearchSortList(7), ElementsAre("無 (工事階層順)", "代表写真", "ファイル日本語名", "タイトル", "撮影箇所",
                                             "撮影年月日", "提出頻度写真"));
  EXPECT_THAT(SearchSortList(0), ElementsAre("無 (工事階層順)", "写真整理フラッグ", "ファイル日本語名", "タイトル",
                                             "撮影箇所", "撮影年月日", "フィルム番号", "コマ番号"));
  EXPECT_EQ(SearchSortList(13).size(), 6u);
  EXPECT_THAT(SearchDirectionList(true), ElementsAre("先頭から", "現在階層から下に"));
  EXPECT_THAT(SearchDirectionList(false), ElementsAre("先頭から", "現在位置から下に", "現在位置から上に"));
}

TEST(SearchKeyListTest, KeptEntryOnRebuild) {
  struct Case {
    int old, count, version, kept;
  } cases[] = {
      {3, 6, 7, 3},  // kept by position
      {6, 7, 0, 6},  // standard 0 keeps the seventh entry
      {7, 8, 0, 7},
      {6, 7, 7, 0},  // beyond the sixth under another standard: the first
      {5, 5, 5, 4},  // beyond the end: the last
      {5, 6, 5, 5},
      {-1, 6, 7, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(KeptSearchEntry(c.old, c.count, c.version), c.kept) << c.old << " " << c.version;
}

TEST(SearchMatchTest, CompactDateAndNumbers) {
  EXPECT_EQ(CompactDate("2004-05-01"), "20040501");
  EXPECT_EQ(CompactDate("2004/5/3"), "2004/5/3");
  EXPECT_EQ(CompactDate(""), "");
  // Dates read as their leading number: 2004/5/3 is 2004, below the range.
  EXPECT_TRUE(ValueMatches("20040501", kSeekDate, 0, "20040501", "20040531"));
  EXPECT_TRUE(ValueMatches("20040531", kSeekDate, 0, "20040501", "20040531"));
  EXPECT_FALSE(ValueMatches("20040601", kSeekDate, 0, "20040501", "20040531"));
  EXPECT_FALSE(ValueMatches("2004/5/3", kSeekDate, 0, "20040501", "20040531"));
  EXPECT_TRUE(ValueMatches("", kSeekDate, 0, "", "20040531"));  // an empty date is 0
  EXPECT_TRUE(ValueMatches("3", kSeekFlag, 0, "1", ""));
  EXPECT_FALSE(ValueMatches("0", kSeekFlag, 0, "1", ""));
  EXPECT_TRUE(ValueMatches("anything", kSeekTitle, 0, "", ""));
}

TEST(SearchMatchTest, TextMethodsCompareNormalisedValues) {
  const std::string kamera = NormalizeForSearch(Sj("ｶﾒﾗ"));
  EXPECT_TRUE(ValueMatches(Sj("デジタルカメラ撮影"), kSeekTitle, kMatchContains, kamera, ""));
  EXPECT_TRUE(ValueMatches(Sj("かめら"), kSeekTitle, kMatchEqual, kamera, ""));
  EXPECT_FALSE(ValueMatches(Sj("デジタルカメラ"), kSeekTitle, kMatchEqual, kamera, ""));
  EXPECT_FALSE(ValueMatches(Sj("デジタルカメラ"), kSeekTitle, kMatchStart, kamera, ""));
  EXPECT_TRUE(ValueMatches(Sj("カメラ台"), kSeekTitle, kMatchStart, kamera, ""));
  EXPECT_TRUE(ValueMatches(Sj("ｔｉｔｌｅ"), kSeekKasyo, kMatchEqual, NormalizeForSearch("Title"), ""));
  // ｶ is the byte 0xB6, the second byte of 亳 (0x98 0xB6): no match inside a character.
  EXPECT_FALSE(ValueMatches(Sj("亳州"), kSeekTitle, kMatchContains, NormalizeForSearch(Sj("ｶ")), ""));
}

// A delivery filled by hand: photos with the fields the search reads.
class PhotoSearchTest : public ::testing::Test {
 protected:
  struct Photo {
    const char* title;
    HierarchyPath path;  // UTF-8
    int flag = 0;
    const char* date = "";
  };

  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = std::filesystem::temp_directory_path() /
           ("zor_search_" + std::to_string(::getpid()) + "_" + info->test_suite_name() + "_" + info->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    d_.WorkName = Sj(kXmlInputWorkNameUtf8);
    d_.PhotoTable.OpenPhotoTable(true, d_.WorkTableFile(dir_.string() + "/"));
    d_.BuildTreeSkeleton();
  }
  void TearDown() override {
    d_.Finish();
    std::filesystem::remove_all(dir_);
  }

  void Add(const std::vector<Photo>& photos) {
    TViewDataSet& t = d_.PhotoTable;
    for (const Photo& p : photos) {
      const int record = t.RecordCount() + 1;
      t.Append();
      t.SetAsInteger(t.FieldPos.RECORD, record);
      t.SetAsString(t.FieldPos.TITLE, Sj(p.title));
      t.SetAsInteger(t.FieldPos.FLAG, p.flag);
      t.SetAsString(t.FieldPos.DATE, p.date);
      t.Post();
      HierarchyPath path;
      for (std::size_t i = 0; i < path.size(); ++i) path[i] = Sj(p.path[i]);
      d_.Tree.AddToHierarchy(*d_.Tree.ConstructionNode(), path, record);
    }
  }
  int IndexOf(const HierarchyNode* node) const {
    const auto nodes = d_.Tree.Nodes();
    for (std::size_t i = 0; i < nodes.size(); ++i)
      if (nodes[i] == node) return static_cast<int>(i);
    return -1;
  }
  HierarchyNode* Node(std::initializer_list<const char*> path) const {
    HierarchyNode* n = d_.Tree.ConstructionNode();
    for (const char* c : path) n = n ? n->FindChild(Sj(c)) : nullptr;
    return n;
  }

  std::filesystem::path dir_;
  Delivery d_;
  Host host_;
};

TEST_F(PhotoSearchTest, ListModeByTitleDateAndFlag) {
  Add({{"カメラ", {"工事", "施工状況写真"}, 1, "2004-05-01"},
       {"かめら", {"工事", "施工状況写真"}, 0, "2004-05-31"},
       {"ケーキ", {"工事", "施工状況写真"}, 2, "2004/5/3"},
       {"ｶﾒﾗ台", {"工事", "品質管理写真"}, 0, ""},
       {"カメラ", {"工事", "品質管理写真"}, 1, "2004-06-01"}});
  SearchCondition c;
  c.key = kSeekTitle;
  c.method = kMatchContains;
  EXPECT_THAT(SearchList(d_, nullptr, c, Sj("ｶﾒﾗ"), "", host_), ElementsAre(1, 2, 4, 5));
  c.key = kSeekDate;
  EXPECT_THAT(SearchList(d_, nullptr, c, "20040501", "20040531", host_), ElementsAre(1, 2));
  // An empty DATE never matches in list mode, even below an upper bound.
  EXPECT_THAT(SearchList(d_, nullptr, c, "", "20040531", host_), ElementsAre(1, 2, 3));
  c.key = kSeekFlag;
  EXPECT_THAT(SearchList(d_, nullptr, c, "1", "", host_), ElementsAre(1, 3, 5));  // 1:代表写真
  EXPECT_THAT(SearchList(d_, nullptr, c, "0", "", host_), ElementsAre(1, 2, 3, 4, 5));  // 0:設定しない
  // Sorted by the result key, stably.
  c.sortKey = kSeekFlag;
  EXPECT_THAT(SearchList(d_, nullptr, c, "0", "", host_), ElementsAre(2, 4, 1, 5, 3));
  c.sortKey = kSeekTitle;
  c.key = kSeekTitle;
  EXPECT_THAT(SearchList(d_, nullptr, c, "", "", host_), ElementsAre(2, 1, 5, 3, 4));
}

TEST_F(PhotoSearchTest, ListModeBelowTheSelectedNodeAndLevelBounds) {
  Add({{"a", {"工事", "施工状況写真", "道路土工"}},
       {"b", {"工事", "品質管理写真", "道路土工"}},
       {"c", {"工事", "品質管理写真"}},
       {"d", {"工事", "施工状況写真"}}});
  SearchCondition c;
  c.direction = 1;
  HierarchyNode* quality = Node({"工事", "品質管理写真"});
  ASSERT_NE(quality, nullptr);
  EXPECT_THAT(SearchList(d_, quality, c, "", "", host_), ElementsAre(3, 2));
  c.direction = 0;
  EXPECT_THAT(SearchList(d_, quality, c, "", "", host_), ElementsAre(4, 1, 3, 2));
  c.levelFrom = 3;
  EXPECT_THAT(SearchList(d_, nullptr, c, "", "", host_), ElementsAre(1, 2));
  c.levelFrom = -1;
  c.levelTo = 2;
  EXPECT_THAT(SearchList(d_, nullptr, c, "", "", host_), ElementsAre(4, 3));
}

TEST_F(PhotoSearchTest, ListModeSkipsUnclassifiedAndMissingRecords) {
  Add({{"a", {"工事", "施工状況写真"}}});
  d_.Tree.UnclassifiedNode()->Records().push_back(1);
  Node({"工事", "施工状況写真"})->Records().push_back(99);
  SearchCondition c;
  EXPECT_THAT(SearchList(d_, nullptr, c, "", "", host_), ElementsAre(1));
}

TEST_F(PhotoSearchTest, MoveModeStepsThroughMatches) {
  Add({{"カメラ1", {"工事", "施工状況写真"}},
       {"別", {"工事", "施工状況写真"}},
       {"カメラ2", {"工事", "施工状況写真"}},
       {"カメラ3", {"工事", "品質管理写真"}}});
  SearchCondition c;
  c.key = kSeekTitle;
  c.direction = 1;
  const int works = IndexOf(Node({"工事", "施工状況写真"}));
  const int quality = IndexOf(Node({"工事", "品質管理写真"}));
  TreePosition at{works, 0};
  std::vector<std::pair<int, int>> steps;
  while (auto hit = SearchNextPhoto(d_, c, Sj("カメラ"), "", at)) {
    steps.emplace_back(hit->node, hit->index);
    at = *hit;
    ASSERT_LT(steps.size(), 10u);
  }
  EXPECT_THAT(steps, ElementsAre(std::pair{works, 2}, std::pair{quality, 0}));
  // Backward from the last photo of the first node.
  c.direction = 2;
  auto back = SearchNextPhoto(d_, c, Sj("カメラ"), "", TreePosition{works, 2});
  ASSERT_TRUE(back);
  EXPECT_EQ(back->index, 0);
  // No focus: backward starts with the node's last photo; no node: the last node.
  back = SearchNextPhoto(d_, c, Sj("カメラ"), "", TreePosition{works, -1});
  ASSERT_TRUE(back);
  EXPECT_EQ(back->index, 2);
  back = SearchNextPhoto(d_, c, Sj("カメラ"), "", TreePosition{});
  ASSERT_TRUE(back);
  EXPECT_EQ(back->node, quality);
  // From the top, whatever the position.
  c.direction = 0;
  auto top = SearchNextPhoto(d_, c, Sj("カメラ"), "", TreePosition{quality, 0});
  ASSERT_TRUE(top);
  EXPECT_EQ(top->node, works);
  EXPECT_EQ(top->index, 0);
}

TEST_F(PhotoSearchTest, MoveModeEmptyDateMatchesAnUpperBound) {
  Add({{"a", {"工事", "施工状況写真"}, 0, "2004-07-01"}, {"b", {"工事", "施工状況写真"}, 0, ""}});
  SearchCondition c;
  c.key = kSeekDate;
  c.direction = 0;
  auto hit = SearchNextPhoto(d_, c, "", "20040531", TreePosition{});
  ASSERT_TRUE(hit);
  EXPECT_EQ(hit->index, 1);
  EXPECT_FALSE(SearchNextPhoto(d_, c, "20040501", "20040531", TreePosition{}));
}

TEST_F(PhotoSearchTest, NodeCaptionsWithinLevelsAndClampedAtTheEnds) {
  Add({{"a", {"工事", "施工状況写真", "道路土工"}}, {"b", {"工事", "品質管理写真"}}});
  // Nodes: 0 未分類, 1 工事写真, 2 工事, 3 施工状況写真, 4 道路土工, 5 品質管理写真.
  SearchCondition c;
  c.method = kMatchContains;
  c.direction = 1;
  c.levelFrom = 2;
  c.levelTo = 2;
  EXPECT_EQ(SearchNextNode(d_.Tree, c, "", 3), std::optional<int>(5));
  EXPECT_EQ(SearchNextNode(d_.Tree, c, "", -1), std::optional<int>(3));
  EXPECT_EQ(SearchNextNode(d_.Tree, c, "", 5), std::optional<int>(5));  // the last node itself
  c.direction = 2;
  EXPECT_EQ(SearchNextNode(d_.Tree, c, "", 5), std::optional<int>(3));
  c.levelFrom = c.levelTo = -1;
  EXPECT_EQ(SearchNextNode(d_.Tree, c, "", 0), std::optional<int>(0));  // the first node itself
  c.direction = 0;
  EXPECT_EQ(SearchNextNode(d_.Tree, c, Sj("品質"), 5), std::optional<int>(5));
  c.method = kMatchEqual;
  EXPECT_EQ(SearchNextNode(d_.Tree, c, Sj("品質"), 5), std::nullopt);
  EXPECT_EQ(SearchNextNode(HierarchyTree(), c, "", -1), std::nullopt);
}

}  // namespace
}  // namespace zor
