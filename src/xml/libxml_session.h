// One libxml2 parse as this system needs it: errors are collected instead
// of printed, DTDs and external entities come only from the file's folder or
// the system file folder (never from the network), and a Shift_JIS document
// or DTD is decoded as code page 932. Internal to the xml module.
#pragma once

#include <libxml/parser.h>

#include <map>
#include <optional>
#include <string>
#include <vector>
#include <string_view>

namespace zor::libxml {

// The encoding named by an XML or text declaration at the start of bytes
// (after a UTF-8 byte order mark), as written; nothing without one.
std::optional<std::string> DeclaredEncoding(std::string_view head);

// True for the names under which Shift_JIS is declared; Windows writes all
// of them as code page 932.
bool IsShiftJisName(std::string_view encoding);

struct ParseError {
  std::string reason;  // UTF-8
  std::string file;    // where it was found: the document or a DTD or entity
  int line = 0;
  int column = 0;
  int code = 0;  // libxml2's error code (xmlParserErrors)
};

// A loaded DTD or external entity, kept for quoting a line of it.
struct LoadedResource {
  std::string bytes;
  bool cp932 = false;
};

class Session {
 public:
  // document: the file being parsed (UTF-8 path); systemFolder: where to
  // look after the document's folder; loadExternals: false answers every
  // external entity with an empty text; cp932: the document is Shift_JIS.
  Session(std::string document, std::string systemFolder, bool loadExternals, bool cp932);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Ties the session to a parser context; required before parsing.
  void Attach(xmlParserCtxtPtr ctxt);

  // The first error (warnings do not count); nothing when there was none.
  const std::optional<ParseError>& FirstError() const { return first_; }
  // The resource of an error's file, when it was a DTD or entity.
  const LoadedResource* Resource(const std::string& file) const;
  // The external entities the document used, which were not loaded (the
  // DTD is the only external resource a delivery needs), and the DTDs not
  // read because they lead out of their folder (UTF-8 names).
  const std::vector<std::string>& RefusedEntities() const { return refusedEntities_; }
  const std::vector<std::string>& OutsideFiles() const { return outsideFiles_; }

 private:
  static void OnError(void* self, xmlErrorPtr error);
  static void OnGenericError(void* self, const char* format, ...);
  static xmlParserInputPtr LoadEntity(const char* url, const char* id, xmlParserCtxtPtr ctxt);
  static xmlParserInputPtr ResolveEntity(void* context, const xmlChar* publicId, const xmlChar* systemId);

  void Record(ParseError error);
  xmlParserInputPtr Load(const char* url, xmlParserCtxtPtr ctxt);

  std::string document_;
  std::string folder_;
  std::string systemFolder_;
  bool loadExternals_;
  bool cp932_;
  std::optional<ParseError> first_;
  std::map<std::string, LoadedResource> resources_;
  std::vector<std::string> refusedEntities_;
  std::vector<std::string> outsideFiles_;

  // libxml2's process settings while the session lives, restored after.
  xmlExternalEntityLoader savedLoader_;
  xmlStructuredErrorFunc savedStructured_;
  void* savedStructuredContext_;
  xmlGenericErrorFunc savedGeneric_;
  void* savedGenericContext_;
};

}  // namespace zor::libxml
