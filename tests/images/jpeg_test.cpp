#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include <jerror.h>

#include "images/jpeg_decode.h"
#include "images/jpeg_encode.h"
#include "images/jpeg_status.h"
#include "sample_pictures.h"
#include "test_support.h"

namespace zor {
namespace {

using samples::Bytes;
using testing::RecordingHost;
using testing::ScratchDir;

bool Near(Bgr a, Bgr b, int tolerance = 12) {
  return std::abs(a.blue - b.blue) <= tolerance && std::abs(a.green - b.green) <= tolerance &&
         std::abs(a.red - b.red) <= tolerance;
}

TEST(JpegReduction, DivisorFollowsLongerSideOverSize) {
  struct Case {
    int width, height, size, divisor;
  } cases[] = {
      {4000, 3000, 96, 8},  // 4000 div 96 = 41
      {640, 480, 160, 4},  {300, 200, 160, 1}, {3000, 4000, 500, 8}, {1001, 751, 300, 2},
      {1000, 800, 250, 4}, {799, 100, 100, 4}, {800, 100, 100, 8},   {4000, 3000, 0, 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(JpegReductionDivisor(c.width, c.height, c.size), c.divisor)
        << c.width << "x" << c.height << "@" << c.size;
}

TEST(JpegDecode, ReducedSizesRoundUp) {
  struct Case {
    int width, height, size, out_width, out_height, divisor;
  } cases[] = {
      {4000, 3000, 96, 500, 375, 8},
      {640, 480, 160, 160, 120, 4},
      {300, 200, 160, 300, 200, 1},
      {1001, 751, 300, 501, 376, 2},
  };
  for (const Case& c : cases) {
    const Bytes jpeg = EncodeJpegBytes(samples::Pattern(c.width, c.height), 80);
    Bitmap bitmap;
    ImageResult result = DecodeJpegStream(bitmap, jpeg, c.size);
    ASSERT_TRUE(result) << result.reason;
    EXPECT_EQ(result.divisor, c.divisor);
    EXPECT_EQ(bitmap.Width(), c.out_width);
    EXPECT_EQ(bitmap.Height(), c.out_height);
    EXPECT_EQ(bitmap.Stride() % 4, 0);
  }
}

TEST(JpegDecode, RoundTripKeepsColoursAndOrientation) {
  const Bitmap source = samples::Pattern(64, 48);
  Bitmap decoded;
  ASSERT_TRUE(DecodeJpegStream(decoded, EncodeJpegBytes(source, 95), 0));
  ASSERT_EQ(decoded.Width(), 64);
  ASSERT_EQ(decoded.Height(), 48);
  for (auto [x, y] : {std::pair{2, 2}, std::pair{60, 4}, std::pair{40, 40}, std::pair{5, 45}})
    EXPECT_TRUE(Near(decoded.Pixel(x, y), source.Pixel(x, y))) << x << "," << y;
}

TEST(JpegDecode, GreyAndAdobeCmykBecomeBgr) {
  Bitmap grey;
  ASSERT_TRUE(DecodeJpegStream(grey, samples::EncodeWithComponents(16, 8, 1, 200), 0));
  EXPECT_TRUE(Near(grey.Pixel(3, 3), Bgr{200, 200, 200}, 2));

  // Inverted CMYK as Adobe writes it: 255 everywhere is no ink at all.
  Bitmap cmyk;
  ASSERT_TRUE(DecodeJpegStream(cmyk, samples::EncodeWithComponents(16, 8, 4, 255), 0));
  EXPECT_TRUE(Near(cmyk.Pixel(3, 3), Bgr{255, 255, 255}, 2));
}

TEST(JpegDecode, JfifThumbnailIsUsedOnlyWhenLargeEnough) {
  const Bitmap thumbnail = samples::Solid(20, 10, Bgr{0, 0, 255});
  const Bytes jpeg = samples::JpegWithJfifThumbnail(samples::Pattern(400, 300), thumbnail);
  Bitmap bitmap;
  ImageResult small = DecodeJpegStream(bitmap, jpeg, 16);
  ASSERT_TRUE(small) << small.reason;
  EXPECT_EQ(small.route, DecodeRoute::kJfifThumbnail);
  EXPECT_EQ(bitmap.Width(), 20);  // sized as the thumbnail, not as the photo
  EXPECT_EQ(bitmap.Height(), 10);
  EXPECT_EQ(bitmap.Pixel(5, 5), (Bgr{0, 0, 255}));

  ImageResult large = DecodeJpegStream(bitmap, jpeg, 100);
  ASSERT_TRUE(large);
  EXPECT_EQ(large.route, DecodeRoute::kJpeg);
  EXPECT_EQ(bitmap.Width(), 100);  // 400 div 100 = 4
}

TEST(JpegDecode, BadInputFailsWithStatusLine) {
  const Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13};
  struct Case {
    const char* name;
    Bytes bytes;
    const char* status_part;
  } cases[] = {
      {"empty", {}, "No JPEG data"},
      {"png", png, "Not a JPEG file"},
      {"soi only", {0xFF, 0xD8}, "JPEG"},
      {"60000 x 60000 in 1 KB", samples::LyingJpegHeader(60000, 60000, 1024), "Picture too large"},
      {"12000 x 12000 in 1 KB", samples::LyingJpegHeader(12000, 12000, 1024), "Picture too large"},
  };
  for (const Case& c : cases) {
    RecordingHost host;
    Bitmap bitmap;
    EXPECT_FALSE(DecodeJpegStream(bitmap, c.bytes, 0, &host)) << c.name;
    ASSERT_EQ(host.statuses.size(), 1u) << c.name;
    EXPECT_EQ(host.statuses[0].rfind(" JPEG Error Status=", 0), 0u) << host.statuses[0];
    EXPECT_NE(host.statuses[0].find(c.status_part), std::string::npos) << host.statuses[0];
  }
}

TEST(JpegDecode, TruncatedFileGivesTheTopPartAndSaysSo) {
  const Bitmap source = samples::Pattern(320, 240);
  Bytes jpeg = EncodeJpegBytes(source, 90);
  jpeg.resize(jpeg.size() / 2);
  RecordingHost host;
  Bitmap bitmap;
  ASSERT_TRUE(DecodeJpegStream(bitmap, jpeg, 0, &host));
  EXPECT_EQ(bitmap.Width(), 320);
  EXPECT_TRUE(Near(bitmap.Pixel(10, 10), source.Pixel(10, 10)));
  ASSERT_FALSE(host.statuses.empty());
  EXPECT_NE(host.statuses.back().find("Premature end"), std::string::npos) << host.statuses.back();
}

// Short of the scan a prefix gives nothing; once the scan has begun, the top
// part of the picture at the reduction asked for (40 x 30 at max_size 8 is
// decoded at one quarter: 10 x 8).
TEST(JpegDecode, EveryPrefixOfAFileIsSafe) {
  const Bytes jpeg = EncodeJpegBytes(samples::Pattern(40, 30), 80);
  std::size_t scan = 2;  // the first FF DA, past the header segments
  while (scan + 4 <= jpeg.size() && jpeg[scan + 1] != 0xDA) scan += 2 + (jpeg[scan + 2] << 8 | jpeg[scan + 3]);
  ASSERT_LT(scan + 4, jpeg.size());
  const std::size_t scanData = scan + 2 + (jpeg[scan + 2] << 8 | jpeg[scan + 3]);
  std::vector<std::size_t> lengths;
  for (std::size_t n = 0; n < jpeg.size(); n += 7) lengths.push_back(n);
  lengths.push_back(scan);
  lengths.push_back(scanData);
  lengths.push_back(jpeg.size());
  for (const std::size_t n : lengths) {
    Bitmap bitmap;
    ImageResult result = DecodeJpegStream(bitmap, std::span(jpeg.data(), n), 8);
    if (n <= scan) {
      EXPECT_FALSE(result) << n << " of " << jpeg.size();
    } else if (n >= scanData) {
      ASSERT_TRUE(result) << n << " of " << jpeg.size() << ": " << result.reason;
      EXPECT_EQ(bitmap.Width(), 10) << n;
      EXPECT_EQ(bitmap.Height(), 8) << n;
    }
  }
}

TEST(JpegFile, MissingFileFails) {
  RecordingHost host;
  Bitmap bitmap;
  EXPECT_FALSE(DecodeJpegFile(bitmap, "/nonexistent/none.jpg", 0, &host));
  ASSERT_EQ(host.statuses.size(), 1u);
  EXPECT_EQ(host.statuses[0], " JPEG Error Status=Cannot open the file(-2)");
}

// Reads the sampling factors libjpeg finds in a file.
std::vector<std::pair<int, int>> SamplingOf(const Bytes& jpeg) {
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, jpeg.data(), jpeg.size());
  jpeg_read_header(&cinfo, TRUE);
  std::vector<std::pair<int, int>> factors;
  for (int i = 0; i < cinfo.num_components; ++i)
    factors.emplace_back(cinfo.comp_info[i].h_samp_factor, cinfo.comp_info[i].v_samp_factor);
  jpeg_destroy_decompress(&cinfo);
  return factors;
}

TEST(JpegEncode, WritesFourTwoZeroAtTheQualityAsked) {
  ScratchDir dir("encode");
  const Bitmap source = samples::Pattern(123, 77);  // odd width: rows carry padding
  ASSERT_TRUE(EncodeJpegFile(source, dir / "high.jpg", 95));
  ASSERT_TRUE(EncodeJpegFile(source, dir / "low.jpg", 20));
  EXPECT_LT(std::filesystem::file_size(dir / "low.jpg"), std::filesystem::file_size(dir / "high.jpg"));

  std::string why;
  std::ifstream in(dir / "high.jpg", std::ios::binary);
  const Bytes written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(SamplingOf(written), (std::vector<std::pair<int, int>>{{2, 2}, {1, 1}, {1, 1}}));

  Bitmap decoded;
  ASSERT_TRUE(DecodeJpegFile(decoded, dir / "high.jpg", 0));
  EXPECT_EQ(decoded.Width(), 123);
  EXPECT_EQ(decoded.Height(), 77);
  EXPECT_TRUE(Near(decoded.Pixel(100, 60), source.Pixel(100, 60)));
}

TEST(JpegEncode, FailureLeavesNoFileAndReportsIt) {
  ScratchDir dir("encode_fail");
  RecordingHost host;
  EXPECT_FALSE(EncodeJpegFile(samples::Pattern(8, 8), dir / "missing" / "x.jpg", 90, &host));
  EXPECT_FALSE(std::filesystem::exists(dir / "missing" / "x.jpg"));
  ASSERT_EQ(host.statuses.size(), 1u);
  EXPECT_EQ(host.statuses[0], " JPEG Error Status=Cannot write the file(-5)");

  // An existing destination is replaced, and removed when there is nothing to write.
  samples::WriteText(dir / "old.jpg", "old");
  EXPECT_FALSE(EncodeJpegFile(Bitmap(), dir / "old.jpg", 90, &host));
  EXPECT_FALSE(std::filesystem::exists(dir / "old.jpg"));
}

TEST(JpegStatus, TextCarriesTheCodeInBrackets) {
  EXPECT_EQ(JpegStatusText(-3), "Picture too large(-3)");
  const std::string library = JpegStatusText(JERR_NO_SOI);
  EXPECT_EQ(library, "Not a JPEG file: starts with 0x%02x 0x%02x(" + std::to_string(JERR_NO_SOI) + ")");
}

}  // namespace
}  // namespace zor
