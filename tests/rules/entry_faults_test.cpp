#include "rules/entry_faults.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "rules/verify_entries.h"
#include "text/encoding.h"

namespace zor {
namespace {

using ::testing::ElementsAre;
using Fields = std::vector<std::pair<std::string, std::string>>;  // field name, UTF-8 value

// A delivery of the current construction photo standard filled by hand.
class EntryFaultsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = std::filesystem::temp_directory_path() / ("zor_faults_" + std::to_string(::getpid()) + "_" + info->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    d_.DigiVersion = 7;
    d_.WorkName = Sj(kXmlInputWorkNameUtf8);
    d_.PhotoTable.OpenPhotoTable(true, d_.WorkTableFile(dir_.string() + "/"));
    d_.BuildTreeSkeleton();
    d_.ResetPhotoBlocks();
    d_.IndexLoaded = true;  // the construction items come from the index, not checked here
  }
  void TearDown() override {
    d_.Finish();
    std::filesystem::remove_all(dir_);
  }

  int AddRecord(const Fields& fields, const std::string& name) {
    TViewDataSet& t = d_.PhotoTable;
    const int record = t.RecordCount() + 1;
    t.Append();
    t.SetAsInteger(t.FieldPos.RECORD, record);
    for (const auto& [field, value] : fields) t.SetAsString(FieldPosByName(t, field), Sj(value));
    t.Post();
    d_.Pictures.entries.push_back(ListedPicture{record, false, name, "", false, "", record});
    return record;
  }

  int AddPhoto(const Fields& fields, const HierarchyPath& path = {Sj("工事"), Sj("施工状況写真")}) {
    const int record = AddRecord(fields, "P000000" + std::to_string(d_.PhotoTable.RecordCount() + 1) + ".JPG");
    d_.Tree.AddToHierarchy(*d_.Tree.ConstructionNode(), path, record);
    return record;
  }

  // One line per fault: record, item, value, rule (UTF-8).
  std::vector<std::string> Lines(int scope = kScopeRequired) {
    std::vector<std::string> lines;
    for (const EntryFault& f : ListEntryFaults(d_, scope))
      lines.push_back(std::to_string(f.record) + (f.missing ? " missing " : " wrong ") + Cp932ToUtf8(f.file) + " " +
                      Cp932ToUtf8(f.item) + " [" + Cp932ToUtf8(f.value) + "] " + Cp932ToUtf8(f.rule));
    return lines;
  }

  std::filesystem::path dir_;
  Delivery d_;
};

const Fields kGood = {{"TITLE", "写真"}, {"DATE", "2010-09-01"}};

TEST_F(EntryFaultsTest, AGoodPhotoHasNoFault) {
  AddPhoto(kGood);
  EXPECT_THAT(Lines(), ElementsAre());
}

TEST_F(EntryFaultsTest, EachFaultNamesRecordItemValueAndRule) {
  AddPhoto(kGood);
  AddPhoto({{"DATE", "2010-09-01"}});                      // 写真タイトル missing
  AddPhoto({{"TITLE", "写真"}, {"DATE", "2010-9-1"}});     // not ten bytes
  AddPhoto({{"TITLE", "写真"}, {"DATE", "２０１０-09-01"}});  // full-width digits in a half-width item
  EXPECT_THAT(Lines(), ElementsAre("2 missing P0000002.JPG 写真タイトル [] ◎ 必須の項目が未入力",
                                   "3 wrong P0000003.JPG 撮影年月日 [2010-9-1] 記入規則: "
                                   "月日が１桁の場合は\"0\"を付加して必ず10桁で記入してください (1999-01-01)",
                                   // the record holds the first ten bytes
                                   "4 wrong P0000004.JPG 撮影年月日 [２０１０-0] データ表現「半角英数」に合わない文字がある"));
}

TEST_F(EntryFaultsTest, TheScopeWidensWhatCountsAsMissing) {
  AddPhoto(kGood);  // 撮影箇所 (○) and 工種区分予備 (△) empty
  const auto count = [&](int scope, const char* item) {
    int n = 0;
    for (const EntryFault& f : ListEntryFaults(d_, scope)) n += f.missing && Cp932ToUtf8(f.item) == item;
    return n;
  };
  EXPECT_EQ(count(kScopeRequired, "撮影箇所"), 0);
  EXPECT_EQ(count(kScopeConditional, "撮影箇所"), 1);
  EXPECT_EQ(count(kScopeConditional, "工種区分予備"), 0);
  EXPECT_EQ(count(kScopeOptional, "工種区分予備"), 1);
}

TEST_F(EntryFaultsTest, LongValuesAreShownCut) {
  AddPhoto(kGood, {Sj("工事"), std::string(70, 'A')});
  const std::vector<EntryFault> faults = ListEntryFaults(d_, kScopeRequired);
  ASSERT_FALSE(faults.empty());
  EXPECT_EQ(faults[0].value, std::string(kEntryValueShownBytes, 'A') + Sj("…"));
}

TEST_F(EntryFaultsTest, AHierarchyCaptionOutsideTheAllowedClassesPointsAtItsFirstPhoto) {
  AddPhoto(kGood);
  const int record = AddPhoto(kGood, {Sj("工事"), Sj("施工写真")});
  const std::vector<EntryFault> faults = ListEntryFaults(d_, kScopeRequired);
  ASSERT_EQ(faults.size(), 1u);
  EXPECT_EQ(faults[0].record, record);
  EXPECT_EQ(Cp932ToUtf8(faults[0].item), "写真区分");
  EXPECT_EQ(Cp932ToUtf8(faults[0].value), "施工写真");
  EXPECT_FALSE(faults[0].missing);
  // The verification counts the same node.
  Host quiet;
  EXPECT_EQ(VerifyEntries(d_, kScopeRequired, quiet).counts.level_value, 1);
}

TEST_F(EntryFaultsTest, DrawingsFollowTheirPhoto) {
  const int photo = AddPhoto(kGood);
  const int drawing = AddRecord({{"JFILENAME", "参考図"}}, "D0000002.JPG");  // 参考図タイトル missing
  ASSERT_TRUE(d_.GotoPhotoRecord(photo));
  d_.PhotoTable.Edit();
  d_.DrawingRecordList = TIntList{drawing};
  d_.StoreDrawingList();
  d_.PhotoTable.Post();
  const std::vector<EntryFault> faults = ListEntryFaults(d_, kScopeRequired);
  ASSERT_EQ(faults.size(), 1u);
  EXPECT_EQ(faults[0].record, drawing);
  EXPECT_EQ(faults[0].photo, photo);
  EXPECT_TRUE(faults[0].drawing);
  EXPECT_EQ(faults[0].file, "D0000002.JPG");
  EXPECT_TRUE(faults[0].missing);
}

}  // namespace
}  // namespace zor
