#include "inspect/exif_fields.h"

#include <cstring>
#include <set>

namespace zor {

namespace {

class TiffReader {
 public:
  explicit TiffReader(std::span<const std::uint8_t> data) : d_(data) {}

  bool Header() {
    if (d_.size() < 8) return false;
    if (d_[0] == 'I' && d_[1] == 'I' && d_[2] == 42 && d_[3] == 0) {
      little_ = true;
    } else if (d_[0] == 'M' && d_[1] == 'M' && d_[2] == 0 && d_[3] == 42) {
      little_ = false;
    } else {
      return false;
    }
    return true;
  }

  bool Has(std::uint64_t offset, std::uint64_t size) const { return offset <= d_.size() && size <= d_.size() - offset; }
  std::uint16_t U16(std::size_t o) const {
    return little_ ? static_cast<std::uint16_t>(d_[o] | d_[o + 1] << 8)
                   : static_cast<std::uint16_t>(d_[o] << 8 | d_[o + 1]);
  }
  std::uint32_t U32(std::size_t o) const {
    const std::uint32_t a = d_[o], b = d_[o + 1], c = d_[o + 2], e = d_[o + 3];
    return little_ ? (a | b << 8 | c << 16 | e << 24) : (a << 24 | b << 16 | c << 8 | e);
  }
  std::span<const std::uint8_t> Bytes(std::size_t offset, std::size_t size) const { return d_.subspan(offset, size); }

 private:
  std::span<const std::uint8_t> d_;
  bool little_ = false;
};

std::uint64_t TypeSize(std::uint16_t type) {
  switch (type) {
    case 1:  // BYTE
    case 2:  // ASCII
    case 6:  // SBYTE
    case 7:  // UNDEFINED
      return 1;
    case 3:  // SHORT
    case 8:  // SSHORT
      return 2;
    case 4:   // LONG
    case 9:   // SLONG
    case 11:  // FLOAT
      return 4;
    case 5:   // RATIONAL
    case 10:  // SRATIONAL
    case 12:  // DOUBLE
      return 8;
    default:
      return 0;
  }
}

constexpr std::uint16_t kTagImageWidth = 0x0100;
constexpr std::uint16_t kTagImageLength = 0x0101;
constexpr std::uint16_t kTagMake = 0x010F;
constexpr std::uint16_t kTagModel = 0x0110;
constexpr std::uint16_t kTagXmp = 0x02BC;
constexpr std::uint16_t kTagExifIfd = 0x8769;
constexpr std::uint16_t kTagDateTimeOriginal = 0x9003;
constexpr std::uint16_t kTagSubSecTimeOriginal = 0x9291;
constexpr std::uint16_t kTagPixelX = 0xA002;
constexpr std::uint16_t kTagPixelY = 0xA003;

class FieldReader {
 public:
  FieldReader(std::span<const std::uint8_t> data, ExifFields& out) : r_(data), out_(out) {}

  void Run() {
    if (!r_.Header()) {
      out_.fault = "TIFF ヘッダーがありません";
      return;
    }
    std::uint32_t exifIfd = 0;
    Directory(r_.U32(4), false, &exifIfd);
    if (exifIfd && out_.fault.empty()) Directory(exifIfd, true, nullptr);
  }

 private:
  void Directory(std::uint32_t offset, bool exif, std::uint32_t* exifIfd) {
    if (!visited_.insert(offset).second) {
      out_.fault = "EXIF のディレクトリが循環しています";
      return;
    }
    if (!r_.Has(offset, 2)) {
      out_.fault = "EXIF のディレクトリが範囲外を指しています";
      return;
    }
    const std::uint16_t count = r_.U16(offset);
    if (!r_.Has(offset + 2, std::uint64_t{count} * 12)) {
      out_.fault = "EXIF のディレクトリが範囲外まで続いています";
      return;
    }
    for (std::uint16_t i = 0; i < count; ++i) Entry(offset + 2 + std::size_t{i} * 12, exif, exifIfd);
  }

  void Entry(std::size_t e, bool exif, std::uint32_t* exifIfd) {
    const std::uint16_t tag = r_.U16(e);
    const std::uint16_t type = r_.U16(e + 2);
    const std::uint32_t count = r_.U32(e + 4);
    const std::uint64_t size = TypeSize(type) * count;
    const std::uint64_t at = size <= 4 ? e + 8 : r_.U32(e + 8);
    const bool wanted =
        exif ? (tag == kTagDateTimeOriginal || tag == kTagSubSecTimeOriginal || tag == kTagPixelX || tag == kTagPixelY)
             : (tag == kTagImageWidth || tag == kTagImageLength || tag == kTagMake || tag == kTagModel ||
                tag == kTagExifIfd || tag == kTagXmp);
    if (!wanted) return;
    if (tag == kTagXmp) {
      // Not copied: the packet is read where it lies.
      if (size > 0 && r_.Has(at, size)) {
        out_.xmpOffset = at;
        out_.xmpSize = size;
      }
      return;
    }
    if (size == 0 || !r_.Has(at, size)) {
      out_.fault = "EXIF の値が範囲外を指しています";
      return;
    }
    const auto bytes = r_.Bytes(static_cast<std::size_t>(at), static_cast<std::size_t>(size));
    const std::string raw(bytes.begin(), bytes.end());
    switch (tag) {
      case kTagMake:
        out_.make = raw.substr(0, raw.find('\0'));
        break;
      case kTagModel:
        out_.model = raw.substr(0, raw.find('\0'));
        break;
      case kTagDateTimeOriginal:
        out_.dateTimeOriginal = raw;
        break;
      case kTagSubSecTimeOriginal:
        out_.subSecTimeOriginal = raw;
        break;
      case kTagExifIfd:
        if (exifIfd) *exifIfd = Number(type, static_cast<std::size_t>(at));
        break;
      case kTagImageWidth:
        out_.imageWidth = Number(type, static_cast<std::size_t>(at));
        break;
      case kTagImageLength:
        out_.imageLength = Number(type, static_cast<std::size_t>(at));
        break;
      case kTagPixelX:
        out_.pixelX = Number(type, static_cast<std::size_t>(at));
        break;
      case kTagPixelY:
        out_.pixelY = Number(type, static_cast<std::size_t>(at));
        break;
      default:
        break;
    }
  }

  // The first value of a SHORT or LONG entry.
  std::uint32_t Number(std::uint16_t type, std::size_t at) const {
    if (type == 3) return r_.U16(at);
    if (type == 4 || type == 13) return r_.U32(at);
    return 0;
  }

  TiffReader r_;
  ExifFields& out_;
  std::set<std::uint32_t> visited_;
};

}  // namespace

ExifFields ReadTiffFields(std::span<const std::uint8_t> tiff) {
  ExifFields fields;
  FieldReader(tiff, fields).Run();
  return fields;
}

std::optional<ExifFields> ReadExifSegment(std::span<const std::uint8_t> app1) {
  static const std::uint8_t kExif[6] = {'E', 'x', 'i', 'f', 0, 0};
  if (app1.size() < 6 || std::memcmp(app1.data(), kExif, 6) != 0) return std::nullopt;
  return ReadTiffFields(app1.subspan(6));
}

std::optional<ExifDate> ParseExifDate(const std::string& raw) {
  // 19 characters, and the NUL the standard asks for when stored.
  if (raw.size() != 20 || raw[19] != '\0') return std::nullopt;
  auto digits = [&](std::size_t from, std::size_t n) -> int {
    int v = 0;
    for (std::size_t i = from; i < from + n; ++i) {
      if (raw[i] < '0' || raw[i] > '9') return -1;
      v = v * 10 + (raw[i] - '0');
    }
    return v;
  };
  if (raw[4] != ':' || raw[7] != ':' || raw[10] != ' ') return std::nullopt;
  const ExifDate date{digits(0, 4), digits(5, 2), digits(8, 2)};
  if (date.year <= 0 || date.month < 1 || date.month > 12 || date.day < 1 || date.day > 31) return std::nullopt;
  return date;
}

}  // namespace zor
