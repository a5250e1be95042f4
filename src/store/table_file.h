// The open file under a binary data-set table: positioned reads and writes
// and the sharing mode (an advisory lock: exclusive for writing, shared for
// reading, released by the system when the process ends however it ends).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zor {

class TableFile {
 public:
  TableFile() = default;
  ~TableFile();
  TableFile(const TableFile&) = delete;
  TableFile& operator=(const TableFile&) = delete;

  // Opens an existing file. On failure returns false with a reason in *error.
  bool Open(const std::string& path, bool readOnly, std::string* error);
  // Creates the file or empties an existing one, holding it exclusively.
  bool Create(const std::string& path, std::string* error);
  void Close();
  // Whether another table holds the file open at the moment.
  static bool InUse(const std::string& path);
  bool IsOpen() const { return fd_ >= 0; }

  // Whole reads and writes at a byte offset; false when fewer bytes moved.
  bool ReadAt(std::int64_t offset, void* data, std::size_t size) const;
  bool WriteAt(std::int64_t offset, const void* data, std::size_t size);
  // File size in bytes, -1 when it cannot be read.
  std::int64_t Size() const;

 private:
  bool Lock(bool exclusive, std::string* error);

  int fd_ = -1;
};

}  // namespace zor
