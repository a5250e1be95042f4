// The program run as users run it, on copies of the fixture deliveries below
// a temporary folder of its own, with settings and temporary files of its
// own: what it printed, its exit status, and every file of a folder.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "program_run.h"

namespace zor::test {

namespace fs = std::filesystem;

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

inline std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Every entry below folder, by relative path: a file's bytes, "<dir>" for a folder.
inline std::map<std::string, std::string> Contents(const fs::path& folder) {
  std::map<std::string, std::string> all;
  for (const auto& e : fs::recursive_directory_iterator(folder)) {
    const std::string rel = fs::relative(e.path(), folder).string();
    all[rel] = e.is_directory() ? "<dir>" : ReadBytes(e.path());
  }
  return all;
}

inline std::size_t CountOf(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++n;
  return n;
}

class VerbRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    temp_ = fs::temp_directory_path() / ("zor_verb_" + std::to_string(::getpid()));
    fs::remove_all(temp_);
    fs::create_directories(temp_ / "xdg");
    fs::create_directories(temp_ / "tmp");
  }
  void TearDown() override { fs::remove_all(temp_); }

  // args are passed as they are to the shell; so is before, put in front
  // of the program (a "timeout" that keeps a fault from hanging the test).
  Outcome Zorview(const std::string& args, const std::string& before = "") {
    const fs::path err = temp_ / "stderr.txt";
    const std::string command = "XDG_DATA_HOME='" + (temp_ / "xdg").string() + "' TMPDIR='" + (temp_ / "tmp").string() +
                                "' " + before + " '" ZOR_PROGRAM "' " + args + " 2>'" + err.string() + "'";
    test::ProgramRun run = test::RunProgram(command);
    return {run.status, run.out, ReadBytes(err)};
  }
  // The settings file the runs read.
  fs::path SettingsFile() const { return temp_ / "xdg/TALMO/TempFiles/ZORVIEW/ZOR.INI"; }
  static std::string Q(const fs::path& p) { return "'" + p.string() + "'"; }
  static fs::path Data(const std::string& rel) { return fs::path(ZOR_TEST_DATA) / rel; }

  // A copy of a fixture delivery below the temporary folder.
  fs::path CopyOf(const std::string& fixture, const std::string& as) {
    const fs::path target = temp_ / as;
    fs::create_directories(target.parent_path());
    fs::copy(Data(fixture), target, fs::copy_options::recursive);
    return target;
  }

  fs::path temp_;
};

}  // namespace zor::test
