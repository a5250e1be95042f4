// `zorview --verify` on the import fixtures: the report, the faulty list and
// the exit status.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "program_run.h"

namespace zor {
namespace {

namespace fs = std::filesystem;

using test::ProgramRun;

class VerifyCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    xdg_ = fs::temp_directory_path() / ("zor_verify_cli_" + std::to_string(::getpid()));
    fs::create_directories(xdg_);
  }
  void TearDown() override { fs::remove_all(xdg_); }

  ProgramRun Verify(const std::string& args) {
    const std::string command =
        "XDG_DATA_HOME='" + xdg_.string() + "' '" ZOR_PROGRAM "' --verify " + args + " 2>/dev/null";
    return test::RunProgram(command);
  }

  static std::string Fixture(const std::string& name) { return "'" ZOR_TEST_DATA "/import/" + name + "'"; }

  fs::path xdg_;
};

TEST_F(VerifyCliTest, CleanDeliveryExitsZero) {
  for (const char* name : {"construction", "photo1999", "services"}) {
    const ProgramRun run = Verify("--scope 0 " + Fixture(name));
    EXPECT_EQ(run.status, 0) << name;
    EXPECT_EQ(run.out, "入力漏れ/入力ミスはありませんでした。\n") << name;
  }
}

TEST_F(VerifyCliTest, FaultsPrintTheReportLineByLineAndTheFaultyRecords) {
  const ProgramRun run = Verify("--scope 2 " + Fixture("construction"));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "【写真情報】の未入力項目が 2 件ありました。\n"
            "【付加情報】の未入力項目が 1 件ありました。\n"
            "            付加情報には必ずタイトルの記入が必要です\n"
            "\n"
            "対象となる工事写真を一覧を表示します\n"
            "faulty records: 3, 5\n");
}

TEST_F(VerifyCliTest, ConstructionFaultAloneHasNoFaultyRecords) {
  const ProgramRun run = Verify("--scope 0 " + Fixture("photo2002n"));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "【工事情報】の未入力項目がありました。\n");
}

// The same delivery declared under the 2023 guideline is checked by the
// rules of 2010: the same report, after the lines that say so.
TEST_F(VerifyCliTest, LaterStandardReportsLikeItsRuleSetAfterNamingIt) {
  const fs::path copy = xdg_ / "later";
  fs::copy(ZOR_TEST_DATA "/import/construction", copy, fs::copy_options::recursive);
  for (const fs::path& file : {copy / "INDEX_C.XML", copy / "PHOTO" / "PHOTO.XML"}) {
    std::ifstream in(file, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    // The value's digits are ASCII in Shift_JIS too.
    const std::size_t at = bytes.find("201009-01");
    ASSERT_NE(at, std::string::npos) << file;
    bytes.replace(at, 9, "202303-01");
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
  }
  for (const char* scope : {"0", "2"}) {
    const ProgramRun earlier = Verify(std::string("--scope ") + scope + " " + Fixture("construction"));
    const ProgramRun later = Verify(std::string("--scope ") + scope + " '" + copy.string() + "'");
    EXPECT_EQ(later.status, earlier.status) << scope;
    EXPECT_EQ(later.out,
              "国交省 令和5年3月 工事完成図書の電子納品等要領\n"
              "記入規則は 国交省 22年9月 工事完成図書の電子納品等要領 によります。\n" +
                  earlier.out)
        << scope;
  }
}

// The real services deliveries of today's guidelines, where they are at hand.
TEST_F(VerifyCliTest, RealServicesDeliveriesLoadAsTheLaterServicesStandard) {
  const fs::path real = fs::path(ZOR_TEST_DATA).parent_path().parent_path().parent_path() / "shared/samples/real";
  struct Case {
    const char* folder;
    const char* name;
  } cases[] = {{"services-2022", "国交省 令和2年3月 土木設計業務等の電子納品要領"},
               {"services-example", "国交省 31年3月 土木設計業務等の電子納品要領"}};
  int found = 0;
  for (const Case& c : cases) {
    const fs::path index = real / c.folder / "INDEX_D.XML";
    if (!fs::exists(index)) continue;
    ++found;
    const ProgramRun run = Verify("--scope 0 '" + index.string() + "'");
    EXPECT_NE(run.status, 2) << c.folder;
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')), c.name) << c.folder;
  }
  if (found == 0) GTEST_SKIP() << "no real deliveries under " << real;
}

TEST_F(VerifyCliTest, UnloadableDeliveryAndWrongArgumentsExitTwo) {
  for (const std::string& args :
       {Fixture("unknown"), Fixture("no-such-folder"), std::string("--scope 3 ") + Fixture("construction"),
        std::string("--scope"), std::string()}) {
    const ProgramRun run = Verify(args);
    EXPECT_EQ(run.status, 2) << args;
    EXPECT_EQ(run.out, "") << args;
  }
}

}  // namespace
}  // namespace zor
