// The album's folders, held open while the album is written: every file and
// folder in one is made relative to its descriptor and no link is followed,
// so a link planted in the album, or a folder swapped for one meanwhile,
// cannot send the album's files anywhere else.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zor {

class OutputFolder {
 public:
  // Opens the folder at path, making it first when create is set and it is
  // absent (its parent must exist). Nothing when it cannot be made or opened,
  // or when it is a link or no folder.
  static std::optional<OutputFolder> Open(const std::filesystem::path& path, bool create);

  OutputFolder(OutputFolder&& other) noexcept;
  OutputFolder& operator=(OutputFolder&& other) noexcept;
  OutputFolder(const OutputFolder&) = delete;
  OutputFolder& operator=(const OutputFolder&) = delete;
  ~OutputFolder();

  // The folder name inside this one, made when absent; nothing when it
  // cannot be made or opened, or is a link or no folder.
  std::optional<OutputFolder> Sub(const std::string& name) const;

  // A new, empty file name in this folder, open for writing: a file of that
  // name (also a read-only one, or a link) is removed first. -1 on failure;
  // the caller closes the descriptor.
  int CreateFile(const std::string& name) const;
  // Removes the file name when it is there (a link itself, not its target).
  void RemoveFile(const std::string& name) const;
  // Renames the file from to to, both in this folder, replacing what is at
  // to (a link itself, not its target). False, errno set, on failure.
  bool Rename(const std::string& from, const std::string& to) const;

  // The path the folder was opened at, for messages.
  const std::filesystem::path& Path() const { return path_; }

 private:
  OutputFolder(int fd, std::filesystem::path path) : fd_(fd), path_(std::move(path)) {}
  int fd_ = -1;
  std::filesystem::path path_;
};

// A file written into an output folder through a buffer; every write and the
// close are checked.
class OutputFile {
 public:
  OutputFile(const OutputFolder& folder, const std::string& name);
  OutputFile(OutputFile&& other) noexcept;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  OutputFile& operator=(OutputFile&&) = delete;
  ~OutputFile();

  // False once the file could not be made or a write failed.
  bool Ok() const { return fd_ >= 0 && !failed_; }
  // The errno of the first failure, 0 while there was none.
  int Error() const { return error_; }
  void Write(std::string_view bytes);
  // Writes what is buffered and closes; false when anything failed.
  bool Close();

 private:
  void Flush();
  int fd_ = -1;
  bool failed_ = false;
  int error_ = 0;
  std::string buffer_;
};

}  // namespace zor
