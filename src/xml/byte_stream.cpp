#include "xml/byte_stream.h"

#include <unistd.h>

#include <cstring>

#include "app/regular_file.h"
#include "text/sjis.h"

namespace zor {
namespace {

constexpr std::size_t kBufferSize = 1 << 16;

}  // namespace

ByteStream::ByteStream(std::string_view bytes) : memory_(bytes), end_(bytes.size()), eof_(true) {}

std::FILE* OpenRegularFile(const std::string& path) {
  // A folder opens on Linux but cannot be read; a device or pipe could be
  // endless.
  RegularFile file(path);
  if (!file.Open()) return nullptr;
  const int fd = file.Release();
  std::FILE* f = fdopen(fd, "rb");
  if (!f) close(fd);
  return f;
}

std::optional<ByteStream> ByteStream::Open(const std::string& path) {
  std::FILE* f = OpenRegularFile(path);
  if (!f) return std::nullopt;
  ByteStream s;
  s.file_.reset(f);
  s.buffer_.resize(kBufferSize);
  return s;
}

bool ByteStream::Fill(std::size_t want) {
  if (end_ - pos_ >= want) return true;
  if (!file_ || eof_) return false;
  std::size_t left = end_ - pos_;
  std::memmove(buffer_.data(), buffer_.data() + pos_, left);
  pos_ = 0;
  end_ = left;
  while (end_ < want && !eof_) {
    std::size_t got = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, file_.get());
    end_ += got;
    if (got == 0) eof_ = true;
  }
  return end_ >= want;
}

bool ByteStream::HasAtLeast(std::size_t n) { return Fill(n); }

std::optional<std::size_t> ByteStream::CountStartTags() {
  std::size_t count = 0;
  bool afterOpen = false;  // the last byte seen was "<"
  while (Fill(1)) {
    const char* data = file_ ? buffer_.data() : memory_.data();
    for (const char* p = data + pos_; p < data + end_;) {
      if (afterOpen) {
        count += *p != '/' && *p != '!' && *p != '?';
        afterOpen = false;
        ++p;
        continue;
      }
      const void* open = std::memchr(p, '<', static_cast<std::size_t>(data + end_ - p));
      if (!open) break;
      p = static_cast<const char*>(open) + 1;
      afterOpen = true;
    }
    pos_ = end_;
  }
  if (!Rewind()) return std::nullopt;
  return count;
}

int ByteStream::Next() {
  if (!Fill(1)) return -1;
  const char* data = file_ ? buffer_.data() : memory_.data();
  return static_cast<unsigned char>(data[pos_++]);
}

bool ByteStream::Rewind() {
  pos_ = 0;
  if (!file_) return true;
  end_ = 0;
  eof_ = false;
  std::clearerr(file_.get());
  return std::fseek(file_.get(), 0, SEEK_SET) == 0;
}

std::optional<std::string> ByteStream::ReadLine(long number, std::size_t maxBytes) {
  if (number < 1 || !Rewind()) return std::nullopt;
  long line = 1;
  std::string text;
  for (int c = Next(); c >= 0; c = Next()) {
    if (c == '\n') {
      if (line == number) return text;
      ++line;
      continue;
    }
    int trail = IsLeadByte(static_cast<unsigned char>(c)) ? Next() : -1;
    if (line != number || text.size() >= maxBytes) continue;
    // A line indented by thousands of blanks still shows its text.
    bool blank = trail < 0 ? c <= ' ' : (c == 0x81 && trail == 0x40);
    if (text.empty() && blank) continue;
    text += static_cast<char>(c);
    if (trail >= 0) text += static_cast<char>(trail);
  }
  if (line == number) return text;
  return std::nullopt;
}

}  // namespace zor
