// The folder, name and management-file checks on small deliveries written
// by the tests: each fault alone and all together reported exactly once
// with its id and severity, the mended delivery giving nothing, and the
// delivery unchanged afterwards.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/temp_folder.h"
#include "check/delivery_folders.h"
#include "check/management_files.h"
#include "delivery_fixture.h"
#include "text/encoding.h"

namespace zor {
namespace {

namespace fs = std::filesystem;

std::string Describe(const std::vector<Finding>& findings) {
  std::string text;
  for (const Finding& f : findings)
    text += "  " + f.check + " " + Cp932ToUtf8(SeverityText(f.severity)) + " [" + Cp932ToUtf8(f.file) + "] " +
            Cp932ToUtf8(f.message) + "\n";
  return text;
}

// What a test expects of one finding: its id, severity, file (UTF-8) and
// a piece of its message (UTF-8).
struct Expected {
  const char* check;
  Severity severity;
  const char* file;
  const char* message;
};

bool Matches(const Finding& f, const Expected& e) {
  return f.check == e.check && f.severity == e.severity && Cp932ToUtf8(f.file) == e.file &&
         Cp932ToUtf8(f.message).find(e.message) != std::string::npos;
}

// Every finding matches exactly one expectation and every expectation one finding.
void ExpectExactly(const std::vector<Finding>& findings, const std::vector<Expected>& expected) {
  for (const Expected& e : expected) {
    const auto n = std::count_if(findings.begin(), findings.end(), [&](const Finding& f) { return Matches(f, e); });
    EXPECT_EQ(n, 1) << e.check << " [" << e.file << "] " << e.message << "\n" << Describe(findings);
  }
  EXPECT_EQ(findings.size(), expected.size()) << Describe(findings);
}

class DeliveryCheckTest : public ::testing::Test {
 protected:
  std::string Root(const std::string& name = "DELIVERY") const { return temp_.path() + name + "/"; }
  std::string Outside() const { return temp_.path() + "OUTSIDE/"; }

  // Both checks as the whole-delivery check runs them.
  std::vector<Finding> Check(const DeliveryLayout& layout) {
    management_ = CheckManagementFiles(layout);
    std::vector<Finding> all = management_.findings;
    const std::vector<Finding> folders = CheckFolders(layout, management_.listed);
    all.insert(all.end(), folders.begin(), folders.end());
    return all;
  }

  std::vector<Finding> WriteAndCheck(const test::Faults& faults, const std::string& name = "DELIVERY") {
    test::WriteDelivery(Root(name), Outside(), faults);
    test::MakeLayout(Root(name), fixture_);
    return Check(fixture_.layout);
  }

  TempFolder temp_;
  test::FixtureLayout fixture_;
  ManagementFilesResult management_;
};

TEST_F(DeliveryCheckTest, MendedDeliveryGivesNothingAndListsItsManagementFiles) {
  const std::vector<Finding> findings = WriteAndCheck({});
  EXPECT_TRUE(findings.empty()) << Describe(findings);
  std::vector<std::string> shown;
  for (const ManagementFile& m : management_.files) {
    shown.push_back(Cp932ToUtf8(m.shown));
    EXPECT_EQ(m.encoding, XmlEncoding::kShiftJis) << m.path;
    EXPECT_TRUE(fs::is_regular_file(m.path)) << m.path;
  }
  EXPECT_EQ(shown, (std::vector<std::string>{"INDEX_C.XML", "PHOTO/PHOTO.XML", "PLAN/PLAN.XML", "MEET/MEET.XML"}));
}

const Expected kThumbs{"file.extra", Severity::kError, "PHOTO/PIC/Thumbs.db", "サムネイル"};
const Expected kLowerCase{"name.rule", Severity::kError, "PLAN/ORG/plan01_1.doc",
                          "管理ファイルに記載の名前「PLAN01_1.DOC」と大文字・小文字だけが異なります。"};
const Expected kTooLong{"name.rule", Severity::kError, "MEET/MEETING01.PDF",
                        "拡張子を除く名前が 8 文字を超えています（9 文字）。"};
const Expected kMissingFolder{"folder.missing", Severity::kError, "DRAWINGF",
                              "索引ファイルの 完成図フォルダ名 が示すフォルダがありません。"};
const Expected kUnknownFolder{"folder.unknown", Severity::kWarning, "WORK", "索引ファイルが示すフォルダではなく"};
const Expected kLinkOut{"folder.missing", Severity::kError, "OTHRS", "フォルダの外を指すリンクのため読み込みません"};
const Expected kOtherDtd{"xml.dtd", Severity::kError, "INDEX_C.XML",
                         "INDE_C09.DTD がありません（INDE_C05.DTD があります）。"};
const Expected kUtf8{"xml.encoding", Severity::kWarning, "MEET/MEET.XML", "文字コードが UTF-8 です。"};
const Expected kListedMissing{"listed.missing", Severity::kError, "PLAN/PLAN02.PDF",
                              "PLAN/PLAN.XML に記載のファイルがありません。"};
const Expected kInvalid{"xml.dtd", Severity::kError, "PHOTO/PHOTO.XML", "DTD（PHOTO05.DTD）に適合しません: "};
const Expected kNoManagementFile{"xml.dtd", Severity::kError, "REGISTER/REGISTER.XML", "管理ファイルがありません"};

TEST_F(DeliveryCheckTest, EveryFaultAloneGivesItsOneFinding) {
  struct Case {
    bool test::Faults::*fault;
    Expected expected;
  };
  const Case cases[] = {
      {&test::Faults::thumbs, kThumbs},
      {&test::Faults::lowerCaseListed, kLowerCase},
      {&test::Faults::tooLong, kTooLong},
      {&test::Faults::missingFolder, kMissingFolder},
      {&test::Faults::unknownFolder, kUnknownFolder},
      {&test::Faults::linkOut, kLinkOut},
      {&test::Faults::otherDtd, kOtherDtd},
      {&test::Faults::utf8File, kUtf8},
      {&test::Faults::listedMissing, kListedMissing},
      {&test::Faults::invalid, kInvalid},
      {&test::Faults::missingManagement, kNoManagementFile},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected.file);
    test::Faults faults;
    faults.*c.fault = true;
    ExpectExactly(WriteAndCheck(faults, "D" + std::to_string(++n)), {c.expected});
  }
}

TEST_F(DeliveryCheckTest, AllFaultsTogetherEachOnceAndTheDeliveryUnchanged) {
  test::Faults all;
  all.thumbs = all.lowerCaseListed = all.tooLong = all.missingFolder = all.unknownFolder = all.linkOut = true;
  all.otherDtd = all.utf8File = all.listedMissing = all.invalid = all.missingManagement = true;
  test::WriteDelivery(Root(), Outside(), all);
  test::MakeLayout(Root(), fixture_);
  const auto before = test::HashTree(temp_.path());
  const std::vector<Finding> findings = Check(fixture_.layout);
  EXPECT_EQ(test::HashTree(temp_.path()), before);
  ExpectExactly(findings, {kThumbs, kLowerCase, kTooLong, kMissingFolder, kUnknownFolder, kLinkOut, kOtherDtd, kUtf8,
                           kListedMissing, kInvalid, kNoManagementFile});

  // The findings carry the element and the line where they know them.
  for (const Finding& f : findings) {
    if (f.check == "folder.missing" && Cp932ToUtf8(f.file) == "DRAWINGF") {
      EXPECT_EQ(Cp932ToUtf8(f.item), "完成図フォルダ名");
    }
    if (f.check == "listed.missing") {
      EXPECT_EQ(Cp932ToUtf8(f.item), "施工計画書ファイル名");
    }
    if (f.check == "xml.dtd" && Cp932ToUtf8(f.file) == "PHOTO/PHOTO.XML") {
      EXPECT_EQ(f.line, 5);
    }
  }
  // A management file written in UTF-8 is still read: the character scan gets it.
  const auto meet = std::find_if(management_.files.begin(), management_.files.end(),
                                 [](const ManagementFile& m) { return Cp932ToUtf8(m.shown) == "MEET/MEET.XML"; });
  ASSERT_NE(meet, management_.files.end());
  EXPECT_EQ(meet->encoding, XmlEncoding::kUtf8);
}

TEST_F(DeliveryCheckTest, AnOriginalFileInAnUnnamedSubfolderIsFound) {
  test::Faults faults;
  faults.unnamedMeetOrg = true;
  ExpectExactly(WriteAndCheck(faults), {{"folder.unknown", Severity::kWarning, "MEET/ORG",
                                         "MEET フォルダの中の、索引ファイルにも管理ファイルにも"}});
}

TEST_F(DeliveryCheckTest, WithoutIndexOnlyThePhotoFolderIsCheckedAndThatIsSaidOnce) {
  test::WriteDelivery(Root(), Outside(), {});
  // Whatever lies beside PHOTO is the user's, not the delivery's.
  fs::create_directories(Root() + "my documents/x");
  std::ofstream(Root() + "Thumbs.db") << "x";
  fs::create_directories(Root() + "PHOTO/PIC/OLD");
  test::MakeLayout(Root(), fixture_);
  fixture_.layout.indexFile.clear();
  ExpectExactly(Check(fixture_.layout),
                {{"folder.missing", Severity::kNote, "", "索引ファイル（INDEX_C.XML・INDEX_D.XML）がないため"},
                 {"folder.unknown", Severity::kWarning, "PHOTO/PIC/OLD", "PIC フォルダの中の"}});
  ASSERT_EQ(management_.files.size(), 1u);
  EXPECT_EQ(Cp932ToUtf8(management_.files[0].shown), "PHOTO/PHOTO.XML");
}

TEST_F(DeliveryCheckTest, NamesFromDiskAreShownEscaped) {
  test::WriteDelivery(Root(), Outside(), {});
  std::ofstream(Root() + "PHOTO/PIC/A\nB.JPG") << "x";
  std::ofstream(Root() + "PHOTO/PIC/\xFF\x01.JPG") << "x";
  test::MakeLayout(Root(), fixture_);
  ExpectExactly(Check(fixture_.layout), {{"name.rule", Severity::kError, "PHOTO/PIC/A\\nB.JPG", "使えない文字 「\\n」"},
                                         {"name.rule", Severity::kError, "PHOTO/PIC/\\xFF\\x01.JPG", "使えない文字"}});
}

TEST_F(DeliveryCheckTest, AnUnwantedFolderIsNamedOnceWithoutItsContent) {
  test::WriteDelivery(Root(), Outside(), {});
  fs::create_directories(Root() + "__MACOSX/PHOTO");
  std::ofstream(Root() + "__MACOSX/PHOTO/._PHOTO.XML") << "x";
  std::ofstream(Root() + "PLAN/~$PLAN01.DOC") << "x";
  std::ofstream(Root() + "PLAN/.hidden") << "x";
  test::MakeLayout(Root(), fixture_);
  ExpectExactly(Check(fixture_.layout), {{"file.extra", Severity::kError, "__MACOSX", "不要なフォルダです"},
                                         {"file.extra", Severity::kError, "PLAN/~$PLAN01.DOC", "Office"},
                                         {"file.extra", Severity::kError, "PLAN/.hidden", "隠しファイル"}});
}

TEST_F(DeliveryCheckTest, FourCharacterExtensionsFollowTheGuideline) {
  test::WriteDelivery(Root(), Outside(), {});
  std::ofstream(Root() + "PLAN/ORG/PLAN01_2.DOCX") << "x";
  test::MakeLayout(Root(), fixture_);
  ExpectExactly(Check(fixture_.layout), {{"name.rule", Severity::kError, "PLAN/ORG/PLAN01_2.DOCX",
                                          "拡張子が 3 文字を超えています（4 文字）。"}});
  fixture_.layout.fourCharExtensions = true;
  ExpectExactly(Check(fixture_.layout), {});
}

TEST_F(DeliveryCheckTest, ADtdThatIsNoFileOrLeadsOutIsNotRead) {
  test::WriteDelivery(Root(), Outside(), {});
  fs::remove(Root() + "PLAN/PLAN05.DTD");
  ASSERT_EQ(mkfifo((Root() + "PLAN/PLAN05.DTD").c_str(), 0600), 0);
  fs::create_directories(Outside());
  std::ofstream(Outside() + "MEET05.DTD") << "<!ELEMENT meetdata ANY>";
  fs::remove(Root() + "MEET/MEET05.DTD");
  fs::create_symlink(Outside() + "MEET05.DTD", Root() + "MEET/MEET05.DTD");
  test::MakeLayout(Root(), fixture_);
  ExpectExactly(
      Check(fixture_.layout),
      {{"xml.dtd", Severity::kError, "PLAN/PLAN.XML", "PLAN05.DTD は通常のファイルでないため読み込みません。"},
       {"xml.dtd", Severity::kError, "MEET/MEET.XML", "MEET05.DTD は管理ファイルのフォルダの外を指すリンク"}});
}

TEST_F(DeliveryCheckTest, AManagementFileThatIsNotWellFormedIsSaidWithItsLine) {
  test::WriteDelivery(Root(), Outside(), {});
  std::ofstream(Root() + "PLAN/PLAN.XML", std::ios::app) << "<plandata>\n<broken";
  test::MakeLayout(Root(), fixture_);
  const std::vector<Finding> findings = Check(fixture_.layout);
  ExpectExactly(findings, {{"xml.dtd", Severity::kError, "PLAN/PLAN.XML", "XML の書式に誤りがあり読み込めません: "}});
  EXPECT_GT(findings[0].line, 0);
  EXPECT_EQ(Cp932ToUtf8(findings[0].message).find('\n'), std::string::npos);
}

// A medium read in lower case (ISO 9660 without extensions) shows every
// name lowered: the names are still found, and said once.
TEST_F(DeliveryCheckTest, ADeliveryOfLowerCaseNamesIsSaidOnce) {
  test::WriteDelivery(Root(), Outside(), {});
  std::vector<fs::path> paths;
  for (auto it = fs::recursive_directory_iterator(Root()); it != fs::recursive_directory_iterator(); ++it)
    paths.push_back(it->path());
  std::sort(paths.rbegin(), paths.rend());  // the deepest first
  for (const fs::path& p : paths) {
    std::string lower = p.filename().string();
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    fs::rename(p, p.parent_path() / lower);
  }
  test::MakeLayout(Root(), fixture_);
  fixture_.pictures.entries[0].file = Root() + "photo/pic/p0000001.jpg";
  fixture_.pictures.folders = {Root() + "photo/pic/"};
  fixture_.layout.indexFile = Root() + "index_c.xml";
  fixture_.layout.photoFile = Root() + "photo/photo.xml";
  ExpectExactly(Check(fixture_.layout),
                {{"name.rule", Severity::kWarning, "", "すべてのフォルダ名・ファイル名が小文字です（19 件）。"}});
  EXPECT_EQ(management_.files.size(), 4u);
}

}  // namespace
}  // namespace zor
