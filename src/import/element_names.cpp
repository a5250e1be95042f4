#include "import/element_names.h"

#include "text/encoding.h"
#include "text/sjis.h"

namespace zor {

ElementNames::ElementNames(std::initializer_list<Entry> entries) {
  for (const Entry& e : entries) ids_.emplace(UpperAscii(TrimWide(Sj(e.utf8))), e.id);
}

int ElementNames::Add(std::string_view sjisName) {
  return ids_.emplace(UpperAscii(TrimWide(sjisName)), static_cast<int>(ids_.size())).first->second;
}

int ElementNames::Find(std::string_view nodeText) const {
  auto it = ids_.find(UpperAscii(TrimWide(nodeText)));
  return it == ids_.end() ? kUnknown : it->second;
}

}  // namespace zor
