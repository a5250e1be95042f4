// zorview --ledger run as users run it: on the construction fixture and on
// a generated delivery of 30 photos, with its options, and refusing to
// write into the delivery, into a folder that is not there or past a full
// disk.
#include <gtest/gtest.h>

#include <regex>

#include "camera_delivery.h"
#include "verb_run.h"

namespace zor::test {
namespace {

void WriteBytes(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// Each part found after the one before.
void ExpectInOrder(const std::string& text, const std::vector<std::string>& parts) {
  std::size_t at = 0;
  for (const std::string& part : parts) {
    const std::size_t found = text.find(part, at);
    EXPECT_NE(found, std::string::npos) << "not found after position " << at << ": " << part;
    if (found != std::string::npos) at = found + part.size();
  }
}

class LedgerVerbTest : public VerbRunTest {
 protected:
  static int Pages(const fs::path& pdf) {
    const std::string info = RunProgram("pdfinfo '" + pdf.string() + "'").out;
    std::smatch m;
    return std::regex_search(info, m, std::regex("Pages:\\s+(\\d+)")) ? std::stoi(m[1]) : -1;
  }
  static std::string Text(const fs::path& pdf) {
    return RunProgram("pdftotext -raw -enc UTF-8 '" + pdf.string() + "' -").out;
  }
  fs::path Generated() {
    const fs::path d = temp_ / "generated";
    CameraDelivery spec;
    spec.missing = {4};
    spec.longCaption = {5};
    spec.withDrawing = {6, 9};
    EXPECT_TRUE(WriteCameraDelivery(d, spec));
    return d;
  }
  // No file of the run's own is left in folder.
  static void ExpectNoTemporaryIn(const fs::path& folder) {
    for (const auto& e : fs::directory_iterator(folder))
      EXPECT_EQ(e.path().filename().string().find(".part-"), std::string::npos) << "left behind: " << e.path();
  }
};

TEST_F(LedgerVerbTest, TheGeneratedDeliveryWithEachChoice) {
  const fs::path delivery = Generated();
  const fs::path pdf = temp_ / "out" / "ledger.pdf";
  fs::create_directories(pdf.parent_path());
  struct Case {
    std::string options;
    int pages;
  };
  for (const Case& c : {Case{"", 1 + 10}, Case{"--per-page 2", 1 + 15}, Case{"--drawings", 1 + 11},
                        Case{"--only representative", 1 + 2}, Case{"--only frequency --per-page 2", 1 + 2}}) {
    const Outcome o = Zorview("--ledger " + Q(delivery) + " " + Q(pdf) + " " + c.options);
    ASSERT_EQ(o.status, 0) << c.options << "\n" << o.err;
    EXPECT_EQ(o.out, pdf.string() + "\n");
    EXPECT_EQ(Pages(pdf), c.pages) << c.options;
    ExpectNoTemporaryIn(pdf.parent_path());
  }
  // The tree's order: the work types as they first come (photo n under the
  // (n mod 3)th: 舗装工 1, 4 .. 28, then 排水構造物工 2, 5 .. 29, then 道路土工);
  // the last run printed every seventh photo of them.
  ExpectInOrder(Text(pdf), {"写真番号 1", "施工状況 No.7", "写真番号 2", "施工状況 No.28", "写真番号 3",
                            "施工状況 No.14", "写真番号 4", "施工状況 No.21"});

  const Outcome all = Zorview("--ledger " + Q(delivery) + " " + Q(pdf) + " --drawings");
  EXPECT_NE(all.err.find("（12 ページ、写真 30 枚、参考図 2 枚）"), std::string::npos) << all.err;
  EXPECT_NE(all.err.find("ファイルがない写真・参考図: 1 枚"), std::string::npos) << all.err;
  // Photo 5 is the second of 排水構造物工.
  EXPECT_NE(all.err.find("途中までを印刷した写真: 写真番号 12\n"), std::string::npos) << all.err;
  const std::string text = Text(pdf);
  ExpectInOrder(text, {"ファイルがありません", "PHOTO/PIC/P0000004.JPG", "写真番号 2", "施工状況 No.4",
                       "写真番号 12", "施工状況 No.5", "…", "写真番号 13", "施工状況 No.8",
                       // 道路土工: 3, 6, 9 ..., the drawings after their photos
                       "写真番号 22", "施工状況 No.6", "参考図 1（写真番号 22）", "D0000001.JPG", "平面図 No.6",
                       "写真番号 23", "施工状況 No.9", "参考図 1（写真番号 23）", "平面図 No.9"});
}

TEST_F(LedgerVerbTest, TheFixtureHoldsEveryPhotoAndItsItemsInOrder) {
  const fs::path pdf = temp_ / "fixture.pdf";
  const Outcome o = Zorview("--ledger " + Q(Data("import/construction")) + " " + Q(pdf));
  ASSERT_EQ(o.status, 0) << o.err;
  ExpectInOrder(Text(pdf), {"工事写真帳", "写真番号 1", "施工状況写真", "道路土工", "掘削状況 No.12", "No.12",
                            "2010 年 10 月 05 日", "H=1.2m", "写真番号 2", "路体盛土状況", "写真番号 3",
                            "品質管理写真", "締固め度試験"});
}

TEST_F(LedgerVerbTest, NeverIntoTheDeliveryNorAnywhereItCannotWrite) {
  const fs::path delivery = CopyOf("import/construction", "delivery");
  fs::create_symlink(delivery, temp_ / "link");
  for (const fs::path& out : {delivery / "ledger.pdf", delivery / "PHOTO/PIC/ledger.pdf", temp_ / "link/ledger.pdf"}) {
    const Outcome o = Zorview("--ledger " + Q(delivery) + " " + Q(out));
    EXPECT_EQ(o.status, 1) << out;
    EXPECT_NE(o.err.find("would lie inside the delivery"), std::string::npos) << o.err;
  }
  EXPECT_EQ(CountOf(RunProgram("find '" + delivery.string() + "' -name '*ledger*'").out, "ledger"), 0u);
  struct Case {
    fs::path out;
    std::string says;
  };
  fs::create_directories(temp_ / "folder.pdf");
  for (const Case& c : {Case{temp_ / "no/such/ledger.pdf", "no/such: no such folder"},
                        Case{temp_ / "folder.pdf", "folder.pdf: not a file name"}}) {
    const Outcome o = Zorview("--ledger " + Q(delivery) + " " + Q(c.out));
    EXPECT_EQ(o.status, 1) << c.out;
    EXPECT_NE(o.err.find(c.says), std::string::npos) << o.err;
  }
}

TEST_F(LedgerVerbTest, AFullDiskEndsTheRunAndLeavesNothingBehind) {
  const fs::path delivery = Generated();
  const fs::path pdf = temp_ / "out/ledger.pdf";
  fs::create_directories(pdf.parent_path());
  WriteBytes(pdf, "an earlier ledger");
  // No file may grow past 1 MB, which the work table stays below and the
  // ledger does not: its writes fail as on a full disk.
  const Outcome o = Zorview("--ledger " + Q(delivery) + " " + Q(pdf),
                            "sh -c 'trap \"\" XFSZ; ulimit -f 2048; exec \"$0\" \"$@\"'");
  EXPECT_EQ(o.status, 1);
  EXPECT_NE(o.err.find("PDFファイルを書き込めませんでした。"), std::string::npos) << o.err;
  EXPECT_NE(o.err.find(pdf.string()), std::string::npos) << o.err;
  EXPECT_EQ(ReadBytes(pdf), "an earlier ledger");
  ExpectNoTemporaryIn(pdf.parent_path());
}

TEST_F(LedgerVerbTest, UsageErrors) {
  for (const char* args : {"", "X", "X Y Z", "X Y --per-page 4", "X Y --per-page", "X Y --only all", "X Y --frames"}) {
    const Outcome o = Zorview(std::string("--ledger ") + args);
    EXPECT_EQ(o.status, 2) << args;
    EXPECT_NE(o.err.find("usage: zorview --ledger"), std::string::npos) << args;
  }
}

}  // namespace
}  // namespace zor::test
