#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "store/bindata.h"
#include "store_fixture.h"
#include "text/encoding.h"

namespace zor {
namespace {

// The table of the format's worked example: RECORD (integer) and TITLE
// (string of 80 bytes).
class BinDataTest : public ScratchDir {
 protected:
  void Define(TBinaryDataSet& t, const std::string& name = "t.dat") {
    t.TableName = Path(name);
    t.FieldDefs = {{"RECORD", FieldType::ftInteger, 0, false}, {"TITLE", FieldType::ftString, 80, false}};
  }
  // Creates and opens a table holding records 1..n, TITLE "title<n>".
  void CreateWith(TBinaryDataSet& t, int n) {
    Define(t);
    ASSERT_TRUE(t.CreateTable(nullptr));
    t.Open();
    for (int i = 1; i <= n; ++i) {
      t.Append();
      t.SetAsInteger(0, i);
      t.SetAsString(1, "title" + std::to_string(i));
      t.Post();
    }
  }
  static std::vector<int> Forward(TBinaryDataSet& t) {
    std::vector<int> seen;
    for (t.First(); !t.Eof(); t.Next()) seen.push_back(t.AsInteger(0));
    return seen;
  }
  static std::vector<int> Backward(TBinaryDataSet& t) {
    std::vector<int> seen;
    for (t.Last(); !t.Bof(); t.Prior()) seen.push_back(t.AsInteger(0));
    return seen;
  }
};

TEST_F(BinDataTest, WorkedExampleByteLayout) {
  TBinaryDataSet t;
  Define(t);
  ASSERT_TRUE(t.CreateTable(nullptr));
  EXPECT_FALSE(t.Active());

  std::vector<unsigned char> b = ReadBytes(t.TableName);
  ASSERT_EQ(b.size(), 118u);
  EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "BDS\x1A");
  const std::int32_t header[] = {13, 92, 0, 2, -1, -1, 0, 118};  // version .. StartData
  for (int i = 0; i < 8; ++i) EXPECT_EQ(Int32At(b, 4 + 4 * i), header[i]) << "header word " << i + 1;
  // Descriptors: name (28, zero-filled), type, slot width, size, precision.
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[36])), "RECORD");
  for (int i = 36 + 6; i < 36 + 28; ++i) EXPECT_EQ(b[i], 0) << i;
  EXPECT_EQ(b[36 + 28], 3);
  EXPECT_EQ(Int32At(b, 36 + 29), 4);
  EXPECT_EQ(Int32At(b, 36 + 33), 0);
  EXPECT_EQ(Int32At(b, 36 + 37), 0);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[77])), "TITLE");
  EXPECT_EQ(b[77 + 28], 1);
  EXPECT_EQ(Int32At(b, 77 + 29), 84);
  EXPECT_EQ(Int32At(b, 77 + 33), 80);

  t.Open();
  EXPECT_EQ(t.FieldOffset(0), 4);
  EXPECT_EQ(t.FieldOffset(1), 8);
  for (int i = 1; i <= 2; ++i) {
    t.Append();
    t.SetAsInteger(0, i);
    t.SetAsString(1, "photo" + std::to_string(i));
    t.Post();
  }
  t.Close();
  b = ReadBytes(t.TableName);
  ASSERT_EQ(b.size(), 302u);
  EXPECT_EQ(Int32At(b, 12), 2);   // record count
  EXPECT_EQ(Int32At(b, 118), 0);  // link of a live record
  EXPECT_EQ(Int32At(b, 122), 1);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[126])), "photo1");
  EXPECT_EQ(Int32At(b, 118 + 92 + 4), 2);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[118 + 92 + 8])), "photo2");
}

TEST_F(BinDataTest, TextIsCutAtTheFieldSizeWithoutSplittingACharacter) {
  TBinaryDataSet t;
  CreateWith(t, 0);
  const std::string wide = Sj("工");  // two bytes
  struct Case {
    std::string in, stored;
  } cases[] = {
      {std::string(100, 'a'), std::string(80, 'a')},
      {std::string(80, 'b'), std::string(80, 'b')},
      {std::string(79, 'c') + wide, std::string(79, 'c')},  // the pair would end at byte 81
      {std::string(78, 'd') + wide + "x", std::string(78, 'd') + wide},
      {"", ""},
  };
  for (const Case& c : cases) {
    t.Append();
    t.SetAsString(1, c.in);
    t.Post();
  }
  t.Close();
  std::vector<unsigned char> b = ReadBytes(t.TableName);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    std::size_t slot = 118 + i * 92 + 8;
    std::string stored(reinterpret_cast<const char*>(&b[slot]), 84);
    EXPECT_EQ(stored.substr(0, stored.find('\0')), cases[i].stored) << i;
    EXPECT_EQ(b[slot + cases[i].stored.size()], 0) << "terminator of case " << i;
  }
  t.Open();
  std::size_t i = 0;
  for (t.First(); !t.Eof(); t.Next()) EXPECT_EQ(t.AsString(1), cases[i++].stored);
}

TEST_F(BinDataTest, CreateAsksBeforeReplacingAnExistingFile) {
  TBinaryDataSet t;
  CreateWith(t, 3);
  t.Close();
  const std::vector<unsigned char> before = ReadBytes(t.TableName);

  RecordingHost no(false);
  EXPECT_FALSE(t.CreateTable(&no));
  ASSERT_EQ(no.asked.size(), 1u);
  EXPECT_EQ(no.asked[0], "File " + t.TableName + " already exists. OK to override?");
  EXPECT_EQ(ReadBytes(t.TableName), before);

  RecordingHost yes(true);
  EXPECT_TRUE(t.CreateTable(&yes));
  EXPECT_EQ(ReadBytes(t.TableName).size(), 118u);

  RecordingHost unused(true);
  t.TableName = Path("new.dat");
  EXPECT_TRUE(t.CreateTable(&unused));
  EXPECT_TRUE(unused.asked.empty());
}

TEST_F(BinDataTest, CreateRefusals) {
  TBinaryDataSet t;
  CreateWith(t, 2);
  try {
    t.CreateTable(nullptr);
    FAIL() << "created while open";
  } catch (const EBinaryDataSetError& e) {
    EXPECT_EQ(std::string(e.what()), Sj("データセットが開かれているため, この操作は実行できません"));
  }
  t.Close();
  const std::vector<unsigned char> before = ReadBytes(t.TableName);

  struct Case {
    FieldDef def;
    const char* message;
  } cases[] = {
      {{"X", FieldType::ftUnknown, 0, false}, "InitFieldsDefs: Unsupported field type"},
      {{"X", FieldType::ftBCD, 0, false}, "InitFieldsDefs: Unsupported field type"},
      {{"X", static_cast<FieldType>(12), 0, false}, "InitFieldsDefs: Unsupported field type"},
      {{"X", FieldType::ftString, -1, false}, "InitFieldsDefs: Invalid field definition"},
      {{"X", FieldType::ftString, 70000, false}, "InitFieldsDefs: Invalid field definition"},
      {{std::string(28, 'N'), FieldType::ftInteger, 0, false}, "InitFieldsDefs: Invalid field definition"},
      {{"", FieldType::ftInteger, 0, false}, "InitFieldsDefs: Invalid field definition"},
  };
  for (const Case& c : cases) {
    t.FieldDefs = {{"RECORD", FieldType::ftInteger, 0, false}, c.def};
    try {
      t.CreateTable(nullptr);
      ADD_FAILURE() << c.message;
    } catch (const EBinaryDataSetError& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
    // The existing file is never touched by a refused definition.
    EXPECT_EQ(ReadBytes(t.TableName), before) << c.message;
  }
  // Field slots beyond offset 32000 or a record of 65536 bytes are refused too.
  t.FieldDefs = {{"A", FieldType::ftString, 32000, false}, {"B", FieldType::ftInteger, 0, false}};
  EXPECT_THROW(t.CreateTable(nullptr), EBinaryDataSetError);
  t.FieldDefs = {{"A", FieldType::ftString, 30000, false}, {"B", FieldType::ftString, 35600, false}};
  EXPECT_THROW(t.CreateTable(nullptr), EBinaryDataSetError);
  t.FieldDefs.clear();
  EXPECT_THROW(t.CreateTable(nullptr), EBinaryDataSetError);
  EXPECT_EQ(ReadBytes(t.TableName), before);
}

TEST_F(BinDataTest, DeletedRecordsAreSkippedAndChained) {
  TBinaryDataSet t;
  CreateWith(t, 5);
  t.SetRecNo(2);
  t.DeleteCurrentRecord();
  EXPECT_EQ(t.AsInteger(0), 3);  // the next live record becomes current
  t.SetRecNo(4);
  t.DeleteCurrentRecord();
  EXPECT_EQ(t.RecordCount(), 3);
  EXPECT_EQ(Forward(t), (std::vector<int>{1, 3, 5}));
  EXPECT_EQ(Backward(t), (std::vector<int>{5, 3, 1}));
  t.Close();

  std::vector<unsigned char> b = ReadBytes(t.TableName);
  EXPECT_EQ(b.size(), 118u + 5 * 92);  // nothing removed
  EXPECT_EQ(Int32At(b, 12), 3);
  EXPECT_EQ(Int32At(b, 24), 4);  // FirstDeleted: record 4, the latest
  EXPECT_EQ(Int32At(b, 28), 2);
  EXPECT_EQ(Int32At(b, 118 + 3 * 92), 2);   // record 4 links to record 2
  EXPECT_EQ(Int32At(b, 118 + 1 * 92), -1);  // record 2 ends the chain

  t.Open();
  EXPECT_EQ(Forward(t), (std::vector<int>{1, 3, 5}));
  // A deleted record at the position RecNo names gives the next live one.
  t.SetRecNo(2);
  EXPECT_EQ(t.RecNo(), 3);
}

TEST_F(BinDataTest, NoLiveRecordsMeansEndAtOnceEvenWithDeletedOnes) {
  TBinaryDataSet t;
  CreateWith(t, 2);
  t.First();
  t.DeleteCurrentRecord();
  t.DeleteCurrentRecord();
  EXPECT_TRUE(t.Eof());
  t.Close();
  t.Open();
  EXPECT_EQ(t.RecordCount(), 0);
  EXPECT_TRUE(t.Eof());
  EXPECT_TRUE(t.Bof());
  EXPECT_EQ(t.RecNo(), 0);
  EXPECT_EQ(t.AsString(1), "");
  t.Last();
  EXPECT_TRUE(t.Eof());
  EXPECT_TRUE(Forward(t).empty());
}

TEST_F(BinDataTest, RecNoEdgeValues) {
  TBinaryDataSet t;
  CreateWith(t, 3);
  t.SetRecNo(2);
  ASSERT_EQ(t.RecNo(), 2);
  for (int n : {0, -1, 4, 1000}) {
    t.SetRecNo(n);
    EXPECT_EQ(t.RecNo(), 2) << n;
  }
  t.SetRecNo(3);
  EXPECT_EQ(t.AsInteger(0), 3);
  t.SetRecNo(1);
  EXPECT_EQ(t.AsInteger(0), 1);
}

TEST_F(BinDataTest, MovingEndsEditAndInsertState) {
  TBinaryDataSet t;
  CreateWith(t, 2);
  // An unmodified new record is cancelled by a move ...
  t.Append();
  t.SetRecNo(1);
  EXPECT_EQ(t.RecordCount(), 2);
  // ... a modified one is posted.
  t.Append();
  t.SetAsInteger(0, 3);
  EXPECT_TRUE(t.Modified());
  EXPECT_EQ(t.RecNo(), 0);  // not in the file yet
  t.SetRecNo(1);
  EXPECT_EQ(t.RecordCount(), 3);
  EXPECT_EQ(t.State(), DataSetState::dsBrowse);
  EXPECT_EQ(Forward(t), (std::vector<int>{1, 2, 3}));
}

TEST_F(BinDataTest, AppendEditPostCancel) {
  TBinaryDataSet t;
  CreateWith(t, 2);
  t.SetRecNo(1);
  t.Append();
  EXPECT_EQ(t.State(), DataSetState::dsInsert);
  EXPECT_FALSE(t.Modified());
  EXPECT_EQ(t.AsString(1), "");  // a new record is zero-filled
  t.SetAsString(1, "dropped");
  t.Cancel();
  EXPECT_EQ(t.RecNo(), 1);  // back on the record current before Append
  EXPECT_EQ(t.RecordCount(), 2);
  EXPECT_EQ(ReadBytes(t.TableName).size(), 118u + 2 * 92);

  t.Append();
  t.SetAsInteger(0, 9);
  t.Post();
  EXPECT_EQ(t.RecNo(), 3);  // the new record stays current
  EXPECT_EQ(t.AsInteger(0), 9);

  t.SetRecNo(2);
  t.Edit();
  t.SetAsString(1, "changed");
  t.Cancel();
  EXPECT_EQ(t.AsString(1), "title2");
  t.Edit();
  t.SetAsString(1, "changed");
  t.Post();
  t.Close();
  t.Open();
  t.SetRecNo(2);
  EXPECT_EQ(t.AsString(1), "changed");
  EXPECT_EQ(t.RecordCount(), 3);
}

TEST_F(BinDataTest, OperationsOutsideTheirState) {
  TBinaryDataSet t;
  Define(t);
  ASSERT_TRUE(t.CreateTable(nullptr));
  const std::string closed = Sj("データセットは閉じているため, この操作は実行できません");
  for (auto op : {+[](TBinaryDataSet& d) { (void)d.RecordCount(); }, +[](TBinaryDataSet& d) { d.Post(); },
                  +[](TBinaryDataSet& d) { d.Append(); }, +[](TBinaryDataSet& d) { d.Next(); }}) {
    try {
      op(t);
      ADD_FAILURE() << "ran while closed";
    } catch (const EBinaryDataSetError& e) {
      EXPECT_EQ(std::string(e.what()), closed);
    }
  }
  t.Open();
  EXPECT_THROW(t.SetAsInteger(0, 1), EBinaryDataSetError);  // browse state
  EXPECT_THROW(t.Edit(), EBinaryDataSetError);              // no record to edit
  EXPECT_THROW((void)t.AsString(2), EBinaryDataSetError);   // no such field
  EXPECT_THROW((void)t.AsString(-1), EBinaryDataSetError);
}

TEST_F(BinDataTest, GotoPosition) {
  TBinaryDataSet t;
  CreateWith(t, 3);
  t.GotoPosition(2);
  EXPECT_EQ(t.AsInteger(0), 3);
  try {
    t.GotoPosition(7);
    FAIL();
  } catch (const EBinaryDataSetError& e) {
    EXPECT_EQ(std::string(e.what()), "Bookmark 7 not found");
  }
  t.SetRecNo(2);
  t.DeleteCurrentRecord();
  try {
    t.GotoPosition(1);
    FAIL();
  } catch (const EBinaryDataSetError& e) {
    EXPECT_EQ(std::string(e.what()), "GetRecord: Invalid record");
  }
}

TEST_F(BinDataTest, NumericAndBooleanSlots) {
  TBinaryDataSet t;
  t.TableName = Path("n.dat");
  t.FieldDefs = {{"S", FieldType::ftSmallint, 0, false},
                 {"W", FieldType::ftWord, 0, false},
                 {"B", FieldType::ftBoolean, 0, false},
                 {"F", FieldType::ftFloat, 0, false}};
  ASSERT_TRUE(t.CreateTable(nullptr));
  t.Open();
  EXPECT_EQ(t.FieldOffset(3), 10);
  t.Append();
  EXPECT_THROW(t.SetAsInteger(0, 40000), EBinaryDataSetError);
  EXPECT_THROW(t.SetAsInteger(1, -1), EBinaryDataSetError);
  EXPECT_THROW(t.SetAsString(0, "12x"), EBinaryDataSetError);
  t.SetAsString(0, " -123 ");
  t.SetAsInteger(1, 65535);
  t.SetAsBoolean(2, true);
  t.SetAsString(3, "2.5");
  t.Post();
  EXPECT_EQ(t.AsInteger(0), -123);
  EXPECT_EQ(t.AsInteger(1), 65535);
  EXPECT_EQ(t.AsString(2), "True");
  EXPECT_DOUBLE_EQ(t.AsFloat(3), 2.5);
  t.Close();

  // Any non-zero boolean slot reads as true.
  std::vector<unsigned char> b = ReadBytes(t.TableName);
  std::size_t slot = static_cast<std::size_t>(Int32At(b, 32)) + 8;
  EXPECT_EQ(b[slot], 1);
  b[slot] = 7;
  WriteBytes(t.TableName, b);
  t.Open();
  EXPECT_TRUE(t.AsBoolean(2));
}

TEST_F(BinDataTest, SharingModes) {
  TBinaryDataSet writer;
  CreateWith(writer, 1);
  TBinaryDataSet other;
  other.TableName = writer.TableName;
  EXPECT_THROW(other.Open(), EBinaryDataSetError);  // exclusive while open for writing
  other.ReadOnly = true;
  EXPECT_THROW(other.Open(), EBinaryDataSetError);
  EXPECT_FALSE(other.Active());
  writer.Close();

  other.Open();
  TBinaryDataSet reader;
  reader.TableName = writer.TableName;
  reader.ReadOnly = true;
  reader.Open();  // readers share
  EXPECT_EQ(reader.RecordCount(), 1);
  EXPECT_THROW(reader.Append(), EBinaryDataSetError);
  EXPECT_THROW(writer.Open(), EBinaryDataSetError);  // no writer while read
}

// A process that dies after posting leaves a table that opens with every
// posted record: the header follows each append.
TEST_F(BinDataTest, PostedAppendsSurviveAProcessThatDies) {
  TBinaryDataSet t;
  Define(t);
  ASSERT_TRUE(t.CreateTable(nullptr));
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    TBinaryDataSet c;
    c.TableName = t.TableName;
    c.Open();
    for (int i = 1; i <= 3; ++i) {
      c.Append();
      c.SetAsInteger(0, i);
      c.Post();
    }
    c.Append();  // begun, never posted
    c.SetAsInteger(0, 4);
    _exit(0);  // no Close, no destructors
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  t.Open();
  EXPECT_EQ(t.RecordCount(), 3);
  EXPECT_EQ(Forward(t), (std::vector<int>{1, 2, 3}));
}

}  // namespace
}  // namespace zor
