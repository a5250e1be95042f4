// The HTML photo album: a frameset start file, page 1 with the delivery's
// basic and construction information, photo pages in the order of the
// hierarchy tree, an index of pages, and copies of every photo and drawing.
//
//   ALBUM/ALBUM.HTM, ALBUM/HTML/PAGE1.HTM .. PAGEn.HTM, ALBUM/HTML/INDEX.HTM,
//   ALBUM/PIC/P0000001.JPG .., ALBUM/DRA/D0000001.JPG ..
//
// Every file is code page 932 text with CR LF line ends.
#pragma once

#include <filesystem>
#include <string>

namespace zor {

class Delivery;
class Host;

inline constexpr const char* kAlbumFolderName = "ALBUM";

struct AlbumOptions {
  std::filesystem::path folder;  // the album folder itself (…/ALBUM)
  bool xhtml = false;            // XHTML 1.0 Transitional instead of HTML 4.0
  int perPage = 2;               // photos per page; below 1 counts as 1
  bool sanko = false;            // a photo with drawings stands alone on its page
  int jpegQuality = 90;          // for pictures converted to JPEG
};

struct AlbumResult {
  bool finished = false;      // every folder and page was written (pictures aside)
  int pages = 0;              // PAGE1 .. PAGEn
  int photos = 0;             // P0000001 .. as written
  int drawings = 0;           // D0000001 ..
  int missingPictures = 0;    // source files that do not exist
  int unchangedPictures = 0;  // not convertible, copied byte for byte
  int failedPictures = 0;     // copies that could not be made
  std::string failedPicture;  // the first of those, as its path in the album (UTF-8)
  std::string message;        // why the run ended early (code page 932)
};

// The album folder inside a parent folder.
std::filesystem::path AlbumFolderIn(const std::filesystem::path& parent);

// True when the album folder would lie in folder or below it, once links and
// "." and ".." are resolved: callers keep an album out of the delivery's folder.
bool AlbumInsideFolder(const std::filesystem::path& album, const std::filesystem::path& folder);
// The delivery's folder for the file it was opened through: the index's
// folder, or the parent of a PHOTO folder (any case) holding PHOTO.XML.
std::filesystem::path DeliveryFolderOfEntry(const std::string& entryFile);

// Writes the album of the loaded delivery (its photo table open, its tree
// built) into options.folder, which is created when absent; files already
// there under the same names are replaced. Progress goes to the host, and
// when the album is complete the host opens ALBUM.HTM in the browser. A
// folder that cannot be made or a page that cannot be written ends the run
// with a warning naming it; the pages written so far stay. Pictures that
// cannot be copied are counted, the first named in a warning, and the run
// goes on. The photo table's current record moves.
AlbumResult WriteHtmlAlbum(Delivery& d, const AlbumOptions& options, Host& host);

}  // namespace zor
