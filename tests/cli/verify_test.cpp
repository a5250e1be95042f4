// `zorview --verify` on the import fixtures: the report, the faulty list and
// the exit status.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
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
