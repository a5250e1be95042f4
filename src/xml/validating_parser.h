// The validating reader on libxml2: a full XML parser that checks the file
// against the DTD its DOCTYPE names (view.Parse) and copies elements and
// texts into the node tree as code page 932.
#pragma once

#include <string>

#include "xml/xml_tree.h"

namespace zor {

// Adds the nodes of file (a UTF-8 path) to view, which the caller has
// cleared, honouring view.Parse, view.GamenPrint and view.SystemFileFolder.
// On a parse or validation error view.ErrorText holds the reason, the
// quoted line, the line and the position; on a 31st level it stays empty;
// a file that cannot be opened fails with it empty too.
bool RunValidatingParser(TXMLTreeView& view, const std::string& file);

}  // namespace zor
