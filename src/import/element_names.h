// Recognising element names while a reader walks a node tree: each node's
// name is looked up once, and the path of its ancestors is kept as ids.
#pragma once

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>
#include <unordered_map>

namespace zor {

// The names one reader knows, each with the id the reader gives it. Find
// matches like SameNodeName: both trimmed with TrimWide, single-byte letters
// compared ignoring case.
class ElementNames {
 public:
  static constexpr int kUnknown = -1;

  struct Entry {
    int id;
    std::string_view utf8;  // compared as code page 932
  };
  ElementNames() = default;
  ElementNames(std::initializer_list<Entry> entries);

  int Find(std::string_view nodeText) const;
  // The id of a name (code page 932), given the next free id when it is new.
  int Add(std::string_view sjisName);

 private:
  std::unordered_map<std::string, int> ids_;
};

// path[level] := the id of the latest node of that level (0 the document
// element). Levels beyond the node tree's 30 are never set.
class ElementPath {
 public:
  static constexpr int kLevels = 31;

  void Set(int level, int id) {
    if (level >= 0 && level < kLevels) ids_[static_cast<std::size_t>(level)] = id;
  }
  int operator[](int level) const {
    return level >= 0 && level < kLevels ? ids_[static_cast<std::size_t>(level)] : ElementNames::kUnknown;
  }
  void Clear() { ids_.fill(ElementNames::kUnknown); }

 private:
  std::array<int, kLevels> ids_ = Unknowns();
  static std::array<int, kLevels> Unknowns() {
    std::array<int, kLevels> a;
    a.fill(ElementNames::kUnknown);
    return a;
  }
};

}  // namespace zor
