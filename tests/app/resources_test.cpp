#include "app/resources.h"

#include <gtest/gtest.h>

namespace zor {
namespace {

struct MeminfoCase {
  const char* name;
  const char* text;
  std::optional<int> percent;
};

TEST(FreeMemoryPercent, ReadsTheTwoLinesOrGivesNothing) {
  const MeminfoCase cases[] = {
      {"ordinary", "MemTotal:       16000000 kB\nMemFree:  100 kB\nMemAvailable:    4000000 kB\n", 25},
      {"low", "MemTotal: 1000 kB\nMemAvailable: 149 kB\n", 14},
      {"order does not matter", "MemAvailable: 500 kB\nMemTotal: 1000 kB", 50},
      {"more than the total", "MemTotal: 1000 kB\nMemAvailable: 2000 kB\n", 100},
      {"no MemAvailable (old kernels)", "MemTotal: 1000 kB\nMemFree: 10 kB\n", std::nullopt},
      {"zero total", "MemTotal: 0 kB\nMemAvailable: 0 kB\n", std::nullopt},
      {"prefix of another key", "MemTotalX: 5 kB\nMemTotal: 200 kB\nMemAvailable: 20 kB\n", 10},
      {"garbage", "MemTotal: many\nMemAvailable: 1 kB\n", std::nullopt},
      {"empty", "", std::nullopt},
  };
  for (const MeminfoCase& c : cases) EXPECT_EQ(FreeMemoryPercent(c.text), c.percent) << c.name;
}

TEST(FreeMemoryPercent, ThisMachineGivesAShare) {
  std::optional<int> percent = SystemFreeMemoryPercent();
  ASSERT_TRUE(percent.has_value());  // Linux always has /proc/meminfo
  EXPECT_GE(*percent, 0);
  EXPECT_LE(*percent, 100);
}

}  // namespace
}  // namespace zor
