// Loading a delivery for a verb, as the menu commands load one: the
// program's folders and settings file, then the entry file chosen for a
// path and the dispatcher.
#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "app/folders.h"
#include "app/settings.h"
#include "cli/dump_host.h"
#include "import/import_context.h"
#include "store/delivery.h"

namespace zor::cli {

class SignalCleanup;

// A folder of this process's own, removed with everything in it when the
// last owner goes, and also when the process is ended by SIGINT, SIGTERM or
// SIGHUP (the signal then ends it as it would have).
class ScratchFolder {
 public:
  // Makes a new folder under the system's temporary folder; Path() is empty
  // when that failed.
  static ScratchFolder Make();
  ScratchFolder();
  ScratchFolder(ScratchFolder&& other) noexcept;
  ScratchFolder& operator=(ScratchFolder&& other) noexcept;
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder();
  // Ends in '/' when set.
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  std::unique_ptr<SignalCleanup> cleanup_;
};

struct CliEnvironment {
  Folders folders;
  Settings settings;
  ScratchFolder work;  // the work table and work copies of this run
};

// The folders and ZOR.INI; what goes wrong is said on err and the defaults
// stay. The work table and the work copies go to a folder of this run, so a
// verb never touches the files of a viewer that is open meanwhile.
CliEnvironment ReadCliEnvironment(std::ostream& err);

// The absolute, normalised form of a path given on the command line; when
// nothing is there, "zorview VERB: PATH: no such file or folder" on err and
// nothing.
std::optional<std::string> ExistingPath(const std::string& given, const char* verb, std::ostream& err);

// The file the dispatcher gets, chosen as the menu commands choose it: a
// folder is tried for INDEX_C.XML, INDEX_D.XML, PHOTO.XML and PHOTO/PHOTO.XML
// in this order, and a PHOTO.XML opens its delivery through a supported
// index beside its folder.
std::optional<std::string> ChooseEntry(ImportContext& ctx, const std::string& path);

// Chooses the entry for path (UTF-8) and reads it into delivery; msXmlParser
// overrides the setting. True when a photo file was loaded; entryFile, when
// given, receives the file the dispatcher read first. copyPictures: the
// pictures of a delivery on several media are copied into the work folder
// (only a verb that shows them needs that).
bool LoadDeliveryAt(Delivery& delivery, Host& host, const CliEnvironment& env, const std::string& path,
                    std::optional<bool> msXmlParser, std::string* entryFile = nullptr, bool copyPictures = false);

// A delivery a verb reads once: its environment, the delivery and what the
// load said.
struct VerbLoad {
  CliEnvironment env;
  Delivery delivery;
  DumpHost host;
  bool loaded = false;
  std::string entryFile;  // the file the dispatcher read first (UTF-8)
};

// For the verb ("--verify" …): the path given checked (nothing when nothing
// is there, as ExistingPath says), the environment read and the delivery
// loaded, msXmlParser overriding the setting.
std::unique_ptr<VerbLoad> LoadForVerb(const char* verb, const std::string& given, std::optional<bool> msXmlParser,
                                      std::ostream& err);

// The load's messages on err, one line each, and for a failed load
// "zorview VERB: PATH: the delivery could not be loaded". True when loaded.
bool ReportLoad(const VerbLoad& load, const char* verb, const std::string& given, std::ostream& err);

}  // namespace zor::cli
