#include "output/report_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace zor {

std::string WriteReportFile(const std::string& path, const std::string& content) {
  const std::string part = path + ".part-" + std::to_string(::getpid());
  const int fd = ::open(part.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd < 0) return std::strerror(errno);
  std::size_t done = 0;
  while (done < content.size()) {
    const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const std::string why = std::strerror(n < 0 ? errno : ENOSPC);
      ::close(fd);
      ::unlink(part.c_str());
      return why;
    }
    done += static_cast<std::size_t>(n);
  }
  if (::fsync(fd) != 0 || ::close(fd) != 0) {
    const std::string why = std::strerror(errno);
    ::unlink(part.c_str());
    return why;
  }
  if (std::rename(part.c_str(), path.c_str()) != 0) {
    const std::string why = std::strerror(errno);
    ::unlink(part.c_str());
    return why;
  }
  return {};
}

}  // namespace zor
