#include "output/album_picture.h"

#include <fstream>
#include <system_error>

#include "app/folders.h"
#include "images/bitmap.h"
#include "images/image_kind.h"
#include "images/jpeg_encode.h"
#include "images/photo_loader.h"
#include "store/delivery.h"

namespace zor {

namespace fs = std::filesystem;

namespace {

// The bytes into a new file: unlike fs::copy_file this leaves the copy with
// the permissions of any file the program creates, not the source's, which
// on a delivery disc or share are often read-only or executable.
bool CopyBytes(const fs::path& source, const fs::path& target) {
  std::ifstream in(source, std::ios::binary);
  std::ofstream out(target, std::ios::binary | std::ios::trunc);
  if (!in || !out) return false;
  if (in.peek() != std::ifstream::traits_type::eof()) out << in.rdbuf();
  out.close();
  return !in.bad() && out.good();
}

fs::path CurrentPictureFile(const Delivery& d) {
  const TViewDataSet& t = d.PhotoTable;
  return t.FieldPos.FILENAME < 0 ? fs::path() : fs::path(PathOnDisk(t.AsString(t.FieldPos.FILENAME)));
}

// The kinds that browsers show from their content, whatever the file's name.
bool BrowserShows(ImageKindCode kind) {
  return kind == kKindJpeg || kind == kKindBitmap || kind == kKindPng || kind == kKindGif || kind == kKindSvg;
}

AlbumPictureCopy CopyAsItIs(const fs::path& source, const fs::path& target, AlbumPictureCopy done) {
  if (CopyBytes(source, target)) return done;
  std::error_code ec;
  fs::remove(target, ec);
  return AlbumPictureCopy::kFailed;
}

}  // namespace

const char* AlbumPictureExtension(const Delivery& d) {
  return GetImageFileKind(CurrentPictureFile(d), true) == kKindSvg ? ".SVG" : ".JPG";
}

AlbumPictureCopy CopyAlbumPicture(Delivery& d, const fs::path& folder, const std::string& name, int jpegQuality) {
  const TViewDataSet& t = d.PhotoTable;
  if (t.FieldPos.FILE_ORG >= 0 && !t.AsString(t.FieldPos.FILE_ORG).empty()) return AlbumPictureCopy::kNotCopied;
  const fs::path source = CurrentPictureFile(d);
  // Removing first replaces a read-only copy too, and a missing source or a
  // failure below leaves no stale picture of an earlier run under the name.
  const fs::path target = folder / name;
  std::error_code ec;
  fs::remove(target, ec);
  if (source.empty() || !fs::is_regular_file(source, ec)) return AlbumPictureCopy::kMissing;
  // A picture not found at load shows as the placeholder; the album gets
  // nothing for it rather than a picture that is not the photo.
  if (t.FieldPos.RECORD >= 0 && !d.MissingPictureOf(static_cast<int>(t.AsInteger(t.FieldPos.RECORD))).empty())
    return AlbumPictureCopy::kMissing;
  const ImageKindCode kind = GetImageFileKind(source, false);
  if (BrowserShows(kind)) return CopyAsItIs(source, target, AlbumPictureCopy::kCopied);
  Bitmap bitmap;
  if (!LoadPhotoBitmap(bitmap, source, 0)) return CopyAsItIs(source, target, AlbumPictureCopy::kUnchanged);
  if (EncodeJpegFile(bitmap, target, jpegQuality)) return AlbumPictureCopy::kConverted;
  fs::remove(target, ec);
  return AlbumPictureCopy::kFailed;
}

}  // namespace zor
