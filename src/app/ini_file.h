// An INI file held in memory as its lines, so that whatever this program
// does not know (other sections, other keys, comments, blank lines) is
// written back exactly where it was. Text is code page 932.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zor {

class IniFile {
 public:
  IniFile() = default;

  // Splits bytes into lines at CR LF, LF or CR. A UTF-8 byte order mark
  // means the file was saved as UTF-8: the text is converted to code page
  // 932. UTF-16 is refused (nothing else could be written back safely).
  static std::optional<IniFile> Parse(std::string_view bytes, std::string* error);

  // Reads path; a missing file is an empty INI file. Fails, with a UTF-8
  // message in *error, when the file exists but cannot be read.
  static std::optional<IniFile> Load(const std::string& path, std::string* error);

  // The value of key in section, both found ignoring the case of ASCII
  // letters, with the blanks around it removed; nothing when absent.
  std::optional<std::string> Get(std::string_view section, std::string_view key) const;

  // Rewrites the line of an existing key (in this spelling of the key), or
  // adds the key after
  // the last entry of the section, or adds the section at the end. CR and LF
  // cannot live in a value and are dropped.
  void Set(std::string_view section, std::string_view key, std::string_view value);

  // The whole file, every line ended by CR LF.
  std::string Text() const;

  // Writes Text() to a new file beside path and renames it over path, so a
  // failed write never leaves a truncated file behind.
  bool Save(const std::string& path, std::string* error) const;

 private:
  std::vector<std::string> lines_;
};

}  // namespace zor
