// Finding the pictures that a delivery names, and the work copies of a
// delivery on several media. Paths on disk are UTF-8; names read from the
// delivery are code page 932.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "app/folders.h"

namespace zor {

// The folder of a file, ending in '/'.
std::string FolderOf(const std::string& file);

// The folder that the current and 2002 layouts name their picture folders
// from: the photo file's folder, or its parent when that folder is called
// PHOTO (ignoring case). Ends in '/'.
std::string DeliveryRootOf(const std::string& photoFile);

// A folder or file name read from a delivery as components on disk: both
// separators split (after NormalizeXmlPath), "." and empty components
// vanish. Nothing when a component is "..": a delivery never names a file
// outside itself, and following such a name would let the album and the
// work copies pick up any file of the user.
std::optional<std::vector<std::string>> DeliveryNameComponents(std::string_view sjisName);
// The same for a name as read from a UTF-8 file (see XmlNode::Utf8Value).
std::optional<std::vector<std::string>> DeliveryNameComponentsUtf8(std::string_view utf8Name);

// Case-insensitive lookup of delivery files, as ResolveCaseInsensitive does
// it (an exact match wins, else the smallest name with the same
// FileNameKey), with every folder
// listed at most once per load: a CD mounted in lower case would otherwise be
// listed again for each of its thousands of photos.
class DeliveryFileFinder {
 public:
  // base (an existing folder, ending in '/') followed by the components;
  // the path of an existing regular file, or nothing. A file whose real
  // path (links resolved) lies outside base is not given: a link in a
  // delivery must not bring an outside file into the album or the lists.
  std::optional<std::string> FindFile(const std::string& base, const std::vector<std::string>& components);
  // True when the last FindFile found the file but refused it as outside.
  bool LastWasOutside() const { return lastOutside_; }
  // The same for a folder below base: its path on disk, ending in '/', or
  // nothing when it is not there, is base itself or lies outside base.
  std::optional<std::string> FindSubfolder(const std::string& base, const std::vector<std::string>& components);

 private:
  std::optional<std::string> FindEntry(const std::string& folder, const std::string& name);
  std::optional<std::string> FindFolder(const std::string& base, const std::vector<std::string>& components,
                                        std::size_t count);
  // folder -> FileNameKey -> the smallest name on disk with that key
  std::unordered_map<std::string, std::unordered_map<std::string, std::string>> listings_;
  // base + the folder components as written -> the folder found on disk
  std::unordered_map<std::string, std::optional<std::string>> folders_;
  // base -> its real path
  std::unordered_map<std::string, std::string> realBases_;
  bool lastOutside_ = false;

  bool Inside(const std::string& base, const std::string& file);
};

// The picture shown for a photo or drawing whose file is missing.
std::string PlaceholderPicture(const Folders& folders);

// Deletes every file below the user data folder's PIC and DRA, then creates
// both folders when missing. Failures are ignored: a leftover copy is
// overwritten by the next one of the same name.
void EmptyWorkCopyFolders(const Folders& folders);

// Copies source into folder (ending in '/') as "P" + the record number in
// seven digits + the source's extension, replacing a file of that name and
// leaving the copy writable. The copy's path, or nothing when it failed.
std::optional<std::string> MakeWorkCopy(const std::string& source, const std::string& folder, int record);

// A link in folder (ending in '/', created when missing) to target, named
// "L" + the record number in seven digits + the target's extension: the
// way a record opens a picture whose own path it cannot hold. The link's
// path, or nothing when it could not be made.
std::optional<std::string> MakeWorkLink(const std::string& target, const std::string& folder, int record);

// The path as the record's FILENAME (code page 932, at most 255 bytes), or
// nothing when it cannot be stored there whole: a path cut to the field, or
// with characters code page 932 lacks, would name another file.
std::optional<std::string> RecordFileName(const std::string& path);

}  // namespace zor
