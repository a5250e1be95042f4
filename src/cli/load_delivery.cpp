#include "cli/load_delivery.h"

#include <sys/stat.h>

#include <ostream>

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

CliEnvironment ReadCliEnvironment(std::ostream& err) {
  std::string error;
  Folders folders = ComputeFoldersFromEnvironment(nullptr, &error);
  if (!error.empty()) err << "zorview: " << error << "\n";
  Settings settings = DefaultSettings(folders);
  error.clear();
  if (!SettingsReadWrite('R', settings, folders, &error)) err << "zorview: " << error << "\n";
  return {std::move(folders), std::move(settings)};
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
                    std::optional<bool> msXmlParser, std::string* entryFile) {
  ImportContext ctx{delivery, host, env.folders, msXmlParser.value_or(env.settings.MsXmlParser)};
  bool loaded = false;
  if (std::optional<std::string> entry = ChooseEntry(ctx, path)) {
    if (entryFile) *entryFile = *entry;
    DispatchDeliveryFile(ctx, *entry, Sj(kXmlInputWorkNameUtf8), &loaded);
  }
  return loaded;
}

}  // namespace zor::cli
