// A fixed-point number with four decimal places, as the settings file keeps
// the graphic offsets.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zor {

struct Currency {
  std::int64_t tenThousandths = 0;
  friend bool operator==(Currency, Currency) = default;
};

// The shortest decimal text: "0", "1.5", "-0.0001".
std::string CurrencyText(Currency value);

// Reads the leading number of text (blanks, sign, digits, '.', digits) and
// ignores the rest, so "1.5mm" is 1.5 and "abc" is 0. A fifth decimal rounds
// half away from zero; a value beyond the range saturates.
Currency ParseCurrency(std::string_view text);

}  // namespace zor
