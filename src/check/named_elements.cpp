#include "check/named_elements.h"

#include "check/shown_name.h"
#include "import/delivery_files.h"
#include "text/encoding.h"
#include "text/sjis.h"

namespace zor {
namespace {

// True when name (code page 932) ends in the characters of suffix, the
// match starting on a character of name.
bool EndsWithCharacters(const std::string& name, const std::string& suffix) {
  if (name.size() < suffix.size() || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
    return false;
  const std::size_t start = name.size() - suffix.size();
  std::size_t pos = 0;
  while (pos < start) pos += CharLengthAt(name, pos);
  return pos == start;
}

// As TrimWide for a UTF-8 text: blanks, control characters and full-width
// spaces off both ends.
std::string TrimUtf8(std::string_view s) {
  static constexpr std::string_view kWide = "\u3000";
  for (;;) {
    if (!s.empty() && static_cast<unsigned char>(s.front()) <= 0x20) {
      s.remove_prefix(1);
    } else if (!s.empty() && static_cast<unsigned char>(s.back()) <= 0x20) {
      s.remove_suffix(1);
    } else if (s.starts_with(kWide)) {
      s.remove_prefix(kWide.size());
    } else if (s.ends_with(kWide)) {
      s.remove_suffix(kWide.size());
    } else {
      return std::string(s);
    }
  }
}

NamedElement MakeElement(const XmlNode& node, std::string element, std::string value) {
  NamedElement e;
  e.element = std::move(element);
  e.value = std::move(value);
  if (node.Utf8Value) {
    const std::string utf8 = TrimUtf8(*node.Utf8Value);
    e.components = DeliveryNameComponentsUtf8(utf8);
    e.shown = ShownName(utf8);
  } else {
    e.components = DeliveryNameComponents(e.value);
    e.shown = ShownName(Cp932ToUtf8(e.value));
  }
  return e;
}

}  // namespace

NamedElements CollectNamedElements(const TXMLTreeView& view) {
  static const std::string folderSuffix = Sj("フォルダ名");
  static const std::string fileSuffix = Sj("ファイル名");
  NamedElements out;
  for (const XmlNode& node : view.Nodes()) {
    std::string name = TrimWide(node.Text);
    const bool folder = EndsWithCharacters(name, folderSuffix);
    if (!folder && !EndsWithCharacters(name, fileSuffix)) continue;
    std::string value = TrimWide(NodeValue(node));
    if (value.empty()) continue;
    (folder ? out.folders : out.files).push_back(MakeElement(node, std::move(name), std::move(value)));
  }
  return out;
}

IndexFolders ReadIndexFolders(const std::string& indexFile) {
  IndexFolders out;
  TXMLTreeView view;
  view.MSXML = true;
  view.Parse = false;
  view.ErrorMessage = false;
  if (!view.ParseFile(indexFile)) {
    out.error = ParseErrorLine(view.ErrorText);
    out.line = view.ErrorLine;
    return out;
  }
  out.read = true;
  out.folders = CollectNamedElements(view).folders;
  return out;
}

std::string ParseErrorLine(const std::string& errorText) {
  // The reason ends at the first blank line; what follows quotes the line
  // and says where.
  const std::string reason = errorText.substr(0, errorText.find("\r\n\r\n"));
  std::string line;
  for (const char c : reason) {
    const bool control = static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    if (!control)
      line += c;
    else if (!line.empty() && line.back() != ' ')
      line += ' ';
  }
  return TrimWide(line);
}

}  // namespace zor
