// Which decoder a picture file goes to: its kind from the extension, and
// for TIFF and GIF files from a probe of the file itself.
#pragma once

#include <filesystem>

namespace zor {

// Image kind codes; other parts store and compare these integers.
enum ImageKindCode : int {
  kKindJpeg = 0,
  kKindBitmap = 1,  // .BMP, .DIB
  kKindPng = 2,
  kKindTiff = 3,         // probe skipped, or the file is not really a TIFF
  kKindTiffConvert = 4,  // a TIFF (image type 12): no browser shows it, the album converts it
  kKindFlashPix = 5,
  kKindPcx = 6,
  kKindMetafile = 20,  // .WMF, .EMF
  kKindDxf = 30,
  kKindGif = 50,
  kKindSvg = 60,  // .SVG, allowed for photos since the 2023 photo standard
  kKindNotPicture = -1,
  kKindRejected = -2,  // a .TIF, .TIFF or .GIF file the probe cannot read
};

// Image-type values the probe reports: 0 or less when the file cannot be
// read; 12 for every TIFF, whatever its compression or number of pages.
enum ImageTypeValue : int {
  kTypeUnreadable = 0,
  kTypeJpeg = 1,
  kTypeBitmap = 2,
  kTypePng = 3,
  kTypeGif = 4,
  kTypePcx = 5,
  kTypeMetafile = 6,
  kTypeTiff = 12,
};

// Reads the header of the file's first page or frame with GraphicsMagick;
// the format comes from the file's first bytes, not its name.
int ProbeImageType(const std::filesystem::path& path);

// The kind code of a file: by extension (case ignored); a .TIF/.TIFF or
// .GIF file is also probed unless skip_probe is set.
ImageKindCode GetImageFileKind(const std::filesystem::path& path, bool skip_probe);

}  // namespace zor
