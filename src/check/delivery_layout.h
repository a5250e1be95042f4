// What the checks of a delivery's folders, names and management files are
// given: where the delivery lies and what has been read of it already.
#pragma once

#include <string>

#include "store/listed_pictures.h"

namespace zor {

struct DeliveryLayout {
  std::string root;       // the delivery's folder (UTF-8, ends in '/')
  std::string indexFile;  // INDEX_C.XML or INDEX_D.XML on disk (UTF-8); empty without an index
  std::string photoFile;  // PHOTO.XML on disk (UTF-8); empty without one
  // Extensions of 4 characters are allowed (the guidelines of 2016-03 and
  // later); 3 otherwise.
  bool fourCharExtensions = false;
  // The pictures the photo file lists and the folders it names, as the
  // reader found them; null when none were read.
  const ListedPictures* pictures = nullptr;
};

// A file or folder found on disk under a name a management file gives it:
// the name as written may differ from the one on disk by case, which the
// folder checks then say instead of the naming rule alone.
struct ListedName {
  std::string path;  // on disk (UTF-8), without a trailing '/'
  std::string name;  // the last component as the management file writes it (UTF-8)
  bool folder = false;
  bool fixed = false;  // a name the guidelines fix (PLAN.XML), not one a file writes
};

}  // namespace zor
