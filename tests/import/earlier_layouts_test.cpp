// The photo file readers of the 2002 and 1999 layouts.
#include "import/dispatch.h"
#include "import/readers.h"
#include "import_fixture.h"
#include "text/encoding.h"

namespace zor {
namespace {

std::string Photo2002(const std::string& contract, const std::string& photos) {
  return "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<!DOCTYPE photodata SYSTEM \"PHOTO02.DTD\">\n"
         "<photodata "
         "DTD_version=\"02\">\n<基礎情報><写真フォルダ名>PHOTO/PIC</写真フォルダ名></基礎情報>\n<工事情報>\n" +
         contract + "</工事情報>\n" + photos + "</photodata>\n";
}

std::string Photo1999(const std::string& basic, const std::string& photos) {
  return "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<!DOCTYPE photodata SYSTEM \"PHOTO.DTD\">\n<photodata>\n"
         "<基礎情報>" +
         basic + "</基礎情報>\n<工事情報><工事名称>工事</工事名称></工事情報>\n" + photos + "</photodata>\n";
}

class EarlierLayoutTest : public test::ImportTest {
 protected:
  bool Read2002(const std::string& xml, int standard = 1) {
    ImportContext ctx = Ctx();
    return ReadPhoto2002(ctx, standard, Write("d/PHOTO/PHOTO.XML", xml), Sj("ＸＭＬ入力"));
  }
  bool Read1999(const std::string& xml) {
    ImportContext ctx = Ctx();
    return ReadPhoto1999(ctx, Write("d/PHOTO.XML", xml), Sj("ＸＭＬ入力"));
  }
  std::string Contract(ContractText field) const { return Cp932ToUtf8(d.PhotoContractInfo.Text(field)); }
};

TEST_F(EarlierLayoutTest, Fixture2002FillsRecordsAndContract) {
  ImportContext ctx = Ctx(true);
  ASSERT_TRUE(ReadPhoto2002(ctx, 1, Data("photo2002/PHOTO/PHOTO.XML"), Sj("ＸＭＬ入力")));
  EXPECT_EQ(d.DigiVersion, 1);
  ASSERT_EQ(RecordCount(), 3);
  EXPECT_EQ(Number(1, F().FLAG), 0);
  EXPECT_EQ(Text(1, F().YOBI_FJ), "fj2");
  EXPECT_EQ(Text(1, F().YOBI_KK), "k1");
  EXPECT_EQ(Text(1, F().YOBI_SJ), "s1\r\ns2");
  EXPECT_EQ(Text(1, F().KANRI), "t=35cm");
  EXPECT_EQ(Text(1, F().YOBI_SK), "c1");
  EXPECT_EQ(Text(1, F().YOBI_JK), "j1");
  EXPECT_EQ(Text(1, F().UKEOIBIKOU), "u1");
  EXPECT_EQ(Text(1, F().YOBI_SO), "o1");
  EXPECT_EQ(Text(1, F().REC_DRA), "00002");
  EXPECT_EQ(Text(2, F().YOBI_FJ), "f1");
  EXPECT_EQ(Text(2, F().JFILENAME), "展開図.JPG");
  EXPECT_EQ(d.PhotoContractInfo.OrderYear(), 2002);
  // 工事番号 and 案件番号 fill one field: the later one wins.
  EXPECT_EQ(Contract(ContractText::WorkNumber), "B-002");
  EXPECT_EQ(Contract(ContractText::RiverRouteName), "一級河川○○川");
  EXPECT_EQ(Contract(ContractText::MediaReserve), "媒体の予備");
  EXPECT_EQ(Contract(ContractText::ContractorCode), "0001");
  EXPECT_EQ(Contract(ContractText::ContractorNote), "請負者の備考");
}

TEST_F(EarlierLayoutTest, ElementsOfTheCurrentLayoutAreIgnoredIn2002) {
  // 代表写真 and 提出頻度写真 do not exist in this layout; 施工管理値 and
  // 請負者説明文 belong under 施工管理値情報 and その他.
  ASSERT_TRUE(Read2002(Photo2002("",
                                 "<写真情報><写真ファイル情報><写真ファイル名>P.JPG</写真ファイル名></写真ファイル情報>"
                                 "<代表写真>1</代表写真><提出頻度写真>7</提出頻度写真><施工管理値>k</施工管理値>"
                                 "<請負者説明文>u</請負者説明文></写真情報>\n")));
  ASSERT_EQ(RecordCount(), 1);
  EXPECT_EQ(Number(1, F().FLAG), 0);
  EXPECT_EQ(Number(1, F().FILMNUM), 0);
  EXPECT_EQ(Text(1, F().KANRI), "");
  EXPECT_EQ(Text(1, F().UKEOIBIKOU), "");
}

TEST_F(EarlierLayoutTest, LaterContractValueWins) {
  ASSERT_TRUE(
      Read2002(Photo2002("<工事件名等><工事番号>1</工事番号><工事番号>2</工事番号>"
                         "<路線水系名等>路線</路線水系名等><河川-路線名等>河川</河川-路線名等></工事件名等>",
                         "")));
  EXPECT_EQ(Contract(ContractText::WorkNumber), "2");
  EXPECT_EQ(Contract(ContractText::RiverRouteName), "河川");
}

TEST_F(EarlierLayoutTest, OrderYearIsASixteenBitNumber) {
  for (const auto& [text, year] : std::vector<std::pair<std::string, int>>{
           {"2002", 2002}, {"H14", 0}, {"40000", 0}, {"-32768", -32768}, {"14年", 14}}) {
    ASSERT_TRUE(Read2002(Photo2002("<工事件名等><発注年度>" + text + "</発注年度></工事件名等>", "")));
    EXPECT_EQ(d.PhotoContractInfo.OrderYear(), year) << text;
  }
}

TEST_F(EarlierLayoutTest, ContractBlockIsClearedByEveryLoad) {
  ASSERT_TRUE(Read2002(Photo2002("<請負者備考>前</請負者備考>", "")));
  ASSERT_TRUE(Read2002(Photo2002("", "")));
  EXPECT_EQ(Contract(ContractText::ContractorNote), "");
}

TEST_F(EarlierLayoutTest, AfterAConstructionIndexTheDispatchersStandardHolds) {
  ImportContext ctx = Ctx();
  ASSERT_TRUE(ReadConstructionIndex(ctx, Data("construction/INDEX_C.XML"), Sj("ＸＭＬ入力")));
  host.calls.clear();
  ASSERT_TRUE(Read2002(Photo2002("", ""), 10));
  EXPECT_FALSE(d.IndexLoaded);
  EXPECT_TRUE(d.PreviousIndexLoaded);
  EXPECT_EQ(d.DigiVersion, 10);
  EXPECT_EQ(host.Steps(), (std::vector<std::string>{"LeaveListMode", "UpdateTitle", "SelectUnclassifiedNode",
                                                    "SelectUnclassifiedNode", "LayOutInformationPanel", "RefreshAll",
                                                    "RequestButtonUpdate", "ShowNodePhotos"}));
  // The same standard again, without an index before: only the values.
  host.calls.clear();
  ASSERT_TRUE(Read2002(Photo2002("", ""), 10));
  EXPECT_EQ(host.Count("RefillContractGrid"), 1);
  EXPECT_EQ(host.Count("RefreshAll"), 0);
  EXPECT_EQ(host.Count("LayOutInformationPanel"), 0);
}

TEST_F(EarlierLayoutTest, Fixture1999) {
  ImportContext ctx = Ctx(true);
  ASSERT_TRUE(ReadPhoto1999(ctx, Data("photo1999/PHOTO.XML"), Sj("ＸＭＬ入力")));
  EXPECT_EQ(d.DigiVersion, 0);
  ASSERT_EQ(RecordCount(), 3);
  // 写真フォルダ名 "PIC" without a separator still finds the photos.
  EXPECT_EQ(Text(1, F().FILENAME), Data("photo1999/PIC/P0000001.JPG"));
  EXPECT_EQ(Number(1, F().FLAG), 2);
  EXPECT_EQ(Text(1, F().DATE), "1999-08-01");
  EXPECT_EQ(Text(1, F().YOBI_KK), "k1\r\nk3");
  EXPECT_EQ(Text(1, F().YOBI_SO), "o1\r\no2");
  EXPECT_EQ(Text(1, F().YOBI_FU), "fu");
  EXPECT_EQ(Text(1, F().NEGANUM), "12");
  EXPECT_EQ(Number(1, F().FILMNUM), 3);
  EXPECT_EQ(Text(1, F().HACYUBIKOU), "立会");
  // 参考図2 only: one drawing, without title or Japanese name.
  EXPECT_EQ(Text(1, F().REC_DRA), "00002");
  EXPECT_EQ(Text(2, F().FILENAME), Data("photo1999/DRA/D0000001.JPG"));
  EXPECT_EQ(Text(2, F().TITLE), "");
  EXPECT_EQ(Text(3, F().DATE), "1999-/8-/1");
  EXPECT_EQ(Text(3, F().FILENAME), Placeholder());
  EXPECT_EQ(Contract(ContractText::ClientNote), "発注者の備考");
  EXPECT_EQ(d.PhotoContractInfo.OrderYear(), 1999);
}

TEST_F(EarlierLayoutTest, DateRewriteLooksOnlyAtTheLength) {
  for (const auto& [date, stored] : std::vector<std::pair<std::string, std::string>>{{"19990801", "1999-08-01"},
                                                                                     {"1999/8/1", "1999-/8-/1"},
                                                                                     {"1999-08-01", "1999-08-01"},
                                                                                     {"990801", "990801"},
                                                                                     {"ＨＩ１１", "ＨＩ-１-１"},
                                                                                     {"1平成111", "1平成111"}}) {
    ASSERT_TRUE(Read1999(Photo1999(
        "<写真フォルダ名>./PIC</写真フォルダ名>",
        "<写真情報><写真ファイル名>P.JPG</写真ファイル名><撮影年月日>" + date + "</撮影年月日></写真情報>\n")));
    EXPECT_EQ(Text(1, F().DATE), stored) << date;
  }
}

TEST_F(EarlierLayoutTest, Drawings1999AreTakenInOrderOfTheirNumbers) {
  Picture("d/DRA/B.JPG");
  Picture("d/DRA/C.JPG");
  ASSERT_TRUE(Read1999(Photo1999("<参考図フォルダ名>DRA</参考図フォルダ名>",
                                 "<写真情報><写真ファイル名>P.JPG</写真ファイル名><参考図3>C.JPG</参考図3>"
                                 "<参考図1>B.JPG</参考図1></写真情報>\n"
                                 "<写真情報><写真ファイル名>Q.JPG</写真ファイル名></写真情報>\n")));
  ASSERT_EQ(RecordCount(), 4);
  EXPECT_EQ(Text(1, F().REC_DRA), "0000200003");
  EXPECT_EQ(Text(2, F().FILENAME), Temp("d/DRA/B.JPG"));
  EXPECT_EQ(Text(3, F().FILENAME), Temp("d/DRA/C.JPG"));
  // The names do not carry over to the next photo.
  EXPECT_EQ(Text(4, F().REC_DRA), "");
}

TEST_F(EarlierLayoutTest, Nested1999ElementsAreIgnored) {
  ASSERT_TRUE(
      Read1999(Photo1999("",
                         "<写真情報><写真ファイル名>P.JPG</写真ファイル名>"
                         "<x><写真タイトル>深い</写真タイトル></x><写真タイトル>浅い</写真タイトル></写真情報>\n")));
  EXPECT_EQ(Text(1, F().TITLE), "浅い");
}

}  // namespace
}  // namespace zor
