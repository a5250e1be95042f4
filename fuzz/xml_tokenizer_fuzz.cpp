// The own tokenizer on arbitrary bytes, in both modes, with the invariants
// the readers rely on: levels within 30, parents numbered before their
// children, no values in the display mode.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "xml/byte_stream.h"
#include "xml/own_tokenizer.h"
#include "xml/xml_names.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void Run(std::string_view bytes, bool gamenPrint) {
  zor::TXMLTreeView view;
  view.GamenPrint = gamenPrint;
  zor::ByteStream in(bytes);
  bool ok = zor::RunOwnTokenizer(view, in);
  if (ok) Check(view.ErrorText.empty());
  for (int i = 0; i < view.NodeCount(); ++i) {
    const zor::XmlNode& node = view.NodeAt(i);
    Check(node.Level >= 0 && node.Level < zor::kXmlMaxLevels);
    if (node.Parent >= 0) {
      Check(node.Parent < i);
      Check(view.NodeAt(node.Parent).Level + 1 == node.Level);
    } else {
      Check(node.Level == 0);
    }
    if (gamenPrint) Check(!node.Value);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  Run(bytes, false);
  Run(bytes, true);
  zor::DecodeXmlEntities(bytes);
  zor::NormalizeXmlPath(bytes);
  return 0;
}
