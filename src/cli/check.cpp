// zorview --check: loads a delivery as --verify does and checks it whole:
// its entries item by item, its pictures, the characters of its management
// files, its folders and names and every management file with its DTD. The
// findings grouped by severity and check (UTF-8), or with --json one object
// per finding per line and a summary line last; --report writes them as an
// HTML page or a CSV file outside the delivery. Reads the delivery only.
#include <chrono>
#include <ctime>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "app/product.h"
#include "app/settings.h"
#include "app/translate.h"
#include "app/version.h"
#include "check/delivery_check.h"
#include "cli/json.h"
#include "cli/load_delivery.h"
#include "cli/out_text.h"
#include "cli/verb_args.h"
#include "cli/verbs.h"
#include "output/album_writer.h"
#include "output/check_report.h"
#include "output/report_file.h"
#include "text/encoding.h"

namespace zor::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage = "usage: zorview --check [--json] [--scope 0|1|2] [--report FILE.html|FILE.csv] PATH\n";

enum class ReportKind { kNone, kHtml, kCsv };

struct CheckArgs {
  std::string path;
  bool json = false;
  std::optional<int> scope;  // nothing: the MissHanni setting decides
  std::string report;
  ReportKind kind = ReportKind::kNone;
};

ReportKind KindOf(const std::string& file) {
  std::string ext = fs::path(file).extension().string();
  for (char& c : ext) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  if (ext == ".html" || ext == ".htm") return ReportKind::kHtml;
  if (ext == ".csv") return ReportKind::kCsv;
  return ReportKind::kNone;
}

std::optional<CheckArgs> ParseArgs(const Args& args) {
  CheckArgs o;
  const std::optional<std::string> path = PathAmongOptions(args, [&o](const Args& a, std::size_t& i) {
    if (a[i] == "--json") return o.json = true;
    if (a[i] == "--scope") {
      if (++i == a.size() || a[i].size() != 1 || a[i][0] < '0' || a[i][0] > '2') return false;
      o.scope = a[i][0] - '0';
      return true;
    }
    if (a[i] == "--report") {
      if (++i == a.size() || !o.report.empty()) return false;
      o.report = a[i];
      o.kind = KindOf(o.report);
      return o.kind != ReportKind::kNone;
    }
    return false;
  });
  if (!path) return std::nullopt;
  o.path = *path;
  return o;
}

std::string Now() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
  return text;
}

void WriteText(std::ostream& out, const DeliveryCheckPlan& plan, const DeliveryCheckResult& result) {
  const auto line = [&out](const std::string& sjis) { out << OneLine(Cp932ToUtf8(sjis)) << "\n"; };
  line(plan.standard);
  for (const std::string& note : plan.notes) line(note);
  for (const std::string& l : plan.verificationLines) line(l);
  const std::vector<const Finding*> order = ReportOrder(result.findings);
  std::size_t i = 0;
  while (i < order.size()) {
    std::size_t end = i;
    while (end < order.size() && order[end]->severity == order[i]->severity && order[end]->check == order[i]->check)
      ++end;
    out << "\n";
    line(Sj("【") + SeverityText(order[i]->severity) + Sj("】") + CheckCaption(order[i]->check) + "  " +
         order[i]->check + "  " + std::to_string(end - i) + Sj(" 件"));
    for (; i < end; ++i) {
      const Finding& f = *order[i];
      std::string text = "  ";
      if (f.record > 0) text.append(Sj("記録 ")).append(std::to_string(f.record)).append("  ");
      if (!f.file.empty()) {
        text += f.file;
        if (f.line > 0) text.append(":").append(std::to_string(f.line));
        text += "  ";
      }
      text += f.message;
      line(text);
    }
  }
  out << "\n";
  line(CheckSummaryLine(result.summary));
}

void WriteJsonSummary(std::ostream& out, const DeliveryCheckSummary& s) {
  out << "{\"summary\":{\"pictures\":" << s.pictures.pictures << ",\"read\":" << s.pictures.read
      << ",\"management_files\":" << s.managementFiles << ",\"errors\":" << s.errors << ",\"warnings\":" << s.warnings
      << ",\"notes\":" << s.notes << ",\"cancelled\":" << (s.cancelled ? "true" : "false") << "}}\n";
}

}  // namespace

int Check(const Args& args, std::ostream& out, std::ostream& err) {
  const std::optional<CheckArgs> options = ParseArgs(args);
  if (!options) return UsageError(err, kUsage);
  const std::unique_ptr<VerbLoad> load = LoadForVerb("--check", options->path, std::nullopt, err);
  if (!load || !ReportLoad(*load, "--check", options->path, err)) return kExitUsage;
  Delivery& delivery = load->delivery;

  const DeliveryPlace place = PlaceOfDelivery(load->entryFile);
  std::string reportPath;
  if (options->kind != ReportKind::kNone) {
    std::error_code ec;
    reportPath = fs::absolute(options->report, ec).lexically_normal().string();
    if (AlbumInsideFolder(reportPath, place.root)) {
      err << "zorview --check: " << EscapeControls(reportPath) << ": "
          << TrFill("a report is never written inside the delivery %1", {EscapeControls(place.root)}) << "\n";
      return kExitFailed;
    }
  }

  const DeliveryCheckPlan plan = PlanDeliveryCheck(delivery, place, options->scope.value_or(load->env.settings.MissHanni),
                                                   load->host.ReadWithoutValidation());
  Host quiet;
  const DeliveryCheckResult result = RunDeliveryCheck(plan, quiet, InspectOptions{});
  if (options->json) {
    for (const Finding& f : result.findings) WriteJsonFinding(out, f, true);
    WriteJsonSummary(out, result.summary);
  } else {
    WriteText(out, plan, result);
  }

  if (!reportPath.empty()) {
    std::string content;
    if (options->kind == ReportKind::kHtml) {
      ReportHeading heading;
      heading.title = Sj("納品データのチェック結果");
      heading.workName = plan.workName;
      heading.path = fs::absolute(options->path).lexically_normal().string();
      heading.standard = plan.standard;
      heading.notes = plan.notes;
      heading.notes.insert(heading.notes.end(), plan.verificationLines.begin(), plan.verificationLines.end());
      heading.notes.push_back(CheckSummaryLine(result.summary));
      heading.program = std::string(kProductNameUtf8) + " " + kVersionText;
      heading.when = Now();
      content = ReportHtml(heading, result.findings);
    } else {
      content = ReportCsv(result.findings);
    }
    const std::string error = WriteReportFile(reportPath, content);
    if (!error.empty()) {
      err << "zorview --check: " << EscapeControls(reportPath) << ": " << OneLine(error) << "\n";
      return kExitFailed;
    }
  }
  return result.summary.errors > 0 ? kExitFailed : kExitOk;
}

}  // namespace zor::cli
