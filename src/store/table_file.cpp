#include "store/table_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zor {

TableFile::~TableFile() { Close(); }

bool TableFile::Open(const std::string& path, bool readOnly, std::string* error) {
  Close();
  fd_ = ::open(path.c_str(), (readOnly ? O_RDONLY : O_RDWR) | O_CLOEXEC);
  if (fd_ < 0) {
    *error = std::strerror(errno);
    return false;
  }
  struct stat st;
  if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
    *error = "Not a regular file";
    Close();
    return false;
  }
  return Lock(!readOnly, error);
}

bool TableFile::Create(const std::string& path, std::string* error) {
  Close();
  // Lock before truncating so that a file another process holds is not emptied.
  fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd_ < 0) {
    *error = std::strerror(errno);
    return false;
  }
  if (!Lock(true, error)) return false;
  if (::ftruncate(fd_, 0) != 0) {
    *error = std::strerror(errno);
    Close();
    return false;
  }
  return true;
}

bool TableFile::InUse(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  ::close(fd);
  return held;
}

bool TableFile::Lock(bool exclusive, std::string* error) {
  if (::flock(fd_, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) == 0) return true;
  *error = errno == EWOULDBLOCK ? "The file is in use by another process" : std::strerror(errno);
  Close();
  return false;
}

void TableFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool TableFile::ReadAt(std::int64_t offset, void* data, std::size_t size) const {
  if (fd_ < 0 || offset < 0) return false;
  auto* p = static_cast<char*>(data);
  while (size > 0) {
    ssize_t n = ::pread(fd_, p, size, static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    offset += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

bool TableFile::WriteAt(std::int64_t offset, const void* data, std::size_t size) {
  if (fd_ < 0 || offset < 0) return false;
  const auto* p = static_cast<const char*>(data);
  while (size > 0) {
    ssize_t n = ::pwrite(fd_, p, size, static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    offset += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

std::int64_t TableFile::Size() const {
  struct stat st;
  if (fd_ < 0 || ::fstat(fd_, &st) != 0) return -1;
  return static_cast<std::int64_t>(st.st_size);
}

}  // namespace zor
