#include "app/command_line.h"

namespace zor {
namespace {

// The full-width space U+3000 in UTF-8.
constexpr std::string_view kWideSpaceUtf8 = "\xE3\x80\x80";

// TrimWide for UTF-8: command-line text is UTF-8 on Linux, and walking it
// as code page 932 could pair a continuation byte with a following ASCII
// character and cut it.
std::string TrimWideUtf8(std::string_view s) {
  for (;;) {
    if (!s.empty() && static_cast<unsigned char>(s.front()) <= 0x20)
      s.remove_prefix(1);
    else if (s.starts_with(kWideSpaceUtf8))
      s.remove_prefix(kWideSpaceUtf8.size());
    else
      break;
  }
  for (;;) {
    if (!s.empty() && static_cast<unsigned char>(s.back()) <= 0x20)
      s.remove_suffix(1);
    else if (s.ends_with(kWideSpaceUtf8))
      s.remove_suffix(kWideSpaceUtf8.size());
    else
      break;
  }
  return std::string(s);
}

std::string WithoutQuotesTrimmed(std::string_view s) {
  std::string out;
  for (char c : s)
    if (c != '"') out += c;
  return TrimWideUtf8(out);
}

}  // namespace

std::string CommandLineFile(int argc, const char* const* argv) {
  std::string joined;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) joined += ' ';
    joined += argv[i];
  }
  return WithoutQuotesTrimmed(joined);
}

std::string CommandLineFileFromRaw(std::string_view raw) {
  // In UTF-8 an ASCII byte is always a whole character, so a byte search
  // never matches inside a multi-byte character.
  constexpr std::string_view kExe = ".EXE";
  for (std::size_t pos = 0; pos + kExe.size() <= raw.size(); ++pos) {
    bool match = true;
    for (std::size_t i = 0; i < kExe.size() && match; ++i) {
      char c = raw[pos + i];
      match = (c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c) == kExe[i];
    }
    if (match) return WithoutQuotesTrimmed(raw.substr(pos + kExe.size()));
  }
  return WithoutQuotesTrimmed(raw);
}

}  // namespace zor
