// Copying the current record's picture into the album under a ".JPG" name,
// or a ".SVG" one for an SVG picture. No picture is lost: what cannot be
// converted is copied as it is.
#pragma once

#include <filesystem>
#include <string>

namespace zor {

class Delivery;
class OutputFolder;

enum class AlbumPictureCopy {
  kCopied,     // a JPEG, BMP, PNG, GIF or SVG, byte for byte
  kConverted,  // a format browsers cannot show, written as a JPEG
  kUnchanged,  // it could not be converted (a PDF, a damaged TIFF): copied byte for byte
  kNotCopied,  // the record's FILE_ORG is set: nothing to copy
  kMissing,    // the source file does not exist, or was not found at load; nothing at the destination
  kFailed,     // the copy could not be made (disk full, permissions, a read error); nothing left behind
};

// The extension of the current record's picture in the album: ".SVG" for an
// SVG picture, else ".JPG".
const char* AlbumPictureExtension(const Delivery& d);

// Copies the picture named by the current record's FILENAME (code page 932)
// to name in folder. Browsers show JPEG, BMP, PNG and GIF pictures whatever
// their name says, so those are copied byte for byte, and so is an SVG
// picture (under the name AlbumPictureExtension gives). TIFF, PCX, WMF and
// DXF pictures are decoded and written as a JPEG at jpegQuality; one that
// cannot be decoded, like any other file, is copied byte for byte. An
// existing destination is replaced, also when it is read-only; the copy
// itself is a plain writable file, whatever the source's permissions.
AlbumPictureCopy CopyAlbumPicture(Delivery& d, const OutputFolder& folder, const std::string& name,
                                  int jpegQuality);
// The same into the folder at a path, which must exist and not be a link.
AlbumPictureCopy CopyAlbumPicture(Delivery& d, const std::filesystem::path& folder, const std::string& name,
                                  int jpegQuality);

}  // namespace zor
