// The scan that keeps elements of thousands of attributes away from libxml2.
#include <gtest/gtest.h>

#include <string>

#include "xml/attribute_bound.h"
#include "xml_test_support.h"

namespace zor {
namespace {

using testing::TempDir;

std::string Attributes(int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += " a" + std::to_string(i) + "=\"v\"";
  return s;
}

TEST(AttributeBound, CountsOnlyTheAttributesOfStartTags) {
  const int limit = kMaxAttributesPerElement;
  struct Case {
    const char* name;
    std::string text;
    long line;  // 0: nothing found
  } cases[] = {
      {"at the bound", "<a" + Attributes(limit) + "/>", 0},
      {"past the bound", "<r>\n<x/>\n<a" + Attributes(limit + 1) + ">t</a></r>", 3},
      {"equals signs in values", "<a v=\"" + std::string(1000, '=') + "\" w='==='/>", 0},
      {"a comment", "<!-- " + Attributes(limit + 1) + " --><a/>", 0},
      {"a processing instruction", "<?pi " + Attributes(limit + 1) + " ?><a/>", 0},
      {"CDATA", "<a><![CDATA[<b" + Attributes(limit + 1) + ">]]></a>", 0},
      {"the internal subset", "<!DOCTYPE a [<!ATTLIST a x CDATA \"=\"> <!-- " + Attributes(limit + 1) + " -->]><a/>",
       0},
      {"text and end tags", "<a>" + Attributes(limit + 1) + "</a" + Attributes(limit + 1) + ">", 0},
  };
  TempDir dir;
  for (const Case& c : cases) {
    const std::string file = dir.Write("A.XML", c.text);
    const std::optional<AttributeExcess> excess = FindAttributeExcess(file);
    EXPECT_EQ(excess ? excess->line : 0, c.line) << c.name;
    if (excess) {
      EXPECT_TRUE(excess->perElement) << c.name;
    }
  }
  EXPECT_FALSE(FindAttributeExcess(dir.path() + "missing.xml"));
}

TEST(AttributeBound, TheDocumentsTotalIsBoundToo) {
  TempDir dir;
  std::string text = "<r>\n";
  const int per = 200;
  for (long total = 0; total <= kMaxAttributesInDocument; total += per) text += "<e" + Attributes(per) + "/>\n";
  text += "</r>\n";
  const std::optional<AttributeExcess> excess = FindAttributeExcess(dir.Write("MANY.XML", text));
  ASSERT_TRUE(excess);
  EXPECT_FALSE(excess->perElement);
  EXPECT_EQ(excess->line, kMaxAttributesInDocument / per + 2);
}

}  // namespace
}  // namespace zor
