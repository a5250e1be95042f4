// A file opened for reading only when it is a regular file. It is opened
// without blocking (a FIFO would wait for a writer) and looked at once open,
// so that a FIFO, device or folder put in its place a moment ago is refused
// whatever was checked before.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace zor {

class RegularFile {
 public:
  // On failure Open() is false and errno says why: that of open(), EISDIR
  // for a folder, EINVAL for anything else that is not a regular file.
  explicit RegularFile(const std::filesystem::path& path);
  ~RegularFile();
  RegularFile(const RegularFile&) = delete;
  RegularFile& operator=(const RegularFile&) = delete;

  bool Open() const { return fd_ >= 0; }
  std::uint64_t Size() const { return size_; }
  // Bytes read into buf, 0 at the end, -1 on an error (EINTR retried).
  long Read(void* buf, std::size_t size);
  // Hands the descriptor over; the caller closes it.
  int Release();

 private:
  int fd_ = -1;
  std::uint64_t size_ = 0;
};

}  // namespace zor
