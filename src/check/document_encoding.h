// The encoding of a management file as its bytes say it: the byte order
// mark, then the XML declaration, then whether the bytes are UTF-8 at all.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zor {

enum class DocumentEncoding { kCp932, kUtf8, kUtf16Le, kUtf16Be };

struct DetectedEncoding {
  DocumentEncoding encoding = DocumentEncoding::kUtf8;
  std::size_t markBytes = 0;  // the byte order mark's length, 0 without one
  // UTF-8 because the file says so (mark or declaration): its invalid bytes
  // are faults. Without a word the file is UTF-8 only when its bytes are.
  bool declared = false;
};

// Shift_JIS, Windows-31J, CP932 and their aliases are code page 932; UTF-8
// is UTF-8; UTF-16 needs a mark or "<?" in UTF-16. Any other or no declared
// encoding: UTF-8 when the bytes are valid UTF-8, code page 932 otherwise.
DetectedEncoding DetectEncoding(std::string_view bytes);

// True when bytes are entirely well-formed UTF-8 (no overlong forms, no
// surrogates, nothing past U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// The UTF-16 text (after its mark) as UTF-8; an unpaired surrogate or an odd
// last byte becomes U+FFFD, so lines and characters keep their places.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian);

}  // namespace zor
