// The program's folders. On Linux the program folder is not writable, so
// the settings and the work data live in the user data folder under
// $XDG_DATA_HOME. Every value is a UTF-8 file-system path ending in '/'.
#pragma once

#include <optional>
#include <string>

namespace zor {

struct Folders {
  std::string program;      // folder of the executable
  std::string dataRoot;     // $XDG_DATA_HOME, else ~/.local/share
  std::string userData;     // dataRoot + "TALMO/TempFiles/ZORVIEW/"
  std::string viewTemp;     // userData + "TEMP_V/"
  std::string graphicTemp;  // userData + "TEMP_G/"
  std::string systemData;   // program, or for an installed program without
                            // SYSFILE beside it program + "../share/zorview/"
  std::string sysFile;      // systemData + "SYSFILE/" when it exists, else program
  std::string help;         // systemData + "help/", whether it exists or not
  std::string settings;     // folder of ZOR.INI: the user data folder
  std::string workData;     // folder of the photo table file: the user data folder
};

// Computes the folders from the program folder and the two environment
// values (empty when unset) and creates the user data folder and its two
// temporary folders when missing. A folder that cannot be created does not
// stop the program: the folders are still returned and, when error is given,
// *error says what failed (UTF-8), else it is cleared.
Folders ComputeFolders(const std::string& programDir, const std::string& xdgDataHome, const std::string& home,
                       std::string* error = nullptr);

// The same from the running process: the program folder from
// /proc/self/exe (argv0 when that cannot be read), XDG_DATA_HOME and HOME
// (the password database when HOME is unset).
Folders ComputeFoldersFromEnvironment(const char* argv0, std::string* error = nullptr);

// Finds name (relative, '/'-separated, UTF-8) inside dir ignoring the case
// of ASCII letters in every component, because Linux mounts ISO 9660 media
// in lower case while deliveries name their files in upper case. An exact
// match wins; among several case variants the smallest name is taken.
// Returns dir + the names as found on disk, or nothing when a component
// does not exist.
std::optional<std::string> ResolveCaseInsensitive(const std::string& dir, const std::string& name);

}  // namespace zor
