#include "rules/photo_search.h"

#include <algorithm>
#include <cstdint>

#include "rules/text_rules.h"
#include "store/standards.h"
#include "text/lenient.h"
#include "text/sjis.h"

namespace zor {
namespace {

bool IsTextKey(int key) {
  return key == kSeekJFileName || key == kSeekTitle || key == kSeekKasyo || key == kSeekNegaNum;
}

bool TextMatches(const std::string& normalisedValue, const std::string& normalisedFrom, int method) {
  switch (method) {
    case kMatchEqual:
      return normalisedValue == normalisedFrom;
    case kMatchStart:
      return normalisedValue.compare(0, normalisedFrom.size(), normalisedFrom) == 0;
    default:
      // Only at character starts: a half-width katakana byte must not match
      // the second byte of a double-byte character.
      return FindIgnoringCase(normalisedValue, normalisedFrom) != std::string::npos;
  }
}

// A sort entry of the list-mode result.
struct SortEntry {
  int record;
  std::int32_t number;
  std::string text;
};

}  // namespace

bool UsesDaihyoFlag(int v) {
  v = RuleSetOf(v);
  return (v >= 2 && v <= 9) || (v >= 11 && v <= 13);
}

bool UsesTeishutsuFlag(int v) {
  v = RuleSetOf(v);
  return v == 3 || v == 4 || v == 6 || v == 7 || v == 9;
}

std::vector<SearchKeyEntry> SearchKeyList(int digiVersion, bool listMode, const std::string& today) {
  digiVersion = RuleSetOf(digiVersion);
  std::vector<SearchKeyEntry> list;
  if (!listMode) list.push_back({kSeekNode, "工事階層/工事フォルダ"});
  list.push_back({kSeekFlag, UsesDaihyoFlag(digiVersion) ? "代表写真(例:0,1)" : "写真整理フラッグ (例:0～99)"});
  list.push_back({kSeekJFileName, "ファイル日本語名"});
  list.push_back({kSeekTitle, "タイトル"});
  list.push_back({kSeekKasyo, "撮影箇所"});
  list.push_back({kSeekDate, "写真/撮影年月日 (例:" + today + ")"});
  if (UsesTeishutsuFlag(digiVersion)) list.push_back({kSeekFilmNum, "提出頻度写真(例:0,1)"});
  if (digiVersion == 0) {
    list.push_back({kSeekFilmNum, "フィルム番号"});
    list.push_back({kSeekNegaNum, "コマ番号"});
  }
  return list;
}

std::vector<std::string> SearchSortList(int digiVersion) {
  digiVersion = RuleSetOf(digiVersion);
  std::vector<std::string> list = {"無 (工事階層順)",  UsesDaihyoFlag(digiVersion) ? "代表写真" : "写真整理フラッグ",
                                   "ファイル日本語名", "タイトル",
                                   "撮影箇所",         "撮影年月日"};
  if (UsesTeishutsuFlag(digiVersion)) list.push_back("提出頻度写真");
  if (digiVersion == 0) {
    list.push_back("フィルム番号");
    list.push_back("コマ番号");
  }
  return list;
}

std::vector<std::string> SearchDirectionList(bool listMode) {
  if (listMode) return {"先頭から", "現在階層から下に"};
  return {"先頭から", "現在位置から下に", "現在位置から上に"};
}

int KeptSearchEntry(int oldIndex, int count, int digiVersion) {
  digiVersion = RuleSetOf(digiVersion);
  if (count <= 0) return -1;
  if (oldIndex < 0) return 0;
  if (digiVersion != 0 && oldIndex > 5) return 0;
  return std::min(oldIndex, count - 1);
}

std::string CompactDate(std::string_view text) {
  if (text.size() != 10) return std::string(text);
  return std::string(text.substr(0, 4)) + std::string(text.substr(5, 2)) + std::string(text.substr(8, 2));
}

std::string SearchValueOf(const TViewDataSet& t, int key) {
  switch (key) {
    case kSeekFlag:
      return std::to_string(t.AsInteger(t.FieldPos.FLAG));
    case kSeekFilmNum:
      return std::to_string(t.AsInteger(t.FieldPos.FILMNUM));
    case kSeekJFileName:
      return t.AsString(t.FieldPos.JFILENAME);
    case kSeekTitle:
      return t.AsString(t.FieldPos.TITLE);
    case kSeekKasyo:
      return t.AsString(t.FieldPos.KASYO);
    case kSeekNegaNum:
      return t.AsString(t.FieldPos.NEGANUM);
    case kSeekDate:
      return CompactDate(t.AsString(t.FieldPos.DATE));
    default:
      return std::string();
  }
}

bool ValueMatches(const std::string& value, int key, int method, const std::string& from, const std::string& to) {
  if (from.empty() && to.empty()) return true;
  if (IsTextKey(key)) return TextMatches(NormalizeForSearch(value), from, method);
  const std::int32_t n = LenientInteger(value);
  if (!from.empty() && n < LenientInteger(from)) return false;
  if (!to.empty() && n > LenientInteger(to)) return false;
  return true;
}

bool LevelWithin(int level, const SearchCondition& c) {
  return (c.levelFrom < 0 || level >= c.levelFrom) && (c.levelTo < 0 || level <= c.levelTo);
}

TIntList SearchList(Delivery& d, const HierarchyNode* selected, const SearchCondition& c, const std::string& from,
                    const std::string& to, Host& host) {
  const std::vector<HierarchyNode*> nodes = d.Tree.Nodes();
  const int count = static_cast<int>(nodes.size());
  const std::string nFrom = NormalizeForSearch(from);
  const std::string nTo = NormalizeForSearch(to);
  const bool given = !from.empty() || !to.empty();
  int first = 0;
  int end = count;
  if (c.direction == 1 && selected) {
    const auto it = std::find(nodes.begin(), nodes.end(), selected);
    if (it != nodes.end()) {
      first = static_cast<int>(it - nodes.begin());
      end = first + 1;
      while (end < count && nodes[end]->Level() > selected->Level()) ++end;
    }
  }
  host.ReportProgress('S', count);
  TIntList matches;
  for (int i = first; i < end; ++i) {
    host.ReportProgress('R', i + 1);
    const HierarchyNode* node = nodes[i];
    if (node == d.Tree.UnclassifiedNode() || !LevelWithin(node->Level(), c)) continue;
    for (int record : node->Records()) {
      if (!d.GotoPhotoRecord(record)) continue;
      if (given) {
        const std::string value = SearchValueOf(d.PhotoTable, c.key);
        if (value.empty() || !ValueMatches(value, c.key, c.method, nFrom, nTo)) continue;
      }
      matches.push_back(record);
    }
  }
  SortSearchResult(d, matches, c.sortKey);
  host.ReportProgress('E', 0);
  return matches;
}

void SortSearchResult(Delivery& d, TIntList& records, int key) {
  if (key <= 0 || key > kSeekNegaNum) return;
  std::vector<SortEntry> entries;
  entries.reserve(records.size());
  for (int record : records) {
    SortEntry e{record, 0, std::string()};
    if (d.GotoPhotoRecord(record)) e.text = SearchValueOf(d.PhotoTable, key);
    e.number = LenientInteger(e.text);
    entries.push_back(std::move(e));
  }
  const bool byNumber = key == kSeekFlag || key == kSeekFilmNum || key == kSeekNegaNum;
  std::stable_sort(entries.begin(), entries.end(), [byNumber](const SortEntry& a, const SortEntry& b) {
    if (byNumber && a.number != b.number) return a.number < b.number;
    return a.text < b.text;  // byte by byte, unsigned
  });
  for (std::size_t i = 0; i < entries.size(); ++i) records[i] = entries[i].record;
}

std::optional<TreePosition> SearchNextPhoto(Delivery& d, const SearchCondition& c, const std::string& from,
                                            const std::string& to, TreePosition current) {
  const std::vector<HierarchyNode*> nodes = d.Tree.Nodes();
  const int count = static_cast<int>(nodes.size());
  if (count == 0) return std::nullopt;
  const std::string nFrom = NormalizeForSearch(from);
  const std::string nTo = NormalizeForSearch(to);
  const bool backward = c.direction == 2;
  const bool fromCurrent = c.direction == 1 || c.direction == 2;
  const bool hasNode = current.node >= 0 && current.node < count;
  int node = backward ? count - 1 : 0;
  if (fromCurrent && hasNode) node = current.node;
  // The first photo looked at in the start node; -2 stands for its last.
  int index = backward ? -2 : 0;
  if (fromCurrent && hasNode && current.index >= 0) index = backward ? current.index - 1 : current.index + 1;
  for (; node >= 0 && node < count; node += backward ? -1 : 1) {
    const HierarchyNode* n = nodes[node];
    const TIntList& records = n->Records();
    const int size = static_cast<int>(records.size());
    if (index == -2) index = size - 1;
    if (LevelWithin(n->Level(), c)) {
      for (int i = index; i >= 0 && i < size; i += backward ? -1 : 1) {
        const int record = records[i];
        if (record < 0 || !d.GotoPhotoRecord(record)) continue;
        if (ValueMatches(SearchValueOf(d.PhotoTable, c.key), c.key, c.method, nFrom, nTo)) return TreePosition{node, i};
      }
    }
    index = backward ? -2 : 0;
  }
  return std::nullopt;
}

std::optional<int> SearchNextNode(const HierarchyTree& tree, const SearchCondition& c, const std::string& text,
                                  int selected) {
  const std::vector<HierarchyNode*> nodes = tree.Nodes();
  const int count = static_cast<int>(nodes.size());
  if (count == 0) return std::nullopt;
  const bool backward = c.direction == 2;
  int start = 0;
  if (c.direction == 1) start = selected >= 0 ? selected + 1 : 0;
  if (backward) start = selected >= 0 ? selected - 1 : count - 1;
  start = std::clamp(start, 0, count - 1);
  const std::string normalised = NormalizeForSearch(text);
  for (int i = start; i >= 0 && i < count; i += backward ? -1 : 1) {
    const HierarchyNode* n = nodes[i];
    if (!LevelWithin(n->Level(), c)) continue;
    if (text.empty() || TextMatches(NormalizeForSearch(n->Caption()), normalised, c.method)) return i;
  }
  return std::nullopt;
}

}  // namespace zor
