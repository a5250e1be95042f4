#include "app/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace zor {

RegularFile::RegularFile(const std::filesystem::path& path)
    : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)) {
  if (fd_ < 0) return;
  struct stat st {};
  if (::fstat(fd_, &st) == 0 && S_ISREG(st.st_mode)) {
    size_ = static_cast<std::uint64_t>(st.st_size);
    return;
  }
  const int err = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
  ::close(fd_);
  fd_ = -1;
  errno = err;
}

RegularFile::~RegularFile() {
  if (fd_ >= 0) ::close(fd_);
}

long RegularFile::Read(void* buf, std::size_t size) {
  while (true) {
    const ssize_t n = ::read(fd_, buf, size);
    if (n >= 0 || errno != EINTR) return static_cast<long>(n);
  }
}

int RegularFile::Release() { return std::exchange(fd_, -1); }

}  // namespace zor
