// The photo search: the key lists of the search dialog for each standard,
// the value of a photo for a key, the match rules, the search over the tree
// in list mode (every match, optionally sorted) and in move mode (the next
// match from a position, or the next tree node by its caption).
// Texts of the photo table and of the search are code page 932; the entry
// texts of the lists are UTF-8 for the dialog.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/host.h"
#include "store/delivery.h"
#include "store/int_list.h"

namespace zor {

// What is searched; also the index of the result sort entry (0: no sorting).
enum SearchKey : int {
  kSeekNode = 0,       // a tree node's caption (move mode only)
  kSeekFlag = 1,       // FLAG, 代表写真 or 写真整理フラッグ
  kSeekJFileName = 2,  // JFILENAME
  kSeekTitle = 3,      // TITLE
  kSeekKasyo = 4,      // KASYO
  kSeekDate = 5,       // DATE
  kSeekFilmNum = 6,    // FILMNUM, 提出頻度写真 or フィルム番号
  kSeekNegaNum = 7,    // NEGANUM, コマ番号
};

// How texts compare (the method list's index).
enum SearchMethod : int { kMatchEqual = 0, kMatchStart = 1, kMatchContains = 2 };

struct SearchCondition {
  int key = kSeekTitle;
  int method = kMatchContains;
  // List mode: 0 the whole tree, 1 the selected node's subtree. Move mode:
  // 0 from the first node, 1 forward and 2 backward from the current photo.
  int direction = 0;
  // Tree levels 1 .. 5 the nodes must lie within; -1 means no bound.
  int levelFrom = -1;
  int levelTo = -1;
  // The result sort key of list mode (a SearchKey); 0 keeps tree order.
  int sortKey = 0;
};

// Standards that call FLAG 代表写真 (0 or 1); the others (0, 1, 10) call it
// 写真整理フラッグ (0 to 99).
bool UsesDaihyoFlag(int digiVersion);
// Standards whose FILMNUM is 提出頻度写真 (0 or 1).
bool UsesTeishutsuFlag(int digiVersion);

struct SearchKeyEntry {
  int key;
  std::string text;  // UTF-8
};
// The key list for a standard: list mode leaves out the tree caption key.
// today is the example date of the date entry, as yyyy-mm-dd.
std::vector<SearchKeyEntry> SearchKeyList(int digiVersion, bool listMode, const std::string& today);
// The result sort list (UTF-8); entry i sorts by key i.
std::vector<std::string> SearchSortList(int digiVersion);
// The direction list (UTF-8) of each mode.
std::vector<std::string> SearchDirectionList(bool listMode);

// The entry a list keeps when it is rebuilt with count entries: the old
// position, the first entry when the standard is not 0 and the position lay
// beyond the sixth entry, the last entry when it lies beyond the end.
int KeptSearchEntry(int oldIndex, int count, int digiVersion);

// yyyy-mm-dd (exactly 10 bytes) as yyyymmdd; any other text unchanged.
std::string CompactDate(std::string_view text);

// The value of the current photo record for a key (1 .. 7): numbers in
// decimal, DATE compacted, texts as stored.
std::string SearchValueOf(const TViewDataSet& table, int key);

// Compares a value with the search texts, which are given when not empty
// and already normalised (NormalizeForSearch). Text keys compare the
// normalised value with from by the method; keys 1, 5 and 6 read value and
// bounds as lenient integers. Without from and to everything matches.
bool ValueMatches(const std::string& value, int key, int method, const std::string& normalisedFrom,
                  const std::string& to);

// True when the node's level lies within the condition's level bounds.
bool LevelWithin(int level, const SearchCondition& condition);

// The record numbers of the list-mode search, in tree order or sorted by the
// result sort key. selected is the selected tree node (may be null). Reports
// progress through host. Record numbers the photo table does not hold are
// skipped.
TIntList SearchList(Delivery& delivery, const HierarchyNode* selected, const SearchCondition& condition,
                    const std::string& from, const std::string& to, Host& host);

// Orders records stably by the value of key (2, 3, 4, 5 by their bytes;
// 1, 6 and 7 by number, ties by their bytes). Key 0 keeps the order.
void SortSearchResult(Delivery& delivery, TIntList& records, int key);

// Where a move-mode search stands: a node by its depth-first index and a
// photo by its position in the node's record list.
struct TreePosition {
  int node = -1;
  int index = -1;
};

// Move mode over photos (keys 1 .. 7): the first match after (or, with
// direction 2, before) the current position. current.node -1: no selected
// node; current.index -1: no focused thumbnail.
std::optional<TreePosition> SearchNextPhoto(Delivery& delivery, const SearchCondition& condition,
                                            const std::string& from, const std::string& to, TreePosition current);

// Move mode over node captions (key 0): the depth-first index of the next
// matching node from the selected one (-1: none selected), or nothing.
std::optional<int> SearchNextNode(const HierarchyTree& tree, const SearchCondition& condition,
                                  const std::string& text, int selected);

}  // namespace zor
