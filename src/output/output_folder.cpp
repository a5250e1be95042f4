#include "output/output_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <utility>

namespace zor {

namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
constexpr std::size_t kBufferSize = 64 * 1024;

}  // namespace

std::optional<OutputFolder> OutputFolder::Open(const std::filesystem::path& path, bool create) {
  if (create && ::mkdir(path.c_str(), 0777) != 0 && errno != EEXIST) return std::nullopt;
  const int fd = ::open(path.c_str(), kFolderFlags);
  if (fd < 0) return std::nullopt;
  return OutputFolder(fd, path);
}

OutputFolder::OutputFolder(OutputFolder&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)) {}

OutputFolder& OutputFolder::operator=(OutputFolder&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
    path_ = std::move(other.path_);
  }
  return *this;
}

OutputFolder::~OutputFolder() {
  if (fd_ >= 0) ::close(fd_);
}

std::optional<OutputFolder> OutputFolder::Sub(const std::string& name) const {
  if (::mkdirat(fd_, name.c_str(), 0777) != 0 && errno != EEXIST) return std::nullopt;
  const int fd = ::openat(fd_, name.c_str(), kFolderFlags);
  if (fd < 0) return std::nullopt;
  return OutputFolder(fd, path_ / name);
}

int OutputFolder::CreateFile(const std::string& name) const {
  RemoveFile(name);
  // Exclusive: whatever appears under the name after the removal is not
  // followed or reused.
  return ::openat(fd_, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
}

void OutputFolder::RemoveFile(const std::string& name) const { ::unlinkat(fd_, name.c_str(), 0); }

bool OutputFolder::Rename(const std::string& from, const std::string& to) const {
  return ::renameat(fd_, from.c_str(), fd_, to.c_str()) == 0;
}

OutputFile::OutputFile(const OutputFolder& folder, const std::string& name) : fd_(folder.CreateFile(name)) {
  if (fd_ < 0) error_ = errno;
}

OutputFile::OutputFile(OutputFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      failed_(other.failed_),
      error_(other.error_),
      buffer_(std::move(other.buffer_)) {}

OutputFile::~OutputFile() {
  if (fd_ >= 0) ::close(fd_);
}

void OutputFile::Write(std::string_view bytes) {
  if (!Ok()) return;
  buffer_.append(bytes);
  if (buffer_.size() >= kBufferSize) Flush();
}

void OutputFile::Flush() {
  std::size_t done = 0;
  while (!failed_ && done < buffer_.size()) {
    const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      if (!failed_) error_ = n < 0 ? errno : ENOSPC;
      failed_ = true;
    }
  }
  buffer_.clear();
}

bool OutputFile::Close() {
  if (fd_ < 0) return false;
  Flush();
  const bool closed = ::close(std::exchange(fd_, -1)) == 0;
  if (!closed && error_ == 0) error_ = errno;
  return closed && !failed_;
}

}  // namespace zor
