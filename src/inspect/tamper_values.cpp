#include "inspect/tamper_values.h"

#include <cstring>
#include <string_view>
#include <vector>

#include "text/encoding.h"

namespace zor {

namespace {

constexpr std::size_t kHeaderSize = 18;  // identifier, byte order, version, 8 bytes
constexpr std::size_t kCharsetSize = 8;
constexpr std::uint16_t kNamesSection = 0x0001;
constexpr std::uint16_t kValuesSection = 0x0012;

std::uint16_t Big16(std::span<const std::uint8_t> d, std::size_t o) {
  return static_cast<std::uint16_t>(d[o] << 8 | d[o + 1]);
}

// NUL-terminated strings; a section whose last string has no NUL is broken.
std::optional<std::vector<std::string>> SplitStrings(std::span<const std::uint8_t> data) {
  std::vector<std::string> items;
  std::size_t start = 0;
  while (start < data.size()) {
    const void* nul = std::memchr(data.data() + start, 0, data.size() - start);
    if (!nul) return std::nullopt;
    const std::size_t end = static_cast<const std::uint8_t*>(nul) - data.data();
    items.emplace_back(reinterpret_cast<const char*>(data.data() + start), end - start);
    start = end + 1;
  }
  return items;
}

// 64 hex digits. The writers store lower case; an upper-case value is well
// formed but never equals a digest, so it reads as a changed picture, as the
// reference checker has it.
bool IsDigest(const std::string& v) {
  if (v.size() != 64) return false;
  for (char c : v)
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))) return false;
  return true;
}

bool Contains(std::span<const std::uint8_t> d, const std::string& needle) {
  return std::string_view(reinterpret_cast<const char*>(d.data()), d.size()).find(needle) != std::string_view::npos;
}

TamperValues Malformed(const char* why) {
  TamperValues v;
  v.kind = TamperValues::Kind::kMalformed;
  v.fault = why;
  return v;
}

}  // namespace

TamperValues ReadTamperValues(std::span<const std::uint8_t> d) {
  static const std::string kImageItem = Sj("改ざんチェック値（画像）");
  static const std::string kDateItem = Sj("改ざんチェック値（撮影日時）");
  TamperValues none;
  if (d.size() < kHeaderSize) return none;
  const bool dcpmi = std::memcmp(d.data(), "DCPMI\0", 6) == 0 && d[8] == 0x01 && d[9] == 0x10;
  const bool rmeta = std::memcmp(d.data(), "RMETA\0", 6) == 0 && d[8] == 0x01 && d[9] == 0x00;
  if (!dcpmi && !rmeta) return none;
  if (d[6] != 'M' || d[7] != 'M') return none;
  // Only a segment that names the tamper items is a blackboard's; anything
  // else (a camera's own memo) carries no check data.
  if (!Contains(d, kImageItem) || !Contains(d, kDateItem)) return none;

  if (d.size() < kHeaderSize + kCharsetSize) return Malformed("文字コードの前でセグメントが終わっています");
  if (std::memcmp(d.data() + kHeaderSize, "S-JIS\0\0\0", kCharsetSize) != 0)
    return Malformed("文字コードが S-JIS ではありません");
  std::optional<std::vector<std::string>> names;
  std::optional<std::vector<std::string>> values;
  std::size_t p = kHeaderSize + kCharsetSize;
  // Each section: type and size (big-endian); the size counts itself and
  // the data after it. Type 0 ends the list.
  while (p + 4 <= d.size()) {
    const std::uint16_t type = Big16(d, p);
    const std::uint16_t size = Big16(d, p + 2);
    if (type == 0 && size == 0) break;
    if (size < 2) return Malformed("セクションの長さが不正です");
    const std::size_t end = p + 2 + size;
    if (end > d.size()) return Malformed("セクションがセグメントの外まで続いています");
    const auto data = d.subspan(p + 4, size - 2);
    // Padding after the strings is NULs; drop it before splitting.
    std::size_t used = data.size();
    while (used > 1 && data[used - 1] == 0 && data[used - 2] == 0) --used;
    if (type == kNamesSection || type == kValuesSection) {
      auto items = SplitStrings(data.first(used));
      if (!items) return Malformed(type == kNamesSection ? "項目名に終端がありません" : "値に終端がありません");
      (type == kNamesSection ? names : values) = std::move(items);
    }
    p = end;
  }
  if (!names) return Malformed("項目名のセクションがありません");
  if (!values) return Malformed("値のセクションがありません");
  TamperValues v;
  bool image = false, date = false;
  for (std::size_t i = 0; i < names->size(); ++i) {
    const std::string& name = (*names)[i];
    if (name != kImageItem && name != kDateItem) continue;
    if (i >= values->size()) return Malformed("値のない項目があります");
    const std::string& value = (*values)[i];
    if (!IsDigest(value)) return Malformed("値が64桁の16進数ではありません");
    (name == kImageItem ? v.image : v.date) = value;
    (name == kImageItem ? image : date) = true;
  }
  if (!image || !date) return Malformed("項目名が途中で切れています");
  v.kind = TamperValues::Kind::kValues;
  return v;
}

TamperOutcome CompareTamperValues(const TamperValues& values, const std::string& imageDigest,
                                  const std::string& dateDigest) {
  if (values.kind == TamperValues::Kind::kNone) return TamperOutcome::kNoData;
  if (values.kind == TamperValues::Kind::kMalformed) return TamperOutcome::kMalformed;
  const bool imageOk = values.image == imageDigest;
  const bool dateOk = values.date == dateDigest;
  if (imageOk && dateOk) return TamperOutcome::kIntact;
  if (!imageOk && !dateOk) return TamperOutcome::kBoth;
  return imageOk ? TamperOutcome::kDate : TamperOutcome::kImage;
}

std::string TamperDateBytes(const std::string& dateTimeOriginal, const std::optional<std::string>& subSec) {
  return subSec ? dateTimeOriginal + *subSec : dateTimeOriginal;
}

std::string TamperOutcomeText(TamperOutcome outcome) {
  switch (outcome) {
    case TamperOutcome::kNoData:
      return {};
    case TamperOutcome::kMalformed:
      return Sj("改ざんチェック値の形式が不正です");
    case TamperOutcome::kIntact:
      return Sj("正常");
    case TamperOutcome::kImage:
      return Sj("画像が変更されています");
    case TamperOutcome::kDate:
      return Sj("撮影日時が変更されています");
    case TamperOutcome::kBoth:
      return Sj("画像と撮影日時が変更されています");
  }
  return {};
}

}  // namespace zor
