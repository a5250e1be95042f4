#include "images/file_bytes.h"

#include <fstream>
#include <new>
#include <system_error>

namespace zor {

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::filesystem::path& path, std::string* reason,
                                                       std::uintmax_t max_bytes) {
  auto fail = [&](const char* why) -> std::optional<std::vector<std::uint8_t>> {
    if (reason) *reason = why;
    return std::nullopt;
  };
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return fail("cannot open the file");
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec) return fail("cannot open the file");
  if (size > max_bytes) return fail("file too large");
  std::ifstream in(path, std::ios::binary);
  if (!in) return fail("cannot open the file");
  std::vector<std::uint8_t> bytes;
  try {
    bytes.resize(static_cast<std::size_t>(size));
  } catch (const std::bad_alloc&) {
    return fail("out of memory");
  }
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  // A file that shrank while we read it gives what was there.
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

}  // namespace zor
