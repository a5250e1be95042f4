#include <ostream>

#include "app/product.h"
#include "cli/verbs.h"

namespace zor::cli {

int Version(const Args&, std::ostream& out, std::ostream&) {
  out << kProductNameUtf8 << " " << ZOR_VERSION << "\n";
  return kExitOk;
}

}  // namespace zor::cli
