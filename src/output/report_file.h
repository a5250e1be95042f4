// Writing a report file: the whole text at once, through a new file beside
// the target that replaces it when complete, so that a link at the target
// is replaced rather than followed and a failed write leaves nothing half
// written under the report's name.
#pragma once

#include <string>

namespace zor {

// Writes content to path (UTF-8). Empty on success, else why it failed
// (UTF-8, naming the system's reason); nothing is left behind then.
std::string WriteReportFile(const std::string& path, const std::string& content);

}  // namespace zor
