#include "xml/xml_prolog.h"

#include <libxml/parser.h>
#include <libxml/uri.h>
#include <libxml/xmlerror.h>

#include <cstdio>
#include <memory>

#include "text/encoding.h"
#include "text/sjis.h"
#include "xml/byte_stream.h"
#include "xml/libxml_session.h"

namespace zor {
namespace {

const char* Chars(const xmlChar* s) { return reinterpret_cast<const char*>(s); }

bool IsUtf16(std::string_view head) {
  if (head.starts_with("\xFF\xFE") || head.starts_with("\xFE\xFF")) return true;
  return head.starts_with(std::string_view("<\0?\0", 4)) || head.starts_with(std::string_view("\0<\0?", 4));
}

// The declaration at the start of text ("<?xml ... ?>") written over with
// blanks, lines kept: the text was decoded already and must not be decoded
// again by the encoding it names.
void BlankDeclaration(std::string& text) {
  const std::size_t begin = text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  if (text.compare(begin, 5, "<?xml") != 0) return;
  const std::size_t close = text.find("?>", begin);
  if (close == std::string::npos) return;
  for (std::size_t i = begin; i < close + 2; ++i)
    if (text[i] != '\n') text[i] = ' ';
}

struct Sink {
  XmlProlog* out = nullptr;
  xmlParserCtxtPtr ctxt = nullptr;
};

void OnInternalSubset(void* user, const xmlChar* name, const xmlChar*, const xmlChar* systemId) {
  Sink* sink = static_cast<Sink*>(user);
  sink->out->doctype = true;
  sink->out->rootName = name ? Chars(name) : "";
  sink->out->systemId = systemId ? Chars(systemId) : "";
  if (sink->ctxt) xmlStopParser(sink->ctxt);
}

void OnStartElement(void* user, const xmlChar*, const xmlChar*, const xmlChar*, int, const xmlChar**, int, int,
                    const xmlChar**) {
  Sink* sink = static_cast<Sink*>(user);
  if (sink->ctxt) xmlStopParser(sink->ctxt);
}

void OnMessage(void*, const char*, ...) {}
void OnStructuredError(void*, xmlErrorPtr) {}

void FindDoctype(std::string_view bytes, XmlProlog& out) {
  if (bytes.size() < 4) return;
  xmlSAXHandler sax{};
  sax.initialized = XML_SAX2_MAGIC;
  sax.internalSubset = &OnInternalSubset;
  sax.startElementNs = &OnStartElement;
  sax.warning = &OnMessage;
  sax.error = &OnMessage;
  sax.fatalError = &OnMessage;
  sax.serror = &OnStructuredError;
  Sink sink{&out, nullptr};
  std::unique_ptr<xmlParserCtxt, void (*)(xmlParserCtxtPtr)> ctxt(
      xmlCreatePushParserCtxt(&sax, &sink, bytes.data(), 4, nullptr), xmlFreeParserCtxt);
  if (!ctxt) return;
  sink.ctxt = ctxt.get();
  // Nothing from outside: no DTD, no entity, never the network.
  xmlCtxtUseOptions(ctxt.get(), XML_PARSE_NONET);
  xmlParseChunk(ctxt.get(), bytes.data() + 4, static_cast<int>(bytes.size() - 4), 1);
}

}  // namespace

XmlProlog ReadXmlProlog(std::string_view head) {
  XmlProlog out;
  if (head.size() > kXmlPrologBytes) head = head.substr(0, kXmlPrologBytes);
  if (IsUtf16(head)) {
    out.encoding = XmlEncoding::kUtf16;
    FindDoctype(head, out);
    return out;
  }
  if (std::optional<std::string> declared = libxml::DeclaredEncoding(head)) {
    out.declaredEncoding = *declared;
    if (libxml::IsShiftJisName(*declared))
      out.encoding = XmlEncoding::kShiftJis;
    else if (SameTextIgnoringCase(*declared, "UTF-8") || SameTextIgnoringCase(*declared, "UTF8"))
      out.encoding = XmlEncoding::kUtf8;
    else if (SameTextIgnoringCase(*declared, "UTF-16") || SameTextIgnoringCase(*declared, "UTF16"))
      out.encoding = XmlEncoding::kUtf16;
    else
      out.encoding = XmlEncoding::kOther;
  }
  if (out.encoding == XmlEncoding::kShiftJis) {
    // Decoded here as code page 932, as the validating parser reads it.
    std::string text = Cp932ToUtf8(head);
    BlankDeclaration(text);
    FindDoctype(text, out);
  } else {
    FindDoctype(head, out);
  }
  return out;
}

std::optional<XmlProlog> ReadXmlPrologFile(const std::string& file) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(OpenRegularFile(file), std::fclose);
  if (!f) return std::nullopt;
  std::string head(kXmlPrologBytes, '\0');
  const std::size_t got = std::fread(head.data(), 1, head.size(), f.get());
  if (std::ferror(f.get())) return std::nullopt;
  head.resize(got);
  return ReadXmlProlog(head);
}

std::string SystemIdFileName(std::string_view systemId) {
  // As the validating parser looks the DTD up: URL escapes undone first.
  std::string s(systemId);
  if (s.find('%') != std::string::npos) {
    if (char* plain = xmlURIUnescapeString(s.c_str(), 0, nullptr)) {
      s = plain;
      xmlFree(plain);
    }
  }
  const std::size_t cut = s.find_last_of("/\\");
  if (cut != std::string::npos) s.erase(0, cut + 1);
  return s;
}

}  // namespace zor
