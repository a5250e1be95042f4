// The start of a management file read for its encoding and DTD, and the
// names of a delivery judged and shown, on arbitrary bytes: nothing may
// stop the program, a shown name stays one line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "check/name_rules.h"
#include "check/shown_name.h"
#include "xml/xml_prolog.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const zor::XmlProlog prolog = zor::ReadXmlProlog(bytes);
  if (!prolog.doctype) Check(prolog.rootName.empty() && prolog.systemId.empty());
  const std::string dtd = zor::SystemIdFileName(prolog.systemId);
  Check(dtd.find_first_of("/\\") == std::string::npos);
  Check(zor::SystemIdFileName(bytes).find_first_of("/\\") == std::string::npos);

  const std::string name(bytes.substr(0, 256));
  for (const bool folder : {false, true}) {
    zor::NameRuleBreach(name, folder, false);
    zor::NameRuleBreach(name, folder, true);
    if (zor::OnlyLowerCaseBreaksRule(name, folder, false)) Check(zor::NameRuleBreach(name, folder, false).has_value());
    zor::UnwantedName(name, folder);
  }
  const std::string shown = zor::ShownName(bytes);
  for (const char c : shown) Check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
  return 0;
}
