// The checks on the real deliveries of ../shared/samples/real, when that
// folder exists: both were published without their index DTD and without
// the folders their index names beside PHOTO; their photo files validate
// against the PHOTO05.DTD beside them.
#include <gtest/gtest.h>

#include <filesystem>
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

// check, severity, file, message: UTF-8, one line per finding.
std::vector<std::string> Lines(const std::vector<Finding>& findings) {
  std::vector<std::string> lines;
  for (const Finding& f : findings)
    lines.push_back(f.check + " " + Cp932ToUtf8(SeverityText(f.severity)) + " " + Cp932ToUtf8(f.file) + " " +
                    Cp932ToUtf8(f.message));
  return lines;
}

struct Sample {
  const char* name;
  std::vector<std::string> expected;
};

TEST(RealSamples, GiveTheirMissingDtdAndFolders) {
  const auto missing = [](const char* folder, const char* element) {
    return std::string("folder.missing 誤り ") + folder + " 索引ファイルの " + element +
           " が示すフォルダがありません。";
  };
  const Sample samples[] = {
      {"services-2022",
       {"xml.dtd 誤り INDEX_D.XML INDE_D06.DTD がありません。", missing("REPORT", "報告書フォルダ名"),
        missing("DRAWING", "図面フォルダ名"), missing("BORING", "地質データフォルダ名")}},
      {"services-example",
       {"xml.dtd 誤り INDEX_D.XML INDE_D05.DTD がありません。", missing("REPORT", "報告書フォルダ名"),
        missing("DRAWING", "図面フォルダ名"), missing("SURVEY", "測量データフォルダ名"),
        missing("BORING", "地質データフォルダ名")}},
  };
  for (const Sample& sample : samples) {
    SCOPED_TRACE(sample.name);
    const std::string root = std::string(ZOR_SAMPLES_REAL) + "/" + sample.name + "/";
    if (!fs::exists(root)) GTEST_SKIP() << "no real samples at " << root;
    const auto before = test::HashTree(root);
    DeliveryLayout layout;
    layout.root = root;
    layout.indexFile = root + "INDEX_D.XML";
    layout.photoFile = root + "PHOTO/PHOTO.XML";
    layout.fourCharExtensions = true;  // 土木201903-01 and 土木202003-01
    const ManagementFilesResult management = CheckManagementFiles(layout);
    std::vector<Finding> all = management.findings;
    for (const Finding& f : CheckFolders(layout, management.listed)) all.push_back(f);
    EXPECT_EQ(Lines(all), sample.expected);
    ASSERT_EQ(management.files.size(), 2u);
    EXPECT_EQ(Cp932ToUtf8(management.files[0].shown), "INDEX_D.XML");
    EXPECT_EQ(Cp932ToUtf8(management.files[1].shown), "PHOTO/PHOTO.XML");
    for (const ManagementFile& f : management.files) EXPECT_EQ(f.encoding, XmlEncoding::kShiftJis);
    EXPECT_EQ(test::HashTree(root), before);
  }
}

}  // namespace
}  // namespace zor
