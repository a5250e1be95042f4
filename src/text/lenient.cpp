#include "text/lenient.h"

#include <limits>

namespace zor {

std::int32_t LenientInteger(std::string_view s) {
  std::size_t pos = 0;
  while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t')) ++pos;
  bool negative = false;
  if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) {
    negative = s[pos] == '-';
    ++pos;
  }
  std::int64_t value = 0;
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  for (; pos < s.size() && s[pos] >= '0' && s[pos] <= '9'; ++pos) {
    value = value * 10 + (s[pos] - '0');
    if (value > kLimit) value = kLimit;  // keep scanning, the result saturates
  }
  if (negative) return static_cast<std::int32_t>(-value);
  if (value > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value);
}

}  // namespace zor
