// The dispatcher: which index is tried, which reader is called.
#include "import/dispatch.h"

#include <filesystem>
#include <fstream>
#include <utility>

#include "import_fixture.h"
#include "text/encoding.h"

namespace zor {
namespace {

namespace fs = std::filesystem;

std::string Index(const char* root, const std::string& standard) {
  std::string basic = standard.empty() ? "" : "<基礎情報><適用要領基準>" + standard + "</適用要領基準></基礎情報>";
  return std::string("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<") + root + ">" + basic + "</" + root + ">\n";
}

const std::string kPhoto =
    "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<photodata DTD_version=\"04\">\n"
    "<写真情報><写真ファイル情報><写真ファイル名>P.JPG</写真ファイル名></写真ファイル情報>"
    "<撮影工種区分><写真-大分類>工事</写真-大分類><写真区分>施工状況写真</写真区分></撮影工種区分></写真情報>\n"
    "</photodata>\n";

class DispatchTest : public test::ImportTest {
 protected:
  int Find(std::string& folder) {
    ImportContext ctx = Ctx();
    return FindIndexForPhotoFolder(ctx, folder);
  }
  bool Dispatch(const std::string& path, bool* loaded = nullptr) {
    ImportContext ctx = Ctx();
    return DispatchDeliveryFile(ctx, path, Sj("ＸＭＬ入力"), loaded);
  }
};

struct FindCase {
  const char* name;
  const char* construction;  // 適用要領基準 of INDEX_C.XML; nullptr: no file
  const char* services;
  int kind;
};

class FindIndexTest : public DispatchTest, public testing::WithParamInterface<FindCase> {};

TEST_P(FindIndexTest, LooksInTheParentFolder) {
  const FindCase& c = GetParam();
  if (c.construction) Write("d/INDEX_C.XML", Index("constdata", c.construction));
  if (c.services) Write("d/index_d.xml", Index("gyomudata", c.services));
  Write("d/PHOTO/PHOTO.XML", kPhoto);
  std::string folder = Temp("d/PHOTO/");
  EXPECT_EQ(Find(folder), c.kind);
  EXPECT_EQ(folder, c.kind ? Temp("d/") : Temp("d/PHOTO/"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindIndexTest,
    testing::Values(FindCase{"SupportedConstruction", "土木201009-01", nullptr, kEntryConstruction},
                    FindCase{"FarmConstruction", "農村振興土木200504-01", nullptr, kEntryConstruction},
                    FindCase{"LaterConstruction", "土木202303-01", nullptr, kEntryConstruction},
                    FindCase{"UnsupportedConstruction", "土木202313-01", nullptr, kEntryPhoto},
                    // INDEX_D.XML is tried only when there is no INDEX_C.XML.
                    FindCase{"UnsupportedConstructionBesideServices", "土木202313-01", "土木200805-01", kEntryPhoto},
                    // The services reader accepts what the construction reader refuses.
                    FindCase{"ServicesFromSeptember2010", nullptr, "土木201009-01", kEntryServices},
                    FindCase{"LaterServices", nullptr, "土木202003-01", kEntryServices},
                    FindCase{"SupportedServices", nullptr, "土木200406-01", kEntryServices},
                    FindCase{"IndexWithoutStandard", "", nullptr, kEntryPhoto},
                    FindCase{"NoIndex", nullptr, nullptr, kEntryPhoto}),
    [](const testing::TestParamInfo<FindCase>& info) { return std::string(info.param.name); });

TEST_F(DispatchTest, IndexFirstThenTheDeliverysPhotoFile) {
  Write("d/INDEX_C.XML", Index("constdata", "土木200805-01"));
  Write("d/photo/photo.xml", kPhoto);
  bool loaded = false;
  EXPECT_TRUE(Dispatch(Temp("d/INDEX_C.XML"), &loaded));
  EXPECT_TRUE(loaded);
  EXPECT_EQ(d.DigiVersion, 6);
  EXPECT_TRUE(d.IndexLoaded);
  EXPECT_EQ(RecordCount(), 1);
  EXPECT_EQ(host.Messages(), (std::vector<std::string>{"status: 工事情報を読み込んでいます・・・",
                                                       "status: 写真情報を読み込んでいます・・・"}));
}

TEST_F(DispatchTest, IndexNamedInLowerCaseIsStillAnIndex) {
  Write("d/index_d.xml", Index("gyomudata", "土木200805-01"));
  Write("d/PHOTO/PHOTO.XML", kPhoto);
  EXPECT_TRUE(Dispatch(Temp("d/index_d.xml")));
  EXPECT_EQ(d.DigiVersion, 9);
}

TEST_F(DispatchTest, RefusedIndexReadsNoPhotoFile) {
  Write("d/INDEX_C.XML", Index("constdata", "土木200206-01"));
  Write("d/PHOTO/PHOTO.XML", kPhoto);
  bool loaded = true;
  EXPECT_FALSE(Dispatch(Temp("d/INDEX_C.XML"), &loaded));
  EXPECT_FALSE(loaded);
  EXPECT_FALSE(d.PhotoTable.Active());
}

TEST_F(DispatchTest, MissingPhotoFileBesideAnIndexEndsQuietly) {
  Write("d/INDEX_C.XML", Index("constdata", "土木201009-01"));
  EXPECT_FALSE(Dispatch(Temp("d/INDEX_C.XML")));
  EXPECT_TRUE(d.IndexLoaded);
  EXPECT_EQ(host.Messages(), std::vector<std::string>{"status: 工事情報を読み込んでいます・・・"});
}

TEST_F(DispatchTest, UnknownRevisionIsReported) {
  Write("d/PHOTO.XML", "<?xml version=\"1.0\"?>\n<photodata DTD_version=\"05\">\n</photodata>\n");
  EXPECT_FALSE(Dispatch(Temp("d/PHOTO.XML")));
  EXPECT_EQ(host.Messages(), std::vector<std::string>{"info: PHOTO.XML の改正バージョンが不明です。"});
  EXPECT_FALSE(d.PhotoTable.Active());
}

// A UTF-16 file, with or without its byte order mark, is named as such.
TEST_F(DispatchTest, Utf16PhotoFileIsSaidToBeUtf16) {
  const std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<!DOCTYPE photodata SYSTEM \"PHOTO05.DTD\">\n";
  auto utf16 = [&xml](bool bigEndian, bool mark) {
    std::string out = mark ? (bigEndian ? "\xFE\xFF" : "\xFF\xFE") : "";
    for (char c : xml) out += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    return out;
  };
  for (const auto& [bigEndian, mark] : {std::pair{false, true}, std::pair{true, true}, std::pair{false, false}}) {
    host.calls.clear();
    fs::create_directories(Temp("u"));
    std::ofstream(Temp("u/PHOTO.XML"), std::ios::binary | std::ios::trunc) << utf16(bigEndian, mark);
    EXPECT_FALSE(Dispatch(Temp("u/PHOTO.XML")));
    EXPECT_EQ(host.Messages(), std::vector<std::string>{"info: PHOTO.XML の改正バージョンが不明です。\r\n"
                                                        "このファイルは UTF-16 で書かれています。Shift_JIS か UTF-8 "
                                                        "で保存したファイルを開いてください。"})
        << bigEndian << mark;
  }
}

TEST_F(DispatchTest, MissingOrUnreadablePhotoFileIsNoDispatch) {
  EXPECT_FALSE(Dispatch(Temp("none/PHOTO.XML")));
  fs::create_directories(Temp("dir/PHOTO.XML"));
  EXPECT_FALSE(Dispatch(Temp("dir/PHOTO.XML")));
  EXPECT_TRUE(host.calls.empty());
}

TEST_F(DispatchTest, ReaderThatFailsStillCountsAsDispatched) {
  Write("d/PHOTO.XML", "<!DOCTYPE photodata SYSTEM \"PHOTO04.DTD\">\n<photodata><写真情報>\n");
  bool loaded = true;
  EXPECT_TRUE(Dispatch(Temp("d/PHOTO.XML"), &loaded));
  EXPECT_FALSE(loaded);
}

TEST_F(DispatchTest, RevisionChoosesTheReader) {
  for (const auto& [rel, version] : std::vector<std::pair<std::string, int>>{{"photo1999/PHOTO.XML", 0},
                                                                             {"photo2002/PHOTO/PHOTO.XML", 1},
                                                                             {"photo2002n/PHOTO/PHOTO.XML", 10},
                                                                             {"multimedia/PHOTO/PHOTO.XML", 2}}) {
    bool loaded = false;
    EXPECT_TRUE(Dispatch(Data(rel), &loaded)) << rel;
    EXPECT_TRUE(loaded) << rel;
    EXPECT_EQ(d.DigiVersion, version) << rel;
  }
}

TEST_F(DispatchTest, EntryFileIsFoundIgnoringCase) {
  Write("d/index_c.xml", "x");
  EXPECT_EQ(EntryFileOf(Temp("d/"), kEntryConstruction), Temp("d/index_c.xml"));
  EXPECT_EQ(EntryFileOf(Temp("d"), kEntryServices), Temp("d/INDEX_D.XML"));
}

}  // namespace
}  // namespace zor
