// The rules of every item that the construction, photo and reference drawing
// grids show, for each of the fourteen standards: necessity mark, name, data
// representation, byte limit, multi-line flag, multiplicity and entry rule.
// All texts are code page 932.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zor {

// The standard's necessity mark of an item.
enum class Mark : std::uint8_t {
  kRequired,     // ◎
  kConditional,  // ○ required when applicable
  kOptional,     // △
  kInformation,  // ◇ not an item of this standard's photo file; shown for information
};

// "◎", "○", "△" or "◇".
const std::string& MarkText(Mark mark);

struct Rgb {
  std::uint8_t r, g, b;
  bool operator==(const Rgb&) const = default;
};

// The colour of the mark and name cells of a row with this mark; none for △ and ◇.
std::optional<Rgb> MarkRowColour(Mark mark);

// The help panel's label of a representation class 0-6 ("制限無し" for any
// other number).
const std::string& RepresentationLabel(int representation_class);

// The three grids whose items come from the photo file and its records.
enum class InfoGrid : std::uint8_t { kKoji, kPhoto, kSanko };

// One item as a standard describes it: what a grid row records and the help
// panel shows.
struct ItemRule {
  int code = 0;  // numbering of the item within its grid (or index table)
  std::string name;
  Mark mark = Mark::kInformation;
  int representation = 0;  // class 0-6
  bool date = false;       // a date written "yyyy"-"mm"-"dd"
  int max_bytes = 0;       // 0: a system value, no limit shown
  bool multi_line = false;
  std::string multiplicity;  // "不可", "可", "複数行入力可能です" …
  std::string entry_rule;    // empty when the item has none
};

// The rule of an item of one grid under standard digi_version; none for a
// code that the grid does not number (construction codes 1-5 included) or a
// standard outside 0-13.
std::optional<ItemRule> FindItemRule(InfoGrid grid, int code, int digi_version);

}  // namespace zor
