// The rules of the hierarchy levels of the photo classification tree: byte
// limit and representation of each level, the allowed photo major classes
// and photo classes, and the messages and advice that a work type, kind or
// detail gets under its photo class.
#pragma once

#include <array>
#include <span>
#include <string>

#include "text/codelists.h"

namespace zor {

inline constexpr int kLevelMessageCount = 13;

struct LevelCheck {
  int level = 0;      // 0 for a top node; a node deeper than 5 counts as level 5
  int max_bytes = 0;  // 0 for a top node, which has no fault
  int representation = 0;
  bool representation_fault = false;
  bool length_fault = false;
  bool value_fault = false;
  // The numbered messages: message n at [n - 1], empty when not produced.
  // 1-3 work types under 着手前及び完成写真, 災害写真, その他; 4-8 kinds and
  // 9-13 details under 着手前及び完成写真, 安全管理写真, 品質管理写真, 災害写真, その他.
  std::array<std::string, kLevelMessageCount> messages;
  std::string joined_messages;  // the produced messages in number order, CR LF between
  std::string advice;           // empty when there is none
};

// Checks one tree node. path holds the captions from level 1 down to the
// node (its size is the node's level); it is empty for the two top nodes.
LevelCheck CheckLevelNode(std::span<const std::string> path, int digi_version);

// The captions allowed at level 1: the photo major classes of the standard.
const CodeList& AllowedMajorClasses(int digi_version);
// The captions allowed at level 2 under "工事": the standard's photo classes.
const CodeList& AllowedPhotoClasses(int digi_version);
// What a level below the photo class holds: "工種", "種別" or "細別" for levels
// 3, 4 and 5 (deeper levels count as 5); empty for levels 1 and 2.
const std::string& LevelItemName(int level);

}  // namespace zor
