#include "images/exif_thumbnail.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <system_error>

namespace zor {
namespace {

constexpr std::uint64_t kTiffHeader = 12;  // offsets count from here
constexpr std::uint16_t kTagCompression = 259;
constexpr std::uint16_t kTagThumbnailOffset = 513;
constexpr std::uint16_t kTagThumbnailLength = 514;
constexpr std::uint16_t kCompressionJpeg = 6;
constexpr std::size_t kEntryBytes = 12;

class MemorySource {
 public:
  explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::uint64_t Size() const { return bytes_.size(); }
  bool Read(std::uint64_t offset, std::uint8_t* out, std::size_t count) {
    if (offset > bytes_.size() || count > bytes_.size() - offset) return false;
    std::memcpy(out, bytes_.data() + offset, count);
    return true;
  }

 private:
  std::span<const std::uint8_t> bytes_;
};

class FileSource {
 public:
  FileSource(std::ifstream& in, std::uint64_t size) : in_(in), size_(size) {}
  std::uint64_t Size() const { return size_; }
  bool Read(std::uint64_t offset, std::uint8_t* out, std::size_t count) {
    if (offset > size_ || count > size_ - offset) return false;
    in_.clear();
    in_.seekg(static_cast<std::streamoff>(offset));
    in_.read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(count));
    return in_.gcount() == static_cast<std::streamsize>(count);
  }

 private:
  std::ifstream& in_;
  std::uint64_t size_;
};

struct ByteOrder {
  bool little = false;
  std::uint16_t U16(const std::uint8_t* p) const {
    return little ? static_cast<std::uint16_t>(p[0] | p[1] << 8) : static_cast<std::uint16_t>(p[0] << 8 | p[1]);
  }
  std::uint32_t U32(const std::uint8_t* p) const {
    return little ? (std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
                     std::uint32_t{p[3]} << 24)
                  : (std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 |
                     std::uint32_t{p[3]});
  }
};

// Larger thumbnails are decoded from the photo itself.
bool SizeWanted(int size) { return size == 0 || size <= kExifThumbnailMaxSize; }

template <typename Source>
std::optional<std::vector<std::uint8_t>> ReadThumbnail(Source& source) {
  // The header: bytes past the end of a short file read as 0.
  std::array<std::uint8_t, 20> head{};
  const auto head_bytes = static_cast<std::size_t>(std::min<std::uint64_t>(source.Size(), head.size()));
  if (head_bytes < 4 || !source.Read(0, head.data(), head_bytes)) return std::nullopt;
  // Start of image immediately followed by APP1; a JFIF APP0 first means no thumbnail here.
  if (head[0] != 0xFF || head[1] != 0xD8 || head[2] != 0xFF || head[3] != 0xE1) return std::nullopt;

  ByteOrder order{head[12] == 'I' && head[13] == 'I'};
  std::uint8_t buffer[4];

  // IFD0: skip its entries to reach the offset of IFD1, the thumbnail's directory.
  const std::uint64_t ifd0 = kTiffHeader + order.U32(&head[16]);
  if (!source.Read(ifd0, buffer, 2)) return std::nullopt;
  const std::uint64_t next_field = ifd0 + 2 + kEntryBytes * order.U16(buffer);
  if (!source.Read(next_field, buffer, 4)) return std::nullopt;
  const std::uint64_t ifd1 = kTiffHeader + order.U32(buffer);
  if (!source.Read(ifd1, buffer, 2)) return std::nullopt;
  const auto count = static_cast<std::int16_t>(order.U16(buffer));
  if (count <= 0) return std::nullopt;

  bool jpeg = false;
  std::uint32_t offset = 0;
  std::uint32_t length = 0;
  // The entries in one read; a count larger than the file gives the entries there are.
  const std::uint64_t entries_at = ifd1 + 2;
  const std::uint64_t available = (source.Size() - std::min(source.Size(), entries_at)) / kEntryBytes;
  const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(static_cast<std::uint64_t>(count), available));
  std::vector<std::uint8_t> entries(n * kEntryBytes);
  if (n > 0 && !source.Read(entries_at, entries.data(), entries.size())) return std::nullopt;
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint8_t* entry = &entries[i * kEntryBytes];
    switch (order.U16(entry)) {
      case kTagCompression:
        jpeg = order.U16(entry + 8) == kCompressionJpeg;
        break;
      case kTagThumbnailOffset:
        offset = order.U32(entry + 8);
        break;
      case kTagThumbnailLength:
        length = order.U32(entry + 8);
        break;
      default:
        break;
    }
  }
  if (!jpeg || offset == 0 || length == 0 || length > kExifThumbnailMaxBytes) return std::nullopt;

  std::vector<std::uint8_t> thumbnail(length);
  if (!source.Read(kTiffHeader + offset, thumbnail.data(), thumbnail.size())) return std::nullopt;
  return thumbnail;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> LoadExifThumbnail(std::span<const std::uint8_t> file, int size) {
  if (!SizeWanted(size)) return std::nullopt;
  MemorySource source(file);
  return ReadThumbnail(source);
}

std::optional<std::vector<std::uint8_t>> LoadExifThumbnail(const std::filesystem::path& path, int size) {
  if (!SizeWanted(size)) return std::nullopt;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  const std::uintmax_t file_size = std::filesystem::file_size(path, ec);
  if (ec) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  FileSource source(in, file_size);
  return ReadThumbnail(source);
}

}  // namespace zor
