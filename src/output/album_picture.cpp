#include "output/album_picture.h"

#include <system_error>

#include "images/bitmap.h"
#include "images/image_kind.h"
#include "images/jpeg_encode.h"
#include "images/photo_loader.h"
#include "store/delivery.h"
#include "text/encoding.h"

namespace zor {

namespace fs = std::filesystem;

AlbumPictureCopy CopyAlbumPicture(Delivery& d, const fs::path& folder, const std::string& name, int jpegQuality) {
  const TViewDataSet& t = d.PhotoTable;
  if (t.FieldPos.FILE_ORG >= 0 && !t.AsString(t.FieldPos.FILE_ORG).empty()) return AlbumPictureCopy::kNotCopied;
  const fs::path source = t.FieldPos.FILENAME < 0 ? fs::path() : fs::path(Cp932ToUtf8(t.AsString(t.FieldPos.FILENAME)));
  // Removing first replaces a read-only copy too, and a missing source or a
  // failure below leaves no stale picture of an earlier run under the name.
  const fs::path target = folder / name;
  std::error_code ec;
  fs::remove(target, ec);
  if (source.empty() || !fs::is_regular_file(source, ec)) return AlbumPictureCopy::kMissing;
  if (GetImageFileKind(source, false) == kKindJpeg) {
    if (fs::copy_file(source, target, ec)) return AlbumPictureCopy::kCopied;
    fs::remove(target, ec);
    return AlbumPictureCopy::kFailed;
  }
  Bitmap bitmap;
  if (!LoadPhotoBitmap(bitmap, source, 0) || !EncodeJpegFile(bitmap, target, jpegQuality))
    return AlbumPictureCopy::kFailed;
  return AlbumPictureCopy::kConverted;
}

}  // namespace zor
