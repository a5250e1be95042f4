#include "app/currency.h"

#include <limits>

namespace zor {

std::string CurrencyText(Currency value) {
  std::int64_t v = value.tenThousandths;
  bool negative = v < 0;
  // Work on the unsigned magnitude so that the lowest value does not overflow.
  std::uint64_t magnitude = negative ? std::uint64_t{0} - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
  std::string text = negative ? "-" : "";
  text += std::to_string(magnitude / 10000);
  std::uint64_t fraction = magnitude % 10000;
  if (fraction != 0) {
    std::string digits = std::to_string(fraction + 10000).substr(1);  // four digits with leading zeros
    while (digits.back() == '0') digits.pop_back();
    text += '.' + digits;
  }
  return text;
}

Currency ParseCurrency(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';

  constexpr std::uint64_t kMax = std::numeric_limits<std::int64_t>::max();
  std::uint64_t magnitude = 0;  // in ten-thousandths
  bool saturated = false;
  auto add = [&](std::uint64_t part) {
    if (part > kMax - magnitude)
      saturated = true;
    else
      magnitude += part;
  };
  auto is_digit = [&] { return pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; };
  for (; is_digit(); ++pos) {
    std::uint64_t digit = static_cast<std::uint64_t>(text[pos] - '0');
    if (magnitude > (kMax - digit * 10000) / 10) saturated = true;
    if (saturated) continue;
    magnitude = magnitude * 10 + digit * 10000;
  }
  if (pos < text.size() && text[pos] == '.') {
    ++pos;
    static constexpr std::uint64_t kScale[] = {1000, 100, 10, 1};
    for (int place = 0; is_digit(); ++pos, ++place) {
      std::uint64_t digit = static_cast<std::uint64_t>(text[pos] - '0');
      if (place < 4)
        add(digit * kScale[place]);
      else if (place == 4 && digit >= 5)
        add(1);  // the fifth decimal rounds; later ones are ignored
    }
  }
  if (saturated) magnitude = kMax;
  std::int64_t value = static_cast<std::int64_t>(magnitude);
  return Currency{negative ? -value : value};
}

}  // namespace zor
