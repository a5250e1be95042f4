#include "inspect/picture_facts.h"

#include <cerrno>
#include <cstring>
#include <span>
#include <vector>

#include "app/regular_file.h"
#include "images/svg_loader.h"
#include "inspect/jpeg_segments.h"
#include "inspect/sha256.h"
#include "inspect/svg_layers.h"
#include "inspect/xmp_packets.h"

namespace zor {

namespace {

constexpr std::size_t kBlock = 1 << 20;
// No header before the image data is this long; a file whose header is
// (or that never reaches image data) is not read into memory further.
constexpr std::size_t kMaxHeader = 16u << 20;
// TIFF and SVG pictures are read whole to find their directories.
constexpr std::uint64_t kMaxWholeFile = 512u << 20;

bool StartsWith(std::span<const std::uint8_t> b, const char* text, std::size_t n) {
  return b.size() >= n && std::memcmp(b.data(), text, n) == 0;
}

bool LooksLikeSvg(std::span<const std::uint8_t> b) {
  const std::string_view head(reinterpret_cast<const char*>(b.data()), std::min<std::size_t>(b.size(), 4096));
  std::size_t p = head.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  while (p < head.size() && (head[p] == ' ' || head[p] == '\t' || head[p] == '\r' || head[p] == '\n')) ++p;
  return head.substr(p).starts_with("<") && head.find("<svg") != std::string_view::npos;
}

// The image data of a JPEG after its header: hashed while it passes, up to
// and including the first FF D9.
class ImageData {
 public:
  explicit ImageData(bool hash) : hash_(hash) {}
  // Feeds bytes; true once FF D9 was seen (the rest is not image data).
  bool Feed(const std::uint8_t* p, std::size_t n) {
    std::size_t i = 0;
    if (lastWasFf_ && n > 0 && p[0] == 0xD9) {
      Take(p, 1);
      return done_ = true;
    }
    while (i < n) {
      const void* ff = std::memchr(p + i, 0xFF, n - i);
      if (!ff) break;
      const std::size_t at = static_cast<const std::uint8_t*>(ff) - p;
      if (at + 1 < n && p[at + 1] == 0xD9) {
        Take(p, at + 2);
        return done_ = true;
      }
      i = at + 1;
    }
    if (n > 0) lastWasFf_ = p[n - 1] == 0xFF;
    Take(p, n);
    return false;
  }
  bool Done() const { return done_; }
  std::string Digest() { return hash_ ? sha_.HexDigest() : std::string(); }

 private:
  void Take(const std::uint8_t* p, std::size_t n) {
    if (hash_) sha_.Update(p, n);
  }
  bool hash_;
  Sha256 sha_;
  bool lastWasFf_ = false;
  bool done_ = false;
};

void ReadHeaderSegments(PictureFacts& f, std::span<const std::uint8_t> bytes, const JpegHeader& h) {
  bool exifSeen = false;
  bool tamperSeen = false;
  for (const JpegSegment& s : h.segments) {
    if (s.marker == 0xE1 && !exifSeen) {
      if (std::optional<ExifFields> exif = ReadExifSegment(bytes.subspan(s.data, s.size))) {
        f.exif = std::move(*exif);
        f.hasExif = true;
        exifSeen = true;
      }
    } else if (s.marker == 0xE5 && !tamperSeen) {
      TamperValues v = ReadTamperValues(bytes.subspan(s.data, s.size));
      if (v.kind != TamperValues::Kind::kNone) {
        f.tamperValues = std::move(v);
        tamperSeen = true;
      }
    }
  }
}

// After the image data: whether it ended, and the tamper outcome.
void FinishJpeg(PictureFacts& f, ImageData& image) {
  if (!image.Done()) f.formatFault = "画像データに終わりのマーカーがなく、ファイルが途中で切れています";
  if (f.tamperValues.kind != TamperValues::Kind::kValues) {
    f.tamper = CompareTamperValues(f.tamperValues, {}, {});
    return;
  }
  // A cut file has no image value to match.
  const std::string imageDigest = image.Done() ? image.Digest() : std::string();
  std::string dateDigest;
  if (f.exif.dateTimeOriginal) {
    const std::string bytes = TamperDateBytes(*f.exif.dateTimeOriginal, f.exif.subSecTimeOriginal);
    dateDigest = Sha256Hex(bytes.data(), bytes.size());
  }
  f.tamper = CompareTamperValues(f.tamperValues, imageDigest, dateDigest);
}

void ReadJpeg(PictureFacts& f, RegularFile& file, std::vector<std::uint8_t>& head) {
  std::vector<std::uint8_t> block(kBlock);
  JpegHeader h = WalkJpegHeader(head);
  bool end = false;
  while (h.status == JpegHeader::Status::kNeedMore && !end) {
    if (head.size() >= kMaxHeader) {
      f.formatFault = "画像データの前のヘッダーが長すぎます";
      return;
    }
    const long n = file.Read(block.data(), block.size());
    if (n < 0) {
      f.readError = std::strerror(errno);
      return;
    }
    if (n == 0) end = true;
    f.fileSize += static_cast<std::uint64_t>(n);
    head.insert(head.end(), block.begin(), block.begin() + n);
    h = WalkJpegHeader(head);
  }
  if (h.status == JpegHeader::Status::kFault) {
    f.formatFault = h.fault;
    return;
  }
  if (h.status != JpegHeader::Status::kComplete) {
    f.formatFault = "ヘッダーの途中でファイルが終わっています";
    return;
  }
  f.width = h.width;
  f.height = h.height;
  ReadHeaderSegments(f, head, h);
  f.blackboard = ReadJpegBlackboard(head, h.segments);

  const bool hash = f.tamperValues.kind == TamperValues::Kind::kValues;
  ImageData image(hash);
  // The SOS marker itself counts; the search for FF D9 starts after it.
  image.Feed(head.data() + h.sos, 2);
  if (head.size() > h.sos + 2) image.Feed(head.data() + h.sos + 2, head.size() - h.sos - 2);
  // The rest of the file, read on to its end so that the size is known.
  while (true) {
    const long n = file.Read(block.data(), block.size());
    if (n < 0) {
      f.readError = std::strerror(errno);
      return;
    }
    if (n == 0) break;
    f.fileSize += static_cast<std::uint64_t>(n);
    if (!image.Done()) image.Feed(block.data(), static_cast<std::size_t>(n));
  }
  FinishJpeg(f, image);
}

// TIFF and SVG: the whole file, which is then looked at in memory.
bool ReadRest(PictureFacts& f, RegularFile& file, std::vector<std::uint8_t>& all) {
  std::vector<std::uint8_t> block(kBlock);
  while (true) {
    if (all.size() > kMaxWholeFile) {
      f.formatFault = "ファイルが大きすぎます";
      return false;
    }
    const long n = file.Read(block.data(), block.size());
    if (n < 0) {
      f.readError = std::strerror(errno);
      return false;
    }
    if (n == 0) return true;
    f.fileSize += static_cast<std::uint64_t>(n);
    all.insert(all.end(), block.begin(), block.begin() + n);
  }
}

// A layered SVG: its packet, and its embedded pictures each checked.
void ReadSvgContent(PictureFacts& f, std::span<const std::uint8_t> all) {
  const std::string_view text(reinterpret_cast<const char*>(all.data()), all.size());
  f.blackboard = ReadSvgBlackboard(text);
  f.layers = ReadSvgLayers(text);
  for (const EmbeddedPicture& layer : f.layers) {
    if (layer.tamper == TamperOutcome::kNoData) continue;
    if (f.tamper == TamperOutcome::kNoData || f.tamper == TamperOutcome::kIntact) f.tamper = layer.tamper;
  }
}

}  // namespace

PictureFacts ReadJpegFacts(std::span<const std::uint8_t> jpeg) {
  PictureFacts f;
  f.opened = true;
  f.fileSize = jpeg.size();
  if (!LooksLikeJpeg(jpeg)) return f;
  f.format = PictureFormat::kJpeg;
  const JpegHeader h = WalkJpegHeader(jpeg);
  if (h.status != JpegHeader::Status::kComplete) {
    f.formatFault = h.status == JpegHeader::Status::kFault ? h.fault : "ヘッダーの途中でファイルが終わっています";
    return f;
  }
  f.width = h.width;
  f.height = h.height;
  ReadHeaderSegments(f, jpeg, h);
  ImageData image(f.tamperValues.kind == TamperValues::Kind::kValues);
  image.Feed(jpeg.data() + h.sos, 2);
  if (jpeg.size() > h.sos + 2) image.Feed(jpeg.data() + h.sos + 2, jpeg.size() - h.sos - 2);
  FinishJpeg(f, image);
  return f;
}

BlackboardPacket ReadPictureBlackboard(const std::filesystem::path& path) {
  RegularFile file(path);
  if (!file.Open()) return {};
  std::vector<std::uint8_t> head(64 * 1024);
  const long n = file.Read(head.data(), head.size());
  if (n < 0) return {};
  head.resize(static_cast<std::size_t>(n));
  if (LooksLikeJpeg(head)) {
    std::vector<std::uint8_t> block(kBlock);
    JpegHeader h = WalkJpegHeader(head);
    while (h.status == JpegHeader::Status::kNeedMore && head.size() < kMaxHeader) {
      const long m = file.Read(block.data(), block.size());
      if (m <= 0) break;
      head.insert(head.end(), block.begin(), block.begin() + m);
      h = WalkJpegHeader(head);
    }
    // A header cut short still shows the segments walked so far.
    return ReadJpegBlackboard(head, h.segments);
  }
  if (LooksLikePng(head)) return ReadPngBlackboard(head);
  const std::span<const std::uint8_t> start(head);
  const bool tiff = StartsWith(start, "II*\0", 4) || StartsWith(start, "MM\0*", 4);
  if (!tiff && !LooksLikeSvg(start)) return {};
  PictureFacts ignored;
  if (!ReadRest(ignored, file, head)) return {};
  if (!tiff) return ReadSvgBlackboard(std::string_view(reinterpret_cast<const char*>(head.data()), head.size()));
  const ExifFields fields = ReadTiffFields(head);
  return ReadTiffBlackboard(head, fields.xmpOffset, fields.xmpSize);
}

const char* PictureFormatName(PictureFormat format) {
  switch (format) {
    case PictureFormat::kJpeg:
      return "JPEG";
    case PictureFormat::kTiff:
      return "TIFF";
    case PictureFormat::kSvg:
      return "SVG";
    case PictureFormat::kUnknown:
      break;
  }
  return "";
}

PictureFacts ReadPictureFacts(const std::filesystem::path& path) {
  PictureFacts f;
  RegularFile file(path);
  if (!file.Open()) {
    f.readError = std::strerror(errno);
    return f;
  }
  std::vector<std::uint8_t> head(64 * 1024);
  const long n = file.Read(head.data(), head.size());
  if (n < 0) {
    f.readError = std::strerror(errno);
    return f;
  }
  f.opened = true;
  head.resize(static_cast<std::size_t>(n));
  f.fileSize = static_cast<std::uint64_t>(n);
  const std::span<const std::uint8_t> start(head);
  if (LooksLikeJpeg(start)) {
    f.format = PictureFormat::kJpeg;
    ReadJpeg(f, file, head);
  } else if (StartsWith(start, "II*\0", 4) || StartsWith(start, "MM\0*", 4)) {
    f.format = PictureFormat::kTiff;
    if (!ReadRest(f, file, head)) return f;
    f.exif = ReadTiffFields(head);
    f.blackboard = ReadTiffBlackboard(head, f.exif.xmpOffset, f.exif.xmpSize);
    f.hasExif = f.exif.dateTimeOriginal.has_value() || !f.exif.make.empty();
    f.width = static_cast<int>(f.exif.imageWidth);
    f.height = static_cast<int>(f.exif.imageLength);
    if (f.width <= 0 || f.height <= 0) f.formatFault = f.exif.fault.empty() ? "画像の大きさがありません" : f.exif.fault;
  } else if (LooksLikeSvg(start)) {
    f.format = PictureFormat::kSvg;
    if (!ReadRest(f, file, head)) return f;
    // Drawn small, which is enough to know that the document can be shown.
    Bitmap drawn;
    if (!DecodeSvg(drawn, head, 16)) f.formatFault = "壊れているか、大きさのない文書です";
    ReadSvgContent(f, head);
  } else {
    if (LooksLikePng(start)) f.blackboard = ReadPngBlackboard(start);
    // Read on, as for every picture, so that the size is known.
    std::vector<std::uint8_t> block(kBlock);
    long m;
    while ((m = file.Read(block.data(), block.size())) > 0) f.fileSize += static_cast<std::uint64_t>(m);
    if (m < 0) f.readError = std::strerror(errno);
  }
  if (!f.readError.empty()) f.opened = false;
  return f;
}

}  // namespace zor
