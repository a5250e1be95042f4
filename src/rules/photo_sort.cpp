#include "rules/photo_sort.h"

#include <algorithm>

#include "rules/photo_search.h"
#include "store/standards.h"

namespace zor {
namespace {

std::string RightAligned(std::string text, std::size_t width) {
  if (text.size() > width) return text.substr(text.size() - width);
  return std::string(width - text.size(), ' ') + text;
}

std::string LeftAligned(std::string text, std::size_t width) {
  if (text.size() > width) text.resize(width);
  text.append(width - text.size(), ' ');
  return text;
}

std::string NumberText(int n) { return n == 0 ? std::string() : std::to_string(n); }

}  // namespace

std::vector<std::string> SortKeyList(int v) {
  v = RuleSetOf(v);
  const bool seiri = v == 0 || v == 1 || v == 10;
  std::vector<std::string> list = {
      "指定無",    seiri ? "写真整理フラッグ" : "代表写真", "写真ファイル日本語名", "写真タイトル", "撮影箇所",
      "撮影年月日"};
  if (UsesTeishutsuFlag(v)) list.push_back("提出頻度写真");
  if (v == 0) {
    list.push_back("フィルム番号");
    list.push_back("コマ番号");
  }
  return list;
}

SortField SortFieldOfEntry(std::string_view text) {
  struct Entry {
    std::string_view text;
    SortField field;
  };
  static const Entry entries[] = {
      {"写真整理フラッグ", kSortFlag}, {"代表写真", kSortFlag},        {"写真ファイル日本語名", kSortJFileName},
      {"写真タイトル", kSortTitle},    {"撮影箇所", kSortKasyo},       {"撮影年月日", kSortDate},
      {"提出頻度写真", kSortFilmNum},  {"フィルム番号", kSortFilmNum}, {"コマ番号", kSortNegaNum},
  };
  for (const Entry& e : entries)
    if (e.text == text) return e.field;
  return kSortNone;
}

int KeptSortSelection(int selection, int oldVersion, int newVersion, int newCount) {
  oldVersion = RuleSetOf(oldVersion);
  newVersion = RuleSetOf(newVersion);
  if (selection < 0) return -1;
  if (oldVersion == 0 && newVersion != 0 && selection > 5) return 0;
  return selection < newCount ? selection : -1;
}

std::string SortSegment(const TViewDataSet& t, SortField field) {
  switch (field) {
    case kSortFlag:
      return RightAligned(NumberText(t.AsInteger(t.FieldPos.FLAG)), 6);
    case kSortJFileName:
      return LeftAligned(t.AsString(t.FieldPos.JFILENAME), 254);
    case kSortTitle:
      return LeftAligned(t.AsString(t.FieldPos.TITLE), 254);
    case kSortKasyo:
      return LeftAligned(t.AsString(t.FieldPos.KASYO), 254);
    case kSortDate:
      return LeftAligned(t.AsString(t.FieldPos.DATE), 10);
    case kSortFilmNum:
      return RightAligned(NumberText(t.AsInteger(t.FieldPos.FILMNUM)), 8);
    case kSortNegaNum:
      return RightAligned(t.AsString(t.FieldPos.NEGANUM), 8);
    default:
      return std::string();
  }
}

TIntList SortRecords(Delivery& d, const TIntList& records, const std::vector<SortField>& fields, bool descending) {
  struct Keyed {
    int record;
    std::string key;
  };
  std::vector<Keyed> keyed;
  keyed.reserve(records.size());
  for (int record : records) {
    Keyed k{record, std::string()};
    if (d.GotoPhotoRecord(record))
      for (SortField f : fields) k.key += SortSegment(d.PhotoTable, f);
    keyed.push_back(std::move(k));
  }
  // std::string compares its bytes as unsigned char, as Shift_JIS wants.
  std::stable_sort(keyed.begin(), keyed.end(),
                   [descending](const Keyed& a, const Keyed& b) { return descending ? b.key < a.key : a.key < b.key; });
  TIntList sorted;
  sorted.reserve(keyed.size());
  for (const Keyed& k : keyed) sorted.push_back(k.record);
  return sorted;
}

}  // namespace zor
