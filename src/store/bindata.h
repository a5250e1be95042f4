// TBinaryDataSet: a record cursor over one binary data-set file (one table:
// header, field descriptors, fixed-length records). No index, no key, no
// journal; records are addressed by their physical position.
//
// Use: set TableName (UTF-8 path), ReadOnly and, to create, FieldDefs while
// closed; CreateTable() writes an empty file; Open() reads and checks it and
// stands on the first live record. Navigate with First/Last/Next/Prior and
// Eof/Bof; Append or Edit, set fields by position, then Post or Cancel.
// Every failure raises EBinaryDataSetError and leaves the table closed (open
// failures) or unchanged.
//
// Like the usual record cursor, any move (First, Next, SetRecNo, Append, ...)
// first ends edit or insert state: a modified record is posted, an unmodified
// one cancelled. Close() discards an unposted record.
//
// Appends keep the header's record count current, so a process that dies
// after a Post leaves a file that opens with all its posted records.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/host.h"
#include "store/bindata_error.h"
#include "store/bindata_format.h"
#include "store/field_def.h"
#include "store/table_file.h"

namespace zor {

enum class DataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };

class TBinaryDataSet {
 public:
  TBinaryDataSet() = default;
  virtual ~TBinaryDataSet();  // closes the table, bringing its header up to date
  TBinaryDataSet(const TBinaryDataSet&) = delete;
  TBinaryDataSet& operator=(const TBinaryDataSet&) = delete;

  // Set while closed.
  std::string TableName;  // path of the file, UTF-8
  bool ReadOnly = false;  // shared read access instead of exclusive read and write
  // The definitions CreateTable writes; after Open, those read from the file.
  std::vector<FieldDef> FieldDefs;

  // Writes a new, empty file from FieldDefs; the table stays closed. When the
  // file exists, host (if given) is asked "File … already exists. OK to
  // override?" and No returns false with nothing done; without a host the
  // file is replaced. The definitions are checked before the file is touched.
  bool CreateTable(Host* host);

  void Open();
  void Close();
  bool Active() const { return state_ != DataSetState::dsInactive; }
  DataSetState State() const { return state_; }

  // Navigation over live records; deleted records are skipped.
  void First();
  void Last();
  void Next();
  void Prior();
  bool Eof() const { return eof_; }
  bool Bof() const { return bof_; }

  // Append: a zero-filled new record in insert state. Edit: the current
  // record in edit state. Post writes it and leaves it current; Cancel drops
  // the changes. Modified: a field was written since Append or Edit.
  void Append();
  void Edit();
  void Post();
  void Cancel();
  bool Modified() const { return modified_; }

  // Live records; raises while closed.
  int RecordCount() const;
  // Physical position + 1 of the current record; 0 when there is none (empty
  // table, closed, or a new record not yet posted).
  int RecNo() const;
  // Moves to physical position n - 1 when 1 <= n <= RecordCount() (a deleted
  // record there gives the next live one, else the previous); other values
  // change nothing.
  void SetRecNo(int n);

  // Marks the current record deleted; its bytes stay in the file.
  void DeleteCurrentRecord();
  // Moves to a physical position (0-based); raises "Bookmark n not found"
  // outside the file and "GetRecord: Invalid record" on a deleted record.
  void GotoPosition(int index);

  // Fields by position, 0-based in definition order. Positions outside the
  // table raise. Without a current record values read as empty, 0 or false.
  int FieldCount() const { return static_cast<int>(fields_.size()); }
  const std::string& FieldName(int pos) const;
  FieldType GetFieldType(int pos) const;
  int FieldSize(int pos) const;
  int FieldOffset(int pos) const;  // byte offset of the slot inside the record

  // Text: a string slot up to its terminator; numbers in decimal; booleans
  // "True"/"False". Writing a string cuts it to the field's size without
  // splitting a double-byte character.
  std::string AsString(int pos) const;
  void SetAsString(int pos, std::string_view value);
  std::int32_t AsInteger(int pos) const;
  void SetAsInteger(int pos, std::int32_t value);
  bool AsBoolean(int pos) const;
  void SetAsBoolean(int pos, bool value);
  double AsFloat(int pos) const;
  void SetAsFloat(int pos, double value);

 protected:
  // Run at the end of a successful Open and at the start of Close.
  virtual void AfterOpen() {}
  virtual void BeforeClose() {}

 private:
  struct FieldInfo {
    std::string name;
    FieldType type;
    int size;
    int offset;
    int slotWidth;
  };

  void OpenTable();
  void CloseTable();
  void ReadFieldDescriptors(std::int64_t fileSize);
  void WriteHeader();
  void Reset();

  void CheckActive() const;
  void CheckBrowseMode();
  void CheckWritable() const;
  void CheckEditing() const;
  const FieldInfo& Field(int pos) const;
  bool HasRecord() const;

  std::int64_t PhysicalCount() const { return std::int64_t{recordCount_} + header_.deletedCount; }
  std::int64_t RecordOffset(std::int64_t index) const { return header_.startData + index * std::int64_t{recordSize_}; }
  void ReadRecord(std::int64_t index, std::vector<unsigned char>& buffer) const;
  static bool IsDeleted(const std::vector<unsigned char>& buffer);
  // The first live record from index on, stepping by +1 or -1; -1 when none.
  // On success the record is in buffer_.
  std::int64_t FindLive(std::int64_t index, int step);
  // After the current record may have changed under the cursor.
  void Resync();

  const unsigned char* Slot(const FieldInfo& f) const { return buffer_.data() + f.offset; }
  unsigned char* MutableSlot(const FieldInfo& f);
  std::int64_t ReadNumber(const FieldInfo& f) const;
  void WriteNumber(const FieldInfo& f, std::int64_t value);

  TableFile file_;
  DataSetHeader header_;
  std::vector<FieldInfo> fields_;
  std::int32_t recordSize_ = 0;
  std::int32_t recordCount_ = 0;
  DataSetState state_ = DataSetState::dsInactive;
  std::int64_t current_ = -1;       // physical index of the current record, -1 for none
  std::int64_t savedCurrent_ = -1;  // the current record before Append
  bool bof_ = true;
  bool eof_ = true;
  bool modified_ = false;
  std::vector<unsigned char> buffer_;   // the active record, as on disk
  std::vector<unsigned char> scratch_;  // for looking ahead while skipping
};

}  // namespace zor
