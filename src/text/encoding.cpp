#include "text/encoding.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace zor {
namespace {

// One iconv descriptor per direction and thread; iconv_open is costly and a
// descriptor must not be shared between threads.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv cannot convert between CP932 and UTF-8");
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts s; on an undecodable sequence calls skip(in, left, out) which
  // appends a replacement and returns how many input bytes to drop.
  template <typename Skip>
  std::string Run(std::string_view s, Skip skip, std::size_t* replaced) {
    std::string out;
    out.reserve(s.size() * 3 / 2 + 4);
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(s.data());
    std::size_t in_left = s.size();
    char buf[1024];
    while (in_left > 0) {
      char* dst = buf;
      std::size_t dst_left = sizeof buf;
      std::size_t rc = iconv(cd_, &in, &in_left, &dst, &dst_left);
      out.append(buf, static_cast<std::size_t>(dst - buf));
      if (rc != static_cast<std::size_t>(-1)) break;
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL (truncated sequence at the end): replace and go on.
      std::size_t drop = skip(std::string_view(in, in_left), out);
      in += drop;
      in_left -= drop;
      if (replaced) ++*replaced;
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
  }

 private:
  iconv_t cd_;
};

std::size_t Utf8SequenceLength(std::string_view s) {
  unsigned char c = static_cast<unsigned char>(s[0]);
  std::size_t need = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
  if (need > s.size()) return 1;
  for (std::size_t i = 1; i < need; ++i)
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 1;
  return need;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view sjis, std::size_t* replaced) {
  thread_local Converter conv("UTF-8", "CP932");
  return conv.Run(
      sjis,
      [](std::string_view, std::string& out) {
        out += "\xEF\xBF\xBD";
        return std::size_t{1};
      },
      replaced);
}

std::string Utf8ToCp932(std::string_view utf8, std::size_t* replaced) {
  thread_local Converter conv("CP932", "UTF-8");
  return conv.Run(
      utf8,
      [](std::string_view rest, std::string& out) {
        out += '?';
        // A well-formed character that CP932 lacks is dropped whole; a broken
        // sequence one byte at a time.
        return Utf8SequenceLength(rest);
      },
      replaced);
}

}  // namespace zor
