// Deliveries made to attack the one who opens them: links that lead out of
// the delivery, FIFOs where files belong, a document of very many
// attributes, two albums into one folder. Nothing outside the delivery
// reaches the output, no run hangs (a timeout ends a faulty one), and the
// delivery stays byte for byte as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "text/encoding.h"
#include "verb_run.h"

namespace zor {
namespace {

namespace fs = std::filesystem;
using test::Contents;
using test::Outcome;
using test::ReadBytes;
using HostileDeliveryTest = test::VerbRunTest;

// Ends a run that hangs; its status is then 137, which no verb gives.
const std::string kGuard = "timeout -s KILL 120";

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Every file below folder holding part.
std::vector<std::string> FilesHolding(const fs::path& folder, const std::string& part) {
  std::vector<std::string> found;
  if (!fs::exists(folder)) return found;
  for (const auto& [rel, bytes] : Contents(folder))
    if (bytes != "<dir>" && bytes.find(part) != std::string::npos) found.push_back(rel);
  return found;
}

TEST_F(HostileDeliveryTest, NothingOutsideTheDeliveryReachesTheOutput) {
  const std::string secret = "SECRET-OF-THE-MACHINE";
  const fs::path outside = temp_ / "outside";
  fs::create_directories(outside / "PIC");
  WriteBytes(outside / "secret.txt", secret);
  for (const char* name : {"P0000001.JPG", "P0000002.JPG"})
    WriteBytes(outside / "PIC" / name, std::string("\xFF\xD8\xFF\xE0", 4) + secret + "\xFF\xD9");

  const struct {
    const char* what;
    void (*plant)(const fs::path& delivery, const fs::path& outside);
    const char* message;  // in the run's messages
  } cases[] = {
      {"a picture linked to an outside file",
       [](const fs::path& d, const fs::path& o) {
         fs::remove(d / "PHOTO/PIC/P0000002.JPG");
         fs::create_symlink(o / "secret.txt", d / "PHOTO/PIC/P0000002.JPG");
       },
       "納品データのフォルダの外を指すため読み込みません"},
      {"the picture folder linked to an outside folder",
       [](const fs::path& d, const fs::path& o) {
         fs::remove_all(d / "PHOTO/PIC");
         fs::create_directory_symlink(o / "PIC", d / "PHOTO/PIC");
       },
       "納品データのフォルダの外を指すため読み込みません"},
      {"an external entity through a link",
       [](const fs::path& d, const fs::path& o) {
         fs::create_symlink(o / "secret.txt", d / "PHOTO/leak.txt");
         std::string xml = ReadBytes(d / "PHOTO/PHOTO.XML");
         const std::string doctype = "<!DOCTYPE photodata SYSTEM \"PHOTO05.DTD\">";
         xml.replace(xml.find(doctype), doctype.size(),
                     "<!DOCTYPE photodata SYSTEM \"PHOTO05.DTD\" [<!ENTITY leak SYSTEM \"leak.txt\">]>");
         const std::string title = Sj("<写真タイトル>");
         xml.insert(xml.find(title) + title.size(), "&leak;");
         WriteBytes(d / "PHOTO/PHOTO.XML", xml);
       },
       "外部実体「leak.txt」は読み込みません"},
  };
  int run = 0;
  for (const auto& c : cases) {
    const fs::path delivery = CopyOf("import/construction", "d" + std::to_string(++run));
    c.plant(delivery, outside);
    const auto before = Contents(delivery);
    const fs::path albumParent = temp_ / ("albums" + std::to_string(run));
    fs::create_directories(albumParent);
    for (const std::string& verb : {"--dump --validating " + Q(delivery), "--album " + Q(delivery) + " " + Q(albumParent)}) {
      const Outcome result = Zorview(verb);
      EXPECT_EQ(result.out.find(secret), std::string::npos) << c.what << ", " << verb;
      EXPECT_EQ(result.err.find(secret), std::string::npos) << c.what << ", " << verb;
      // --dump gives its messages in its output, the album on standard error.
      EXPECT_NE((result.out + result.err).find(c.message), std::string::npos)
          << c.what << ", " << verb << ": " << result.err;
      EXPECT_EQ(Contents(delivery), before) << c.what << ", " << verb;
    }
    EXPECT_TRUE(fs::exists(albumParent / "ALBUM/ALBUM.HTM")) << c.what;
    EXPECT_EQ(FilesHolding(albumParent, secret), std::vector<std::string>{}) << c.what;
  }
}

// The album folder is taken before anything is loaded: a second run into
// the same folder, or a link planted there, fails at once and writes nothing.
TEST_F(HostileDeliveryTest, TheAlbumFolderIsOneRunsAlone) {
  // Photos enough for a load that lasts while the other run starts.
  const fs::path delivery = CopyOf("import/construction", "d");
  std::string xml = ReadBytes(delivery / "PHOTO/PHOTO.XML");
  const std::string open = Sj("<写真情報>"), close = Sj("</写真情報>");
  const std::size_t from = xml.find(open), to = xml.rfind(close) + close.size();
  const std::string photos = xml.substr(from, to - from);
  for (int i = 0; i < 2000; ++i) xml.insert(to, photos);
  WriteBytes(delivery / "PHOTO/PHOTO.XML", xml);
  const fs::path parent = temp_ / "out";
  fs::create_directories(parent);
  const std::string album = "'" ZOR_PROGRAM "' --album " + Q(delivery) + " " + Q(parent);
  // Both at once; each prints its status after its output.
  const std::string script = "XDG_DATA_HOME='" + (temp_ / "xdg").string() + "' TMPDIR='" + (temp_ / "tmp").string() +
                             "'; export XDG_DATA_HOME TMPDIR; (" + album + "; echo \"a=$?\") & (" + album +
                             "; echo \"b=$?\") & wait";
  const test::ProgramRun runs = test::RunProgram("sh -c " + Q(script) + " 2>/dev/null");
  const std::string printed = runs.out;
  EXPECT_EQ(test::CountOf(printed, (parent / "ALBUM/ALBUM.HTM").string() + "\n"), 1u) << printed;
  EXPECT_EQ(test::CountOf(printed, "=0"), 1u) << printed;
  EXPECT_EQ(test::CountOf(printed, "=1"), 1u) << printed;

  const fs::path elsewhere = temp_ / "elsewhere";
  fs::create_directories(elsewhere);
  const fs::path linked = temp_ / "linked";
  fs::create_directories(linked);
  fs::create_directory_symlink(elsewhere, linked / "ALBUM");
  const Outcome refused = Zorview("--album " + Q(delivery) + " " + Q(linked));
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("already exists"), std::string::npos) << refused.err;
  EXPECT_TRUE(fs::is_empty(elsewhere));
}

// A FIFO where a file belongs is refused without being opened for a read
// that would wait for a writer.
TEST_F(HostileDeliveryTest, FifosWhereFilesBelongDoNotHang) {
  const fs::path pictures = temp_ / "pictures";
  fs::create_directories(pictures);
  const fs::path delivery = temp_ / "d";
  // Each case on a fresh copy of the delivery; the FIFO at fifo.
  const struct {
    const char* what;
    fs::path fifo;
    std::string verb;
    int status;
  } cases[] = {
      {"the photo file's DTD", delivery / "PHOTO/PHOTO05.DTD", "--verify " + Q(delivery), 1},
      {"the settings file", SettingsFile(), "--verify " + Q(delivery), 0},
      {"a picture for --kind", pictures / "a.GIF", "--kind " + Q(pictures / "a.GIF"), 0},
      {"a picture for --thumbnail", pictures / "b.TIF", "--thumbnail 64 " + Q(pictures / "b.TIF"), 1},
      {"a picture of the delivery", delivery / "PHOTO/PIC/P0000001.JPG",
       "--album " + Q(delivery) + " " + Q(temp_ / "out"), 0},
  };
  fs::create_directories(SettingsFile().parent_path());
  for (const auto& c : cases) {
    fs::remove_all(delivery);
    CopyOf("import/construction", "d");
    fs::remove_all(temp_ / "out");
    fs::create_directories(temp_ / "out");
    fs::remove(c.fifo);
    ASSERT_EQ(::mkfifo(c.fifo.c_str(), 0644), 0) << c.what;
    const Outcome result = Zorview(c.verb, kGuard);
    EXPECT_EQ(result.status, c.status) << c.what << ": " << result.err;
    fs::remove(c.fifo);
  }
}

// An element of 200,000 attributes (libxml2 needs minutes for it) is
// refused before the validating parser sees it; the report names its line.
TEST_F(HostileDeliveryTest, AnElementOfVeryManyAttributesIsRefusedAtOnce) {
  const fs::path delivery = CopyOf("import/construction", "d");
  std::string xml = ReadBytes(delivery / "PHOTO/PHOTO.XML");
  std::string attributes;
  for (int i = 0; i < 200000; ++i) attributes += " a" + std::to_string(i) + "=\"v\"";
  const std::string root = "<photodata DTD_version=\"05\"";
  xml.insert(xml.find(root) + root.size(), attributes);
  WriteBytes(delivery / "PHOTO/PHOTO.XML", xml);
  const auto before = Contents(delivery);
  const Outcome result = Zorview("--verify " + Q(delivery), kGuard);
  EXPECT_EQ(result.status, 1) << result.err;
  EXPECT_NE(result.err.find("属性が 256 個を超える要素があります。"), std::string::npos) << result.err;
  EXPECT_NE(result.err.find("行 > 3"), std::string::npos) << result.err;
  EXPECT_EQ(Contents(delivery), before);
}

}  // namespace
}  // namespace zor
