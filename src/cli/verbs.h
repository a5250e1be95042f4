// One function per command-line verb; each lives in a file of its own.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace zor::cli {

using Args = std::vector<std::string>;  // the arguments after the verb

// Exit statuses shared by every verb.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

int Version(const Args& args, std::ostream& out, std::ostream& err);
int XmlTree(const Args& args, std::ostream& out, std::ostream& err);
int Thumbnail(const Args& args, std::ostream& out, std::ostream& err);
int Kind(const Args& args, std::ostream& out, std::ostream& err);
int Dump(const Args& args, std::ostream& out, std::ostream& err);
int Verify(const Args& args, std::ostream& out, std::ostream& err);
int Inspect(const Args& args, std::ostream& out, std::ostream& err);
int Check(const Args& args, std::ostream& out, std::ostream& err);
int Album(const Args& args, std::ostream& out, std::ostream& err);

}  // namespace zor::cli
