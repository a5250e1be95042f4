// zorview --ledger: loads a delivery as --album does and writes its photo
// ledger (工事写真帳) as a PDF. OUT.pdf may not lie inside the delivery's
// folder; a file there is replaced only once the new one is complete.
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "app/host.h"
#include "cli/dump_host.h"
#include "cli/load_delivery.h"
#include "cli/out_text.h"
#include "cli/verb_args.h"
#include "cli/verbs.h"
#include "output/album_writer.h"
#include "output/ledger_writer.h"
#include "store/delivery.h"
#include "text/encoding.h"

namespace zor::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kVerb = "--ledger";
constexpr const char* kUsage =
    "usage: zorview --ledger PATH OUT.pdf [--per-page 2|3] [--only representative|frequency] [--drawings]\n";

struct LedgerArgs {
  std::string path;
  std::string out;
  int perPage = 3;
  LedgerSelection selection;
};

std::optional<LedgerArgs> ParseArgs(const Args& args) {
  LedgerArgs a;
  const auto paths = PathsAmongOptions(args, 2, [&a](const Args& v, std::size_t& i) {
    if (v[i] == "--drawings") {
      a.selection.drawings = true;
      return true;
    }
    if (i + 1 >= v.size()) return false;
    if (v[i] == "--per-page" && (v[i + 1] == "2" || v[i + 1] == "3")) {
      a.perPage = v[++i] == "2" ? 2 : 3;
      return true;
    }
    if (v[i] == "--only" && (v[i + 1] == "representative" || v[i + 1] == "frequency")) {
      a.selection.only = v[++i] == "representative" ? LedgerOnly::kRepresentative : LedgerOnly::kFrequency;
      return true;
    }
    return false;
  });
  if (!paths) return std::nullopt;
  a.path = (*paths)[0];
  a.out = (*paths)[1];
  return a;
}

void PrintLines(std::ostream& err, const std::vector<std::string>& lines) {
  for (const std::string& m : lines) err << "zorview --ledger: " << OneLine(Cp932ToUtf8(m)) << "\n";
}

}  // namespace

int Ledger(const Args& args, std::ostream& out, std::ostream& err) {
  const std::optional<LedgerArgs> a = ParseArgs(args);
  if (!a) return UsageError(err, kUsage);
  std::error_code ec;
  const fs::path file = fs::absolute(a->out, ec).lexically_normal();
  if (ec || file.filename().empty() || fs::is_directory(file, ec)) {
    err << "zorview --ledger: " << a->out << ": not a file name\n";
    return kExitFailed;
  }
  if (!fs::is_directory(file.parent_path(), ec)) {
    err << "zorview --ledger: " << file.parent_path().string() << ": no such folder\n";
    return kExitFailed;
  }
  const std::optional<std::string> path = ExistingPath(a->path, kVerb, err);
  if (!path) return kExitFailed;

  const CliEnvironment env = ReadCliEnvironment(err);
  Delivery delivery;
  // The program never writes into a delivery: its folder is known from the
  // entry file before anything is loaded.
  {
    DumpHost quiet;
    ImportContext probe{delivery, quiet, env.folders, env.settings.MsXmlParser};
    if (const std::optional<std::string> chosen = ChooseEntry(probe, *path)) {
      const fs::path deliveryFolder = DeliveryFolderOfEntry(*chosen);
      if (AlbumInsideFolder(file, deliveryFolder)) {
        err << "zorview --ledger: " << file.string() << " would lie inside the delivery " << deliveryFolder.string()
            << "\n";
        return kExitFailed;
      }
    }
  }
  DumpHost host;
  if (!LoadDeliveryAt(delivery, host, env, *path, std::nullopt, nullptr, true)) {
    PrintLines(err, host.Messages());
    err << "zorview --ledger: " << a->path << ": no delivery loaded\n";
    return kExitFailed;
  }
  PrintLines(err, host.Messages());

  const LedgerPlan plan = PlanLedger(delivery, a->selection);
  LedgerOptions options;
  options.file = file;
  options.perPage = a->perPage;
  Host quiet;
  const LedgerResult result = WriteLedger(plan, options, quiet);
  PrintLines(err, LedgerSummary(result, file));
  if (!result.finished) return kExitFailed;
  out << file.string() << "\n";
  return kExitOk;
}

}  // namespace zor::cli
