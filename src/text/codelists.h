// The standard's code lists, as code page 932 texts, with their display texts
// joined by "・".
#pragma once

#include <string>
#include <vector>

namespace zor {

struct CodeList {
  std::vector<std::string> entries;
  std::string joined;
};

// Photo major classes of the current layout: 工事, 測量, 調査, 地質, 広報, 設計, その他.
const CodeList& PhotoMajorClassesCurrent();
// Photo major classes of the earlier layouts: 工事, 調査, 測量, 設計, その他.
const CodeList& PhotoMajorClassesEarlier();
// Photo categories (写真区分): 着手前及び完成写真 … その他.
const CodeList& PhotoCategories();

}  // namespace zor
