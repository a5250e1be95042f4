// What the start of an XML file says about it before it is parsed: the
// encoding it is written in and the DTD its DOCTYPE names. Read with
// libxml2 from the first bytes only; nothing is loaded from anywhere.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zor {

enum class XmlEncoding {
  kShiftJis,  // declared under one of the names of Shift_JIS (read as code page 932)
  kUtf8,      // declared UTF-8, or no declaration: XML's default
  kUtf16,     // a UTF-16 byte order mark or layout
  kOther,     // declared as something else (EUC-JP, ISO-2022-JP, ...)
};

struct XmlProlog {
  XmlEncoding encoding = XmlEncoding::kUtf8;
  std::string declaredEncoding;  // as written; empty without an encoding declaration
  bool doctype = false;          // a DOCTYPE came before the document element
  std::string rootName;          // the DOCTYPE's name (UTF-8)
  std::string systemId;          // its system identifier as written (UTF-8); may be empty
};

// How many bytes of a file ReadXmlPrologFile looks at.
inline constexpr std::size_t kXmlPrologBytes = 256 * 1024;

// The prolog of the bytes at the start of a file. A DOCTYPE that does not
// lie wholly within them is not seen.
XmlProlog ReadXmlProlog(std::string_view head);

// The same from the first kXmlPrologBytes of a file (UTF-8 path); nothing
// when it is not a regular file that can be read.
std::optional<XmlProlog> ReadXmlPrologFile(const std::string& file);

// The file name a system identifier ends in: its last component, whether
// written as a URL, a POSIX path or a Windows path.
std::string SystemIdFileName(std::string_view systemId);

}  // namespace zor
