// The construction and services index readers.
#include "import/dispatch.h"
#include "import/readers.h"
#include "import_fixture.h"
#include "text/encoding.h"

namespace zor {
namespace {

std::string IndexXml(const char* root, const std::string& basic, const std::string& body) {
  return std::string("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<") + root + " DTD_version=\"04\">\n" + basic +
         body + "</" + root + ">\n";
}

std::string Standard(const std::string& value) {
  return "<基礎情報><適用要領基準>" + value + "</適用要領基準></基礎情報>\n";
}

class IndexReaderTest : public test::ImportTest {
 protected:
  bool ReadC(const std::string& xml) {
    ImportContext ctx = Ctx();
    return ReadConstructionIndex(ctx, Write("d/INDEX_C.XML", xml), Sj("ＸＭＬ入力"));
  }
  bool ReadD(const std::string& xml) {
    ImportContext ctx = Ctx();
    return ReadServicesIndex(ctx, Write("d/INDEX_D.XML", xml), Sj("ＸＭＬ入力"));
  }
  // slot: code standard value
  std::vector<std::string> Slots() const {
    std::vector<std::string> out;
    for (int s = 1; s <= d.Index.IndexItemCount; ++s)
      out.push_back(std::to_string(d.Index.IndexItem[s].ItemCode) + " " + std::to_string(d.Index.IndexItemStandard[s]) +
                    " " + Cp932ToUtf8(d.Index.IndexItemValue[s]));
    return out;
  }
};

TEST_F(IndexReaderTest, ConstructionFixtureFillsTheTables) {
  ImportContext ctx = Ctx(true);
  ASSERT_TRUE(ReadConstructionIndex(ctx, Data("construction/INDEX_C.XML"), Sj("ＸＭＬ入力")));
  EXPECT_EQ(d.DigiVersion, 7);
  EXPECT_TRUE(d.IndexLoaded);
  EXPECT_FALSE(d.PreviousIndexLoaded);
  const std::vector<std::string> slots = Slots();
  ASSERT_EQ(slots.size(), 32u);
  EXPECT_EQ(slots[0], "1 1 2010");
  EXPECT_EQ(slots[6], "7 1 道路土工");
  EXPECT_EQ(slots[15], "19 1 12");
  EXPECT_EQ(slots[28], "36 1 株式会社白石建設");
  EXPECT_EQ(slots[30], "38 0 予備その一");
  EXPECT_EQ(slots[31], "38 0 予備その二");
  EXPECT_EQ(d.Index.IndexItem[33].ItemCode, 0);
  // An empty photo table and the two top nodes.
  EXPECT_TRUE(d.PhotoTable.Active());
  EXPECT_EQ(RecordCount(), 0);
  EXPECT_EQ(d.Tree.NodeCount(), 2);
  EXPECT_EQ(host.Steps(),
            (std::vector<std::string>{"LeaveListMode", "UpdateTitle", "ClearPhotoLists", "SelectUnclassifiedNode",
                                      "RequestButtonUpdate", "LayOutInformationPanel", "ShowNodePhotos"}));
  EXPECT_EQ(host.progressStarts, 1);
  EXPECT_EQ(host.progressEnds, 1);
}

TEST_F(IndexReaderTest, ServicesFixtureFillsTheTables) {
  ImportContext ctx = Ctx(true);
  ASSERT_TRUE(ReadServicesIndex(ctx, Data("services/INDEX_D.XML"), Sj("ＸＭＬ入力")));
  EXPECT_EQ(d.DigiVersion, 9);
  const std::vector<std::string> slots = Slots();
  ASSERT_EQ(slots.size(), 20u);
  // Three keywords, three consecutive slots.
  EXPECT_EQ(slots[15], "34 1 堤防");
  EXPECT_EQ(slots[16], "34 1 詳細設計");
  EXPECT_EQ(slots[17], "34 1 護岸");
  EXPECT_EQ(slots[19], "36 0 予備");
}

struct VersionCase {
  bool services;
  const char* value;  // nullptr: no 適用要領基準
  int digiVersion;    // -1: refused
};

// The refusal names the value, except for the values of before 2005.
std::string Refusal(const char* value) {
  const std::string v = value;
  const bool old = v.find("2002") != std::string::npos || v.find("1999") != std::string::npos;
  return old ? "info: 平成16年以前の電子納品データは読込ができません。"
             : "info: 適用要領基準「" + v + "」の電子納品データには対応していません。";
}

class IndexVersionTest : public IndexReaderTest, public testing::WithParamInterface<VersionCase> {};

TEST_P(IndexVersionTest, StandardDecidesAcceptanceAndDigiVersion) {
  const VersionCase& c = GetParam();
  const std::string basic = c.value ? Standard(c.value) : "";
  const std::string xml = c.services
                              ? IndexXml("gyomudata", basic, "<業務件名等><業務名称>名</業務名称></業務件名等>\n")
                              : IndexXml("constdata", basic, "<工事件名等><工事名称>名</工事名称></工事件名等>\n");
  d.DigiVersion = 0;
  EXPECT_EQ(c.services ? ReadD(xml) : ReadC(xml), c.digiVersion >= 0);
  if (c.digiVersion >= 0) {
    EXPECT_EQ(d.DigiVersion, c.digiVersion);
    // The XML reader drops the blanks around every value, this one included.
    std::string read = c.value ? c.value : "";
    while (!read.empty() && read.back() == ' ') read.pop_back();
    EXPECT_EQ(d.Guideline, Sj(read));
    EXPECT_EQ(d.Index.IndexItemCount, 1);
    // The standard changed: every panel is rebuilt before the buttons and
    // the index rows.
    EXPECT_EQ(host.Steps(), (std::vector<std::string>{"LeaveListMode", "UpdateTitle", "ClearPhotoLists",
                                                      "SelectUnclassifiedNode", "RefreshAll", "RequestButtonUpdate",
                                                      "LayOutInformationPanel", "ShowNodePhotos"}));
  } else {
    EXPECT_EQ(d.DigiVersion, 0);
    EXPECT_EQ(host.calls, std::vector<std::string>{Refusal(c.value)});
  }
}

INSTANTIATE_TEST_SUITE_P(Values, IndexVersionTest,
                         testing::Values(
                             // The values of the first guidelines.
                             VersionCase{false, "土木200406-01", 5}, VersionCase{false, "土木200805-01", 6},
                             VersionCase{false, "土木201009-01", 7}, VersionCase{false, "農村振興土木200504-01", 12},
                             VersionCase{false, nullptr, 7}, VersionCase{true, "土木200406-01", 8},
                             VersionCase{true, "土木200805-01", 9}, VersionCase{true, "農村振興土木200504-01", 13},
                             VersionCase{true, nullptr, 9},
                             // The later guidelines, at their boundaries.
                             VersionCase{false, "土木201010-01", 14}, VersionCase{false, "土木202303-01", 14},
                             VersionCase{true, "土木201009-01", 15}, VersionCase{true, "土木202003-01", 15},
                             VersionCase{true, "土木201008-01", -1}, VersionCase{false, "農村振興土木200505-01", 16},
                             VersionCase{true, "農村振興土木201903-02", 17},
                             VersionCase{false, "農村振興土木200503-01", -1},
                             // Values of no known form.
                             VersionCase{false, "土木200206-01", -1}, VersionCase{false, "土木201009-1", -1},
                             VersionCase{false, "土木202303-01 ", 14}, VersionCase{false, "土木２０２３03-01", -1},
                             VersionCase{false, "土木202313-01", -1}, VersionCase{true, "土木999999-01", -1},
                             VersionCase{true, "工事202303-01", -1}, VersionCase{false, "", -1}));

TEST_F(IndexReaderTest, TheFirstOfTwoStandardsDecides) {
  ASSERT_TRUE(ReadC(IndexXml("constdata", Standard("土木202303-01") + Standard("土木201009-01"),
                             "<工事件名等><工事名称>名</工事名称></工事件名等>\n")));
  EXPECT_EQ(d.DigiVersion, 14);
  EXPECT_EQ(d.Guideline, Sj("土木202303-01"));
}

TEST_F(IndexReaderTest, RefusedIndexLeavesThePreviousDeliveryAlone) {
  ImportContext ctx = Ctx();
  bool loaded = false;
  ASSERT_TRUE(DispatchDeliveryFile(ctx, Data("construction/INDEX_C.XML"), Sj("ＸＭＬ入力"), &loaded));
  ASSERT_TRUE(loaded);
  host.calls.clear();
  // The version check stops at the first value it rejects, even though a
  // later one would be accepted.
  EXPECT_FALSE(ReadC(IndexXml("constdata", Standard("土木200206-01") + Standard("土木201009-01"),
                              "<工事件名等><工事名称>別の工事</工事名称></工事件名等>\n")));
  EXPECT_EQ(host.calls, std::vector<std::string>{"info: 平成16年以前の電子納品データは読込ができません。"});
  EXPECT_EQ(d.Index.IndexItemCount, 32);
  EXPECT_EQ(RecordCount(), 5);
  EXPECT_EQ(d.Tree.NodeCount(), 9);
  EXPECT_TRUE(d.IndexLoaded);
}

TEST_F(IndexReaderTest, OnlyTheListedLevelsAreStored) {
  ASSERT_TRUE(ReadC(IndexXml("constdata", Standard("土木201009-01"),
                             "<工事件名等><工種>直下の工種</工種><工種-工法型式><工種>道路土工</工種></工種-工法型式>"
                             "<住所情報><住所>札幌</住所><住所><住所>深すぎる</住所></住所></住所情報></工事件名等>\n"
                             "<予備>一</予備><予備>二</予備>\n")));
  // The inner 住所 lies at level 4 and is passed over; the outer one is
  // stored, with its empty value.
  EXPECT_EQ(Slots(), (std::vector<std::string>{"7 1 道路土工", "10 1 札幌", "10 1 ", "38 0 一", "38 0 二"}));
}

TEST_F(IndexReaderTest, ContractorGroupFollowsTheFilesStandard) {
  const std::string both =
      "<受注者情報><受注者名>受注</受注者名></受注者情報><請負者情報><請負者名>請負</請負者名></請負者情報>\n";
  // The previous load's DigiVersion plays no part.
  d.DigiVersion = 7;
  ASSERT_TRUE(ReadC(IndexXml("constdata", Standard("土木200805-01"), both)));
  EXPECT_EQ(Slots(), std::vector<std::string>{"36 1 請負"});
  d.DigiVersion = 5;
  ASSERT_TRUE(ReadC(IndexXml("constdata", Standard("土木201009-01"), both)));
  EXPECT_EQ(Slots(), std::vector<std::string>{"36 1 受注"});
}

// 1500 nodes: the construction reader stores from the first 1000 only, the
// services reader from all of them.
TEST_F(IndexReaderTest, ConstructionStopsAtNode999ServicesDoesNot) {
  std::string filler;
  for (int i = 0; i < 1490; ++i) filler += "<x/>";
  ASSERT_TRUE(
      ReadC(IndexXml("constdata", Standard("土木201009-01"),
                     "<工事件名等><工事番号>前</工事番号>" + filler + "<工事名称>後</工事名称></工事件名等>\n")));
  EXPECT_EQ(Slots(), std::vector<std::string>{"2 1 前"});
  ASSERT_TRUE(ReadD(
      IndexXml("gyomudata", Standard("土木200805-01"),
               "<業務件名等><設計書コード>前</設計書コード>" + filler + "<業務名称>後</業務名称></業務件名等>\n")));
  EXPECT_EQ(Slots(), (std::vector<std::string>{"3 1 前", "4 1 後"}));
}

TEST_F(IndexReaderTest, MoreThan999ElementsKeepTheFirst999) {
  std::string many;
  for (int i = 0; i < 1200; ++i) many += "<予備>" + std::to_string(i) + "</予備>";
  ASSERT_TRUE(ReadD(IndexXml("gyomudata", Standard("土木200805-01"), many)));
  EXPECT_EQ(d.Index.IndexItemCount, 999);
  EXPECT_EQ(Cp932ToUtf8(d.Index.IndexItemValue[999]), "998");
  // The elements past the table are not dropped without a word.
  const int dropped = d.Index.Dropped();
  EXPECT_GT(dropped, 0);
  EXPECT_EQ(host.Count("warning: 索引の項目が多すぎるため、" + std::to_string(dropped) +
                       "件の項目を読み込みませんでした（999件まで）。"),
            1);
}

TEST_F(IndexReaderTest, UnparsableIndexChangesNothing) {
  d.DigiVersion = 3;
  EXPECT_FALSE(ReadC("<constdata><基礎情報></constdata>"));
  // Nothing but the parser's report.
  ASSERT_EQ(host.calls.size(), 1u);
  EXPECT_EQ(host.calls[0].rfind("info: XMLファイルのフォーマットが不正です。", 0), 0u) << host.calls[0];
  EXPECT_EQ(d.DigiVersion, 3);
  EXPECT_FALSE(d.PhotoTable.Active());
}

}  // namespace
}  // namespace zor
