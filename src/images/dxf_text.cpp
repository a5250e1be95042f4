#include "images/dxf_text.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <system_error>

#include <magick/api.h>

#include "images/image_kit.h"
#include "text/encoding.h"
#include "text/sjis.h"

namespace zor {
namespace {

// A full-width character is about as wide as the text is high, a
// half-width one a little over half of that.
double TextWidth(const std::string& text, double height) {
  double width = 0;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = CharLengthAt(text, i);
    width += n > 1 ? height : 0.6 * height;
    i += n > 0 ? n : 1;
  }
  return width;
}

std::vector<DxfPoint> Corners(double x, double y, double width, double height, double degrees, double y_sign) {
  const double a = degrees * std::numbers::pi / 180;
  const double c = std::cos(a), s = std::sin(a) * y_sign;
  auto at = [&](double u, double v) { return DxfPoint{x + u * c - v * s, y + u * s + v * c}; };
  return {at(0, 0), at(width, 0), at(width, height * y_sign), at(0, height * y_sign)};
}

const char* FindFont() {
  static const char* const kCandidates[] = {
      "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc",
      "/usr/share/fonts/opentype/noto/NotoSerifCJK-Regular.ttc",
      "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
  };
  for (const char* path : kCandidates) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec)) return path;
  }
  return nullptr;
}

void DrawFrames(const std::vector<DxfTextPlacement>& texts, Bitmap& bitmap) {
  for (const DxfTextPlacement& t : texts) {
    const auto corners = Corners(t.x, t.y, TextWidth(t.text, t.height), t.height, t.rotation, -1);
    for (std::size_t i = 0; i < corners.size(); ++i) {
      const DxfPoint a = corners[i], b = corners[(i + 1) % corners.size()];
      const int steps = static_cast<int>(std::max(std::fabs(b.x - a.x), std::fabs(b.y - a.y))) + 1;
      for (int k = 0; k <= steps; ++k) {
        const int x = static_cast<int>(std::lround(a.x + (b.x - a.x) * k / steps));
        const int y = static_cast<int>(std::lround(a.y + (b.y - a.y) * k / steps));
        if (x >= 0 && y >= 0 && x < bitmap.Width() && y < bitmap.Height()) bitmap.SetPixel(x, y, Bgr{});
      }
    }
  }
}

struct ImageDeleter {
  void operator()(Image* image) const { DestroyImage(image); }
};
struct DrawInfoDeleter {
  void operator()(DrawInfo* info) const { DestroyDrawInfo(info); }
};

bool DrawGlyphs(const std::vector<DxfTextPlacement>& texts, const char* font, Bitmap& bitmap) {
  BindImageKit();
  const std::size_t row_bytes = std::size_t{3} * static_cast<std::size_t>(bitmap.Width());
  std::vector<std::uint8_t> packed(row_bytes * static_cast<std::size_t>(bitmap.Height()));
  for (int y = 0; y < bitmap.Height(); ++y) std::memcpy(&packed[row_bytes * y], bitmap.Row(y), row_bytes);
  ExceptionInfo exception;
  GetExceptionInfo(&exception);
  std::unique_ptr<Image, ImageDeleter> image(ConstituteImage(static_cast<unsigned long>(bitmap.Width()),
                                                             static_cast<unsigned long>(bitmap.Height()), "BGR",
                                                             CharPixel, packed.data(), &exception));
  DestroyExceptionInfo(&exception);
  if (!image) return false;
  ImageInfo* image_info = CloneImageInfo(nullptr);
  std::unique_ptr<DrawInfo, DrawInfoDeleter> draw(CloneDrawInfo(image_info, nullptr));
  DestroyImageInfo(image_info);
  if (!draw) return false;
  CloneString(&draw->font, font);
  CloneString(&draw->encoding, "UTF-8");
  draw->fill.red = draw->fill.green = draw->fill.blue = 0;
  draw->fill.opacity = OpaqueOpacity;
  for (const DxfTextPlacement& t : texts) {
    if (t.height < 2) continue;  // too small to read; a dot would only add noise
    const std::string utf8 = Cp932ToUtf8(t.text);
    if (utf8.empty()) continue;
    CloneString(&draw->text, utf8.c_str());
    draw->pointsize = t.height;
    char geometry[32];
    std::snprintf(geometry, sizeof geometry, "%+d%+d", t.x, t.y);
    CloneString(&draw->geometry, geometry);
    const double a = -t.rotation * std::numbers::pi / 180;  // pixels grow downwards
    draw->affine.sx = std::cos(a), draw->affine.rx = std::sin(a);
    draw->affine.ry = -std::sin(a), draw->affine.sy = std::cos(a);
    draw->affine.tx = draw->affine.ty = 0;
    AnnotateImage(image.get(), draw.get());
  }
  GetExceptionInfo(&exception);
  for (int y = 0; y < bitmap.Height(); ++y) {
    const PixelPacket* p = AcquireImagePixels(image.get(), 0, y, image->columns, 1, &exception);
    if (!p) break;
    std::uint8_t* row = bitmap.Row(y);
    for (int x = 0; x < bitmap.Width(); ++x, row += 3) {
      row[0] = ScaleQuantumToChar(p[x].blue);
      row[1] = ScaleQuantumToChar(p[x].green);
      row[2] = ScaleQuantumToChar(p[x].red);
    }
  }
  DestroyExceptionInfo(&exception);
  return true;
}

}  // namespace

std::vector<DxfPoint> TextOutline(const DxfEntity& text) {
  return Corners(text.centre.x, text.centre.y, TextWidth(text.text, text.height), text.height, text.rotation, 1);
}

void DrawDxfTexts(const std::vector<DxfTextPlacement>& texts, Bitmap& bitmap) {
  const char* font = FindFont();
  if (!font || !DrawGlyphs(texts, font, bitmap)) DrawFrames(texts, bitmap);
}

}  // namespace zor
