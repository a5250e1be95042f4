#include "inspect/inspection.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>

#include "inspect/listing_checks.h"
#include "inspect/picture_checks.h"
#include "store/standards.h"
#include "text/encoding.h"

namespace zor {

namespace {

// Element codes of the contract period in the two index code lists.
constexpr int kConstructionStartCode = 11;  // 工期開始日
constexpr int kConstructionEndCode = 12;    // 工期終了日
constexpr int kServicesStartCode = 7;       // 履行期間-着手
constexpr int kServicesEndCode = 8;         // 履行期間-完了
constexpr int kConstructionNameCode = 3;    // 工事名称
constexpr int kConstructionContractorCode = 36;  // 受注者名 (請負者名)
constexpr int kServicesNameCode = 4;             // 業務名称
constexpr int kServicesContractorCode = 30;      // 受注者名

std::string IndexValue(const Delivery& d, int code) { return d.Index.FirstValueOf(code); }

bool AllowsSvg(const std::string& guideline) {
  const std::optional<GuidelineValue> value = ParseGuidelineValue(guideline);
  return value && value->year * 100 + value->month >= 202303;
}

// The classification of every photo registered below node: the captions
// of the nodes on the way, 写真-大分類 first.
void ClassificationOf(const HierarchyNode& node, HierarchyPath& path, std::size_t depth,
                      std::unordered_map<int, HierarchyPath>& out) {
  for (const int record : node.Records()) out[record] = path;
  if (depth >= path.size()) return;
  for (int i = 0; i < node.ChildCount(); ++i) {
    const HierarchyNode& child = node.Child(i);
    path[depth] = child.Caption();
    ClassificationOf(child, path, depth + 1, out);
    path[depth].clear();
  }
}

// What PHOTO.XML says of each photo, for the blackboard's record.
void PlanBoardRecords(Delivery& d, InspectionPlan& plan) {
  std::unordered_map<int, HierarchyPath> classes;
  if (const HierarchyNode* top = d.Tree.ConstructionNode()) {
    HierarchyPath path;
    ClassificationOf(*top, path, 0, classes);
  }
  const int rules = RuleSetOf(d.DigiVersion);
  const bool current = plan.pictures.currentLayout;
  const bool representative = current && ((rules >= 2 && rules <= 9) || (rules >= 11 && rules <= 13));
  const bool frequency = current && (rules == 3 || rules == 4 || rules == 6 || rules == 7 || rules == 9);
  TViewDataSet& t = d.PhotoTable;
  const PhotoFieldPositions& f = t.FieldPos;
  auto text = [&t](int pos) { return pos >= 0 ? t.AsString(pos) : std::string(); };
  plan.boardRecords.resize(plan.pictures.entries.size());
  for (std::size_t i = 0; i < plan.pictures.entries.size(); ++i) {
    const ListedPicture& e = plan.pictures.entries[i];
    if (e.drawing || !d.GotoPhotoRecord(e.record)) continue;
    BoardRecordItems& r = plan.boardRecords[i];
    if (const auto c = classes.find(e.record); c != classes.end()) r.classification = c->second;
    r.title = text(f.TITLE);
    r.reserve = text(f.YOBI_KK);
    r.spot = text(f.KASYO);
    if (representative && f.FLAG >= 0) r.representative = t.AsInteger(f.FLAG);
    if (frequency && f.FILMNUM >= 0) r.frequency = t.AsInteger(f.FILMNUM);
    r.control = text(f.KANRI);
    r.remarks = text(f.UKEOIBIKOU);
  }
  if (d.IndexLoaded) {
    const bool construction = IsConstructionIndexVersion(d.DigiVersion);
    const std::string index = construction ? "INDEX_C.XML" : "INDEX_D.XML";
    plan.workName = IndexValue(d, construction ? kConstructionNameCode : kServicesNameCode);
    plan.workNameSource = Sj(index + (construction ? " の工事名称" : " の業務名称"));
    plan.contractorName = IndexValue(d, construction ? kConstructionContractorCode : kServicesContractorCode);
    plan.contractorNameSource = Sj(index + " の受注者名");
  } else {
    plan.workName = d.PhotoContractInfo.Text(ContractText::ConstructionName);
    plan.workNameSource = Sj("PHOTO.XML の工事名称");
    plan.contractorName = d.PhotoContractInfo.Text(ContractText::ContractorName);
    plan.contractorNameSource = Sj("PHOTO.XML の請負者名");
  }
}

// The board's 工事件名 and 受注者名 against the delivery's names: one line
// per value that differs, counting its photos.
void CompareBoardNames(const InspectionPlan& plan, const std::vector<std::pair<int, const PictureVerdict*>>& boards,
                       std::vector<Finding>& out) {
  const struct {
    const char* item;
    std::string PictureVerdict::*board;
    const std::string& delivery;
    const std::string& source;
  } kNames[] = {
      {"工事件名", &PictureVerdict::boardWorkName, plan.workName, plan.workNameSource},
      {"受注者名", &PictureVerdict::boardContractor, plan.contractorName, plan.contractorNameSource},
  };
  for (const auto& n : kNames) {
    const std::string delivery = Cp932ToUtf8(n.delivery);
    if (NormalizedBoardText(delivery).empty()) continue;
    std::map<std::string, std::vector<int>> differing;  // board value -> photos
    for (const auto& [record, v] : boards) {
      const std::string& value = (*v).*n.board;
      if (!NormalizedBoardText(value).empty() && !SameBoardText(value, delivery)) differing[value].push_back(record);
    }
    for (const auto& [value, records] : differing) {
      std::string list;
      for (std::size_t i = 0; i < records.size(); ++i) list += (i ? ", " : "") + std::to_string(records[i]);
      out.push_back(Finding{0, "", "blackboard", Severity::kNote,
                            Sj(n.item) + Sj(": 小黒板「") + Utf8ToCp932(value) + Sj("」／") + n.source + Sj("「") +
                                n.delivery + Sj("」（写真 ") + std::to_string(records.size()) + Sj(" 枚: 記録 ") +
                                list + Sj("）"),
                            records, 0, Sj(n.item)});
    }
  }
}

// Pictures that are read: found, on a medium at hand.
std::vector<std::size_t> PicturesToRead(const InspectionPlan& plan) {
  std::vector<std::size_t> jobs;
  for (std::size_t i = 0; i < plan.pictures.entries.size(); ++i) {
    const ListedPicture& e = plan.pictures.entries[i];
    if (!e.file.empty() && !e.otherMedium) jobs.push_back(i);
  }
  return jobs;
}

// Folds the verdicts into findings and counts, in record order.
void Collect(const InspectionPlan& plan, const std::vector<std::size_t>& jobs, std::vector<PictureVerdict>& verdicts,
             std::size_t done, InspectionResult& r) {
  std::vector<int> pixels;
  std::vector<const ListedPicture*> withoutTamper;
  std::vector<std::pair<int, const PictureVerdict*>> boards;
  for (std::size_t j = 0; j < done; ++j) {
    PictureVerdict& v = verdicts[j];
    const ListedPicture& e = plan.pictures.entries[jobs[j]];
    if (v.read) ++r.summary.read;
    for (Finding& f : v.findings) r.findings.push_back(std::move(f));
    if (!v.read || e.drawing) continue;
    if (!v.formatOk) {
      if (v.tamper != TamperOutcome::kNoData) ++r.summary.tamperChecked;
      continue;
    }
    if (v.pixelsOutside) pixels.push_back(e.record);
    if (v.withoutExifDate) ++r.summary.withoutExifDate;
    if (v.tamper == TamperOutcome::kNoData)
      withoutTamper.push_back(&e);
    else
      ++r.summary.tamperChecked;
    if (v.tamper == TamperOutcome::kIntact) ++r.summary.tamperIntact;
    if (v.blackboard == BlackboardPacket::Status::kNone) {
      ++r.summary.withoutBlackboard;
    } else {
      ++r.summary.blackboard;
      if (v.blackboardDiffers) ++r.summary.blackboardDiffering;
      if (v.blackboard == BlackboardPacket::Status::kFault) ++r.summary.blackboardUnreadable;
      if (v.blackboard == BlackboardPacket::Status::kRead) boards.emplace_back(e.record, &v);
    }
  }
  r.summary.withoutTamper = static_cast<int>(withoutTamper.size());
  if (!pixels.empty()) {
    std::string list;
    for (std::size_t i = 0; i < pixels.size(); ++i) list += (i ? ", " : "") + std::to_string(pixels[i]);
    r.findings.push_back(Finding{0, "", "pixels", Severity::kNote,
                                 Sj("画素数が 100万～300万画素の範囲外の写真が ") + std::to_string(pixels.size()) +
                                     Sj(" 枚あります（記録 ") + list + Sj("）。"),
                                 pixels});
  }
  if (r.summary.withoutExifDate > 0)
    r.findings.push_back(
        Finding{0,
                "",
                "exif.date",
                Severity::kNote,
                Sj("EXIF の撮影日時がない写真が ") + std::to_string(r.summary.withoutExifDate) + Sj(" 枚あります。"),
                {}});
  if (r.summary.tamperChecked > 0) {
    // In a delivery of blackboard photos a photo without check data stands out.
    for (const ListedPicture* e : withoutTamper)
      r.findings.push_back(Finding{
          e->record, e->name, "tamper", Severity::kWarning, Sj("改ざんチェック値がありません。"), {}, e->photo});
    r.findings.push_back(Finding{0,
                                 "",
                                 "tamper",
                                 Severity::kNote,
                                 Sj("改ざんチェック値のある写真 ") + std::to_string(r.summary.tamperChecked) +
                                     Sj(" 枚のうち正常 ") + std::to_string(r.summary.tamperIntact) + Sj(" 枚。"),
                                 {}});
  }
  if (!withoutTamper.empty())
    r.findings.push_back(
        Finding{0,
                "",
                "tamper",
                Severity::kNote,
                Sj("改ざんチェック値のない写真が ") + std::to_string(withoutTamper.size()) + Sj(" 枚あります。"),
                {}});
  if (r.summary.blackboard > 0) {
    CompareBoardNames(plan, boards, r.findings);
    const InspectionSummary& s = r.summary;
    std::string line = Sj("小黒板情報のある写真 ") + std::to_string(s.blackboard) +
                       Sj(" 枚のうち PHOTO.XML と異なる写真 ") + std::to_string(s.blackboardDiffering) + Sj(" 枚");
    if (s.blackboardUnreadable > 0) line += Sj("、読めない写真 ") + std::to_string(s.blackboardUnreadable) + Sj(" 枚");
    line += Sj("。小黒板情報のない写真 ") + std::to_string(s.withoutBlackboard) + Sj(" 枚。");
    r.findings.push_back(Finding{0, "", "blackboard", Severity::kNote, line, {}, 0, "", 0});
  }
}

void SortAndCount(InspectionResult& r) {
  const std::vector<std::string>& order = CheckOrder();
  auto rank = [&](const Finding& f) {
    return static_cast<std::size_t>(std::find(order.begin(), order.end(), f.check) - order.begin());
  };
  // Within a check: a record's findings in record order, the counting lines after them.
  std::stable_sort(r.findings.begin(), r.findings.end(), [&](const Finding& a, const Finding& b) {
    const std::size_t ra = rank(a), rb = rank(b);
    if (ra != rb) return ra < rb;
    const bool countA = a.record == 0, countB = b.record == 0;
    if (countA != countB) return countB;
    return a.record < b.record;
  });
  for (const Finding& f : r.findings) {
    if (f.severity == Severity::kError) ++r.summary.errors;
    if (f.severity == Severity::kWarning) ++r.summary.warnings;
    if (f.severity == Severity::kNote) ++r.summary.notes;
  }
}

}  // namespace

InspectionPlan PlanInspection(Delivery& d) {
  InspectionPlan plan;
  plan.pictures = d.Pictures;
  plan.svgAllowed = AllowsSvg(d.Guideline);
  TViewDataSet& t = d.PhotoTable;
  plan.dates.resize(plan.pictures.entries.size());
  for (std::size_t i = 0; i < plan.pictures.entries.size(); ++i) {
    const ListedPicture& e = plan.pictures.entries[i];
    if (!e.drawing && t.FieldPos.DATE >= 0 && d.GotoPhotoRecord(e.record)) plan.dates[i] = t.AsString(t.FieldPos.DATE);
  }
  if (d.IndexLoaded) {
    const bool construction = IsConstructionIndexVersion(d.DigiVersion);
    plan.periodStartText = IndexValue(d, construction ? kConstructionStartCode : kServicesStartCode);
    plan.periodEndText = IndexValue(d, construction ? kConstructionEndCode : kServicesEndCode);
    plan.periodStart = ParseDeliveryDate(plan.periodStartText);
    plan.periodEnd = ParseDeliveryDate(plan.periodEndText);
    if (plan.periodStart && plan.periodEnd && *plan.periodEnd < *plan.periodStart) plan.periodStart.reset();
  }
  PlanBoardRecords(d, plan);
  StartBlackboardReader();  // here, in the owner thread, before the pool reads packets
  return plan;
}

InspectionResult RunInspection(const InspectionPlan& plan, Host& host, const InspectOptions& options) {
  InspectionResult r;
  CheckListing(plan, options.today.value_or(Today()), r.findings, r.summary);
  CheckUnlisted(plan, r.findings);

  const std::vector<std::size_t> jobs = PicturesToRead(plan);
  std::vector<PictureVerdict> verdicts(jobs.size());
  unsigned threads = options.threads ? options.threads : std::max(1u, std::thread::hardware_concurrency());
  threads = static_cast<unsigned>(std::min<std::size_t>(threads, std::max<std::size_t>(jobs.size(), 1)));

  std::atomic<std::size_t> next{0};
  std::atomic<std::size_t> finished{0};
  std::atomic<bool> stop{false};
  std::mutex mutex;
  std::condition_variable wake;
  auto cancelled = [&] { return stop.load() || (options.cancel && options.cancel->load()); };
  auto work = [&plan, &jobs, &verdicts, &next, &finished, &mutex, &wake, &cancelled] {
    while (!cancelled()) {
      const std::size_t j = next.fetch_add(1);
      if (j >= jobs.size()) break;
      const std::size_t i = jobs[j];
      const BoardRecordItems* record = i < plan.boardRecords.size() ? &plan.boardRecords[i] : nullptr;
      verdicts[j] = CheckPicture(plan.pictures.entries[i], plan.dates[i], plan.pictures.root, plan.svgAllowed, record);
      finished.fetch_add(1);
      std::lock_guard<std::mutex> lock(mutex);
      wake.notify_one();
    }
  };

  host.ReportProgress('S', static_cast<int>(jobs.size()));
  std::vector<std::thread> pool;
  for (unsigned k = 0; k < threads && !jobs.empty(); ++k) pool.emplace_back(work);
  std::size_t shown = 0;
  while (true) {
    std::unique_lock<std::mutex> lock(mutex);
    wake.wait_for(lock, std::chrono::milliseconds(100));
    lock.unlock();
    const std::size_t now = finished.load();
    if (now != shown) host.ReportProgress('R', static_cast<int>(shown = now));
    if (now >= jobs.size()) break;
    if (options.cancel && options.cancel->load()) {
      stop = true;
      break;
    }
  }
  for (std::thread& t : pool) t.join();
  host.ReportProgress('E', 0);

  // Cancelled: the pictures read before the first one left undone.
  std::size_t done = 0;
  if (stop) {
    r.summary.cancelled = true;
    while (done < jobs.size() && (verdicts[done].read || !verdicts[done].findings.empty())) ++done;
  } else {
    done = jobs.size();
  }
  Collect(plan, jobs, verdicts, done, r);
  SortAndCount(r);
  return r;
}

InspectionResult InspectDelivery(Delivery& delivery, Host& host, const InspectOptions& options) {
  return RunInspection(PlanInspection(delivery), host, options);
}

std::vector<int> RecordsWithFindings(const InspectionResult& result) {
  std::vector<int> records;
  for (const Finding& f : result.findings)
    if (f.photo > 0 && f.severity != Severity::kNote) records.push_back(f.photo);
  std::sort(records.begin(), records.end());
  records.erase(std::unique(records.begin(), records.end()), records.end());
  return records;
}

}  // namespace zor
