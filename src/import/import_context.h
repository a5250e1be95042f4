// What every reader works with: the delivery it replaces, the user it talks
// to, the program's folders and the parser choice.
#pragma once

#include "app/folders.h"
#include "app/host.h"
#include "store/delivery.h"

namespace zor {

struct ImportContext {
  Delivery& delivery;
  Host& host;
  const Folders& folders;
  // The setting MsXmlParser: the validating parser, else the own tokenizer.
  bool msXmlParser = true;
  // The pictures of a delivery on several media are copied into the work
  // folder, so that they can still be shown once the medium is changed.
  // Off for the verbs that never show a picture.
  bool copyMultiMediaPictures = true;
};

}  // namespace zor
