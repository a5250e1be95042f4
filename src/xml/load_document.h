// The load every reader and the XML content window use.
#pragma once

#include <string>

#include "app/host.h"
#include "xml/xml_tree.h"

namespace zor {

// Loads file (a UTF-8 path) into view with the parser msXmlParser selects
// (the setting MsXmlParser), validating, without messages. When validation
// fails, asks through host.ConfirmYesCancel whether to load the file as a
// well-formed document; on Yes loads it again without validation, and a
// failure of that second load is shown by beep and information box. A
// failure of the own tokenizer is not retried; it is shown the same way,
// with the tokenizer's report (also left in view.ErrorText), or the file's
// name when the tokenizer made none.
bool LoadXmlDocument(TXMLTreeView& view, const std::string& file, bool gamenPrint, bool msXmlParser, Host& host);

}  // namespace zor
