// `zorview --check` run as users run it: the verdict, the JSON lines, the
// reports and where they may be written, on copies of the fixture
// deliveries, which stay byte for byte as they were.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "verb_run.h"

namespace zor {
namespace {

namespace fs = std::filesystem;
using test::Contents;
using test::CountOf;
using test::Outcome;
using test::ReadBytes;
using CheckCliTest = test::VerbRunTest;

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

TEST_F(CheckCliTest, FindingsAsJsonLinesThenTheSummaryAndTheVerdict) {
  const fs::path delivery = CopyOf("import/construction", "delivery");
  const auto before = Contents(delivery);
  const Outcome run = Zorview("--check --json " + Q(delivery));
  EXPECT_EQ(run.status, 1) << run.err;
  const std::vector<std::string> lines = LinesOf(run.out);
  ASSERT_FALSE(lines.empty());
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    EXPECT_EQ(lines[i].rfind("{\"record\":", 0), 0u) << lines[i];
    EXPECT_NE(lines[i].find(",\"item\":"), std::string::npos) << lines[i];
    EXPECT_NE(lines[i].find(",\"line\":"), std::string::npos) << lines[i];
  }
  EXPECT_EQ(lines.back().rfind("{\"summary\":{\"pictures\":5,", 0), 0u) << lines.back();
  // Both missing pictures, each once.
  EXPECT_EQ(CountOf(run.out, "\"check\":\"file.missing\""), 2u);
  EXPECT_EQ(Contents(delivery), before);
}

TEST_F(CheckCliTest, TheTextReportNamesTheStandardAndEndsWithTheSummary) {
  const Outcome run = Zorview("--check " + Q(Data("import/construction")));
  EXPECT_EQ(run.status, 1);
  const std::vector<std::string> lines = LinesOf(run.out);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], "国交省 22年9月 工事完成図書の電子納品等要領");
  EXPECT_EQ(lines[1], "入力漏れ/入力ミスはありませんでした。");
  EXPECT_NE(run.out.find("【誤り】ファイルの有無  file.missing  2 件\n  記録 4  D0000002.JPG  ファイルがありません。\n"),
            std::string::npos)
      << run.out;
  EXPECT_EQ(lines.back().rfind("写真・参考図 5 件、管理ファイル ", 0), 0u) << lines.back();
}

TEST_F(CheckCliTest, ReportsAreWrittenOutsideTheDeliveryOnly) {
  const fs::path delivery = CopyOf("import/construction", "delivery");
  const auto before = Contents(delivery);
  // Inside the delivery, also through a path that climbs back into it.
  for (const fs::path& inside : {delivery / "REPORT.HTML", delivery / "PHOTO" / ".." / "report.csv"}) {
    const Outcome run = Zorview("--check --report " + Q(inside) + " " + Q(delivery));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("a report is never written inside the delivery"), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty()) << run.out;
  }
  // Into a folder that is not there: exit 1, the path named.
  const fs::path nowhere = temp_ / "no-such-folder" / "report.html";
  const Outcome failed = Zorview("--check --report " + Q(nowhere) + " " + Q(delivery));
  EXPECT_EQ(failed.status, 1);
  EXPECT_NE(failed.err.find(nowhere.string()), std::string::npos) << failed.err;
  EXPECT_EQ(Contents(delivery), before);

  const fs::path html = temp_ / "report.html", csv = temp_ / "report.csv";
  EXPECT_EQ(Zorview("--check --report " + Q(html) + " " + Q(delivery)).status, 1);
  EXPECT_EQ(Zorview("--check --report " + Q(csv) + " " + Q(delivery)).status, 1);
  const std::string page = ReadBytes(html);
  EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_NE(page.find("一般国道１２号　白石改良工事"), std::string::npos);
  EXPECT_EQ(page.find("<script"), std::string::npos);
  const std::string rows = ReadBytes(csv);
  EXPECT_EQ(rows.rfind("\xEF\xBB\xBF\"重大度\"", 0), 0u);
  // One row per finding of the JSON run, and the header.
  const Outcome json = Zorview("--check --json " + Q(delivery));
  EXPECT_EQ(CountOf(rows, "\r\n"), LinesOf(json.out).size());
  EXPECT_EQ(Contents(delivery), before);
}

TEST_F(CheckCliTest, WrongArgumentsAreUsageErrors) {
  for (const std::string args : {"", "--report", "--report out.txt .", "--scope 3 .", "--json", "a b"}) {
    const Outcome run = Zorview("--check " + args);
    EXPECT_EQ(run.status, 2) << args;
    EXPECT_NE(run.err.find("usage: zorview --check"), std::string::npos) << args;
  }
  EXPECT_EQ(Zorview("--check " + Q(temp_ / "nothing-here")).status, 2);
}
}  // namespace
}  // namespace zor
