#include "images/gif_loader.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <gif_lib.h>

#include "images/file_bytes.h"

namespace zor {
namespace {

struct MemoryInput {
  std::span<const std::uint8_t> bytes;
  std::size_t position = 0;
};

int ReadInput(GifFileType* gif, GifByteType* out, int count) {
  auto* input = static_cast<MemoryInput*>(gif->UserData);
  const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(count), input->bytes.size() - input->position);
  std::memcpy(out, input->bytes.data() + input->position, n);
  input->position += n;
  return static_cast<int>(n);
}

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};

// Rows in the order an interlaced picture stores them.
std::vector<int> RowOrder(int height, bool interlaced) {
  std::vector<int> rows;
  rows.reserve(static_cast<std::size_t>(height));
  if (!interlaced) {
    for (int y = 0; y < height; ++y) rows.push_back(y);
    return rows;
  }
  constexpr int kStart[] = {0, 4, 2, 1};
  constexpr int kStep[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass)
    for (int y = kStart[pass]; y < height; y += kStep[pass]) rows.push_back(y);
  return rows;
}

ImageResult Fail(const char* why) { return ImageResult::Failure(std::string("gif: ") + why); }

}  // namespace

ImageResult DecodeGif(Bitmap& bitmap, std::span<const std::uint8_t> bytes) {
  bitmap.Clear();
  MemoryInput input{bytes};
  int error = 0;
  std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&input, ReadInput, &error));
  if (!gif) return Fail(GifErrorString(error) ? GifErrorString(error) : "cannot open");

  int transparent = -1;
  for (;;) {
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif.get(), &type) != GIF_OK) return Fail("no frame");
    if (type == TERMINATE_RECORD_TYPE) return Fail("no frame");
    if (type == EXTENSION_RECORD_TYPE) {
      int code = 0;
      GifByteType* block = nullptr;
      if (DGifGetExtension(gif.get(), &code, &block) != GIF_OK) return Fail("damaged extension");
      if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4 && (block[1] & 1)) transparent = block[4];
      while (block) {
        if (DGifGetExtensionNext(gif.get(), &block) != GIF_OK) return Fail("damaged extension");
      }
      continue;
    }
    if (type != IMAGE_DESC_RECORD_TYPE) continue;
    if (DGifGetImageDesc(gif.get()) != GIF_OK) return Fail("damaged frame");
    break;
  }

  const GifImageDesc& frame = gif->Image;
  if (!Bitmap::SizeAllowed(frame.Width, frame.Height)) return Fail("frame size not allowed");
  int canvas_width = gif->SWidth;
  int canvas_height = gif->SHeight;
  if (canvas_width <= 0 || canvas_height <= 0) canvas_width = frame.Width, canvas_height = frame.Height;
  if (!bitmap.Reset(canvas_width, canvas_height, Bgr{255, 255, 255})) return Fail("picture too large");

  const ColorMapObject* map = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
  std::vector<GifPixelType> line(static_cast<std::size_t>(frame.Width));
  int rows_read = 0;
  for (int y : RowOrder(frame.Height, frame.Interlace)) {
    if (DGifGetLine(gif.get(), line.data(), frame.Width) != GIF_OK) break;  // a short file shows its top
    ++rows_read;
    const int canvas_y = frame.Top + y;
    if (canvas_y < 0 || canvas_y >= canvas_height) continue;
    for (int x = 0; x < frame.Width; ++x) {
      const int canvas_x = frame.Left + x;
      const int index = line[static_cast<std::size_t>(x)];
      if (canvas_x < 0 || canvas_x >= canvas_width || index == transparent) continue;
      Bgr colour{static_cast<std::uint8_t>(index), static_cast<std::uint8_t>(index), static_cast<std::uint8_t>(index)};
      if (map && index < map->ColorCount) {
        const GifColorType& c = map->Colors[index];
        colour = Bgr{c.Blue, c.Green, c.Red};
      }
      bitmap.SetPixel(canvas_x, canvas_y, colour);
    }
  }
  if (rows_read == 0) {
    bitmap.Clear();
    return Fail("damaged frame");
  }
  return ImageResult::Success(DecodeRoute::kGif);
}

ImageResult LoadGifFile(Bitmap& bitmap, const std::filesystem::path& path) {
  std::string why;
  auto bytes = ReadFileBytes(path, &why);
  if (!bytes) return Fail(why.c_str());
  return DecodeGif(bitmap, *bytes);
}

}  // namespace zor
