#include "camera_delivery.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "images/bitmap.h"
#include "images/jpeg_encode.h"
#include "text/encoding.h"

namespace zor::test {
namespace {

namespace fs = std::filesystem;

// Sky, hills and a textured ground with a little sensor noise: content a
// camera's JPEG encoder meets, not flat colour and not pure noise.
std::vector<std::uint8_t> CameraPicture(int width, int height, int variant) {
  Bitmap b;
  b.Reset(width, height, Bgr{});
  std::uint32_t seed = 2463534242u + static_cast<std::uint32_t>(variant) * 7919u;
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = b.Row(y);
    const double v = static_cast<double>(y) / height;
    for (int x = 0; x < width; ++x) {
      const double u = static_cast<double>(x) / width;
      seed ^= seed << 13, seed ^= seed >> 17, seed ^= seed << 5;
      const int noise = static_cast<int>(seed % 17) - 8;
      const double horizon = 0.45 + 0.08 * std::sin(u * 9 + variant) + 0.03 * std::sin(u * 41);
      double r, g, bl;
      if (v < horizon) {
        r = 120 + 80 * v, g = 160 + 60 * v, bl = 230 - 20 * v;
      } else {
        const double t = std::sin(u * 220 + std::sin(v * 60) * 3) * std::sin(v * 180 + u * 20);
        r = 120 + 40 * t + 30 * std::sin(u * 13), g = 100 + 35 * t, bl = 70 + 25 * t;
      }
      auto clamp = [](double c) { return static_cast<std::uint8_t>(c < 0 ? 0 : c > 255 ? 255 : c); };
      row[x * 3] = clamp(bl + noise), row[x * 3 + 1] = clamp(g + noise), row[x * 3 + 2] = clamp(r + noise);
    }
  }
  return EncodeJpegBytes(b, 92);
}

bool WriteFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

// A link to the variant's file, or a copy where links cannot be made.
bool Place(const fs::path& variant, const fs::path& target) {
  std::error_code ec;
  fs::remove(target, ec);
  fs::create_hard_link(variant, target, ec);
  if (!ec) return true;
  return fs::copy_file(variant, target, fs::copy_options::overwrite_existing, ec);
}

std::string Name(char prefix, int n) {
  char name[16];
  std::snprintf(name, sizeof name, "%c%07d.JPG", prefix, n);
  return name;
}

}  // namespace

bool WriteCameraDelivery(const fs::path& root, const CameraDelivery& spec) {
  const fs::path fixture = fs::path(ZOR_TEST_DATA) / "import/construction";
  std::error_code ec;
  fs::create_directories(root / "PHOTO/PIC", ec);
  fs::create_directories(root / "PHOTO/DRA", ec);
  fs::create_directories(root / "variants", ec);
  for (const char* file : {"INDEX_C.XML", "INDE_C05.DTD", "PHOTO/PHOTO05.DTD"})
    if (!fs::copy_file(fixture / file, root / file, fs::copy_options::overwrite_existing, ec)) return false;
  std::vector<fs::path> variants;
  for (int v = 0; v < spec.variants; ++v) {
    variants.push_back(root / "variants" / ("V" + std::to_string(v) + ".JPG"));
    if (!WriteFile(variants.back(), CameraPicture(spec.width, spec.height, v))) return false;
  }
  const fs::path drawing = root / "variants/DRAWING.JPG";
  if (!WriteFile(drawing, CameraPicture(400, 300, 99))) return false;

  const char* const works[] = {"道路土工", "舗装工", "排水構造物工"};
  // About 250 bytes once in code page 932: the records keep 1,024 bytes of
  // 工種区分予備 and 255 of 請負者説明文.
  std::string longText;
  while (longText.size() < 360) longText += "掘削後の床付け面を確認し所定の高さと幅を検測した。";
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<!DOCTYPE photodata SYSTEM \"PHOTO05.DTD\">\r\n"
      "<photodata DTD_version=\"05\">\r\n<基礎情報>\r\n<写真フォルダ名>PHOTO/PIC</写真フォルダ名>\r\n"
      "<参考図フォルダ名>PHOTO/DRA</参考図フォルダ名>\r\n<適用要領基準>土木201009-01</適用要領基準>\r\n</基礎情報>\r\n";
  int drawings = 0;
  for (int n = 1; n <= spec.photos; ++n) {
    const std::string name = Name('P', n);
    if (!spec.missing.count(n) && !Place(variants[static_cast<std::size_t>(n) % variants.size()], root / "PHOTO/PIC" / name))
      return false;
    char date[16];
    std::snprintf(date, sizeof date, "2010-11-%02d", 1 + n % 28);
    xml += "<写真情報>\r\n<写真ファイル情報>\r\n<シリアル番号>" + std::to_string(n) + "</シリアル番号>\r\n<写真ファイル名>" +
           name + "</写真ファイル名>\r\n<メディア番号>1</メディア番号>\r\n</写真ファイル情報>\r\n<撮影工種区分>\r\n"
           "<写真-大分類>工事</写真-大分類>\r\n<写真区分>施工状況写真</写真区分>\r\n<工種>" +
           works[n % 3] + "</工種>\r\n<写真タイトル>施工状況 No." + std::to_string(n) + "</写真タイトル>\r\n";
    if (spec.longCaption.count(n))
      for (int i = 0; i < 4; ++i) xml += "<工種区分予備>" + longText + "</工種区分予備>\r\n";
    xml += "</撮影工種区分>\r\n";
    if (spec.withDrawing.count(n)) {
      const std::string d = Name('D', ++drawings);
      if (!Place(drawing, root / "PHOTO/DRA" / d)) return false;
      xml += "<付加情報>\r\n<参考図ファイル名>" + d + "</参考図ファイル名>\r\n<参考図タイトル>平面図 No." +
             std::to_string(n) + "</参考図タイトル>\r\n</付加情報>\r\n";
    }
    xml += "<撮影情報>\r\n<撮影箇所>No." + std::to_string(n * 20) + "</撮影箇所>\r\n<撮影年月日>" + date +
           "</撮影年月日>\r\n</撮影情報>\r\n<代表写真>" + (n % 5 == 0 ? "1" : "0") + "</代表写真>\r\n<提出頻度写真>" +
           (n % 7 == 0 ? "1" : "0") + "</提出頻度写真>\r\n<施工管理値>H=" + std::to_string(n % 9 + 1) +
           ".0m</施工管理値>\r\n";
    if (spec.longCaption.count(n)) xml += "<請負者説明文>" + longText + "</請負者説明文>\r\n";
    xml += "</写真情報>\r\n";
  }
  xml += "</photodata>\r\n";
  std::ofstream out(root / "PHOTO/PHOTO.XML", std::ios::binary | std::ios::trunc);
  out << Sj(xml);
  return static_cast<bool>(out);
}

}  // namespace zor::test
