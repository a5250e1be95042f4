// The naming rules, the unwanted names and the way names from disk are
// shown, as tables of cases.
#include "check/name_rules.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "check/shown_name.h"
#include "text/encoding.h"

namespace zor {
namespace {

struct NameCase {
  const char* name;  // UTF-8
  bool folder;
  bool fourChar;
  const char* breach;  // UTF-8; nullptr: keeps the rules
};

TEST(NameRules, TellEveryRuleANameBreaks) {
  const NameCase cases[] = {
      {"P0000001.JPG", false, false, nullptr},
      {"INDE_C05.DTD", false, false, nullptr},
      {"PLAN01_1.DOC", false, false, nullptr},
      {"ABCDEFGH", false, false, nullptr},  // a file without extension
      {"ORG001", true, false, nullptr},
      {"ABCDEFGH", true, false, nullptr},
      {"REPORT01.DOCX", false, true, nullptr},
      {"p0000001.jpg", false, false, "英小文字が使われています。"},
      {"Plan", true, false, "英小文字が使われています。"},
      {"ABCDEFGHI.JPG", false, false, "拡張子を除く名前が 8 文字を超えています（9 文字）。"},
      {"ABCDEFGHI", true, false, "フォルダ名が 8 文字を超えています（9 文字）。"},
      {"REPORT01.DOCX", false, false, "拡張子が 3 文字を超えています（4 文字）。"},
      {"REPORT01.JSON5", false, true, "拡張子が 4 文字を超えています（5 文字）。"},
      {"ORG.OLD", true, false, "フォルダ名に拡張子（「.」）が付いています。"},
      {"A-B.JPG", false, false, "使えない文字 「-」 が使われています（使えるのは半角の英大文字・数字・「_」）。"},
      {"A.B.JPG", false, false, "使えない文字 「.」 が使われています（使えるのは半角の英大文字・数字・「_」）。"},
      {"写真.JPG", false, false,
       "使えない文字 「写」「真」 が使われています（使えるのは半角の英大文字・数字・「_」）。"},
      {"ＡＢ.JPG", false, false,
       "使えない文字 「Ａ」「Ｂ」 が使われています（使えるのは半角の英大文字・数字・「_」）。"},
      {"A B.JPG", false, false, "使えない文字 「 」 が使われています（使えるのは半角の英大文字・数字・「_」）。"},
      {"ABC.", false, false, "名前が「.」で終わっています。"},
      {"a-bcdefghij.jpeg", false, false,
       "英小文字が使われています、使えない文字 「-」 が使われています（使えるのは半角の英大文字・数字・「_」）、"
       "拡張子を除く名前が 8 文字を超えています（11 文字）、拡張子が 3 文字を超えています（4 文字）。"},
      {"A!B@C#D$E%F^G.JPG", false, false,
       "使えない文字 「!」「@」「#」「$」「%」など が使われています（使えるのは半角の英大文字・数字・「_」）、"
       "拡張子を除く名前が 8 文字を超えています（13 文字）。"},
  };
  for (const NameCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<std::string> breach = NameRuleBreach(c.name, c.folder, c.fourChar);
    if (!c.breach) {
      EXPECT_FALSE(breach) << Cp932ToUtf8(*breach);
    } else {
      ASSERT_TRUE(breach);
      EXPECT_EQ(Cp932ToUtf8(*breach), c.breach);
    }
  }
}

TEST(NameRules, OnlyLowerCaseIsMendedByUpperCasing) {
  EXPECT_TRUE(OnlyLowerCaseBreaksRule("p0000001.jpg", false, false));
  EXPECT_TRUE(OnlyLowerCaseBreaksRule("pic", true, false));
  EXPECT_FALSE(OnlyLowerCaseBreaksRule("P0000001.JPG", false, false));     // keeps the rules
  EXPECT_FALSE(OnlyLowerCaseBreaksRule("photograph1.jpg", false, false));  // too long as well
  EXPECT_FALSE(OnlyLowerCaseBreaksRule("a-b.jpg", false, false));
}

TEST(NameRules, UnwantedNamesAreTold) {
  struct Case {
    const char* name;
    bool folder;
    const char* what;  // nullptr: may be in a delivery
  };
  const Case cases[] = {
      {"Thumbs.db", false, "不要なファイルです（Windows のサムネイル キャッシュ）。"},
      {"THUMBS.DB", false, "不要なファイルです（Windows のサムネイル キャッシュ）。"},
      {"desktop.ini", false, "不要なファイルです（Windows のフォルダ表示設定）。"},
      {".DS_Store", false, "不要なファイルです（macOS のフォルダ表示設定）。"},
      {"._P0000001.JPG", false, "不要なファイルです（macOS の属性ファイル）。"},
      {"__MACOSX", true, "不要なフォルダです（macOS の圧縮ファイルが作る属性フォルダ）。"},
      {"~$PLAN01.DOC", false, "不要なファイルです（Office の作業中の一時ファイル）。"},
      {"PLAN01.TMP", false, "不要なファイルです（一時ファイル）。"},
      {"x.tmp", false, "不要なファイルです（一時ファイル）。"},
      {".hidden", false, "不要な隠しファイルです。"},
      {".git", true, "不要な隠しフォルダです。"},
      {"P0000001.JPG", false, nullptr},
      {"TMP", true, nullptr},
      {"THUMBS", true, nullptr},
      {"A~$B.DOC", false, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<std::string> what = UnwantedName(c.name, c.folder);
    if (!c.what) {
      EXPECT_FALSE(what);
    } else {
      ASSERT_TRUE(what);
      EXPECT_EQ(Cp932ToUtf8(*what), c.what);
    }
  }
}

TEST(ShownName, EscapesWhatWouldBreakALineOrReadAsAnotherName) {
  struct Case {
    std::string name;   // bytes on disk
    const char* shown;  // UTF-8 of the code page 932 shown
  };
  const Case cases[] = {
      {"PHOTO/PIC/P0000001.JPG", "PHOTO/PIC/P0000001.JPG"},
      {"写真/全景.JPG", "写真/全景.JPG"},
      {"A\nB.JPG", "A\\nB.JPG"},
      {"A\tB\rC", "A\\tB\\rC"},
      {"A\x01"
       "B",
       "A\\x01B"},
      {"A\x7F", "A\\x7F"},
      {"A\\B", "A\\\\B"},
      {"\xFF\xFE.JPG", "\\xFF\\xFE.JPG"},       // not UTF-8
      {"\xE5\x86.JPG", "\\xE5\\x86.JPG"},       // a cut sequence
      {"caf\xC3\xA9.JPG", "caf\\u{00E9}.JPG"},  // é: code page 932 lacks it
      {"\xF0\x9F\x98\x80", "\\u{1F600}"},
      {"\xC2\x85", "\\u{0085}"},  // a C1 control
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shown);
    EXPECT_EQ(Cp932ToUtf8(ShownName(c.name)), c.shown);
  }
}

}  // namespace
}  // namespace zor
