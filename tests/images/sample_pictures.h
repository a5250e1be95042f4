// Small pictures for tests and benchmarks, made on the spot: JPEGs of any
// size with or without an EXIF thumbnail in either byte order (and with
// lying headers), and tiny BMP, PNG, TIFF, GIF, PCX, WMF and DXF files.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <jpeglib.h>

#include "images/bitmap.h"
#include "images/image_kit.h"
#include "images/jpeg_encode.h"

namespace zor::samples {

using Bytes = std::vector<std::uint8_t>;

// A smooth pattern with a dark square in the top-left quarter, so that
// orientation and scaling show in a few sampled pixels.
inline Bitmap Pattern(int width, int height) {
  Bitmap bitmap;
  bitmap.Resize(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool mark = x < width / 4 && y < height / 4;
      const auto r = static_cast<std::uint8_t>(mark ? 20 : 64 + 128 * x / width);
      const auto g = static_cast<std::uint8_t>(mark ? 20 : 64 + 128 * y / height);
      bitmap.SetPixel(x, y, Bgr{static_cast<std::uint8_t>(mark ? 20 : 160), g, r});
    }
  }
  return bitmap;
}

inline Bitmap Solid(int width, int height, Bgr colour) {
  Bitmap bitmap;
  bitmap.Reset(width, height, colour);
  return bitmap;
}

inline void Put16(Bytes& out, std::uint32_t v, bool big) {
  if (big)
    out.insert(out.end(), {static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)});
  else
    out.insert(out.end(), {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)});
}
inline void Put32(Bytes& out, std::uint32_t v, bool big) {
  if (big) {
    Put16(out, v >> 16, true);
    Put16(out, v & 0xFFFF, true);
  } else {
    Put16(out, v & 0xFFFF, false);
    Put16(out, v >> 16, false);
  }
}

// What goes into the EXIF segment; the optional fields replace the true
// values to make lying headers.
struct ExifOptions {
  bool big_endian = false;
  bool jfif_first = false;  // the JFIF APP0 segment before the EXIF APP1
  std::uint16_t compression = 6;
  std::optional<std::uint32_t> ifd0_offset = std::nullopt;
  std::optional<std::uint32_t> ifd1_offset = std::nullopt;
  std::optional<std::uint16_t> ifd1_count = std::nullopt;
  std::optional<std::uint32_t> thumbnail_offset = std::nullopt;
  std::optional<std::uint32_t> thumbnail_length = std::nullopt;
};

// The APP1 payload from the TIFF header on: IFD0 with one entry, IFD1 with
// compression, thumbnail offset and length, then the thumbnail.
inline Bytes ExifTiff(const Bytes& thumbnail, const ExifOptions& o) {
  const bool big = o.big_endian;
  Bytes t = big ? Bytes{'M', 'M'} : Bytes{'I', 'I'};
  Put16(t, 42, big);
  Put32(t, o.ifd0_offset.value_or(8), big);
  // IFD0 at 8: Orientation = 1.
  Put16(t, 1, big);
  Put16(t, 274, big), Put16(t, 3, big), Put32(t, 1, big), Put16(t, 1, big), Put16(t, 0, big);
  const std::uint32_t ifd1 = 8 + 2 + 12 + 4;
  Put32(t, o.ifd1_offset.value_or(ifd1), big);
  // IFD1: three entries, then no further directory, then the thumbnail.
  const std::uint32_t data = ifd1 + 2 + 3 * 12 + 4;
  Put16(t, o.ifd1_count.value_or(3), big);
  Put16(t, 259, big), Put16(t, 3, big), Put32(t, 1, big), Put16(t, o.compression, big), Put16(t, 0, big);
  Put16(t, 513, big), Put16(t, 4, big), Put32(t, 1, big), Put32(t, o.thumbnail_offset.value_or(data), big);
  Put16(t, 514, big), Put16(t, 4, big), Put32(t, 1, big),
      Put32(t, o.thumbnail_length.value_or(static_cast<std::uint32_t>(thumbnail.size())), big);
  Put32(t, 0, big);
  t.insert(t.end(), thumbnail.begin(), thumbnail.end());
  return t;
}

// A JPEG of the main picture; with a thumbnail, an EXIF segment carrying it
// right after the start of image (or after the JFIF segment).
inline Bytes JpegWithExif(const Bitmap& main, const Bitmap* thumbnail, const ExifOptions& o = {}, int quality = 85) {
  const Bytes plain = EncodeJpegBytes(main, quality);
  if (!thumbnail) return plain;
  Bytes app1 = {'E', 'x', 'i', 'f', 0, 0};
  const Bytes tiff = ExifTiff(EncodeJpegBytes(*thumbnail, quality), o);
  app1.insert(app1.end(), tiff.begin(), tiff.end());
  Bytes segment = {0xFF, 0xE1};
  Put16(segment, static_cast<std::uint32_t>(app1.size() + 2), true);
  segment.insert(segment.end(), app1.begin(), app1.end());
  // plain: FF D8, then the JFIF APP0 segment (FF E0, length), then the rest.
  const std::size_t app0_end = 4 + (plain[4] << 8 | plain[5]);
  Bytes out(plain.begin(), plain.begin() + 2);
  if (o.jfif_first) out.insert(out.end(), plain.begin() + 2, plain.begin() + app0_end);
  out.insert(out.end(), segment.begin(), segment.end());
  out.insert(out.end(), plain.begin() + (o.jfif_first ? app0_end : 2), plain.end());
  return out;
}

// A JPEG whose JFIF segment carries an uncompressed thumbnail.
inline Bytes JpegWithJfifThumbnail(const Bitmap& main, const Bitmap& thumbnail) {
  const Bytes plain = EncodeJpegBytes(main, 85);
  const std::size_t app0_end = 4 + (plain[4] << 8 | plain[5]);
  Bytes app0 = {'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1};
  app0.push_back(static_cast<std::uint8_t>(thumbnail.Width()));
  app0.push_back(static_cast<std::uint8_t>(thumbnail.Height()));
  for (int y = 0; y < thumbnail.Height(); ++y)
    for (int x = 0; x < thumbnail.Width(); ++x) {
      const Bgr p = thumbnail.Pixel(x, y);
      app0.insert(app0.end(), {p.red, p.green, p.blue});
    }
  Bytes out = {0xFF, 0xD8, 0xFF, 0xE0};
  Put16(out, static_cast<std::uint32_t>(app0.size() + 2), true);
  out.insert(out.end(), app0.begin(), app0.end());
  out.insert(out.end(), plain.begin() + app0_end, plain.end());
  return out;
}

// Grey (1 component) or Adobe CMYK (4 components, stored inverted as
// Photoshop does) JPEGs, which our own encoder never writes.
inline Bytes EncodeWithComponents(int width, int height, int components, std::uint8_t value) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = components;
  cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_CMYK;
  jpeg_set_defaults(&cinfo);
  if (components == 4) cinfo.write_Adobe_marker = TRUE;
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<JSAMPLE> row(static_cast<std::size_t>(width * components), value);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW p = row.data();
    jpeg_write_scanlines(&cinfo, &p, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  Bytes out(buffer, buffer + size);
  std::free(buffer);
  return out;
}

// Start of image, a frame header claiming width x height and a scan
// header, then zeros up to total_bytes.
inline Bytes LyingJpegHeader(int width, int height, std::size_t total_bytes) {
  Bytes out = {0xFF, 0xD8, 0xFF, 0xC0, 0, 17, 8};
  Put16(out, static_cast<std::uint32_t>(height), true);
  Put16(out, static_cast<std::uint32_t>(width), true);
  out.insert(out.end(), {3, 1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1});
  out.insert(out.end(), {0xFF, 0xDA, 0, 12, 3, 1, 0x00, 2, 0x11, 3, 0x11, 0, 63, 0});
  out.resize(std::max(out.size(), total_bytes), 0);
  return out;
}

inline void WriteBytes(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline void WriteText(const std::filesystem::path& path, std::string_view text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

// A placeable Windows metafile of 100 x 50 units holding a red rectangle.
inline Bytes RedRectangleWmf() {
  Bytes out;
  Put32(out, 0x9AC6CDD7, false);
  const std::uint16_t header[] = {0, 0, 0, 100, 50, 72};  // handle, bounding box, units per inch
  for (std::uint16_t w : header) Put16(out, w, false);
  Put32(out, 0, false);  // reserved
  std::uint16_t checksum = 0;
  for (std::size_t i = 0; i < out.size(); i += 2) checksum ^= static_cast<std::uint16_t>(out[i] | out[i + 1] << 8);
  Put16(out, checksum, false);
  const std::uint16_t records[] = {
      5, 0, 0x020B, 0,  0,                   // SetWindowOrg
      5, 0, 0x020C, 50, 100,                 // SetWindowExt (y, x)
      7, 0, 0x02FC, 0,  0x00FF, 0x0000, 0,   // CreateBrushIndirect: solid, red
      4, 0, 0x012D, 0,                       // SelectObject
      7, 0, 0x041B, 40, 90,     10,     10,  // Rectangle (bottom, right, top, left)
      3, 0, 0x0000,                          // end of file
  };
  const std::uint32_t words = 9 + sizeof records / 2;
  const std::uint16_t meta[] = {1, 9, 0x0300};
  for (std::uint16_t w : meta) Put16(out, w, false);
  Put32(out, words, false);
  Put16(out, 1, false);  // objects
  Put32(out, 7, false);  // largest record
  Put16(out, 0, false);
  for (std::uint16_t w : records) Put16(out, w, false);
  return out;
}

// A TIFF of many 1 x 1 grey pages, each its own directory.
inline Bytes ManyPageTiff(int pages) {
  Bytes out = {'I', 'I', 42, 0};
  Put32(out, 8, false);
  constexpr int kEntries = 8;
  constexpr std::uint32_t kDirectoryBytes = 2 + kEntries * 12 + 4;
  for (int i = 0; i < pages; ++i) {
    const std::uint32_t here = static_cast<std::uint32_t>(out.size());
    const std::uint32_t pixel = here + kDirectoryBytes;  // one byte after the directory
    const std::uint32_t next = i + 1 < pages ? pixel + 2 : 0;
    Put16(out, kEntries, false);
    auto entry = [&](std::uint16_t tag, std::uint16_t type, std::uint32_t value) {
      Put16(out, tag, false), Put16(out, type, false), Put32(out, 1, false);
      if (type == 3)
        Put16(out, value, false), Put16(out, 0, false);
      else
        Put32(out, value, false);
    };
    entry(256, 3, 1);      // width
    entry(257, 3, 1);      // height
    entry(258, 3, 8);      // bits per sample
    entry(259, 3, 1);      // no compression
    entry(262, 3, 1);      // black is zero
    entry(273, 4, pixel);  // strip offset
    entry(278, 3, 1);      // rows per strip
    entry(279, 4, 1);      // strip byte count
    Put32(out, next, false);
    out.push_back(static_cast<std::uint8_t>(i));
    out.push_back(0);  // keeps the next directory on a word boundary
  }
  return out;
}

// "GIF89a", a 4 x 4 screen with a colour table, and the trailer: no frame.
inline Bytes GifWithoutFrames() {
  Bytes out = {'G', 'I', 'F', '8', '9', 'a', 4, 0, 4, 0, 0x80, 0, 0};
  out.insert(out.end(), {0, 0, 0, 255, 255, 255});
  out.push_back(0x3B);
  return out;
}

inline constexpr std::string_view kSampleDxf =
    "0\nSECTION\n2\nHEADER\n0\nENDSEC\n"
    "0\nSECTION\n2\nENTITIES\n"
    "0\nLINE\n8\n0\n10\n0.0\n20\n0.0\n11\n100.0\n21\n0.0\n"
    "0\nLWPOLYLINE\n8\n0\n90\n3\n70\n1\n10\n0\n20\n10\n10\n50\n20\n10\n10\n50\n20\n40\n"
    "0\nPOLYLINE\n8\n0\n66\n1\n70\n0\n0\nVERTEX\n8\n0\n10\n60\n20\n45\n0\nVERTEX\n8\n0\n10\n95\n20\n45\n0\nSEQEND\n"
    "0\nCIRCLE\n8\n0\n10\n75\n20\n25\n40\n10\n"
    "0\nARC\n8\n0\n10\n50\n20\n50\n40\n10\n50\n0\n51\n180\n"
    "0\nTEXT\n8\n0\n10\n5\n20\n45\n40\n5\n1\nAB12\n"
    "0\nENDSEC\n0\nEOF\n";

// Writes one of each small sample into dir and returns their paths.
struct SampleFiles {
  std::filesystem::path bmp, png, tiff, gif, pcx, wmf, dxf;
};

inline SampleFiles WriteSampleFiles(const std::filesystem::path& dir, const Bitmap& picture) {
  SampleFiles f{dir / "sample.bmp", dir / "sample.png", dir / "sample.tif", dir / "sample.gif",
                dir / "sample.pcx", dir / "sample.wmf", dir / "sample.dxf"};
  WriteImageFile(picture, f.bmp, "BMP");
  WriteImageFile(picture, f.png, "PNG");
  WriteImageFile(picture, f.tiff, "TIFF");
  WriteImageFile(picture, f.gif, "GIF");
  WriteImageFile(picture, f.pcx, "PCX");
  WriteBytes(f.wmf, RedRectangleWmf());
  WriteText(f.dxf, kSampleDxf);
  return f;
}

}  // namespace zor::samples
