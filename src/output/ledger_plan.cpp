#include "output/ledger_plan.h"

#include <filesystem>
#include <initializer_list>
#include <map>
#include <string_view>

#include "app/folders.h"
#include "output/html_text.h"
#include "output/photo_walk.h"
#include "store/delivery.h"
#include "store/standards.h"
#include "text/encoding.h"

namespace zor {
namespace {

// Element codes of the index files (construction, services).
constexpr int kWorkNumber = 2, kWorkName = 3, kWorkStart = 11, kWorkEnd = 12;
constexpr int kClientMajor = 32, kClientMiddle = 33, kClientMinor = 34, kWorkContractor = 36;
constexpr int kDesignCode = 3, kServiceName = 4, kServiceStart = 7, kServiceEnd = 8;
constexpr int kClientOffice = 29, kServiceContractor = 30;

// Values joined by one space, the empty ones left out.
std::string Joined(std::initializer_list<std::string> values) {
  std::string text;
  for (const std::string& v : values) {
    if (v.empty()) continue;
    if (!text.empty()) text += ' ';
    text += v;
  }
  return text;
}

std::string Period(const std::string& start, const std::string& end) {
  if (start.empty() && end.empty()) return {};
  return AlbumDate(start) + Sj(" 〜 ") + AlbumDate(end);
}

class Cover {
 public:
  void Add(std::string_view labelUtf8, std::string value) {
    if (!value.empty()) rows.push_back({Sj(labelUtf8), std::move(value)});
  }
  std::vector<AlbumRow> rows;
};

// The contract items: the index's when the delivery came through one, else
// the photo file's contract section. Returns the work's name.
std::string AddContractItems(const Delivery& d, Cover& cover) {
  const int ruleSet = RuleSetOf(d.DigiVersion);
  const char* contractor = ruleSet == 4 || ruleSet == 7 ? "受注者" : "請負者";
  if (d.IndexLoaded && !IsConstructionIndexVersion(d.DigiVersion)) {
    const IndexTables& x = d.Index;
    const std::string name = x.FirstValueOf(kServiceName);
    cover.Add("業務名", name);
    cover.Add("設計書コード", x.FirstValueOf(kDesignCode));
    cover.Add("履行期間", Period(x.FirstValueOf(kServiceStart), x.FirstValueOf(kServiceEnd)));
    cover.Add("発注者", x.FirstValueOf(kClientOffice));
    cover.Add("受注者", x.FirstValueOf(kServiceContractor));
    return name;
  }
  if (d.IndexLoaded) {
    const IndexTables& x = d.Index;
    const std::string name = x.FirstValueOf(kWorkName);
    cover.Add("工事名", name);
    cover.Add("工事番号", x.FirstValueOf(kWorkNumber));
    cover.Add("工期", Period(x.FirstValueOf(kWorkStart), x.FirstValueOf(kWorkEnd)));
    cover.Add("発注者",
              Joined({x.FirstValueOf(kClientMajor), x.FirstValueOf(kClientMiddle), x.FirstValueOf(kClientMinor)}));
    cover.Add(contractor, x.FirstValueOf(kWorkContractor));
    return name;
  }
  const PhotoContractBlock& c = d.PhotoContractInfo;
  const std::string name = c.Text(ContractText::ConstructionName);
  cover.Add("工事名", name);
  cover.Add("工事番号", c.Text(ContractText::WorkNumber));
  cover.Add("工期", Period(c.Text(ContractText::PeriodStart), c.Text(ContractText::PeriodEnd)));
  cover.Add("発注者", Joined({c.Text(ContractText::ClientMajor), c.Text(ContractText::ClientMiddle),
                              c.Text(ContractText::ClientMinor)}));
  cover.Add(contractor, c.Text(ContractText::ContractorName));
  return name;
}

std::string PathText(const std::vector<std::string>& path) {
  std::string text;
  for (const std::string& caption : path) {
    if (caption.empty()) continue;
    if (!text.empty()) text += Sj(" ＞ ");
    text += caption;
  }
  return text;
}

class Planner {
 public:
  Planner(Delivery& d, const LedgerSelection& s) : d_(d), s_(s) {
    for (const ListedPicture& p : d.Pictures.entries) listed_.emplace(p.record, &p);
  }

  LedgerPlan Run() {
    Cover cover;
    plan_.title = AddContractItems(d_, cover);
    if (s_.chosen)
      PlanChosen();
    else
      for (const HierarchyNode* node : PrintedNodes(d_.Tree)) {
        const std::vector<std::string> path = PathCaptions(*node);
        for (int record : node->Records()) AddPhoto(record, path);
      }
    cover.Add("適用要領基準", StandardName(d_.DigiVersion, d_.Guideline));
    cover.Add("記入規則", RuleSetNote(d_.DigiVersion));
    cover.Add("写真枚数", std::to_string(plan_.photos) + Sj(" 枚"));
    if (s_.drawings) cover.Add("参考図枚数", std::to_string(plan_.drawings) + Sj(" 枚"));
    plan_.cover = std::move(cover.rows);
    return std::move(plan_);
  }

 private:
  // The chosen photos, each under the first node holding it, as the tree
  // finds a list mode photo.
  void PlanChosen() {
    std::map<int, const HierarchyNode*> nodeOf;
    for (const HierarchyNode* node : d_.Tree.Nodes())
      for (int record : node->Records()) nodeOf.emplace(record, node);
    for (int record : s_.records) {
      const auto it = nodeOf.find(record);
      AddPhoto(record, it == nodeOf.end() ? std::vector<std::string>() : PathCaptions(*it->second));
    }
  }

  void AddPhoto(int record, const std::vector<std::string>& path) {
    if (!GotoPrintedPhoto(d_, record)) return;
    LedgerFrame frame = FrameOfCurrent(PhotoRows(d_, plan_.photos + 1, path));
    if (s_.only == LedgerOnly::kRepresentative && !frame.representative) return;
    if (s_.only == LedgerOnly::kFrequency && !frame.frequency) return;
    frame.number = ++plan_.photos;
    frame.path = PathText(path);
    const bool drawings = s_.drawings && d_.LoadDrawingList(record) == 2;
    const TIntList list = drawings ? d_.DrawingRecordList : TIntList();
    plan_.frames.push_back(std::move(frame));
    int place = 0;
    for (int drawing : list) {
      if (drawing == 0 || !d_.GotoPhotoRecord(drawing)) continue;
      LedgerFrame f = FrameOfCurrent(DrawingRows(d_));
      f.drawing = true;
      f.number = plan_.photos;
      f.drawingNumber = ++place;
      f.path = plan_.frames.back().path;
      ++plan_.drawings;
      plan_.frames.push_back(std::move(f));
    }
  }

  // The current record's frame: the rows with a value, the serial number
  // left to the frame's own 写真番号 and the two flags made marks.
  LedgerFrame FrameOfCurrent(std::vector<AlbumRow> rows) {
    LedgerFrame f;
    const TViewDataSet& t = d_.PhotoTable;
    f.record = t.FieldPos.RECORD >= 0 ? static_cast<int>(t.AsInteger(t.FieldPos.RECORD)) : 0;
    for (AlbumRow& row : rows) {
      if (row.value.empty() || row.label == Sj("シリアル番号")) continue;
      if (row.label == Sj("代表写真")) {
        f.representative = true;
      } else if (row.label == Sj("提出頻度写真")) {
        f.frequency = true;
      } else {
        f.rows.push_back(std::move(row));
      }
    }
    const std::string missing = d_.MissingPictureOf(f.record);
    const std::string file = t.FieldPos.FILENAME >= 0 ? t.AsString(t.FieldPos.FILENAME) : std::string();
    const auto listed = listed_.find(f.record);
    if (!missing.empty()) {
      f.fileName = missing;
    } else {
      f.picture = file.empty() ? std::string() : PathOnDisk(file);
      f.fileName = listed != listed_.end() ? listed->second->name
                                           : Utf8ToCp932(std::filesystem::path(f.picture).filename().string());
    }
    return f;
  }

  Delivery& d_;
  const LedgerSelection& s_;
  std::map<int, const ListedPicture*> listed_;
  LedgerPlan plan_;
};

}  // namespace

LedgerPlan PlanLedger(Delivery& d, const LedgerSelection& selection) { return Planner(d, selection).Run(); }

}  // namespace zor
