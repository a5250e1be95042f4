#include "images/image_result.h"

namespace zor {

std::string DescribeRoute(const ImageResult& result) {
  if (!result.ok) return "failed: " + (result.reason.empty() ? std::string("unknown reason") : result.reason);
  switch (result.route) {
    case DecodeRoute::kExif:
      return "exif";
    case DecodeRoute::kJpeg:
      return "jpeg 1/" + std::to_string(result.divisor);
    case DecodeRoute::kJfifThumbnail:
      return "jfif";
    case DecodeRoute::kGeneral:
      return "general";
    case DecodeRoute::kGif:
      return "gif";
    case DecodeRoute::kDxf:
      return "dxf";
    case DecodeRoute::kSvg:
      return "svg";
    case DecodeRoute::kNone:
      break;
  }
  return "none";
}

}  // namespace zor
