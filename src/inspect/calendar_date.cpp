#include "inspect/calendar_date.h"

#include <ctime>

namespace zor {

bool IsRealDate(int year, int month, int day) {
  if (year < 1 || month < 1 || month > 12 || day < 1) return false;
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

std::optional<CalendarDate> ParseDeliveryDate(std::string_view t) {
  if (t.size() != 10 || t[4] != '-' || t[7] != '-') return std::nullopt;
  auto number = [&](std::size_t from, std::size_t n) -> int {
    int v = 0;
    for (std::size_t i = from; i < from + n; ++i) {
      if (t[i] < '0' || t[i] > '9') return -1;
      v = v * 10 + (t[i] - '0');
    }
    return v;
  };
  const CalendarDate d{number(0, 4), number(5, 2), number(8, 2)};
  if (!IsRealDate(d.year, d.month, d.day)) return std::nullopt;
  return d;
}

CalendarDate Today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return CalendarDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

}  // namespace zor
