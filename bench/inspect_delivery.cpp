// Writes a construction delivery of blackboard photos for the inspection's
// whole-program timing: PHOTOS pictures of about SIZE_MB megabytes each
// (2000 x 1500 pixels), every one with EXIF dates and tamper values that
// match, and a PHOTO.XML listing them. The picture is encoded once; each
// photo gets one byte of its image data changed, so every file hashes to
// its own values. With --blackboard every photo also carries the board's
// XMP packet, saying what its record in PHOTO.XML says.
//
//   inspect_delivery OUT_FOLDER PHOTOS [SIZE_MB] [--blackboard]
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "images/bitmap.h"
#include "images/jpeg_encode.h"
#include "picture_writer.h"
#include "text/encoding.h"

namespace fs = std::filesystem;
using namespace zor;

namespace {

// Noise, which JPEG cannot shrink, at the quality that reaches the size.
test::Bytes NoisePicture(double megabytes) {
  Bitmap bitmap;
  bitmap.Reset(2000, 1500, Bgr{});
  std::mt19937 random(7);
  for (int y = 0; y < bitmap.Height(); ++y) {
    std::uint8_t* row = bitmap.Row(y);
    for (int x = 0; x < bitmap.Width() * 3; ++x) row[x] = static_cast<std::uint8_t>(random() >> 24);
  }
  test::Bytes best;
  for (int quality = 60; quality <= 100; quality += 5) {
    best = EncodeJpegBytes(bitmap, quality);
    if (best.size() >= megabytes * 1e6) break;
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  const bool blackboard = argc > 1 && std::string(argv[argc - 1]) == "--blackboard";
  if (blackboard) --argc;
  if (argc < 3) {
    std::fprintf(stderr, "usage: inspect_delivery OUT_FOLDER PHOTOS [SIZE_MB] [--blackboard]\n");
    return 2;
  }
  const fs::path root = argv[1];
  const int photos = std::atoi(argv[2]);
  const double megabytes = argc > 3 ? std::atof(argv[3]) : 6.0;
  const fs::path fixture = ZOR_TEST_DATA "/import/construction";
  fs::create_directories(root / "PHOTO" / "PIC");
  fs::copy_file(fixture / "INDEX_C.XML", root / "INDEX_C.XML", fs::copy_options::overwrite_existing);
  fs::copy_file(fixture / "INDE_C05.DTD", root / "INDE_C05.DTD", fs::copy_options::overwrite_existing);
  fs::copy_file(fixture / "PHOTO" / "PHOTO05.DTD", root / "PHOTO" / "PHOTO05.DTD",
                fs::copy_options::overwrite_existing);

  const test::Bytes base = NoisePicture(megabytes);
  const std::size_t data = test::ImageDataOffset(base);
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<!DOCTYPE photodata SYSTEM \"PHOTO05.DTD\">\r\n"
      "<photodata DTD_version=\"05\">\r\n<基礎情報>\r\n<写真フォルダ名>PHOTO/PIC</写真フォルダ名>\r\n"
      "<適用要領基準>土木201009-01</適用要領基準>\r\n</基礎情報>\r\n";
  test::Bytes jpeg = base;
  for (int n = 1; n <= photos; ++n) {
    // One byte of the entropy-coded data, never made or unmade a marker.
    std::size_t at = data + 600 + static_cast<std::size_t>(n) * 97 % (base.size() - data - 1200);
    while (jpeg[at] == 0xFF || jpeg[at - 1] == 0xFF || jpeg[at] == 0xFE) ++at;
    jpeg[at] = static_cast<std::uint8_t>(jpeg[at] + 1);
    const int day = 1 + n % 28;
    char date[16], exifDate[32], name[16];
    std::snprintf(date, sizeof date, "2010-11-%02d", day);
    std::snprintf(exifDate, sizeof exifDate, "2010:11:%02d 10:%02d:%02d", day, n / 60 % 60, n % 60);
    std::snprintf(name, sizeof name, "P%07d.JPG", n);
    test::ExifSpec exif;
    exif.dateTimeOriginal = std::string(exifDate) + '\0';
    exif.subSecTimeOriginal = std::string("25", 2);
    exif.pixelX = 2000;
    exif.pixelY = 1500;
    if (blackboard) {
      test::BoardSpec board;
      board.middleClassification.clear();
      board.title = "掘削状況";
      board.classificationRemarks.clear();
      board.shootingSpot.clear();
      board.contractorRemarks.clear();
      board.isRepresentative = "False";
      // The measured values stand in the board alone: PHOTO.XML gives no 施工管理値.
      board.items = {{"高さ", "H", "", "", "m"}, {"幅", "W", "3.50", "", "m"}};
      test::WriteFile(root / "PHOTO" / "PIC" / name, test::BoardPhoto(jpeg, exif, test::BoardPacket(board)));
    } else {
      test::WriteFile(root / "PHOTO" / "PIC" / name, test::BlackboardPhoto(jpeg, exif));
    }
    jpeg[at] = base[at];
    xml += "<写真情報>\r\n<写真ファイル情報>\r\n<シリアル番号>" + std::to_string(n) +
           "</シリアル番号>\r\n<写真ファイル名>" + name +
           "</写真ファイル名>\r\n<メディア番号>1</メディア番号>\r\n</写真ファイル情報>\r\n"
           "<撮影工種区分>\r\n<写真-大分類>工事</写真-大分類>\r\n<写真区分>施工状況写真</写真区分>\r\n"
           "<工種>道路土工</工種>\r\n<写真タイトル>掘削状況</写真タイトル>\r\n</撮影工種区分>\r\n"
           "<撮影情報>\r\n<撮影年月日>" +
           date + "</撮影年月日>\r\n</撮影情報>\r\n</写真情報>\r\n";
  }
  xml += "</photodata>\r\n";
  std::ofstream(root / "PHOTO" / "PHOTO.XML", std::ios::binary) << Sj(xml);
  std::printf("%d photos of %zu bytes in %s\n", photos, base.size() + 4000, root.c_str());
  return 0;
}
