// Reading a whole picture file into memory, with a ceiling on its size.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zor {

// Larger files are not pictures this program shows.
inline constexpr std::uintmax_t kMaxPictureFileBytes = 1024ull * 1024 * 1024;

// The file's bytes; nothing (and a reason) when it cannot be opened or read
// or is larger than max_bytes.
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::filesystem::path& path, std::string* reason,
                                                       std::uintmax_t max_bytes = kMaxPictureFileBytes);

}  // namespace zor
