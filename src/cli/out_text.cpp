#include "cli/out_text.h"

#include <cstdio>

namespace zor::cli {

std::string EscapeControls(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (const char c : utf8) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (u < 0x20 || u == 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", u);
      out += hex;
    } else {
      out += c;
    }
  }
  return out;
}

std::string OneLine(std::string_view utf8) {
  std::string joined;
  joined.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') continue;
    if (utf8[i] == '\n' || utf8[i] == '\r') {
      if (!joined.empty() && joined.back() != ' ') joined += ' ';
      continue;
    }
    joined += utf8[i];
  }
  while (!joined.empty() && joined.back() == ' ') joined.pop_back();
  return EscapeControls(joined);
}

}  // namespace zor::cli
