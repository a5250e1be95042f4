// Opening a delivery: which files to read, which revision PHOTO.XML follows,
// and which readers to call.
#pragma once

#include <string>

#include "import/import_context.h"

namespace zor {

// Kinds of entry file, as the folder chooser and the dispatcher pass them.
inline constexpr int kEntryPhoto = 0;         // PHOTO.XML: the photo reader only
inline constexpr int kEntryConstruction = 1;  // INDEX_C.XML, then PHOTO/PHOTO.XML
inline constexpr int kEntryServices = 2;      // INDEX_D.XML, then PHOTO/PHOTO.XML

// "PHOTO.XML", "INDEX_C.XML" or "INDEX_D.XML" after the kind.
const char* EntryFileName(int kind);

// folder + the kind's entry file, spelt as found on disk (names are matched
// ignoring case), or as written when there is none.
std::string EntryFileOf(const std::string& folder, int kind);

// True when the index's first 基礎情報 / 適用要領基準 is one of "土木200406-01",
// "農村振興土木200504-01", "土木200805-01" and "土木201009-01"; false without one
// or when the index does not parse.
bool IsSupportedIndex(ImportContext& ctx, const std::string& indexFile);

// Looks in the parent of a photo folder for an index of a supported
// standard: INDEX_C.XML gives kind 1, else, only when the parent holds no
// INDEX_C.XML, INDEX_D.XML gives kind 2; folder then becomes the parent.
// Otherwise kind 0 and folder unchanged.
int FindIndexForPhotoFolder(ImportContext& ctx, std::string& folder);

// The dispatcher. path names INDEX_C.XML, INDEX_D.XML or PHOTO.XML (UTF-8);
// an index is read first and then the delivery's PHOTO/PHOTO.XML. True when
// a photo reader was called, whatever it did; *loaded (when given) tells
// whether that reader loaded the file.
bool DispatchDeliveryFile(ImportContext& ctx, const std::string& path, const std::string& workName,
                          bool* loaded = nullptr);

}  // namespace zor
