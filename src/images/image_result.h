// What a load or a write reports back: success, which decoder made the
// picture, and why it failed. Texts are plain ASCII.
#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace zor {

enum class DecodeRoute {
  kNone,
  kExif,           // the camera's EXIF thumbnail
  kJpeg,           // the JPEG decoder, at 1 / divisor
  kJfifThumbnail,  // the thumbnail inside the JFIF header
  kGeneral,        // GraphicsMagick
  kGif,            // giflib, first frame
  kDxf,            // our own reader of 2D drawings
  kSvg,            // librsvg
};

struct ImageResult {
  bool ok = false;
  DecodeRoute route = DecodeRoute::kNone;
  int divisor = 1;     // JPEG scaling: 1, 2, 4 or 8
  std::string reason;  // why it failed; empty on success

  explicit operator bool() const { return ok; }

  static ImageResult Success(DecodeRoute route, int divisor = 1) { return {true, route, divisor, {}}; }
  static ImageResult Failure(std::string reason) { return {false, DecodeRoute::kNone, 1, std::move(reason)}; }
};

// "exif", "jpeg 1/8", "general", ...; "failed: REASON" for a failure.
std::string DescribeRoute(const ImageResult& result);

}  // namespace zor
