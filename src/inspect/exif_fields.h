// The few EXIF fields the inspection reads: camera make and model, the
// original date and time with its sub-seconds as stored, the pixel size
// and where the XMP packet lies. Read from a TIFF structure (an EXIF APP1
// segment after "Exif\0\0", or a TIFF file); every offset and count is
// checked against it, and each directory is read at most once, so a lying
// or looping header ends the read with a fault instead of a read out of
// bounds or a hang.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace zor {

struct ExifFields {
  std::string make;  // ASCII as stored, up to its NUL
  std::string model;
  // The raw bytes of DateTimeOriginal (0x9003) and SubSecTimeOriginal
  // (0x9291) exactly as stored, NUL included when stored.
  std::optional<std::string> dateTimeOriginal;
  std::optional<std::string> subSecTimeOriginal;
  // ImageWidth / ImageLength of IFD0 (a TIFF file's picture), and
  // PixelXDimension / PixelYDimension of the EXIF directory.
  std::uint32_t imageWidth = 0;
  std::uint32_t imageLength = 0;
  std::uint32_t pixelX = 0;
  std::uint32_t pixelY = 0;
  // The XMP packet of IFD0 (tag 700, a TIFF file's): its offset in the
  // data and its size, 0 when there is none.
  std::uint64_t xmpOffset = 0;
  std::uint64_t xmpSize = 0;
  // UTF-8; not empty when a directory or value lay outside the data or a
  // directory was reached twice. What was read before stays.
  std::string fault;
};

// Reads a TIFF structure starting with "II*\0" or "MM\0*".
ExifFields ReadTiffFields(std::span<const std::uint8_t> tiff);

// The data of an APP1 segment: its fields when it starts with "Exif\0\0",
// else nothing.
std::optional<ExifFields> ReadExifSegment(std::span<const std::uint8_t> app1);

// The date of a DateTimeOriginal value "YYYY:MM:DD HH:MM:SS" (19 characters
// and a NUL): year, month and day; nothing for a value of another length or
// form.
struct ExifDate {
  int year = 0;
  int month = 0;
  int day = 0;
  bool operator==(const ExifDate&) const = default;
};
std::optional<ExifDate> ParseExifDate(const std::string& raw);

}  // namespace zor
