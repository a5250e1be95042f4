#include "import/reader_support.h"

#include <exception>
#include <string>

#include "store/bindata_error.h"
#include "text/encoding.h"
#include "xml/load_document.h"

namespace zor {

bool LoadNodeTree(ImportContext& ctx, TXMLTreeView& view, const std::string& file) {
  view.SystemFileFolder = ctx.folders.sysFile;
  return LoadXmlDocument(view, file, false, ctx.msXmlParser, ctx.host);
}

bool RunReader(Host& host, const std::function<bool()>& body) {
  try {
    return body();
  } catch (const EBinaryDataSetError& e) {
    host.ShowWarning(e.what());  // already code page 932
  } catch (const std::exception& e) {
    host.ShowWarning(Utf8ToCp932(e.what()));
  }
  return false;
}

}  // namespace zor
