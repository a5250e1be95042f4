#include "xml/xml_tree.h"

#include <optional>

#include "xml/byte_stream.h"
#include "xml/own_tokenizer.h"
#include "xml/validating_parser.h"

namespace zor {

const std::string& NodeValue(const XmlNode& node) {
  static const std::string kNone;
  return node.Value ? *node.Value : kNone;
}

void TXMLTreeView::Clear() { nodes_.clear(); }

int TXMLTreeView::AddNode(int parent, std::string text) {
  XmlNode node;
  node.Text = std::move(text);
  node.Parent = parent;
  int index = NodeCount();
  if (parent >= 0) {
    XmlNode& up = MutableNodeAt(parent);
    node.Level = up.Level + 1;
    up.Children.push_back(index);
  }
  nodes_.push_back(std::move(node));
  return index;
}

bool TXMLTreeView::ParseFile(const std::string& file, Host& host) {
  Clear();
  ErrorText.clear();
  ErrorLine = 0;
  Notices.clear();
  bool ok = false;
  if (MSXML) {
    ok = RunValidatingParser(*this, file);
  } else if (std::optional<ByteStream> in = ByteStream::Open(file)) {
    ok = RunOwnTokenizer(*this, *in);
  }
  for (const std::string& notice : Notices) host.ShowInformation(notice);
  if (!ok && ErrorMessage) {
    host.Beep();
    if (!ErrorText.empty()) host.ShowInformation(ErrorText);
  }
  return ok;
}

bool TXMLTreeView::ParseFile(const std::string& file) {
  Host silent;
  return ParseFile(file, silent);
}

}  // namespace zor
