#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "store/photo_table.h"
#include "store_fixture.h"
#include "text/encoding.h"

namespace zor {
namespace {

class PhotoTableTest : public ScratchDir {
 protected:
  std::string WorkFile() const { return PhotoTableFileName(Folder(), Sj(kXmlInputWorkNameUtf8)); }

  // Appends a record with RECORD = the next number and returns that number.
  static int AppendRecord(TViewDataSet& t, const std::string& title) {
    int number = t.RecordCount() + 1;
    t.Append();
    t.SetAsInteger(t.FieldPos.RECORD, number);
    t.SetAsString(t.FieldPos.TITLE, title);
    t.Post();
    return number;
  }
};

TEST_F(PhotoTableTest, FieldsAndTheirOffsets) {
  TViewDataSet t;
  t.OpenPhotoTable(true, WorkFile());
  struct Field {
    const char* name;
    FieldType type;
    int size, offset;
  } fields[] = {
      {"RECORD", FieldType::ftInteger, 0, 4},         {"CHECK", FieldType::ftBoolean, 0, 8},
      {"FLAG", FieldType::ftInteger, 0, 10},          {"JFILENAME", FieldType::ftString, 255, 14},
      {"YOBI_FJ", FieldType::ftString, 255, 273},     {"TITLE", FieldType::ftString, 80, 532},
      {"YOBI_KK", FieldType::ftString, 1024, 616},    {"KASYO", FieldType::ftString, 128, 1644},
      {"YOBI_FU", FieldType::ftString, 255, 1776},    {"DATE", FieldType::ftString, 10, 2035},
      {"FILMNUM", FieldType::ftInteger, 0, 2049},     {"NEGANUM", FieldType::ftString, 8, 2053},
      {"YOBI_SJ", FieldType::ftString, 2048, 2065},   {"KANRI", FieldType::ftString, 255, 4117},
      {"YOBI_SK", FieldType::ftString, 2048, 4376},   {"YOBI_JK", FieldType::ftString, 255, 6428},
      {"UKEOIBIKOU", FieldType::ftString, 255, 6687}, {"HACYUBIKOU", FieldType::ftString, 255, 6946},
      {"YOBI_SO", FieldType::ftString, 1024, 7205},   {"FILENAME", FieldType::ftString, 255, 8233},
      {"FILE_ORG", FieldType::ftString, 1, 8492},     {"FILE_NOW", FieldType::ftString, 1, 8497},
      {"REC_DRA", FieldType::ftString, 255, 8502},
  };
  ASSERT_EQ(t.FieldCount(), 23);
  for (int pos = 0; pos < 23; ++pos) {
    EXPECT_EQ(t.FieldName(pos), fields[pos].name);
    EXPECT_EQ(t.GetFieldType(pos), fields[pos].type) << fields[pos].name;
    EXPECT_EQ(t.FieldSize(pos), fields[pos].size) << fields[pos].name;
    EXPECT_EQ(t.FieldOffset(pos), fields[pos].offset) << fields[pos].name;
  }
  AppendRecord(t, "x");
  t.Close();
  std::vector<unsigned char> b = ReadBytes(WorkFile());
  EXPECT_EQ(Int32At(b, 8), 8761);
  EXPECT_EQ(Int32At(b, 32), 979);
  EXPECT_EQ(b.size(), 979u + 8761u);
}

TEST_F(PhotoTableTest, FieldPositionsFollowEveryOpen) {
  TViewDataSet t;
  t.OpenPhotoTable(true, WorkFile());
  EXPECT_EQ(t.FieldPos.RECORD, 0);
  EXPECT_EQ(t.FieldPos.DATE, 9);
  EXPECT_EQ(t.FieldPos.REC_DRA, 22);
  EXPECT_EQ(t.FieldPos.FILE_ALBUM, -1);
  EXPECT_EQ(t.FieldPos.THUMBNAIL, -1);
  EXPECT_EQ(FieldPosByName(t, "title"), 5);
  EXPECT_EQ(FieldPosByName(t, "Rec_Dra"), 22);
  EXPECT_EQ(FieldPosByName(t, "NOPE"), -1);

  // Without create an existing table is opened with whatever it declares.
  TBinaryDataSet other;
  other.TableName = Path("other.dat");
  other.FieldDefs = {{"thumbnail", FieldType::ftString, 10, false}, {"record", FieldType::ftInteger, 0, false}};
  ASSERT_TRUE(other.CreateTable(nullptr));
  t.OpenPhotoTable(false, other.TableName);
  EXPECT_EQ(t.FieldPos.THUMBNAIL, 0);
  EXPECT_EQ(t.FieldPos.RECORD, 1);
  EXPECT_EQ(t.FieldPos.TITLE, -1);
  t.Close();
  EXPECT_EQ(t.FieldPos.RECORD, -1);
}

TEST_F(PhotoTableTest, LocateTakesTheValueAsARecordNumber) {
  TViewDataSet t;
  EXPECT_FALSE(t.GotoPhotoRecord(1));  // closed: false, no error
  t.OpenPhotoTable(true, WorkFile());
  EXPECT_FALSE(t.GotoPhotoRecord(1));  // empty
  for (int i = 1; i <= 3; ++i) AppendRecord(t, "p" + std::to_string(i));
  ASSERT_TRUE(t.GotoPhotoRecord(2));
  EXPECT_EQ(t.AsString(t.FieldPos.TITLE), "p2");
  for (int n : {0, 4, -1}) {
    EXPECT_FALSE(t.Locate("RECORD", n)) << n;
    EXPECT_EQ(t.RecNo(), 2) << n;
  }
  EXPECT_TRUE(t.Locate("ANYTHING", 3));
  EXPECT_EQ(t.AsInteger(t.FieldPos.RECORD), 3);
}

// Two photos, the first with two drawings: records 1 (photo), 2 and 3
// (drawings), 4 (photo), as a reader stores them.
TEST_F(PhotoTableTest, DrawingListsOfALoad) {
  TViewDataSet t;
  t.OpenPhotoTable(true, WorkFile());
  int photo1 = AppendRecord(t, "photo1");
  TIntList drawings = {AppendRecord(t, "dra1"), AppendRecord(t, "dra2")};
  int photo2 = AppendRecord(t, "photo2");
  ASSERT_TRUE(t.GotoPhotoRecord(photo1));
  t.Edit();
  EXPECT_EQ(t.StoreDrawingList(drawings), 2u);
  t.Post();
  EXPECT_EQ(t.AsString(t.FieldPos.REC_DRA), "0000200003");

  TIntList list = {99};
  EXPECT_EQ(t.LoadDrawingList(photo1, list), 2);
  EXPECT_EQ(list, (TIntList{2, 3}));
  EXPECT_EQ(t.LoadDrawingList(photo2, list), 1);
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(t.LoadDrawingList(5, list), 0);
  ASSERT_TRUE(t.GotoPhotoRecord(photo1));
  EXPECT_EQ(t.LoadDrawingList(0, list), 2);  // the current record

  // A trailing group shorter than 5 characters is ignored.
  t.Edit();
  t.SetAsString(t.FieldPos.REC_DRA, "00012000");
  t.Post();
  EXPECT_EQ(t.LoadDrawingList(photo1, list), 2);
  EXPECT_EQ(list, (TIntList{12}));
}

TEST_F(PhotoTableTest, WorkFileNameIsTheWorkNameInUtf8) {
  EXPECT_EQ(WorkFile(), Folder() + "ＸＭＬ入力.DAT");
  TViewDataSet t;
  t.OpenPhotoTable(true, WorkFile());
  EXPECT_TRUE(std::filesystem::exists(Folder() + "ＸＭＬ入力.DAT"));
}

// The work file after a crash: posted appends are all there; a torn last
// record or any other damage is simply replaced by the next load.
TEST_F(PhotoTableTest, ALoadAlwaysReplacesWhatACrashLeft) {
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    TViewDataSet c;
    c.OpenPhotoTable(true, WorkFile());
    for (int i = 1; i <= 3; ++i) AppendRecord(c, "p");
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

  TViewDataSet t;
  t.OpenPhotoTable(false, WorkFile());
  EXPECT_EQ(t.RecordCount(), 3);
  t.Close();

  std::filesystem::resize_file(WorkFile(), 979 + 2 * 8761 + 100);  // died inside a write
  EXPECT_THROW(t.OpenPhotoTable(false, WorkFile()), EBinaryDataSetError);
  EXPECT_FALSE(t.Active());
  t.OpenPhotoTable(true, WorkFile());
  EXPECT_EQ(t.RecordCount(), 0);
  t.Close();

  WriteBytes(WorkFile(), {'j', 'u', 'n', 'k'});
  t.OpenPhotoTable(true, WorkFile());
  EXPECT_EQ(AppendRecord(t, "fresh"), 1);
}

// A work file that another table holds open is not taken from it: the load
// fails and the holder keeps its records.
TEST_F(PhotoTableTest, ALoadDoesNotTakeAFileHeldElsewhere) {
  TViewDataSet holder;
  holder.OpenPhotoTable(true, WorkFile());
  AppendRecord(holder, "kept");
  TViewDataSet t;
  EXPECT_THROW(t.OpenPhotoTable(true, WorkFile()), EBinaryDataSetError);
  EXPECT_FALSE(t.Active());
  holder.Close();
  holder.OpenPhotoTable(false, WorkFile());
  EXPECT_EQ(holder.RecordCount(), 1);
  holder.Close();
  // Once released, the next load replaces it.
  t.OpenPhotoTable(true, WorkFile());
  EXPECT_EQ(t.RecordCount(), 0);
}

}  // namespace
}  // namespace zor
