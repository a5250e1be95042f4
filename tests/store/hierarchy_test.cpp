#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/hierarchy.h"
#include "text/encoding.h"

namespace zor {
namespace {

HierarchyPath P(const char* a, const char* b = "", const char* c = "", const char* d = "", const char* e = "") {
  return {Sj(a), Sj(b), Sj(c), Sj(d), Sj(e)};
}

class HierarchyTest : public ::testing::Test {
 protected:
  void SetUp() override { tree.BuildTreeSkeleton({}); }
  HierarchyNode& Top() { return *tree.ConstructionNode(); }
  HierarchyNode& Add(const HierarchyPath& path, int record) { return tree.AddToHierarchy(Top(), path, record); }
  std::vector<std::string> Captions() {
    std::vector<std::string> out;
    for (HierarchyNode* n : tree.Nodes()) out.push_back(Cp932ToUtf8(n->Caption()) + "@" + std::to_string(n->Level()));
    return out;
  }
  HierarchyTree tree;
};

TEST_F(HierarchyTest, Skeleton) {
  tree.BuildTreeSkeleton({4, 5});
  ASSERT_EQ(tree.NodeCount(), 2);
  EXPECT_EQ(tree.UnclassifiedNode()->Caption(), Sj("未分類(写真フォルダ)"));
  EXPECT_EQ(tree.ConstructionNode()->Caption(), Sj("工事写真"));
  EXPECT_EQ(tree.UnclassifiedNode()->Records(), (TIntList{4, 5}));
  EXPECT_EQ(tree.UnclassifiedNode()->ImageIndex(), 0);
  EXPECT_EQ(tree.ConstructionNode()->ImageIndex(), 2);
  tree.Clear();
  EXPECT_EQ(tree.NodeCount(), 0);
  EXPECT_EQ(tree.FindNodeOfRecord(4), -1);
}

TEST_F(HierarchyTest, SameValuesShareANodeInOrderOfFirstOccurrence) {
  Add(P("工事", "施工状況写真", "舗装工"), 1);
  Add(P("工事", "施工状況写真", "土工"), 2);
  Add(P("工事", "施工状況写真", "舗装工"), 3);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"未分類(写真フォルダ)@0", "工事写真@0", "工事@1", "施工状況写真@2",
                                                  "舗装工@3", "土工@3"}));
  EXPECT_EQ(tree.Nodes()[4]->Records(), (TIntList{1, 3}));
  EXPECT_EQ(tree.FindNodeOfRecord(2), 5);
  EXPECT_EQ(tree.FindNodeOfRecord(3), 4);
  EXPECT_EQ(tree.FindNodeOfRecord(9), -1);
}

TEST_F(HierarchyTest, TheSameValueUnderDifferentParentsGivesDifferentNodes) {
  Add(P("工事", "着手前及び完成写真", "舗装工"), 1);
  Add(P("工事", "施工状況写真", "舗装工"), 2);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"未分類(写真フォルダ)@0", "工事写真@0", "工事@1",
                                                  "着手前及び完成写真@2", "舗装工@3", "施工状況写真@2", "舗装工@3"}));
}

TEST_F(HierarchyTest, CaseOrWidthDifferencesMakeNewSiblings) {
  Add(P("工事", "Ａ"), 1);
  Add(P("工事", "A"), 2);
  Add(P("工事", "a"), 3);
  Add(P("工事", "ｱ"), 4);
  Add(P("工事", "ア"), 5);
  EXPECT_EQ(Top().Child(0).ChildCount(), 5);
}

TEST_F(HierarchyTest, AnEmptyValueStopsThePath) {
  struct Case {
    HierarchyPath path;
    int level;  // where the photo lands
  } cases[] = {
      {P("工事", "", "舗装工"), 1},                        // empty 写真区分: at the major class
      {P("", "", "", "", ""), 0},                          // all empty: at ConstructionNode
      {P("工事", "施工状況写真", "舗装工", "", "細"), 3},  // a detail without a kind is ignored
      {P("工事", "施工状況写真", "舗装工", "表層", "細"), 5},
  };
  int record = 1;
  for (const Case& c : cases) {
    HierarchyNode& at = Add(c.path, record);
    EXPECT_EQ(at.Level(), c.level) << record;
    EXPECT_EQ(at.Records().back(), record);
    ++record;
  }
  EXPECT_EQ(Top().Records(), (TIntList{2}));
}

TEST_F(HierarchyTest, ImagesAndTheInvalidLevelWarning) {
  Add(P("工事", "施工状況写真", "舗装工"), 1);
  HierarchyNode& major = Top().Child(0);
  HierarchyNode& category = major.Child(0);
  EXPECT_FALSE(tree.UpdateNodeImages(Top(), true));
  EXPECT_EQ(Top().ImageIndex(), 2);
  EXPECT_EQ(major.ImageIndex(), 2);     // level 1, empty
  EXPECT_EQ(category.ImageIndex(), 4);  // level 2, empty
  EXPECT_EQ(category.Child(0).ImageIndex(), 7);

  Add(P("工事", "施工状況写真"), 2);
  Add(P("工事"), 3);  // empty 写真区分: level 1 holds a photo
  EXPECT_TRUE(tree.UpdateNodeImages(Top(), true));
  EXPECT_EQ(major.ImageIndex(), 3);
  EXPECT_EQ(category.ImageIndex(), 5);
  // Only the visited nodes count: the level-2 node alone is fine.
  EXPECT_FALSE(tree.UpdateNodeImages(category, true));
  // Without the recursive flag the children are not visited.
  EXPECT_FALSE(tree.UpdateNodeImages(Top(), false));

  tree.BuildTreeSkeleton({7});
  Add(P(""), 1);  // all empty: at ConstructionNode itself
  EXPECT_TRUE(tree.UpdateNodeImages(Top(), true));
  EXPECT_EQ(Top().ImageIndex(), 3);
  // Photos of UnclassifiedNode never warn.
  EXPECT_FALSE(tree.UpdateNodeImages(*tree.UnclassifiedNode(), true));
  EXPECT_EQ(tree.UnclassifiedNode()->ImageIndex(), 1);
}

TEST_F(HierarchyTest, NodeKinds) {
  Add(P("工事", "施工状況写真"), 1);
  HierarchyNode* major = &Top().Child(0);
  HierarchyNode* category = &major->Child(0);
  EXPECT_FALSE(tree.IsHierarchyNode(nullptr));
  EXPECT_FALSE(tree.IsHierarchyNode(tree.UnclassifiedNode()));
  EXPECT_FALSE(tree.IsHierarchyNode(&Top()));
  EXPECT_TRUE(tree.IsHierarchyNode(major));
  EXPECT_TRUE(tree.IsPhotoLevel(tree.UnclassifiedNode()));
  EXPECT_FALSE(tree.IsPhotoLevel(&Top()));
  EXPECT_FALSE(tree.IsPhotoLevel(major));
  EXPECT_TRUE(tree.IsPhotoLevel(category));
  EXPECT_FALSE(tree.IsPhotoLevel(nullptr));
}

}  // namespace
}  // namespace zor
