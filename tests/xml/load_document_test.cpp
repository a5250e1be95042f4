#include <gtest/gtest.h>

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
