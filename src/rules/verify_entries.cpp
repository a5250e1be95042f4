#include "rules/verify_entries.h"

#include <algorithm>
#include <span>
#include <string_view>

#include "rules/text_rules.h"
#include "rules/version_set.h"
#include "store/bindata_error.h"
#include "store/standards.h"
#include "text/encoding.h"

namespace zor {
namespace {

constexpr std::string_view kCrLf = "\r\n";

// The captions from level 1 down to the node; empty for the two top nodes.
std::vector<std::string> PathOf(const HierarchyNode& node) {
  std::vector<std::string> path;
  for (const HierarchyNode* n = &node; n != nullptr && n->Level() > 0; n = n->Parent()) path.push_back(n->Caption());
  std::reverse(path.begin(), path.end());
  return path;
}

std::string CountLine(const char* head_utf8, int count, const char* tail_utf8) {
  return Sj(head_utf8) + std::to_string(count) + Sj(tail_utf8);
}

class Verifier {
 public:
  Verifier(Delivery& delivery, int scope, Host& host)
      : d_(delivery), v_(RuleSetOf(delivery.DigiVersion)), scope_(std::clamp(scope, 0, 2)), host_(host) {}

  VerifyResult Run() {
    CheckHierarchy();
    CheckConstruction();
    try {
      CheckPhotos();
    } catch (const EBinaryDataSetError& e) {
      host_.ReportProgress('E', 0);
      r_.error = e.what();
      return std::move(r_);
    }
    Report();
    return std::move(r_);
  }

 private:
  const VerifyCounts& c() const { return r_.counts; }
  VerifyCounts& c() { return r_.counts; }
  bool In(VersionSet set) const { return InSet(set, v_); }
  void Add(std::string line) { r_.lines.push_back(std::move(line)); }

  void CheckHierarchy() {
    for (const HierarchyNode* node : d_.Tree.Nodes()) {
      const std::vector<std::string> path = PathOf(*node);
      const LevelCheck check = CheckLevelNode(path, v_);
      if (check.max_bytes == 0) continue;
      c().level_representation += check.representation_fault;
      c().level_length += check.length_fault;
      c().level_value += check.value_fault;
      for (std::size_t i = 0; i < check.messages.size(); ++i) {
        if (check.messages[i].empty()) continue;
        r_.messages[i] = true;
        message_texts_[i] = check.messages[i];
      }
    }
    if (c().level_representation)
      Add(CountLine("【工事階層】のデータ表現に関する入力ミスが ", c().level_representation, " 件ありました。"));
    if (c().level_length)
      Add(CountLine("【工事階層】のデータ長に関する入力ミスが ", c().level_length, " 件ありました。"));
    if (c().level_value)
      Add(CountLine("【工事階層】の記入規則に関する入力ミスが ", c().level_value, " 件ありました。"));
    if (!AnyMessage()) return;
    Add(Sj("【工事階層】"));
    std::string joined;
    for (std::size_t i = 0; i < r_.messages.size(); ++i) {
      if (!r_.messages[i]) continue;
      if (!joined.empty()) joined += kCrLf;
      joined += message_texts_[i];
    }
    Add(std::move(joined));
  }

  bool AnyMessage() const {
    return std::any_of(r_.messages.begin(), r_.messages.end(), [](bool b) { return b; });
  }

  void CheckConstruction() {
    if (d_.IndexLoaded || !In(Vs("0, 1, 5-10, 12, 13"))) return;
    const PhotoContractBlock& info = d_.PhotoContractInfo;
    auto empty = [&](ContractText field) { return info.Text(field).empty(); };
    using enum ContractText;
    bool missing = false;
    auto need = [&](bool counts, bool is_empty) { missing = missing || (counts && is_empty); };

    need(!In(Vs("8, 13")), info.OrderYear() == 0);
    for (ContractText f : {WorkNumber, ConstructionName, PeriodStart, PeriodEnd, ClientCode, ContractorName})
      need(true, empty(f));
    need(In(Vs("0, 1, 10")), empty(ConstructionPlace));
    need(!In(Vs("8, 9, 13")), empty(ClientMajor));
    need(In(Vs("5-7, 12")), empty(ClientMiddle) || empty(ClientMinor));
    need(In(Vs("8, 13")), empty(ContractorCode));
    if (scope_ >= kScopeConditional) {
      need(true, empty(RiverRouteName) || empty(ContractorCode));
      need(In(Vs("0, 1, 10")), empty(ClientMiddle) || empty(ClientMinor));
    }
    if (scope_ >= kScopeOptional) {
      need(v_ == 0, empty(ClientNote));
      need(In(Vs("0, 1, 10")), empty(MediaReserve) || empty(ContractorNote));
    }
    c().construction_missing = missing;

    const std::string& client_code = info.Text(ClientCode);
    const std::string& start = info.Text(PeriodStart);
    const std::string& end = info.Text(PeriodEnd);
    // A year is four digits; a negative number has four characters from -999
    // on but is no year.
    const int year = info.OrderYear();
    c().construction_wrong = (!client_code.empty() && client_code.size() < 8) ||
                             (In(Vs("5-7, 12")) && NormalizeText(kClassDigits, client_code) != client_code) ||
                             (year != 0 && (year < 1000 || year > 9999)) || (!start.empty() && start.size() != 10) ||
                             (!end.empty() && end.size() != 10);
  }

  void CheckPhotos() {
    const std::vector<HierarchyNode*> nodes = d_.Tree.Nodes();
    host_.ReportProgress('S', static_cast<int>(nodes.size()));
    int position = 0;
    for (const HierarchyNode* node : nodes) {
      host_.ReportProgress('R', ++position);
      if (node == d_.Tree.UnclassifiedNode()) continue;
      for (std::int32_t record : node->Records()) CheckPhoto(record);
    }
    host_.ReportProgress('E', 0);
  }

  void CheckPhoto(std::int32_t record) {
    if (!d_.GotoPhotoRecord(record)) return;
    TViewDataSet& t = d_.PhotoTable;
    const PhotoFieldPositions& f = t.FieldPos;
    auto text = [&](int pos) { return t.AsString(pos); };
    auto empty = [&](int pos) { return t.AsString(pos).empty(); };

    bool missing = empty(f.TITLE) || (In(Vs("3-9, 12, 13")) && empty(f.DATE));
    if (scope_ >= kScopeConditional)
      missing = missing || empty(f.KASYO) || (In(Vs("0-2, 10, 11")) && empty(f.DATE)) ||
                (v_ == 0 && (t.AsInteger(f.FILMNUM) == 0 || empty(f.NEGANUM))) || empty(f.KANRI);
    if (scope_ >= kScopeOptional)
      missing = missing || (v_ != 0 && empty(f.JFILENAME)) || empty(f.YOBI_KK) || empty(f.UKEOIBIKOU) ||
                (In(Vs("0, 1, 10")) &&
                 (empty(f.YOBI_FJ) || empty(f.YOBI_SJ) || empty(f.YOBI_SK) || empty(f.YOBI_JK) || empty(f.YOBI_SO))) ||
                (v_ == 0 && (empty(f.YOBI_FU) || empty(f.HACYUBIKOU)));

    const bool kanri_rule = In(Vs("1, 10")) && empty(f.KANRI) && !empty(f.YOBI_SK);

    const std::string date = text(f.DATE);
    auto lines = [&](int pos) { return SplitValueLines(text(pos)).size(); };
    const bool wrong =
        (!date.empty() && date.size() != 10) ||
        (v_ == 0 && (lines(f.YOBI_KK) > 3 || lines(f.YOBI_SO) > 3 || lines(f.YOBI_SJ) > 1 || lines(f.YOBI_SK) > 1));

    bool drawing_marked = false;
    int drawings = 0;
    if (d_.LoadDrawingList(record) == 2) {
      const TIntList list = d_.DrawingRecordList;
      for (std::int32_t drawing : list) {
        if (drawing <= 0 || !d_.GotoPhotoRecord(drawing)) continue;
        ++drawings;
        if (CheckDrawing()) drawing_marked = true;
      }
    }
    const bool too_many = v_ == 0 && drawings >= kTooManyDrawings;
    if (too_many) ++c().too_many_drawings;

    if (missing) ++c().photos_missing;
    if (wrong) ++c().photos_wrong;
    if (kanri_rule) ++c().kanri_rule;
    if (missing || wrong || kanri_rule || drawing_marked || too_many) r_.faulty.push_back(record);
  }

  // The current record is a drawing of the photo; true when it is faulty.
  bool CheckDrawing() {
    TViewDataSet& t = d_.PhotoTable;
    const PhotoFieldPositions& f = t.FieldPos;
    auto empty = [&](int pos) { return t.AsString(pos).empty(); };

    bool missing = false;
    if (v_ != 0) {
      ++c().drawings_examined;
      missing = empty(f.TITLE);
    }
    if (scope_ >= kScopeConditional)
      missing = missing || (In(Vs("2-9, 11-13")) && empty(f.JFILENAME)) || (In(Vs("1, 10")) && empty(f.TITLE));
    if (scope_ >= kScopeOptional)
      missing = missing || (In(Vs("1, 10")) && empty(f.JFILENAME)) || (v_ != 0 && empty(f.YOBI_FJ));
    const bool wrong = In(Vs("1, 10")) && SplitValueLines(t.AsString(f.YOBI_FJ)).size() > 1;

    if (missing) ++c().drawings_missing;
    if (wrong) ++c().drawings_wrong;
    return missing || wrong;
  }

  void Report() {
    if (c().construction_missing) Add(Sj("【工事情報】の未入力項目がありました。"));
    if (c().construction_wrong) Add(Sj("【工事情報】の入力ミスがありました。"));
    if (!r_.faulty.empty()) {
      if (c().photos_missing) Add(CountLine("【写真情報】の未入力項目が ", c().photos_missing, " 件ありました。"));
      if (c().photos_wrong) Add(CountLine("【写真情報】の入力ミスが ", c().photos_wrong, " 件ありました。"));
      if (c().kanri_rule)
        Add(Sj("【写真情報】の施工管理値が未入力で施工管理値予備が") + std::string(kCrLf) + std::string(12, ' ') +
            CountLine("入力されているものが ", c().kanri_rule, " 件ありました。"));
      if (c().drawings_missing) {
        std::string line = CountLine("【付加情報】の未入力項目が ", c().drawings_missing, " 件ありました。");
        if (c().drawings_examined)
          line += std::string(kCrLf) + std::string(12, ' ') + Sj("付加情報には必ずタイトルの記入が必要です");
        Add(std::move(line));
      }
      if (c().drawings_wrong) Add(CountLine("【付加情報】の入力ミスが ", c().drawings_wrong, " 件ありました。"));
      if (c().too_many_drawings)
        Add(CountLine("【付加情報】が３件以上入力されている写真が ", c().too_many_drawings, " 件ありました。"));
      host_.EnterListMode(2, r_.faulty);
      Add(std::string());
      Add(Sj("対象となる工事写真を一覧を表示します"));
    } else if (host_.ListMode() != 0) {
      host_.LeaveListMode();
      host_.ShowNodePhotos();
    }
    if (c().construction_wrong || c().photos_wrong || c().drawings_wrong)
      Add(Sj("(工事階層以外の入力ミスは情報パネルに赤色表示されます)"));
    r_.clean = c().level_representation == 0 && c().level_length == 0 && c().level_value == 0 && !AnyMessage() &&
               !c().construction_missing && !c().construction_wrong && r_.faulty.empty();
    if (r_.clean) Add(Sj("入力漏れ/入力ミスはありませんでした。"));
  }

  Delivery& d_;
  const int v_;
  const int scope_;
  Host& host_;
  VerifyResult r_;
  std::array<std::string, kLevelMessageCount> message_texts_;  // the remembered messages
};

}  // namespace

VerifyResult VerifyEntries(Delivery& delivery, int scope, Host& host) { return Verifier(delivery, scope, host).Run(); }

}  // namespace zor
