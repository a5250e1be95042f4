// `zorview --dump` run as users run it, on every fixture layout, against the
// expected output in tests/data/import/expected (paths written as $DATA,
// $USER, $WORK and $SYSFILE). ZOR_UPDATE_EXPECTED=1 rewrites the expected files.
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "import_fixture.h"
#include "program_run.h"

namespace zor {
namespace {

namespace fs = std::filesystem;

using test::ProgramRun;

void ReplaceAll(std::string& s, const std::string& from, const std::string& to) {
  for (std::size_t pos = s.find(from); pos != std::string::npos; pos = s.find(from, pos + to.size()))
    s.replace(pos, from.size(), to);
}

class DumpTest : public test::ImportTest {
 protected:
  ProgramRun Dump(const std::string& args) {
    fs::create_directories(Temp("tmp"));
    const std::string command = "XDG_DATA_HOME='" + Temp("xdg") + "' TMPDIR='" + Temp("tmp") +
                                "' '" ZOR_PROGRAM "' --dump " + args + " 2>/dev/null";
    ProgramRun run = test::RunProgram(command);
    ReplaceAll(run.out, fs::weakly_canonical(Data("")).string() + "/", "$DATA/");
    ReplaceAll(run.out, Temp("xdg/TALMO/TempFiles/ZORVIEW/"), "$USER/");
    // The run's own work folder: TMPDIR/zorview-XXXXXX/.
    run.out = std::regex_replace(run.out, std::regex(Temp("tmp") + "/zorview-[A-Za-z0-9]{6}/"), "$$WORK/");
    ReplaceAll(run.out, fs::path(ZOR_PROGRAM).parent_path().string() + "/SYSFILE/", "$SYSFILE/");
    return run;
  }

  void ExpectOutput(const std::string& name, const ProgramRun& run) {
    const std::string path = Data("expected/" + name + ".json");
    if (getenv("ZOR_UPDATE_EXPECTED")) std::ofstream(path, std::ios::binary) << run.out;
    std::ifstream in(path, std::ios::binary);
    std::stringstream expected;
    expected << in.rdbuf();
    EXPECT_EQ(run.out, expected.str()) << name;
  }
};

struct DumpCase {
  const char* name;
  const char* path;  // below tests/data/import
  int status;
};

class DumpFixtureTest : public DumpTest, public testing::WithParamInterface<DumpCase> {};

TEST_P(DumpFixtureTest, BothParsersGiveTheExpectedTables) {
  const DumpCase& c = GetParam();
  const ProgramRun own = Dump("--own '" + Data(c.path) + "'");
  EXPECT_EQ(own.status, c.status);
  ExpectOutput(c.name, own);
  // The fixtures validate against their DTDs: no question, the same tables.
  const ProgramRun validating = Dump("--validating '" + Data(c.path) + "'");
  EXPECT_EQ(validating.status, c.status);
  EXPECT_EQ(validating.out, own.out);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, DumpFixtureTest,
                         testing::Values(DumpCase{"construction", "construction", 0},
                                         DumpCase{"services", "services", 0}, DumpCase{"photo2002", "photo2002", 0},
                                         DumpCase{"photo2002n", "photo2002n/PHOTO/PHOTO.XML", 0},
                                         DumpCase{"photo1999", "photo1999/PHOTO.XML", 0},
                                         DumpCase{"multimedia", "multimedia/PHOTO", 0},
                                         DumpCase{"unknown", "unknown", 1}),
                         [](const testing::TestParamInfo<DumpCase>& info) { return std::string(info.param.name); });

// A PHOTO.XML beside a supported index opens the delivery through it, like
// the menu command.
TEST_F(DumpTest, PhotoFileOpensItsDeliveryThroughTheIndex) {
  const ProgramRun folder = Dump("--own '" + Data("construction") + "'");
  const ProgramRun photo = Dump("--own '" + Data("construction/PHOTO/PHOTO.XML") + "'");
  EXPECT_EQ(photo.status, 0);
  EXPECT_EQ(photo.out, folder.out);
  EXPECT_NE(photo.out.find("\"indexLoaded\": true"), std::string::npos);
}

TEST_F(DumpTest, NothingIsWrittenInsideTheDelivery) {
  fs::copy(Data("multimedia"), Temp("copy"), fs::copy_options::recursive);
  std::size_t before = 0, after = 0;
  for (auto& e : fs::recursive_directory_iterator(Temp("copy"))) before += e.is_regular_file();
  EXPECT_EQ(Dump("'" + Temp("copy") + "'").status, 0);
  for (auto& e : fs::recursive_directory_iterator(Temp("copy"))) after += e.is_regular_file();
  EXPECT_EQ(after, before);
  // The work copies went to the run's own folder, which is gone again; the
  // viewer's work folder is left alone.
  EXPECT_FALSE(fs::exists(Temp("xdg/TALMO/TempFiles/ZORVIEW/PIC/P0000001.JPG")));
  EXPECT_TRUE(fs::is_empty(Temp("tmp")));
}

// An index of the 2023 guideline whose DTD is not at hand: the question is
// answered Yes, the delivery loads as the later construction standard with
// the items of the later index.
TEST_F(DumpTest, IndexOfALaterGuidelineLoadsUnderItsOwnName) {
  const ProgramRun run = Dump("--validating '" + Data("construction-2023") + "'");
  EXPECT_EQ(run.status, 0);
  for (const char* text : {"\"standard\": 14,", "\"standardName\": \"国交省 令和5年3月 工事完成図書の電子納品等要領\",",
                           "\"guideline\": \"土木202303-01\",", "\"indexLoaded\": true,",
                           "{\"slot\": 1, \"code\": 39, \"standard\": 1, \"value\": \"0123456789\"}",
                           "\"code\": 40, \"standard\": 1, \"value\": \"道路整備保全課\"}",
                           "\"code\": 41, \"standard\": 1, \"value\": \"0402\"}",
                           "INDE_C09.DTD\\\" がファイルと同じフォルダにもシステムフォルダにもありません。",
                           "\"JFILENAME\": \"補修状況.SVG\""})
    EXPECT_NE(run.out.find(text), std::string::npos) << text;
}

TEST_F(DumpTest, FolderWithoutDeliveryAndUsageErrors) {
  fs::create_directories(Temp("empty"));
  const ProgramRun empty = Dump("'" + Temp("empty") + "'");
  EXPECT_EQ(empty.status, 1);
  EXPECT_NE(empty.out.find("フォルダが違います PHOTO.XML がみつかりません。"), std::string::npos);
  EXPECT_EQ(Dump("'" + Temp("missing") + "'").status, 1);
  EXPECT_EQ(Dump("").status, 2);
  EXPECT_EQ(Dump("a b").status, 2);
  EXPECT_EQ(Dump("--strict a").status, 2);
}

}  // namespace
}  // namespace zor
