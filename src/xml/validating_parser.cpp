#include "xml/validating_parser.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <array>
#include <cstdio>
#include <memory>

#include "text/encoding.h"
#include "text/sjis.h"
#include "xml/attribute_bound.h"
#include "xml/byte_stream.h"
#include "xml/error_lines.h"
#include "xml/libxml_session.h"
#include "xml/own_tokenizer.h"
#include "xml/xml_names.h"

namespace zor {
namespace {

// A quoted source line is cut to this many bytes (see the own tokenizer).
constexpr std::size_t kReportLineBytes = 1024;

const char* Chars(const xmlChar* s) { return reinterpret_cast<const char*>(s); }

// The file as libxml2 reads it, its attributes counted on the way: past a
// bound the read fails, so libxml2 stops within one buffer of the element.
struct CountedFile {
  std::FILE* file;
  AttributeCounter counter;
};

int ReadCallback(void* context, char* buffer, int len) {
  auto* in = static_cast<CountedFile*>(context);
  std::size_t got = std::fread(buffer, 1, static_cast<std::size_t>(len), in->file);
  if (got == 0 && std::ferror(in->file)) return -1;
  if (!in->counter.Feed(buffer, got)) return -1;
  return static_cast<int>(got);
}

int CloseCallback(void*) { return 0; }  // the caller closes the file

std::string QualifiedName(const xmlChar* name, const xmlNs* ns) {
  std::string out;
  if (ns && ns->prefix) out = std::string(Chars(ns->prefix)) + ":";
  return out + Chars(name);
}

// The elements of the document, walked without recursion.
std::size_t CountElements(xmlNodePtr first) {
  std::size_t count = 0;
  for (xmlNodePtr node = first; node;) {
    if (node->type == XML_ELEMENT_NODE) {
      ++count;
      if (node->children) {
        node = node->children;
        continue;
      }
    }
    while (node && !node->next) {
      node = node->parent;
      if (node && node->type == XML_DOCUMENT_NODE) node = nullptr;
    }
    if (node) node = node->next;
  }
  return count;
}

bool IsXmlBlank(std::string_view s) { return s.find_first_not_of(" \t\r\n") == std::string_view::npos; }

class DomWalker {
 public:
  explicit DomWalker(TXMLTreeView& view) : view_(view) { entry_.fill(-1); }

  // False when an element would open a 31st level.
  bool Walk(xmlNodePtr first, int level) {
    for (xmlNodePtr node = first; node; node = node->next) {
      if (node->type == XML_ELEMENT_NODE) {
        if (level + 1 > kXmlMaxLevels) return false;
        int index = view_.AddNode(entry_[level], Utf8ToCp932(QualifiedName(node->name, node->ns)));
        entry_[level + 1] = index;
        if (view_.GamenPrint) AppendAttributes(node, view_.MutableNodeAt(index).Text);
        if (node->children && !Walk(node->children, level + 1)) return false;
      } else if (node->type == XML_TEXT_NODE && node->content) {
        TakeText(Chars(node->content), level);
      }
      // Comments, processing instructions, CDATA sections, the DOCTYPE and
      // entity references make no node.
    }
    return true;
  }

 private:
  void TakeText(std::string_view text, int level) {
    int owner = entry_[level];
    // Text between elements that is only white space is not content, as a
    // DOM that does not preserve white space sees it.
    if (owner < 0 || IsXmlBlank(text)) return;
    if (text.starts_with('\r') || text.starts_with('\n')) text.remove_prefix(1);
    if (text.ends_with('\r') || text.ends_with('\n')) text.remove_suffix(1);
    XmlNode& node = view_.MutableNodeAt(owner);
    if (view_.GamenPrint)
      node.Text = DisplayNodeText(node.Text, Utf8ToCp932(text));
    else
      StoreValue(node, text);
  }

  // The last text of an element wins.
  static void StoreValue(XmlNode& node, std::string_view text) {
    std::size_t replaced = 0;
    node.Value = Utf8ToCp932(text, &replaced);
    if (replaced > 0)
      node.Utf8Value = std::string(text);
    else
      node.Utf8Value.reset();
  }

  static void AppendAttributes(xmlNodePtr element, std::string& text) {
    for (xmlNsPtr ns = element->nsDef; ns; ns = ns->next) {
      std::string name = ns->prefix ? std::string("xmlns:") + Chars(ns->prefix) : std::string("xmlns");
      text.append(" ").append(Utf8ToCp932(name)).append("=\"");
      text.append(Utf8ToCp932(ns->href ? Chars(ns->href) : "")).append("\"");
    }
    for (xmlAttrPtr attr = element->properties; attr; attr = attr->next) {
      xmlChar* value = xmlNodeListGetString(element->doc, attr->children, 1);
      text.append(" ").append(Utf8ToCp932(QualifiedName(attr->name, attr->ns))).append("=\"");
      text.append(Utf8ToCp932(value ? Chars(value) : "")).append("\"");
      xmlFree(value);
    }
  }

  TXMLTreeView& view_;
  std::array<int, kXmlMaxLevels + 1> entry_;  // node of each level; entry 0: none
};

// The text of the line an error points at, as code page 932.
std::string SourceLine(const libxml::ParseError& error, const libxml::Session& session, const std::string& file,
                       bool cp932) {
  if (error.line <= 0) return {};
  std::optional<std::string> line;
  bool lineIsCp932 = cp932;
  if (const libxml::LoadedResource* res = session.Resource(error.file)) {
    ByteStream in(res->bytes);
    line = in.ReadLine(error.line, 2 * kReportLineBytes);
    lineIsCp932 = res->cp932;
  } else if (error.file.empty() || error.file == file) {
    if (std::optional<ByteStream> in = ByteStream::Open(file)) line = in->ReadLine(error.line, 2 * kReportLineBytes);
  }
  if (!line) return {};
  std::string text = lineIsCp932 ? *line : Utf8ToCp932(*line);
  return CutToBytes(TrimWide(text), kReportLineBytes);
}

// Our own line for the frequent errors, then libxml2's text, then where.
std::string FormatError(const libxml::ParseError& error, const std::string& source) {
  std::string reason = TrimWide(Utf8ToCp932(error.reason));
  std::string_view first = libxml::ErrorFirstLine(error.code);
  if (!first.empty()) reason = Utf8ToCp932(first) + "\r\n" + reason;
  return reason + "\r\n\r\n" + Sj("内容 > ") + "\"" + source + "\"\r\n\r\n" + Sj("行 > ") + std::to_string(error.line) +
         Sj("  位置 > ") + std::to_string(error.column);
}

}  // namespace

bool RunValidatingParser(TXMLTreeView& view, const std::string& file) {
  std::optional<ByteStream> probe = ByteStream::Open(file);
  if (!probe) return false;
  std::string head;
  for (int c; head.size() < 1024 && (c = probe->Next()) >= 0;) head += static_cast<char>(c);
  probe.reset();
  std::optional<std::string> declared = libxml::DeclaredEncoding(head);
  bool cp932 = declared && libxml::IsShiftJisName(*declared);

  std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(OpenRegularFile(file), std::fclose);
  if (!f) return false;
  CountedFile in{f.get(), {}};

  libxml::Session session(file, view.SystemFileFolder, view.Parse, cp932);
  std::unique_ptr<xmlParserCtxt, void (*)(xmlParserCtxtPtr)> ctxt(xmlNewParserCtxt(), xmlFreeParserCtxt);
  if (!ctxt) return false;
  session.Attach(ctxt.get());

  // Never the network; entities are expanded within libxml2's own limits
  // (no XML_PARSE_HUGE), so a small file cannot expand without bound.
  int options = XML_PARSE_NONET | XML_PARSE_NOENT | XML_PARSE_NOBLANKS;
  if (view.Parse) options |= XML_PARSE_DTDLOAD | XML_PARSE_DTDATTR | XML_PARSE_DTDVALID;
  std::unique_ptr<xmlDoc, void (*)(xmlDocPtr)> doc(
      xmlCtxtReadIO(ctxt.get(), ReadCallback, CloseCallback, &in, file.c_str(), cp932 ? "CP932" : nullptr, options),
      xmlFreeDoc);

  // An element of thousands of attributes would have held libxml2 for
  // minutes: validation is refused, and a well-formedness check is the own
  // tokenizer's, which takes such a file in its stride.
  if (const std::optional<AttributeExcess>& excess = in.counter.Excess()) {
    doc.reset();
    if (!view.Parse) {
      std::optional<ByteStream> own = ByteStream::Open(file);
      return own && RunOwnTokenizer(view, *own);
    }
    const std::string reason =
        excess->perElement ? "属性が " + std::to_string(kMaxAttributesPerElement) + " 個を超える要素があります。"
                           : "文書全体の属性が " + std::to_string(kMaxAttributesInDocument) + " 個を超えています。";
    std::string source;
    if (std::optional<ByteStream> lines = ByteStream::Open(file))
      if (std::optional<std::string> line = lines->ReadLine(excess->line, 2 * kReportLineBytes))
        source = CutToBytes(TrimWide(cp932 ? *line : Utf8ToCp932(*line)), kReportLineBytes);
    view.ErrorText = FormatError(libxml::ParseError{reason, file, static_cast<int>(excess->line), 0}, source);
    view.ErrorLine = static_cast<int>(excess->line);
    return false;
  }

  for (const std::string& name : session.RefusedEntities())
    view.Notices.push_back(Sj("外部実体「") + Utf8ToCp932(name) +
                           Sj("」は読み込みません（電子納品データが外部から読み込むのはDTDだけです）。"));
  for (const std::string& name : session.OutsideFiles())
    view.Notices.push_back(Sj("納品データのフォルダの外を指すため読み込みません: ") + Utf8ToCp932(name));

  std::optional<libxml::ParseError> error = session.FirstError();
  if (!error && (!doc || !ctxt->wellFormed)) error = libxml::ParseError{"XML document could not be parsed", file, 0, 0};
  if (error) {
    view.ErrorText = FormatError(*error, SourceLine(*error, session, file, cp932));
    // A line of a DTD or entity is not a line of the file.
    view.ErrorLine = error->file.empty() || error->file == file ? error->line : 0;
    return false;
  }
  view.Reserve(CountElements(doc->children));
  return DomWalker(view).Walk(doc->children, 0);
}

}  // namespace zor
