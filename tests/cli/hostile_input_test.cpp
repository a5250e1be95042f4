// The verbs run as users run them, on deliveries and inputs that once made
// them fail silently or report success: paths that code page 932 does not
// give back, failed loads, failed album writes, missing files, forged
// output lines. Every verb leaves every delivery byte for byte as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "verb_run.h"

namespace zor {
namespace {

namespace fs = std::filesystem;
using test::Contents;
using test::CountOf;
using test::Outcome;
using test::ReadBytes;
using HostileInputTest = test::VerbRunTest;

// The delivery folder "工事〜A−1": 〜 and − become other characters through
// code page 932, yet every picture is found, listed and copied.
TEST_F(HostileInputTest, DeliveryUnderAFolderWithAWaveDash) {
  const fs::path delivery = CopyOf("import/construction", "工事〜A−1");
  const Outcome plain = Zorview("--dump --own " + Q(Data("import/construction")));
  const Outcome dashed = Zorview("--dump --own " + Q(delivery));
  EXPECT_EQ(dashed.status, 0) << dashed.err;
  // As many placeholders as the original has (its two missing drawings), no more.
  EXPECT_EQ(CountOf(dashed.out, "DUMMY.JPG"), CountOf(plain.out, "DUMMY.JPG"));
  EXPECT_EQ(CountOf(dashed.out, "工事～A－1/PHOTO/PIC/P000000"), 2u) << dashed.out;

  fs::create_directories(temp_ / "out");
  const Outcome album = Zorview("--album " + Q(delivery) + " " + Q(temp_ / "out"));
  EXPECT_EQ(album.status, 0) << album.err;
  EXPECT_EQ(album.out, (temp_ / "out/ALBUM/ALBUM.HTM").string() + "\n");
  EXPECT_EQ(ReadBytes(temp_ / "out/ALBUM/PIC/P0000001.JPG"), ReadBytes(delivery / "PHOTO/PIC/P0000001.JPG"));
  EXPECT_EQ(ReadBytes(temp_ / "out/ALBUM/PIC/P0000002.JPG"), ReadBytes(delivery / "PHOTO/PIC/P0000002.JPG"));
  EXPECT_EQ(ReadBytes(temp_ / "out/ALBUM/DRA/D0000001.JPG"), ReadBytes(delivery / "PHOTO/DRA/D0000001.JPG"));
}

// No verb writes into a delivery, on any fixture, the wave-dash one too.
TEST_F(HostileInputTest, EveryVerbLeavesEveryDeliveryAsItWas) {
  std::vector<fs::path> deliveries;
  for (const char* fixture :
       {"import/construction", "import/construction-2023", "import/services", "import/photo2002", "import/photo2002n",
        "import/photo1999", "import/multimedia", "import/unknown", "output/album_delivery"})
    deliveries.push_back(CopyOf(fixture, std::string("d/") + fs::path(fixture).filename().string()));
  deliveries.push_back(CopyOf("import/construction", "d/工事〜A−1"));
  int album = 0;
  for (const fs::path& delivery : deliveries) {
    const auto before = Contents(delivery);
    ASSERT_FALSE(before.empty());
    std::string pictures;
    for (const auto& [rel, bytes] : before)
      if (bytes != "<dir>" && fs::path(rel).extension() != ".XML" && fs::path(rel).extension() != ".DTD")
        pictures += " " + Q(delivery / rel);
    const std::string out = Q(temp_ / ("album" + std::to_string(++album)));
    fs::create_directories(temp_ / ("album" + std::to_string(album)));
    for (const std::string& verb :
         {"--dump --own " + Q(delivery), "--dump --validating " + Q(delivery), "--verify " + Q(delivery),
          "--album " + Q(delivery) + " " + out, "--xml-tree --own " + Q(delivery / "PHOTO/PHOTO.XML"),
          "--kind" + pictures, "--thumbnail 64 --out " + Q(temp_ / "thumbs") + pictures}) {
      if (pictures.empty() && verb.find("--kind") == 0) continue;
      const Outcome run = Zorview(verb);
      EXPECT_GE(run.status, 0) << verb;
      EXPECT_EQ(Contents(delivery), before) << verb;
    }
  }
}

TEST_F(HostileInputTest, FailedOwnParserLoadSaysWhy) {
  const fs::path delivery = CopyOf("import/construction", "broken");
  std::ofstream(delivery / "PHOTO/PHOTO.XML", std::ios::binary | std::ios::trunc)
      << "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<!DOCTYPE photodata SYSTEM \"PHOTO05.DTD\">\r\n"
         "<photodata DTD_version=\"05\">\r\n<photo>\r\n</photodata>\r\n";
  const Outcome run = Zorview("--dump --own " + Q(delivery / "PHOTO/PHOTO.XML"));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("zorview --dump: XMLファイルのフォーマットが不正です。"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("<photo>"), std::string::npos) << run.err;
}

// The question to read without validation is answered on the command line,
// and the answer shows; --verify does not call such a delivery clean.
TEST_F(HostileInputTest, DeliveryThatFailsItsDtdIsNotClean) {
  const Outcome run = Zorview("--verify --scope 0 " + Q(Data("xml/invalid/PHOTO.XML")));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("ウェルフォームドXML文書として強制的に読み込みますか？\n→ はい: 検証せずに読み込みます\n"),
            std::string::npos)
      << run.err;
  EXPECT_EQ(run.out.rfind("DTDによる検証に失敗したため、ウェルフォームドXML文書として読み込みました。\n", 0), 0u)
      << run.out;
}

// An album whose folder cannot be made is a failure: exit 1, the folder
// named, no ALBUM.HTM printed.
TEST_F(HostileInputTest, AlbumThatCannotBeWrittenFails) {
  // Not even root can make a folder in /proc.
  const Outcome run = Zorview("--album " + Q(Data("import/construction")) + " /proc/self");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("フォルダを作成できませんでした。 /proc/self/ALBUM"), std::string::npos) << run.err;
}

// A picture that is a link out of the delivery (here to a file no read
// succeeds on) is never opened: the load names it, the album copies nothing
// for it, and the other pictures are there.
TEST_F(HostileInputTest, AlbumRefusesAPictureLinkedOutOfTheDelivery) {
  const fs::path delivery = CopyOf("import/construction", "unreadable");
  fs::remove(delivery / "PHOTO/PIC/P0000002.JPG");
  fs::create_symlink("/proc/self/mem", delivery / "PHOTO/PIC/P0000002.JPG");
  const Outcome run = Zorview("--album " + Q(delivery) + " " + Q(temp_));
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("納品データのフォルダの外を指すため読み込みません: p0000002.jpg"), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(temp_ / "ALBUM/PIC/P0000002.JPG"));
  EXPECT_EQ(ReadBytes(temp_ / "ALBUM/PIC/P0000001.JPG"), ReadBytes(delivery / "PHOTO/PIC/P0000001.JPG"));
}

// Pictures that cannot be converted are copied unchanged and counted; the
// run still succeeds.
TEST_F(HostileInputTest, AlbumCountsPicturesCopiedUnchanged) {
  const fs::path delivery = CopyOf("output/album_delivery", "pdf");
  // A damaged TIFF: not convertible, kept.
  using namespace std::string_literals;
  const std::string damaged = "II*\0damaged"s;
  std::ofstream(delivery / "PHOTO/PIC/P0000004.TIF", std::ios::binary | std::ios::trunc) << damaged;
  const Outcome run = Zorview("--album " + Q(delivery) + " " + Q(temp_));
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("1 pictures could not be converted and were copied unchanged"), std::string::npos) << run.err;
  EXPECT_EQ(ReadBytes(temp_ / "ALBUM/PIC/P0000004.JPG"), ReadBytes(delivery / "PHOTO/PIC/P0000004.TIF"));
  EXPECT_EQ(ReadBytes(temp_ / "ALBUM/PIC/P0000004.JPG"), damaged);
}

TEST_F(HostileInputTest, KindOfAMissingFileFails) {
  const fs::path jpeg = Data("import/construction/PHOTO/PIC/P0000001.JPG");
  const Outcome run = Zorview("--kind " + Q(jpeg) + " " + Q(temp_ / "absent.jpg"));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, jpeg.string() + "\t0\n");
  EXPECT_NE(run.err.find("absent.jpg: no such file"), std::string::npos) << run.err;
}

// A file name with a line feed or a tab stays on its one result line.
TEST_F(HostileInputTest, FileNamesCannotForgeResultLines) {
  const fs::path forged = temp_ / "a.jpg\tforged\nb.jpg";
  fs::copy_file(Data("import/construction/PHOTO/PIC/P0000001.JPG"), forged);
  const std::string name = (temp_ / "a.jpg\\tforged\\nb.jpg").string();
  EXPECT_EQ(Zorview("--kind " + Q(forged)).out, name + "\t0\n");
  const Outcome thumbnail = Zorview("--thumbnail 32 " + Q(forged));
  EXPECT_EQ(thumbnail.out.rfind(name + "\t", 0), 0u) << thumbnail.out;
  EXPECT_EQ(CountOf(thumbnail.out, "\n"), 1u) << thumbnail.out;
}

TEST_F(HostileInputTest, PerPageZeroSaysWhatIsWrong) {
  const Outcome run = Zorview("--album a b --per-page 0");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("--per-page needs the number of photos on a page, 1 or more"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace zor
