// TViewDataSet: the photo record table. One record per photo and per
// reference drawing of the loaded delivery, 23 fields, re-created empty by
// every load in the work data folder. A record's RECORD number is its
// 1-based position; GotoPhotoRecord(n) makes record n current.
//
// Field access goes through FieldPos, looked up by name after every open:
//   table.SetAsString(table.FieldPos.TITLE, title);
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "store/bindata.h"
#include "store/int_list.h"

namespace zor {

// The work's name; every delivery is loaded under it.
inline constexpr const char* kXmlInputWorkNameUtf8 = "ＸＭＬ入力";

// Position of each field in the open table, -1 when the file has no such
// field. FILE_ALBUM and THUMBNAIL are looked up too; our tables have neither.
struct PhotoFieldPositions {
  int RECORD = -1;
  int CHECK = -1;
  int FLAG = -1;
  int JFILENAME = -1;
  int YOBI_FJ = -1;
  int TITLE = -1;
  int YOBI_KK = -1;
  int KASYO = -1;
  int YOBI_FU = -1;
  int DATE = -1;
  int FILMNUM = -1;
  int NEGANUM = -1;
  int YOBI_SJ = -1;
  int KANRI = -1;
  int YOBI_SK = -1;
  int YOBI_JK = -1;
  int UKEOIBIKOU = -1;
  int HACYUBIKOU = -1;
  int YOBI_SO = -1;
  int FILENAME = -1;
  int FILE_ORG = -1;
  int FILE_NOW = -1;
  int REC_DRA = -1;
  int FILE_ALBUM = -1;
  int THUMBNAIL = -1;
};

// The 23 field definitions of the photo table, in field order.
const std::vector<FieldDef>& PhotoFieldDefs();

// Position of the first field whose name equals name ignoring case; -1 when
// none does or the table is closed.
int FieldPosByName(const TBinaryDataSet& table, std::string_view name);

// The work's table file: workDataFolder (UTF-8, ending in '/') + workName
// (code page 932) + ".DAT", as a UTF-8 path.
std::string PhotoTableFileName(const std::string& workDataFolder, const std::string& workName);

class TViewDataSet : public TBinaryDataSet {
 public:
  PhotoFieldPositions FieldPos;

  // Opens the table on fileName for reading and writing. With create (or
  // when the file is missing) the file is deleted and created anew with the
  // 23 fields, without asking. Raises EBinaryDataSetError on failure.
  void OpenPhotoTable(bool create, const std::string& fileName);

  // keyFields is ignored; value is a record number. True when
  // 1 <= value <= RecordCount() and the record became current; any error
  // gives false.
  bool Locate(std::string_view keyFields, int value);
  bool GotoPhotoRecord(int n) { return Locate("RECORD", n); }

  // Writes the list into REC_DRA of the current record, which must be in
  // edit or insert state; returns how many entries were written.
  std::size_t StoreDrawingList(const TIntList& list);
  // Fills list from REC_DRA of record n (of the current record when n is 0):
  // 0 record not found, 1 found without drawings, 2 found with drawings.
  int LoadDrawingList(int n, TIntList& list);

 protected:
  void AfterOpen() override;
  void BeforeClose() override;
};

}  // namespace zor
