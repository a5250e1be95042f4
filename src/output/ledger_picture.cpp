#include "output/ledger_picture.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "images/bitmap.h"
#include "images/jpeg_encode.h"
#include "images/photo_loader.h"

namespace zor {
namespace {

// Averages factor x factor blocks: a picture the general library gave at
// full size is brought near the resolution the page needs.
Bitmap Reduced(const Bitmap& in, int factor) {
  Bitmap out;
  const int w = std::max(1, in.Width() / factor), h = std::max(1, in.Height() / factor);
  if (!out.Resize(w, h)) return out;
  std::vector<unsigned> sums(static_cast<std::size_t>(w) * 3);
  for (int y = 0; y < h; ++y) {
    std::fill(sums.begin(), sums.end(), 0u);
    for (int dy = 0; dy < factor; ++dy) {
      const std::uint8_t* row = in.Row(std::min(in.Height() - 1, y * factor + dy));
      for (int x = 0; x < w; ++x)
        for (int dx = 0; dx < factor; ++dx) {
          const std::uint8_t* p = row + static_cast<std::size_t>(std::min(in.Width() - 1, x * factor + dx)) * 3;
          for (int c = 0; c < 3; ++c) sums[static_cast<std::size_t>(x) * 3 + c] += p[c];
        }
    }
    std::uint8_t* target = out.Row(y);
    const unsigned n = static_cast<unsigned>(factor * factor);
    for (std::size_t i = 0; i < sums.size(); ++i) target[i] = static_cast<std::uint8_t>(sums[i] / n);
  }
  return out;
}

void FreeBytes(void* bytes) { delete static_cast<std::vector<std::uint8_t>*>(bytes); }

// The bitmap as a cairo surface that carries its JPEG encoding.
std::shared_ptr<cairo_surface_t> SurfaceOf(const Bitmap& bitmap, std::vector<std::uint8_t> jpeg) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, bitmap.Width(), bitmap.Height());
  std::shared_ptr<cairo_surface_t> surface(s, cairo_surface_destroy);
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) return nullptr;
  cairo_surface_flush(s);
  unsigned char* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  for (int y = 0; y < bitmap.Height(); ++y) {
    const std::uint8_t* in = bitmap.Row(y);
    auto* out = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < bitmap.Width(); ++x, in += 3)
      out[x] = 0xFF000000u | std::uint32_t{in[2]} << 16 | std::uint32_t{in[1]} << 8 | in[0];
  }
  cairo_surface_mark_dirty(s);
  auto* bytes = new std::vector<std::uint8_t>(std::move(jpeg));
  if (cairo_surface_set_mime_data(s, CAIRO_MIME_TYPE_JPEG, bytes->data(), bytes->size(), FreeBytes, bytes) !=
      CAIRO_STATUS_SUCCESS) {
    delete bytes;
    return nullptr;
  }
  return surface;
}

}  // namespace

LedgerPicture PrepareLedgerPicture(const std::string& file, int pixels, int jpegQuality,
                                   const std::atomic<bool>* cancelled) {
  LedgerPicture picture;
  Bitmap bitmap;
  const ImageResult loaded = LoadPhotoBitmap(bitmap, file, pixels, nullptr, cancelled);
  if (!loaded || bitmap.Empty()) {
    picture.reason = loaded.reason.empty() ? "the picture could not be decoded" : loaded.reason;
    return picture;
  }
  const int divisor = loaded.route == DecodeRoute::kJpeg ? loaded.divisor : 1;
  picture.width = bitmap.Width() * divisor;
  picture.height = bitmap.Height() * divisor;
  const int factor = std::max(bitmap.Width(), bitmap.Height()) / std::max(1, pixels);
  if (factor >= 2) {
    Bitmap smaller = Reduced(bitmap, factor);
    if (!smaller.Empty()) bitmap = std::move(smaller);
  }
  std::vector<std::uint8_t> jpeg = EncodeJpegBytes(bitmap, jpegQuality);
  if (jpeg.empty()) {
    picture.reason = "the picture could not be encoded for the page";
    return picture;
  }
  picture.jpegBytes = jpeg.size();
  picture.surface = SurfaceOf(bitmap, std::move(jpeg));
  if (!picture.surface) picture.reason = "no memory for the picture";
  return picture;
}

}  // namespace zor
