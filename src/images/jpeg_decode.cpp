#include "images/jpeg_decode.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "app/host.h"
#include "images/file_bytes.h"
#include "images/jfif_thumbnail.h"
#include "images/jpeg_errors.h"
#include "images/jpeg_status.h"

namespace zor {
namespace {

// A header may claim up to 65500 x 65500 pixels; beyond this we refuse
// before libjpeg allocates anything for it.
constexpr long long kMaxSourcePixels = kMaxBitmapPixels;
// Above this many pixels a file must hold at least one byte per 4096 of
// them: a real JPEG needs a bit or more per 8 x 8 block, so a 1 KB file
// with a 60000 x 60000 header is a lie, not a picture.
constexpr long long kPlausibilityFloor = 16'000'000;
constexpr long long kMaxPixelsPerByte = 4096;
// libjpeg's own working memory (a progressive file keeps every coefficient).
constexpr long kMaxLibraryMemory = 1024L * 1024 * 1024;
// A damaged progressive file can hold endless scans; real ones have a dozen.
constexpr int kMaxScans = 256;
constexpr int kJpegTooManyScans = -6;

struct Decompressor {
  jpeg_decompress_struct cinfo{};
  JpegErrors errors;
  jpeg_progress_mgr progress{};
  bool created = false;

  Decompressor() { cinfo.err = InstallJpegErrors(&errors); }
  ~Decompressor() {
    if (created) jpeg_destroy_decompress(&cinfo);
  }
  Decompressor(const Decompressor&) = delete;
  Decompressor& operator=(const Decompressor&) = delete;
};

void LimitScans(j_common_ptr common) {
  auto* cinfo = reinterpret_cast<j_decompress_ptr>(common);
  if (cinfo->input_scan_number <= kMaxScans) return;
  auto* errors = reinterpret_cast<JpegErrors*>(common->err);
  errors->code = kJpegTooManyScans;
  std::snprintf(errors->message, sizeof errors->message, "More than %d scans", kMaxScans);
  std::longjmp(errors->jump, 1);
}

// The three steps below call setjmp: no C++ object with a destructor lives
// in them (see jpeg_errors.h).

bool ReadHeader(Decompressor* d, const std::uint8_t* data, std::size_t size) {
  if (setjmp(d->errors.jump)) return false;
  jpeg_create_decompress(&d->cinfo);
  d->created = true;
  d->cinfo.mem->max_memory_to_use = kMaxLibraryMemory;
  d->progress.progress_monitor = LimitScans;
  d->cinfo.progress = &d->progress;
  jpeg_mem_src(&d->cinfo, data, static_cast<unsigned long>(size));
  jpeg_save_markers(&d->cinfo, JPEG_APP0, 0xFFFF);
  jpeg_read_header(&d->cinfo, TRUE);
  return true;
}

bool CalculateOutput(Decompressor* d) {
  if (setjmp(d->errors.jump)) return false;
  jpeg_calc_output_dimensions(&d->cinfo);
  return true;
}

// Adobe writes CMYK inverted; others write it plain.
void CmykRowToBgr(const JSAMPLE* cmyk, std::uint8_t* bgr, JDIMENSION width, bool inverted) {
  for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
    unsigned c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
    if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
    bgr[0] = static_cast<std::uint8_t>(y * k / 255);
    bgr[1] = static_cast<std::uint8_t>(m * k / 255);
    bgr[2] = static_cast<std::uint8_t>(c * k / 255);
  }
}

bool ReadPixels(Decompressor* d, std::uint8_t* bits, std::size_t stride, JSAMPLE* cmyk_row) {
  if (setjmp(d->errors.jump)) return false;
  jpeg_start_decompress(&d->cinfo);
  while (d->cinfo.output_scanline < d->cinfo.output_height) {
    std::uint8_t* target = bits + d->cinfo.output_scanline * stride;
    JSAMPROW row = cmyk_row ? cmyk_row : target;
    if (jpeg_read_scanlines(&d->cinfo, &row, 1) != 1) break;
    if (cmyk_row) CmykRowToBgr(cmyk_row, target, d->cinfo.output_width, d->cinfo.saw_Adobe_marker);
  }
  return true;
}

ImageResult Fail(Host* host, int code, const char* message) {
  if (host) host->ShowStatus(JpegStatusLine(code, message));
  std::string reason = message && *message ? message : JpegStatusText(code);
  return ImageResult::Failure("jpeg: " + reason);
}

ImageResult Fail(Host* host, const JpegErrors& errors) { return Fail(host, errors.code, errors.message); }

bool Plausible(long long pixels, std::size_t bytes) {
  return pixels <= kPlausibilityFloor || pixels / kMaxPixelsPerByte <= static_cast<long long>(bytes);
}

}  // namespace

int JpegReductionDivisor(int width, int height, int max_size) {
  if (max_size <= 0) return 1;
  const unsigned longer = static_cast<unsigned>(width > height ? width : height);
  const unsigned r = longer / static_cast<unsigned>(max_size);
  if (r >= 8) return 8;
  if (r >= 4) return 4;
  if (r >= 2) return 2;
  return 1;
}

ImageResult DecodeJpegStream(Bitmap& bitmap, std::span<const std::uint8_t> stream, int max_size, Host* host) {
  if (stream.empty()) return Fail(host, kJpegNoData, nullptr);
  Decompressor d;
  if (!ReadHeader(&d, stream.data(), stream.size())) return Fail(host, d.errors);

  jpeg_decompress_struct& cinfo = d.cinfo;
  const long long pixels = static_cast<long long>(cinfo.image_width) * cinfo.image_height;
  if (pixels > kMaxSourcePixels || !Plausible(pixels, stream.size())) return Fail(host, kJpegTooLarge, nullptr);

  if (max_size > 0) {
    auto thumbnail = FindJfifThumbnail(cinfo.marker_list);
    if (thumbnail && (thumbnail->width >= max_size || thumbnail->height >= max_size) &&
        DecodeJfifThumbnail(*thumbnail, bitmap))
      return ImageResult::Success(DecodeRoute::kJfifThumbnail);
  }

  const int divisor =
      JpegReductionDivisor(static_cast<int>(cinfo.image_width), static_cast<int>(cinfo.image_height), max_size);
  cinfo.scale_num = 1;
  cinfo.scale_denom = static_cast<unsigned>(divisor);
  const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
  if (!CalculateOutput(&d)) return Fail(host, d.errors);

  if (!bitmap.Resize(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height)))
    return Fail(host, Bitmap::SizeAllowed(cinfo.output_width, cinfo.output_height) ? kJpegOutOfMemory : kJpegTooLarge,
                nullptr);
  std::vector<JSAMPLE> cmyk_row(cmyk ? std::size_t{4} * cinfo.output_width : 0);
  if (!ReadPixels(&d, bitmap.Bits(), static_cast<std::size_t>(bitmap.Stride()), cmyk ? cmyk_row.data() : nullptr))
    return Fail(host, d.errors);

  // A short or damaged file still shows what could be decoded; say so.
  if (d.errors.warnings > 0 && host) host->ShowStatus(JpegStatusLine(d.errors.warning_code, d.errors.warning));
  return ImageResult::Success(DecodeRoute::kJpeg, divisor);
}

ImageResult DecodeJpegFile(Bitmap& bitmap, const std::filesystem::path& path, int max_size, Host* host) {
  std::string why;
  auto bytes = ReadFileBytes(path, &why);
  if (!bytes) {
    Fail(host, kJpegCannotOpen, nullptr);
    return ImageResult::Failure("jpeg: " + why);
  }
  return DecodeJpegStream(bitmap, *bytes, max_size, host);
}

}  // namespace zor
