#include "rules/entry_faults.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "rules/index_catalogue.h"
#include "rules/item_catalogue.h"
#include "rules/item_checks.h"
#include "rules/item_values.h"
#include "rules/level_rules.h"
#include "rules/row_layout.h"
#include "rules/text_rules.h"
#include "store/bindata_error.h"
#include "store/standards.h"
#include "text/encoding.h"
#include "text/sjis.h"

namespace zor {
namespace {

std::string Shown(const std::string& value) {
  if (value.size() <= kEntryValueShownBytes) return value;
  return CutToBytes(value, kEntryValueShownBytes) + Sj("…");
}

std::string MissingRule(Mark mark) {
  switch (mark) {
    case Mark::kRequired:
      return Sj("◎ 必須の項目が未入力");
    case Mark::kConditional:
      return Sj("○ 条件付き必須の項目が未入力");
    default:
      return Sj("△ 任意の項目が未入力");
  }
}

// An empty item that the scope asks for.
bool CountsAsMissing(Mark mark, int scope) {
  switch (mark) {
    case Mark::kRequired:
      return true;
    case Mark::kConditional:
      return scope >= 1;
    case Mark::kOptional:
      return scope >= 2;
    default:
      return false;
  }
}

std::string LengthRule(int max_bytes) {
  return Sj("データ長 ") + std::to_string(max_bytes) + Sj(" バイト（全角 ") + std::to_string(max_bytes / 2) +
         Sj(" 文字）を超える");
}

std::string RepresentationRule(int representation) {
  return Sj("データ表現「") + RepresentationLabel(representation) + Sj("」に合わない文字がある");
}

// Only the half-width classes are checked character by character: the wider
// classes' odd characters are the character check's findings.
bool ChecksCharacters(int representation) {
  return representation == kClassDigits || representation == kClassAscii;
}

// The rules a non-empty value of a grid item breaks, in the order shown.
std::vector<std::string> BrokenRules(InfoGrid grid, const ItemRule& rule, const std::string& value, int version) {
  std::vector<std::string> broken;
  const std::uint8_t faults = ItemFaults(grid, rule.code, value, version);
  if ((faults & kFaultRepresentation) || (ChecksCharacters(rule.representation) &&
                                          NormalizeText(rule.representation, value) != value))
    broken.push_back(RepresentationRule(rule.representation));
  if (rule.max_bytes > 0 && value.size() > static_cast<std::size_t>(rule.max_bytes))
    broken.push_back(LengthRule(rule.max_bytes));
  if (faults & kFaultLines) broken.push_back(Sj("行数が規定を超える"));
  if (faults & kFaultEntryRule)
    broken.push_back(rule.entry_rule.empty() ? Sj("記入規則に合わない") : Sj("記入規則: ") + rule.entry_rule);
  return broken;
}

class Lister {
 public:
  Lister(Delivery& delivery, int scope)
      : d_(delivery), v_(RuleSetOf(delivery.DigiVersion)), scope_(std::clamp(scope, 0, 2)),
        layout_(LayoutInfoRows(v_, false)) {}

  std::vector<EntryFault> Run() {
    Hierarchy();
    if (d_.IndexLoaded)
      Index();
    else
      Construction();
    for (const ListedPicture& e : d_.Pictures.entries) names_.emplace(e.record, e.name);
    std::vector<int> photos;
    for (const HierarchyNode* node : d_.Tree.Nodes()) photos.insert(photos.end(), node->Records().begin(), node->Records().end());
    std::sort(photos.begin(), photos.end());
    photos.erase(std::unique(photos.begin(), photos.end()), photos.end());
    try {
      for (int record : photos) Photo(record);
    } catch (const EBinaryDataSetError&) {
      // A damaged record ends the list; the verification says why.
    }
    return std::move(out_);
  }

 private:
  void Add(EntryFault fault) {
    fault.value = Shown(fault.value);
    out_.push_back(std::move(fault));
  }

  void Item(InfoGrid grid, const ItemRule& rule, const std::string& value, const EntryFault& where) {
    if (value.empty()) {
      if (!CountsAsMissing(rule.mark, scope_)) return;
      EntryFault f = where;
      f.missing = true;
      f.item = rule.name;
      f.rule = MissingRule(rule.mark);
      Add(std::move(f));
      return;
    }
    for (std::string& broken : BrokenRules(grid, rule, value, v_)) {
      EntryFault f = where;
      f.item = rule.name;
      f.value = value;
      f.rule = std::move(broken);
      Add(std::move(f));
    }
  }

  void Hierarchy() {
    for (const HierarchyNode* node : d_.Tree.Nodes()) {
      if (!d_.Tree.IsHierarchyNode(node)) continue;
      std::vector<std::string> path;
      for (const HierarchyNode* n = node; n != nullptr && n->Level() > 0; n = n->Parent()) path.push_back(n->Caption());
      std::reverse(path.begin(), path.end());
      const LevelCheck check = CheckLevelNode(path, v_);
      if (check.max_bytes == 0) continue;
      EntryFault where;
      where.record = where.photo = FirstRecordBelow(*node);
      where.item = LevelName(node->Level());
      where.value = node->Caption();
      if (check.representation_fault) AddLevel(where, RepresentationRule(check.representation));
      if (check.length_fault) AddLevel(where, LengthRule(check.max_bytes));
      if (check.value_fault)
        AddLevel(where, check.joined_messages.empty() ? Sj("記入規則に合わない") : OneLine(check.joined_messages));
    }
  }

  void AddLevel(const EntryFault& where, std::string rule) {
    EntryFault f = where;
    f.rule = std::move(rule);
    Add(std::move(f));
  }

  static std::string OneLine(std::string text) {
    for (char& c : text)
      if (c == '\r' || c == '\n') c = ' ';
    std::string out;
    for (char c : text)
      if (!(c == ' ' && !out.empty() && out.back() == ' ')) out += c;
    return out;
  }

  static std::string LevelName(int level) {
    if (level == 1) return Sj("写真-大分類");
    if (level == 2) return Sj("写真区分");
    return LevelItemName(level);
  }

  // The photo a double click on the node's finding shows: the first one
  // registered at the node or below it.
  static int FirstRecordBelow(const HierarchyNode& node) {
    if (!node.Records().empty()) return node.Records().front();
    for (int i = 0; i < node.ChildCount(); ++i)
      if (int r = FirstRecordBelow(node.Child(i))) return r;
    return 0;
  }

  void Index() {
    const IndexTables& index = d_.Index;
    const int count = std::clamp(index.IndexItemCount, 0, IndexTables::kMaxSlots);
    EntryFault where;
    where.file = IsConstructionIndexVersion(d_.DigiVersion) ? "INDEX_C.XML" : "INDEX_D.XML";
    for (int n = 1; n <= count; ++n) {
      std::optional<ItemRule> rule = FindIndexItemRule(index.IndexItem[n].ItemCode, d_.DigiVersion);
      if (!rule) continue;
      rule->max_bytes = IndexCodeMaxBytes(index.IndexItem[n].ItemCode, d_.DigiVersion);
      // The index's items are numbered apart from the grids' and carry only
      // their byte limits: the index's own DTD rules the rest.
      const std::string& value = index.IndexItemValue[static_cast<std::size_t>(n)];
      if (rule->max_bytes > 0 && value.size() > static_cast<std::size_t>(rule->max_bytes)) {
        EntryFault f = where;
        f.item = rule->name;
        f.value = value;
        f.rule = LengthRule(rule->max_bytes);
        Add(std::move(f));
      }
    }
  }

  void Construction() {
    for (const ItemRule& rule : layout_.Rows(InfoGrid::kKoji))
      Item(InfoGrid::kKoji, rule, ContractItemValue(d_.PhotoContractInfo, rule.code), EntryFault{});
  }

  void Photo(int record) {
    if (!d_.GotoPhotoRecord(record)) return;
    const TViewDataSet& t = d_.PhotoTable;
    EntryFault where;
    where.record = where.photo = record;
    where.file = NameOf(record);
    for (const ItemRule& rule : layout_.Rows(InfoGrid::kPhoto)) {
      std::string value;
      if (rule.code == 9) {
        const int film = t.FieldPos.FILMNUM < 0 ? 0 : t.AsInteger(t.FieldPos.FILMNUM);
        if (film != 0) value = std::to_string(film);
      } else if (PhotoTextField(rule.code) != nullptr) {
        value = RecordText(t, PhotoTextField(rule.code));
      } else {
        continue;  // the coded items always hold a value
      }
      Item(InfoGrid::kPhoto, rule, value, where);
    }
    if (d_.LoadDrawingList(record) != 2) return;
    const TIntList drawings = d_.DrawingRecordList;
    for (std::int32_t drawing : drawings) {
      if (drawing <= 0 || !d_.GotoPhotoRecord(drawing)) continue;
      EntryFault at = where;
      at.record = drawing;
      at.drawing = true;
      at.file = NameOf(drawing);
      for (const ItemRule& rule : layout_.Rows(InfoGrid::kSanko))
        Item(InfoGrid::kSanko, rule, RecordText(d_.PhotoTable, DrawingTextField(rule.code)), at);
    }
  }

  std::string NameOf(int record) const {
    const auto found = names_.find(record);
    return found == names_.end() ? std::string() : found->second;
  }

  Delivery& d_;
  const int v_;
  const int scope_;
  const InfoRowLayout layout_;
  std::vector<EntryFault> out_;
  std::unordered_map<int, std::string> names_;  // record -> its picture as listed
};

}  // namespace

std::vector<EntryFault> ListEntryFaults(Delivery& delivery, int scope) { return Lister(delivery, scope).Run(); }

}  // namespace zor
