// The blackboard's record against PHOTO.XML: each item both hold, after
// trimming blanks and with full- and half-width letters, digits and blanks
// taken as equal; every measured value looked for in the 施工管理値.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "inspect/blackboard_packet.h"
#include "inspect/findings.h"
#include "store/hierarchy.h"

namespace zor {

// What PHOTO.XML says of one photo (code page 932, as stored).
struct BoardRecordItems {
  HierarchyPath classification;       // 写真-大分類 .. 細別
  std::string title;                  // 写真タイトル
  std::string reserve;                // 工種区分予備, one per line
  std::string spot;                   // 撮影箇所
  std::optional<int> representative;  // 代表写真, where the standard has it
  std::optional<int> frequency;       // 提出頻度写真, where the standard has it
  std::string control;                // 施工管理値
  std::string remarks;                // 請負者説明文 (受注者説明文)
};

struct BoardDifference {
  std::string item;  // the item's name (code page 932)
  Severity severity = Severity::kWarning;
  std::string message;  // code page 932
};

// The differences between a board read and a photo's record, in the
// order of the items.
std::vector<BoardDifference> CompareBlackboard(const Blackboard& board, const BoardRecordItems& record);

// Two texts (UTF-8) equal once trimmed of blanks, with full-width letters,
// digits and the ideographic space read as their ASCII forms.
bool SameBoardText(std::string_view a, std::string_view b);

// The text (UTF-8) trimmed and with those characters made ASCII.
std::string NormalizedBoardText(std::string_view text);

}  // namespace zor
