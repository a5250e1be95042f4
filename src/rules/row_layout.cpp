#include "rules/row_layout.h"

#include <array>

#include "rules/version_set.h"
#include "store/standards.h"

namespace zor {
namespace {

// Item codes in row order, fixed at compile time.
struct CodeSequence {
  int count = 0;
  std::array<int, 24> codes{};
};

consteval CodeSequence Sequence(std::string_view text) {
  CodeSequence seq;
  ForEachListedNumber(text, 63, [&](int code) { seq.codes.at(static_cast<std::size_t>(seq.count++)) = code; });
  return seq;
}

struct LayoutCase {
  InfoGrid grid;
  bool input_level;
  VersionSet versions;
  CodeSequence codes;
};

// The first case of the grid and setting whose versions hold the standard wins.
constexpr LayoutCase kLayout[] = {
    {InfoGrid::kKoji, false, Vs("0"), Sequence("6-21")},
    {InfoGrid::kKoji, false, Vs("1, 10"), Sequence("6-19, 21")},
    {InfoGrid::kKoji, false, kAllVersions, Sequence("6-19, 21, 22")},
    {InfoGrid::kKoji, true, Vs("5-7"), Sequence("7-10, 12-19")},
    {InfoGrid::kKoji, true, Vs("8, 9"), Sequence("8, 9, 10, 12, 13, 17, 18, 19")},
    {InfoGrid::kKoji, true, kAllVersions, Sequence("7-19")},
    {InfoGrid::kPhoto, false, Vs("0"), Sequence("1, 3, 4, 5, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17")},
    {InfoGrid::kPhoto, false, Vs("1, 10"), Sequence("1, 2, 3, 4, 5, 6, 8, 11, 12, 13, 14, 15, 17")},
    {InfoGrid::kPhoto, false, Vs("2, 5, 8, 11, 12, 13"), Sequence("2, 4, 5, 6, 8, 18, 12, 15")},
    {InfoGrid::kPhoto, false, Vs("3, 4, 6, 7, 9"), Sequence("2, 4, 5, 6, 8, 18, 20, 12, 15")},
    {InfoGrid::kPhoto, true, Vs("0, 1, 10"), Sequence("4, 6, 8, 12")},
    {InfoGrid::kPhoto, true, Vs("2, 5, 8, 11, 12, 13"), Sequence("4, 6, 8, 18, 12")},
    {InfoGrid::kPhoto, true, Vs("3, 4, 6, 7, 9"), Sequence("4, 6, 8, 18, 20, 12")},
    {InfoGrid::kSanko, false, Vs("0"), Sequence("2")},
    {InfoGrid::kSanko, false, kAllVersions, Sequence("1, 2, 3")},
    {InfoGrid::kSanko, true, Vs("0, 1, 10"), Sequence("2")},
    {InfoGrid::kSanko, true, kAllVersions, Sequence("1, 2")},
};

std::vector<ItemRule> LayoutGrid(InfoGrid grid, int digi_version, bool input_level) {
  std::vector<ItemRule> rows;
  for (const LayoutCase& c : kLayout) {
    if (c.grid != grid || c.input_level != input_level || !InSet(c.versions, digi_version)) continue;
    for (int i = 0; i < c.codes.count; ++i) {
      std::optional<ItemRule> rule = FindItemRule(grid, c.codes.codes[static_cast<std::size_t>(i)], digi_version);
      if (rule) rows.push_back(std::move(*rule));
    }
    break;
  }
  return rows;
}

}  // namespace

const std::vector<ItemRule>& InfoRowLayout::Rows(InfoGrid grid) const {
  switch (grid) {
    case InfoGrid::kKoji:
      return koji;
    case InfoGrid::kPhoto:
      return photo;
    case InfoGrid::kSanko:
      break;
  }
  return sanko;
}

int InfoRowLayout::RowOf(InfoGrid grid, int code) const {
  const std::vector<ItemRule>& rows = Rows(grid);
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (rows[i].code == code) return static_cast<int>(i) + 1;
  return 0;
}

InfoRowLayout LayoutInfoRows(int digi_version, bool input_level) {
  digi_version = RuleSetOf(digi_version);
  return InfoRowLayout{
      .koji = LayoutGrid(InfoGrid::kKoji, digi_version, input_level),
      .photo = LayoutGrid(InfoGrid::kPhoto, digi_version, input_level),
      .sanko = LayoutGrid(InfoGrid::kSanko, digi_version, input_level),
  };
}

}  // namespace zor
