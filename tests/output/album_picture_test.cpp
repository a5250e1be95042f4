// Pictures in the album: what a browser shows (JPEG, BMP, PNG, GIF, SVG)
// byte for byte, what it cannot show converted to a JPEG, and what cannot
// be converted copied unchanged: no picture is lost.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "album_fixture.h"
#include "images/bitmap.h"
#include "images/image_kit.h"
#include "images/jpeg_decode.h"
#include "images/jpeg_encode.h"
#include "images/picture_format.h"
#include "output/album_picture.h"

namespace zor {
namespace {

namespace fs = std::filesystem;

// A 40 x 30 picture: left half red, right half blue.
Bitmap TwoColours() {
  Bitmap b;
  b.Reset(40, 30, Bgr{0, 0, 255});
  for (int y = 0; y < 30; ++y)
    for (int x = 20; x < 40; ++x) b.SetPixel(x, y, Bgr{255, 0, 0});
  return b;
}

class AlbumPictureTest : public AlbumTest {
 protected:
  int PhotoFrom(const fs::path& source) {
    return AddPhoto({{"TITLE", source.filename().string()}, {"FILENAME", source.string()}});
  }
};

TEST_F(AlbumPictureTest, FormatsBrowsersShowAreCopiedTheOthersConverted) {
  const struct {
    const char* file;
    const char* format;  // GraphicsMagick writer
    AlbumPictureCopy expected;
  } cases[] = {{"a.bmp", "BMP", AlbumPictureCopy::kCopied},
               {"b.png", "PNG", AlbumPictureCopy::kCopied},
               {"c.tif", "TIFF", AlbumPictureCopy::kConverted},
               {"d.gif", "GIF", AlbumPictureCopy::kCopied},
               {"e.pcx", "PCX", AlbumPictureCopy::kConverted}};
  const Bitmap picture = TwoColours();
  for (const auto& c : cases) ASSERT_TRUE(WriteImageFile(picture, dir_ / c.file, c.format)) << c.file;
  for (const auto& c : cases) PhotoFrom(dir_ / c.file);
  fs::create_directories(Album("PIC"));
  int serial = 0;
  for (const auto& c : cases) {
    ASSERT_TRUE(d_.GotoPhotoRecord(++serial));
    const std::string name = "P000000" + std::to_string(serial) + ".JPG";
    EXPECT_EQ(CopyAlbumPicture(d_, Album("PIC"), name, 90), c.expected) << c.file;
    const std::string bytes = ReadBytes(Album("PIC/" + name));
    if (c.expected == AlbumPictureCopy::kCopied) {
      EXPECT_EQ(bytes, ReadBytes(dir_ / c.file)) << c.file;
      continue;
    }
    ASSERT_GE(bytes.size(), 4u) << c.file;
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xD8") << c.file;
    Bitmap back;
    ASSERT_TRUE(DecodeJpegFile(back, Album("PIC/" + name), 0)) << c.file;
    EXPECT_EQ(back.Width(), 40);
    EXPECT_EQ(back.Height(), 30);
    const Bgr left = back.Pixel(5, 15), right = back.Pixel(35, 15);
    EXPECT_GT(left.red, 200) << c.file;
    EXPECT_LT(left.blue, 60) << c.file;
    EXPECT_GT(right.blue, 200) << c.file;
    EXPECT_LT(right.red, 60) << c.file;
  }
}

TEST_F(AlbumPictureTest, AJpegIsCopiedByteForByte) {
  ASSERT_TRUE(EncodeJpegFile(TwoColours(), dir_ / "photo.JPG", 75));
  PhotoFrom(dir_ / "photo.JPG");
  fs::create_directories(Album("PIC"));
  ASSERT_TRUE(d_.GotoPhotoRecord(1));
  EXPECT_EQ(CopyAlbumPicture(d_, Album("PIC"), "P0000001.JPG", 10), AlbumPictureCopy::kCopied);
  EXPECT_EQ(ReadBytes(Album("PIC/P0000001.JPG")), ReadBytes(dir_ / "photo.JPG"));
}

// A picture not found at load is drawn as the placeholder, which is not the
// photo: the album copies nothing for it.
TEST_F(AlbumPictureTest, APictureMissingAtLoadIsNotCopied) {
  ASSERT_TRUE(EncodeJpegFile(TwoColours(), dir_ / "DUMMY.JPG", 75));
  const int missing = PhotoFrom(dir_ / "DUMMY.JPG");
  const int present = PhotoFrom(dir_ / "DUMMY.JPG");
  d_.MissingPictures[missing] = Sj("PHOTO/PIC/P0000001.JPG");
  fs::create_directories(Album("PIC"));
  ASSERT_TRUE(d_.GotoPhotoRecord(missing));
  EXPECT_EQ(CopyAlbumPicture(d_, Album("PIC"), "P0000001.JPG", 90), AlbumPictureCopy::kMissing);
  EXPECT_FALSE(fs::exists(Album("PIC/P0000001.JPG")));
  ASSERT_TRUE(d_.GotoPhotoRecord(present));
  EXPECT_EQ(CopyAlbumPicture(d_, Album("PIC"), "P0000002.JPG", 90), AlbumPictureCopy::kCopied);
}

// Browsers show an SVG as it is: copied unchanged, under an ".SVG" name.
TEST_F(AlbumPictureTest, AnSvgIsCopiedByteForByteUnderItsOwnExtension) {
  const std::string svg =
      "<svg xmlns='http://www.w3.org/2000/svg' width='40' height='30'><rect width='40' height='30'/></svg>";
  std::ofstream(dir_ / "drawing.svg", std::ios::binary) << svg;
  ASSERT_TRUE(EncodeJpegFile(TwoColours(), dir_ / "photo.JPG", 75));
  PhotoFrom(dir_ / "drawing.svg");
  PhotoFrom(dir_ / "photo.JPG");
  fs::create_directories(Album("PIC"));
  ASSERT_TRUE(d_.GotoPhotoRecord(1));
  EXPECT_STREQ(AlbumPictureExtension(d_), ".SVG");
  EXPECT_EQ(CopyAlbumPicture(d_, Album("PIC"), "P0000001.SVG", 90), AlbumPictureCopy::kCopied);
  EXPECT_EQ(ReadBytes(Album("PIC/P0000001.SVG")), svg);
  ASSERT_TRUE(d_.GotoPhotoRecord(2));
  EXPECT_STREQ(AlbumPictureExtension(d_), ".JPG");
}

// Deliveries often come read-only (a disc, a locked share); the album's
// copies must still be plain files the user can replace or delete.
TEST_F(AlbumPictureTest, CopiesOfReadOnlyOrExecutableSourcesArePlainFiles) {
  ASSERT_TRUE(EncodeJpegFile(TwoColours(), dir_ / "locked.JPG", 75));
  ASSERT_TRUE(EncodeJpegFile(TwoColours(), dir_ / "mounted.JPG", 75));
  fs::permissions(dir_ / "locked.JPG", fs::perms::owner_read | fs::perms::group_read);
  fs::permissions(dir_ / "mounted.JPG", fs::perms::owner_all | fs::perms::group_all | fs::perms::others_all);
  PhotoFrom(dir_ / "locked.JPG");
  PhotoFrom(dir_ / "mounted.JPG");
  fs::create_directories(Album("PIC"));
  for (int record : {1, 2}) {
    ASSERT_TRUE(d_.GotoPhotoRecord(record));
    const std::string name = "P000000" + std::to_string(record) + ".JPG";
    ASSERT_EQ(CopyAlbumPicture(d_, Album("PIC"), name, 90), AlbumPictureCopy::kCopied) << record;
    EXPECT_EQ(ReadBytes(Album("PIC/" + name)), ReadBytes(dir_ / "locked.JPG")) << record;
    const fs::perms perms = fs::status(Album("PIC/" + name)).permissions();
    EXPECT_NE(perms & fs::perms::owner_write, fs::perms::none) << record;
    EXPECT_EQ(perms & (fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec), fs::perms::none)
        << record;
  }
}

TEST_F(AlbumPictureTest, NoPictureIsLost) {
  using namespace std::string_literals;
  WriteBytes(dir_ / "broken.tif", "II*\0 not a picture"s);  // a TIFF header, then no TIFF
  ASSERT_EQ(SniffPictureFormat(dir_ / "broken.tif"), PictureFormat::kTiff);
  WriteBytes(dir_ / "drawing.pdf", "%PDF-1.4 a drawing");
  WriteBytes(dir_ / "broken.bmp", "BM not a bitmap");
  PhotoFrom(dir_ / "broken.tif");
  PhotoFrom(dir_ / "drawing.pdf");
  PhotoFrom(dir_ / "broken.bmp");
  PhotoFrom(dir_ / "absent.jpg");
  const int withOriginal = PhotoFrom(dir_ / "drawing.pdf");
  ASSERT_TRUE(d_.GotoPhotoRecord(withOriginal));
  d_.PhotoTable.Edit();
  d_.PhotoTable.SetAsString(d_.PhotoTable.FieldPos.FILE_ORG, "1");
  d_.PhotoTable.Post();
  fs::create_directories(Album("PIC"));
  for (int record = 1; record <= 5; ++record) WriteBytes(Album("PIC/P" + std::to_string(record) + ".JPG"), "stale");

  const struct {
    int record;
    AlbumPictureCopy expected;
    const char* source;  // the bytes the album holds afterwards; null: nothing
  } cases[] = {{1, AlbumPictureCopy::kUnchanged, "broken.tif"},
               {2, AlbumPictureCopy::kUnchanged, "drawing.pdf"},
               {3, AlbumPictureCopy::kCopied, "broken.bmp"},
               {4, AlbumPictureCopy::kMissing, nullptr},
               {5, AlbumPictureCopy::kNotCopied, nullptr}};
  for (const auto& c : cases) {
    ASSERT_TRUE(d_.GotoPhotoRecord(c.record));
    const std::string name = "P" + std::to_string(c.record) + ".JPG";
    EXPECT_EQ(CopyAlbumPicture(d_, Album("PIC"), name, 90), c.expected) << c.record;
    if (c.source)
      EXPECT_EQ(ReadBytes(Album("PIC/" + name)), ReadBytes(dir_ / c.source)) << c.record;
    else if (c.expected == AlbumPictureCopy::kMissing)
      EXPECT_FALSE(fs::exists(Album("PIC/" + name))) << "no stale picture stays";
    else
      EXPECT_EQ(ReadBytes(Album("PIC/" + name)), "stale") << "FILE_ORG touches nothing";
  }
}

// A copy that cannot be written (here: its folder is gone) is a failure and
// leaves nothing behind.
TEST_F(AlbumPictureTest, ACopyThatCannotBeWrittenFails) {
  ASSERT_TRUE(EncodeJpegFile(TwoColours(), dir_ / "photo.JPG", 75));
  WriteBytes(dir_ / "drawing.pdf", "%PDF-1.4 a drawing");
  ASSERT_TRUE(WriteImageFile(TwoColours(), dir_ / "c.tif", "TIFF"));
  for (const char* file : {"photo.JPG", "drawing.pdf", "c.tif"}) PhotoFrom(dir_ / file);
  for (int record : {1, 2, 3}) {
    ASSERT_TRUE(d_.GotoPhotoRecord(record));
    EXPECT_EQ(CopyAlbumPicture(d_, Album("GONE"), "P1.JPG", 90), AlbumPictureCopy::kFailed) << record;
    EXPECT_FALSE(fs::exists(Album("GONE/P1.JPG"))) << record;
  }
}

}  // namespace
}  // namespace zor
