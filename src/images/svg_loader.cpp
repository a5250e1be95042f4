#include "images/svg_loader.h"

#include <cairo.h>
#include <librsvg/rsvg.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <string>

#include "images/file_bytes.h"

namespace zor {
namespace {

struct GObjectUnref {
  void operator()(RsvgHandle* h) const { g_object_unref(h); }
};
struct SurfaceDestroy {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct CairoDestroy {
  void operator()(cairo_t* c) const { cairo_destroy(c); }
};

std::string TakeMessage(GError* error, const char* fallback) {
  if (!error) return fallback;
  std::string text = std::string(fallback) + ": " + (error->message ? error->message : "");
  g_error_free(error);
  return text;
}

// The document's size in pixels: its width and height, or its viewBox.
std::optional<std::pair<double, double>> DocumentSize(RsvgHandle* handle) {
  double width = 0;
  double height = 0;
  if (rsvg_handle_get_intrinsic_size_in_pixels(handle, &width, &height) && width > 0 && height > 0)
    return std::pair{width, height};
  gboolean has_width = FALSE;
  gboolean has_height = FALSE;
  gboolean has_viewbox = FALSE;
  RsvgLength w{};
  RsvgLength h{};
  RsvgRectangle viewbox{};
  rsvg_handle_get_intrinsic_dimensions(handle, &has_width, &w, &has_height, &h, &has_viewbox, &viewbox);
  if (has_viewbox && viewbox.width > 0 && viewbox.height > 0) return std::pair{viewbox.width, viewbox.height};
  return std::nullopt;
}

}  // namespace

ImageResult DecodeSvg(Bitmap& bitmap, std::span<const std::uint8_t> bytes, int max_size) {
  bitmap.Clear();
  if (bytes.empty()) return ImageResult::Failure("svg: empty file");
  GError* error = nullptr;
  std::unique_ptr<RsvgHandle, GObjectUnref> handle(rsvg_handle_new_from_data(bytes.data(), bytes.size(), &error));
  if (!handle) return ImageResult::Failure(TakeMessage(error, "svg: not a document"));
  rsvg_handle_set_dpi(handle.get(), 96.0);

  const std::optional<std::pair<double, double>> size = DocumentSize(handle.get());
  if (!size) return ImageResult::Failure("svg: the document has no size");
  double scale = 1.0;
  const double longer = std::max(size->first, size->second);
  if (max_size > 0 && longer > max_size) scale = max_size / longer;
  const double fw = std::ceil(size->first * scale);
  const double fh = std::ceil(size->second * scale);
  if (!(fw >= 1 && fh >= 1) ||
      !Bitmap::SizeAllowed(static_cast<std::int64_t>(std::min(fw, 1e9)), static_cast<std::int64_t>(std::min(fh, 1e9))))
    return ImageResult::Failure("svg: picture too large");
  const int width = static_cast<int>(fw);
  const int height = static_cast<int>(fh);

  std::unique_ptr<cairo_surface_t, SurfaceDestroy> surface(
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return ImageResult::Failure("svg: out of memory");
  {
    std::unique_ptr<cairo_t, CairoDestroy> cr(cairo_create(surface.get()));
    cairo_set_source_rgb(cr.get(), 1, 1, 1);
    cairo_paint(cr.get());
    const RsvgRectangle viewport{0, 0, static_cast<double>(width), static_cast<double>(height)};
    if (!rsvg_handle_render_document(handle.get(), cr.get(), &viewport, &error))
      return ImageResult::Failure(TakeMessage(error, "svg: cannot render"));
  }
  cairo_surface_flush(surface.get());

  if (!bitmap.Resize(width, height)) return ImageResult::Failure("svg: out of memory");
  const unsigned char* data = cairo_image_surface_get_data(surface.get());
  const int stride = cairo_image_surface_get_stride(surface.get());
  for (int y = 0; y < height; ++y) {
    const auto* src = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    std::uint8_t* dst = bitmap.Row(y);
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = src[x];  // 0x00RRGGBB
      dst[3 * x] = static_cast<std::uint8_t>(p);
      dst[3 * x + 1] = static_cast<std::uint8_t>(p >> 8);
      dst[3 * x + 2] = static_cast<std::uint8_t>(p >> 16);
    }
  }
  return ImageResult::Success(DecodeRoute::kSvg);
}

ImageResult LoadSvgFile(Bitmap& bitmap, const std::filesystem::path& path, int max_size) {
  std::string reason;
  const std::optional<std::vector<std::uint8_t>> bytes = ReadFileBytes(path, &reason);
  if (!bytes) {
    bitmap.Clear();
    return ImageResult::Failure(reason);
  }
  return DecodeSvg(bitmap, *bytes, max_size);
}

}  // namespace zor
