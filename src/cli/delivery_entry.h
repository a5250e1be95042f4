// The file a command-line verb hands the dispatcher for a path, chosen as
// the menu commands choose it.
#pragma once

#include <optional>
#include <string>

#include "import/import_context.h"

namespace zor::cli {

// A folder is tried for INDEX_C.XML, INDEX_D.XML, PHOTO.XML and
// PHOTO/PHOTO.XML in this order, and a PHOTO.XML opens its delivery through a
// supported index beside its folder. Nothing, after the information box of
// the missing file, when there is no such file.
std::optional<std::string> ChooseDeliveryEntry(ImportContext& ctx, const std::string& path);

}  // namespace zor::cli
