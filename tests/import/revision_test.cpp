#include "import/revision.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace zor {
namespace {

struct Case {
  const char* name;
  std::string text;
  bool decided;
  PhotoLayout layout;
  int standard;
};

class RevisionTest : public testing::TestWithParam<Case> {};

TEST_P(RevisionTest, ChoosesTheReader) {
  const Case& c = GetParam();
  std::istringstream in(c.text);
  const auto rev = RecognizePhotoRevision(in);
  ASSERT_EQ(rev.has_value(), c.decided);
  if (!c.decided) return;
  EXPECT_EQ(rev->layout, c.layout);
  EXPECT_EQ(rev->standard, c.standard);
}

const std::string kDecl = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n";

INSTANTIATE_TEST_SUITE_P(
    Files, RevisionTest,
    testing::Values(
        Case{"Doctype1999", kDecl + "<!DOCTYPE photodata SYSTEM \"PHOTO.DTD\">\r\n<photodata>\r\n", true,
             PhotoLayout::k1999, 0},
        Case{"Doctype2002", kDecl + "<!DOCTYPE photodata SYSTEM \"PHOTO02.DTD\">\r\n", true, PhotoLayout::k2002, 1},
        Case{"Doctype2002Farm", kDecl + "<!DOCTYPE photodata SYSTEM \"PHOTO02N.DTD\">\r\n", true, PhotoLayout::k2002,
             10},
        Case{"DoctypeOther", kDecl + "<!DOCTYPE photodata SYSTEM \"PHOTO05.DTD\">\r\n", true, PhotoLayout::kCurrent, 0},
        // The tests run on upper-cased text.
        Case{"DoctypeLowerCase04", kDecl + "<!doctype photodata system \"photo04.dtd\">\r\n", true,
             PhotoLayout::kCurrent, 0},
        Case{"DoctypeLowerCase02", kDecl + "<!doctype photodata system \"photo02.dtd\">\r\n", true, PhotoLayout::k2002,
             1},
        // A DOCTYPE decides even over a DTD_version read before it.
        Case{"DoctypeFirst", "<photodata DTD_version=\"03\"><!DOCTYPE photodata SYSTEM \"PHOTO.DTD\">", true,
             PhotoLayout::k1999, 0},
        Case{"Version02", kDecl + "<photodata DTD_version=\"02\">\r\n", true, PhotoLayout::k2002, 1},
        Case{"Version02Farm", kDecl + "<photodata DTD_version=\"02_200304\">\r\n", true, PhotoLayout::k2002, 10},
        Case{"Version03", kDecl + "<photodata DTD_version=\"03\">\r\n", true, PhotoLayout::kCurrent, 0},
        Case{"Version04", kDecl + "<photodata DTD_version=\"04\">\r\n", true, PhotoLayout::kCurrent, 0},
        Case{"Version05Unknown", kDecl + "<photodata DTD_version=\"05\">\r\n<a>1</a>\r\n</photodata>\r\n", false,
             PhotoLayout::kCurrent, 0},
        // Lines are joined without separator, so a value split over two
        // lines is still seen.
        Case{"SplitOverLines", "<photodata DTD_ver\nsion=\"0\n4\">\n", true, PhotoLayout::kCurrent, 0},
        // The quotes belong to the value: 1024 and '03' are not versions.
        Case{"NumberWithoutQuotes", "<photodata DTD_version=1024 a='03'>", false, PhotoLayout::kCurrent, 0},
        // Text anywhere in the file counts, not only in the prolog.
        Case{"LateVersion", "<photodata>\n<x>\"04\"</x>\n<!-- DTD_version -->\n", true, PhotoLayout::kCurrent, 0},
        // Both 2002 values: the farm-works one decides.
        Case{"Both02Values", "<photodata DTD_version=\"02\" x=\"02_200304\">", true, PhotoLayout::k2002, 10},
        Case{"NoRootName", kDecl + "<other DTD_version=\"04\">\r\n", false, PhotoLayout::kCurrent, 0},
        Case{"Empty", "", false, PhotoLayout::kCurrent, 0}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

// A DOCTYPE that comes only after a 2002 version line: the version decides,
// because every line is tested as soon as it is read.
TEST(RevisionOrder, DecidesOnTheFirstLineThatAllowsIt) {
  std::istringstream in("<photodata DTD_version=\"02\">\n<!DOCTYPE photodata SYSTEM \"PHOTO.DTD\">\n");
  const auto rev = RecognizePhotoRevision(in);
  ASSERT_TRUE(rev);
  EXPECT_EQ(rev->layout, PhotoLayout::k2002);
}

// A large file without any decision is read to its end in linear time and
// gives no revision.
TEST(RevisionOrder, LongUndecidedFile) {
  std::string text = "<photodata DTD_version=\"05\">\r\n";
  for (int i = 0; i < 200000; ++i) text += "<a>0</a>\r\n";
  std::istringstream in(text);
  EXPECT_FALSE(RecognizePhotoRevision(in));
}

}  // namespace
}  // namespace zor
