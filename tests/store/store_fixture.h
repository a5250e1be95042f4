// A scratch folder per test, and file helpers for looking at the bytes.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/host.h"

namespace zor {

class ScratchDir : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = std::filesystem::temp_directory_path() /
           ("zor_store_" + std::to_string(::getpid()) + "_" + info->test_suite_name() + "_" + info->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  std::string Folder() const { return dir_.string() + "/"; }

  static std::vector<unsigned char> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
  }
  static void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  static std::int32_t Int32At(const std::vector<unsigned char>& b, std::size_t at) {
    return static_cast<std::int32_t>(std::uint32_t{b[at]} | std::uint32_t{b[at + 1]} << 8 |
                                     std::uint32_t{b[at + 2]} << 16 | std::uint32_t{b[at + 3]} << 24);
  }
  static void SetInt32At(std::vector<unsigned char>& b, std::size_t at, std::int32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(static_cast<std::uint32_t>(v) >> (8 * i));
  }

  std::filesystem::path dir_;
};

// Answers confirmations with a fixed reply and remembers what was asked.
class RecordingHost : public Host {
 public:
  explicit RecordingHost(bool answer) : answer_(answer) {}
  bool ConfirmYesNo(const std::string& text) override {
    asked.push_back(text);
    return answer_;
  }
  std::vector<std::string> asked;

 private:
  bool answer_;
};

}  // namespace zor
