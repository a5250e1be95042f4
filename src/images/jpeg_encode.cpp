#include "images/jpeg_encode.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <system_error>

#include <jpeglib.h>

#include "app/host.h"
#include "images/jpeg_errors.h"
#include "images/jpeg_status.h"

namespace zor {
namespace {

struct Compressor {
  jpeg_compress_struct cinfo{};
  JpegErrors errors;
  bool created = false;
  unsigned char* out = nullptr;  // libjpeg's memory destination, freed with free()
  unsigned long out_size = 0;

  Compressor() { cinfo.err = InstallJpegErrors(&errors); }
  ~Compressor() {
    if (created) jpeg_destroy_compress(&cinfo);
    std::free(out);
  }
  Compressor(const Compressor&) = delete;
  Compressor& operator=(const Compressor&) = delete;
};

// Calls setjmp: no C++ object with a destructor lives here (see jpeg_errors.h).
bool Compress(Compressor* c, const std::uint8_t* bits, std::size_t stride, int width, int height, int quality) {
  if (setjmp(c->errors.jump)) return false;
  jpeg_create_compress(&c->cinfo);
  c->created = true;
  jpeg_mem_dest(&c->cinfo, &c->out, &c->out_size);
  c->cinfo.image_width = static_cast<JDIMENSION>(width);
  c->cinfo.image_height = static_cast<JDIMENSION>(height);
  c->cinfo.input_components = 3;
  c->cinfo.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&c->cinfo);  // YCbCr with 2x2 luminance sampling: 4:2:0
  jpeg_set_quality(&c->cinfo, quality, TRUE);
  jpeg_start_compress(&c->cinfo, TRUE);
  while (c->cinfo.next_scanline < c->cinfo.image_height) {
    JSAMPROW row = const_cast<std::uint8_t*>(bits + c->cinfo.next_scanline * stride);
    jpeg_write_scanlines(&c->cinfo, &row, 1);
  }
  jpeg_finish_compress(&c->cinfo);
  return true;
}

}  // namespace

std::vector<std::uint8_t> EncodeJpegBytes(const Bitmap& bitmap, int quality) {
  if (bitmap.Empty()) return {};
  Compressor c;
  if (!Compress(&c, bitmap.Bits(), static_cast<std::size_t>(bitmap.Stride()), bitmap.Width(), bitmap.Height(),
                std::clamp(quality, 1, 100)))
    return {};
  return std::vector<std::uint8_t>(c.out, c.out + c.out_size);
}

ImageResult EncodeJpegFile(const Bitmap& bitmap, const std::filesystem::path& path, int quality, Host* host) {
  auto fail = [&](int code, const char* message) {
    if (host) host->ShowStatus(JpegStatusLine(code, message));
    return ImageResult::Failure(std::string("jpeg: ") + (message && *message ? message : JpegStatusText(code)));
  };
  std::error_code ec;
  std::filesystem::remove(path, ec);
  if (bitmap.Empty()) return fail(kJpegNoData, nullptr);
  Compressor c;
  if (!Compress(&c, bitmap.Bits(), static_cast<std::size_t>(bitmap.Stride()), bitmap.Width(), bitmap.Height(),
                std::clamp(quality, 1, 100)))
    return fail(c.errors.code, c.errors.message);
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(c.out), static_cast<std::streamsize>(c.out_size));
    out.close();
    if (out) return ImageResult::Success(DecodeRoute::kJpeg);
  }
  std::filesystem::remove(path, ec);
  return fail(kJpegCannotWrite, nullptr);
}

}  // namespace zor
