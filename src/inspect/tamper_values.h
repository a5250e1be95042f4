// The electronic-blackboard tamper values: an APP5 segment whose data starts
// with "DCPMI\0" and version 0x0110 or "RMETA\0" and version 0x0100, byte
// order "MM", the charset "S-JIS\0\0\0", then sections walked by their size
// fields: 0x0001 the NUL-terminated item names, 0x0012 the values in the same
// order. Two items hold 64 lower-case hex digits each: the SHA-256 of the
// image data (the first FF DA through the first FF D9 after it) and of the
// original date (DateTimeOriginal's raw bytes, then SubSecTimeOriginal's when
// present).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace zor {

struct TamperValues {
  enum class Kind {
    kNone,       // no check data: another kind of APP5, "II", or no tamper items
    kMalformed,  // the tamper items are named but the segment breaks the layout
    kValues,
  };
  Kind kind = Kind::kNone;
  std::string image;  // 64 hex digits when kValues
  std::string date;
  std::string fault;  // UTF-8, for kMalformed
};

// The data of one APP5 segment (after its length field).
TamperValues ReadTamperValues(std::span<const std::uint8_t> app5);

enum class TamperOutcome {
  kNoData,
  kMalformed,  // 改ざんチェック値の形式が不正です
  kIntact,     // 正常
  kImage,      // 画像が変更されています
  kDate,       // 撮影日時が変更されています
  kBoth,       // 画像と撮影日時が変更されています
};

// Compares stored values with the digests computed (64 lower-case hex
// digits each); case matters.
TamperOutcome CompareTamperValues(const TamperValues& values, const std::string& imageDigest,
                                  const std::string& dateDigest);

// The date digest's input: DateTimeOriginal's raw bytes, then
// SubSecTimeOriginal's when the tag exists.
std::string TamperDateBytes(const std::string& dateTimeOriginal, const std::optional<std::string>& subSec);

// The outcome's text (code page 932); empty for kNoData.
std::string TamperOutcomeText(TamperOutcome outcome);

}  // namespace zor
