#include "store/drawing_list.h"

#include <cstdint>
#include <limits>

namespace zor {
namespace {

constexpr std::size_t kNarrowGroup = 5;
constexpr std::size_t kWideGroup = 11;  // "*" + 10 digits
constexpr char kWideMark = '*';

std::string Digits(std::int64_t n, std::size_t width) {
  std::string s = std::to_string(n);
  return std::string(width - s.size(), '0') + s;
}

// The number formed by the leading digits of a group; 0 without any.
std::int32_t LeadingDigits(std::string_view group) {
  std::int64_t value = 0;
  for (char c : group) {
    if (c < '0' || c > '9') break;
    value = value * 10 + (c - '0');
  }
  return value > std::numeric_limits<std::int32_t>::max() ? 0 : static_cast<std::int32_t>(value);
}

}  // namespace

std::string EncodeDrawingList(const TIntList& list, std::size_t* written) {
  std::string text;
  std::size_t count = 0;
  for (std::int32_t n : list) {
    if (n <= 0) continue;
    std::string group = n <= 99999 ? Digits(n, kNarrowGroup) : kWideMark + Digits(n, kWideGroup - 1);
    if (text.size() + group.size() > kDrawingListSize) break;
    text += group;
    ++count;
  }
  if (written != nullptr) *written = count;
  return text;
}

TIntList DecodeDrawingList(std::string_view text) {
  TIntList list;
  std::size_t pos = 0;
  while (pos < text.size()) {
    bool wide = text[pos] == kWideMark;
    std::size_t width = wide ? kWideGroup : kNarrowGroup;
    if (pos + width > text.size()) break;
    list.push_back(LeadingDigits(text.substr(wide ? pos + 1 : pos, wide ? width - 1 : width)));
    pos += width;
  }
  return list;
}

}  // namespace zor
