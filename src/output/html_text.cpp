#include "output/html_text.h"

#include <cstddef>

#include "text/encoding.h"
#include "text/sjis.h"

namespace zor {
namespace {

// Nothing but spaces, full-width spaces and control characters.
bool IsBlankLine(std::string_view line) {
  static const std::string wideSpace = Sj("　");
  for (std::size_t i = 0; i < line.size();) {
    const std::size_t n = CharLengthAt(line, i);
    const std::string_view ch = line.substr(i, n);
    const bool blank = ch == wideSpace || (n == 1 && (static_cast<unsigned char>(ch[0]) <= 0x20 || ch[0] == 0x7F));
    if (!blank) return false;
    i += n;
  }
  return true;
}

}  // namespace

std::string HtmlEscape(std::string_view text) {
  std::string entities;
  entities.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        entities += "&amp;";
        break;
      case '<':
        entities += "&lt;";
        break;
      case '>':
        entities += "&gt;";
        break;
      case '"':
        entities += "&quot;";
        break;
      default:
        entities += c;
    }
  }
  std::string out;
  out.reserve(entities.size());
  for (std::size_t i = 0; i < entities.size();) {
    if (entities[i] != ' ') {
      out += entities[i++];
      continue;
    }
    std::size_t run = 0;
    while (i + run < entities.size() && entities[i + run] == ' ') ++run;
    if (run == 1) {
      out += ' ';
    } else {
      for (std::size_t k = 0; k < run; ++k) out += "&nbsp;";
    }
    i += run;
  }
  return out;
}

std::vector<std::string> SplitLines(std::string_view text) {
  if (text.find('\r') == std::string_view::npos) return {std::string(text)};
  std::vector<std::string> lines;
  std::string current;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = CharLengthAt(text, i);
    const char c = text[i];
    if (n == 1 && c == '\n') {
      // dropped
    } else if (n == 1 && c == '\r') {
      if (!IsBlankLine(current)) {
        lines.push_back(current);
        current.clear();
      }
    } else {
      current.append(text.substr(i, n));
    }
    i += n;
  }
  if (!IsBlankLine(current)) lines.push_back(current);
  return lines;
}

std::string AlbumDate(std::string_view value) {
  std::vector<std::string_view> chars;
  for (std::size_t i = 0; i < value.size();) {
    const std::size_t n = CharLengthAt(value, i);
    chars.push_back(value.substr(i, n));
    i += n;
  }
  if (chars.size() != 10) return std::string(value);
  auto join = [&](std::size_t from, std::size_t to) {
    std::string s;
    for (std::size_t k = from; k < to; ++k) s += chars[k];
    return s;
  };
  static const std::string year = Sj(" 年 ");
  static const std::string month = Sj(" 月 ");
  static const std::string day = Sj(" 日");
  return join(0, 4) + year + join(5, 7) + month + join(8, 10) + day;
}

}  // namespace zor
