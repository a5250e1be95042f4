#include "rules/index_catalogue.h"

#include "rules/text_rules.h"
#include "rules/version_set.h"
#include "store/index_codes.h"
#include "store/standards.h"
#include "text/encoding.h"

namespace zor {
namespace {

// What the rules add to an index's code table (store/index_codes): the
// representation classes, the dates and the reserve item. The construction
// table applies to its rule sets, the services table to every other.
struct IndexTable {
  const std::vector<IndexCode>& codes;
  NumberSet digits;  // class 1
  NumberSet ascii;   // class 2
  NumberSet mixed;   // class 3
  NumberSet dates;
  int reserve = 0;
};

const IndexTable& TableFor(int digi_version) {
  static const IndexTable tables[] = {
      {ConstructionIndexCodes(), Codes("1, 4, 9, 14, 16-26, 35, 37"), Codes("2, 11, 12, 27-30"),
       Codes("3, 5-8, 10, 13, 15, 31-34, 36, 38"), Codes("11, 12"), kConstructionReserveCode},
      {ServicesIndexCodes(), Codes("1, 3, 5, 9, 10, 12-22, 28, 32"), Codes("2, 7, 8, 23-26, 31, 33"),
       Codes("4, 6, 11, 27, 29, 30, 34, 35, 36"), Codes("7, 8"), kServicesReserveCode},
  };
  return tables[UsesConstructionIndexCodes(digi_version) ? 0 : 1];
}

const IndexCode* FindCode(const IndexTable& table, int item_code) {
  for (const IndexCode& c : table.codes)
    if (c.code == item_code) return &c;
  return nullptr;
}

// The contractor's items are named as the 2010 guideline (and the 2004
// services one) names them, else by the earlier name.
std::string ShownName(const IndexCode& c, int digi_version) {
  if (!c.shown.empty() || c.elements.size() < 2) return c.shown;
  static constexpr VersionSet current = Vs("4, 7");
  return InSet(current, digi_version) ? c.elements[0] : c.elements[1];
}

}  // namespace

bool UsesConstructionIndexCodes(int digi_version) { return IsConstructionIndexVersion(digi_version); }

int IndexCodeMaxBytes(int item_code, int digi_version) {
  digi_version = RuleSetOf(digi_version);
  const IndexCode* c = FindCode(TableFor(digi_version), item_code);
  return c ? c->maxBytes : 0;
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
      .name = ShownName(*c, digi_version),
      .mark = Mark::kInformation,
      .representation = representation,
      .date = InSet(table.dates, item_code),
      .max_bytes = reserve ? 0 : c->maxBytes,
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
