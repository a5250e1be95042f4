#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "text/encoding.h"
#include "xml/load_document.h"
#include "xml_test_support.h"

namespace zor {
namespace {

using testing::TempDir;

// Answers confirmations as told and records what the load showed.
class RecordingHost : public Host {
 public:
  explicit RecordingHost(bool answer) : answer_(answer) {}
  bool ConfirmYesCancel(const std::string& text) override {
    questions.push_back(text);
    return answer_;
  }
  void ShowInformation(const std::string& text) override { shown.push_back(text); }
  void Beep() override { ++beeps; }

  std::vector<std::string> questions;
  std::vector<std::string> shown;
  int beeps = 0;

 private:
  bool answer_;
};

class LoadXmlDocumentTest : public ::testing::Test {
 protected:
  std::string Invalid() {
    dir_.Write("P.DTD", "<!ELEMENT a (b)>\n<!ELEMENT b (#PCDATA)>\n");
    return dir_.Write("INVALID.XML", "<?xml version=\"1.0\"?>\n<!DOCTYPE a SYSTEM \"P.DTD\">\n<a><c>x</c></a>\n");
  }
  std::string Broken() { return dir_.Write("BROKEN.XML", "<?xml version=\"1.0\"?>\n<a><b>x</a>\n"); }

  TempDir dir_;
};

std::string Question(const std::string& errorText) {
  return errorText + "\r\n\r\n" + Sj("検証結果に問題がありました。") + "\r\n" +
         Sj("ウェルフォームドXML文書として強制的に読み込みますか？");
}

TEST_F(LoadXmlDocumentTest, ValidFileLoadsWithoutAQuestion) {
  RecordingHost host(false);
  TXMLTreeView view;
  ASSERT_TRUE(LoadXmlDocument(view, testing::kXmlData + "photo05/PHOTO.XML", true, true, host));
  EXPECT_TRUE(view.GamenPrint);
  EXPECT_TRUE(view.MSXML);
  EXPECT_TRUE(view.Parse);
  EXPECT_FALSE(view.ErrorMessage);
  EXPECT_TRUE(host.questions.empty());
  EXPECT_GT(view.NodeCount(), 0);
}

TEST_F(LoadXmlDocumentTest, FailedValidationAsksAndCancelKeepsTheFailure) {
  RecordingHost host(false);
  TXMLTreeView view;
  EXPECT_FALSE(LoadXmlDocument(view, Invalid(), false, true, host));
  ASSERT_EQ(host.questions.size(), 1u);
  EXPECT_FALSE(view.ErrorText.empty());
  EXPECT_EQ(host.questions[0], Question(view.ErrorText));
  EXPECT_EQ(host.beeps, 0);
  EXPECT_TRUE(host.shown.empty());
}

// A FIFO in the document's own place is refused by both parsers at once.
TEST_F(LoadXmlDocumentTest, AFifoAsTheDocumentIsRefusedAtOnce) {
  const std::string fifo = dir_.path() + "FIFO.XML";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  for (bool validating : {true, false}) {
    RecordingHost host(true);
    TXMLTreeView view;
    EXPECT_FALSE(LoadXmlDocument(view, fifo, false, validating, host)) << validating;
    EXPECT_EQ(view.NodeCount(), 0) << validating;
  }
}

// A FIFO in the DTD's place is never opened: the load goes on as for a
// missing DTD (the question, then the file without validation).
TEST_F(LoadXmlDocumentTest, AFifoAsTheDtdDoesNotHangTheLoad) {
  const std::string file = dir_.Write("PIPE.XML", "<?xml version=\"1.0\"?>\n<!DOCTYPE a SYSTEM \"PIPE.DTD\">\n<a>x</a>\n");
  const std::string fifo = file.substr(0, file.size() - 3) + "DTD";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  RecordingHost host(true);
  TXMLTreeView view;
  ASSERT_TRUE(LoadXmlDocument(view, file, false, true, host));
  EXPECT_EQ(host.questions.size(), 1u);
  EXPECT_FALSE(view.Parse);
  EXPECT_EQ(view.NodeCount(), 1);
}

// An element of very many attributes never reaches libxml2: the question
// names the line, and Yes reads the file with the own tokenizer.
TEST_F(LoadXmlDocumentTest, AnElementOfTooManyAttributesIsAskedAbout) {
  std::string attributes;
  for (int i = 0; i < 20000; ++i) attributes += " a" + std::to_string(i) + "=\"v\"";
  const std::string file = dir_.Write("MANY.XML", "<?xml version=\"1.0\"?>\n<r>\n<e" + attributes + "/>\n</r>\n");
  RecordingHost host(true);
  TXMLTreeView view;
  ASSERT_TRUE(LoadXmlDocument(view, file, false, true, host));
  ASSERT_EQ(host.questions.size(), 1u);
  EXPECT_TRUE(host.questions[0].starts_with(Sj("属性が 256 個を超える要素があります。"))) << host.questions[0];
  EXPECT_NE(host.questions[0].find(Sj("行 > 3")), std::string::npos);
  EXPECT_FALSE(view.Parse);
  EXPECT_GE(view.NodeCount(), 2);
}

// Nothing outside the DTD is read on a document's behalf: an external entity
// (in the content or through a parameter entity of the internal subset)
// reads as empty text and is named in a message; a DTD that is a link out of
// its folder is not read.
TEST_F(LoadXmlDocumentTest, OnlyTheDtdIsReadAndOnlyInsideItsFolder) {
  TempDir outside;
  const std::string secret = outside.Write("secret.txt", "SECRET");
  const std::string dtd = "<!ELEMENT a (#PCDATA)>\n";
  dir_.Write("A.DTD", dtd);
  std::filesystem::create_symlink(secret, dir_.path() + "leak.txt");
  std::filesystem::create_symlink(outside.Write("OUT.DTD", dtd), dir_.path() + "LINK.DTD");
  struct Case {
    const char* name;
    std::string text;
    const char* notice;  // the start of the one message, nullptr: none
    bool question;       // the DTD could not be read: the validation question
  } cases[] = {
      {"general entity", "<!DOCTYPE a SYSTEM \"A.DTD\" [<!ENTITY leak SYSTEM \"leak.txt\">]>\n<a>&leak;</a>\n",
       "外部実体「leak.txt」は読み込みません", false},
      {"parameter entity", "<!DOCTYPE a SYSTEM \"A.DTD\" [<!ENTITY % p SYSTEM \"leak.txt\"> %p;]>\n<a>x</a>\n",
       "外部実体「leak.txt」は読み込みません", false},
      {"linked DTD", "<!DOCTYPE a SYSTEM \"LINK.DTD\">\n<a>x</a>\n", "納品データのフォルダの外を指すため読み込みません: LINK.DTD",
       true},
      {"plain DTD", "<!DOCTYPE a SYSTEM \"A.DTD\">\n<a>x</a>\n", nullptr, false},
  };
  for (const Case& c : cases) {
    RecordingHost host(true);
    TXMLTreeView view;
    const std::string file = dir_.Write("E.XML", "<?xml version=\"1.0\"?>\n" + c.text);
    EXPECT_TRUE(LoadXmlDocument(view, file, false, true, host)) << c.name;
    EXPECT_EQ(!host.questions.empty(), c.question) << c.name;
    for (const XmlNode& node : view.Nodes())
      EXPECT_EQ(NodeValue(node).find("SECRET"), std::string::npos) << c.name;
    if (c.notice) {
      ASSERT_FALSE(host.shown.empty()) << c.name;
      EXPECT_TRUE(host.shown[0].starts_with(Sj(c.notice))) << c.name << ": " << Cp932ToUtf8(host.shown[0]);
    } else {
      EXPECT_TRUE(host.shown.empty()) << c.name;
    }
  }
}

TEST_F(LoadXmlDocumentTest, YesLoadsTheFileAgainWithoutValidation) {
  RecordingHost host(true);
  TXMLTreeView view;
  ASSERT_TRUE(LoadXmlDocument(view, Invalid(), false, true, host));
  EXPECT_FALSE(view.Parse);
  EXPECT_TRUE(view.ErrorMessage);
  EXPECT_EQ(view.NodeCount(), 2);
  EXPECT_EQ(host.questions.size(), 1u);
  EXPECT_EQ(host.beeps, 0);
}

TEST_F(LoadXmlDocumentTest, ASecondFailureIsShownWithABeep) {
  RecordingHost host(true);
  TXMLTreeView view;
  EXPECT_FALSE(LoadXmlDocument(view, Broken(), false, true, host));
  EXPECT_EQ(host.questions.size(), 1u);
  EXPECT_EQ(host.beeps, 1);
  ASSERT_EQ(host.shown.size(), 1u);
  EXPECT_EQ(host.shown[0], view.ErrorText);
}

// The own tokenizer's failure is shown with its report, never retried.
TEST_F(LoadXmlDocumentTest, OwnTokenizerFailureIsShownNotRetried) {
  RecordingHost host(true);
  TXMLTreeView view;
  EXPECT_FALSE(LoadXmlDocument(view, Broken(), false, false, host));
  EXPECT_TRUE(host.questions.empty());
  EXPECT_EQ(host.beeps, 1);
  EXPECT_EQ(view.ErrorText.rfind(Sj("XMLファイルのフォーマットが不正です。"), 0), 0u);
  ASSERT_EQ(host.shown.size(), 1u);
  EXPECT_EQ(host.shown[0], view.ErrorText);
}

// Without a report of the tokenizer (an end tag with nothing open, a file
// that cannot be read) the message names the file.
TEST_F(LoadXmlDocumentTest, OwnTokenizerFailureWithoutReportNamesTheFile) {
  for (const std::string& file : {dir_.Write("CLOSED.XML", "</a>"), dir_.path() + "ABSENT.XML"}) {
    RecordingHost host(true);
    TXMLTreeView view;
    EXPECT_FALSE(LoadXmlDocument(view, file, false, false, host));
    ASSERT_EQ(host.shown.size(), 1u) << file;
    EXPECT_EQ(host.shown[0], Sj("XMLファイルのフォーマットが不正です。") + "\r\n\r\n" + Utf8ToCp932(file));
  }
}

TEST_F(LoadXmlDocumentTest, EveryLoadStartsFromAnEmptyTree) {
  RecordingHost host(false);
  TXMLTreeView view;
  ASSERT_TRUE(LoadXmlDocument(view, testing::kXmlData + "photo05/PHOTO.XML", false, false, host));
  ASSERT_FALSE(LoadXmlDocument(view, Broken(), false, false, host));
  EXPECT_EQ(view.NodeCount(), 2);  // only what the broken file built
  ASSERT_TRUE(LoadXmlDocument(view, dir_.Write("OK.XML", "<a/>"), false, false, host));
  EXPECT_EQ(view.ErrorText, "");
}

}  // namespace
}  // namespace zor
