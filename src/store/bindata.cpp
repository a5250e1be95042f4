#include "store/bindata.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <system_error>
#include <utility>

#include "text/encoding.h"
#include "text/sjis.h"

namespace zor {
namespace {

[[noreturn]] void Fail(const std::string& message) { throw EBinaryDataSetError(message); }

[[noreturn]] void FailClosed() { Fail(Sj("データセットは閉じているため, この操作は実行できません")); }

bool FileExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(std::filesystem::path(path), ec);
}

std::string QuotedPath(const std::string& utf8Path) {
  std::string quoted(1, '"');
  quoted += Utf8ToCp932(utf8Path);
  quoted += '"';
  return quoted;
}

bool ParseInteger(std::string_view text, std::int64_t* value) {
  std::string t = TrimWide(text);
  if (t.empty()) {
    *value = 0;
    return true;
  }
  const char* begin = t.data();
  if (*begin == '+' && t.size() > 1 && t[1] != '-') ++begin;
  auto [end, ec] = std::from_chars(begin, t.data() + t.size(), *value);
  return ec == std::errc() && end == t.data() + t.size();
}

bool ParseBoolean(std::string_view text, bool* value) {
  std::string t = TrimWide(text);
  if (t.empty() || SameTextIgnoringCase(t, "False")) {
    *value = false;
    return true;
  }
  if (SameTextIgnoringCase(t, "True")) {
    *value = true;
    return true;
  }
  return false;
}

bool IsIntegerType(FieldType t) {
  return t == FieldType::ftSmallint || t == FieldType::ftInteger || t == FieldType::ftWord ||
         t == FieldType::ftBoolean || t == FieldType::ftDate || t == FieldType::ftTime;
}

bool IsFloatType(FieldType t) {
  return t == FieldType::ftFloat || t == FieldType::ftCurrency || t == FieldType::ftDateTime;
}

}  // namespace

TBinaryDataSet::~TBinaryDataSet() {
  try {
    Close();
  } catch (...) {
    // A failed header write cannot be reported from a destructor; the next
    // load re-creates the file.
  }
}

// ---- creating ----

bool TBinaryDataSet::CreateTable(Host* host) {
  if (Active()) Fail(Sj("データセットが開かれているため, この操作は実行できません"));
  if (FileExists(TableName) && host != nullptr &&
      !host->ConfirmYesNo("File " + Utf8ToCp932(TableName) + " already exists. OK to override?"))
    return false;

  // Check every definition first so that a bad one never destroys a file.
  if (FieldDefs.empty()) Fail("Invalid number of fields.");
  std::vector<unsigned char> image(kHeaderSize + FieldDefs.size() * kDescriptorSize);
  std::int64_t offset = kRecordLinkSize;
  unsigned char* out = image.data() + kHeaderSize;
  for (const FieldDef& def : FieldDefs) {
    bool isString = def.type == FieldType::ftString;
    int size = isString ? def.size : 0;
    int width = SlotWidth(def.type, size);
    if (!isString && width == 0) Fail("InitFieldsDefs: Unsupported field type");
    if (def.name.empty() || def.name.size() >= static_cast<std::size_t>(kDescriptorNameSize) ||
        def.name.find('\0') != std::string::npos || width == 0 || offset > kMaxFieldOffset ||
        offset + width > kMaxRecordSize)
      Fail("InitFieldsDefs: Invalid field definition");
    FieldDescriptor d;
    d.name = def.name;
    d.typeCode = static_cast<std::uint8_t>(def.type);
    d.slotWidth = width;
    d.size = size;
    auto bytes = EncodeDescriptor(d);
    std::memcpy(out, bytes.data(), bytes.size());
    out += kDescriptorSize;
    offset += width;
  }
  DataSetHeader h;
  h.recordSize = static_cast<std::int32_t>(offset);
  h.fieldCount = static_cast<std::int32_t>(FieldDefs.size());
  h.startData = static_cast<std::int32_t>(image.size());
  auto head = EncodeHeader(h);
  std::memcpy(image.data(), head.data(), head.size());

  TableFile f;
  std::string error;
  if (!f.Create(TableName, &error)) Fail("Cannot create file " + QuotedPath(TableName) + ". " + error);
  if (!f.WriteAt(0, image.data(), image.size())) Fail("Stream write error");
  return true;
}

// ---- opening and closing ----

void TBinaryDataSet::Open() {
  if (Active()) return;
  std::vector<FieldDef> before = FieldDefs;
  try {
    OpenTable();
    state_ = DataSetState::dsBrowse;
    First();
  } catch (...) {
    Reset();
    FieldDefs = std::move(before);  // a refused file leaves no half-read definitions
    throw;
  }
  AfterOpen();
}

void TBinaryDataSet::OpenTable() {
  if (!FileExists(TableName)) Fail("Open: Table file not found");
  std::string error;
  if (!file_.Open(TableName, ReadOnly, &error)) Fail("Cannot open file " + QuotedPath(TableName) + ". " + error);

  unsigned char head[kHeaderSize];
  if (!file_.ReadAt(0, head, sizeof head)) Fail("Stream read error");
  header_ = DecodeHeader(head);
  if (header_.magic != kBinaryDataSetMagic) Fail("Not a binary data set file.");
  if (header_.version != kBinaryDataSetVersion) Fail("Invalid data file version.");

  std::int64_t fileSize = file_.Size();
  ReadFieldDescriptors(fileSize);
  recordCount_ = header_.recordCount;
  if (recordCount_ > 0 && header_.recordSize != recordSize_) Fail("Internal open: File record size mismatch.");

  // Counts and the data offset must describe exactly this file; negative
  // counts or data overlapping the descriptors are refused the same way.
  std::int64_t descriptorsEnd = kHeaderSize + std::int64_t{header_.fieldCount} * kDescriptorSize;
  bool consistent = recordCount_ >= 0 && header_.deletedCount >= 0 && header_.startData >= descriptorsEnd &&
                    fileSize == header_.startData + PhysicalCount() * recordSize_;
  if (!consistent)
    Fail("Internal open: Invalid record size.\rStartData   : " + std::to_string(header_.startData) + "\r" +
         "fRecordCount: " + std::to_string(recordCount_) + "\r" + "fRecordSize : " + std::to_string(recordSize_) +
         "\r" + "fStream.SIze: " + std::to_string(fileSize));

  buffer_.assign(static_cast<std::size_t>(recordSize_), 0);
  scratch_.assign(static_cast<std::size_t>(recordSize_), 0);
  current_ = -1;
}

void TBinaryDataSet::ReadFieldDescriptors(std::int64_t fileSize) {
  FieldDefs.clear();
  fields_.clear();
  if (header_.fieldCount < 1) Fail("Invalid number of fields.");
  // A count the file cannot hold fails like a read past its end, before any
  // allocation sized by it.
  if (kHeaderSize + std::int64_t{header_.fieldCount} * kDescriptorSize > fileSize) Fail("Stream read error");
  std::vector<unsigned char> bytes(static_cast<std::size_t>(header_.fieldCount) * kDescriptorSize);
  if (!file_.ReadAt(kHeaderSize, bytes.data(), bytes.size())) Fail("Stream read error");

  std::int64_t offset = kRecordLinkSize;
  for (int i = 0; i < header_.fieldCount; ++i) {
    FieldDescriptor d = DecodeDescriptor(bytes.data() + std::size_t(i) * kDescriptorSize);
    auto type = static_cast<FieldType>(d.typeCode);
    int size = type == FieldType::ftString ? d.size : 0;
    // The slot width is taken from the file, but never trusted beyond what
    // the value needs and what a record can hold.
    int valueWidth = ValueWidth(type, size);
    if (valueWidth == 0 || d.slotWidth < valueWidth) Fail("Invalid field definition.");
    if (offset > kMaxFieldOffset || offset + d.slotWidth > kMaxRecordSize) Fail("Range check error");
    FieldDefs.push_back({d.name, type, size, false});
    fields_.push_back({d.name, type, size, static_cast<int>(offset), d.slotWidth});
    offset += d.slotWidth;
  }
  recordSize_ = static_cast<std::int32_t>(offset);
}

void TBinaryDataSet::Close() {
  if (!Active()) return;
  BeforeClose();
  if (state_ == DataSetState::dsEdit || state_ == DataSetState::dsInsert) Cancel();
  try {
    CloseTable();
  } catch (...) {
    Reset();
    throw;
  }
  Reset();
}

void TBinaryDataSet::CloseTable() {
  if (!ReadOnly && (header_.recordCount != recordCount_ || header_.recordSize == 0)) {
    header_.recordSize = recordSize_;
    header_.recordCount = recordCount_;
    WriteHeader();
  }
}

void TBinaryDataSet::WriteHeader() {
  if (!file_.IsOpen()) Fail("fStream=Nil");
  auto bytes = EncodeHeader(header_);
  if (!file_.WriteAt(0, bytes.data(), bytes.size())) Fail("Stream write error");
}

void TBinaryDataSet::Reset() {
  file_.Close();
  fields_.clear();
  buffer_.clear();
  scratch_.clear();
  header_ = DataSetHeader();
  recordSize_ = 0;
  recordCount_ = 0;
  state_ = DataSetState::dsInactive;
  current_ = savedCurrent_ = -1;
  bof_ = eof_ = true;
  modified_ = false;
}

// ---- state checks ----

void TBinaryDataSet::CheckActive() const {
  if (!Active()) FailClosed();
}

void TBinaryDataSet::CheckBrowseMode() {
  CheckActive();
  if (state_ == DataSetState::dsEdit || state_ == DataSetState::dsInsert) {
    if (modified_)
      Post();
    else
      Cancel();
  }
}

void TBinaryDataSet::CheckWritable() const {
  if (ReadOnly) Fail("Cannot modify a read-only dataset");
}

void TBinaryDataSet::CheckEditing() const {
  CheckActive();
  if (state_ != DataSetState::dsEdit && state_ != DataSetState::dsInsert) Fail("Dataset not in edit or insert mode");
}

bool TBinaryDataSet::HasRecord() const { return state_ == DataSetState::dsInsert || (Active() && current_ >= 0); }

// ---- reading records ----

void TBinaryDataSet::ReadRecord(std::int64_t index, std::vector<unsigned char>& buffer) const {
  if (!file_.ReadAt(RecordOffset(index), buffer.data(), buffer.size())) Fail("Stream read error");
}

bool TBinaryDataSet::IsDeleted(const std::vector<unsigned char>& buffer) { return GetInt32(buffer.data()) != 0; }

std::int64_t TBinaryDataSet::FindLive(std::int64_t index, int step) {
  if (recordCount_ < 1) return -1;
  for (std::int64_t i = index; i >= 0 && i < PhysicalCount(); i += step) {
    ReadRecord(i, scratch_);
    if (!IsDeleted(scratch_)) {
      buffer_.swap(scratch_);
      return i;
    }
  }
  return -1;
}

void TBinaryDataSet::Resync() {
  std::int64_t at = current_;
  std::int64_t found = at >= 0 ? FindLive(at, +1) : -1;
  if (found < 0 && at > 0) found = FindLive(at - 1, -1);
  current_ = found;
  bof_ = eof_ = found < 0;
}

// ---- navigation ----

void TBinaryDataSet::First() {
  CheckBrowseMode();
  current_ = FindLive(0, +1);
  bof_ = true;
  eof_ = current_ < 0;
}

void TBinaryDataSet::Last() {
  CheckBrowseMode();
  current_ = FindLive(PhysicalCount() - 1, -1);
  eof_ = true;
  bof_ = current_ < 0;
}

void TBinaryDataSet::Next() {
  CheckBrowseMode();
  if (eof_) return;
  std::int64_t found = current_ >= 0 ? FindLive(current_ + 1, +1) : -1;
  if (found < 0) {
    eof_ = true;
    return;
  }
  current_ = found;
  bof_ = false;
}

void TBinaryDataSet::Prior() {
  CheckBrowseMode();
  if (bof_) return;
  std::int64_t found = current_ > 0 ? FindLive(current_ - 1, -1) : -1;
  if (found < 0) {
    bof_ = true;
    return;
  }
  current_ = found;
  eof_ = false;
}

int TBinaryDataSet::RecordCount() const {
  CheckActive();
  return recordCount_;
}

int TBinaryDataSet::RecNo() const {
  if (!Active() || state_ == DataSetState::dsInsert || current_ < 0) return 0;
  return static_cast<int>(current_ + 1);
}

void TBinaryDataSet::SetRecNo(int n) {
  CheckBrowseMode();
  if (n < 1 || n > recordCount_) return;
  current_ = n - 1;
  Resync();
}

void TBinaryDataSet::GotoPosition(int index) {
  CheckBrowseMode();
  if (index < 0 || index >= PhysicalCount()) Fail("Bookmark " + std::to_string(index) + " not found");
  ReadRecord(index, scratch_);
  if (IsDeleted(scratch_)) Fail("GetRecord: Invalid record");
  buffer_.swap(scratch_);
  current_ = index;
  bof_ = eof_ = false;
}

// ---- changing records ----

void TBinaryDataSet::Append() {
  CheckBrowseMode();
  CheckWritable();
  savedCurrent_ = current_;
  std::fill(buffer_.begin(), buffer_.end(), 0);
  state_ = DataSetState::dsInsert;
  modified_ = false;
}

void TBinaryDataSet::Edit() {
  CheckActive();
  if (state_ == DataSetState::dsEdit || state_ == DataSetState::dsInsert) return;
  CheckWritable();
  if (current_ < 0) Fail("Cannot perform this operation on an empty dataset");
  state_ = DataSetState::dsEdit;
  modified_ = false;
}

void TBinaryDataSet::Post() {
  CheckActive();
  if (state_ == DataSetState::dsInsert) {
    std::int64_t index = PhysicalCount();
    PutInt32(buffer_.data(), 0);
    if (!file_.WriteAt(RecordOffset(index), buffer_.data(), buffer_.size())) Fail("Stream write error");
    ++recordCount_;
    // Our own addition: the header follows every append, so a process that
    // dies now still leaves a table that opens with this record in it.
    header_.recordCount = recordCount_;
    header_.recordSize = recordSize_;
    WriteHeader();
    current_ = index;
  } else if (state_ == DataSetState::dsEdit) {
    if (!file_.WriteAt(RecordOffset(current_), buffer_.data(), buffer_.size())) Fail("Stream write error");
  } else {
    return;
  }
  state_ = DataSetState::dsBrowse;
  modified_ = false;
  bof_ = eof_ = false;
}

void TBinaryDataSet::Cancel() {
  CheckActive();
  if (state_ == DataSetState::dsInsert) current_ = savedCurrent_;
  if (state_ == DataSetState::dsInsert || state_ == DataSetState::dsEdit) {
    state_ = DataSetState::dsBrowse;
    modified_ = false;
    if (current_ >= 0) ReadRecord(current_, buffer_);
  }
}

void TBinaryDataSet::DeleteCurrentRecord() {
  CheckActive();
  if (state_ == DataSetState::dsInsert) {
    Cancel();
    return;
  }
  CheckWritable();
  if (state_ == DataSetState::dsEdit) Cancel();
  if (current_ < 0) return;
  PutInt32(buffer_.data(), header_.firstDeleted);
  if (!file_.WriteAt(RecordOffset(current_), buffer_.data(), buffer_.size())) Fail("Stream write error");
  header_.firstDeleted = static_cast<std::int32_t>(current_ + 1);
  header_.deletedCount += 1;
  recordCount_ -= 1;
  header_.recordCount = recordCount_;
  WriteHeader();
  Resync();
}

// ---- fields ----

const TBinaryDataSet::FieldInfo& TBinaryDataSet::Field(int pos) const {
  if (pos < 0 || pos >= FieldCount()) Fail("List index out of bounds (" + std::to_string(pos) + ")");
  return fields_[static_cast<std::size_t>(pos)];
}

const std::string& TBinaryDataSet::FieldName(int pos) const { return Field(pos).name; }
FieldType TBinaryDataSet::GetFieldType(int pos) const { return Field(pos).type; }
int TBinaryDataSet::FieldSize(int pos) const { return Field(pos).size; }
int TBinaryDataSet::FieldOffset(int pos) const { return Field(pos).offset; }

unsigned char* TBinaryDataSet::MutableSlot(const FieldInfo& f) {
  modified_ = true;
  return buffer_.data() + f.offset;
}

std::int64_t TBinaryDataSet::ReadNumber(const FieldInfo& f) const {
  const unsigned char* p = Slot(f);
  switch (f.type) {
    case FieldType::ftSmallint:
      return GetInt16(p);
    case FieldType::ftWord:
      return static_cast<std::uint16_t>(GetInt16(p));
    case FieldType::ftBoolean:
      return GetInt16(p) != 0 ? 1 : 0;
    default:
      return GetInt32(p);
  }
}

void TBinaryDataSet::WriteNumber(const FieldInfo& f, std::int64_t value) {
  std::int64_t lo = std::numeric_limits<std::int32_t>::min();
  std::int64_t hi = std::numeric_limits<std::int32_t>::max();
  if (f.type == FieldType::ftSmallint) lo = -32768, hi = 32767;
  if (f.type == FieldType::ftWord) lo = 0, hi = 65535;
  if (f.type == FieldType::ftBoolean) value = value != 0;
  if (value < lo || value > hi)
    Fail(std::to_string(value) + " is not a valid value for field '" + f.name + "'. The allowed range is " +
         std::to_string(lo) + " to " + std::to_string(hi));
  unsigned char* p = MutableSlot(f);
  if (f.type == FieldType::ftSmallint || f.type == FieldType::ftWord || f.type == FieldType::ftBoolean)
    PutInt16(p, static_cast<std::int16_t>(static_cast<std::uint16_t>(value)));
  else
    PutInt32(p, static_cast<std::int32_t>(value));
}

std::string TBinaryDataSet::AsString(int pos) const {
  const FieldInfo& f = Field(pos);
  if (!HasRecord()) return {};
  if (f.type == FieldType::ftString) {
    const char* p = reinterpret_cast<const char*>(Slot(f));
    return std::string(p, strnlen(p, static_cast<std::size_t>(f.size)));
  }
  if (f.type == FieldType::ftBoolean) return AsBoolean(pos) ? "True" : "False";
  if (IsFloatType(f.type)) {
    char text[64];
    auto [end, ec] = std::to_chars(text, text + sizeof text, AsFloat(pos));
    return ec == std::errc() ? std::string(text, end) : std::string();
  }
  return std::to_string(ReadNumber(f));
}

void TBinaryDataSet::SetAsString(int pos, std::string_view value) {
  const FieldInfo& f = Field(pos);
  CheckEditing();
  if (f.type == FieldType::ftString) {
    std::string cut = CutToBytes(value, static_cast<std::size_t>(f.size));
    unsigned char* p = MutableSlot(f);
    std::memset(p, 0, static_cast<std::size_t>(f.slotWidth));
    std::memcpy(p, cut.data(), cut.size());
    return;
  }
  if (f.type == FieldType::ftBoolean) {
    bool b = false;
    if (!ParseBoolean(value, &b)) Fail("'" + std::string(value) + "' is not a valid boolean value");
    WriteNumber(f, b);
    return;
  }
  if (IsFloatType(f.type)) {
    std::string t = TrimWide(value);
    double d = 0;
    if (!t.empty()) {
      auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), d);
      if (ec != std::errc() || end != t.data() + t.size())
        Fail("'" + std::string(value) + "' is not a valid floating point value");
    }
    SetAsFloat(pos, d);
    return;
  }
  std::int64_t n = 0;
  if (!ParseInteger(value, &n)) Fail("'" + std::string(value) + "' is not a valid integer value");
  WriteNumber(f, n);
}

std::int32_t TBinaryDataSet::AsInteger(int pos) const {
  const FieldInfo& f = Field(pos);
  if (!HasRecord()) return 0;
  if (IsIntegerType(f.type)) return static_cast<std::int32_t>(ReadNumber(f));
  if (IsFloatType(f.type)) {
    double d = std::round(AsFloat(pos));
    if (!(d >= std::numeric_limits<std::int32_t>::min() && d <= std::numeric_limits<std::int32_t>::max()))
      Fail("Range check error");
    return static_cast<std::int32_t>(d);
  }
  std::string text = AsString(pos);
  std::int64_t n = 0;
  if (text.empty() || !ParseInteger(text, &n) || n < std::numeric_limits<std::int32_t>::min() ||
      n > std::numeric_limits<std::int32_t>::max())
    Fail("'" + text + "' is not a valid integer value");
  return static_cast<std::int32_t>(n);
}

void TBinaryDataSet::SetAsInteger(int pos, std::int32_t value) {
  const FieldInfo& f = Field(pos);
  CheckEditing();
  if (IsIntegerType(f.type))
    WriteNumber(f, value);
  else if (IsFloatType(f.type))
    SetAsFloat(pos, value);
  else
    SetAsString(pos, std::to_string(value));
}

bool TBinaryDataSet::AsBoolean(int pos) const {
  const FieldInfo& f = Field(pos);
  if (!HasRecord()) return false;
  if (IsIntegerType(f.type)) return ReadNumber(f) != 0;
  if (IsFloatType(f.type)) return AsFloat(pos) != 0;
  bool b = false;
  std::string text = AsString(pos);
  if (!ParseBoolean(text, &b)) Fail("'" + text + "' is not a valid boolean value");
  return b;
}

void TBinaryDataSet::SetAsBoolean(int pos, bool value) {
  const FieldInfo& f = Field(pos);
  CheckEditing();
  if (f.type == FieldType::ftString)
    SetAsString(pos, value ? "True" : "False");
  else if (IsFloatType(f.type))
    SetAsFloat(pos, value ? 1 : 0);
  else
    WriteNumber(f, value ? 1 : 0);
}

double TBinaryDataSet::AsFloat(int pos) const {
  const FieldInfo& f = Field(pos);
  if (!HasRecord()) return 0;
  if (IsFloatType(f.type)) {
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = bits << 8 | Slot(f)[i];
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
  }
  if (IsIntegerType(f.type)) return static_cast<double>(ReadNumber(f));
  std::string text = TrimWide(AsString(pos));
  double d = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), d);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size())
    Fail("'" + text + "' is not a valid floating point value");
  return d;
}

void TBinaryDataSet::SetAsFloat(int pos, double value) {
  const FieldInfo& f = Field(pos);
  CheckEditing();
  if (IsFloatType(f.type)) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    unsigned char* p = MutableSlot(f);
    for (int i = 0; i < 8; ++i) p[i] = static_cast<unsigned char>(bits >> (8 * i));
  } else if (IsIntegerType(f.type)) {
    double r = std::round(value);
    if (!(r >= -9.2e18 && r <= 9.2e18)) Fail("Range check error");
    WriteNumber(f, static_cast<std::int64_t>(r));
  } else {
    char text[64];
    auto [end, ec] = std::to_chars(text, text + sizeof text, value);
    SetAsString(pos, ec == std::errc() ? std::string_view(text, static_cast<std::size_t>(end - text)) : "");
  }
}

}  // namespace zor
