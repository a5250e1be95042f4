// Which revision of the photo management standard a PHOTO.XML follows, told
// from its text before it is parsed, so that the right reader is chosen.
#pragma once

#include <iosfwd>
#include <optional>

namespace zor {

enum class PhotoLayout {
  k1999,     // DOCTYPE naming PHOTO.DTD
  k2002,     // PHOTO02.DTD, PHOTO02N.DTD, or DTD_version "02" / "02_200304"
  kCurrent,  // any other DOCTYPE, or DTD_version "03" / "04"
};

struct PhotoRevision {
  PhotoLayout layout;
  // The applicable standard the 2002 reader is given: 1 for the ministry's
  // 2002 revision, 10 for the farm-works revision of 2003. 0 otherwise.
  int standard = 0;
};

// Reads the file line by line, upper-cases every line and appends it to what
// was read before, and after each line tests the whole text read so far, in
// this order: a DOCTYPE (!DOCTYPE, PHOTODATA and SYSTEM) decides by the DTD
// it names; else PHOTODATA, DTD_VERSION and "02" or "02_200304" (with their
// quotes) give the 2002 layout; else PHOTODATA, DTD_VERSION and "03" or "04"
// the current one. Nothing at the end of the file: nullopt.
std::optional<PhotoRevision> RecognizePhotoRevision(std::istream& in);

}  // namespace zor
