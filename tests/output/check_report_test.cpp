#include "output/check_report.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "output/report_file.h"
#include "text/encoding.h"

namespace zor {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

Finding Make(const char* check, Severity severity, int record, const char* file, const char* message) {
  Finding f;
  f.check = check;
  f.severity = severity;
  f.record = record;
  f.file = Sj(file);
  f.message = Sj(message);
  return f;
}

const std::vector<Finding> kFindings = {
    Make("file.unlisted", Severity::kWarning, 0, "PIC/X.JPG", "記載のないファイルです。"),
    Make("tamper", Severity::kError, 3, "P0000003.JPG", "改ざんの疑い"),
    Make("text.wide-alnum", Severity::kNote, 0, "PHOTO/PHOTO.XML", "全角英数字があります: Ａ（0x8260）"),
    Make("text.char", Severity::kError, 2, "PHOTO/PHOTO.XML", "①（0x8740 NEC特殊文字）"),
};

TEST(CheckReportTest, OrdersBySeverityThenByTheCheckTable) {
  std::vector<std::string> checks;
  for (const Finding* f : ReportOrder(kFindings)) checks.push_back(f->check);
  EXPECT_THAT(checks, ElementsAre("text.char", "tamper", "file.unlisted", "text.wide-alnum"));
}

TEST(CheckReportTest, HtmlIsStandaloneAndEscapesTheDeliverysTexts) {
  std::vector<Finding> findings = kFindings;
  Finding hostile = Make("name.rule", Severity::kError, 0, "<script>alert(1)</script>", "a\"b'c&d");
  hostile.item = "x\x1b[31m";
  findings.push_back(hostile);
  ReportHeading heading;
  heading.title = Sj("納品データのチェック結果");
  heading.workName = Sj("<b>工事</b>");
  heading.path = "/data/<delivery>";
  heading.standard = Sj("国交省 令和5年3月 工事完成図書の電子納品等要領");
  heading.program = "zorview 1.2.3";
  heading.when = "2026-12-11 15:00";
  const std::string html = ReportHtml(heading, findings);
  EXPECT_THAT(html, Not(HasSubstr("<script")));
  EXPECT_THAT(html, Not(HasSubstr("<b>")));
  EXPECT_THAT(html, Not(HasSubstr("\x1b")));
  EXPECT_THAT(html, Not(HasSubstr("src=")));
  EXPECT_THAT(html, Not(HasSubstr("href=")));
  EXPECT_THAT(html, HasSubstr("&lt;script&gt;alert(1)&lt;/script&gt;"));
  EXPECT_THAT(html, HasSubstr("a&quot;b&#39;c&amp;d"));
  EXPECT_THAT(html, HasSubstr("x\\x1B[31m"));
  EXPECT_THAT(html, HasSubstr("&lt;b&gt;工事&lt;/b&gt;"));
  EXPECT_THAT(html, HasSubstr("/data/&lt;delivery&gt;"));
  EXPECT_THAT(html, HasSubstr("zorview 1.2.3"));
  // The counts per severity, then the groups in report order.
  EXPECT_THAT(html, HasSubstr("<td class=\"n\">3</td><td class=\"n\">1</td><td class=\"n\">1</td>"));
  const std::size_t error = html.find("<h2 class=\"e\">"), warning = html.find("<h2 class=\"w\">"),
                    note = html.find("<h2 class=\"k\">");
  ASSERT_NE(error, std::string::npos);
  EXPECT_LT(error, warning);
  EXPECT_LT(warning, note);
  EXPECT_LT(html.find("NEC特殊文字"), html.find("改ざんの疑い"));
}

TEST(CheckReportTest, AnEmptyReportSaysSo) {
  EXPECT_THAT(ReportHtml(ReportHeading{}, {}), HasSubstr("指摘事項はありません。"));
}

TEST(CheckReportTest, CsvIsUtf8WithBomQuotedAndSafeForSpreadsheets) {
  std::vector<Finding> findings = {Make("name.rule", Severity::kError, 7, "=HYPERLINK(\"x\")", "line \"one\"")};
  findings[0].item = "-1";
  findings[0].line = 12;
  const std::string csv = ReportCsv(findings);
  EXPECT_EQ(csv.rfind("\xEF\xBB\xBF\"重大度\",\"チェック\",\"項目ID\",\"記録\",\"ファイル\",\"項目\",\"行\",\"内容\"\r\n", 0), 0u);
  EXPECT_THAT(csv, HasSubstr("\r\n\"誤り\",\"フォルダ名・ファイル名の規則\",\"name.rule\",\"7\",\"'=HYPERLINK(\"\"x\"\")\",\"'-1\",\"12\","
                             "\"line \"\"one\"\"\"\r\n"));
}

TEST(CheckReportTest, AReportFileReplacesALinkInsteadOfFollowingIt) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("zor_report_" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  { std::ofstream(dir / "outside") << "keep"; }
  std::filesystem::create_symlink(dir / "outside", dir / "report.html");
  EXPECT_EQ(WriteReportFile((dir / "report.html").string(), "new"), "");
  std::ifstream outside(dir / "outside");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(outside), {}), "keep");
  EXPECT_FALSE(std::filesystem::is_symlink(dir / "report.html"));
  // An unwritable place says why and leaves nothing.
  EXPECT_NE(WriteReportFile((dir / "missing" / "report.csv").string(), "x"), "");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 2);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace zor
