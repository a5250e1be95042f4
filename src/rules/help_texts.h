// The texts of the help panel for a grid row and for a hierarchy tree node.
// The panel has five labels; these functions decide every label's text,
// whether it is shown and whether it is red, so the panel only paints them.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "rules/item_catalogue.h"

namespace zor {

struct HelpLabel {
  std::string text;  // code page 932
  bool visible = true;
  bool red = false;  // else black
  bool operator==(const HelpLabel&) const = default;
};

using HelpLabels = std::array<HelpLabel, 5>;

// What the help of a grid row depends on besides the row itself.
struct ItemHelpContext {
  bool grid_focused = false;      // the visible grid or its cell editor has the focus
  bool construction_tab = false;  // the visible grid is the construction grid
  bool index_loaded = false;      // the delivery was opened through its index file
  int digi_version = 7;
  bool keikoku_red = true;
};

// The help of a grid row: its representation, byte limit, multiplicity and
// entry rule, the first four red for the row's fault flags 1, 2, 4 and 8.
HelpLabels ShowItemHelp(const ItemHelpContext& context, const ItemRule& row, std::uint8_t faults);

// The help without a row or node, also the level help when no node is
// selected: "説明はありません".
HelpLabels NoHelp();

// The help of the standard selector: "説明はありません", and for a standard
// checked by the rules of another the line naming that rule set.
HelpLabels ShowStandardHelp(int digi_version);

// The help of a tree node, path as for CheckLevelNode (empty for a top node):
// representation, byte limit, the rule of the level and, in the fifth label,
// the node's messages in red or its advice.
HelpLabels ShowLevelHelp(std::span<const std::string> path, int digi_version, bool keikoku_red);

}  // namespace zor
