// What the verbs that read one PATH among their options share: the walk over
// the arguments and the usage error.
#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/verbs.h"

namespace zor::cli {

// The one argument that is no option. option(args, i) takes args[i], moving
// i past a value it reads, and says whether it was an option it knows.
// Nothing for an unknown option, a second path or none.
std::optional<std::string> PathAmongOptions(const Args& args,
                                            const std::function<bool(const Args& args, std::size_t& i)>& option);

// The same for verbs that read count arguments that are no options, in
// the order given; nothing unless exactly count are there.
std::optional<std::vector<std::string>> PathsAmongOptions(
    const Args& args, std::size_t count, const std::function<bool(const Args& args, std::size_t& i)>& option);

// The usage text on err, its leading "usage:" in the user's language; kExitUsage.
int UsageError(std::ostream& err, std::string_view usage);

}  // namespace zor::cli
