#include "output/album_picture.h"

#include <system_error>
#include <vector>

#include "app/folders.h"
#include "app/regular_file.h"
#include "images/bitmap.h"
#include "images/image_kind.h"
#include "images/jpeg_encode.h"
#include "images/photo_loader.h"
#include "output/output_folder.h"
#include "store/delivery.h"

namespace zor {

namespace fs = std::filesystem;

namespace {

// The bytes into a new file: unlike fs::copy_file this leaves the copy with
// the permissions of any file the program creates, not the source's, which
// on a delivery disc or share are often read-only or executable. The source
// is opened without blocking and must be a regular file once open, so a FIFO
// put in its place cannot stall the album.
bool CopyBytes(const fs::path& source, const OutputFolder& folder, const std::string& name) {
  RegularFile in(source);
  if (!in.Open()) return false;
  OutputFile out(folder, name);
  if (!out.Ok()) return false;
  std::vector<char> chunk(1 << 20);
  for (;;) {
    const long n = in.Read(chunk.data(), chunk.size());
    if (n < 0) {
      out.Close();
      return false;
    }
    if (n == 0) break;
    out.Write(std::string_view(chunk.data(), static_cast<std::size_t>(n)));
  }
  return out.Close();
}

bool WriteBytes(const std::vector<std::uint8_t>& bytes, const OutputFolder& folder, const std::string& name) {
  OutputFile out(folder, name);
  out.Write(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  return !bytes.empty() && out.Close();
}

fs::path CurrentPictureFile(const Delivery& d) {
  const TViewDataSet& t = d.PhotoTable;
  return t.FieldPos.FILENAME < 0 ? fs::path() : fs::path(PathOnDisk(t.AsString(t.FieldPos.FILENAME)));
}

// The kinds that browsers show from their content, whatever the file's name.
bool BrowserShows(ImageKindCode kind) {
  return kind == kKindJpeg || kind == kKindBitmap || kind == kKindPng || kind == kKindGif || kind == kKindSvg;
}

AlbumPictureCopy CopyAsItIs(const fs::path& source, const OutputFolder& folder, const std::string& name,
                            AlbumPictureCopy done) {
  if (CopyBytes(source, folder, name)) return done;
  folder.RemoveFile(name);
  return AlbumPictureCopy::kFailed;
}

}  // namespace

const char* AlbumPictureExtension(const Delivery& d) {
  return GetImageFileKind(CurrentPictureFile(d), true) == kKindSvg ? ".SVG" : ".JPG";
}

AlbumPictureCopy CopyAlbumPicture(Delivery& d, const OutputFolder& folder, const std::string& name, int jpegQuality) {
  const TViewDataSet& t = d.PhotoTable;
  if (t.FieldPos.FILE_ORG >= 0 && !t.AsString(t.FieldPos.FILE_ORG).empty()) return AlbumPictureCopy::kNotCopied;
  const fs::path source = CurrentPictureFile(d);
  // Removing first replaces a read-only copy too, and a missing source or a
  // failure below leaves no stale picture of an earlier run under the name.
  folder.RemoveFile(name);
  std::error_code ec;
  if (source.empty() || !fs::is_regular_file(source, ec)) return AlbumPictureCopy::kMissing;
  // A picture not found at load shows as the placeholder; the album gets
  // nothing for it rather than a picture that is not the photo.
  if (t.FieldPos.RECORD >= 0 && !d.MissingPictureOf(static_cast<int>(t.AsInteger(t.FieldPos.RECORD))).empty())
    return AlbumPictureCopy::kMissing;
  const ImageKindCode kind = GetImageFileKind(source, false);
  if (BrowserShows(kind)) return CopyAsItIs(source, folder, name, AlbumPictureCopy::kCopied);
  Bitmap bitmap;
  if (!LoadPhotoBitmap(bitmap, source, 0)) return CopyAsItIs(source, folder, name, AlbumPictureCopy::kUnchanged);
  if (WriteBytes(EncodeJpegBytes(bitmap, jpegQuality), folder, name)) return AlbumPictureCopy::kConverted;
  folder.RemoveFile(name);
  return AlbumPictureCopy::kFailed;
}

AlbumPictureCopy CopyAlbumPicture(Delivery& d, const fs::path& folder, const std::string& name, int jpegQuality) {
  const std::optional<OutputFolder> open = OutputFolder::Open(folder, false);
  if (!open) return AlbumPictureCopy::kFailed;
  return CopyAlbumPicture(d, *open, name, jpegQuality);
}

}  // namespace zor
