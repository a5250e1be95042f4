#include <ostream>

#include "app/product.h"
#include "app/version.h"
#include "cli/verbs.h"

namespace zor::cli {

int Version(const Args&, std::ostream& out, std::ostream&) {
  out << kProductNameUtf8 << " " << kVersionText << "\n";
  return kExitOk;
}

}  // namespace zor::cli
