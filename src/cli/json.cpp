#include "cli/json.h"

#include <cstdio>
#include <ostream>

#include "text/encoding.h"

namespace zor::cli {

void WriteJsonString(std::ostream& out, std::string_view utf8) {
  out << '"';
  for (char ch : utf8) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '"':
        out << "\\\"";
        break;
      case '\\':
        out << "\\\\";
        break;
      case '\n':
        out << "\\n";
        break;
      case '\r':
        out << "\\r";
        break;
      case '\t':
        out << "\\t";
        break;
      default:
        if (c < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out << buf;
        } else {
          out << ch;
        }
    }
  }
  out << '"';
}

void WriteJsonFinding(std::ostream& out, const Finding& f, bool withPlace) {
  out << "{\"record\":";
  if (f.record > 0)
    out << f.record;
  else
    out << "null";
  out << ",\"file\":";
  WriteJsonString(out, Cp932ToUtf8(f.file));
  if (withPlace) {
    out << ",\"item\":";
    if (f.item.empty())
      out << "null";
    else
      WriteJsonString(out, Cp932ToUtf8(f.item));
    out << ",\"line\":";
    if (f.line > 0)
      out << f.line;
    else
      out << "null";
  }
  out << ",\"check\":";
  WriteJsonString(out, f.check);
  out << ",\"severity\":";
  WriteJsonString(out, Cp932ToUtf8(SeverityText(f.severity)));
  out << ",\"message\":";
  WriteJsonString(out, Cp932ToUtf8(f.message));
  if (!f.records.empty()) {
    out << ",\"records\":[";
    for (std::size_t i = 0; i < f.records.size(); ++i) out << (i ? "," : "") << f.records[i];
    out << "]";
  }
  out << "}\n";
}

}  // namespace zor::cli
