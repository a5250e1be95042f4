#include "picture_writer.h"

#include <fstream>

#include "images/bitmap.h"
#include "images/jpeg_encode.h"
#include "inspect/sha256.h"
#include "text/encoding.h"

namespace zor::test {

namespace {

void Put16(Bytes& b, std::uint32_t v) {
  b.push_back(static_cast<std::uint8_t>(v >> 8));
  b.push_back(static_cast<std::uint8_t>(v));
}
void Put32(Bytes& b, std::uint32_t v) {
  Put16(b, v >> 16);
  Put16(b, v & 0xFFFF);
}
void Set32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
}
void Append(Bytes& b, const std::string& s) { b.insert(b.end(), s.begin(), s.end()); }

struct Entry {
  std::uint16_t tag;
  std::uint16_t type;
  std::string value;  // raw bytes for ASCII; empty for a LONG
  std::uint32_t number = 0;
};

// One directory at offset `at` of the TIFF data; values longer than four
// bytes go to `tail`, which starts at tailOffset. Returns the entry offsets.
std::vector<std::size_t> Directory(Bytes& tiff, const std::vector<Entry>& entries, Bytes& tail,
                                   std::uint32_t tailOffset) {
  std::vector<std::size_t> at;
  Put16(tiff, static_cast<std::uint32_t>(entries.size()));
  for (const Entry& e : entries) {
    at.push_back(tiff.size());
    Put16(tiff, e.tag);
    Put16(tiff, e.type);
    if (e.type == 2 || e.type == 7) {
      Put32(tiff, static_cast<std::uint32_t>(e.value.size()));
      if (e.value.size() <= 4) {
        std::string v = e.value;
        v.resize(4, '\0');
        Append(tiff, v);
      } else {
        Put32(tiff, tailOffset + static_cast<std::uint32_t>(tail.size()));
        Append(tail, e.value);
      }
    } else {
      Put32(tiff, 1);
      Put32(tiff, e.number);
    }
  }
  Put32(tiff, 0);
  return at;
}

}  // namespace

Bytes EncodedJpeg(int width, int height, int shade) {
  Bitmap bitmap;
  bitmap.Reset(width, height, Bgr{static_cast<std::uint8_t>(40 + shade), 120, static_cast<std::uint8_t>(200 - shade)});
  // A gradient row, so that the image data is more than one repeated block.
  for (int x = 0; x < width && height > 0; ++x)
    bitmap.SetPixel(x, 0, Bgr{static_cast<std::uint8_t>(x * 7 + shade), static_cast<std::uint8_t>(x), 9});
  return EncodeJpegBytes(bitmap, 90);
}

Bytes ExifSegment(const ExifSpec& s) {
  // IFD0 at 8: Make, Model, ExifIFD pointer; the EXIF directory right after.
  std::vector<Entry> ifd0 = {{0x010F, 2, s.make + '\0'}, {0x0110, 2, s.model + '\0'}, {0x8769, 4, "", 0}};
  std::vector<Entry> exif;
  if (s.dateTimeOriginal) exif.push_back({0x9003, 2, *s.dateTimeOriginal});
  if (s.subSecTimeOriginal) exif.push_back({0x9291, 2, *s.subSecTimeOriginal});
  if (s.pixelX) exif.push_back({0xA002, 4, "", s.pixelX});
  if (s.pixelY) exif.push_back({0xA003, 4, "", s.pixelY});
  const std::uint32_t ifd0Size = 2 + 12 * static_cast<std::uint32_t>(ifd0.size()) + 4;
  const std::uint32_t exifOffset = 8 + ifd0Size;
  const std::uint32_t exifSize = 2 + 12 * static_cast<std::uint32_t>(exif.size()) + 4;
  const std::uint32_t tailOffset = exifOffset + exifSize;

  Bytes tiff = {'M', 'M', 0, 42};
  Put32(tiff, 8);
  Bytes tail;
  const std::vector<std::size_t> at0 = Directory(tiff, ifd0, tail, tailOffset);
  Set32(tiff, at0[2] + 8, s.exifIfdPointsToIfd0 ? 8 : exifOffset);
  const std::vector<std::size_t> at1 = Directory(tiff, exif, tail, tailOffset);
  if (s.dateOffsetOutOfRange && s.dateTimeOriginal) Set32(tiff, at1[0] + 8, 0x7FFFFFF0);
  tiff.insert(tiff.end(), tail.begin(), tail.end());

  Bytes segment = {'E', 'x', 'i', 'f', 0, 0};
  segment.insert(segment.end(), tiff.begin(), tiff.end());
  return segment;
}

Bytes TamperSegment(const TamperSpec& s) {
  Bytes b;
  Append(b, s.identifier);
  Append(b, s.byteOrder);
  b.push_back(s.version[0]);
  b.push_back(s.version[1]);
  for (std::uint8_t v : {0, 0, 0, 0, 0, 0x0A, 0, 0x14}) b.push_back(v);
  Append(b, s.charset);
  auto section = [&b](std::uint16_t type, const std::string& data, std::uint32_t extra) {
    Put16(b, type);
    Put16(b, static_cast<std::uint32_t>(data.size()) + 2 + extra);
    Append(b, data);
  };
  std::string names = Sj("改ざんチェック値（画像）") + '\0' + Sj("改ざんチェック値（撮影日時）") + '\0';
  if (s.namesWithoutNul) names = Sj("改ざんチェック値（画像）") + Sj("改ざんチェック値（撮影日時）");
  section(0x0001, names, 0);
  if (!s.omitValues) section(0x0012, s.imageValue + '\0' + s.dateValue + '\0', s.valuesSizePastSegment ? 400 : 0);
  Put16(b, 0);
  Put16(b, 0);
  return b;
}

Bytes WithSegments(const Bytes& jpeg, const std::vector<std::pair<std::uint8_t, Bytes>>& segments) {
  Bytes out(jpeg.begin(), jpeg.begin() + 2);
  for (const auto& [marker, data] : segments) {
    out.push_back(0xFF);
    out.push_back(marker);
    Put16(out, static_cast<std::uint32_t>(data.size()) + 2);
    out.insert(out.end(), data.begin(), data.end());
  }
  out.insert(out.end(), jpeg.begin() + 2, jpeg.end());
  return out;
}

std::size_t ImageDataOffset(const Bytes& jpeg) {
  // Past the header segments, walked by their lengths.
  std::size_t p = 2;
  while (p + 4 <= jpeg.size() && jpeg[p + 1] != 0xDA) p += 2 + (jpeg[p + 2] << 8 | jpeg[p + 3]);
  return p;
}

std::string ImageDigest(const Bytes& jpeg) {
  const std::size_t start = ImageDataOffset(jpeg);
  std::size_t end = start + 2;
  while (end + 1 < jpeg.size() && !(jpeg[end] == 0xFF && jpeg[end + 1] == 0xD9)) ++end;
  return Sha256Hex(jpeg.data() + start, end + 2 - start);
}

std::string DateDigest(const ExifSpec& spec) {
  const std::string bytes = spec.dateTimeOriginal.value_or("") + spec.subSecTimeOriginal.value_or("");
  return Sha256Hex(bytes.data(), bytes.size());
}

Bytes BlackboardPhoto(const Bytes& jpeg, const ExifSpec& exif) {
  TamperSpec tamper;
  tamper.imageValue = ImageDigest(jpeg);
  tamper.dateValue = DateDigest(exif);
  return WithSegments(jpeg, {{0xE1, ExifSegment(exif)}, {0xE5, TamperSegment(tamper)}});
}

Bytes CameraPhoto(const Bytes& jpeg, const ExifSpec& exif) { return WithSegments(jpeg, {{0xE1, ExifSegment(exif)}}); }

void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace zor::test
