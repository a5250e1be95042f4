// For a valid file whose values have no surrounding blanks both parsers give
// the same levels, names and values; the own tokenizer keeps attributes in
// Text and trims values, the validating parser does neither.
#include <gtest/gtest.h>

#include <filesystem>

#include "text/sjis.h"
#include "xml/load_document.h"
#include "xml_test_support.h"

namespace zor {
namespace {

std::string NameWithoutAttributes(const std::string& text) { return text.substr(0, text.find_first_of(" \t")); }

void ExpectSameTree(const std::string& file, bool validate, bool trimValidatingValues) {
  TXMLTreeView own;
  ASSERT_TRUE(own.ParseFile(file)) << file << ": " << Cp932ToUtf8(own.ErrorText);

  TXMLTreeView full;
  full.MSXML = true;
  full.Parse = validate;
  ASSERT_TRUE(full.ParseFile(file)) << file << ": " << Cp932ToUtf8(full.ErrorText);

  ASSERT_EQ(own.NodeCount(), full.NodeCount()) << file;
  for (int i = 0; i < own.NodeCount(); ++i) {
    const XmlNode& a = own.NodeAt(i);
    const XmlNode& b = full.NodeAt(i);
    SCOPED_TRACE(file + " node " + std::to_string(i) + " " + Cp932ToUtf8(b.Text));
    EXPECT_EQ(a.Level, b.Level);
    EXPECT_EQ(NameWithoutAttributes(a.Text), b.Text);
    EXPECT_EQ(a.Parent, b.Parent);
    std::string value = trimValidatingValues ? TrimWide(NodeValue(b)) : NodeValue(b);
    EXPECT_EQ(NodeValue(a), value);
  }
}

class Fixture : public ::testing::TestWithParam<const char*> {};

TEST_P(Fixture, BothParsersGiveTheSameTree) { ExpectSameTree(testing::kXmlData + GetParam(), true, false); }

INSTANTIATE_TEST_SUITE_P(EveryRevision, Fixture,
                         ::testing::Values("photo01/PHOTO.XML", "photo02/PHOTO.XML", "photo02n/PHOTO.XML",
                                           "photo03/PHOTO.XML", "photo04/PHOTO.XML", "photo05/PHOTO.XML",
                                           "index_c/INDEX_C.XML", "index_d/INDEX_D.XML"));

TEST(RealSamples, BothParsersGiveTheSameTree) {
  namespace fs = std::filesystem;
  fs::path root = ZOR_SAMPLES_REAL;
  if (!fs::is_directory(root)) GTEST_SKIP() << "no real samples at " << root;
  int seen = 0;
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(root)) {
    std::string name = e.path().filename().string();
    if (name != "PHOTO.XML" && name != "INDEX_C.XML" && name != "INDEX_D.XML") continue;
    ++seen;
    // Validate where the delivery carries its DTD; the indexes name DTDs
    // that were not published with them.
    std::string dtd;
    for (const fs::directory_entry& s : fs::directory_iterator(e.path().parent_path()))
      if (s.path().extension() == ".DTD") dtd = s.path().string();
    // Real values may carry blanks that only the own tokenizer trims.
    ExpectSameTree(e.path().string(), !dtd.empty(), true);
  }
  EXPECT_GT(seen, 0);
}

TEST(RealSamples, PhotoFilesValidateAgainstTheirShiftJisDtds) {
  namespace fs = std::filesystem;
  fs::path root = ZOR_SAMPLES_REAL;
  if (!fs::is_directory(root)) GTEST_SKIP() << "no real samples at " << root;
  for (const char* delivery : {"services-2022", "services-example"}) {
    fs::path file = root / delivery / "PHOTO" / "PHOTO.XML";
    ASSERT_TRUE(fs::exists(file)) << file;
    Host host;
    TXMLTreeView view;
    EXPECT_TRUE(LoadXmlDocument(view, file.string(), false, true, host)) << Cp932ToUtf8(view.ErrorText);
    EXPECT_TRUE(view.Parse) << "validated without the retry";
  }
}

}  // namespace
}  // namespace zor
