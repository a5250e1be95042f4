#include "cli/load_delivery.h"

#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <thread>

#include "app/translate.h"
#include "cli/out_text.h"
#include "import/delivery_files.h"
#include "import/dispatch.h"
#include "store/delivery.h"
#include "text/encoding.h"
#include "text/sjis.h"

namespace zor::cli {
namespace {

bool IsRegularFile(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsDirectory(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

void NotFound(Host& host, int kind) {
  host.ShowInformation(Sj("フォルダが違います ") + EntryFileName(kind) + Sj(" がみつかりません。"));
}

}  // namespace

// Waits, on a thread of its own, for the signals that end a verb; the
// threads of the process block them, so that they all come here. On one it
// removes the folder and ends the process by the same signal.
class SignalCleanup {
 public:
  explicit SignalCleanup(std::string path) : path_(std::move(path)) {
    sigemptyset(&set_);
    for (int s : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&set_, s);
    pthread_sigmask(SIG_BLOCK, &set_, &previous_);
    sigaddset(&set_, SIGUSR2);  // how the owner ends the wait
    pthread_sigmask(SIG_BLOCK, &set_, nullptr);
    thread_ = std::thread([this] { Wait(); });
  }
  ~SignalCleanup() {
    stopping_ = true;
    pthread_kill(thread_.native_handle(), SIGUSR2);
    thread_.join();
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
  }
  SignalCleanup(const SignalCleanup&) = delete;
  SignalCleanup& operator=(const SignalCleanup&) = delete;

 private:
  void Wait() {
    for (;;) {
      int sig = 0;
      if (sigwait(&set_, &sig) != 0) continue;
      if (stopping_) return;
      if (sig == SIGUSR2) continue;
      std::error_code ec;
      std::filesystem::remove_all(path_, ec);
      signal(sig, SIG_DFL);
      sigset_t just;
      sigemptyset(&just);
      sigaddset(&just, sig);
      pthread_sigmask(SIG_UNBLOCK, &just, nullptr);
      raise(sig);
      _exit(128 + sig);  // in case the default action did not end it
    }
  }

  std::string path_;
  sigset_t set_{};
  sigset_t previous_{};
  std::atomic<bool> stopping_{false};
  std::thread thread_;
};

ScratchFolder::ScratchFolder() = default;

ScratchFolder::ScratchFolder(ScratchFolder&& other) noexcept
    : path_(std::move(other.path_)), cleanup_(std::move(other.cleanup_)) {
  other.path_.clear();
}

ScratchFolder ScratchFolder::Make() {
  std::error_code ec;
  std::string pattern = (std::filesystem::temp_directory_path(ec) / "zorview-XXXXXX").string();
  if (ec) pattern = "/tmp/zorview-XXXXXX";
  ScratchFolder folder;
  if (mkdtemp(pattern.data())) {
    folder.path_ = pattern + "/";
    folder.cleanup_ = std::make_unique<SignalCleanup>(folder.path_);
  }
  return folder;
}

ScratchFolder& ScratchFolder::operator=(ScratchFolder&& other) noexcept {
  if (this != &other) {
    ScratchFolder gone(std::move(*this));
    path_ = std::move(other.path_);
    cleanup_ = std::move(other.cleanup_);
    other.path_.clear();
  }
  return *this;
}

ScratchFolder::~ScratchFolder() {
  cleanup_.reset();  // no signal removes the folder while it is removed here
  if (path_.empty()) return;
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::optional<std::string> ExistingPath(const std::string& given, const char* verb, std::ostream& err) {
  std::error_code ec;
  const std::string path = std::filesystem::absolute(given, ec).lexically_normal().string();
  if (ec || !std::filesystem::exists(path, ec)) {
    err << "zorview " << verb << ": " << given << ": " << Tr("no such file or folder") << "\n";
    return std::nullopt;
  }
  return path;
}

CliEnvironment ReadCliEnvironment(std::ostream& err) {
  std::string error;
  // The settings are read where the viewer keeps them; nothing is made there.
  Folders folders = ComputeFoldersFromEnvironment(nullptr, &error, false);
  Settings settings = DefaultSettings(folders);
  error.clear();
  if (!SettingsReadWrite('R', settings, folders, &error)) err << "zorview: " << error << "\n";
  ScratchFolder work = ScratchFolder::Make();
  if (work.Path().empty()) {
    err << "zorview: " << Tr("no temporary folder could be made; the user data folder is used") << "\n";
    if (const std::string failed = MakeUserFolders(folders); !failed.empty()) err << "zorview: " << failed << "\n";
  } else {
    // Settings stay where they are; only the work files move.
    folders.userData = work.Path();
    folders.workData = work.Path();
    folders.viewTemp = work.Path() + "TEMP_V/";
    folders.graphicTemp = work.Path() + "TEMP_G/";
    std::error_code ec;
    for (const std::string& dir : {folders.viewTemp, folders.graphicTemp}) std::filesystem::create_directories(dir, ec);
  }
  return {std::move(folders), std::move(settings), std::move(work)};
}

std::optional<std::string> ChooseEntry(ImportContext& ctx, const std::string& path) {
  std::string file = path;
  if (IsDirectory(path)) {
    file.clear();
    for (const char* name : {"INDEX_C.XML", "INDEX_D.XML", "PHOTO.XML", "PHOTO/PHOTO.XML"}) {
      std::optional<std::string> found = ResolveCaseInsensitive(path, name);
      if (found && IsRegularFile(*found)) {
        file = *found;
        break;
      }
    }
    if (file.empty()) {
      NotFound(ctx.host, kEntryPhoto);
      return std::nullopt;
    }
  }
  const std::string name = NameOf(file);
  if (!SameTextIgnoringCase(name, "PHOTO.XML")) return file;
  std::string folder = FolderOf(file);
  const int kind = FindIndexForPhotoFolder(ctx, folder);
  std::string entry = kind == kEntryPhoto ? file : EntryFileOf(folder, kind);
  if (!IsRegularFile(entry)) {
    NotFound(ctx.host, kind);
    return std::nullopt;
  }
  return entry;
}

bool LoadDeliveryAt(Delivery& delivery, Host& host, const CliEnvironment& env, const std::string& path,
                    std::optional<bool> msXmlParser, std::string* entryFile, bool copyPictures) {
  ImportContext ctx{delivery, host, env.folders, msXmlParser.value_or(env.settings.MsXmlParser)};
  ctx.copyMultiMediaPictures = copyPictures;
  bool loaded = false;
  if (std::optional<std::string> entry = ChooseEntry(ctx, path)) {
    if (entryFile) *entryFile = *entry;
    DispatchDeliveryFile(ctx, *entry, Sj(kXmlInputWorkNameUtf8), &loaded);
  }
  return loaded;
}

std::unique_ptr<VerbLoad> LoadForVerb(const char* verb, const std::string& given, std::optional<bool> msXmlParser,
                                      std::ostream& err) {
  const std::optional<std::string> path = ExistingPath(given, verb, err);
  if (!path) return nullptr;
  auto load = std::make_unique<VerbLoad>();
  load->env = ReadCliEnvironment(err);
  load->loaded = LoadDeliveryAt(load->delivery, load->host, load->env, *path, msXmlParser, &load->entryFile);
  return load;
}

bool ReportLoad(const VerbLoad& load, const char* verb, const std::string& given, std::ostream& err) {
  for (const std::string& message : load.host.Messages()) err << OneLine(Cp932ToUtf8(message)) << "\n";
  if (!load.loaded) err << "zorview " << verb << ": " << given << ": " << Tr("the delivery could not be loaded") << "\n";
  return load.loaded;
}

}  // namespace zor::cli
