// Copying the current record's picture into the album under a ".JPG" name,
// or a ".SVG" one for an SVG picture.
#pragma once

#include <filesystem>
#include <string>

namespace zor {

class Delivery;

enum class AlbumPictureCopy {
  kCopied,     // a JPEG or SVG, byte for byte
  kConverted,  // another format, written as a JPEG
  kNotCopied,  // the record's FILE_ORG is set: nothing to copy
  kMissing,    // the source file does not exist, or was not found at load; nothing at the destination
  kFailed,     // the copy or the conversion failed; nothing left at the destination
};

// Copies the picture named by the current record's FILENAME (code page 932)
// to folder/name. A browser shows only real JPEGs under a ".JPG" name, so
// an SVG picture is copied as it is (under the name AlbumPictureExtension
// gives) and every other format (TIFF, BMP, PNG, GIF, PCX, WMF, DXF) is decoded and
// written as a JPEG at jpegQuality. An existing destination is replaced,
// also when it is read-only; the copy itself is a plain writable file,
// whatever the source's permissions.
// The extension of the current record's picture in the album: ".SVG" for an
// SVG picture, else ".JPG".
const char* AlbumPictureExtension(const Delivery& d);

AlbumPictureCopy CopyAlbumPicture(Delivery& d, const std::filesystem::path& folder, const std::string& name,
                                  int jpegQuality);

}  // namespace zor
