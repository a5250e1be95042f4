// Writes small JPEG pictures for the inspection's tests and benchmark: an
// encoded picture, an EXIF segment with the fields the inspection reads,
// an electronic-blackboard APP5 segment with tamper values and the board's
// XMP packet, each with knobs for the faults and the writers' variants the
// tests need.
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

// The board's items as a blackboard app writes them into its XMP packet
// (UTF-8), and the ways the writers differ.
struct BoardSpec {
  std::string constructionName = "一般国道１２号　白石改良工事";
  std::string contractor = "株式会社白石建設";
  std::string largeClassification = "工事";
  std::string photoClassification = "施工状況写真";
  std::string constructionType = "道路土工";
  std::string middleClassification = "掘削工";
  std::string smallClassification;
  std::string title = "掘削状況 No.12";
  std::vector<std::string> classificationRemarks = {"a", "b"};
  std::string shootingSpot = "No.12";
  std::string isRepresentative = "True";
  std::string isFrequencyOfSubmission = "False";
  std::string measurementClassification = "0";
  struct Item {
    std::string name, mark, designedValue, measuredValue, unitName;
  };
  std::vector<Item> items = {{"高さ", "H", "1.20", "1.2", "m"}};
  std::string contractorRemarks = "掘削の状況";
  // Writers' variants.
  bool attributes = false;              // simple properties as attributes of rdf:Description
  bool parseTypeResource = false;       // structures as rdf:parseType="Resource"
  bool measurementsSeq = false;         // Measurements as an rdf:Seq of structures
  bool misspeltRepresentative = false;  // photo:sRepresentative
  bool dcDescription = false;           // dc:description "DCP PHOTO" beside the items
  std::string extra;                    // raw XML put into rdf:Description
};

// The packet: an xpacket with x:xmpmeta, as the writers put it.
std::string BoardPacket(const BoardSpec& spec);
// An APP1 segment's data holding a main packet.
Bytes XmpSegment(const std::string& packet);
// An APP1 segment's data holding a part of an extended packet.
Bytes ExtendedXmpSegment(const std::string& guid, const std::string& part);
// A blackboard photo (EXIF, tamper values) with the packet's segment after EXIF.
Bytes BoardPhoto(const Bytes& jpeg, const ExifSpec& exif, const std::string& packet);

// A layered SVG photo as the 2023 blackboards write it: the packet in its
// metadata, the original picture and the board as base64 JPEGs in the
// groups dcp_org_img and dcp_chalkboard_img.
std::string LayeredSvg(const std::string& packet, const Bytes& original, const Bytes& board);

// Offset of the first FF DA in a picture.
std::size_t ImageDataOffset(const Bytes& jpeg);

void WriteFile(const std::filesystem::path& path, const Bytes& bytes);

}  // namespace zor::test
