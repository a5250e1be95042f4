#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/cli.h"
#include "images/image_kit.h"
#include "images/photo_loader.h"
#include "sample_pictures.h"
#include "test_support.h"

namespace zor {
namespace {

using testing::RecordingHost;

class ThumbnailOrder : public ::testing::Test {
 protected:
  void SetUp() override {
    const Bitmap photo = samples::Pattern(640, 480);
    const Bitmap thumbnail = samples::Pattern(160, 120);
    const Bitmap small_thumbnail = samples::Pattern(80, 60);
    samples::WriteBytes(dir / "exif.jpg", samples::JpegWithExif(photo, &thumbnail));
    samples::WriteBytes(dir / "exif_mm.jpg", samples::JpegWithExif(photo, &thumbnail, {.big_endian = true}));
    samples::WriteBytes(dir / "jfif_first.jpg", samples::JpegWithExif(photo, &thumbnail, {.jfif_first = true}));
    samples::WriteBytes(dir / "small_exif.jpg", samples::JpegWithExif(photo, &small_thumbnail));
    samples::WriteBytes(dir / "plain.jpg", samples::JpegWithExif(photo, nullptr));
    ASSERT_TRUE(WriteImageFile(samples::Pattern(64, 48), dir / "photo.bmp", "BMP"));
    ASSERT_TRUE(WriteImageFile(samples::Pattern(64, 48), dir / "photo.tif", "TIFF"));
    samples::WriteText(dir / "notes.txt", "no picture");
    ASSERT_TRUE(WriteImageFile(samples::Pattern(64, 48), dir / "png_inside.jpg", "PNG"));
    samples::WriteBytes(dir / "empty.jpg", {});
    samples::Bytes truncated = samples::JpegWithExif(photo, nullptr);
    truncated.resize(truncated.size() / 3);
    samples::WriteBytes(dir / "truncated.jpg", truncated);
  }

  struct Outcome {
    std::string route;
    int width = 0;
    int height = 0;
  };
  Outcome Load(const std::string& name, int size, RecordingHost* host = nullptr) {
    Bitmap bitmap;
    ImageResult result = LoadThumbnailBitmap(bitmap, dir / name, size, host);
    return {DescribeRoute(result), bitmap.Width(), bitmap.Height()};
  }

  testing::ScratchDir dir{"thumbnail"};
};

TEST_F(ThumbnailOrder, PicksTheCheapestPictureLargeEnough) {
  struct Case {
    const char* name;
    int size;
    const char* route;
    int width, height;
  } cases[] = {
      {"exif.jpg", 96, "exif", 160, 120},
      {"exif_mm.jpg", 96, "exif", 160, 120},
      {"exif.jpg", 160, "exif", 160, 120},
      {"exif.jpg", 161, "jpeg 1/2", 320, 240},  // 640 div 161 = 3
      {"jfif_first.jpg", 96, "jpeg 1/4", 160, 120},
      {"small_exif.jpg", 96, "jpeg 1/4", 160, 120},  // 80 x 60 is smaller than asked
      {"small_exif.jpg", 60, "exif", 80, 60},
      {"plain.jpg", 140, "jpeg 1/4", 160, 120},
      {"plain.jpg", 400, "jpeg 1/1", 640, 480},
      {"photo.bmp", 96, "general", 64, 48},
      {"photo.tif", 96, "general", 64, 48},
      {"png_inside.jpg", 96, "general", 64, 48},
      {"truncated.jpg", 96, "jpeg 1/4", 160, 120},  // the top third, the rest grey
  };
  for (const Case& c : cases) {
    const Outcome o = Load(c.name, c.size);
    EXPECT_EQ(o.route, c.route) << c.name << " @" << c.size;
    EXPECT_EQ(o.width, c.width) << c.name << " @" << c.size;
    EXPECT_EQ(o.height, c.height) << c.name << " @" << c.size;
  }
  for (const char* name : {"notes.txt", "empty.jpg", "missing.jpg"})
    EXPECT_EQ(Load(name, 96).route.rfind("failed: ", 0), 0u) << name;
}

// The JPEG decoder's status line is for JPEG files: a bitmap or a PNG
// (whatever its name) that the general library reads leaves none.
TEST_F(ThumbnailOrder, OnlyJpegFilesLeaveTheJpegStatus) {
  const struct {
    const char* name;
    const char* route;
    bool status;
  } cases[] = {{"photo.bmp", "general", false},
               {"png_inside.jpg", "general", false},
               {"photo.tif", "general", false},
               {"truncated.jpg", "jpeg 1/4", true}};
  for (const auto& c : cases) {
    RecordingHost host;
    EXPECT_EQ(Load(c.name, 96, &host).route, c.route) << c.name;
    EXPECT_EQ(host.statuses.size(), c.status ? 1u : 0u) << c.name;
    if (c.status && !host.statuses.empty()) {
      EXPECT_NE(host.statuses[0].find("JPEG Error Status="), std::string::npos) << host.statuses[0];
    }
  }
}

// A file over 1 GB is said to be too large, not an unknown format.
TEST_F(ThumbnailOrder, FileOverOneGigabyteIsSaidToBeTooLarge) {
  for (const char* name : {"huge.jpg", "huge.bmp"}) {
    {
      std::ofstream out(dir / name, std::ios::binary);
      out << (name[5] == 'j' ? "\xFF\xD8\xFF" : "BM");
    }
    std::filesystem::resize_file(dir / name, (1ull << 30) + 1);
    RecordingHost host;
    EXPECT_EQ(Load(name, 96, &host).route,
              "failed: the file is larger than 1 GB, more than a picture this program reads")
        << name;
    Bitmap bitmap;
    EXPECT_EQ(LoadPhotoBitmap(bitmap, dir / name, 0, &host).reason,
              "the file is larger than 1 GB, more than a picture this program reads")
        << name;
    EXPECT_TRUE(host.statuses.empty()) << name;
    std::filesystem::remove(dir / name);
  }
}

// The WMF decoder's own diagnostics do not reach standard error; the
// reason returned says what failed.
TEST_F(ThumbnailOrder, DamagedMetafileWritesNothingOnStandardError) {
  samples::Bytes wmf = samples::RedRectangleWmf();
  for (std::size_t i = 22; i < wmf.size(); ++i) wmf[i] = static_cast<std::uint8_t>(i * 37);
  samples::WriteBytes(dir / "damaged.wmf", wmf);
  ::testing::internal::CaptureStderr();
  const Outcome o = Load("damaged.wmf", 96);
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(o.route.rfind("failed: ", 0), 0u) << o.route;
  EXPECT_EQ(err, "");
  // Standard error works again afterwards.
  ::testing::internal::CaptureStderr();
  std::fputs("after\n", stderr);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "after\n");
}

TEST_F(ThumbnailOrder, CommandLinePrintsOneLinePerFile) {
  const std::string exif = (dir / "exif.jpg").string(), bmp = (dir / "photo.bmp").string(),
                    txt = (dir / "notes.txt").string(), out_dir = (dir / "out").string();
  std::vector<std::string> words = {"zorview", "--thumbnail", "96", "--out", out_dir, exif, bmp};
  auto run = [](std::vector<std::string> words, std::string* out) {
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    std::ostringstream o, e;
    const int status = RunCli(static_cast<int>(argv.size()), argv.data(), o, e);
    *out = o.str();
    return status;
  };
  std::string out;
  EXPECT_EQ(run(words, &out), 0);
  EXPECT_EQ(out, exif + "\t160x120 via exif\t-> exif.png\n" + bmp + "\t64x48 via general\t-> photo.png\n");
  EXPECT_TRUE(std::filesystem::exists(dir / "out" / "exif.png"));
  Bitmap written;
  ASSERT_TRUE(LoadWithImageKit(written, dir / "out" / "photo.png"));
  EXPECT_EQ(written.Width(), 64);

  EXPECT_EQ(run({"zorview", "--thumbnail", "96", exif, txt}, &out), 1);
  EXPECT_NE(out.find(txt + "\t0x0 via failed: "), std::string::npos) << out;
  EXPECT_EQ(run({"zorview", "--thumbnail", "big", exif}, &out), 2);
  EXPECT_EQ(run({"zorview", "--thumbnail", "96"}, &out), 2);

  // Two inputs of one stem get outputs of their own; the folder is made
  // only for arguments that are right, and never inside a delivery.
  std::filesystem::create_directories(dir / "other");
  std::filesystem::copy_file(dir / "exif.jpg", dir / "other" / "exif.jpg");
  const std::string again = (dir / "other" / "exif.jpg").string(), twice = (dir / "twice").string();
  EXPECT_EQ(run({"zorview", "--thumbnail", "96", "--out", twice, exif, again}, &out), 0);
  EXPECT_EQ(out, exif + "\t160x120 via exif\t-> exif.png\n" + again + "\t160x120 via exif\t-> exif-2.png\n");
  EXPECT_TRUE(std::filesystem::exists(dir / "twice" / "exif-2.png"));
  EXPECT_EQ(run({"zorview", "--thumbnail", "96", "--out", (dir / "never").string()}, &out), 2);
  EXPECT_FALSE(std::filesystem::exists(dir / "never"));
  std::filesystem::create_directories(dir / "deliv" / "PHOTO");
  std::ofstream(dir / "deliv" / "PHOTO" / "PHOTO.XML") << "<photodata/>";
  EXPECT_EQ(run({"zorview", "--thumbnail", "96", "--out", (dir / "deliv" / "thumbs").string(), exif}, &out), 1);
  EXPECT_FALSE(std::filesystem::exists(dir / "deliv" / "thumbs"));

  EXPECT_EQ(run({"zorview", "--kind", exif, (dir / "photo.tif").string(), txt}, &out), 0);
  EXPECT_EQ(out, exif + "\t0\n" + (dir / "photo.tif").string() + "\t4\n" + txt + "\t-1\n");
}

}  // namespace
}  // namespace zor
