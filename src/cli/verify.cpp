// zorview --verify: loads a delivery as --dump does and prints the report of
// the entry verification in UTF-8, one line of text per line.
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "app/folders.h"
#include "app/settings.h"
#include "cli/dump_host.h"
#include "cli/load_delivery.h"
#include "cli/out_text.h"
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
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--scope") {
      if (++i == args.size() || args[i].size() != 1 || args[i][0] < '0' || args[i][0] > '2') return std::nullopt;
      o.scope = args[i][0] - '0';
    } else if (a.starts_with("--") || !o.path.empty()) {
      return std::nullopt;
    } else {
      o.path = a;
    }
  }
  if (o.path.empty()) return std::nullopt;
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
  if (!options) {
    err << "usage: zorview --verify [--scope 0|1|2] PATH\n";
    return kExitUsage;
  }
  const std::optional<std::string> found = ExistingPath(options->path, "--verify", err);
  if (!found) return kExitNotVerified;
  const std::string& path = *found;

  const CliEnvironment env = ReadCliEnvironment(err);
  const Settings& settings = env.settings;
  Delivery delivery;
  DumpHost host;
  const bool loaded = LoadDeliveryAt(delivery, host, env, path, std::nullopt);
  for (const std::string& message : host.Messages()) err << OneLine(Cp932ToUtf8(message)) << "\n";
  if (!loaded) {
    err << "zorview --verify: " << options->path << ": the delivery could not be loaded\n";
    return kExitNotVerified;
  }

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
    out << "faulty records: ";
    for (std::size_t i = 0; i < result.faulty.size(); ++i) out << (i ? ", " : "") << result.faulty[i];
    out << "\n";
  }
  if (!result.error.empty()) {
    err << "zorview --verify: the verification stopped: " << Cp932ToUtf8(result.error) << "\n";
    return kExitNotVerified;
  }
  return result.clean && !host.ReadWithoutValidation() ? kExitOk : kExitFailed;
}

}  // namespace zor::cli
