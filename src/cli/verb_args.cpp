#include "cli/verb_args.h"

#include <ostream>

#include "app/translate.h"

namespace zor::cli {

std::optional<std::vector<std::string>> PathsAmongOptions(
    const Args& args, std::size_t count, const std::function<bool(const Args& args, std::size_t& i)>& option) {
  std::vector<std::string> paths;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i].starts_with("--")) {
      if (!option(args, i)) return std::nullopt;
    } else {
      paths.push_back(args[i]);
    }
  }
  if (paths.size() != count) return std::nullopt;
  return paths;
}

std::optional<std::string> PathAmongOptions(const Args& args,
                                            const std::function<bool(const Args& args, std::size_t& i)>& option) {
  std::optional<std::vector<std::string>> paths = PathsAmongOptions(args, 1, option);
  if (!paths) return std::nullopt;
  return std::move(paths->front());
}

int UsageError(std::ostream& err, std::string_view usage) {
  static constexpr std::string_view kPrefix = "usage:";
  if (usage.starts_with(kPrefix)) {
    err << Tr("usage:");
    usage.remove_prefix(kPrefix.size());
  }
  err << usage;
  return kExitUsage;
}

}  // namespace zor::cli
