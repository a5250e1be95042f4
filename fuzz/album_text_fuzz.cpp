// Feeds arbitrary values to the album's text helpers: the escaped text may
// hold no markup character of its own, every '&' must start one of the
// entities written, and nothing may read out of bounds or abort.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "output/html_text.h"

namespace {

bool EntityAt(const std::string& s, std::size_t i) {
  for (std::string_view e : {"&amp;", "&lt;", "&gt;", "&quot;", "&nbsp;"})
    if (s.compare(i, e.size(), e) == 0) return true;
  return false;
}

void Check(const std::string& escaped) {
  for (std::size_t i = 0; i < escaped.size(); ++i) {
    const char c = escaped[i];
    if (c == '<' || c == '>' || c == '"') __builtin_trap();
    if (c == '&' && !EntityAt(escaped, i)) __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  Check(zor::HtmlEscape(text));
  for (const std::string& line : zor::SplitLines(text)) Check(zor::HtmlEscape(line));
  Check(zor::HtmlEscape(zor::AlbumDate(text)));
  return 0;
}
