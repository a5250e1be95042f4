// A host that records what the images module shows, and a scratch folder.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/host.h"

namespace zor::testing {

class RecordingHost : public Host {
 public:
  void ShowStatus(const std::string& text) override { statuses.push_back(text); }
  std::vector<std::string> statuses;
};

class ScratchDir {
 public:
  explicit ScratchDir(const std::string& name)
      : path_(std::filesystem::temp_directory_path() / ("zor_images_" + name + "_" + std::to_string(::getpid()))) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

}  // namespace zor::testing
