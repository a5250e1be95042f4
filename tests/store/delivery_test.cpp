#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "store/delivery.h"
#include "store_fixture.h"
#include "text/encoding.h"

namespace zor {
namespace {

class DeliveryTest : public ScratchDir {
 protected:
  // A load in outline: the work table re-created, the tree built, one photo
  // per title.
  void Load(Delivery& d, const std::vector<std::string>& titles) {
    d.WorkName = Sj(kXmlInputWorkNameUtf8);
    d.PhotoTable.OpenPhotoTable(true, d.WorkTableFile(Folder()));
    d.BuildTreeSkeleton();
    d.ResetPhotoBlocks();
    int record = 0;
    for (const std::string& title : titles) {
      d.PhotoTable.Append();
      d.PhotoTable.SetAsInteger(d.PhotoTable.FieldPos.RECORD, ++record);
      d.PhotoTable.SetAsString(d.PhotoTable.FieldPos.TITLE, title);
      d.PhotoTable.Post();
      d.Tree.AddToHierarchy(*d.Tree.ConstructionNode(), {Sj("工事"), Sj("施工状況写真")}, record);
    }
  }
};

TEST_F(DeliveryTest, StartsEmpty) {
  Delivery d;
  EXPECT_EQ(d.DigiVersion, 7);
  EXPECT_FALSE(d.IndexLoaded);
  EXPECT_FALSE(d.PreviousIndexLoaded);
  EXPECT_TRUE(d.WorkName.empty());
  EXPECT_FALSE(d.PhotoTable.Active());
  EXPECT_EQ(d.Tree.NodeCount(), 0);
  EXPECT_EQ(d.PhotoBasicInfo.DtdVersion, "05");
  d.BuildTreeSkeleton();  // no table: nothing to build from
  EXPECT_EQ(d.Tree.NodeCount(), 0);
}

TEST_F(DeliveryTest, TwoLoadsLeaveOneFileWithTheSecond) {
  Delivery d;
  Load(d, {"a1", "a2", "a3"});
  Load(d, {"b1"});
  d.Finish();
  EXPECT_TRUE(d.WorkName.empty());
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir_)) names.push_back(e.path().filename().string());
  EXPECT_EQ(names, (std::vector<std::string>{"ＸＭＬ入力.DAT"}));

  // After a normal end the file opens with every check passing.
  TViewDataSet t;
  t.OpenPhotoTable(false, Folder() + "ＸＭＬ入力.DAT");
  EXPECT_EQ(t.RecordCount(), 1);
  EXPECT_EQ(t.AsString(t.FieldPos.TITLE), "b1");
}

TEST_F(DeliveryTest, ExistingRecordsGoToTheUnclassifiedNode) {
  Delivery d;
  Load(d, {"a1", "a2"});
  d.BuildTreeSkeleton();
  EXPECT_EQ(d.Tree.UnclassifiedNode()->Records(), (TIntList{1, 2}));
  EXPECT_EQ(d.Tree.ConstructionNode()->ChildCount(), 0);
}

TEST_F(DeliveryTest, DrawingListRoundTrip) {
  Delivery d;
  Load(d, {"photo", "drawing"});
  ASSERT_TRUE(d.GotoPhotoRecord(1));
  d.PhotoTable.Edit();
  d.DrawingRecordList = {2};
  d.StoreDrawingList();
  d.PhotoTable.Post();
  d.DrawingRecordList.clear();
  EXPECT_EQ(d.LoadDrawingList(1), 2);
  EXPECT_EQ(d.DrawingRecordList, (TIntList{2}));
  EXPECT_EQ(d.LoadDrawingList(2), 1);
  EXPECT_TRUE(d.DrawingRecordList.empty());
}

}  // namespace
}  // namespace zor
