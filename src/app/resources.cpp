#include "app/resources.h"

#include <charconv>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

namespace zor {
namespace {

// The number of kilobytes after "Key:" at the start of a line.
std::optional<std::uint64_t> FieldKb(std::string_view text, std::string_view key) {
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(at, end - at);
    if (line.size() > key.size() && line.substr(0, key.size()) == key && line[key.size()] == ':') {
      std::size_t digits = line.find_first_of("0123456789", key.size() + 1);
      if (digits == std::string_view::npos) return std::nullopt;
      std::uint64_t value = 0;
      auto [ptr, ec] = std::from_chars(line.data() + digits, line.data() + line.size(), value);
      if (ec != std::errc()) return std::nullopt;
      return value;
    }
    at = end + 1;
  }
  return std::nullopt;
}

}  // namespace

std::optional<int> FreeMemoryPercent(std::string_view meminfo) {
  std::optional<std::uint64_t> total = FieldKb(meminfo, "MemTotal");
  std::optional<std::uint64_t> available = FieldKb(meminfo, "MemAvailable");
  if (!total || !available || *total == 0) return std::nullopt;
  if (*available >= *total) return 100;
  return static_cast<int>(*available * 100 / *total);
}

std::optional<int> SystemFreeMemoryPercent() {
  std::ifstream in("/proc/meminfo");
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return FreeMemoryPercent(text.str());
}

bool SystemResourcesLow() {
  std::optional<int> percent = SystemFreeMemoryPercent();
  return percent && *percent < kLowResourcePercent;
}

}  // namespace zor
