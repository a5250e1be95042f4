#include "images/file_bytes.h"

#include <new>
#include <system_error>

#include "app/regular_file.h"

namespace zor {

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::filesystem::path& path, std::string* reason,
                                                       std::uintmax_t max_bytes) {
  auto fail = [&](const char* why) -> std::optional<std::vector<std::uint8_t>> {
    if (reason) *reason = why;
    return std::nullopt;
  };
  // A FIFO or a device put in a picture's place is refused.
  RegularFile file(path);
  if (!file.Open()) return fail("cannot open the file");
  const std::uintmax_t size = file.Size();
  if (size > max_bytes) return fail("file too large");
  std::vector<std::uint8_t> bytes;
  try {
    bytes.resize(static_cast<std::size_t>(size));
  } catch (const std::bad_alloc&) {
    return fail("out of memory");
  }
  std::size_t got = 0;
  while (got < bytes.size()) {
    const long n = file.Read(bytes.data() + got, bytes.size() - got);
    if (n <= 0) break;  // a file that shrank while we read it gives what was there
    got += static_cast<std::size_t>(n);
  }
  bytes.resize(got);
  return bytes;
}

}  // namespace zor
