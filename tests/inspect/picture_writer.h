// Writes small JPEG pictures for the inspection's tests and benchmark: an
// encoded picture, an EXIF segment with the fields the inspection reads,
// and an electronic-blackboard APP5 segment with tamper values, each with
// knobs for the faults the tests need.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zor::test {

using Bytes = std::vector<std::uint8_t>;

// A baseline JPEG of one colour (shade varies the colour, and so the image data).
Bytes EncodedJpeg(int width, int height, int shade = 0);

struct ExifSpec {
  std::string make = "TESTCAM";
  std::string model = "T-1";
  std::optional<std::string> dateTimeOriginal = std::string("2010:10:05 09:30:00", 20);  // NUL included
  std::optional<std::string> subSecTimeOriginal;                                         // raw, as stored
  std::uint32_t pixelX = 0;
  std::uint32_t pixelY = 0;
  bool exifIfdPointsToIfd0 = false;  // a directory loop
  bool dateOffsetOutOfRange = false;
};

// The APP1 segment's data ("Exif\0\0" and a big-endian TIFF structure).
Bytes ExifSegment(const ExifSpec& spec);

struct TamperSpec {
  std::string identifier = std::string("DCPMI\0", 6);
  std::uint8_t version[2] = {0x01, 0x10};
  std::string byteOrder = "MM";
  std::string charset = std::string("S-JIS\0\0\0", 8);
  std::string imageValue;  // 64 hex digits, as stored
  std::string dateValue;
  bool namesWithoutNul = false;
  bool omitValues = false;
  bool valuesSizePastSegment = false;
};

// The APP5 segment's data.
Bytes TamperSegment(const TamperSpec& spec);

// jpeg with the segments (marker, data) inserted after its SOI, in order.
Bytes WithSegments(const Bytes& jpeg, const std::vector<std::pair<std::uint8_t, Bytes>>& segments);

// SHA-256 over the first FF DA through the first FF D9 after it.
std::string ImageDigest(const Bytes& jpeg);
// SHA-256 over DateTimeOriginal's raw bytes and SubSecTimeOriginal's.
std::string DateDigest(const ExifSpec& spec);

// A photo as a blackboard writes it: EXIF, then tamper values that match.
Bytes BlackboardPhoto(const Bytes& jpeg, const ExifSpec& exif);
// A photo with EXIF only.
Bytes CameraPhoto(const Bytes& jpeg, const ExifSpec& exif);

// Offset of the first FF DA in a picture.
std::size_t ImageDataOffset(const Bytes& jpeg);

void WriteFile(const std::filesystem::path& path, const Bytes& bytes);

}  // namespace zor::test
