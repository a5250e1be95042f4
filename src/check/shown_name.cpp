#include "check/shown_name.h"

#include <cstdio>

#include "text/encoding.h"

namespace zor {
namespace {

// Length of the well-formed UTF-8 sequence at s[0] and its code point; 0
// when the bytes there are not one.
std::size_t DecodeUtf8(std::string_view s, char32_t& cp) {
  const unsigned char c = static_cast<unsigned char>(s[0]);
  std::size_t need = 0;
  char32_t min = 0;
  if (c < 0x80) {
    cp = c;
    return 1;
  }
  if (c >= 0xC2 && c <= 0xDF) {
    need = 2, cp = c & 0x1F, min = 0x80;
  } else if (c >= 0xE0 && c <= 0xEF) {
    need = 3, cp = c & 0x0F, min = 0x800;
  } else if (c >= 0xF0 && c <= 0xF4) {
    need = 4, cp = c & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (s.size() < need) return 0;
  for (std::size_t i = 1; i < need; ++i) {
    const unsigned char t = static_cast<unsigned char>(s[i]);
    if ((t & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (t & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return need;
}

void AppendHexByte(std::string& out, unsigned char b) {
  char hex[8];
  std::snprintf(hex, sizeof hex, "\\x%02X", b);
  out += hex;
}

}  // namespace

std::string ShownName(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t cp = 0;
    const std::size_t len = DecodeUtf8(utf8.substr(i), cp);
    if (len == 0) {
      AppendHexByte(out, static_cast<unsigned char>(utf8[i]));
      ++i;
      continue;
    }
    if (cp == '\\') {
      out += "\\\\";
    } else if (cp == '\n') {
      out += "\\n";
    } else if (cp == '\r') {
      out += "\\r";
    } else if (cp == '\t') {
      out += "\\t";
    } else if (cp < 0x20 || cp == 0x7F) {
      AppendHexByte(out, static_cast<unsigned char>(cp));
    } else if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else {
      std::size_t replaced = 0;
      const std::string sjis = cp >= 0x80 && cp <= 0x9F ? std::string() : Utf8ToCp932(utf8.substr(i, len), &replaced);
      // A C1 control, or a character code page 932 lacks: its code point.
      if (sjis.empty() || replaced > 0) {
        char code[16];
        std::snprintf(code, sizeof code, "\\u{%04X}", static_cast<unsigned>(cp));
        out += code;
      } else {
        out += sjis;
      }
    }
    i += len;
  }
  return out;
}

}  // namespace zor
