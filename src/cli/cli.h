// The headless front end: verbs that run without a display.
#pragma once

#include <iosfwd>
#include <string_view>

namespace zor {

// True when argv[1] names a command-line verb (--help, --version, --dump ...),
// so that the program must not start the window system.
bool IsCliInvocation(int argc, char** argv);

// Runs the verb; returns the exit status.
int RunCli(int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace zor
