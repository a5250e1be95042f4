// Texts for JPEG statuses.
#pragma once

#include <string>

namespace zor {

// The library's text for a status followed by the status in brackets, e.g.
// "Not a JPEG file: starts with 0x%02x 0x%02x(55)". Statuses below 0 are our
// own (no data, cannot open, too large, out of memory, cannot write).
std::string JpegStatusText(int status);

}  // namespace zor
