// Runs a shell command line as users run the program and keeps what it
// printed on standard output and its exit status.
#pragma once

#include <stdio.h>
#include <sys/wait.h>

#include <string>

namespace zor::test {

struct ProgramRun {
  int status = -1;  // -1 when it did not exit normally
  std::string out;
};

inline ProgramRun RunProgram(const std::string& command) {
  ProgramRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buf[4096];
  std::size_t n;
  while ((n = fread(buf, 1, sizeof buf, pipe)) > 0) run.out.append(buf, n);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace zor::test
