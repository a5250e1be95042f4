#include "images/image_kit.h"

#include <system_error>

#include <magick/api.h>

#include "images/dxf_drawing.h"
#include "images/gif_loader.h"
#include "images/magick_io.h"
#include "images/picture_format.h"

namespace zor {
namespace {

// Pictures come from deliveries we did not make: the library may read and
// write files, but fetch no URL and run no program a file asks for.
MagickPassFail ConfirmAccess(const ConfirmAccessMode mode, const char*, ExceptionInfo* exception) {
  if (mode == FileReadConfirmAccessMode || mode == FileWriteConfirmAccessMode) return MagickPass;
  ThrowException(exception, OptionError, "access refused", nullptr);
  return MagickFail;
}

}  // namespace

void BindImageKit() {
  static const bool bound = [] {
    ExceptionInfo exception;
    GetExceptionInfo(&exception);
    // The program keeps its own signal handling.
    InitializeMagickEx(nullptr, MAGICK_OPT_NO_SIGNAL_HANDER, &exception);
    DestroyExceptionInfo(&exception);
    SetMagickResourceLimit(WidthResource, kMaxBitmapSide);
    SetMagickResourceLimit(HeightResource, kMaxBitmapSide);
    SetMagickResourceLimit(PixelsResource, kMaxBitmapPixels);
    MagickSetConfirmAccessHandler(ConfirmAccess);
    return true;
  }();
  (void)bound;
}

ImageResult LoadWithImageKit(Bitmap& bitmap, const std::filesystem::path& path, const std::atomic<bool>* cancelled) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return ImageResult::Failure("file not found");
  const PictureFormat format = SniffPictureFormat(path);
  switch (format) {
    case PictureFormat::kGif:
      return LoadGifFile(bitmap, path);
    case PictureFormat::kDxf:
      return LoadDxfFile(bitmap, path, cancelled);
    case PictureFormat::kFlashPix:
      return ImageResult::Failure("FlashPix pictures are not supported");
    case PictureFormat::kEmf:
      return ImageResult::Failure("EMF pictures are not supported");
    case PictureFormat::kUnknown:
      return ImageResult::Failure("not a picture format this program reads");
    default:
      break;
  }
  std::string reason;
  if (!ReadWithMagick(path, MagickCoderFor(format), bitmap, &reason)) return ImageResult::Failure("general: " + reason);
  return ImageResult::Success(DecodeRoute::kGeneral);
}

ImageResult WriteImageFile(const Bitmap& bitmap, const std::filesystem::path& path, std::string_view format) {
  std::string reason;
  if (!WriteWithMagick(bitmap, path, std::string(format), &reason)) return ImageResult::Failure(reason);
  return ImageResult::Success(DecodeRoute::kGeneral);
}

}  // namespace zor
