// Dates as a delivery writes them: "YYYY-MM-DD" in half-width digits.
#pragma once

#include <optional>
#include <string_view>

namespace zor {

struct CalendarDate {
  int year = 0;
  int month = 0;
  int day = 0;
  auto operator<=>(const CalendarDate&) const = default;
};

// A real calendar date written exactly "YYYY-MM-DD"; nothing for any other
// form ("2023-2-3", "令和5年") or a day the month lacks ("2023-02-30").
std::optional<CalendarDate> ParseDeliveryDate(std::string_view text);

bool IsRealDate(int year, int month, int day);

// Today in local time.
CalendarDate Today();

}  // namespace zor
