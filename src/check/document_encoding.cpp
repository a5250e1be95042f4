#include "check/document_encoding.h"

#include <algorithm>
#include <cstdint>

#include "text/sjis.h"

namespace zor {
namespace {

// The value of encoding="..." in the XML declaration at the start of s.
std::string_view DeclaredEncoding(std::string_view s) {
  if (!s.starts_with("<?xml")) return {};
  const std::size_t close = s.find("?>");
  const std::string_view decl =
      s.substr(0, close == std::string_view::npos ? std::min<std::size_t>(s.size(), 512) : close);
  std::size_t pos = decl.find("encoding");
  if (pos == std::string_view::npos) return {};
  pos += 8;
  auto skipBlanks = [&] {
    while (pos < decl.size() && (decl[pos] == ' ' || decl[pos] == '\t' || decl[pos] == '\r' || decl[pos] == '\n'))
      ++pos;
  };
  skipBlanks();
  if (pos >= decl.size() || decl[pos] != '=') return {};
  ++pos;
  skipBlanks();
  if (pos >= decl.size() || (decl[pos] != '"' && decl[pos] != '\'')) return {};
  const char quote = decl[pos++];
  const std::size_t end = decl.find(quote, pos);
  if (end == std::string_view::npos) return {};
  return decl.substr(pos, end - pos);
}

bool IsShiftJis(std::string_view name) {
  static constexpr std::string_view kNames[] = {"Shift_JIS",  "Shift-JIS",   "SJIS",  "x-sjis", "MS_Kanji",
                                                "csShiftJIS", "Windows-31J", "CP932", "MS932",  "x-ms-cp932"};
  for (std::string_view known : kNames)
    if (SameTextIgnoringCase(name, known)) return true;
  return false;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

DetectedEncoding DetectEncoding(std::string_view bytes) {
  auto at = [&](std::size_t i) { return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0x100u; };
  if (at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF) return {DocumentEncoding::kUtf8, 3, true};
  if (at(0) == 0xFF && at(1) == 0xFE) return {DocumentEncoding::kUtf16Le, 2, true};
  if (at(0) == 0xFE && at(1) == 0xFF) return {DocumentEncoding::kUtf16Be, 2, true};
  if (at(0) == '<' && at(1) == 0 && at(2) == '?' && at(3) == 0) return {DocumentEncoding::kUtf16Le, 0, true};
  if (at(0) == 0 && at(1) == '<' && at(2) == 0 && at(3) == '?') return {DocumentEncoding::kUtf16Be, 0, true};
  const std::string_view name = DeclaredEncoding(bytes);
  if (IsShiftJis(name)) return {DocumentEncoding::kCp932, 0, true};
  if (SameTextIgnoringCase(name, "UTF-8")) return {DocumentEncoding::kUtf8, 0, true};
  return {IsValidUtf8(bytes) ? DocumentEncoding::kUtf8 : DocumentEncoding::kCp932, 0, false};
}

bool IsValidUtf8(std::string_view bytes) {
  const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  for (std::size_t i = 0; i < n;) {
    const unsigned char c = s[i];
    if (c < 0x80) {
      ++i;
      continue;
    }
    std::size_t len = 0;
    unsigned char lo = 0x80, hi = 0xBF;  // the allowed range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
      len = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
      len = 3;
      if (c == 0xE0) lo = 0xA0;
      if (c == 0xED) hi = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      len = 4;
      if (c == 0xF0) lo = 0x90;
      if (c == 0xF4) hi = 0x8F;
    } else {
      return false;
    }
    if (i + len > n || s[i + 1] < lo || s[i + 1] > hi) return false;
    for (std::size_t k = 2; k < len; ++k)
      if ((s[i + k] & 0xC0) != 0x80) return false;
    i += len;
  }
  return true;
}

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
  auto unit = [&](std::size_t i) -> char32_t {
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(bytes[i + 1]);
    return bigEndian ? (a << 8 | b) : (b << 8 | a);
  };
  std::string out;
  out.reserve(bytes.size() * 3 / 2);
  std::size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    char32_t c = unit(i);
    if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size()) {
      const char32_t low = unit(i + 2);
      if (low >= 0xDC00 && low < 0xE000) {
        AppendUtf8(out, 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00));
        i += 2;
        continue;
      }
    }
    if (c >= 0xD800 && c < 0xE000) c = 0xFFFD;
    AppendUtf8(out, c);
  }
  if (i < bytes.size()) AppendUtf8(out, 0xFFFD);
  return out;
}

}  // namespace zor
