// The small JPEG that cameras embed in the EXIF header (commonly 160 x 120).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace zor {

// Thumbnails are used only for sizes up to this many pixels.
inline constexpr int kExifThumbnailMaxSize = 160;
// An EXIF segment holds at most 64 KB, so no embedded thumbnail is longer.
inline constexpr std::uint32_t kExifThumbnailMaxBytes = 65535;

// The thumbnail's JPEG bytes when the file starts with an EXIF segment
// (FF D8 FF E1) whose thumbnail directory (IFD1) names a JPEG thumbnail, and
// size is 0 (any) or at most 160. Every offset and length is checked against
// the file: a lying header gives nothing, never a read out of bounds or a
// large allocation. A file that cannot be opened gives nothing too.
std::optional<std::vector<std::uint8_t>> LoadExifThumbnail(const std::filesystem::path& path, int size);

// The same for a file already in memory.
std::optional<std::vector<std::uint8_t>> LoadExifThumbnail(std::span<const std::uint8_t> file, int size);

}  // namespace zor
