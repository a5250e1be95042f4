// zorview --verify: loads a delivery as --dump does and prints the report of
// the entry verification in UTF-8, one line of text per line.
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "app/folders.h"
#include "app/settings.h"
#include "app/translate.h"
#include "cli/dump_host.h"
#include "cli/load_delivery.h"
#include "cli/out_text.h"
#include "cli/verb_args.h"
#include "cli/verbs.h"
#include "import/dispatch.h"
#include "rules/verify_entries.h"
#include "store/delivery.h"
#include "store/standards.h"
#include "text/encoding.h"

namespace zor::cli {
namespace {

// The delivery could not be verified: not loaded, or the run stopped. Shares
// its number with a usage error, so that 1 always means faults were found.
constexpr int kExitNotVerified = kExitUsage;

constexpr const char* kNotValidatedLineUtf8 =
    "DTDによる検証に失敗したため、ウェルフォームドXML文書として読み込みました。";

struct VerifyOptions {
  std::string path;
  std::optional<int> scope;  // nothing: the MissHanni setting decides
};

std::optional<VerifyOptions> ParseArgs(const Args& args) {
  VerifyOptions o;
  const std::optional<std::string> path = PathAmongOptions(args, [&o](const Args& a, std::size_t& i) {
    if (a[i] != "--scope" || ++i == a.size() || a[i].size() != 1 || a[i][0] < '0' || a[i][0] > '2') return false;
    o.scope = a[i][0] - '0';
    return true;
  });
  if (!path) return std::nullopt;
  o.path = *path;
  return o;
}

// An entry of the report may hold several lines joined with CR LF.
void WriteEntry(std::ostream& out, std::string_view entry) {
  std::size_t start = 0;
  while (true) {
    const std::size_t cut = entry.find("\r\n", start);
    out << Cp932ToUtf8(entry.substr(start, cut - start)) << "\n";
    if (cut == std::string_view::npos) return;
    start = cut + 2;
  }
}

}  // namespace

int Verify(const Args& args, std::ostream& out, std::ostream& err) {
  const std::optional<VerifyOptions> options = ParseArgs(args);
  if (!options) return UsageError(err, "usage: zorview --verify [--scope 0|1|2] PATH\n");
  const std::unique_ptr<VerbLoad> load = LoadForVerb("--verify", options->path, std::nullopt, err);
  if (!load || !ReportLoad(*load, "--verify", options->path, err)) return kExitNotVerified;
  const Settings& settings = load->env.settings;
  Delivery& delivery = load->delivery;
  const DumpHost& host = load->host;

  Host quiet;
  const VerifyResult result = VerifyEntries(delivery, options->scope.value_or(settings.MissHanni), quiet);
  // A later standard is checked by the rules of an earlier one: say which,
  // as the verification dialog names the standard.
  if (IsLaterStandard(delivery.DigiVersion)) {
    WriteEntry(out, StandardName(delivery.DigiVersion, delivery.Guideline));
    WriteEntry(out, RuleSetNote(delivery.DigiVersion));
  }
  // A delivery that failed its DTD was read as well-formed XML only: the
  // entries are checked, but the delivery is not clean.
  if (host.ReadWithoutValidation()) WriteEntry(out, Sj(kNotValidatedLineUtf8));
  for (const std::string& line : result.lines) WriteEntry(out, line);
  if (!result.faulty.empty()) {
    out << Tr("faulty records:") << " ";
    for (std::size_t i = 0; i < result.faulty.size(); ++i) out << (i ? ", " : "") << result.faulty[i];
    out << "\n";
  }
  if (!result.error.empty()) {
    err << "zorview --verify: " << Tr("the verification stopped:") << " " << Cp932ToUtf8(result.error) << "\n";
    return kExitNotVerified;
  }
  return result.clean && !host.ReadWithoutValidation() ? kExitOk : kExitFailed;
}

}  // namespace zor::cli
