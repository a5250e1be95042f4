#include "images/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>
#include <system_error>

namespace zor {

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::filesystem::path& path, std::string* reason,
                                                       std::uintmax_t max_bytes) {
  auto fail = [&](const char* why) -> std::optional<std::vector<std::uint8_t>> {
    if (reason) *reason = why;
    return std::nullopt;
  };
  // Not blocking, and the file is looked at after it is opened: a FIFO or a
  // device put in a picture's place is refused, whatever it was a moment ago.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return fail("cannot open the file");
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return fail("cannot open the file");
  const auto size = static_cast<std::uintmax_t>(st.st_size);
  if (size > max_bytes) return fail("file too large");
  std::vector<std::uint8_t> bytes;
  try {
    bytes.resize(static_cast<std::size_t>(size));
  } catch (const std::bad_alloc&) {
    return fail("out of memory");
  }
  std::size_t got = 0;
  while (got < bytes.size()) {
    const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;  // a file that shrank while we read it gives what was there
    got += static_cast<std::size_t>(n);
  }
  bytes.resize(got);
  return bytes;
}

}  // namespace zor
