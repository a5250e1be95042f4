// Loading a delivery for a verb, as the menu commands load one: the
// program's folders and settings file, then the entry file chosen for a
// path and the dispatcher.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "app/folders.h"
#include "app/settings.h"
#include "import/import_context.h"

namespace zor {
class Delivery;
class Host;
}  // namespace zor

namespace zor::cli {

struct CliEnvironment {
  Folders folders;
  Settings settings;
};

// The folders and ZOR.INI; what goes wrong is said on err and the defaults stay.
CliEnvironment ReadCliEnvironment(std::ostream& err);

// The file the dispatcher gets, chosen as the menu commands choose it: a
// folder is tried for INDEX_C.XML, INDEX_D.XML, PHOTO.XML and PHOTO/PHOTO.XML
// in this order, and a PHOTO.XML opens its delivery through a supported
// index beside its folder.
std::optional<std::string> ChooseEntry(ImportContext& ctx, const std::string& path);

// Chooses the entry for path (UTF-8) and reads it into delivery; msXmlParser
// overrides the setting. True when a photo file was loaded; entryFile, when
// given, receives the file the dispatcher read first.
bool LoadDeliveryAt(Delivery& delivery, Host& host, const CliEnvironment& env, const std::string& path,
                    std::optional<bool> msXmlParser, std::string* entryFile = nullptr);

}  // namespace zor::cli
