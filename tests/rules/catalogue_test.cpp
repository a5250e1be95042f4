#include <gtest/gtest.h>

#include <string>

#include "rules/index_catalogue.h"
#include "rules/item_catalogue.h"
#include "text/encoding.h"

namespace zor {
namespace {

std::string U(const std::string& sj) { return Cp932ToUtf8(sj); }

const char* MarkUtf8(Mark mark) {
  switch (mark) {
    case Mark::kRequired:
      return "◎";
    case Mark::kConditional:
      return "○";
    case Mark::kOptional:
      return "△";
    case Mark::kInformation:
      break;
  }
  return "◇";
}

// One expected catalogue row, as the standard's tables give it.
struct Row {
  InfoGrid grid;
  int code;
  int version;
  const char* name;
  const char* mark;
  int cls;
  int bytes;
  bool multi_line;
  const char* multiplicity;
  const char* rule;
};

constexpr const char* kDateRule = "月日が１桁の場合は\"0\"を付加して必ず10桁で記入してください (1999-01-01)";
constexpr const char* kClientRule = "略称を用いず正式名称で記入してください";

void ExpectRow(const Row& r) {
  SCOPED_TRACE(testing::Message() << "grid " << static_cast<int>(r.grid) << " code " << r.code << " version "
                                  << r.version);
  std::optional<ItemRule> rule = FindItemRule(r.grid, r.code, r.version);
  ASSERT_TRUE(rule.has_value());
  EXPECT_EQ(rule->code, r.code);
  EXPECT_EQ(U(rule->name), r.name);
  EXPECT_STREQ(MarkUtf8(rule->mark), r.mark);
  EXPECT_EQ(rule->representation, r.cls);
  EXPECT_EQ(rule->max_bytes, r.bytes);
  EXPECT_EQ(rule->multi_line, r.multi_line);
  EXPECT_EQ(U(rule->multiplicity), r.multiplicity);
  EXPECT_EQ(U(rule->entry_rule), r.rule);
}

TEST(ItemCatalogue, ConstructionItems) {
  constexpr InfoGrid K = InfoGrid::kKoji;
  const Row rows[] = {
      {K, 6, 0, "媒体情報予備", "△", 3, 127, false, "不可", ""},
      {K, 6, 5, "媒体情報予備", "◇", 3, 128, false, "不可", ""},
      {K, 6, 10, "媒体情報予備", "△", 3, 128, false, "不可", ""},
      {K, 7, 0, "発注年度", "◎", 1, 4, false, "不可", "工事の発注年度を西暦4桁で記入します"},
      {K, 7, 8, "発注年度", "◇", 2, 4, false, "不可", "工事の発注年度を西暦4桁で記入します"},
      {K, 7, 12, "発注年度", "◎", 1, 4, false, "不可", "工事の発注年度を西暦4桁で記入します"},
      {K, 8, 0, "工事番号", "◎", 1, 127, false, "不可", ""},
      {K, 8, 1, "工事番号", "◎", 2, 64, false, "不可", ""},
      {K, 8, 9, "工事番号", "◎", 2, 30, false, "不可", ""},
      {K, 8, 12, "工事番号", "◎", 2, 127, false, "不可", ""},
      {K, 8, 11, "工事番号", "◇", 2, 64, false, "不可", ""},
      {K, 9, 0, "河川路線名等", "○", 3, 127, false, "不可", "河川名路線名等は正式名称を記入してください"},
      {K, 9, 6, "対象水系路線名", "○", 3, 254, false, "不可", "河川名路線名等は正式名称を記入してください"},
      {K, 9, 10, "路線水系名等", "○", 3, 128, false, "不可", "河川名路線名等は正式名称を記入してください"},
      {K, 9, 11, "路線水系名等", "◇", 3, 128, false, "不可", "河川名路線名等は正式名称を記入してください"},
      {K, 9, 5, "河川-路線名等", "○", 3, 254, false, "不可", "河川名路線名等は正式名称を記入してください"},
      {K, 9, 3, "河川-路線名等", "◇", 3, 128, false, "不可", "河川名路線名等は正式名称を記入してください"},
      {K, 10, 0, "工事名称", "◎", 3, 255, false, "不可", "契約図書に記載されている正式の工事名称を記入してください"},
      {K, 11, 13, "工事箇所", "◇", 3, 128, false, "不可", "契約図書に記載されている工事箇所を原則記入してください"},
      {K, 11, 10, "工事箇所", "◎", 3, 128, false, "不可", "契約図書に記載されている工事箇所を原則記入してください"},
      {K, 12, 7, "工期開始日", "◎", 2, 10, false, "不可", kDateRule},
      {K, 13, 4, "工期終了日", "◇", 2, 10, false, "不可", kDateRule},
      {K, 14, 9, "発注者-大分類", "◇", 3, 32, false, "不可", kClientRule},
      {K, 15, 0, "発注者-中分類", "○", 3, 32, false, "不可", kClientRule},
      {K, 15, 6, "発注者-中分類", "◎", 3, 64, false, "不可", kClientRule},
      {K, 15, 13, "発注者-中分類", "◇", 3, 64, false, "不可", kClientRule},
      {K, 16, 5, "発注者-小分類", "◎", 3, 60, false, "不可", kClientRule},
      {K, 16, 6, "発注者-小分類", "○", 3, 60, false, "不可", kClientRule},
      {K, 16, 1, "発注者-小分類", "○", 3, 32, false, "不可", kClientRule},
      {K, 17, 4, "発注者コード", "◇", 2, 8, false, "不可", "発注機関の発注者のコードを記入してください"},
      {K, 17, 5, "発注者コード", "◎", 1, 8, false, "不可", "CORINSコードにしたがい必ず8桁で記入してください"},
      {K, 17, 0, "発注者コード", "◎", 2, 8, false, "不可", "CORINSコードにしたがい必ず8桁で記入してください"},
      {K, 18, 7, "受注者名", "◎", 3, 254, false, "不可", "正式名称を記入してください"},
      {K, 18, 4, "受注者名", "◇", 3, 254, false, "不可", "正式名称を記入してください"},
      {K, 18, 0, "請負者名", "◎", 3, 255, false, "不可", "正式名称を記入してください"},
      {K, 19, 8, "請負者コード", "◎", 2, 10, false, "不可", ""},
      {K, 19, 0, "請負者コード", "○", 1, 127, false, "不可", ""},
      {K, 19, 7, "受注者コード", "○", 1, 127, false, "不可", ""},
      {K, 19, 10, "請負者コード", "○", 2, 64, false, "不可", ""},
      {K, 20, 0, "発注者備考", "△", 3, 255, false, "不可", ""},
      {K, 20, 6, "発注者備考", "◇", 3, 255, false, "不可", ""},
      {K, 21, 1, "請負者備考", "△", 3, 254, false, "不可", ""},
      {K, 22, 5, "予備", "△", 3, 254, true, "可", "特記事項がある場合に記入して下さい"},
      {K, 22, 2, "予備", "◇", 3, 254, true, "可", "特記事項がある場合に記入して下さい"},
  };
  for (const Row& r : rows) ExpectRow(r);
}

TEST(ItemCatalogue, PhotoItems) {
  constexpr InfoGrid P = InfoGrid::kPhoto;
  const Row rows[] = {
      {P, 1, 0, "写真整理フラッグ", "○", 0, 0, false, "不可", ""},
      {P, 1, 3, "写真整理フラッグ", "◇", 0, 0, false, "不可", ""},
      {P, 2, 7, "写真ファイル日本語名", "△", 3, 254, false, "不可", ""},
      {P, 3, 0, "写真ファイル情報予備", "△", 3, 255, false, "不可", ""},
      {P, 4, 10, "写真タイトル", "◎", 3, 80, false, "不可", ""},
      {P, 4, 2, "写真タイトル", "◎", 3, 254, false, "不可", ""},
      {P, 5, 0, "工種区分予備", "△", 3, 40, true, "３行まで入力可能です", ""},
      {P, 5, 1, "工種区分予備", "△", 3, 40, true, "複数行入力可能です", ""},
      {P, 5, 3, "工種区分予備", "△", 3, 254, true, "複数行入力可能です", ""},
      {P, 6, 0, "撮影箇所", "○", 3, 127, false, "不可", ""},
      {P, 6, 10, "撮影箇所", "○", 3, 128, false, "不可", ""},
      {P, 6, 11, "撮影箇所", "○", 3, 254, false, "不可", ""},
      {P, 7, 0, "付加情報予備", "△", 3, 255, false, "不可", ""},
      {P, 8, 3, "撮影年月日", "◎", 2, 10, false, "不可", kDateRule},
      {P, 8, 10, "撮影年月日", "○", 2, 10, false, "不可", kDateRule},
      {P, 9, 0, "フィルム番号", "○", 1, 8, false, "不可", "APSカートリッジの場合は\"-\"(ハイフン)を除きます"},
      {P, 10, 0, "コマ番号", "○", 2, 8, false, "不可", ""},
      {P, 11, 0, "撮影情報予備", "△", 3, 255, true, "１行のみ入力可能です", ""},
      {P, 11, 1, "撮影情報予備", "△", 3, 254, true, "複数行入力可能です", ""},
      {P, 12, 4, "施工管理値", "○", 3, 254, false, "不可", ""},
      {P, 13, 0, "施工管理値予備", "△", 3, 255, true, "１行のみ入力可能です", ""},
      {P, 14, 1, "状況説明予備", "△", 3, 254, false, "不可", ""},
      {P, 15, 4, "受注者説明文", "△", 3, 254, false, "不可", ""},
      {P, 15, 0, "請負者説明文", "△", 3, 255, false, "不可", ""},
      {P, 16, 10, "発注者説明文", "△", 3, 255, false, "不可", ""},
      {P, 17, 0, "写真情報予備", "△", 3, 255, true, "３行まで入力可能です", ""},
      {P, 18, 9, "代表写真", "◎", 0, 0, false, "不可", ""},
      {P, 18, 2, "代表写真", "○", 0, 0, false, "不可", ""},
      {P, 20, 4, "提出頻度写真", "◎", 0, 0, false, "不可", ""},
  };
  for (const Row& r : rows) ExpectRow(r);
}

TEST(ItemCatalogue, ReferenceDrawingItems) {
  constexpr InfoGrid S = InfoGrid::kSanko;
  const Row rows[] = {
      {S, 1, 0, "参考図ファイル日本語名", "△", 3, 254, false, "不可", ""},
      {S, 1, 10, "参考図ファイル日本語名", "△", 3, 254, false, "不可", ""},
      {S, 1, 5, "参考図ファイル日本語名", "○", 3, 254, false, "不可", ""},
      {S, 2, 0, "参考図タイトル", "◇", 3, 80, false, "不可", ""},
      {S, 2, 1, "参考図タイトル", "○", 3, 80, false, "不可", ""},
      {S, 2, 13, "参考図タイトル", "◎", 3, 254, false, "不可", ""},
      {S, 3, 10, "付加情報予備", "△", 3, 254, true, "１行のみ入力可能です", ""},
      {S, 3, 2, "付加情報予備", "△", 3, 254, true, "複数行入力可能です", ""},
  };
  for (const Row& r : rows) ExpectRow(r);
}

TEST(ItemCatalogue, UnnumberedItemsAndUnknownStandardsHaveNoRule) {
  EXPECT_FALSE(FindItemRule(InfoGrid::kKoji, 5, 0));  // numbered, never shown
  EXPECT_FALSE(FindItemRule(InfoGrid::kKoji, 23, 0));
  EXPECT_FALSE(FindItemRule(InfoGrid::kPhoto, 19, 3));
  EXPECT_FALSE(FindItemRule(InfoGrid::kSanko, 4, 3));
  EXPECT_FALSE(FindItemRule(InfoGrid::kPhoto, 4, 18));
  EXPECT_FALSE(FindItemRule(InfoGrid::kPhoto, 4, -1));
}

TEST(ItemCatalogue, MarksClassesAndColours) {
  EXPECT_EQ(U(MarkText(Mark::kRequired)), "◎");
  EXPECT_EQ(U(MarkText(Mark::kConditional)), "○");
  EXPECT_EQ(U(MarkText(Mark::kOptional)), "△");
  EXPECT_EQ(U(MarkText(Mark::kInformation)), "◇");
  EXPECT_EQ(MarkRowColour(Mark::kRequired), (Rgb{255, 255, 135}));
  EXPECT_EQ(MarkRowColour(Mark::kConditional), (Rgb{135, 255, 162}));
  EXPECT_FALSE(MarkRowColour(Mark::kOptional));
  EXPECT_FALSE(MarkRowColour(Mark::kInformation));

  const char* labels[] = {"制限無し",      "半角数字", "半角英数", "全角/半角英数", "全角/半角英数の大文字",
                          "全角/半角英数", "全角文字"};
  for (int cls = 0; cls <= 6; ++cls) EXPECT_EQ(U(RepresentationLabel(cls)), labels[cls]) << cls;
  EXPECT_EQ(U(RepresentationLabel(7)), "制限無し");
}

TEST(IndexCatalogue, ItemRules) {
  struct Case {
    int code;
    int version;
    const char* name;
    int cls;
    bool date;
    int bytes;
    bool multi_line;
  } cases[] = {
      {1, 5, "発注年度", 1, false, 4, false},
      {2, 6, "工事番号", 2, false, 127, false},
      {4, 7, "工事実績VerNo.", 1, false, 12, false},
      {11, 5, "工期開始日", 2, true, 10, false},
      {12, 12, "工期終了日", 2, true, 10, false},
      {27, 5, "西境界座標経度", 2, false, 8, false},
      {33, 5, "発注者-中分類", 3, false, 64, false},
      {36, 7, "受注者名", 3, false, 254, false},
      {36, 5, "請負者名", 3, false, 254, false},
      {37, 7, "受注者コード", 1, false, 127, false},
      {37, 12, "請負者コード", 1, false, 127, false},
      {38, 6, "予備", 3, false, 0, true},  // the reserve row has no limit of its own
      {1, 8, "業務実績VerNo.", 1, false, 12, false},
      {7, 9, "履行期間-着手", 2, true, 10, false},
      {8, 13, "履行期間-完了", 2, true, 10, false},
      {29, 8, "発注者事務所名", 3, false, 254, false},
      {30, 8, "受注者名", 3, false, 254, false},
      {32, 9, "主な業務の内容", 1, false, 1, false},
      {35, 13, "業務概要", 3, false, 600, false},
      {36, 9, "予備", 3, false, 0, true},
      {1, 0, "業務実績VerNo.", 1, false, 12, false},  // photo-file standards read the services codes
      // Items of the later indexes: shown, with no class and no limit.
      {40, 14, "工事担当課", 0, false, 0, false},
      {41, 16, "施設コード", 0, false, 0, false},
      {37, 15, "施設コード", 0, false, 0, false},
      {36, 14, "受注者名", 3, false, 254, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "code " << c.code << " version " << c.version);
    std::optional<ItemRule> rule = FindIndexItemRule(c.code, c.version);
    ASSERT_TRUE(rule.has_value());
    EXPECT_EQ(U(rule->name), c.name);
    EXPECT_EQ(rule->mark, Mark::kInformation);
    EXPECT_EQ(rule->representation, c.cls);
    EXPECT_EQ(rule->date, c.date);
    EXPECT_EQ(rule->max_bytes, c.bytes);
    EXPECT_EQ(rule->multi_line, c.multi_line);
    EXPECT_TRUE(rule->entry_rule.empty());
  }
  EXPECT_FALSE(FindIndexItemRule(42, 5));
  EXPECT_FALSE(FindIndexItemRule(38, 8));  // the services table ends at 37
  EXPECT_FALSE(FindIndexItemRule(0, 5));
  EXPECT_FALSE(FindIndexItemRule(1, 18));
}

TEST(IndexCatalogue, EveryCodeHasAClassAndALimit) {
  for (int version : {5, 8}) {
    int last = version == 5 ? 38 : 36;
    for (int code = 1; code <= last; ++code) {
      std::optional<ItemRule> rule = FindIndexItemRule(code, version);
      ASSERT_TRUE(rule.has_value()) << version << " " << code;
      EXPECT_GE(rule->representation, 1) << version << " " << code;
      EXPECT_LE(rule->representation, 3) << version << " " << code;
      EXPECT_GT(IndexCodeMaxBytes(code, version), 0) << version << " " << code;
    }
  }
  EXPECT_EQ(IndexCodeMaxBytes(38, 7), 254);
  EXPECT_EQ(IndexCodeMaxBytes(36, 9), 254);
  EXPECT_EQ(IndexCodeMaxBytes(99, 9), 0);
}

TEST(IndexCatalogue, LayoutIndexRows) {
  // Three elements of the standard's list and two reserve elements.
  const IndexSlot slots[] = {{1, true}, {38, false}, {3, true}, {38, false}, {11, true}};
  struct Case {
    int version;
    bool input_level;
    std::vector<int> item_no;
    std::vector<int> max_bytes;
  } cases[] = {
      {7, false, {1, 2, 3, 4, 5}, {4, 254, 254, 254, 10}},
      {7, true, {1, 0, 2, 0, 3}, {4, 254, 254, 254, 10}},
      // A services standard reads the same codes by its own table.
      {8, false, {1, 2, 3, 4, 5}, {12, 0, 30, 0, 254}},
      {9, true, {1, 0, 2, 0, 3}, {12, 0, 30, 0, 254}},
      // A later standard reads the table of its rule set.
      {14, false, {1, 2, 3, 4, 5}, {4, 254, 254, 254, 10}},
      {15, true, {1, 0, 2, 0, 3}, {12, 0, 30, 0, 254}},
  };
  for (const Case& c : cases) {
    std::vector<IndexSlotRow> rows = LayoutIndexRows(slots, c.version, c.input_level);
    ASSERT_EQ(rows.size(), 5u);
    for (std::size_t i = 0; i < rows.size(); ++i) {
      EXPECT_EQ(rows[i].item_no, c.item_no[i]) << c.version << " " << c.input_level << " slot " << i + 1;
      EXPECT_EQ(rows[i].max_bytes, c.max_bytes[i]) << c.version << " " << c.input_level << " slot " << i + 1;
    }
  }
  EXPECT_TRUE(LayoutIndexRows({}, 7, true).empty());
}

}  // namespace
}  // namespace zor
