#include "rules/verify_entries.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "text/encoding.h"

namespace zor {
namespace {

using ::testing::ElementsAre;

// Remembers what the verification asked of the window, in order.
class RecordingHost : public Host {
 public:
  void ReportProgress(char code, int value) override {
    progress.push_back(std::string(1, code) + std::to_string(value));
  }
  int ListMode() const override { return list_mode; }
  void EnterListMode(int kind, const std::vector<std::int32_t>& records) override {
    calls.push_back("enter " + std::to_string(kind));
    list_mode = kind;
    list = records;
  }
  void LeaveListMode() override {
    calls.push_back("leave");
    list_mode = 0;
  }
  void ShowNodePhotos() override { calls.push_back("show node"); }

  int list_mode = 0;
  std::vector<std::int32_t> list;
  std::vector<std::string> calls;
  std::vector<std::string> progress;
};

using Fields = std::vector<std::pair<std::string, std::string>>;  // field name, UTF-8 value

// A delivery filled by hand, as a photo-file load leaves it: a valid
// construction block and photos under 工事/施工状況写真 unless a path is given.
class VerifyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = std::filesystem::temp_directory_path() /
           ("zor_verify_" + std::to_string(::getpid()) + "_" + info->test_suite_name() + "_" + info->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    Reset(7);
  }
  void TearDown() override {
    d_.Finish();
    std::filesystem::remove_all(dir_);
  }

  void Reset(int version) {
    d_.DigiVersion = version;
    d_.WorkName = Sj(kXmlInputWorkNameUtf8);
    d_.PhotoTable.OpenPhotoTable(true, d_.WorkTableFile(dir_.string() + "/"));
    d_.BuildTreeSkeleton();
    d_.ResetPhotoBlocks();
    using enum ContractText;
    for (ContractText f : {MediaReserve, WorkNumber, RiverRouteName, ConstructionName, ConstructionPlace, ClientMajor,
                           ClientMiddle, ClientMinor, ContractorName, ContractorCode, ClientNote, ContractorNote})
      d_.PhotoContractInfo.SetText(f, Sj("記入"));
    d_.PhotoContractInfo.SetText(PeriodStart, "2010-04-01");
    d_.PhotoContractInfo.SetText(PeriodEnd, "2011-03-31");
    d_.PhotoContractInfo.SetText(ClientCode, "12345678");
    d_.PhotoContractInfo.SetOrderYear("2010");
  }

  int AddRecord(const Fields& fields) {
    TViewDataSet& t = d_.PhotoTable;
    const int record = t.RecordCount() + 1;
    t.Append();
    t.SetAsInteger(t.FieldPos.RECORD, record);
    for (const auto& [name, value] : fields) t.SetAsString(FieldPosByName(t, name), Sj(value));
    t.Post();
    return record;
  }

  int AddPhoto(const Fields& fields, const HierarchyPath& path = {Sj("工事"), Sj("施工状況写真")}) {
    const int record = AddRecord(fields);
    d_.Tree.AddToHierarchy(*d_.Tree.ConstructionNode(), path, record);
    return record;
  }

  // A photo with the given drawings; a drawing is its fields.
  int AddPhotoWithDrawings(const Fields& photo, const std::vector<Fields>& drawings) {
    const int record = AddPhoto(photo);
    TIntList list;
    for (const Fields& drawing : drawings) list.push_back(AddRecord(drawing));
    EXPECT_TRUE(d_.GotoPhotoRecord(record));
    d_.PhotoTable.Edit();
    d_.DrawingRecordList = list;
    d_.StoreDrawingList();
    d_.PhotoTable.Post();
    return record;
  }

  VerifyResult Run(int scope) { return VerifyEntries(d_, scope, host_); }

  static std::vector<std::string> Utf8(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const std::string& line : lines) out.push_back(Cp932ToUtf8(line));
    return out;
  }

  std::filesystem::path dir_;
  Delivery d_;
  RecordingHost host_;
};

Fields Without(Fields fields, const std::string& name) {
  std::erase_if(fields, [&](const auto& field) { return field.first == name; });
  return fields;
}

Fields With(Fields fields, const Fields& more) {
  fields.insert(fields.end(), more.begin(), more.end());
  return fields;
}

const Fields kGoodPhoto = {{"TITLE", "写真"}, {"DATE", "2010-09-01"}};

TEST_F(VerifyTest, NothingFaultyGivesTheCleanLineAndLeavesListMode) {
  AddPhoto(kGoodPhoto);
  host_.list_mode = 2;
  VerifyResult r = Run(kScopeRequired);
  EXPECT_TRUE(r.clean);
  EXPECT_TRUE(r.error.empty());
  EXPECT_THAT(Utf8(r.lines), ElementsAre("入力漏れ/入力ミスはありませんでした。"));
  EXPECT_THAT(host_.calls, ElementsAre("leave", "show node"));
  EXPECT_TRUE(r.faulty.empty());
}

TEST_F(VerifyTest, NothingFaultyOutsideListModeTouchesNoList) {
  AddPhoto(kGoodPhoto);
  EXPECT_TRUE(Run(kScopeRequired).clean);
  EXPECT_TRUE(host_.calls.empty());
}

TEST_F(VerifyTest, NoDeliveryReportsOnlyTheEmptyConstructionBlock) {
  Delivery empty;  // DigiVersion 7, nothing loaded
  VerifyResult r = VerifyEntries(empty, kScopeRequired, host_);
  EXPECT_FALSE(r.clean);
  EXPECT_THAT(Utf8(r.lines), ElementsAre("【工事情報】の未入力項目がありました。"));
  EXPECT_THAT(host_.progress, ElementsAre("S0", "E0"));
}

TEST_F(VerifyTest, ProgressMovesOncePerTreeNode) {
  AddPhoto(kGoodPhoto);  // top nodes, 工事, 施工状況写真
  Run(kScopeRequired);
  EXPECT_THAT(host_.progress, ElementsAre("S4", "R1", "R2", "R3", "R4", "E0"));
}

// Photo items that count as missing, by standard and scope.
struct MissingCase {
  int version;
  Fields photo;
  int first_scope;  // the lowest scope that reports the photo; 3: none
};

TEST_F(VerifyTest, PhotoMissingByScope) {
  const Fields title_only = {{"TITLE", "t"}};
  const Fields dated = {{"TITLE", "t"}, {"DATE", "2010-09-01"}};
  const Fields filled_v7 = {{"TITLE", "t"},     {"DATE", "2010-09-01"}, {"KASYO", "k"},     {"KANRI", "k"},
                            {"JFILENAME", "j"}, {"YOBI_KK", "y"},       {"UKEOIBIKOU", "u"}};
  Fields no_negative = filled_v7;
  no_negative.push_back({"FILMNUM", "3"});  // NEGANUM empty
  const MissingCase cases[] = {
      {0, title_only, 1},  // no 撮影箇所 or date: only from scope 1 on in the first standard
      {3, title_only, 0},  // without DATE missing already in scope 0
      {12, title_only, 0},
      {2, title_only, 1},
      {7, {{"DATE", "2010-09-01"}}, 0},  // no title
      {7, dated, 1},                     // no KASYO, KANRI
      {7, filled_v7, 3},
      {0, no_negative, 1},  // NEGANUM counts from scope 1 in version 0 only
      {7, no_negative, 3},
      {7, Without(filled_v7, "JFILENAME"), 2},
      {0, With(Without(filled_v7, "JFILENAME"), {{"FILMNUM", "1"}, {"NEGANUM", "1"}}), 2},  // YOBI_FU and others
  };
  for (const MissingCase& c : cases) {
    for (int scope = 0; scope <= 2; ++scope) {
      SCOPED_TRACE("version " + std::to_string(c.version) + " scope " + std::to_string(scope) + " fields " +
                   std::to_string(c.photo.size()));
      Reset(c.version);
      const int record = AddPhoto(c.photo);
      VerifyResult r = Run(scope);
      const bool expected = scope >= c.first_scope;
      EXPECT_EQ(r.counts.photos_missing, expected ? 1 : 0);
      EXPECT_EQ(r.faulty, expected ? TIntList{record} : TIntList{});
    }
  }
}

TEST_F(VerifyTest, ScopeOneCompletePhotoOfVersionZeroNeedsTheOptionalItemsOnlyInScopeTwo) {
  Reset(0);
  const Fields complete = {{"TITLE", "t"},   {"DATE", "1999-08-01"}, {"KASYO", "k"},   {"KANRI", "k"},
                           {"FILMNUM", "1"}, {"NEGANUM", "1"},       {"YOBI_KK", "y"}, {"UKEOIBIKOU", "u"},
                           {"YOBI_FJ", "y"}, {"YOBI_SJ", "y"},       {"YOBI_SK", "y"}, {"YOBI_JK", "y"},
                           {"YOBI_SO", "y"}, {"YOBI_FU", "y"}};  // HACYUBIKOU empty; JFILENAME not needed in 0
  AddPhoto(complete);
  EXPECT_EQ(Run(kScopeConditional).counts.photos_missing, 0);
  EXPECT_EQ(Run(kScopeOptional).counts.photos_missing, 1);
  Reset(0);
  Fields all = complete;
  all.push_back({"HACYUBIKOU", "h"});
  AddPhoto(all);
  EXPECT_TRUE(Run(kScopeOptional).clean);
}

TEST_F(VerifyTest, ControlValueRuleInVersionsOneAndTenWhateverTheScope) {
  for (int version : {1, 10, 7}) {
    for (int scope = 0; scope <= 2; ++scope) {
      SCOPED_TRACE("version " + std::to_string(version) + " scope " + std::to_string(scope));
      Reset(version);
      AddPhoto({{"TITLE", "t"}, {"DATE", "2010-09-01"}, {"YOBI_SK", "予備"}});
      VerifyResult r = Run(scope);
      EXPECT_EQ(r.counts.kanri_rule, version == 7 ? 0 : 1);
      if (version == 7) continue;
      EXPECT_THAT(r.faulty, ElementsAre(1));
      EXPECT_THAT(Utf8(r.lines), ::testing::Contains("【写真情報】の施工管理値が未入力で施工管理値予備が\r\n"
                                                     "            入力されているものが 1 件ありました。"));
    }
  }
}

TEST_F(VerifyTest, ShortDateIsWrongInEveryScopeAndEmptyIsNot) {
  for (int scope = 0; scope <= 2; ++scope) {
    Reset(0);
    AddPhoto({{"TITLE", "t"}, {"DATE", "2010-1-5"}});
    AddPhoto({{"TITLE", "t"}});
    VerifyResult r = Run(scope);
    EXPECT_EQ(r.counts.photos_wrong, 1) << scope;
    if (scope == 0) {
      EXPECT_THAT(r.faulty, ElementsAre(1));
    }
  }
}

TEST_F(VerifyTest, LineCountsOfVersionZeroReserves) {
  struct Case {
    const char* field;
    const char* value;
    bool wrong;
  };
  const Case cases[] = {
      {"YOBI_KK", "a\r\nb\r\nc\r\nd", true},
      {"YOBI_KK", "a\r\n\r\nb\r\n \r\nc", false},  // empty lines do not count
      {"YOBI_SO", "a\r\nb\r\nc\r\nd", true},
      {"YOBI_SO", "a\r\nb\r\nc", false},
      {"YOBI_SJ", "a\r\nb", true},
      {"YOBI_SK", "a\r\nb", true},
      {"YOBI_SK", "a\nb", false},  // a line feed alone does not cut
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.field) + " " + c.value);
    for (int version : {0, 7}) {
      Reset(version);
      AddPhoto({{"TITLE", "t"}, {"DATE", "2010-09-01"}, {c.field, c.value}});
      EXPECT_EQ(Run(kScopeRequired).counts.photos_wrong, c.wrong && version == 0 ? 1 : 0) << version;
    }
  }
}

TEST_F(VerifyTest, PhotosOnlyInTheUnclassifiedNodeAreNeverReported) {
  const int record = AddRecord({});  // no title, no date
  d_.Tree.UnclassifiedNode()->Records().push_back(record);
  VerifyResult r = Run(kScopeOptional);
  EXPECT_TRUE(r.clean);
}

TEST_F(VerifyTest, RecordsThatAreNotFoundAreSkipped) {
  AddPhoto(kGoodPhoto);
  d_.Tree.ConstructionNode()->Child(0).Child(0).Records().push_back(99);
  const int with_lost_drawing = AddPhotoWithDrawings(kGoodPhoto, {});
  ASSERT_TRUE(d_.GotoPhotoRecord(with_lost_drawing));
  d_.PhotoTable.Edit();
  d_.DrawingRecordList = {77};
  d_.StoreDrawingList();
  d_.PhotoTable.Post();
  EXPECT_TRUE(Run(kScopeRequired).clean);
}

TEST_F(VerifyTest, HierarchyMessageIsRememberedOnce) {
  Reset(2);
  const std::string major = Sj("工事"), cls = Sj("着手前及び完成写真");
  AddPhoto(kGoodPhoto, {major, cls, Sj("土工")});
  AddPhoto(kGoodPhoto, {major, cls, Sj("舗装工")});
  VerifyResult r = Run(kScopeRequired);
  EXPECT_THAT(Utf8(r.lines), ElementsAre("【工事階層】", "写真区分『着手前及び完成写真』に工種は登録できません"));
  EXPECT_TRUE(r.messages[0]);
  EXPECT_FALSE(r.clean);
  EXPECT_TRUE(r.faulty.empty());
  EXPECT_TRUE(host_.calls.empty());
}

TEST_F(VerifyTest, HierarchyCountsAndMessagesInNumberOrder) {
  Reset(2);
  const std::string major = Sj("工事");
  AddPhoto(kGoodPhoto, {major, Sj("その他"), Sj("土工"), Sj("掘削工")});  // messages 3 and 8
  AddPhoto(kGoodPhoto, {major, Sj("着手前及び完成写真"), Sj("土工")});    // message 1
  AddPhoto(kGoodPhoto, {Sj("ｺｳｼﾞ")});                                     // half-width: representation and value fault
  VerifyResult r = Run(kScopeRequired);
  EXPECT_EQ(r.counts.level_representation, 1);
  EXPECT_EQ(r.counts.level_value, 1);
  EXPECT_EQ(r.counts.level_length, 0);
  EXPECT_THAT(Utf8(r.lines), ElementsAre("【工事階層】のデータ表現に関する入力ミスが 1 件ありました。",
                                         "【工事階層】の記入規則に関する入力ミスが 1 件ありました。", "【工事階層】",
                                         "写真区分『着手前及び完成写真』に工種は登録できません\r\n"
                                         "写真区分『その他』に工種は登録できません\r\n"
                                         "写真区分『その他』に種別は登録できません"));
}

TEST_F(VerifyTest, IndexLoadedGivesNoConstructionLines) {
  d_.PhotoContractInfo.Clear();
  AddPhoto(kGoodPhoto);
  d_.IndexLoaded = true;
  EXPECT_TRUE(Run(kScopeRequired).clean);
  d_.IndexLoaded = false;
  EXPECT_TRUE(Run(kScopeRequired).counts.construction_missing);
}

// One construction field emptied or set, by standard and scope.
struct ConstructionCase {
  std::vector<int> versions;
  ContractText field;  // ContractText::Blank1 stands for 発注年度
  const char* value;
  int first_scope;  // missing from this scope on; 3: never
  bool wrong;
};

TEST_F(VerifyTest, ConstructionRulesByVersionAndScope) {
  using enum ContractText;
  const ConstructionCase cases[] = {
      {{0, 7, 9}, Blank1, "", 0, false},  // 発注年度 0
      {{8, 13}, Blank1, "", 3, false},
      {{0, 5, 8, 13}, WorkNumber, "", 0, false},
      {{0, 1, 10}, ConstructionPlace, "", 0, false},
      {{5, 8}, ConstructionPlace, "", 3, false},
      {{0, 5, 12}, ClientMajor, "", 0, false},
      {{8, 9, 13}, ClientMajor, "", 3, false},
      {{5, 6, 7, 12}, ClientMiddle, "", 0, false},
      {{0, 1, 10}, ClientMinor, "", 1, false},
      {{8, 9}, ClientMinor, "", 3, false},
      {{8, 13}, ContractorCode, "", 0, false},
      {{0, 7}, ContractorCode, "", 1, false},
      {{0, 9}, RiverRouteName, "", 1, false},
      {{0}, ClientNote, "", 2, false},
      {{1, 7}, ClientNote, "", 3, false},
      {{0, 1, 10}, MediaReserve, "", 2, false},
      {{0, 10}, ContractorNote, "", 2, false},
      {{5, 13}, ContractorNote, "", 3, false},
      {{0, 7}, ClientCode, "1234567", 3, true},          // shorter than 8 bytes
      {{5, 6, 7, 12}, ClientCode, "ABCD1234", 3, true},  // not digits
      {{0, 8}, ClientCode, "ABCD1234", 3, false},
      {{0, 7}, Blank1, "99", 3, true},
      {{0, 7}, Blank1, "-999", 3, true},  // four characters but no year
      {{0, 7}, PeriodStart, "2010-4-1", 3, true},
      {{0, 7}, PeriodEnd, "2011/3/31", 3, true},
  };
  for (const ConstructionCase& c : cases) {
    for (int version : c.versions) {
      for (int scope = 0; scope <= 2; ++scope) {
        SCOPED_TRACE("version " + std::to_string(version) + " scope " + std::to_string(scope) + " field " +
                     std::to_string(static_cast<int>(c.field)) + " value " + c.value);
        Reset(version);
        if (c.field == Blank1)
          d_.PhotoContractInfo.SetOrderYear(c.value);
        else
          d_.PhotoContractInfo.SetText(c.field, c.value);
        VerifyResult r = Run(scope);
        EXPECT_EQ(r.counts.construction_missing, scope >= c.first_scope);
        EXPECT_EQ(r.counts.construction_wrong, c.wrong);
      }
    }
  }
}

TEST_F(VerifyTest, ConstructionIsNotCheckedInPhotoFileStandardsTwoToFourAndEleven) {
  for (int version : {2, 3, 4, 11}) {
    Reset(version);
    d_.PhotoContractInfo.Clear();
    d_.PhotoContractInfo.SetText(ContractText::ClientCode, "1");
    EXPECT_TRUE(Run(kScopeOptional).clean) << version;
  }
}

TEST_F(VerifyTest, DrawingRulesByVersionAndScope) {
  struct Case {
    int version;
    Fields drawing;
    int first_scope;  // missing from this scope on; 3: never
    bool wrong;
  };
  const Case cases[] = {
      {7, {{"JFILENAME", "j"}, {"YOBI_FJ", "y"}}, 0, false},  // no title
      {0, {}, 3, false},                                      // version 0 never needs anything
      {3, {{"TITLE", "t"}, {"YOBI_FJ", "y"}}, 1, false},      // no JFILENAME
      {1, {{"TITLE", "t"}, {"YOBI_FJ", "y"}}, 2, false},      // no JFILENAME: only scope 2 in 1 and 10
      {10, {{"TITLE", "t"}, {"YOBI_FJ", "y"}}, 2, false},
      {10, {{"TITLE", "t"}, {"JFILENAME", "j"}}, 2, false},  // no YOBI_FJ
      {1, {{"TITLE", "t"}, {"JFILENAME", "j"}, {"YOBI_FJ", "a\r\nb"}}, 3, true},
      {7, {{"TITLE", "t"}, {"JFILENAME", "j"}, {"YOBI_FJ", "a\r\nb"}}, 3, false},
  };
  for (const Case& c : cases) {
    for (int scope = 0; scope <= 2; ++scope) {
      SCOPED_TRACE("version " + std::to_string(c.version) + " scope " + std::to_string(scope));
      Reset(c.version);
      const Fields photo = {{"TITLE", "t"}, {"DATE", "2010-09-01"}};
      AddPhotoWithDrawings(photo, {c.drawing});
      VerifyResult r = Run(scope);
      const bool missing = scope >= c.first_scope;
      EXPECT_EQ(r.counts.drawings_missing, missing ? 1 : 0);
      EXPECT_EQ(r.counts.drawings_wrong, c.wrong ? 1 : 0);
      EXPECT_EQ(r.counts.drawings_examined, c.version == 0 ? 0 : 1);
      // A faulty drawing lists its photo, not itself; the photo is complete in scope 0.
      if (scope == 0) {
        EXPECT_EQ(r.faulty, missing || c.wrong ? TIntList{1} : TIntList{});
      }
    }
  }
}

TEST_F(VerifyTest, TooManyDrawingsFromTheFourthInVersionZero) {
  for (int count : {3, 4}) {
    for (int version : {0, 7}) {
      Reset(version);
      const Fields drawing = {{"TITLE", "t"}, {"JFILENAME", "j"}, {"YOBI_FJ", "y"}};
      AddPhotoWithDrawings(kGoodPhoto, std::vector<Fields>(static_cast<std::size_t>(count), drawing));
      VerifyResult r = Run(kScopeRequired);
      const bool too_many = version == 0 && count == 4;
      EXPECT_EQ(r.counts.too_many_drawings, too_many ? 1 : 0) << count << " " << version;
      EXPECT_EQ(r.clean, !too_many);
    }
  }
}

TEST_F(VerifyTest, FullReportInItsOrder) {
  Reset(7);
  d_.PhotoContractInfo.SetText(ContractText::WorkNumber, "");
  d_.PhotoContractInfo.SetText(ContractText::PeriodEnd, "2011-3-31");
  AddPhoto(kGoodPhoto);
  const int untitled = AddPhoto({{"DATE", "2010-09-01"}});
  const int bad_date = AddPhoto({{"TITLE", "t"}, {"DATE", "2010-9-1"}});
  const int bad_drawing = AddPhotoWithDrawings(kGoodPhoto, {{{"JFILENAME", "j"}}});
  AddPhoto(kGoodPhoto, {Sj("工事"), Sj("着手前及び完成写真"), Sj("土工")});  // no message in version 7
  VerifyResult r = Run(kScopeRequired);
  EXPECT_THAT(Utf8(r.lines),
              ElementsAre("【工事情報】の未入力項目がありました。", "【工事情報】の入力ミスがありました。",
                          "【写真情報】の未入力項目が 1 件ありました。", "【写真情報】の入力ミスが 1 件ありました。",
                          "【付加情報】の未入力項目が 1 件ありました。\r\n"
                          "            付加情報には必ずタイトルの記入が必要です",
                          "", "対象となる工事写真を一覧を表示します",
                          "(工事階層以外の入力ミスは情報パネルに赤色表示されます)"));
  EXPECT_THAT(r.faulty, ElementsAre(untitled, bad_date, bad_drawing));
  EXPECT_THAT(host_.calls, ElementsAre("enter 2"));
  EXPECT_EQ(host_.list, r.faulty);
  EXPECT_FALSE(r.clean);
}

TEST_F(VerifyTest, ConstructionFaultsAloneLeaveListModeAlone) {
  d_.PhotoContractInfo.SetText(ContractText::ClientCode, "1");
  AddPhoto(kGoodPhoto);
  VerifyResult r = Run(kScopeRequired);
  EXPECT_THAT(Utf8(r.lines), ElementsAre("【工事情報】の入力ミスがありました。",
                                         "(工事階層以外の入力ミスは情報パネルに赤色表示されます)"));
  EXPECT_TRUE(host_.calls.empty());
  EXPECT_FALSE(r.clean);
}

TEST_F(VerifyTest, TableErrorEndsTheRunAndKeepsTheLinesSoFar) {
  Reset(2);
  AddPhoto(kGoodPhoto, {Sj("ｺｳｼﾞ")});
  d_.PhotoTable.FieldPos.TITLE = -1;  // a table without the field
  host_.list_mode = 2;
  VerifyResult r = Run(kScopeRequired);
  EXPECT_FALSE(r.error.empty());
  EXPECT_FALSE(r.clean);
  EXPECT_THAT(Utf8(r.lines), ElementsAre("【工事階層】のデータ表現に関する入力ミスが 1 件ありました。",
                                         "【工事階層】の記入規則に関する入力ミスが 1 件ありました。"));
  EXPECT_EQ(host_.progress.back(), "E0");
  EXPECT_TRUE(host_.calls.empty());
}

TEST_F(VerifyTest, ScopeOutsideTheListActsAsTheNearestEnd) {
  Reset(7);
  AddPhoto({{"TITLE", "t"}, {"DATE", "2010-09-01"}});  // missing KASYO from scope 1 on
  EXPECT_EQ(Run(-3).counts.photos_missing, 0);
  EXPECT_EQ(Run(9).counts.photos_missing, 1);
}

}  // namespace
}  // namespace zor
