// The node tree of one XML file: one node per element, numbered in document
// order, each with its name, depth and text. The readers walk it by number;
// the XML content window shows it. It never needs to be displayed.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/host.h"

namespace zor {

// Both parsers stop at this many nesting levels (Level 0 to 29).
inline constexpr int kXmlMaxLevels = 30;

struct XmlNode {
  // Code page 932. The own tokenizer: the whole start tag between "<" and
  // ">", trimmed, attributes included; the validating parser: the element's
  // name. In the display mode extended by the text (see GamenPrint).
  std::string Text;
  int Level = 0;                     // 0 for the document element
  std::optional<std::string> Value;  // the element's text; none when it never got one
  // The validating parser: the element's text as read (UTF-8), kept only
  // when code page 932 lacks some of its characters, so that a file name
  // holding them still names its file.
  std::optional<std::string> Utf8Value;
  int Parent = -1;            // index of the parent node, -1 at the top
  std::vector<int> Children;  // indexes of the child nodes in document order
};

// The node's value, empty when it has none.
const std::string& NodeValue(const XmlNode& node);

class TXMLTreeView {
 public:
  // Display mode: a node's text is appended to its Text (padded to 26 bytes,
  // the whole cut to 255) instead of being stored as its value; the
  // validating parser also appends the attributes.
  bool GamenPrint = false;
  // true: the validating parser (libxml2); false: the own tokenizer.
  bool MSXML = false;
  // Validating parser only: validate against the DTD and load external
  // entities; false checks well-formedness only.
  bool Parse = true;
  // After a failed ParseFile, beep and show ErrorText through the host
  // (an empty ErrorText only beeps).
  bool ErrorMessage = true;
  // Display name of the own tokenizer.
  std::string ParserName = "TALMO XML Parser";
  // Why the last load failed (code page 932); may be empty.
  std::string ErrorText;
  // The validating parser: the line of the file ErrorText points at; 0 when
  // it names none.
  int ErrorLine = 0;
  // What the last load left out on purpose and must say (code page 932),
  // shown through the host by ParseFile.
  std::vector<std::string> Notices;
  // Where a DTD or external entity is looked up when it is not beside the
  // file: the system file folder (UTF-8 path, with or without a trailing '/').
  std::string SystemFileFolder;

  // Clears the tree and ErrorText and loads the file (a UTF-8 file-system
  // path) with the parser MSXML selects. True when the whole file was
  // loaded; on false the tree holds what was built before the failure (the
  // validating parser builds nothing from a file that does not parse).
  bool ParseFile(const std::string& file, Host& host);
  // The same without anyone to tell: ErrorMessage shows nothing.
  bool ParseFile(const std::string& file);

  void Clear();
  // Room for that many nodes, so that a large file's tree grows in one step.
  void Reserve(std::size_t nodes) { nodes_.reserve(nodes); }
  int NodeCount() const { return static_cast<int>(nodes_.size()); }
  // index 0 .. NodeCount() - 1; nodes are in document order (pre-order).
  const XmlNode& NodeAt(int index) const { return nodes_.at(static_cast<std::size_t>(index)); }
  const std::vector<XmlNode>& Nodes() const { return nodes_; }

  // For the parsers: appends a node under parent (-1 for the top) and
  // returns its index.
  int AddNode(int parent, std::string text);
  XmlNode& MutableNodeAt(int index) { return nodes_.at(static_cast<std::size_t>(index)); }

 private:
  std::vector<XmlNode> nodes_;
};

}  // namespace zor
