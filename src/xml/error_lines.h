// A Japanese first line for the parse and validation errors users meet
// most; libxml2's own English text follows it in the report. Internal to
// the xml module.
#pragma once

#include <string_view>

namespace zor::libxml {

// The line for a libxml2 error code (xmlParserErrors), UTF-8; empty for a
// code without one.
std::string_view ErrorFirstLine(int code);

}  // namespace zor::libxml
