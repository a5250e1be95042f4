#include "rules/help_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/item_catalogue.h"
#include "rules/item_checks.h"
#include "text/encoding.h"

namespace zor {
namespace {

// A label as expected: UTF-8 text, shown, red.
struct Label {
  std::string text;
  bool visible;
  bool red;
};

void ExpectLabels(const HelpLabels& actual, const std::vector<Label>& expected) {
  ASSERT_EQ(expected.size(), actual.size());
  for (std::size_t i = 0; i < actual.size(); ++i) {
    SCOPED_TRACE(testing::Message() << "label " << i + 1);
    EXPECT_EQ(Cp932ToUtf8(actual[i].text), expected[i].text);
    // A hidden label and an empty shown one look the same.
    if (expected[i].visible) {
      EXPECT_TRUE(actual[i].visible);
    } else {
      EXPECT_TRUE(!actual[i].visible || actual[i].text.empty());
    }
    EXPECT_EQ(actual[i].red, expected[i].red);
  }
}

std::vector<std::string> Path(std::initializer_list<const char*> utf8) {
  std::vector<std::string> path;
  for (const char* s : utf8) path.push_back(Sj(s));
  return path;
}

ItemRule Rule(InfoGrid grid, int code, int version) {
  std::optional<ItemRule> rule = FindItemRule(grid, code, version);
  EXPECT_TRUE(rule.has_value());
  return rule.value_or(ItemRule{});
}

const std::vector<Label> kNoHelp = {
    {"説明はありません", true, false}, {"", true, false}, {"", true, false}, {"", true, false}, {"", false, false}};

TEST(ShowItemHelp, NoHelpWithoutFocusOrForIndexItems) {
  ItemRule row = Rule(InfoGrid::kKoji, 7, 0);
  ExpectLabels(ShowItemHelp({.grid_focused = false, .digi_version = 0}, row, 15), kNoHelp);
  ExpectLabels(
      ShowItemHelp({.grid_focused = true, .construction_tab = true, .index_loaded = true, .digi_version = 5}, row, 0),
      kNoHelp);
  ExpectLabels(NoHelp(), kNoHelp);
}

TEST(ShowItemHelp, LabelsOfARow) {
  ItemHelpContext context{.grid_focused = true, .construction_tab = true, .digi_version = 0, .keikoku_red = true};
  ExpectLabels(ShowItemHelp(context, Rule(InfoGrid::kKoji, 7, 0), kFaultEntryRule),
               {{"データ表現 : 半角数字", true, false},
                {"データ長   : 4バイト", true, false},
                {"複数記入   : 不可", true, false},
                {"入力規則   : 工事の発注年度を西暦4桁で記入します", true, true},
                {"", false, false}});

  context.digi_version = 5;
  ExpectLabels(ShowItemHelp(context, Rule(InfoGrid::kKoji, 22, 5), 0),
               {{"データ表現 : 全角/半角英数", true, false},
                {"データ長   : 254バイト", true, false},
                {"複数記入   : 可", true, false},
                {"入力規則   : 特記事項がある場合に記入して下さい", true, false},
                {"", false, false}});

  context = {.grid_focused = true, .digi_version = 0, .keikoku_red = true};
  ExpectLabels(ShowItemHelp(context, Rule(InfoGrid::kPhoto, 1, 0), 0), {{"データ表現 : 制限無し", true, false},
                                                                        {"データ長   : システム値", true, false},
                                                                        {"複数記入   : 不可", true, false},
                                                                        {"", true, false},
                                                                        {"", false, false}});
  ExpectLabels(ShowItemHelp(context, Rule(InfoGrid::kPhoto, 5, 0), kFaultLines),
               {{"データ表現 : 全角/半角英数", true, false},
                {"データ長   : 40バイト", true, false},
                {"複数記入   : ３行まで入力可能です", true, true},
                {"", true, false},
                {"", false, false}});
}

TEST(ShowItemHelp, RedLabelsFollowTheFaultFlags) {
  ItemRule row = Rule(InfoGrid::kPhoto, 8, 3);
  auto reds = [](const HelpLabels& labels) {
    return std::vector<bool>{labels[0].red, labels[1].red, labels[2].red, labels[3].red, labels[4].red};
  };
  ItemHelpContext context{.grid_focused = true, .digi_version = 3, .keikoku_red = true};
  EXPECT_EQ(reds(ShowItemHelp(context, row, 15)), (std::vector<bool>{true, true, true, true, false}));
  EXPECT_EQ(reds(ShowItemHelp(context, row, 2 | 8)), (std::vector<bool>{false, true, false, true, false}));
  context.keikoku_red = false;
  EXPECT_EQ(reds(ShowItemHelp(context, row, 15)), (std::vector<bool>(5, false)));
  // The construction items of standards 2, 3, 4 and 11 are never red.
  context = {.grid_focused = true, .construction_tab = true, .digi_version = 3, .keikoku_red = true};
  EXPECT_EQ(reds(ShowItemHelp(context, Rule(InfoGrid::kKoji, 7, 3), 15)), (std::vector<bool>(5, false)));
  context.digi_version = 1;
  EXPECT_EQ(reds(ShowItemHelp(context, Rule(InfoGrid::kKoji, 7, 1), 8))[3], true);
}

TEST(ShowItemHelp, DigitOnlyItemsOfClass2AreDescribedAsDigits) {
  struct Case {
    InfoGrid grid;
    int code;
    int version;
    bool index_loaded;
    const char* label;
  } cases[] = {
      {InfoGrid::kPhoto, 8, 3, false, "半角数字"},
      {InfoGrid::kPhoto, 8, 0, false, "半角数字"},
      {InfoGrid::kPhoto, 8, 9, false, "半角数字"},
      {InfoGrid::kPhoto, 8, 1, false, "半角英数"},
      {InfoGrid::kPhoto, 8, 5, false, "半角英数"},
      {InfoGrid::kKoji, 12, 8, false, "半角数字"},
      {InfoGrid::kKoji, 8, 2, false, "半角数字"},
      {InfoGrid::kKoji, 8, 1, false, "半角英数"},
      {InfoGrid::kPhoto, 10, 3, false, "半角英数"},
      // With an index loaded the index's own digit items decide.
      {InfoGrid::kPhoto, 8, 8, true, "半角数字"},
      {InfoGrid::kPhoto, 8, 5, true, "半角英数"},
      {InfoGrid::kPhoto, 8, 3, true, "半角数字"},
      {InfoGrid::kPhoto, 10, 9, true, "半角英数"},
      // Only class 2 is relabelled.
      {InfoGrid::kPhoto, 12, 3, false, "全角/半角英数"},
  };
  for (const Case& c : cases) {
    ItemHelpContext context{.grid_focused = true, .index_loaded = c.index_loaded, .digi_version = c.version};
    HelpLabels labels = ShowItemHelp(context, Rule(c.grid, c.code, c.version), 0);
    EXPECT_EQ(Cp932ToUtf8(labels[0].text), std::string("データ表現 : ") + c.label)
        << static_cast<int>(c.grid) << " " << c.code << " " << c.version << " " << c.index_loaded;
  }
}

TEST(ShowLevelHelp, TopNode) {
  ExpectLabels(ShowLevelHelp({}, 3, true), {{"データ表現 : 制限無し", true, false},
                                            {"データ長   : システム値", true, false},
                                            {"", false, false},
                                            {"", true, false},
                                            {"", false, false}});
}

TEST(ShowLevelHelp, MajorClass) {
  ExpectLabels(ShowLevelHelp(Path({"工事"}), 0, true),
               {{"データ表現 : 全角文字", true, false},
                {"データ長   : 16バイト", true, false},
                {"", false, false},
                {"入力規則   : 業務分類を「工事・測量・調査・地質・広報・設計・その他」とします", true, false},
                {"", false, false}});
  ExpectLabels(ShowLevelHelp(Path({"地質"}), 10, true),
               {{"データ表現 : 全角文字", true, false},
                {"データ長   : 16バイト", true, false},
                {"", false, false},
                {"入力規則   : 業務分類を「工事・調査・測量・設計・その他」とします", true, true},
                {"", false, false}});
  // Faults are red only while KeikokuRed is on.
  HelpLabels faulty = ShowLevelHelp(Path({"ＡＢＣＤＥＦＧＨＩ"}), 3, true);
  EXPECT_EQ(Cp932ToUtf8(faulty[0].text), "データ表現 : 全角/半角英数");
  EXPECT_TRUE(faulty[0].red && faulty[1].red && faulty[3].red);
  HelpLabels quiet = ShowLevelHelp(Path({"ＡＢＣＤＥＦＧＨＩ"}), 3, false);
  EXPECT_FALSE(quiet[0].red || quiet[1].red || quiet[3].red);
}

TEST(ShowLevelHelp, PhotoClass) {
  HelpLabels v3 = ShowLevelHelp(Path({"工事", "施工状況写真"}), 3, true);
  EXPECT_EQ(Cp932ToUtf8(v3[1].text), "データ長   : 254バイト");
  EXPECT_EQ(Cp932ToUtf8(v3[3].text),
            "入力規則   : 大分類が「工事」の場合「着手前及び完成写真・施工状況写真・安全管理写真・使用材料写真・"
            "品質管理写真・出来形管理写真・災害写真・事故写真・その他」の区分のいずれかを全角文字で記入します "
            "それ以外は自由記入といたします 大分類が「工事」で「提出頻度写真」でない場合は記入は不要とします");
  HelpLabels v2 = ShowLevelHelp(Path({"工事", "施工状況写真"}), 2, true);
  EXPECT_EQ(Cp932ToUtf8(v2[3].text),
            "入力規則   : 大分類が「工事」の場合「着手前及び完成写真・施工状況写真・安全管理写真・使用材料写真・"
            "品質管理写真・出来形管理写真・災害写真・その他」の区分のいずれかを全角文字で記入します "
            "それ以外は自由記入といたします");
  EXPECT_EQ(Cp932ToUtf8(ShowLevelHelp(Path({"工事", "施工状況写真"}), 1, true)[0].text), "データ表現 : 全角文字");
}

TEST(ShowLevelHelp, WorkTypesKindsAndDetails) {
  const std::string base =
      "入力規則   : 土木工事の場合には新土木工事積算体系のレベル2「工種」を記入します "
      "但し新土木工事積算体系にない土木工事や他の工事の場合には対応するレベルのものを正しく記入してください";
  ExpectLabels(ShowLevelHelp(Path({"工事", "着手前及び完成写真", "道路改良"}), 2, true),
               {{"データ表現 : 全角/半角英数", true, false},
                {"データ長   : 254バイト", true, false},
                {"", false, false},
                {base, true, false},
                {"記入可否   : 写真区分『着手前及び完成写真』に工種は登録できません", true, true}});
  ExpectLabels(ShowLevelHelp(Path({"工事", "着手前及び完成写真", "道路改良"}), 4, true),
               {{"データ表現 : 全角/半角英数", true, false},
                {"データ長   : 254バイト", true, false},
                {"", false, false},
                {base + " 大分類が「工事」で「提出頻度写真」でない場合は記入は不要とします", true, false},
                {"記入可否   : 記入は不要とするが、任意の記入も可", true, false}});
  HelpLabels kind = ShowLevelHelp(Path({"工事", "施工状況写真", "道路改良", "舗装"}), 9, true);
  EXPECT_EQ(Cp932ToUtf8(kind[3].text),
            "入力規則   : 土木工事の場合には新土木工事積算体系のレベル3「種別」を記入します "
            "但し新土木工事積算体系にない土木工事や他の工事の場合には対応するレベルのものを正しく記入してください "
            "大分類が「工事」で「提出頻度写真」でない場合は記入は不要としますが、任意記入も可とします");
  EXPECT_EQ(Cp932ToUtf8(kind[4].text), "記入可否   : 記入可能な場合は記入");
  EXPECT_TRUE(kind[4].visible);
  EXPECT_FALSE(kind[4].red);
  // Neither message nor advice: the fifth label is hidden and empty.
  HelpLabels accident = ShowLevelHelp(Path({"工事", "事故写真", "x", "y", "細別"}), 3, true);
  EXPECT_TRUE(Cp932ToUtf8(accident[3].text).find("レベル4「細別」") != std::string::npos);
  EXPECT_FALSE(accident[4].visible);
  EXPECT_TRUE(accident[4].text.empty());
}

}  // namespace
}  // namespace zor
