#include "rules/item_catalogue.h"

#include <array>
#include <vector>

#include "rules/text_rules.h"
#include "rules/version_set.h"
#include "store/standards.h"
#include "text/encoding.h"

namespace zor {
namespace {

constexpr Mark kRequired = Mark::kRequired;
constexpr Mark kConditional = Mark::kConditional;
constexpr Mark kOptional = Mark::kOptional;
constexpr Mark kInformation = Mark::kInformation;

// One line of an item table: every property that may change between the
// standards is given per standard.
struct ItemRow {
  int code = 0;
  ByVersion<std::string> name = {};
  ByVersion<Mark> mark = {};
  ByVersion<int> representation = {};
  bool date = false;
  ByVersion<int> bytes = {};
  bool multi_line = false;
  ByVersion<std::string> multiplicity = {};
  ByVersion<std::string> rule = {};
};

using Rows = std::vector<ItemRow>;

// The contract items as the photo file holds them (construction codes 6-22;
// 1-5 are numbered but never shown).
const Rows& KojiRows() {
  static const Rows rows = [] {
    const std::string no = Sj("不可");
    const std::string date_rule = Sj("月日が１桁の場合は\"0\"を付加して必ず10桁で記入してください (1999-01-01)");
    const std::string client_rule = Sj("略称を用いず正式名称で記入してください");
    return Rows{
        {.code = 6,
         .name = Sj("媒体情報予備"),
         .mark = {{{Vs("2-9, 11-13"), kInformation}}, kOptional},
         .representation = kClassMixed,
         .bytes = {{{Vs("0"), 127}}, 128},
         .multiplicity = no},
        {.code = 7,
         .name = Sj("発注年度"),
         .mark = {{{Vs("2-4, 8, 9, 11, 13"), kInformation}}, kRequired},
         .representation = {{{Vs("0, 5-7, 10, 12"), kClassDigits}}, kClassAscii},
         .bytes = 4,
         .multiplicity = no,
         .rule = Sj("工事の発注年度を西暦4桁で記入します")},
        {.code = 8,
         .name = Sj("工事番号"),
         .mark = {{{Vs("2-4, 11"), kInformation}}, kRequired},
         .representation = {{{Vs("0"), kClassDigits}}, kClassAscii},
         .bytes = {{{Vs("1-4, 10, 11"), 64}, {Vs("8, 9, 13"), 30}}, 127},
         .multiplicity = no},
        {.code = 9,
         .name = {{{Vs("0"), Sj("河川路線名等")},
                   {Vs("6, 7, 9"), Sj("対象水系路線名")},
                   {Vs("10, 11"), Sj("路線水系名等")}},
                  Sj("河川-路線名等")},
         .mark = {{{Vs("2-4, 11"), kInformation}}, kConditional},
         .representation = kClassMixed,
         .bytes = {{{Vs("0"), 127}, {Vs("1-4, 10, 11"), 128}}, 254},
         .multiplicity = no,
         .rule = Sj("河川名路線名等は正式名称を記入してください")},
        {.code = 10,
         .name = Sj("工事名称"),
         .mark = {{{Vs("2-4, 11"), kInformation}}, kRequired},
         .representation = kClassMixed,
         .bytes = {{{Vs("0"), 255}}, 254},
         .multiplicity = no,
         .rule = Sj("契約図書に記載されている正式の工事名称を記入してください")},
        {.code = 11,
         .name = Sj("工事箇所"),
         .mark = {{{Vs("2-9, 11-13"), kInformation}}, kRequired},
         .representation = kClassMixed,
         .bytes = {{{Vs("0"), 127}}, 128},
         .multiplicity = no,
         .rule = Sj("契約図書に記載されている工事箇所を原則記入してください")},
        {.code = 12,
         .name = Sj("工期開始日"),
         .mark = {{{Vs("2-4, 11"), kInformation}}, kRequired},
         .representation = kClassAscii,
         .date = true,
         .bytes = 10,
         .multiplicity = no,
         .rule = date_rule},
        {.code = 13,
         .name = Sj("工期終了日"),
         .mark = {{{Vs("2-4, 11"), kInformation}}, kRequired},
         .representation = kClassAscii,
         .date = true,
         .bytes = 10,
         .multiplicity = no,
         .rule = date_rule},
        {.code = 14,
         .name = Sj("発注者-大分類"),
         .mark = {{{Vs("2-4, 8, 9, 11, 13"), kInformation}}, kRequired},
         .representation = kClassMixed,
         .bytes = 32,
         .multiplicity = no,
         .rule = client_rule},
        {.code = 15,
         .name = Sj("発注者-中分類"),
         .mark = {{{Vs("2-4, 8, 9, 11, 13"), kInformation}, {Vs("5-7, 12"), kRequired}}, kConditional},
         .representation = kClassMixed,
         .bytes = {{{kPhotoFileVersions, 32}}, 64},
         .multiplicity = no,
         .rule = client_rule},
        {.code = 16,
         .name = Sj("発注者-小分類"),
         .mark = {{{Vs("2-4, 8, 9, 11, 13"), kInformation}, {Vs("5, 7, 12"), kRequired}}, kConditional},
         .representation = kClassMixed,
         .bytes = {{{kPhotoFileVersions, 32}}, 60},
         .multiplicity = no,
         .rule = client_rule},
        {.code = 17,
         .name = Sj("発注者コード"),
         .mark = {{{Vs("2-4, 11"), kInformation}}, kRequired},
         .representation = {{{Vs("5-7, 12"), kClassDigits}}, kClassAscii},
         .bytes = 8,
         .multiplicity = no,
         .rule = {{{Vs("4"), Sj("発注機関の発注者のコードを記入してください")}},
                  Sj("CORINSコードにしたがい必ず8桁で記入してください")}},
        {.code = 18,
         .name = {{{Vs("4, 7"), Sj("受注者名")}}, Sj("請負者名")},
         .mark = {{{Vs("2-4, 11"), kInformation}}, kRequired},
         .representation = kClassMixed,
         .bytes = {{{Vs("0"), 255}}, 254},
         .multiplicity = no,
         .rule = Sj("正式名称を記入してください")},
        {.code = 19,
         .name = {{{Vs("4, 7"), Sj("受注者コード")}}, Sj("請負者コード")},
         .mark = {{{Vs("2-4, 11"), kInformation}, {Vs("8, 9, 13"), kRequired}}, kConditional},
         .representation = {{{Vs("0, 5-7, 12"), kClassDigits}}, kClassAscii},
         .bytes = {{{Vs("1-4, 10, 11"), 64}, {Vs("8, 9, 13"), 10}}, 127},
         .multiplicity = no},
        {.code = 20,
         .name = Sj("発注者備考"),
         .mark = {{{Vs("2-9, 11-13"), kInformation}}, kOptional},
         .representation = kClassMixed,
         .bytes = 255,
         .multiplicity = no},
        {.code = 21,
         .name = Sj("請負者備考"),
         .mark = {{{Vs("2-9, 11-13"), kInformation}}, kOptional},
         .representation = kClassMixed,
         .bytes = {{{Vs("0"), 255}}, 254},
         .multiplicity = no},
        {.code = 22,
         .name = Sj("予備"),
         .mark = {{{Vs("2-4, 11"), kInformation}}, kOptional},
         .representation = kClassMixed,
         .bytes = 254,
         .multi_line = true,
         .multiplicity = Sj("可"),
         .rule = Sj("特記事項がある場合に記入して下さい")},
    };
  }();
  return rows;
}

// The items of one photo record (code 19 is not numbered).
const Rows& PhotoRows() {
  static const Rows rows = [] {
    const std::string no = Sj("不可");
    const std::string up_to_three = Sj("３行まで入力可能です");
    const std::string one_line = Sj("１行のみ入力可能です");
    const std::string many_lines = Sj("複数行入力可能です");
    const ByVersion<int> wide_0 = {{{Vs("0"), 255}}, 254};
    return Rows{
        {.code = 1,
         .name = Sj("写真整理フラッグ"),
         .mark = {{{Vs("0"), kConditional}}, kInformation},
         .representation = kClassNone,
         .bytes = 0,
         .multiplicity = no},
        {.code = 2,
         .name = Sj("写真ファイル日本語名"),
         .mark = kOptional,
         .representation = kClassMixed,
         .bytes = 254,
         .multiplicity = no},
        {.code = 3,
         .name = Sj("写真ファイル情報予備"),
         .mark = kOptional,
         .representation = kClassMixed,
         .bytes = wide_0,
         .multiplicity = no},
        {.code = 4,
         .name = Sj("写真タイトル"),
         .mark = kRequired,
         .representation = kClassMixed,
         .bytes = {{{Vs("0, 1, 10"), 80}}, 254},
         .multiplicity = no},
        {.code = 5,
         .name = Sj("工種区分予備"),
         .mark = kOptional,
         .representation = kClassMixed,
         .bytes = {{{Vs("0, 1, 10"), 40}}, 254},
         .multi_line = true,
         .multiplicity = {{{Vs("0"), up_to_three}}, many_lines}},
        {.code = 6,
         .name = Sj("撮影箇所"),
         .mark = kConditional,
         .representation = kClassMixed,
         .bytes = {{{Vs("0"), 127}, {Vs("1, 10"), 128}}, 254},
         .multiplicity = no},
        {.code = 7,
         .name = Sj("付加情報予備"),
         .mark = kOptional,
         .representation = kClassMixed,
         .bytes = 255,
         .multiplicity = no},
        {.code = 8,
         .name = Sj("撮影年月日"),
         .mark = {{{Vs("3-9, 12, 13"), kRequired}}, kConditional},
         .representation = kClassAscii,
         .date = true,
         .bytes = 10,
         .multiplicity = no,
         .rule = Sj("月日が１桁の場合は\"0\"を付加して必ず10桁で記入してください (1999-01-01)")},
        {.code = 9,
         .name = Sj("フィルム番号"),
         .mark = kConditional,
         .representation = kClassDigits,
         .bytes = 8,
         .multiplicity = no,
         .rule = Sj("APSカートリッジの場合は\"-\"(ハイフン)を除きます")},
        {.code = 10,
         .name = Sj("コマ番号"),
         .mark = kConditional,
         .representation = kClassAscii,
         .bytes = 8,
         .multiplicity = no},
        {.code = 11,
         .name = Sj("撮影情報予備"),
         .mark = kOptional,
         .representation = kClassMixed,
         .bytes = wide_0,
         .multi_line = true,
         .multiplicity = {{{Vs("0"), one_line}}, many_lines}},
        {.code = 12,
         .name = Sj("施工管理値"),
         .mark = kConditional,
         .representation = kClassMixed,
         .bytes = wide_0,
         .multiplicity = no},
        {.code = 13,
         .name = Sj("施工管理値予備"),
         .mark = kOptional,
         .representation = kClassMixed,
         .bytes = wide_0,
         .multi_line = true,
         .multiplicity = {{{Vs("0"), one_line}}, many_lines}},
        {.code = 14,
         .name = Sj("状況説明予備"),
         .mark = kOptional,
         .representation = kClassMixed,
         .bytes = wide_0,
         .multiplicity = no},
        {.code = 15,
         .name = {{{Vs("4, 7"), Sj("受注者説明文")}}, Sj("請負者説明文")},
         .mark = kOptional,
         .representation = kClassMixed,
         .bytes = wide_0,
         .multiplicity = no},
        {.code = 16,
         .name = Sj("発注者説明文"),
         .mark = kOptional,
         .representation = kClassMixed,
         .bytes = 255,
         .multiplicity = no},
        {.code = 17,
         .name = Sj("写真情報予備"),
         .mark = kOptional,
         .representation = kClassMixed,
         .bytes = wide_0,
         .multi_line = true,
         .multiplicity = {{{Vs("0"), up_to_three}}, many_lines}},
        {.code = 18,
         .name = Sj("代表写真"),
         .mark = {{{Vs("3, 4, 6, 7, 9"), kRequired}}, kConditional},
         .representation = kClassNone,
         .bytes = 0,
         .multiplicity = no},
        {.code = 20,
         .name = Sj("提出頻度写真"),
         .mark = kRequired,
         .representation = kClassNone,
         .bytes = 0,
         .multiplicity = no},
    };
  }();
  return rows;
}

// The items of one reference drawing record.
const Rows& SankoRows() {
  static const Rows rows = [] {
    const std::string no = Sj("不可");
    return Rows{
        {.code = 1,
         .name = Sj("参考図ファイル日本語名"),
         .mark = {{{Vs("2-9, 11-13"), kConditional}}, kOptional},
         .representation = kClassMixed,
         .bytes = 254,
         .multiplicity = no},
        {.code = 2,
         .name = Sj("参考図タイトル"),
         .mark = {{{Vs("1, 10"), kConditional}, {Vs("0"), kInformation}}, kRequired},
         .representation = kClassMixed,
         .bytes = {{{Vs("0, 1, 10"), 80}}, 254},
         .multiplicity = no},
        {.code = 3,
         .name = Sj("付加情報予備"),
         .mark = kOptional,
         .representation = kClassMixed,
         .bytes = 254,
         .multi_line = true,
         .multiplicity = {{{Vs("1, 10"), Sj("１行のみ入力可能です")}, {Vs("2-9, 11-13"), Sj("複数行入力可能です")}},
                          no}},
    };
  }();
  return rows;
}

const Rows& RowsOf(InfoGrid grid) {
  switch (grid) {
    case InfoGrid::kKoji:
      return KojiRows();
    case InfoGrid::kPhoto:
      return PhotoRows();
    case InfoGrid::kSanko:
      break;
  }
  return SankoRows();
}

}  // namespace

const std::string& MarkText(Mark mark) {
  static const std::array<std::string, 4> texts = {Sj("◎"), Sj("○"), Sj("△"), Sj("◇")};
  return texts[static_cast<std::size_t>(mark) % texts.size()];
}

std::optional<Rgb> MarkRowColour(Mark mark) {
  switch (mark) {
    case Mark::kRequired:
      return Rgb{255, 255, 135};
    case Mark::kConditional:
      return Rgb{135, 255, 162};
    case Mark::kOptional:
    case Mark::kInformation:
      break;
  }
  return std::nullopt;
}

const std::string& RepresentationLabel(int representation_class) {
  static const std::array<std::string, 7> labels = {
      Sj("制限無し"),      Sj("半角数字"), Sj("半角英数"), Sj("全角/半角英数"), Sj("全角/半角英数の大文字"),
      Sj("全角/半角英数"), Sj("全角文字"),
  };
  if (representation_class < 0 || representation_class >= static_cast<int>(labels.size())) return labels[0];
  return labels[static_cast<std::size_t>(representation_class)];
}

std::optional<ItemRule> FindItemRule(InfoGrid grid, int code, int digi_version) {
  digi_version = RuleSetOf(digi_version);
  if (!InSet(kAllVersions, digi_version)) return std::nullopt;
  for (const ItemRow& row : RowsOf(grid)) {
    if (row.code != code) continue;
    return ItemRule{
        .code = row.code,
        .name = row.name.At(digi_version),
        .mark = row.mark.At(digi_version),
        .representation = row.representation.At(digi_version),
        .date = row.date,
        .max_bytes = row.bytes.At(digi_version),
        .multi_line = row.multi_line,
        .multiplicity = row.multiplicity.At(digi_version),
        .entry_rule = row.rule.At(digi_version),
    };
  }
  return std::nullopt;
}

}  // namespace zor
