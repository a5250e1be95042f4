// zorview --inspect: loads a delivery as --verify does and inspects the
// pictures themselves; prints the findings grouped by check (UTF-8), or with
// --json one object per finding per line and a summary line last. Reads the
// delivery's files only.
#include <optional>
#include <ostream>
#include <string>

#include "cli/dump_host.h"
#include "cli/json.h"
#include "cli/load_delivery.h"
#include "cli/verb_args.h"
#include "cli/verbs.h"
#include "inspect/inspection.h"
#include "inspect/report.h"
#include "store/delivery.h"
#include "text/encoding.h"

namespace zor::cli {
namespace {

struct InspectArgs {
  std::string path;
  bool json = false;
};

std::optional<InspectArgs> ParseArgs(const Args& args) {
  InspectArgs o;
  const std::optional<std::string> path = PathAmongOptions(args, [&o](const Args& a, std::size_t& i) {
    if (a[i] != "--json") return false;
    o.json = true;
    return true;
  });
  if (!path) return std::nullopt;
  o.path = *path;
  return o;
}

void WriteJsonSummary(std::ostream& out, const InspectionSummary& s) {
  out << "{\"summary\":{\"pictures\":" << s.pictures << ",\"read\":" << s.read << ",\"missing\":" << s.missing
      << ",\"other_medium\":" << s.otherMedium << ",\"tamper_checked\":" << s.tamperChecked
      << ",\"tamper_intact\":" << s.tamperIntact << ",\"without_tamper\":" << s.withoutTamper
      << ",\"without_exif_date\":" << s.withoutExifDate << ",\"blackboard\":" << s.blackboard
      << ",\"blackboard_differing\":" << s.blackboardDiffering
      << ",\"blackboard_unreadable\":" << s.blackboardUnreadable << ",\"without_blackboard\":" << s.withoutBlackboard
      << ",\"errors\":" << s.errors << ",\"warnings\":" << s.warnings << ",\"notes\":" << s.notes
      << ",\"cancelled\":" << (s.cancelled ? "true" : "false") << "}}\n";
}

}  // namespace

int Inspect(const Args& args, std::ostream& out, std::ostream& err) {
  const std::optional<InspectArgs> options = ParseArgs(args);
  if (!options) return UsageError(err, "usage: zorview --inspect [--json] PATH\n");
  const std::unique_ptr<VerbLoad> load = LoadForVerb("--inspect", options->path, std::nullopt, err);
  if (!load || !ReportLoad(*load, "--inspect", options->path, err)) return kExitUsage;
  Delivery& delivery = load->delivery;

  Host quiet;
  const InspectionResult result = InspectDelivery(delivery, quiet, InspectOptions{});
  if (options->json) {
    for (const Finding& f : result.findings) WriteJsonFinding(out, f, false);
    WriteJsonSummary(out, result.summary);
  } else {
    for (const std::string& line : ReportLines(result)) out << Cp932ToUtf8(line) << "\n";
  }
  return result.summary.errors > 0 ? kExitFailed : kExitOk;
}

}  // namespace zor::cli
