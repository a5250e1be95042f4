#include "images/jfif_thumbnail.h"

#include <cstring>

namespace zor {
namespace {

constexpr std::uint8_t kJfifId[5] = {'J', 'F', 'I', 'F', 0};
constexpr std::uint8_t kJfxxId[5] = {'J', 'F', 'X', 'X', 0};
constexpr std::uint8_t kJfxxPalette = 0x11;
constexpr std::uint8_t kJfxxRgb = 0x13;

std::optional<JfifThumbnail> FromSegment(std::span<const std::uint8_t> data) {
  if (data.size() >= 14 && std::memcmp(data.data(), kJfifId, 5) == 0) {
    // identifier, version, units, densities, then the thumbnail size
    JfifThumbnail t{data[12], data[13], {}, {}};
    const std::size_t bytes = std::size_t{3} * t.width * t.height;
    if (bytes == 0 || data.size() - 14 < bytes) return std::nullopt;
    t.pixels = data.subspan(14, bytes);
    return t;
  }
  if (data.size() >= 8 && std::memcmp(data.data(), kJfxxId, 5) == 0) {
    JfifThumbnail t{data[6], data[7], {}, {}};
    const std::size_t count = std::size_t{1} * t.width * t.height;
    if (count == 0) return std::nullopt;
    if (data[5] == kJfxxRgb) {
      if (data.size() - 8 < 3 * count) return std::nullopt;
      t.pixels = data.subspan(8, 3 * count);
      return t;
    }
    if (data[5] == kJfxxPalette) {
      if (data.size() - 8 < 768 + count) return std::nullopt;
      t.palette = data.subspan(8, 768);
      t.pixels = data.subspan(8 + 768, count);
      return t;
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<JfifThumbnail> FindJfifThumbnail(jpeg_saved_marker_ptr markers) {
  for (jpeg_saved_marker_ptr m = markers; m; m = m->next) {
    if (m->marker != JPEG_APP0 || !m->data) continue;
    // A segment cut short by the saving limit does not count.
    if (m->data_length < m->original_length) continue;
    if (auto t = FromSegment({m->data, m->data_length})) return t;
  }
  return std::nullopt;
}

bool DecodeJfifThumbnail(const JfifThumbnail& thumbnail, Bitmap& bitmap) {
  if (!bitmap.Resize(thumbnail.width, thumbnail.height)) return false;
  const std::uint8_t* src = thumbnail.pixels.data();
  for (int y = 0; y < thumbnail.height; ++y) {
    std::uint8_t* dst = bitmap.Row(y);
    for (int x = 0; x < thumbnail.width; ++x, dst += 3) {
      const std::uint8_t* rgb = thumbnail.palette.empty() ? src : thumbnail.palette.data() + 3 * *src;
      src += thumbnail.palette.empty() ? 3 : 1;
      dst[0] = rgb[2];
      dst[1] = rgb[1];
      dst[2] = rgb[0];
    }
  }
  return true;
}

}  // namespace zor
