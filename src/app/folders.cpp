#include "app/folders.h"

#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

#include "text/encoding.h"

namespace zor {
namespace {

std::string WithSlash(std::string path) {
  if (path.empty()) return "./";
  if (path.back() != '/') path += '/';
  return path;
}

bool IsDirectory(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool Exists(const std::string& path) {
  struct stat st {};
  return lstat(path.c_str(), &st) == 0;
}

// mkdir -p; on failure returns the errno of the step that failed.
int MakeFolders(const std::string& path) {
  for (std::size_t pos = 1; pos <= path.size(); ++pos) {
    if (pos != path.size() && path[pos] != '/') continue;
    std::string part = path.substr(0, pos);
    if (part.empty() || part.back() == '/') continue;
    if (mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) return errno;
    if (!IsDirectory(part)) return ENOTDIR;
  }
  return 0;
}

std::string Parent(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {};
  return path.substr(0, slash + 1);
}

// Where the files that come with the program are: beside it in a build
// tree, else under share/ of the prefix it is installed in (bin/'s parent).
std::string SystemDataFolder(const std::string& program) {
  if (IsDirectory(program + "SYSFILE")) return program;
  std::string prefix = Parent(program.substr(0, program.size() - 1));
  std::string installed = prefix + "share/zorview/";
  if (!prefix.empty() && IsDirectory(installed)) return installed;
  return program;
}

// The entry of folder (ending in '/') that matches name as FileNameKey
// compares names.
std::optional<std::string> FindEntry(const std::string& folder, const std::string& name) {
  if (Exists(folder + name)) return name;
  DIR* dir = opendir(folder.c_str());
  if (!dir) return std::nullopt;
  const std::string key = FileNameKey(name);
  std::optional<std::string> best;
  while (dirent* entry = readdir(dir)) {
    std::string candidate = entry->d_name;
    if (FileNameKey(candidate) == key && (!best || candidate < *best)) best = candidate;
  }
  closedir(dir);
  return best;
}

}  // namespace

Folders ComputeFolders(const std::string& programDir, const std::string& xdgDataHome, const std::string& home,
                       std::string* error, bool makeFolders) {
  Folders f;
  f.program = WithSlash(programDir);
  // A relative XDG_DATA_HOME is invalid and ignored, as the base directory
  // rules say; without any home the program folder is the last resort.
  if (!xdgDataHome.empty() && xdgDataHome.front() == '/')
    f.dataRoot = WithSlash(xdgDataHome);
  else if (!home.empty())
    f.dataRoot = WithSlash(home) + ".local/share/";
  else
    f.dataRoot = f.program;
  f.userData = f.dataRoot + "TALMO/TempFiles/ZORVIEW/";
  f.viewTemp = f.userData + "TEMP_V/";
  f.graphicTemp = f.userData + "TEMP_G/";
  f.systemData = SystemDataFolder(f.program);
  f.sysFile = IsDirectory(f.systemData + "SYSFILE") ? f.systemData + "SYSFILE/" : f.program;
  f.help = f.systemData + "help/";
  f.settings = f.userData;
  f.workData = f.userData;

  std::string failures = makeFolders ? MakeUserFolders(f) : std::string();
  if (error) *error = failures;
  return f;
}

std::string MakeUserFolders(const Folders& f) {
  std::string failures;
  for (const std::string* folder : {&f.userData, &f.viewTemp, &f.graphicTemp}) {
    if (int err = MakeFolders(*folder)) {
      if (!failures.empty()) failures += "; ";
      failures.append("cannot create ").append(*folder).append(": ").append(std::strerror(err));
    }
  }
  return failures;
}

Folders ComputeFoldersFromEnvironment(const char* argv0, std::string* error, bool makeFolders) {
  std::string exe;
  std::vector<char> buf(PATH_MAX + 1);
  ssize_t len = readlink("/proc/self/exe", buf.data(), buf.size() - 1);
  if (len > 0) {
    exe.assign(buf.data(), static_cast<std::size_t>(len));
  } else if (argv0 && std::strchr(argv0, '/')) {
    char* real = realpath(argv0, nullptr);
    exe = real ? real : argv0;
    std::free(real);
  }
  std::string programDir = Parent(exe);
  if (programDir.empty()) {
    char* cwd = getcwd(nullptr, 0);
    if (cwd) programDir = cwd;
    std::free(cwd);
  }

  const char* xdg = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  std::string homeDir = home ? home : "";
  if (homeDir.empty()) {
    struct passwd pw {};
    struct passwd* found = nullptr;
    std::vector<char> pwbuf(16384);
    if (getpwuid_r(getuid(), &pw, pwbuf.data(), pwbuf.size(), &found) == 0 && found && found->pw_dir)
      homeDir = found->pw_dir;
  }
  return ComputeFolders(programDir, xdg ? xdg : "", homeDir, error, makeFolders);
}

std::string FileNameKey(const std::string& utf8Name) {
  // Each pair: the character code page 932 takes, the one it gives back.
  static constexpr std::pair<std::string_view, std::string_view> kSame[] = {
      {"\u301C", "\uFF5E"}, {"\u2212", "\uFF0D"}, {"\u2014", "\u2015"}, {"\u2016", "\u2225"},
      {"\u00A2", "\uFFE0"}, {"\u00A3", "\uFFE1"}, {"\u00AC", "\uFFE2"},
  };
  std::string key;
  key.reserve(utf8Name.size());
  for (std::size_t i = 0; i < utf8Name.size();) {
    const char c = utf8Name[i];
    if (c >= 'a' && c <= 'z') {
      key += static_cast<char>(c - 'a' + 'A');
      ++i;
      continue;
    }
    bool replaced = false;
    if (static_cast<unsigned char>(c) >= 0xC2) {
      for (const auto& [taken, given] : kSame) {
        if (std::string_view(utf8Name).substr(i, taken.size()) != taken) continue;
        key += given;
        i += taken.size();
        replaced = true;
        break;
      }
    }
    if (!replaced) key += utf8Name[i++];
  }
  return key;
}

std::string PathOnDisk(const std::string& sjisPath) {
  const std::string path = Cp932ToUtf8(sjisPath);
  if (path.empty() || Exists(path) || path[0] != '/') return path;
  return ResolveCaseInsensitive("/", path.substr(1)).value_or(path);
}

std::optional<std::string> ResolveCaseInsensitive(const std::string& dir, const std::string& name) {
  std::string path = WithSlash(dir);
  std::size_t begin = 0;
  bool first = true;
  while (begin <= name.size()) {
    std::size_t end = name.find('/', begin);
    if (end == std::string::npos) end = name.size();
    std::string component = name.substr(begin, end - begin);
    begin = end + 1;
    if (component.empty() || component == ".") continue;
    if (!first) path += '/';
    std::optional<std::string> found = FindEntry(path, component);
    if (!found) return std::nullopt;
    path += *found;
    first = false;
  }
  if (first && !Exists(path)) return std::nullopt;
  return path;
}

}  // namespace zor
