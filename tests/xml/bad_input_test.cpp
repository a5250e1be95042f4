// Files no delivery should hold: each gives a result or a clear message,
// never a crash or a hang, with either parser.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <random>

#include "xml_test_support.h"

namespace zor {
namespace {

using testing::TempDir;

class BadInput : public ::testing::TestWithParam<bool> {
 protected:
  static constexpr int kBigElements = 2000;

  static void TearDownTestSuite() { bigDir_.reset(); }

  // 100 MB, mostly line feeds between a few thousand elements, written once
  // for both parsers and in blocks so that it stays fast.
  static std::string BigFile() {
    if (!bigDir_) {
      bigDir_ = std::make_unique<TempDir>();
      const std::string gap((100u << 20) / kBigElements, '\n');
      std::ofstream out(bigDir_->path() + "BIG.XML", std::ios::binary);
      out << "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<a>";
      for (int i = 0; i < kBigElements; ++i) out << "<b>" << i << "</b>" << gap;
      out << "</a>\n";
    }
    return bigDir_->path() + "BIG.XML";
  }

  bool Load(const std::string& bytes) { return LoadFile(dir_.Write("IN.XML", bytes)); }
  bool LoadFile(const std::string& file) {
    view_.MSXML = GetParam();
    return view_.ParseFile(file);
  }
  bool validating() const { return GetParam(); }

  TempDir dir_;
  TXMLTreeView view_;
  static inline std::unique_ptr<TempDir> bigDir_;
};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST_P(BadInput, MissingFileFailsQuietly) {
  EXPECT_FALSE(LoadFile(dir_.path() + "NONE.XML"));
  EXPECT_EQ(view_.ErrorText, "");
  EXPECT_FALSE(LoadFile(dir_.path()));  // a folder is no file
}

TEST_P(BadInput, EmptyAndOneByteFiles) {
  for (const char* bytes : {"", "<", "x"}) {
    bool ok = Load(bytes);
    // The own tokenizer reads them as empty trees; an XML parser needs a
    // document element.
    EXPECT_EQ(ok, !validating()) << "\"" << bytes << "\"";
    EXPECT_EQ(view_.NodeCount(), 0);
    if (validating()) {
      EXPECT_FALSE(view_.ErrorText.empty());
    }
  }
}

TEST_P(BadInput, BinaryData) {
  std::mt19937 rng(932);
  std::string bytes(1 << 16, '\0');
  for (char& c : bytes) c = static_cast<char>(rng());
  for (int i = 0; i < 256; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<char>(i);
  bool ok = Load(bytes);
  EXPECT_FALSE(ok);
  EXPECT_FALSE(view_.ErrorText.empty());
  // The own tokenizer keeps the elements it read before the fault, a tree
  // within the level limit; the validating parser gives nothing.
  if (validating()) {
    EXPECT_EQ(view_.NodeCount(), 0);
    return;
  }
  ASSERT_GT(view_.NodeCount(), 1);
  int previous = -1;
  for (const XmlNode& node : view_.Nodes()) {
    EXPECT_GE(node.Level, 0);
    EXPECT_LE(node.Level, previous + 1);
    EXPECT_LT(node.Level, kXmlMaxLevels);
    previous = node.Level;
  }
}

TEST_P(BadInput, TruncatedFile) {
  std::string whole = ReadAll(testing::kXmlData + "photo04/PHOTO.XML");
  ASSERT_GT(whole.size(), 1000u);
  for (std::size_t cut : {whole.size() / 3, whole.size() / 2, whole.size() - 3}) {
    SCOPED_TRACE(cut);
    EXPECT_FALSE(Load(whole.substr(0, cut)));
    EXPECT_FALSE(view_.ErrorText.empty());
    // The own tokenizer keeps what it read; a document that does not parse
    // gives the validating parser nothing to walk.
    EXPECT_EQ(view_.NodeCount() > 0, !validating());
  }
}

TEST_P(BadInput, Unbalanced) {
  EXPECT_FALSE(Load("<?xml version=\"1.0\"?>\n<a>\n<b>x</b>\n"));
  EXPECT_NE(Cp932ToUtf8(view_.ErrorText).find("行 > "), std::string::npos);
}

TEST_P(BadInput, ThirtyOneLevels) {
  std::string s;
  for (int i = 0; i < 31; ++i) s += "<e>";
  for (int i = 0; i < 31; ++i) s += "</e>";
  EXPECT_FALSE(Load(s));
  EXPECT_EQ(view_.NodeCount(), 30);
  // Only the own tokenizer has a report for it.
  EXPECT_EQ(view_.ErrorText.empty(), validating());
}

TEST_P(BadInput, DoctypeWithInternalSubset) {
  std::string doc =
      "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n"
      "<!DOCTYPE photodata [\n"
      "  <!ELEMENT photodata (写真情報)>\n"
      "  <!ELEMENT 写真情報 (#PCDATA)>\n"
      "  <!ATTLIST photodata DTD_version CDATA #FIXED \"04\">\n"
      "]>\n"
      "<photodata DTD_version=\"04\"><写真情報>v</写真情報></photodata>\n";
  ASSERT_TRUE(Load(Sj(doc))) << Cp932ToUtf8(view_.ErrorText);
  ASSERT_EQ(view_.NodeCount(), 2);
  EXPECT_EQ(NodeValue(view_.NodeAt(1)), "v");
}

TEST_P(BadInput, InvalidShiftJisPairs) {
  // 0x85 0x40 is an unassigned row, 0x81 0x20 a lead byte with no trail,
  // 0xA0 and 0xFD no characters at all.
  std::string value = "a\x85\x40 b\x81\x20 c\xA0\xFD";
  bool ok = Load("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<a>\n<b>" + value + "</b>\n</a>\n");
  if (validating()) {
    EXPECT_FALSE(ok);
    std::string text = Cp932ToUtf8(view_.ErrorText);
    EXPECT_FALSE(text.empty());
    EXPECT_NE(text.find("行 > 3"), std::string::npos) << text;
  } else {
    // The own tokenizer carries the bytes as they are.
    ASSERT_TRUE(ok);
    ASSERT_EQ(view_.NodeCount(), 2);
    EXPECT_EQ(NodeValue(view_.NodeAt(1)), value);
  }
}

TEST_P(BadInput, HundredMegabytes) {
  ASSERT_TRUE(LoadFile(BigFile())) << Cp932ToUtf8(view_.ErrorText);
  ASSERT_EQ(view_.NodeCount(), kBigElements + 1);
  EXPECT_EQ(NodeValue(view_.NodeAt(kBigElements)), std::to_string(kBigElements - 1));
}

INSTANTIATE_TEST_SUITE_P(BothParsers, BadInput, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& p) { return p.param ? "Validating" : "Own"; });

}  // namespace
}  // namespace zor
