// The characters of one management file: every element's text and every
// attribute value is scanned for characters a delivery may not hold (see
// char_table.h). The bytes are scanned directly, not parsed into a tree, so
// that a large PHOTO.XML costs one pass; markup that does not hold together
// is scanned as far as it goes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "inspect/findings.h"

namespace zor {

// A file larger than this is not scanned (the caller is told why).
inline constexpr std::uint64_t kMaxScannedFileBytes = 512u << 20;

// Elements deeper than this add no further name to the item path; their
// text counts towards the deepest element that does.
inline constexpr int kMaxPathDepth = 64;

// A file keeps at most this many findings (the values' first ones); the
// rest are only counted.
inline constexpr std::size_t kMaxTextFindings = 100'000;

// A finding lists this many distinct characters, then says how many more
// offending characters the value holds.
inline constexpr std::size_t kMaxListedChars = 16;

struct TextFinding {
  // check "text.char", "text.kana", "text.control" or "text.wide-alnum"; file
  // the shown name; item the element path ("写真情報/写真ファイル情報/写真ファイル名",
  // "path@attribute" for an attribute); line the value's first line.
  Finding finding;
  int photoOrdinal = 0;  // 1-based ordinal of the enclosing 写真情報, 0 outside one
};

// The findings of a management file's bytes, in order of their lines.
// shownName (code page 932) becomes each finding's file. How many findings
// past kMaxTextFindings were left out is written to *omitted when given.
std::vector<TextFinding> ScanManagementText(std::string_view bytes, const std::string& shownName,
                                            std::size_t* omitted = nullptr);

struct TextScanResult {
  bool read = false;  // false: the file could not be read and was not scanned
  std::string error;  // why not (code page 932), when !read
  std::vector<TextFinding> findings;
  std::size_t omitted = 0;  // findings left out past kMaxTextFindings
};

// Reads the file (a UTF-8 path) when it is a regular file of at most
// kMaxScannedFileBytes, without blocking on a FIFO, and scans it.
TextScanResult ScanManagementFile(const std::string& utf8Path, const std::string& shownName);

}  // namespace zor
