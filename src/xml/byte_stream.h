// Byte-by-byte reading of a file or of bytes in memory, buffered so that a
// 100 MB file costs no more than its size in reads.
#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zor {

// The file opened for reading when it is a regular file (checked once it is
// open, without blocking on a FIFO); nullptr otherwise. The caller closes it.
std::FILE* OpenRegularFile(const std::string& path);

class ByteStream {
 public:
  // Reads the bytes in memory; they must outlive the stream.
  explicit ByteStream(std::string_view bytes);
  // Nothing when the file cannot be opened for reading or is not a file.
  static std::optional<ByteStream> Open(const std::string& path);

  // True when at least n bytes (1 or 2) remain unread.
  bool HasAtLeast(std::size_t n);
  // The next byte (0-255), or -1 at the end.
  int Next();
  // Back to the first byte; false when the file cannot be read again.
  bool Rewind();
  // How many "<" of the bytes from here on begin a start tag (are followed by
  // neither "/", "!" nor "?"); the stream is back at its first byte after.
  // Nothing when it cannot be read again.
  std::optional<std::size_t> CountStartTags();

  // Line number (from 1) of a Shift_JIS text in which lines end at a line
  // feed that is not the second byte of a double-byte character, without
  // its leading blanks, control characters and full-width spaces, which do
  // not count towards maxBytes: at most maxBytes bytes of the rest are
  // returned. Nothing when the text has fewer lines or cannot be read again.
  std::optional<std::string> ReadLine(long number, std::size_t maxBytes);

 private:
  struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };

  ByteStream() = default;
  bool Fill(std::size_t want);

  std::unique_ptr<std::FILE, FileCloser> file_;
  std::vector<char> buffer_;
  std::string_view memory_;
  std::size_t pos_ = 0;  // next unread byte in buffer_ or memory_
  std::size_t end_ = 0;  // bytes available in buffer_ or memory_
  bool eof_ = false;
};

}  // namespace zor
