// The verbs' own temporary folder goes with them, also when a signal ends
// the process.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "cli/load_delivery.h"

namespace zor {
namespace {

namespace fs = std::filesystem;

TEST(ScratchFolder, RemovedAtTheEndAndByTheSignalsThatEndAVerb) {
  {
    cli::ScratchFolder folder = cli::ScratchFolder::Make();
    ASSERT_FALSE(folder.Path().empty());
    ASSERT_TRUE(fs::is_directory(folder.Path()));
    cli::ScratchFolder moved = std::move(folder);
    std::ofstream(moved.Path() + "work.dat") << "x";
    const std::string path = moved.Path();
    moved = cli::ScratchFolder();
    EXPECT_FALSE(fs::exists(path));
  }
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) {
    int pipe_fds[2];
    ASSERT_EQ(pipe(pipe_fds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      close(pipe_fds[0]);
      cli::ScratchFolder folder = cli::ScratchFolder::Make();
      std::ofstream(folder.Path() + "work.dat") << "x";
      const std::string path = folder.Path() + "\n";
      if (write(pipe_fds[1], path.data(), path.size()) < 0) _exit(3);
      close(pipe_fds[1]);
      for (;;) pause();
    }
    close(pipe_fds[1]);
    std::string path;
    char c;
    while (read(pipe_fds[0], &c, 1) == 1 && c != '\n') path += c;
    close(pipe_fds[0]);
    ASSERT_FALSE(path.empty());
    EXPECT_TRUE(fs::exists(path + "work.dat"));
    kill(child, sig);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << sig << " status " << status;
    EXPECT_FALSE(fs::exists(path)) << sig;
    std::error_code ec;
    fs::remove_all(path, ec);
  }
}

}  // namespace
}  // namespace zor
