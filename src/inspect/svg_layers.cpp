#include "inspect/svg_layers.h"

#include <openssl/evp.h>

#include <climits>
#include <span>
#include <string>

namespace zor {

namespace {

constexpr const char* kGroups[] = {"dcp_org_img", "dcp_chalkboard_img"};
// The data URI stands in the group's image element, near its start.
constexpr std::size_t kUriSearch = 64 * 1024;

// Where the group's id attribute stands; npos when the document has none.
std::size_t FindGroup(std::string_view svg, std::string_view group) {
  for (const char quote : {'"', '\''}) {
    const std::string id = std::string("id=") + quote + std::string(group) + quote;
    const std::size_t at = svg.find(id);
    if (at != std::string_view::npos) return at;
  }
  return std::string_view::npos;
}

bool IsBase64(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '/';
}

// The base64 text of an attribute value up to its closing quote: blanks
// and character references of line breaks dropped, padding kept.
bool Base64Text(std::string_view value, std::string& out) {
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    if (c == '"' || c == '\'') return true;
    if (IsBase64(c) || c == '=') {
      out += c;
    } else if (c == '&') {
      const std::size_t end = value.find(';', i);
      if (end == std::string_view::npos || end - i > 8) return false;
      i = end;
    } else if (c != ' ' && c != '\t' && c != '\r' && c != '\n') {
      return false;
    }
  }
  return false;  // no closing quote: the document is cut off
}

std::optional<std::vector<std::uint8_t>> DecodeBase64(const std::string& text) {
  if (text.empty() || text.size() % 4 != 0 || text.size() > INT_MAX) return std::nullopt;
  std::vector<std::uint8_t> out(text.size() / 4 * 3);
  const int n =
      EVP_DecodeBlock(out.data(), reinterpret_cast<const unsigned char*>(text.data()), static_cast<int>(text.size()));
  if (n < 0) return std::nullopt;
  // The block decoder counts the padding as bytes.
  std::size_t size = static_cast<std::size_t>(n);
  for (std::size_t k = text.size(); k > 0 && text[k - 1] == '=' && size > 0; --k) --size;
  out.resize(size);
  return out;
}

EmbeddedPicture ReadLayer(std::string_view svg, std::size_t at, const char* group) {
  EmbeddedPicture layer;
  layer.group = group;
  const std::string_view near = svg.substr(at, kUriSearch);
  const std::size_t marker = near.find(";base64,");
  const std::size_t uri = marker == std::string_view::npos ? marker : near.rfind("data:image/", marker);
  if (uri == std::string_view::npos || marker - uri > 32) {
    layer.fault = "埋め込まれた画像がありません";
    return layer;
  }
  std::string text;
  if (!Base64Text(svg.substr(at + marker + 8), text)) {
    layer.fault = "埋め込まれた画像の base64 が不正です";
    return layer;
  }
  const std::optional<std::vector<std::uint8_t>> jpeg = DecodeBase64(text);
  if (!jpeg) {
    layer.fault = "埋め込まれた画像の base64 が不正です";
    return layer;
  }
  const PictureFacts f = ReadJpegFacts(*jpeg);
  if (f.format != PictureFormat::kJpeg)
    layer.fault = "埋め込まれた画像が JPEG ではありません";
  else if (!f.formatFault.empty())
    layer.fault = f.formatFault;
  layer.tamperValues = f.tamperValues;
  layer.tamper = f.tamper;
  return layer;
}

}  // namespace

std::vector<EmbeddedPicture> ReadSvgLayers(std::string_view svg) {
  std::vector<EmbeddedPicture> layers;
  for (const char* group : kGroups) {
    const std::size_t at = FindGroup(svg, group);
    if (at != std::string_view::npos) layers.push_back(ReadLayer(svg, at, group));
  }
  return layers;
}

const char* LayerCaption(const std::string& group) {
  if (group == "dcp_org_img") return "元画像";
  if (group == "dcp_chalkboard_img") return "小黒板画像";
  return group.c_str();
}

}  // namespace zor
