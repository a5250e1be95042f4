#include "inspect/listing_checks.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <system_error>

#include "text/encoding.h"
#include "text/sjis.h"

namespace zor {

namespace fs = std::filesystem;

namespace {

std::string DateText(const CalendarDate& d) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year % 10000, d.month % 100, d.day % 100);
  return text;
}

std::string RecordText(int record) { return Sj("記録 ") + std::to_string(record); }

// "P" or "D", seven digits, and the extension of an allowed format, all
// half-width upper case.
bool IsFixedName(const std::string& name, char letter, bool svgAllowed) {
  if (name.size() != 12 || name[0] != letter || name[8] != '.') return false;
  for (int i = 1; i <= 7; ++i)
    if (name[i] < '0' || name[i] > '9') return false;
  const std::string ext = name.substr(9);
  return ext == "JPG" || ext == "TIF" || (svgAllowed && ext == "SVG");
}

void Add(std::vector<Finding>& out, const ListedPicture& e, const char* check, Severity s, std::string message) {
  out.push_back(Finding{e.record, e.name, check, s, std::move(message), {}, e.photo});
}

void CheckFiles(const InspectionPlan& plan, std::vector<Finding>& out, InspectionSummary& summary) {
  std::map<std::string, int> first;  // the file (found, else the name in upper case) -> its first record
  for (const ListedPicture& e : plan.pictures.entries) {
    ++summary.pictures;
    if (e.otherMedium) {
      ++summary.otherMedium;
    } else if (e.file.empty()) {
      ++summary.missing;
      Add(out, e, "file.missing", Severity::kError, Sj("ファイルがありません。"));
    }
    const std::string key = e.file.empty() ? std::string("?").append(UpperAscii(e.name)) : e.file;
    const auto [at, added] = first.emplace(key, e.record);
    if (!added)
      Add(out, e, "file.duplicate", Severity::kWarning, RecordText(at->second) + Sj(" と同じファイルを指しています。"));
    if (plan.pictures.currentLayout && !IsFixedName(e.name, e.drawing ? 'D' : 'P', plan.svgAllowed))
      Add(out, e, "file.name", Severity::kError,
          Sj(e.drawing ? "参考図ファイル名は \"D\" と7桁の数字、拡張子（半角大文字）で付けます。"
                       : "写真ファイル名は \"P\" と7桁の数字、拡張子（半角大文字）で付けます。"));
  }
  if (summary.otherMedium > 0)
    out.push_back(Finding{0,
                          "",
                          "file.missing",
                          Severity::kNote,
                          Sj("手元にない別のメディアの写真・参考図 ") + std::to_string(summary.otherMedium) +
                              Sj(" 件は検査していません。"),
                          {}});
}

void CheckSerials(const InspectionPlan& plan, std::vector<Finding>& out) {
  std::map<long long, int> seen;  // serial -> first record
  std::optional<long long> previous;
  for (const ListedPicture& e : plan.pictures.entries) {
    if (e.drawing || e.serial.empty()) continue;
    long long value = 0;
    bool digits = e.serial.size() <= 12;
    for (char ch : e.serial) {
      if (ch < '0' || ch > '9') digits = false;
      value = value * 10 + (ch - '0');
    }
    if (!digits) {
      Add(out, e, "serial", Severity::kWarning, Sj("シリアル番号 ") + e.serial + Sj(" は数字ではありません。"));
      continue;
    }
    const auto [at, added] = seen.emplace(value, e.record);
    if (!added) {
      Add(out, e, "serial", Severity::kWarning,
          Sj("シリアル番号 ") + e.serial + Sj(" は ") + RecordText(at->second) + Sj(" と重複しています。"));
    } else if (previous && value < *previous) {
      Add(out, e, "serial", Severity::kWarning,
          Sj("シリアル番号 ") + e.serial + Sj(" が前の写真（") + std::to_string(*previous) +
              Sj("）より小さく、昇順になっていません。"));
    }
    previous = value;
  }
}

void CheckDates(const InspectionPlan& plan, const CalendarDate& today, std::vector<Finding>& out) {
  const bool period = plan.periodStart && plan.periodEnd;
  if (!period)
    out.push_back(Finding{0,
                          "",
                          "date.period",
                          Severity::kNote,
                          Sj("索引ファイルの工期（履行期間）が読み込まれていないか正しい日付でないため、"
                             "工期との照合は行っていません。"),
                          {}});
  for (std::size_t i = 0; i < plan.pictures.entries.size(); ++i) {
    const ListedPicture& e = plan.pictures.entries[i];
    if (e.drawing) continue;
    const std::string& date = plan.dates[i];
    const std::optional<CalendarDate> d = ParseDeliveryDate(date);
    if (!d) {
      Add(out, e, "date.invalid", Severity::kError,
          date.empty() ? Sj("撮影年月日がありません。")
                       : Sj("撮影年月日 ") + date + Sj(" は正しい日付（YYYY-MM-DD）ではありません。"));
      continue;
    }
    if (*d > today) {
      Add(out, e, "date.future", Severity::kError, Sj("撮影年月日 ") + date + Sj(" は今日より後の日付です。"));
      continue;
    }
    if (period && (*d < *plan.periodStart || *d > *plan.periodEnd))
      Add(out, e, "date.period", Severity::kWarning,
          Sj("撮影年月日 ") + date + Sj(" は工期 ") + DateText(*plan.periodStart) + Sj("～") +
              DateText(*plan.periodEnd) + Sj(" の外です。"));
  }
}

}  // namespace

void CheckListing(const InspectionPlan& plan, const CalendarDate& today, std::vector<Finding>& out,
                  InspectionSummary& summary) {
  CheckFiles(plan, out, summary);
  CheckSerials(plan, out);
  CheckDates(plan, today, out);
}

void CheckUnlisted(const InspectionPlan& plan, std::vector<Finding>& out) {
  std::set<std::string> listed;
  // The folders the photo file names, and those its pictures were found in.
  std::set<std::string> folders;
  for (const std::string& folder : plan.pictures.folders)
    folders.insert(fs::path(folder).lexically_normal().parent_path().string());
  for (const ListedPicture& e : plan.pictures.entries) {
    if (e.file.empty()) continue;
    listed.insert(fs::path(e.file).lexically_normal().string());
    folders.insert(fs::path(e.file).parent_path().lexically_normal().string());
  }
  for (const std::string& folder : folders) {
    std::error_code ec;
    std::set<std::string> names;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
      const fs::path p = it->path().lexically_normal();
      if (!listed.count(p.string())) names.insert(p.filename().string());
    }
    for (const std::string& name : names)
      out.push_back(Finding{0,
                            Utf8ToCp932(name),
                            "file.unlisted",
                            Severity::kWarning,
                            Sj("どの写真・参考図にも記載されていないファイルです（") +
                                Utf8ToCp932(fs::path(folder).filename().string()) + Sj(" フォルダ）。"),
                            {}});
  }
}

}  // namespace zor
