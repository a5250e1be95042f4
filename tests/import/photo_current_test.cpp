// The photo file reader of the current layout, on deliveries written by the
// tests: records, drawings, the tree, media, work copies and placeholders.
#include <filesystem>
#include <fstream>

#include "app/folders.h"
#include "import/readers.h"
#include "import_fixture.h"
#include "store/bindata_error.h"
#include "text/encoding.h"

namespace zor {
namespace {

namespace fs = std::filesystem;
using test::CurrentPhotoXml;

const std::string kFolders =
    "<写真フォルダ名>PHOTO/PIC</写真フォルダ名>\n<参考図フォルダ名>PHOTO/DRA</参考図フォルダ名>\n";

// One photo section: its file, then any further elements.
std::string Photo(const std::string& file, const std::string& more = "",
                  const std::string& classes = "<写真-大分類>工事</写真-大分類><写真区分>施工状況写真</写真区分>") {
  return "<写真情報>\n<写真ファイル情報>\n<写真ファイル名>" + file +
         "</写真ファイル名>\n</写真ファイル情報>\n<撮影工種区分>\n" + classes + "\n<写真タイトル>t " + file +
         "</写真タイトル>\n</撮影工種区分>\n" + more + "</写真情報>\n";
}

std::string Drawing(const std::string& file, const std::string& title = "") {
  return "<付加情報>\n<参考図ファイル名>" + file + "</参考図ファイル名>\n<参考図タイトル>" + title +
         "</参考図タイトル>\n</付加情報>\n";
}

std::string Medium(int n) {
  return "<写真ファイル情報><メディア番号>" + std::to_string(n) + "</メディア番号></写真ファイル情報>\n";
}

class CurrentReaderTest : public test::ImportTest {
 protected:
  // Writes the delivery's PHOTO/PHOTO.XML and reads it with the own tokenizer.
  bool Load(const std::string& xml, bool indexRead = false) {
    const std::string file = Write("d/PHOTO/PHOTO.XML", xml);
    ImportContext ctx = Ctx();
    return ReadPhotoCurrent(ctx, file, indexRead, Sj("ＸＭＬ入力"));
  }
};

TEST_F(CurrentReaderTest, PhotosAndTheirDrawingsAreNumberedInOrder) {
  Picture("d/PHOTO/PIC/P1.JPG");
  Picture("d/PHOTO/PIC/P2.JPG");
  Picture("d/PHOTO/DRA/D1.JPG");
  ASSERT_TRUE(Load(CurrentPhotoXml(
      kFolders, Photo("P1.JPG", Drawing("D1.JPG", "図1") + Drawing("", "名前なし")) + Photo("P2.JPG"))));
  ASSERT_EQ(RecordCount(), 3);
  EXPECT_EQ(Text(1, F().REC_DRA), "00002");
  EXPECT_EQ(Text(1, F().FILENAME), Temp("d/PHOTO/PIC/P1.JPG"));
  EXPECT_EQ(Text(2, F().TITLE), "図1");
  EXPECT_EQ(Text(2, F().FILENAME), Temp("d/PHOTO/DRA/D1.JPG"));
  EXPECT_EQ(Text(3, F().REC_DRA), "");
  EXPECT_EQ(Text(3, F().FILENAME), Temp("d/PHOTO/PIC/P2.JPG"));
  EXPECT_EQ(Tree(), (std::vector<std::string>{"0 未分類(写真フォルダ) []", "0 工事写真 []", "1 工事 []",
                                              "2 施工状況写真 [1 3]"}));
  EXPECT_EQ(d.WorkName, Sj("ＸＭＬ入力"));
}

TEST_F(CurrentReaderTest, ValuesOfThePhotoSection) {
  Picture("d/PHOTO/PIC/P1.JPG");
  const std::string more =
      "<撮影情報><撮影箇所>No.5</撮影箇所><撮影年月日>2010-10-05</撮影年月日></撮影情報>\n"
      "<代表写真>1a</代表写真><提出頻度写真>a1</提出頻度写真>\n"
      "<施工管理値>H=1.2m</施工管理値><請負者説明文>説明</請負者説明文>\n";
  const std::string classes =
      "<写真-大分類>工事</写真-大分類><写真区分>施工状況写真</写真区分><工種>道路土工</工種><種別>掘削工</種別>"
      "<細別>土砂</細別><工種区分予備>a</工種区分予備><工種区分予備></工種区分予備><工種区分予備>b</工種区分予備>";
  ASSERT_TRUE(Load(CurrentPhotoXml(kFolders, Photo("P1.JPG", more, classes))));
  EXPECT_EQ(Text(1, F().YOBI_KK), "a\r\nb");
  EXPECT_EQ(Number(1, F().FLAG), 1);
  EXPECT_EQ(Number(1, F().FILMNUM), 0);
  EXPECT_EQ(Text(1, F().KASYO), "No.5");
  EXPECT_EQ(Text(1, F().DATE), "2010-10-05");
  EXPECT_EQ(Text(1, F().KANRI), "H=1.2m");
  EXPECT_EQ(Text(1, F().UKEOIBIKOU), "説明");
  EXPECT_EQ(Tree().back(), "5 土砂 [1]");
}

TEST_F(CurrentReaderTest, DrawingEntryValuesAndJapaneseNames) {
  Picture("d/PHOTO/PIC/P1.JPG");
  Picture("d/PHOTO/DRA/D1.JPG");
  const std::string drawing =
      "<付加情報><参考図ファイル名>D1.JPG</参考図ファイル名><参考図ファイル日本語名>平面図.JPG</参考図ファイル日本語名>"
      "<参考図タイトル>平面図</参考図タイトル><付加情報予備>a</付加情報予備><付加情報予備></付加情報予備>"
      "<付加情報予備>b</付加情報予備></付加情報>\n";
  const std::string file =
      "<写真ファイル情報><写真ファイル日本語名>着手前.JPG</写真ファイル日本語名></写真ファイル情報>\n";
  ASSERT_TRUE(Load(CurrentPhotoXml(kFolders, Photo("P1.JPG", file + drawing))));
  ASSERT_EQ(RecordCount(), 2);
  EXPECT_EQ(Text(1, F().JFILENAME), "着手前.JPG");
  EXPECT_EQ(Text(1, F().YOBI_FJ), "");
  EXPECT_EQ(Text(2, F().JFILENAME), "平面図.JPG");
  EXPECT_EQ(Text(2, F().TITLE), "平面図");
  EXPECT_EQ(Text(2, F().YOBI_FJ), "a\r\nb");
}

// The current and the 2002 layout share the step for the photo sections'
// elements; each must still take only its own elements at their own places.
struct ForeignElementCase {
  const char* xml;  // inside 写真情報
  const char* field;
};

class ForeignElementTest : public CurrentReaderTest, public testing::WithParamInterface<ForeignElementCase> {};

TEST_P(ForeignElementTest, ElementsOfTheOtherLayoutAreIgnored) {
  Picture("d/PHOTO/PIC/P1.JPG");
  ASSERT_TRUE(Load(CurrentPhotoXml(kFolders, Photo("P1.JPG", GetParam().xml))));
  ASSERT_EQ(RecordCount(), 1);
  const PhotoFieldPositions& f = F();
  const std::pair<const char*, int> fields[] = {
      {"YOBI_FJ", f.YOBI_FJ}, {"YOBI_SJ", f.YOBI_SJ}, {"YOBI_SK", f.YOBI_SK},      {"YOBI_JK", f.YOBI_JK},
      {"YOBI_SO", f.YOBI_SO}, {"KANRI", f.KANRI},     {"UKEOIBIKOU", f.UKEOIBIKOU}};
  for (const auto& [name, pos] : fields) EXPECT_EQ(Text(1, pos), "") << GetParam().field << " / " << name;
}

INSTANTIATE_TEST_SUITE_P(
    Values, ForeignElementTest,
    testing::Values(
        ForeignElementCase{"<写真ファイル情報><写真ファイル情報予備>fj</写真ファイル情報予備></写真ファイル情報>",
                           "YOBI_FJ"},
        ForeignElementCase{"<撮影情報><撮影情報予備>sj</撮影情報予備></撮影情報>", "YOBI_SJ"},
        ForeignElementCase{
            "<施工管理値情報><施工管理値>k</施工管理値><施工管理値予備>sk</施工管理値予備></施工管理値情報>", "KANRI"},
        ForeignElementCase{"<状況説明予備>jk</状況説明予備>", "YOBI_JK"},
        ForeignElementCase{"<その他><請負者説明文>u</請負者説明文><写真情報予備>so</写真情報予備></その他>",
                           "UKEOIBIKOU"}));

TEST_F(CurrentReaderTest, MissingPicturesBecomeThePlaceholder) {
  // A picture that is not there, names that climb out of the delivery
  // towards files that exist, an absolute name and a name too long for the
  // record.
  Picture("d/PHOTO/PIC/other.JPG");
  Picture("d/secret.jpg");
  Picture("secret.jpg");
  const std::string longName = std::string(300, 'a') + ".JPG";
  ASSERT_TRUE(
      Load(CurrentPhotoXml(kFolders, Photo("P1.JPG") + Photo("..\\..\\secret.jpg") + Photo("../../../secret.jpg") +
                                         Photo(Temp("secret.jpg")) + Photo(longName, Drawing("D1.JPG")))));
  ASSERT_EQ(RecordCount(), 6);
  for (int r = 1; r <= 6; ++r) EXPECT_EQ(Text(r, F().FILENAME), Placeholder()) << r;
  // Each record keeps the name the photo file gives its picture.
  EXPECT_EQ(d.MissingPictures.size(), 6u);
  EXPECT_EQ(d.MissingPictureOf(1), Sj("PHOTO/PIC/P1.JPG"));
  EXPECT_EQ(d.MissingPictureOf(2), Sj("PHOTO/PIC/..\\..\\secret.jpg"));
  EXPECT_EQ(d.MissingPictureOf(6), Sj("PHOTO/DRA/D1.JPG"));
}

// Characters that code page 932 takes without complaint but gives back as
// other ones: a picture named on disk with one of them is found from its
// name in PHOTO.XML, and the stored path leads back to it.
TEST_F(CurrentReaderTest, NamesOnDiskThatCodePage932GivesBackOtherwise) {
  const char* const names[] = {"写真〜1.JPG", "A−1.JPG", "A—1.JPG", "A‖1.JPG", "A¢1.JPG", "A£1.JPG", "A¬1.JPG"};
  std::string sections;
  for (const char* name : names) {
    Picture(std::string("d/PHOTO/PIC/") + name);
    sections += Photo(name);
  }
  ASSERT_TRUE(Load(CurrentPhotoXml(kFolders, sections)));
  ASSERT_EQ(RecordCount(), 7);
  for (int r = 1; r <= 7; ++r) {
    EXPECT_NE(Text(r, F().FILENAME), Placeholder()) << names[r - 1];
    const std::string stored = Utf8ToCp932(Text(r, F().FILENAME));
    EXPECT_EQ(PathOnDisk(stored), Temp(std::string("d/PHOTO/PIC/") + names[r - 1])) << names[r - 1];
  }
}

TEST_F(CurrentReaderTest, DeliveryUnderAFolderNamedWithAWaveDash) {
  const std::string root = "工事〜A−1/";
  Picture(root + "PHOTO/PIC/P1.JPG");
  Picture(root + "PHOTO/DRA/D1.JPG");
  const std::string file =
      Write(root + "PHOTO/PHOTO.XML", CurrentPhotoXml(kFolders, Photo("P1.JPG", Drawing("D1.JPG"))));
  ImportContext ctx = Ctx();
  ASSERT_TRUE(ReadPhotoCurrent(ctx, file, false, Sj("ＸＭＬ入力")));
  ASSERT_EQ(RecordCount(), 2);
  // The record keeps the code page 932 form; the file is opened on disk.
  EXPECT_EQ(Text(1, F().FILENAME), Temp("工事～A－1/PHOTO/PIC/P1.JPG"));
  EXPECT_EQ(PathOnDisk(Utf8ToCp932(Text(1, F().FILENAME))), Temp(root + "PHOTO/PIC/P1.JPG"));
  EXPECT_EQ(PathOnDisk(Utf8ToCp932(Text(2, F().FILENAME))), Temp(root + "PHOTO/DRA/D1.JPG"));
}

// A link in the delivery that leads out of it, to a file or as the picture
// folder, is not followed: the photo shows the placeholder and the load
// names what was refused; a link to another picture inside is fine.
TEST_F(CurrentReaderTest, LinksOutOfTheDeliveryAreNotFollowed) {
  const std::string secret = Picture("outside/secret.jpg");
  Picture("outside/PIC2/P3.JPG");
  const std::string inside = Picture("d/PHOTO/PIC/P1.JPG");
  fs::create_symlink(secret, Temp("d/PHOTO/PIC/P2.JPG"));
  fs::create_symlink(inside, Temp("d/PHOTO/PIC/P4.JPG"));
  fs::create_symlink(Temp("outside/PIC2"), Temp("d/PHOTO/PIC2"));
  ASSERT_TRUE(Load(CurrentPhotoXml(kFolders, Photo("P1.JPG") + Photo("P2.JPG") + Photo("P4.JPG"))));
  ASSERT_EQ(RecordCount(), 3);
  EXPECT_EQ(Text(1, F().FILENAME), Temp("d/PHOTO/PIC/P1.JPG"));
  EXPECT_EQ(Text(2, F().FILENAME), Placeholder());
  EXPECT_EQ(Text(3, F().FILENAME), Temp("d/PHOTO/PIC/P4.JPG"));
  EXPECT_EQ(host.Count("warning: 納品データのフォルダの外を指すため読み込みません: P2.JPG"), 1);
  host.calls.clear();
  ASSERT_TRUE(Load(CurrentPhotoXml("<写真フォルダ名>PHOTO/PIC2</写真フォルダ名>\n", Photo("P3.JPG"))));
  EXPECT_EQ(Text(1, F().FILENAME), Placeholder());
  EXPECT_EQ(host.Count("warning: 納品データのフォルダの外を指すため読み込みません: P3.JPG"), 1);
}

TEST_F(CurrentReaderTest, MissingPictureFolderGivesThePlaceholder) {
  ASSERT_TRUE(Load(CurrentPhotoXml(kFolders, Photo("P1.JPG", Drawing("D1.JPG")))));
  EXPECT_EQ(Text(1, F().FILENAME), Placeholder());
  EXPECT_EQ(Text(2, F().FILENAME), Placeholder());
}

// A path longer than the record's FILENAME is kept whole: the record holds a
// link in the work folder to it, and the load says so once.
TEST_F(CurrentReaderTest, PictureFolderLongerThanTheRecordOpensThroughALink) {
  const std::string deep = std::string(120, 'x') + "/" + std::string(120, 'y');
  Picture("d/PHOTO/" + deep + "/P1.JPG");
  Picture("d/PHOTO/" + deep + "/P2.JPG");
  ASSERT_TRUE(Load(
      CurrentPhotoXml("<写真フォルダ名>PHOTO/" + deep + "</写真フォルダ名>\n", Photo("P1.JPG") + Photo("P2.JPG"))));
  ASSERT_EQ(RecordCount(), 2);
  for (int r = 1; r <= 2; ++r) {
    const std::string link = folders.userData + "PIC/L000000" + std::to_string(r) + ".JPG";
    EXPECT_EQ(Text(r, F().FILENAME), link);
    EXPECT_EQ(fs::read_symlink(link), Temp("d/PHOTO/" + deep + "/P" + std::to_string(r) + ".JPG"));
  }
  EXPECT_EQ(host.Count("status: ファイルのパスが255バイトを超えるか、シフトJISにない文字を含むため、"
                       "2件の写真・参考図を作業フォルダのリンクから開きます。"),
            1);
}

// When not even the link can be made, the placeholder stands in, and the
// load says so once.
TEST_F(CurrentReaderTest, PathThatCannotBeKeptGivesThePlaceholderAndAWarning) {
  const std::string deep = std::string(120, 'x') + "/" + std::string(120, 'y');
  Picture("d/PHOTO/" + deep + "/P1.JPG");
  fs::remove_all(folders.userData + "PIC");
  std::ofstream(folders.userData + "PIC") << "not a folder";
  ASSERT_TRUE(Load(CurrentPhotoXml("<写真フォルダ名>PHOTO/" + deep + "</写真フォルダ名>\n", Photo("P1.JPG"))));
  EXPECT_EQ(Text(1, F().FILENAME), Placeholder());
  // The placeholder stands for the picture: it counts as missing.
  EXPECT_EQ(d.MissingPictureOf(1), Sj("PHOTO/" + deep + "/P1.JPG"));
  EXPECT_EQ(host.Count("warning: ファイルのパスが255バイトを超えるか、シフトJISにない文字を含むため、"
                       "1件の写真・参考図を代わりの画像で表示します。"),
            1);
}

// A UTF-8 photo file may name pictures and their folder with characters
// code page 932 lacks; they still open.
TEST_F(CurrentReaderTest, Utf8NamesCodePage932LacksStillOpenTheirFiles) {
  const std::vector<std::string> names = {"Müller.JPG", "𠮷野.JPG", "現場📷.JPG"};
  std::string sections;
  for (const std::string& name : names) {
    Picture("d/PHOTO/PIC/" + name);
    sections += Photo(name, Drawing("D.JPG"));
  }
  Picture("d/PHOTO/DRAß/D.JPG");
  std::string xml = CurrentPhotoXml(
      "<写真フォルダ名>PHOTO/PIC</写真フォルダ名>\n<参考図フォルダ名>PHOTO/DRAß</参考図フォルダ名>\n", sections);
  xml.replace(xml.find("Shift_JIS"), 9, "UTF-8");
  fs::create_directories(Temp("d/PHOTO"));
  std::ofstream(Temp("d/PHOTO/PHOTO.XML"), std::ios::binary) << xml;
  host.answers = {true};  // the sections are not complete for the DTD
  ImportContext ctx = Ctx(true);
  ASSERT_TRUE(ReadPhotoCurrent(ctx, Temp("d/PHOTO/PHOTO.XML"), false, Sj("ＸＭＬ入力")));
  ASSERT_EQ(RecordCount(), 6);
  for (int r = 1; r <= 6; ++r) {
    const std::string stored = Utf8ToCp932(Text(r, F().FILENAME));
    const std::string expected = r % 2 ? "d/PHOTO/PIC/" + names[(r - 1) / 2] : "d/PHOTO/DRAß/D.JPG";
    EXPECT_EQ(fs::canonical(PathOnDisk(stored)), fs::canonical(Temp(expected))) << expected;
  }
}

TEST_F(CurrentReaderTest, SectionsWithoutPictureOrFieldsAreDropped) {
  Picture("d/PHOTO/PIC/P1.JPG");
  Picture("d/PHOTO/PIC/P2.JPG");
  const std::string noFile = "<写真情報><撮影工種区分><写真タイトル>名前なし</写真タイトル></撮影工種区分>" +
                             Drawing("D1.JPG") + "</写真情報>\n";
  const std::string empty = "<写真情報></写真情報>\n";
  // Only the picture's name: still a photo, so that the checks see it.
  const std::string onlyFile =
      "<写真情報><写真ファイル情報><写真ファイル名>P2.JPG</写真ファイル名></写真ファイル情報></写真情報>\n";
  ASSERT_TRUE(Load(CurrentPhotoXml(kFolders, Photo("P1.JPG") + noFile + empty + onlyFile)));
  ASSERT_EQ(RecordCount(), 2);
  EXPECT_EQ(Text(1, F().FILENAME), Temp("d/PHOTO/PIC/P1.JPG"));
  EXPECT_EQ(Number(2, F().RECORD), 2);
  EXPECT_EQ(Text(2, F().FILENAME), Temp("d/PHOTO/PIC/P2.JPG"));
  // The second photo has no classification: it sits at ConstructionNode.
  EXPECT_EQ(Tree()[1], "0 工事写真 [2]");
}

TEST_F(CurrentReaderTest, RootIsTheParentOfAFolderCalledPhoto) {
  // The photo file in a folder named "photo", PIC named as PHOTO/PIC.
  Picture("d/photo/PIC/P1.JPG");
  const std::string file = Write("d/photo/PHOTO.XML", CurrentPhotoXml(kFolders, Photo("P1.JPG")));
  ImportContext ctx = Ctx();
  ASSERT_TRUE(ReadPhotoCurrent(ctx, file, false, Sj("ＸＭＬ入力")));
  EXPECT_EQ(Text(1, F().FILENAME), Temp("d/photo/PIC/P1.JPG"));
}

TEST_F(CurrentReaderTest, RootIsTheOwnFolderElsewhere) {
  Picture("d/other/PIC/P1.JPG");
  const std::string file =
      Write("d/other/PHOTO.XML", CurrentPhotoXml("<写真フォルダ名>PIC</写真フォルダ名>\n", Photo("P1.JPG")));
  ImportContext ctx = Ctx();
  ASSERT_TRUE(ReadPhotoCurrent(ctx, file, false, Sj("ＸＭＬ入力")));
  EXPECT_EQ(Text(1, F().FILENAME), Temp("d/other/PIC/P1.JPG"));
}

struct StandardCase {
  const char* basic;
  int digiVersion;
};

class CurrentStandardTest : public CurrentReaderTest, public testing::WithParamInterface<StandardCase> {};

TEST_P(CurrentStandardTest, ApplicableStandardSetsDigiVersion) {
  d.DigiVersion = 0;
  ASSERT_TRUE(Load(CurrentPhotoXml(GetParam().basic, Photo("P1.JPG"))));
  EXPECT_EQ(d.DigiVersion, GetParam().digiVersion);
  EXPECT_EQ(host.Count("RefreshAll"), 1);
}

INSTANTIATE_TEST_SUITE_P(Values, CurrentStandardTest,
                         testing::Values(StandardCase{"", 7},
                                         StandardCase{"<適用要領基準>農村振興土木200504-01</適用要領基準>", 11},
                                         StandardCase{"<適用要領基準>土木200406-01</適用要領基準>", 2},
                                         StandardCase{"<適用要領基準>土木200805-01</適用要領基準>", 6},
                                         StandardCase{"<適用要領基準>土木201009-01</適用要領基準>", 7},
                                         StandardCase{"<適用要領基準>土木202003-01</適用要領基準>", 14},
                                         StandardCase{"<適用要領基準>農村振興土木201903-01</適用要領基準>", 16},
                                         // Unknown forms keep the old default.
                                         StandardCase{"<適用要領基準>土木2023-01</適用要領基準>", 5},
                                         // The first value decides.
                                         StandardCase{"<適用要領基準>土木202303-01</適用要領基準>"
                                                      "<適用要領基準>土木200406-01</適用要領基準>",
                                                      14}));

TEST_F(CurrentReaderTest, SameStandardOnlyRefillsTheContractGrid) {
  d.DigiVersion = 7;
  ASSERT_TRUE(Load(CurrentPhotoXml("", Photo("P1.JPG"))));
  EXPECT_EQ(host.Count("RefreshAll"), 0);
  EXPECT_EQ(host.Count("RefillContractGrid"), 1);
  // The same again after an index load refreshes everything.
  d.IndexLoaded = true;
  host.calls.clear();
  ASSERT_TRUE(Load(CurrentPhotoXml("", Photo("P1.JPG"))));
  EXPECT_FALSE(d.IndexLoaded);
  EXPECT_TRUE(d.PreviousIndexLoaded);
  EXPECT_EQ(host.Count("RefreshAll"), 1);
}

TEST_F(CurrentReaderTest, AfterAnIndexTheIndexStandardStays) {
  d.DigiVersion = 9;
  d.IndexLoaded = true;
  ASSERT_TRUE(Load(CurrentPhotoXml("<適用要領基準>土木200406-01</適用要領基準>", Photo("P1.JPG")), true));
  EXPECT_EQ(d.DigiVersion, 9);
  EXPECT_TRUE(d.IndexLoaded);
  EXPECT_EQ(host.Count("RefreshAll"), 0);
}

TEST_F(CurrentReaderTest, LevelWarningNamesTheFirstNodeAndFivePhotos) {
  std::string photos;
  for (int i = 1; i <= 4; ++i) photos += Photo("A" + std::to_string(i) + ".JPG", "", "<写真-大分類>工事</写真-大分類>");
  for (int i = 1; i <= 3; ++i) photos += Photo("B" + std::to_string(i) + ".JPG", "", "<写真-大分類>測量</写真-大分類>");
  photos += Photo("C1.JPG");  // a valid place
  ASSERT_TRUE(Load(CurrentPhotoXml("", photos)));
  EXPECT_EQ(host.Messages(), std::vector<std::string>{"level warning: 工事フォルダは不正な階層レベルに写真が登録されています。"
                                                      "\n\n分類: 工事写真 > 工事 ほか 1 分類\n"
                                                      "写真: 「t A1.JPG」 「t A2.JPG」 「t A3.JPG」 「t A4.JPG」 「t B1.JPG」 ほか 2 件"});
}

TEST_F(CurrentReaderTest, WindowStepsInOrderAndProgressEnds) {
  ASSERT_TRUE(Load(CurrentPhotoXml("", Photo("P1.JPG", "", "<写真-大分類>工事</写真-大分類>"))));
  EXPECT_EQ(host.Steps(), (std::vector<std::string>{"LeaveListMode", "UpdateTitle", "SelectUnclassifiedNode",
                                                    "SelectUnclassifiedNode", "LayOutInformationPanel",
                                                    "RefillContractGrid", "RequestButtonUpdate", "ShowNodePhotos"}));
  // A photo at the major class level is at an invalid place: one warning
  // that says where.
  EXPECT_EQ(host.Messages(), std::vector<std::string>{"level warning: 工事フォルダは不正な階層レベルに写真が登録されています。"
                                                      "\n\n分類: 工事写真 > 工事\n写真: 「t P1.JPG」"});
  EXPECT_EQ(host.progressStarts, 1);
  EXPECT_EQ(host.progressEnds, 1);
}

TEST_F(CurrentReaderTest, SingleMediumNeedsNoQuestionAndNoCopies) {
  Picture("d/PHOTO/PIC/P1.JPG");
  ASSERT_TRUE(Load(CurrentPhotoXml(kFolders, Photo("P1.JPG", Medium(1)) + Photo("P1.JPG", Medium(1)))));
  EXPECT_TRUE(host.Messages().empty());
  EXPECT_EQ(Text(2, F().FILENAME), Temp("d/PHOTO/PIC/P1.JPG"));
  EXPECT_TRUE(fs::is_empty(folders.userData + "PIC"));
}

TEST_F(CurrentReaderTest, SeveralMediaAskForEachChangeAndCopyThePictures) {
  Picture("d/PHOTO/PIC/P1.JPG");
  Picture("d/PHOTO/PIC/P2.JPG");
  Picture("d/PHOTO/DRA/D2.JPG");
  // A copy of an earlier load is removed first.
  fs::create_directories(folders.userData + "PIC/old");
  std::ofstream(folders.userData + "PIC/old/P0000009.JPG") << "old";
  // The third photo names no medium: it stays on medium 2, no new question.
  ASSERT_TRUE(Load(CurrentPhotoXml(
      kFolders, Photo("P1.JPG", Medium(1)) + Photo("P2.JPG", Medium(2) + Drawing("D2.JPG")) + Photo("P3.JPG"))));
  EXPECT_EQ(host.Messages(),
            std::vector<std::string>{"question: メディア２をセットしてください。\r\nよろしいですか？"});
  ASSERT_EQ(RecordCount(), 4);
  EXPECT_EQ(Text(1, F().FILENAME), folders.userData + "PIC/P0000001.JPG");
  EXPECT_EQ(Text(2, F().FILENAME), folders.userData + "PIC/P0000002.JPG");
  EXPECT_EQ(Text(3, F().FILENAME), folders.userData + "DRA/P0000003.JPG");
  // The missing picture's placeholder is copied like any picture.
  EXPECT_EQ(Text(4, F().FILENAME), folders.userData + "PIC/P0000004.JPG");
  EXPECT_EQ(fs::file_size(folders.userData + "PIC/P0000004.JPG"), fs::file_size(Placeholder()));
  EXPECT_FALSE(fs::exists(folders.userData + "PIC/old/P0000009.JPG"));
}

// Records that name one picture of another medium share one work copy; a
// load that shows no picture (the verbs) makes no copy at all.
TEST_F(CurrentReaderTest, WorkCopiesAreMadeOncePerPictureAndOnlyWhenPicturesAreShown) {
  Picture("d/PHOTO/PIC/P1.JPG");
  Picture("d/PHOTO/PIC/P2.JPG");
  const std::string xml =
      CurrentPhotoXml(kFolders, Photo("P1.JPG", Medium(1)) + Photo("P2.JPG", Medium(2)) + Photo("P2.JPG", Medium(2)));
  ASSERT_TRUE(Load(xml));
  EXPECT_EQ(Text(2, F().FILENAME), folders.userData + "PIC/P0000002.JPG");
  EXPECT_EQ(Text(3, F().FILENAME), folders.userData + "PIC/P0000002.JPG");
  EXPECT_FALSE(fs::exists(folders.userData + "PIC/P0000003.JPG"));

  const std::string file = Write("d/PHOTO/PHOTO.XML", xml);
  ImportContext ctx = Ctx();
  ctx.copyMultiMediaPictures = false;
  ASSERT_TRUE(ReadPhotoCurrent(ctx, file, false, Sj("ＸＭＬ入力")));
  EXPECT_EQ(Text(1, F().FILENAME), Temp("d/PHOTO/PIC/P1.JPG"));
  EXPECT_EQ(Text(3, F().FILENAME), Temp("d/PHOTO/PIC/P2.JPG"));
  EXPECT_TRUE(fs::is_empty(folders.userData + "PIC"));
}

TEST_F(CurrentReaderTest, MediaQuestionRepeatsWhileThePictureIsMissing) {
  Picture("d/PHOTO/PIC/P1.JPG");
  host.answers = {true, true, false};
  ASSERT_TRUE(Load(CurrentPhotoXml(kFolders, Photo("P1.JPG", Medium(1)) + Photo("P2.JPG", Medium(3)))));
  EXPECT_EQ(host.Messages().size(), 3u);
  EXPECT_EQ(host.Messages()[0], "question: メディア３をセットしてください。\r\nよろしいですか？");
  EXPECT_EQ(Text(2, F().FILENAME), folders.userData + "PIC/P0000002.JPG");
}

TEST_F(CurrentReaderTest, MediaQuestionFindsThePictureOfTheNewMedium) {
  Picture("d/PHOTO/PIC/P1.JPG");
  // The user "inserts" medium 2 while the question is shown: the folder was
  // listed before and must be looked at again.
  struct InsertingHost : test::RecordingHost {
    std::string target;
    bool ConfirmYesCancel(const std::string& text) override {
      RecordingHost::ConfirmYesCancel(text);
      fs::copy_file(fs::path(target).parent_path() / "P1.JPG", target);
      return true;
    }
  } inserting;
  inserting.target = Temp("d/PHOTO/PIC/p2.jpg");
  const std::string file =
      Write("d/PHOTO/PHOTO.XML", CurrentPhotoXml(kFolders, Photo("p1.jpg", Medium(1)) + Photo("P2.JPG", Medium(2))));
  ImportContext ctx{d, inserting, folders, false};
  ASSERT_TRUE(ReadPhotoCurrent(ctx, file, false, Sj("ＸＭＬ入力")));
  EXPECT_EQ(inserting.Messages().size(), 1u);
  EXPECT_EQ(fs::file_size(Text(2, F().FILENAME)), fs::file_size(Temp("d/PHOTO/PIC/P1.JPG")));
}

TEST_F(CurrentReaderTest, UnparsableFileLeavesThePreviousDeliveryAlone) {
  Picture("d/PHOTO/PIC/P1.JPG");
  ASSERT_TRUE(Load(CurrentPhotoXml(kFolders, Photo("P1.JPG"))));
  host.calls.clear();
  const std::string broken = Write("e/PHOTO/PHOTO.XML", "<photodata><基礎情報></photodata>\n");
  ImportContext ctx = Ctx();
  EXPECT_FALSE(ReadPhotoCurrent(ctx, broken, false, Sj("ＸＭＬ入力")));
  // Only the parser's report, naming the element left open.
  ASSERT_EQ(host.calls.size(), 1u);
  EXPECT_EQ(host.calls[0].rfind("info: XMLファイルのフォーマットが不正です。", 0), 0u) << host.calls[0];
  EXPECT_NE(host.calls[0].find("<基礎情報>"), std::string::npos) << host.calls[0];
  EXPECT_EQ(RecordCount(), 1);
  EXPECT_EQ(Text(1, F().FILENAME), Temp("d/PHOTO/PIC/P1.JPG"));
}

TEST_F(CurrentReaderTest, RecordFileErrorEndsTheLoadWithItsMessage) {
  // The work data folder is a file: the photo table cannot be created.
  std::ofstream(Temp("notafolder")) << "x";
  folders.workData = Temp("notafolder/");
  EXPECT_FALSE(Load(CurrentPhotoXml(kFolders, Photo("P1.JPG"))));
  ASSERT_EQ(host.Messages().size(), 1u);
  EXPECT_EQ(host.Messages()[0].rfind("warning: ", 0), 0u);
  EXPECT_EQ(host.progressEnds, host.progressStarts);
}

TEST_F(CurrentReaderTest, ErrorHalfwayEndsTheProgressAndTheNextLoadWorks) {
  Picture("d/PHOTO/PIC/P1.JPG");
  // The record file fails in the second photo section, after the first
  // photo and its drawing were posted.
  struct FailingHost : test::RecordingHost {
    void ReportProgress(char code, int value) override {
      RecordingHost::ReportProgress(code, value);
      if (code == 'R' && value == 15) throw EBinaryDataSetError("Disk full");
    }
  } failing;
  const std::string file =
      Write("d/PHOTO/PHOTO.XML", CurrentPhotoXml(kFolders, Photo("P1.JPG", Drawing("D.JPG")) + Photo("P1.JPG")));
  ImportContext ctx{d, failing, folders, false};
  EXPECT_FALSE(ReadPhotoCurrent(ctx, file, false, Sj("ＸＭＬ入力")));
  EXPECT_EQ(failing.Messages(), std::vector<std::string>{"warning: Disk full"});
  EXPECT_EQ(failing.progressStarts, 1);
  EXPECT_EQ(failing.progressEnds, 1);
  EXPECT_EQ(RecordCount(), 2);
  ASSERT_TRUE(Load(CurrentPhotoXml(kFolders, Photo("P1.JPG"))));
  EXPECT_EQ(RecordCount(), 1);
}

}  // namespace
}  // namespace zor
