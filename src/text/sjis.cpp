#include "text/sjis.h"

namespace zor {

bool IsLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

std::size_t CharLengthAt(std::string_view s, std::size_t pos) {
  if (pos + 1 < s.size() && IsLeadByte(static_cast<unsigned char>(s[pos]))) return 2;
  return 1;
}

std::string TrimWide(std::string_view s) {
  // Walk forward character by character so that a trail byte is never
  // mistaken for a blank or a control character.
  std::size_t begin = 0;
  std::size_t end = 0;  // one past the last kept character
  bool seen = false;
  for (std::size_t pos = 0; pos < s.size();) {
    std::size_t len = CharLengthAt(s, pos);
    std::string_view ch = s.substr(pos, len);
    bool blank = (len == 1 && static_cast<unsigned char>(ch[0]) <= 0x20) || ch == kWideSpace;
    if (!blank) {
      if (!seen) begin = pos;
      seen = true;
      end = pos + len;
    }
    pos += len;
  }
  if (!seen) return {};
  return std::string(s.substr(begin, end - begin));
}

std::string CutToBytes(std::string_view s, std::size_t n) {
  if (s.size() <= n) return std::string(s);
  std::size_t pos = 0;
  while (pos < s.size()) {
    std::size_t len = CharLengthAt(s, pos);
    if (pos + len > n) break;
    pos += len;
  }
  return std::string(s.substr(0, pos));
}

std::string UpperAscii(std::string_view s) {
  std::string out(s);
  for (std::size_t pos = 0; pos < out.size();) {
    std::size_t len = CharLengthAt(out, pos);
    if (len == 1 && out[pos] >= 'a' && out[pos] <= 'z') out[pos] = static_cast<char>(out[pos] - 'a' + 'A');
    pos += len;
  }
  return out;
}

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && UpperAscii(a) == UpperAscii(b);
}

std::size_t FindIgnoringCase(std::string_view s, std::string_view needle) {
  std::string hay = UpperAscii(s);
  std::string pin = UpperAscii(needle);
  for (std::size_t pos = 0; pos + pin.size() <= hay.size();) {
    if (hay.compare(pos, pin.size(), pin) == 0) return pos;
    pos += CharLengthAt(hay, pos);
  }
  return std::string_view::npos;
}

}  // namespace zor
