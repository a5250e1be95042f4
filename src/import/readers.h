// The index and photo file readers. Each replaces the delivery held by the
// context; each leaves it untouched when it refuses the file before its
// first change (a file that does not parse, an index of an unsupported
// standard). File paths are UTF-8; the work name is code page 932 and
// becomes WorkName (the dispatcher always passes "ＸＭＬ入力").
#pragma once

#include <string>

#include "import/import_context.h"

namespace zor {

// INDEX_C.XML: the index item tables (construction codes), DigiVersion 5, 6,
// 7 or 12 after 適用要領基準, an empty photo table. False when the file does
// not parse or follows an unsupported standard ("平成16年以前の電子納品データは
// 読込ができません。").
bool ReadConstructionIndex(ImportContext& ctx, const std::string& file, const std::string& workName);

// INDEX_D.XML: the same with the services codes; DigiVersion 8, 9 or 13.
bool ReadServicesIndex(ImportContext& ctx, const std::string& file, const std::string& workName);

// PHOTO.XML of the current layout. indexRead: an index of the same delivery
// was read just before, whose DigiVersion then stays. True when the file
// was parsed and loaded.
bool ReadPhotoCurrent(ImportContext& ctx, const std::string& photoFile, bool indexRead, const std::string& workName);

// PHOTO.XML of the 2002 layout; standard is 1 or 10.
bool ReadPhoto2002(ImportContext& ctx, int standard, const std::string& photoFile, const std::string& workName);

// PHOTO.XML of the 1999 layout (standard 0).
bool ReadPhoto1999(ImportContext& ctx, const std::string& photoFile, const std::string& workName);

}  // namespace zor
