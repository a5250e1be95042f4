#include "app/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/regular_file.h"
#include "text/encoding.h"
#include "text/sjis.h"

namespace zor {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Removes blanks and tabs at both ends without cutting a double-byte
// character whose second byte might look like something else.
std::string_view TrimBlanks(std::string_view s) {
  std::size_t begin = 0;
  while (begin < s.size() && IsBlank(s[begin])) ++begin;
  std::size_t end = begin;
  for (std::size_t pos = begin; pos < s.size();) {
    std::size_t len = CharLengthAt(s, pos);
    if (len == 2 || !IsBlank(s[pos])) end = pos + len;
    pos += len;
  }
  return s.substr(begin, end - begin);
}

// "[name]" gives name. ']' can be the second byte of a double-byte
// character, so the search walks character by character.
std::optional<std::string_view> SectionOf(std::string_view line) {
  std::string_view t = TrimBlanks(line);
  if (t.empty() || t[0] != '[') return std::nullopt;
  for (std::size_t pos = 1; pos < t.size();) {
    std::size_t len = CharLengthAt(t, pos);
    if (len == 1 && t[pos] == ']') return TrimBlanks(t.substr(1, pos - 1));
    pos += len;
  }
  return std::nullopt;
}

struct Entry {
  std::string_view key, value;
};

// "key=value"; '=' never occurs inside a double-byte character.
std::optional<Entry> EntryOf(std::string_view line) {
  std::string_view t = TrimBlanks(line);
  if (t.empty() || t[0] == ';' || t[0] == '[') return std::nullopt;
  std::size_t eq = t.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  Entry e{TrimBlanks(t.substr(0, eq)), TrimBlanks(t.substr(eq + 1))};
  if (e.key.empty()) return std::nullopt;
  return e;
}

// Settings files are a few kilobytes.
constexpr off_t kMaxIniBytes = 16 * 1024 * 1024;

std::string ErrnoText(const std::string& what, const std::string& path, int err) {
  return what + " " + path + ": " + std::strerror(err);
}

}  // namespace

std::optional<IniFile> IniFile::Parse(std::string_view bytes, std::string* error) {
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    if (error) *error = "UTF-16 text; only code page 932 or UTF-8 with its byte order mark is read";
    return std::nullopt;
  }
  std::string converted;
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    converted = Utf8ToCp932(bytes.substr(3));
    bytes = converted;
  }
  IniFile ini;
  std::size_t start = 0;
  for (std::size_t pos = 0; pos < bytes.size(); ++pos) {
    if (bytes[pos] != '\r' && bytes[pos] != '\n') continue;
    ini.lines_.emplace_back(bytes.substr(start, pos - start));
    if (bytes[pos] == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n') ++pos;
    start = pos + 1;
  }
  if (start < bytes.size()) ini.lines_.emplace_back(bytes.substr(start));
  return ini;
}

std::optional<IniFile> IniFile::Load(const std::string& path, std::string* error) {
  // A FIFO put in the file's place must not hang the program.
  RegularFile file(path);
  if (!file.Open()) {
    const int openError = errno;
    if (openError == ENOENT) return IniFile();
    if (error)
      *error = openError == EISDIR   ? ErrnoText("cannot read", path, EISDIR)
               : openError == EINVAL ? path + ": not a regular file"
                                     : ErrnoText("cannot open", path, openError);
    return std::nullopt;
  }
  if (file.Size() > static_cast<std::uint64_t>(kMaxIniBytes)) {
    if (error) *error = path + ": too large for a settings file";
    return std::nullopt;
  }
  std::string bytes;
  int err = 0;
  char buf[65536];
  for (long n; (n = file.Read(buf, sizeof buf)) != 0;) {
    if (n < 0) {
      err = errno;
      break;
    }
    bytes.append(buf, static_cast<std::size_t>(n));
  }
  if (err) {
    if (error) *error = ErrnoText("cannot read", path, err);
    return std::nullopt;
  }
  std::optional<IniFile> ini = Parse(bytes, error);
  if (!ini && error) *error = path + ": " + *error;
  return ini;
}

std::optional<std::string> IniFile::Get(std::string_view section, std::string_view key) const {
  bool inside = false;
  for (const std::string& line : lines_) {
    if (auto name = SectionOf(line)) {
      inside = SameTextIgnoringCase(*name, section);
    } else if (inside) {
      auto entry = EntryOf(line);
      if (entry && SameTextIgnoringCase(entry->key, key)) return std::string(entry->value);
    }
  }
  return std::nullopt;
}

void IniFile::Set(std::string_view section, std::string_view key, std::string_view value) {
  std::string line;
  for (char c : value)
    if (c != '\r' && c != '\n') line += c;

  bool inside = false;
  for (std::string& existing : lines_) {
    if (auto name = SectionOf(existing)) {
      inside = SameTextIgnoringCase(*name, section);
    } else if (inside) {
      auto entry = EntryOf(existing);
      if (entry && SameTextIgnoringCase(entry->key, key)) {
        existing = std::string(key) + "=" + line;
        return;
      }
    }
  }
  line = std::string(key) + "=" + line;

  std::size_t header = 0;
  while (header < lines_.size()) {
    auto name = SectionOf(lines_[header]);
    if (name && SameTextIgnoringCase(*name, section)) break;
    ++header;
  }
  if (header == lines_.size()) {
    if (!lines_.empty() && !TrimBlanks(lines_.back()).empty()) lines_.emplace_back();
    std::string& heading = lines_.emplace_back("[");
    heading.append(section).append("]");
    lines_.push_back(line);
    return;
  }
  // After the section's last non-blank line, so the blank line that
  // separates it from the next section stays where it is.
  std::size_t insert_at = header + 1;
  for (std::size_t i = header + 1; i < lines_.size() && !SectionOf(lines_[i]); ++i)
    if (!TrimBlanks(lines_[i]).empty()) insert_at = i + 1;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert_at), line);
}

std::string IniFile::Text() const {
  std::string out;
  for (const std::string& line : lines_) out += line + "\r\n";
  return out;
}

bool IniFile::Save(const std::string& path, std::string* error) const {
  const std::string temp = path + ".new";
  int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) {
    if (error) *error = ErrnoText("cannot write", temp, errno);
    return false;
  }
  struct stat st {};
  if (stat(path.c_str(), &st) == 0) fchmod(fd, st.st_mode & 07777);  // keep the old file's permissions

  const std::string text = Text();
  int err = 0;
  for (std::size_t done = 0; done < text.size() && !err;) {
    ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n >= 0)
      done += static_cast<std::size_t>(n);
    else if (errno != EINTR)
      err = errno;
  }
  if (!err && fsync(fd) != 0) err = errno;
  if (close(fd) != 0 && !err) err = errno;
  if (!err && rename(temp.c_str(), path.c_str()) != 0) err = errno;
  if (err) {
    unlink(temp.c_str());
    if (error) *error = ErrnoText("cannot write", path, err);
    return false;
  }
  return true;
}

}  // namespace zor
