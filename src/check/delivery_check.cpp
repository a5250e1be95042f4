#include "check/delivery_check.h"

#include <algorithm>
#include <future>
#include <set>
#include <utility>

#include "check/delivery_folders.h"
#include "check/management_files.h"
#include "check/text_scan.h"
#include "import/delivery_files.h"
#include "rules/entry_faults.h"
#include "rules/verify_entries.h"
#include "store/standards.h"
#include "text/encoding.h"

namespace zor {
namespace {

constexpr int kConstructionNameCode = 3;  // 工事名称
constexpr int kServicesNameCode = 4;      // 業務名称

constexpr const char* kNotValidatedLineUtf8 =
    "DTDによる検証に失敗したため、ウェルフォームドXML文書として読み込みました。";

std::string FileNameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool SameNameIgnoringCase(const std::string& a, const char* b) {
  const std::string bs(b);
  return a.size() == bs.size() && std::equal(a.begin(), a.end(), bs.begin(), [](char x, char y) {
           return (x >= 'a' && x <= 'z' ? x - 32 : x) == (y >= 'a' && y <= 'z' ? y - 32 : y);
         });
}

std::string WorkNameOf(const Delivery& d) {
  if (!d.IndexLoaded) return d.PhotoContractInfo.Text(ContractText::ConstructionName);
  const int code = IsConstructionIndexVersion(d.DigiVersion) ? kConstructionNameCode : kServicesNameCode;
  for (int slot = 1; slot <= d.Index.IndexItemCount && slot <= IndexTables::kMaxSlots; ++slot)
    if (d.Index.IndexItem[static_cast<std::size_t>(slot)].ItemCode == code)
      return d.Index.IndexItemValue[static_cast<std::size_t>(slot)];
  return {};
}

Finding EntryFinding(const EntryFault& f) {
  Finding finding;
  finding.record = f.record;
  finding.photo = f.photo;
  finding.file = f.file;
  finding.item = f.item;
  finding.check = f.missing ? "entry.missing" : "entry.wrong";
  finding.severity = CheckSeverity(finding.check);
  finding.message = f.item + Sj(": ") + f.rule;
  if (!f.value.empty()) finding.message += Sj("（「") + f.value + Sj("」）");
  return finding;
}

int CheckRank(const std::string& check) {
  const std::vector<std::string>& order = CheckOrder();
  return static_cast<int>(std::find(order.begin(), order.end(), check) - order.begin());
}

// One fault, one finding: where the inspection already reports a bad
// 撮影年月日, the entry list's fault of the same item is left out; a file
// the folder check calls superfluous (Thumbs.db in PIC) is not also a
// picture file that nothing lists.
void DropDoubles(std::vector<Finding>& findings) {
  std::set<int> badDates;
  std::set<std::string> extra;
  for (const Finding& f : findings) {
    if (f.check == "date.invalid" && f.record > 0) badDates.insert(f.record);
    if (f.check == "file.extra") extra.insert(FileNameOf(f.file));
  }
  const std::string dateItem = Sj("撮影年月日");
  std::erase_if(findings, [&](const Finding& f) {
    return (f.check == "entry.wrong" && f.item == dateItem && badDates.count(f.record) > 0) ||
           (f.check == "file.unlisted" && extra.count(f.file) > 0);
  });
}

struct FileChecks {
  std::vector<Finding> findings;
  int managementFiles = 0;
};

// The delivery's folders and names, its management files and their
// characters; a text finding inside the photo file's n-th 写真情報 belongs to
// that photo.
FileChecks CheckDeliveryFiles(const DeliveryCheckPlan& plan) {
  DeliveryLayout layout;
  layout.root = plan.place.root;
  layout.indexFile = plan.place.indexFile;
  layout.photoFile = plan.place.photoFile;
  layout.fourCharExtensions = plan.fourCharExtensions;
  layout.pictures = &plan.inspection.pictures;
  FileChecks out;
  ManagementFilesResult files = CheckManagementFiles(layout);
  out.findings = std::move(files.findings);
  for (Finding& f : CheckFolders(layout, files.listed)) out.findings.push_back(std::move(f));
  for (const ManagementFile& file : files.files) {
    TextScanResult scan = ScanManagementFile(file.path, file.shown);
    if (!scan.read) continue;
    ++out.managementFiles;
    const bool photoFile = file.path == plan.place.photoFile;
    for (TextFinding& t : scan.findings) {
      if (photoFile && t.photoOrdinal > 0 && static_cast<std::size_t>(t.photoOrdinal) <= plan.photoRecords.size())
        t.finding.record = t.finding.photo = plan.photoRecords[static_cast<std::size_t>(t.photoOrdinal - 1)];
      out.findings.push_back(std::move(t.finding));
    }
  }
  return out;
}

}  // namespace

DeliveryPlace PlaceOfDelivery(const std::string& entryFile) {
  DeliveryPlace place;
  const std::string name = FileNameOf(entryFile);
  DeliveryFileFinder finder;
  if (SameNameIgnoringCase(name, "INDEX_C.XML") || SameNameIgnoringCase(name, "INDEX_D.XML")) {
    place.root = FolderOf(entryFile);
    place.indexFile = entryFile;
    place.photoFile = finder.FindFile(place.root, {"PHOTO", "PHOTO.XML"}).value_or(std::string());
    return place;
  }
  place.photoFile = entryFile;
  place.root = DeliveryRootOf(entryFile);
  // A PHOTO.XML read on its own still belongs to the index beside its folder.
  if (place.root != FolderOf(entryFile))
    for (const char* index : {"INDEX_C.XML", "INDEX_D.XML"})
      if (std::optional<std::string> found = finder.FindFile(place.root, {index})) {
        place.indexFile = *found;
        break;
      }
  return place;
}

DeliveryCheckPlan PlanDeliveryCheck(Delivery& delivery, const DeliveryPlace& place, int scope,
                                    bool readWithoutValidation) {
  DeliveryCheckPlan plan;
  plan.place = place;
  plan.workName = WorkNameOf(delivery);
  plan.standard = StandardName(delivery.DigiVersion, delivery.Guideline);
  if (IsLaterStandard(delivery.DigiVersion)) plan.notes.push_back(RuleSetNote(delivery.DigiVersion));
  if (readWithoutValidation) plan.notes.push_back(Sj(kNotValidatedLineUtf8));
  const std::optional<GuidelineValue> guideline = ParseGuidelineValue(delivery.Guideline);
  plan.fourCharExtensions = guideline && guideline->year * 100 + guideline->month >= 201603;

  Host quiet;
  const VerifyResult verified = VerifyEntries(delivery, scope, quiet);
  plan.verificationLines = verified.lines;
  plan.entriesClean = verified.clean;
  for (const EntryFault& f : ListEntryFaults(delivery, scope)) plan.entries.push_back(EntryFinding(f));

  plan.inspection = PlanInspection(delivery);
  for (const ListedPicture& e : delivery.Pictures.entries)
    if (!e.drawing) plan.photoRecords.push_back(e.record);
  return plan;
}

DeliveryCheckResult RunDeliveryCheck(const DeliveryCheckPlan& plan, Host& host, const InspectOptions& options) {
  DeliveryCheckResult result;
  // The files beside the pictures are read while the pictures are.
  std::future<FileChecks> files = std::async(std::launch::async, [&plan] { return CheckDeliveryFiles(plan); });
  InspectionResult pictures = RunInspection(plan.inspection, host, options);
  FileChecks delivery = files.get();
  result.summary.pictures = pictures.summary;
  result.summary.cancelled = pictures.summary.cancelled;
  result.summary.managementFiles = delivery.managementFiles;
  result.findings = plan.entries;
  for (Finding& f : delivery.findings) result.findings.push_back(std::move(f));
  for (Finding& f : pictures.findings) result.findings.push_back(std::move(f));
  DropDoubles(result.findings);
  std::stable_sort(result.findings.begin(), result.findings.end(),
                   [](const Finding& a, const Finding& b) { return CheckRank(a.check) < CheckRank(b.check); });
  for (const Finding& f : result.findings) {
    if (f.severity == Severity::kError) ++result.summary.errors;
    if (f.severity == Severity::kWarning) ++result.summary.warnings;
    if (f.severity == Severity::kNote) ++result.summary.notes;
  }
  return result;
}

std::string CheckSummaryLine(const DeliveryCheckSummary& s) {
  std::string line = s.cancelled ? Sj("中止しました。") : std::string();
  line += Sj("写真・参考図 ") + std::to_string(s.pictures.pictures) + Sj(" 件、管理ファイル ") +
          std::to_string(s.managementFiles) + Sj(" 件を検査しました。誤り ") + std::to_string(s.errors) +
          Sj(" 件、注意 ") + std::to_string(s.warnings) + Sj(" 件、参考 ") + std::to_string(s.notes) + Sj(" 件。");
  return line;
}

std::vector<int> RecordsWithCheckFindings(const DeliveryCheckResult& result) {
  std::set<int> records;
  for (const Finding& f : result.findings) {
    if (f.severity == Severity::kNote) continue;
    if (f.photo > 0)
      records.insert(f.photo);
    else if (f.record > 0)
      records.insert(f.record);
    for (int r : f.records) records.insert(r);
  }
  return {records.begin(), records.end()};
}

}  // namespace zor
