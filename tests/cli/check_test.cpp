// `zorview --check` run as users run it: the verdict, the JSON lines, the
// reports and where they may be written, on copies of the fixture
// deliveries, which stay byte for byte as they were.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "text/encoding.h"
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

void WriteBytes(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Replaces the one occurrence of from (UTF-8, written in the file as code
// page 932) by to.
void Replace(const fs::path& file, const std::string& from, const std::string& to) {
  std::string bytes = ReadBytes(file);
  const std::size_t at = bytes.find(Sj(from));
  ASSERT_NE(at, std::string::npos) << from;
  bytes.replace(at, Sj(from).size(), Sj(to));
  WriteBytes(file, bytes);
}

// The check and severity of every finding of a --check --json run.
std::multiset<std::string> ChecksOf(const std::string& json) {
  std::multiset<std::string> checks;
  for (const std::string& line : LinesOf(json)) {
    const std::size_t c = line.find("\"check\":\""), s = line.find("\"severity\":\"");
    if (c == std::string::npos || s == std::string::npos) continue;
    const std::size_t ce = line.find('"', c + 9), se = line.find('"', s + 12);
    checks.insert(line.substr(c + 9, ce - c - 9) + " " + line.substr(s + 12, se - s - 12));
  }
  return checks;
}

// The construction fixture mended (its listed pictures all there, names as
// listed) and given a PLAN folder with its own management file in
// Shift_JIS; the index names PLAN and MEET.
class WholeDeliveryTest : public CheckCliTest {
 protected:
  fs::path MendedDelivery() {
    const fs::path d = CopyOf("import/construction", "delivery");
    Replace(d / "PHOTO/PHOTO.XML", "<写真ファイル名>p0000002.jpg<", "<写真ファイル名>P0000002.JPG<");
    fs::copy_file(d / "PHOTO/PIC/P0000001.JPG", d / "PHOTO/PIC/P0000003.JPG");
    fs::copy_file(d / "PHOTO/DRA/D0000001.JPG", d / "PHOTO/DRA/D0000002.JPG");
    Replace(d / "INDE_C05.DTD", "写真フォルダ名)*>",
            "写真フォルダ名|施工計画書フォルダ名|打合せ簿フォルダ名|その他フォルダ名)*>\r\n"
            "<!ELEMENT 施工計画書フォルダ名 (#PCDATA)>\r\n<!ELEMENT 打合せ簿フォルダ名 (#PCDATA)>\r\n"
            "<!ELEMENT その他フォルダ名 (#PCDATA)>");
    Replace(d / "INDEX_C.XML", "<写真フォルダ名>PHOTO</写真フォルダ名>",
            "<写真フォルダ名>PHOTO</写真フォルダ名>\r\n    <施工計画書フォルダ名>PLAN</施工計画書フォルダ名>\r\n"
            "    <打合せ簿フォルダ名>MEET</打合せ簿フォルダ名>\r\n    <その他フォルダ名>OTHRS</その他フォルダ名>");
    WriteBytes(d / "PLAN/PLAN05.DTD", Sj("<!ELEMENT plandata (計画書情報+)>\r\n"
                                         "<!ELEMENT 計画書情報 (施工計画書ファイル名)>\r\n"
                                         "<!ELEMENT 施工計画書ファイル名 (#PCDATA)>\r\n"));
    WriteBytes(d / "PLAN/PLAN.XML", Sj("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n"
                                       "<!DOCTYPE plandata SYSTEM \"PLAN05.DTD\">\r\n<plandata>\r\n"
                                       "<計画書情報><施工計画書ファイル名>PLAN01.PDF</施工計画書ファイル名></計画書情報>\r\n"
                                       "</plandata>\r\n"));
    WriteBytes(d / "PLAN/PLAN01.PDF", "%PDF-1.4\n");
    WriteBytes(d / "OTHRS/OTHRS05.DTD", Sj("<!ELEMENT othrsdata (#PCDATA)>\r\n"));
    WriteBytes(d / "OTHRS/OTHRS.XML", Sj("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n"
                                         "<!DOCTYPE othrsdata SYSTEM \"OTHRS05.DTD\">\r\n<othrsdata>その他</othrsdata>\r\n"));
    fs::create_directories(d / "MEET");
    WriteBytes(d / "MEET/MEET05.DTD", Sj("<!ELEMENT meetdata (#PCDATA)>\r\n"));
    WriteBytes(d / "MEET/MEET.XML", Sj("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n"
                                       "<!DOCTYPE meetdata SYSTEM \"MEET05.DTD\">\r\n<meetdata>打合せ</meetdata>\r\n"));
    return d;
  }
};

TEST_F(WholeDeliveryTest, EveryKindOfFaultOnceAndTheMendedDeliveryPasses) {
  const fs::path d = MendedDelivery();
  const Outcome mended = Zorview("--check --json " + Q(d));
  EXPECT_EQ(mended.status, 0) << mended.out << mended.err;
  EXPECT_EQ(ChecksOf(mended.out).count("file.extra 誤り"), 0u);
  const std::multiset<std::string> before = ChecksOf(mended.out);

  // One fault of each kind.
  Replace(d / "PHOTO/PHOTO.XML", "<写真タイトル>掘削状況 No.12<", "<写真タイトル>掘削状況①<");
  Replace(d / "PHOTO/PHOTO.XML", "<撮影箇所>No.12<", "<撮影箇所>ｱNo.12<");
  // A control character leaves a document not well-formed: MEET.XML is read
  // for its characters only.
  Replace(d / "MEET/MEET.XML", "<meetdata>打合せ<", "<meetdata>打合せ\x07<");
  Replace(d / "PHOTO/PHOTO.XML", "<請負者説明文>掘削の状況<", "<請負者説明文>掘削の状況Ａ<");
  Replace(d / "PHOTO/PHOTO.XML", "<写真タイトル>路体盛土状況<", "<写真タイトル><");
  Replace(d / "PHOTO/PHOTO.XML", "<写真区分>施工状況写真</写真区分>\r\n      <工種>道路土工</工種>\r\n      <種別>路体盛土工",
          "<写真区分>施工写真</写真区分>\r\n      <工種>道路土工</工種>\r\n      <種別>路体盛土工");
  WriteBytes(d / "PHOTO/PIC/Thumbs.db", "thumbs");
  fs::create_directories(d / "WORK");
  fs::remove_all(d / "OTHRS");
  fs::rename(d / "PHOTO/DRA", d / "PHOTO/dra");
  Replace(d / "PLAN/PLAN.XML", "</計画書情報>\r\n</plandata>",
          "</計画書情報>\r\n<計画書情報><施工計画書ファイル名>PLAN02.PDF</施工計画書ファイル名></計画書情報>\r\n</plandata>");
  const std::string plan = ReadBytes(d / "PLAN/PLAN.XML");
  WriteBytes(d / "PLAN/PLAN.XML", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" +
                                      Cp932ToUtf8(plan.substr(plan.find("?>") + 2)));
  WriteBytes(d / "PLAN/PLAN05.DTD", Cp932ToUtf8(ReadBytes(d / "PLAN/PLAN05.DTD")));
  fs::remove(d / "PHOTO/PIC/P0000003.JPG");
  const auto files = Contents(d);

  const Outcome faulty = Zorview("--check --json " + Q(d));
  EXPECT_EQ(faulty.status, 1) << faulty.err;
  std::multiset<std::string> found = ChecksOf(faulty.out);
  for (const std::string& kept : before)
    if (const auto at = found.find(kept); at != found.end()) found.erase(at);
  EXPECT_EQ(found, (std::multiset<std::string>{
                       "text.char 誤り", "text.kana 誤り", "text.control 誤り", "text.wide-alnum 参考",
                       "entry.missing 誤り", "entry.wrong 誤り", "file.extra 誤り", "folder.unknown 注意", "folder.missing 誤り",
                       "name.rule 誤り", "listed.missing 誤り", "xml.encoding 注意", "xml.dtd 誤り",
                       "file.missing 誤り"}))
      << faulty.out;
  EXPECT_EQ(Contents(d), files);
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
