#include "xml/xml_names.h"

#include "text/sjis.h"

namespace zor {

bool SameNodeName(std::string_view a, std::string_view b) { return SameTextIgnoringCase(TrimWide(a), TrimWide(b)); }

std::string NormalizeXmlPath(std::string_view path) {
  std::string out;
  out.reserve(path.size());
  for (std::size_t pos = 0; pos < path.size();) {
    std::size_t len = CharLengthAt(path, pos);
    if (len == 2) {
      out.append(path.substr(pos, 2));
    } else if (path.substr(pos, 2) == "./") {
      out += '/';
      ++len;
    } else if (path[pos] == '\\') {
      out += '/';
    } else {
      out += path[pos];
    }
    pos += len;
  }
  return out;
}

std::string DecodeXmlEntities(std::string_view text) {
  struct Entity {
    std::string_view name;
    char replacement;
  };
  static constexpr Entity kEntities[] = {
      {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&apos;", '\''}, {"&quot;", '"'},
  };
  std::string current(text);
  for (const Entity& e : kEntities) {
    if (current.find(e.name) == std::string::npos) continue;
    // One pass is the same as searching again from the start after every
    // replacement: no earlier occurrence can appear, and the only new one,
    // "&" followed by "amp;", is folded here at once.
    std::string out;
    out.reserve(current.size());
    std::size_t from = 0;
    for (;;) {
      std::size_t hit = current.find(e.name, from);
      if (hit == std::string::npos) break;
      out.append(current, from, hit - from);
      out += e.replacement;
      from = hit + e.name.size();
      if (e.replacement == '&')
        while (current.compare(from, 4, "amp;") == 0) from += 4;
    }
    out.append(current, from, std::string::npos);
    current = std::move(out);
  }
  return current;
}

std::string DisplayNodeText(std::string_view text, std::string_view value) {
  constexpr std::size_t kNameWidth = 26;
  constexpr std::size_t kMaxBytes = 255;
  std::string out = CutToBytes(text, kNameWidth);
  out.append(kNameWidth - out.size(), ' ');
  out.append(value);
  return CutToBytes(out, kMaxBytes);
}

}  // namespace zor
