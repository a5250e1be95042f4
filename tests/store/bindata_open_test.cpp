// Opening refuses every file whose header, descriptors or length do not
// describe it, with the message of its case, and leaves the table closed.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "store/bindata.h"
#include "store_fixture.h"

namespace zor {
namespace {

class BinDataOpenTest : public ScratchDir {
 protected:
  // The worked example with two records, closed: 302 bytes.
  std::vector<unsigned char> ExampleFile() {
    TBinaryDataSet t;
    t.TableName = Path("example.dat");
    t.FieldDefs = {{"RECORD", FieldType::ftInteger, 0, false}, {"TITLE", FieldType::ftString, 80, false}};
    t.CreateTable(nullptr);
    t.Open();
    for (int i = 1; i <= 2; ++i) {
      t.Append();
      t.SetAsInteger(0, i);
      t.Post();
    }
    t.Close();
    return ReadBytes(t.TableName);
  }

  std::string OpenMessage(const std::vector<unsigned char>& bytes) {
    WriteBytes(Path("case.dat"), bytes);
    return OpenMessageOf(Path("case.dat"));
  }
  static std::string OpenMessageOf(const std::string& path) {
    TBinaryDataSet t;
    t.TableName = path;
    try {
      t.Open();
    } catch (const EBinaryDataSetError& e) {
      EXPECT_FALSE(t.Active()) << e.what();
      EXPECT_EQ(t.FieldCount(), 0) << e.what();
      EXPECT_TRUE(t.FieldDefs.empty()) << e.what();
      return e.what();
    }
    return "(opened)";
  }
};

TEST_F(BinDataOpenTest, TheExampleOpens) { EXPECT_EQ(OpenMessage(ExampleFile()), "(opened)"); }

TEST_F(BinDataOpenTest, MissingFile) { EXPECT_EQ(OpenMessageOf(Path("none.dat")), "Open: Table file not found"); }

TEST_F(BinDataOpenTest, RefusedFiles) {
  using Patch = std::function<void(std::vector<unsigned char>&)>;
  const std::string invalidSize = "Internal open: Invalid record size.\rStartData   : 118\rfRecordCount: ";
  struct Case {
    const char* what;
    Patch patch;
    std::string message;
  } cases[] = {
      {"wrong magic", [](auto& b) { b[3] = 0x1B; }, "Not a binary data set file."},
      {"version 12", [](auto& b) { SetInt32At(b, 4, 12); }, "Invalid data file version."},
      {"version 14", [](auto& b) { SetInt32At(b, 4, 14); }, "Invalid data file version."},
      {"zero fields", [](auto& b) { SetInt32At(b, 16, 0); }, "Invalid number of fields."},
      {"negative fields", [](auto& b) { SetInt32At(b, 16, -3); }, "Invalid number of fields."},
      {"shorter than the header", [](auto& b) { b.resize(20); }, "Stream read error"},
      {"empty file", [](auto& b) { b.clear(); }, "Stream read error"},
      {"more fields than the file holds", [](auto& b) { SetInt32At(b, 16, 1000000); }, "Stream read error"},
      {"record size mismatch", [](auto& b) { SetInt32At(b, 8, 91); }, "Internal open: File record size mismatch."},
      // Appended to but never closed: the header still counts one record.
      {"header behind the file", [](auto& b) { SetInt32At(b, 12, 1); },
       invalidSize + "1\rfRecordSize : 92\rfStream.SIze: 302"},
      {"a torn last record", [](auto& b) { b.resize(b.size() - 10); },
       invalidSize + "2\rfRecordSize : 92\rfStream.SIze: 292"},
      {"negative record count",
       [](auto& b) {
         SetInt32At(b, 12, -1);
         SetInt32At(b, 28, 3);
       },
       invalidSize + "-1\rfRecordSize : 92\rfStream.SIze: 302"},
      {"data over the descriptors",
       [](auto& b) {
         SetInt32At(b, 32, 26);
         b.resize(26 + 2 * 92);
       },
       "Internal open: Invalid record size.\rStartData   : 26\rfRecordCount: 2\rfRecordSize : 92\rfStream.SIze: 210"},
      {"negative slot width", [](auto& b) { SetInt32At(b, 36 + 29, -5); }, "Invalid field definition."},
      {"slot narrower than its value", [](auto& b) { SetInt32At(b, 77 + 29, 80); }, "Invalid field definition."},
      {"string size beyond its slot", [](auto& b) { SetInt32At(b, 77 + 33, 1000); }, "Invalid field definition."},
      {"unknown type code", [](auto& b) { b[36 + 28] = 12; }, "Invalid field definition."},
      {"absurd slot width", [](auto& b) { SetInt32At(b, 36 + 29, 0x7FFFFFF0); }, "Range check error"},
      {"record of 65536 bytes",
       [](auto& b) {
         SetInt32At(b, 77 + 29, 65536 - 8);
         SetInt32At(b, 77 + 33, 100);
       },
       "Range check error"},
  };
  const std::vector<unsigned char> example = ExampleFile();
  for (const Case& c : cases) {
    std::vector<unsigned char> b = example;
    c.patch(b);
    EXPECT_EQ(OpenMessage(b), c.message) << c.what;
  }
}

TEST_F(BinDataOpenTest, AFailedOpenLeavesTheTableUsable) {
  std::vector<unsigned char> bad = ExampleFile();
  SetInt32At(bad, 4, 12);
  WriteBytes(Path("bad.dat"), bad);
  TBinaryDataSet t;
  t.TableName = Path("bad.dat");
  EXPECT_THROW(t.Open(), EBinaryDataSetError);
  // The failed open released the file: it can be replaced and opened.
  t.FieldDefs = {{"A", FieldType::ftInteger, 0, false}};
  ASSERT_TRUE(t.CreateTable(nullptr));
  t.Open();
  EXPECT_EQ(t.RecordCount(), 0);
}

}  // namespace
}  // namespace zor
