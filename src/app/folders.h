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
// values (empty when unset) and, when makeFolders, creates the user data
// folder and its two temporary folders when missing (the command-line verbs,
// which keep their work elsewhere, create none). A folder that cannot be
// created does not stop the program: the folders are still returned and,
// when error is given, *error says what failed (UTF-8), else it is cleared.
Folders ComputeFolders(const std::string& programDir, const std::string& xdgDataHome, const std::string& home,
                       std::string* error = nullptr, bool makeFolders = true);

// The same from the running process: the program folder from
// /proc/self/exe (argv0 when that cannot be read), XDG_DATA_HOME and HOME
// (the password database when HOME is unset).
Folders ComputeFoldersFromEnvironment(const char* argv0, std::string* error = nullptr, bool makeFolders = true);

// Creates the user data folder and its two temporary folders when missing;
// what failed (UTF-8), empty when all are there.
std::string MakeUserFolders(const Folders& folders);

// Finds name (relative, '/'-separated, UTF-8) inside dir ignoring the case
// of ASCII letters in every component, because Linux mounts ISO 9660 media
// in lower case while deliveries name their files in upper case. An exact
// match wins; among several case variants the smallest name is taken.
// Returns dir + the names as found on disk, or nothing when a component
// does not exist.
std::optional<std::string> ResolveCaseInsensitive(const std::string& dir, const std::string& name);

// The form of a file name (UTF-8) under which the lookups above compare it:
// ASCII letters upper-cased, and each of the characters that code page 932
// gives back as another one (U+301C and U+FF5E, U+2212 and U+FF0D, U+2014
// and U+2015, U+2016 and U+2225, U+00A2, U+00A3, U+00AC and U+FFE0 to
// U+FFE2) written as the one code page 932 gives back. A folder on disk
// named with 〜 is thus found from its code page 932 name, and a name read
// from a delivery finds the file whichever of the two the disk uses.
std::string FileNameKey(const std::string& utf8Name);

// The file that a path stored in code page 932 (a record's FILENAME) names
// on disk, as UTF-8: the converted path when it exists, else the file that
// ResolveCaseInsensitive finds from the root, else the converted path.
std::string PathOnDisk(const std::string& sjisPath);

}  // namespace zor
