#include "rules/index_catalogue.h"

#include "rules/text_rules.h"
#include "rules/version_set.h"
#include "store/standards.h"
#include "text/encoding.h"

namespace zor {
namespace {

struct IndexCode {
  int code = 0;
  ByVersion<std::string> name;
  int max_bytes = 0;
};

struct IndexTable {
  std::vector<IndexCode> codes;
  NumberSet digits;  // class 1
  NumberSet ascii;   // class 2
  NumberSet mixed;   // class 3
  NumberSet dates;
  int reserve = 0;
};

const IndexTable& ConstructionTable() {
  // One code per line, as the code tables read.
  // clang-format off
  static const IndexTable table{
      .codes =
          {
              {1, Sj("発注年度"), 4},
              {2, Sj("工事番号"), 127},
              {3, Sj("工事名称"), 254},
              {4, Sj("工事実績VerNo."), 12},
              {5, Sj("工事分野"), 32},
              {6, Sj("工事業種"), 32},
              {7, Sj("工種"), 254},
              {8, Sj("工法型式"), 254},
              {9, Sj("住所コード"), 5},
              {10, Sj("住所"), 254},
              {11, Sj("工期開始日"), 10},
              {12, Sj("工期終了日"), 10},
              {13, Sj("工事内容"), 254},
              {14, Sj("測地系"), 2},
              {15, Sj("対象水系路線名"), 254},
              {16, Sj("現道-旧道区分"), 1},
              {17, Sj("対象河川コード"), 10},
              {18, Sj("左右岸上下線CD"), 2},
              {19, Sj("起点側測点-n"), 4},
              {20, Sj("起点側測点-m"), 3},
              {21, Sj("終点側測点-n"), 4},
              {22, Sj("終点側測点-m"), 3},
              {23, Sj("起点側距離標-n"), 3},
              {24, Sj("起点側距離標-m"), 3},
              {25, Sj("終点側距離標-n"), 3},
              {26, Sj("終点側距離標-m"), 3},
              {27, Sj("西境界座標経度"), 8},
              {28, Sj("東境界座標経度"), 8},
              {29, Sj("北境界座標緯度"), 8},
              {30, Sj("南境界座標緯度"), 8},
              {31, Sj("施設名称"), 254},
              {32, Sj("発注者-大分類"), 32},
              {33, Sj("発注者-中分類"), 64},
              {34, Sj("発注者-小分類"), 60},
              {35, Sj("発注者コード"), 8},
              {36, {{{Vs("4, 7"), Sj("受注者名")}}, Sj("請負者名")}, 254},
              {37, {{{Vs("4, 7"), Sj("受注者コード")}}, Sj("請負者コード")}, 127},
              {38, Sj("予備"), 254},
              // Items of the later guidelines, shown without a check.
              {39, Sj("工事実績システム登録番号"), 0},
              {40, Sj("工事担当課"), 0},
              {41, Sj("施設コード"), 0},
          },
      .digits = Codes("1, 4, 9, 14, 16-26, 35, 37"),
      .ascii = Codes("2, 11, 12, 27-30"),
      .mixed = Codes("3, 5-8, 10, 13, 15, 31-34, 36, 38"),
      .dates = Codes("11, 12"),
      .reserve = 38,
  };
  // clang-format on
  return table;
}

const IndexTable& ServicesTable() {
  // One code per line, as the code tables read.
  // clang-format off
  static const IndexTable table{
      .codes =
          {
              {1, Sj("業務実績VerNo."), 12},
              {2, Sj("業務実績番号"), 11},
              {3, Sj("設計書コード"), 30},
              {4, Sj("業務名称"), 254},
              {5, Sj("住所コード"), 5},
              {6, Sj("住所"), 128},
              {7, Sj("履行期間-着手"), 10},
              {8, Sj("履行期間-完了"), 10},
              {9, Sj("測地系"), 2},
              {10, Sj("対象水系路線CD"), 5},
              {11, Sj("対象水系路線名"), 254},
              {12, Sj("現道-旧道区分"), 1},
              {13, Sj("対象河川CD"), 10},
              {14, Sj("左右岸上下線CD"), 2},
              {15, Sj("起点側測点-n"), 4},
              {16, Sj("起点側測点-m"), 3},
              {17, Sj("終点側測点-n"), 4},
              {18, Sj("終点側測点-m"), 3},
              {19, Sj("起点側距離標-n"), 3},
              {20, Sj("起点側距離標-m"), 3},
              {21, Sj("終点側距離標-n"), 3},
              {22, Sj("終点側距離標-m"), 3},
              {23, Sj("西境界座標経度"), 8},
              {24, Sj("東境界座標経度"), 8},
              {25, Sj("北境界座標緯度"), 8},
              {26, Sj("南境界座標緯度"), 8},
              {27, Sj("施設名称"), 254},
              {28, Sj("発注者コード"), 8},
              {29, Sj("発注者事務所名"), 254},
              {30, Sj("受注者名"), 254},
              {31, Sj("受注者コード"), 10},
              {32, Sj("主な業務の内容"), 1},
              {33, Sj("業務分野コード"), 7},
              {34, Sj("業務キーワード"), 20},
              {35, Sj("業務概要"), 600},
              {36, Sj("予備"), 254},
              // An item of the later guidelines, shown without a check.
              {37, Sj("施設コード"), 0},
          },
      .digits = Codes("1, 3, 5, 9, 10, 12-22, 28, 32"),
      .ascii = Codes("2, 7, 8, 23-26, 31, 33"),
      .mixed = Codes("4, 6, 11, 27, 29, 30, 34, 35, 36"),
      .dates = Codes("7, 8"),
      .reserve = 36,
  };
  // clang-format on
  return table;
}

const IndexTable& TableFor(int digi_version) {
  return UsesConstructionIndexCodes(digi_version) ? ConstructionTable() : ServicesTable();
}

const IndexCode* FindCode(const IndexTable& table, int item_code) {
  for (const IndexCode& c : table.codes)
    if (c.code == item_code) return &c;
  return nullptr;
}

}  // namespace

bool UsesConstructionIndexCodes(int digi_version) { return IsConstructionIndexVersion(digi_version); }

int IndexCodeMaxBytes(int item_code, int digi_version) {
  digi_version = RuleSetOf(digi_version);
  const IndexCode* c = FindCode(TableFor(digi_version), item_code);
  return c ? c->max_bytes : 0;
}

std::optional<ItemRule> FindIndexItemRule(int item_code, int digi_version) {
  digi_version = RuleSetOf(digi_version);
  if (!InSet(kAllVersions, digi_version)) return std::nullopt;
  const IndexTable& table = TableFor(digi_version);
  const IndexCode* c = FindCode(table, item_code);
  if (!c) return std::nullopt;
  int representation = InSet(table.digits, item_code)  ? kClassDigits
                       : InSet(table.ascii, item_code) ? kClassAscii
                       : InSet(table.mixed, item_code) ? kClassMixed
                                                       : kClassNone;
  bool reserve = item_code == table.reserve;
  return ItemRule{
      .code = item_code,
      .name = c->name.At(digi_version),
      .mark = Mark::kInformation,
      .representation = representation,
      .date = InSet(table.dates, item_code),
      .max_bytes = reserve ? 0 : c->max_bytes,
      .multi_line = reserve,
      .multiplicity = Sj("不可"),
      .entry_rule = {},
  };
}

std::vector<IndexSlotRow> LayoutIndexRows(std::span<const IndexSlot> slots, int digi_version, bool input_level) {
  std::vector<IndexSlotRow> rows(slots.size());
  int next_row = 0;
  for (std::size_t i = 0; i < slots.size(); ++i) {
    if (!input_level)
      rows[i].item_no = static_cast<int>(i) + 1;
    else if (slots[i].standard)
      rows[i].item_no = ++next_row;
    rows[i].max_bytes = IndexCodeMaxBytes(slots[i].item_code, digi_version);
  }
  return rows;
}

}  // namespace zor
