#include "import/delivery_files.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "text/encoding.h"
#include "text/sjis.h"
#include "xml/xml_names.h"

namespace zor {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kFileNameSize = 255;  // FILENAME of the photo table

bool IsRegularFile(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsDirectory(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool Exists(const std::string& path) {
  struct stat st {};
  return lstat(path.c_str(), &st) == 0;
}

}  // namespace

std::string FolderOf(const std::string& file) {
  const std::size_t slash = file.rfind('/');
  if (slash == std::string::npos) return "./";
  return file.substr(0, slash + 1);
}

std::string DeliveryRootOf(const std::string& photoFile) {
  std::string folder = FolderOf(photoFile);
  std::string trimmed = folder.substr(0, folder.size() - 1);
  const std::size_t slash = trimmed.rfind('/');
  const std::string last = slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
  // The whole last folder must be PHOTO: a folder merely ending in the five
  // letters (KOJIPHOTO) is not the delivery's PHOTO folder.
  if (slash != std::string::npos && SameTextIgnoringCase(last, "PHOTO")) return trimmed.substr(0, slash + 1);
  return folder;
}

std::optional<std::vector<std::string>> DeliveryNameComponents(std::string_view sjisName) {
  return DeliveryNameComponentsUtf8(Cp932ToUtf8(NormalizeXmlPath(sjisName)));
}

std::optional<std::vector<std::string>> DeliveryNameComponentsUtf8(std::string_view utf8) {
  std::vector<std::string> parts;
  std::size_t begin = 0;
  while (begin <= utf8.size()) {
    std::size_t end = utf8.find_first_of("/\\", begin);
    if (end == std::string::npos) end = utf8.size();
    std::string part(utf8.substr(begin, end - begin));
    begin = end + 1;
    if (part.empty() || part == ".") continue;
    if (part == "..") return std::nullopt;
    parts.push_back(std::move(part));
  }
  return parts;
}

std::optional<std::string> DeliveryFileFinder::FindEntry(const std::string& folder, const std::string& name) {
  if (Exists(folder + name)) return name;
  auto it = listings_.find(folder);
  if (it == listings_.end()) {
    std::unordered_map<std::string, std::string> listing;
    if (DIR* dir = opendir(folder.c_str())) {
      while (dirent* entry = readdir(dir)) {
        std::string candidate = entry->d_name;
        std::string& best = listing[FileNameKey(candidate)];
        if (best.empty() || candidate < best) best = std::move(candidate);
      }
      closedir(dir);
    }
    it = listings_.emplace(folder, std::move(listing)).first;
  }
  auto found = it->second.find(FileNameKey(name));
  if (found == it->second.end()) return std::nullopt;
  return found->second;
}

std::optional<std::string> DeliveryFileFinder::FindFolder(const std::string& base,
                                                          const std::vector<std::string>& components,
                                                          std::size_t count) {
  std::string key = base;
  for (std::size_t i = 0; i < count; ++i) key += components[i] + '/';
  auto cached = folders_.find(key);
  if (cached != folders_.end()) return cached->second;
  std::optional<std::string> path = base;
  for (std::size_t i = 0; i < count && path; ++i) {
    std::optional<std::string> entry = FindEntry(*path, components[i]);
    path = entry ? std::optional<std::string>(*path + *entry + '/') : std::nullopt;
  }
  folders_.emplace(key, path);
  return path;
}

bool DeliveryFileFinder::Inside(const std::string& base, const std::string& file) {
  std::error_code ec;
  auto known = realBases_.find(base);
  if (known == realBases_.end()) {
    const fs::path real = fs::canonical(base, ec);
    known = realBases_.emplace(base, ec ? std::string() : real.string()).first;
  }
  if (known->second.empty()) return false;
  const std::string real = fs::canonical(file, ec).string();
  if (ec) return false;
  const std::string& root = known->second;
  return real.size() > root.size() && real.compare(0, root.size(), root) == 0 &&
         (root.back() == '/' || real[root.size()] == '/');
}

std::optional<std::string> DeliveryFileFinder::FindFile(const std::string& base,
                                                        const std::vector<std::string>& components) {
  lastOutside_ = false;
  if (components.empty()) return std::nullopt;
  // Thousands of pictures share a few folders: each folder is found once.
  std::optional<std::string> folder = FindFolder(base, components, components.size() - 1);
  if (!folder) return std::nullopt;
  std::string found = *folder + components.back();
  if (!IsRegularFile(found)) {
    std::optional<std::string> entry = FindEntry(*folder, components.back());
    if (!entry || !IsRegularFile(*folder + *entry)) return std::nullopt;
    found = *folder + *entry;
  }
  if (!Inside(base, found)) {
    lastOutside_ = true;
    return std::nullopt;
  }
  return found;
}

std::optional<std::string> DeliveryFileFinder::FindSubfolder(const std::string& base,
                                                             const std::vector<std::string>& components) {
  std::optional<std::string> folder = FindFolder(base, components, components.size());
  if (!folder || !IsDirectory(*folder) || !Inside(base, *folder)) return std::nullopt;
  return folder;
}

std::string PlaceholderPicture(const Folders& folders) { return folders.sysFile + "DUMMY.JPG"; }

void EmptyWorkCopyFolders(const Folders& folders) {
  if (folders.userData.empty()) return;
  for (const char* sub : {"DRA", "PIC"}) {
    const fs::path dir = fs::path(folders.userData) / sub;
    std::error_code ec;
    std::vector<fs::path> files;
    for (auto it = fs::recursive_directory_iterator(dir, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
      if (!it->is_directory(ec)) files.push_back(it->path());
    }
    for (const fs::path& f : files) fs::remove(f, ec);
    fs::create_directories(dir, ec);
  }
}

std::optional<std::string> MakeWorkCopy(const std::string& source, const std::string& folder, int record) {
  const std::string extension = fs::path(source).extension().string();
  char name[32];
  std::snprintf(name, sizeof name, "P%07d", record);
  const std::string target = folder + name + extension;
  std::error_code ec;
  // A read-only copy left by an earlier load could not be overwritten.
  fs::remove(target, ec);
  if (!fs::copy_file(source, target, fs::copy_options::overwrite_existing, ec)) return std::nullopt;
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
  return target;
}

std::optional<std::string> MakeWorkLink(const std::string& target, const std::string& folder, int record) {
  const std::string extension = fs::path(target).extension().string();
  char name[32];
  std::snprintf(name, sizeof name, "L%07d", record);
  const std::string link = folder + name + (RecordFileName(extension) ? extension : std::string());
  std::error_code ec;
  fs::create_directories(folder, ec);
  fs::remove(link, ec);
  fs::create_symlink(target, link, ec);
  if (ec) return std::nullopt;
  return link;
}

std::optional<std::string> RecordFileName(const std::string& path) {
  std::size_t replaced = 0;
  std::string sjis = Utf8ToCp932(path, &replaced);
  if (replaced != 0 || sjis.size() > kFileNameSize) return std::nullopt;
  return sjis;
}

}  // namespace zor
