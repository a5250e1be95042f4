// The pictures a layered SVG photo embeds: the original picture (group
// "dcp_org_img") and the board (group "dcp_chalkboard_img"), each a base64
// JPEG in a data URI with its own tamper values. They are taken out of the
// document's bytes and checked as JPEG photos; the document is not drawn.
#pragma once

#include <string_view>
#include <vector>

#include "inspect/picture_facts.h"

namespace zor {

// The groups found, in that order; none for an SVG without them.
std::vector<EmbeddedPicture> ReadSvgLayers(std::string_view svg);

// The caption of a group ("元画像", "小黒板画像"; UTF-8).
const char* LayerCaption(const std::string& group);

}  // namespace zor
