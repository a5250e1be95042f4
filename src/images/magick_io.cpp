#include "images/magick_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include <magick/api.h>

#include "images/image_kit.h"

namespace zor {
namespace {

struct InfoDeleter {
  void operator()(ImageInfo* info) const { DestroyImageInfo(info); }
};
struct ImageDeleter {
  void operator()(Image* image) const { DestroyImageList(image); }
};
// The WMF decoder writes its diagnostics ("ERROR: meta.c (173): ...")
// straight to standard error, where they tell a user nothing the returned
// reason does not. While one WMF is read, standard error goes to /dev/null;
// WMF reads take turns so that the descriptor is always put back.
class QuietStandardError {
 public:
  explicit QuietStandardError(bool quiet) {
    if (!quiet) return;
    lock_ = std::unique_lock<std::mutex>(Turn());
    std::fflush(stderr);
    saved_ = dup(STDERR_FILENO);
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved_ >= 0 && null >= 0) dup2(null, STDERR_FILENO);
    if (null >= 0) close(null);
  }
  ~QuietStandardError() {
    if (saved_ < 0) return;
    std::fflush(stderr);
    dup2(saved_, STDERR_FILENO);
    close(saved_);
  }
  QuietStandardError(const QuietStandardError&) = delete;
  QuietStandardError& operator=(const QuietStandardError&) = delete;

 private:
  static std::mutex& Turn() {
    static std::mutex turn;
    return turn;
  }
  std::unique_lock<std::mutex> lock_;
  int saved_ = -1;
};

using InfoPtr = std::unique_ptr<ImageInfo, InfoDeleter>;
using ImagePtr = std::unique_ptr<Image, ImageDeleter>;

class Exception {
 public:
  Exception() { GetExceptionInfo(&info_); }
  ~Exception() { DestroyExceptionInfo(&info_); }
  Exception(const Exception&) = delete;
  Exception& operator=(const Exception&) = delete;
  ExceptionInfo* get() { return &info_; }
  std::string Text(const char* fallback) const {
    std::string text = info_.reason ? info_.reason : fallback;
    if (info_.description) text += std::string(" (") + info_.description + ")";
    return text;
  }

 private:
  ExceptionInfo info_;
};

// The coder is named in front of the path, so the library neither guesses
// the format nor reads a scene range out of a file name.
InfoPtr MakeInfo(const std::filesystem::path& path, const char* coder, std::string* reason) {
  InfoPtr info(CloneImageInfo(nullptr));
  const std::string name = std::string(coder) + ":" + path.string();
  if (!info || name.size() >= MaxTextExtent) {
    if (reason) *reason = "path too long";
    return nullptr;
  }
  std::strncpy(info->filename, name.c_str(), MaxTextExtent - 1);
  std::strncpy(info->magick, coder, MaxTextExtent - 1);
  info->affirm = 1;
  info->subimage = 0;  // first page or frame only: a TIFF may hold thousands
  info->subrange = 1;
  return info;
}

std::uint8_t OnWhite(Quantum value, Quantum opacity) {
  const unsigned v = ScaleQuantumToChar(value);
  const unsigned transparency = ScaleQuantumToChar(opacity);  // 0 is opaque
  return static_cast<std::uint8_t>((v * (255 - transparency) + 255 * transparency + 127) / 255);
}

}  // namespace

MagickPing PingWithMagick(const std::filesystem::path& path, const char* coder) {
  BindImageKit();
  MagickPing result;
  InfoPtr info = MakeInfo(path, coder, &result.reason);
  if (!info) return result;
  Exception exception;
  ImagePtr image(PingImage(info.get(), exception.get()));
  if (!image) {
    result.reason = exception.Text("cannot read the picture");
    return result;
  }
  result.ok = image->columns > 0 && image->rows > 0;
  result.width = static_cast<long long>(image->columns);
  result.height = static_cast<long long>(image->rows);
  if (!result.ok) result.reason = "picture has no pixels";
  return result;
}

bool ReadWithMagick(const std::filesystem::path& path, const char* coder, Bitmap& bitmap, std::string* reason) {
  bitmap.Clear();
  const QuietStandardError quiet(coder && std::strcmp(coder, "WMF") == 0);
  MagickPing ping = PingWithMagick(path, coder);
  if (!ping.ok) {
    *reason = ping.reason;
    return false;
  }
  if (!Bitmap::SizeAllowed(ping.width, ping.height)) {
    *reason = "picture too large";
    return false;
  }
  InfoPtr info = MakeInfo(path, coder, reason);
  if (!info) return false;
  Exception exception;
  ImagePtr image(ReadImage(info.get(), exception.get()));
  if (!image) {
    *reason = exception.Text("cannot read the picture");
    return false;
  }
  if (image->colorspace == CMYKColorspace) TransformColorspace(image.get(), RGBColorspace);
  const auto width = static_cast<long>(image->columns);
  const auto height = static_cast<long>(image->rows);
  if (!Bitmap::SizeAllowed(width, height) || !bitmap.Resize(static_cast<int>(width), static_cast<int>(height))) {
    *reason = "picture too large";
    return false;
  }
  const bool matte = image->matte != 0;
  for (long y = 0; y < height; ++y) {
    const PixelPacket* pixels =
        AcquireImagePixels(image.get(), 0, y, static_cast<unsigned long>(width), 1, exception.get());
    if (!pixels) {
      *reason = exception.Text("cannot read the pixels");
      bitmap.Clear();
      return false;
    }
    std::uint8_t* row = bitmap.Row(static_cast<int>(y));
    for (long x = 0; x < width; ++x, row += 3) {
      const PixelPacket& p = pixels[x];
      const Quantum opacity = matte ? p.opacity : 0;
      row[0] = OnWhite(p.blue, opacity);
      row[1] = OnWhite(p.green, opacity);
      row[2] = OnWhite(p.red, opacity);
    }
  }
  return true;
}

bool WriteWithMagick(const Bitmap& bitmap, const std::filesystem::path& path, const std::string& coder,
                     std::string* reason) {
  BindImageKit();
  if (bitmap.Empty()) {
    *reason = "empty picture";
    return false;
  }
  // ConstituteImage wants rows without padding.
  const std::size_t row_bytes = std::size_t{3} * static_cast<std::size_t>(bitmap.Width());
  std::vector<std::uint8_t> packed(row_bytes * static_cast<std::size_t>(bitmap.Height()));
  for (int y = 0; y < bitmap.Height(); ++y) std::memcpy(&packed[row_bytes * y], bitmap.Row(y), row_bytes);
  Exception exception;
  ImagePtr image(ConstituteImage(static_cast<unsigned long>(bitmap.Width()),
                                 static_cast<unsigned long>(bitmap.Height()), "BGR", CharPixel, packed.data(),
                                 exception.get()));
  if (!image) {
    *reason = exception.Text("cannot make the picture");
    return false;
  }
  InfoPtr info = MakeInfo(path, coder.c_str(), reason);
  if (!info) return false;
  std::memcpy(image->filename, info->filename, MaxTextExtent);
  // PNG: quality's tens are the zlib level, its units the row filter. Level
  // 1 with adaptive filters writes several times faster than the default at
  // a few percent more bytes.
  if (coder == "PNG") info->quality = 15;
  if (!WriteImage(info.get(), image.get())) {
    *reason = image->exception.reason ? image->exception.reason : "cannot write the picture";
    return false;
  }
  return true;
}

}  // namespace zor
