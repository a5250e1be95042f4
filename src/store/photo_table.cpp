#include "store/photo_table.h"

#include <filesystem>
#include <system_error>

#include "store/drawing_list.h"
#include "store/table_file.h"
#include "text/encoding.h"
#include "text/sjis.h"

namespace zor {

const std::vector<FieldDef>& PhotoFieldDefs() {
  using enum FieldType;
  static const std::vector<FieldDef> defs = {
      {"RECORD", ftInteger, 0, false},     {"CHECK", ftBoolean, 0, false},       {"FLAG", ftInteger, 0, false},
      {"JFILENAME", ftString, 255, false}, {"YOBI_FJ", ftString, 255, false},    {"TITLE", ftString, 80, false},
      {"YOBI_KK", ftString, 1024, false},  {"KASYO", ftString, 128, false},      {"YOBI_FU", ftString, 255, false},
      {"DATE", ftString, 10, false},       {"FILMNUM", ftInteger, 0, false},     {"NEGANUM", ftString, 8, false},
      {"YOBI_SJ", ftString, 2048, false},  {"KANRI", ftString, 255, false},      {"YOBI_SK", ftString, 2048, false},
      {"YOBI_JK", ftString, 255, false},   {"UKEOIBIKOU", ftString, 255, false}, {"HACYUBIKOU", ftString, 255, false},
      {"YOBI_SO", ftString, 1024, false},  {"FILENAME", ftString, 255, false},   {"FILE_ORG", ftString, 1, false},
      {"FILE_NOW", ftString, 1, false},    {"REC_DRA", ftString, 255, false},
  };
  return defs;
}

int FieldPosByName(const TBinaryDataSet& table, std::string_view name) {
  for (int pos = 0; pos < table.FieldCount(); ++pos)
    if (SameTextIgnoringCase(table.FieldName(pos), name)) return pos;
  return -1;
}

std::string PhotoTableFileName(const std::string& workDataFolder, const std::string& workName) {
  return workDataFolder + Cp932ToUtf8(workName) + ".DAT";
}

void TViewDataSet::OpenPhotoTable(bool create, const std::string& fileName) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (!fs::exists(fs::path(fileName), ec)) create = true;
  Close();
  TableName = fileName;
  ReadOnly = false;
  if (create) {
    // The work file is ours: whatever a previous run left there, torn or
    // whole, is replaced without asking. A file that another table holds
    // open stays; creating it then fails as in use.
    if (!TableFile::InUse(fileName)) fs::remove(fs::path(fileName), ec);
    FieldDefs = PhotoFieldDefs();
    CreateTable(nullptr);
  }
  Open();
}

void TViewDataSet::AfterOpen() {
  PhotoFieldPositions& p = FieldPos;
  const std::pair<int*, const char*> names[] = {
      {&p.RECORD, "RECORD"},
      {&p.CHECK, "CHECK"},
      {&p.FLAG, "FLAG"},
      {&p.JFILENAME, "JFILENAME"},
      {&p.YOBI_FJ, "YOBI_FJ"},
      {&p.TITLE, "TITLE"},
      {&p.YOBI_KK, "YOBI_KK"},
      {&p.KASYO, "KASYO"},
      {&p.YOBI_FU, "YOBI_FU"},
      {&p.FILMNUM, "FILMNUM"},
      {&p.NEGANUM, "NEGANUM"},
      {&p.YOBI_SJ, "YOBI_SJ"},
      {&p.KANRI, "KANRI"},
      {&p.YOBI_SK, "YOBI_SK"},
      {&p.YOBI_JK, "YOBI_JK"},
      {&p.UKEOIBIKOU, "UKEOIBIKOU"},
      {&p.HACYUBIKOU, "HACYUBIKOU"},
      {&p.YOBI_SO, "YOBI_SO"},
      {&p.DATE, "DATE"},
      {&p.FILENAME, "FILENAME"},
      {&p.FILE_ORG, "FILE_ORG"},
      {&p.FILE_NOW, "FILE_NOW"},
      {&p.FILE_ALBUM, "FILE_ALBUM"},
      {&p.THUMBNAIL, "THUMBNAIL"},
      {&p.REC_DRA, "REC_DRA"},
  };
  for (const auto& [slot, name] : names) *slot = FieldPosByName(*this, name);
}

void TViewDataSet::BeforeClose() { FieldPos = PhotoFieldPositions(); }

bool TViewDataSet::Locate(std::string_view keyFields, int value) {
  (void)keyFields;
  try {
    if (value < 1 || value > RecordCount()) return false;
    SetRecNo(value);
    return RecNo() == value;
  } catch (const std::exception&) {
    return false;
  }
}

std::size_t TViewDataSet::StoreDrawingList(const TIntList& list) {
  std::size_t written = 0;
  SetAsString(FieldPos.REC_DRA, EncodeDrawingList(list, &written));
  return written;
}

int TViewDataSet::LoadDrawingList(int n, TIntList& list) {
  list.clear();
  if (n != 0 && !GotoPhotoRecord(n)) return 0;
  if (!Active()) return 0;
  if (FieldPos.REC_DRA < 0) return 1;
  list = DecodeDrawingList(AsString(FieldPos.REC_DRA));
  return list.empty() ? 1 : 2;
}

}  // namespace zor
