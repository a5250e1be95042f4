// How much of the machine's memory is still free, the measure behind the
// "system resources" warning shown before a window is created.
#pragma once

#include <optional>
#include <string_view>

namespace zor {

// Below this share of free memory, no new window is created.
inline constexpr int kLowResourcePercent = 15;

// The percentage of MemAvailable in MemTotal from the text of
// /proc/meminfo; nothing when either line is missing or the total is 0.
std::optional<int> FreeMemoryPercent(std::string_view meminfo);

// FreeMemoryPercent of this machine; nothing when it cannot be read.
std::optional<int> SystemFreeMemoryPercent();

// True only when the free share is known and below kLowResourcePercent.
bool SystemResourcesLow();

}  // namespace zor
