// Feeds arbitrary bytes to the character scan of management files: it must
// end, and every finding must be one of the four character checks with a
// line inside the file, a bounded one-line message and item without raw
// control characters.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "check/text_scan.h"

namespace {

bool Printable(const std::string& s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (const zor::TextFinding& t : zor::ScanManagementText(bytes, "PHOTO/PHOTO.XML")) {
    const zor::Finding& f = t.finding;
    if (f.check != "text.char" && f.check != "text.kana" && f.check != "text.control" && f.check != "text.wide-alnum")
      __builtin_trap();
    if (f.file != "PHOTO/PHOTO.XML" || f.line < 1 || static_cast<std::size_t>(f.line) > size + 1) __builtin_trap();
    if (f.message.empty() || f.message.size() > 2048 || !Printable(f.message)) __builtin_trap();
    if (f.item.size() > 10000 || !Printable(f.item) || t.photoOrdinal < 0) __builtin_trap();
  }
  return 0;
}
