#include "xml/libxml_session.h"

#include <libxml/parserInternals.h>
#include <libxml/uri.h>
#include <libxml/xmlerror.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "app/folders.h"
#include "text/encoding.h"
#include "text/sjis.h"
#include "xml/byte_stream.h"

namespace zor::libxml {
namespace {

// A DTD or entity file is small; anything larger is refused rather than read.
constexpr long kMaxResourceBytes = 16L << 20;

std::string FolderOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

// The file named name in folder. Linux mounts ISO 9660 media in lower case
// while deliveries name their DTDs in upper case, so the case of ASCII
// letters does not matter.
std::optional<std::string> FindInFolder(const std::string& folder, const std::string& name) {
  if (folder.empty() || name.empty() || name == "." || name == "..") return std::nullopt;
  return ResolveCaseInsensitive(folder, name);
}

// True when the file, links resolved, lies in the folder (links resolved).
bool InsideFolder(const std::string& file, const std::string& folder) {
  if (folder.empty()) return false;
  std::error_code ec;
  const std::filesystem::path real = std::filesystem::canonical(file, ec);
  if (ec) return false;
  const std::filesystem::path base = std::filesystem::canonical(folder, ec);
  if (ec) return false;
  const auto [b, r] = std::mismatch(base.begin(), base.end(), real.begin(), real.end());
  return b == base.end() && r != real.end();
}

// The last component of a system identifier, whether written as a URL, a
// POSIX path or a Windows path.
std::string LastComponent(const char* url) {
  std::string s = url ? url : "";
  if (s.find('%') != std::string::npos) {
    if (char* plain = xmlURIUnescapeString(s.c_str(), 0, nullptr)) {
      s = plain;
      xmlFree(plain);
    }
  }
  std::size_t cut = s.find_last_of("/\\");
  if (cut != std::string::npos) s.erase(0, cut + 1);
  return s;
}

std::optional<std::string> ReadSmallFile(const std::string& path) {
  // Not blocking, and only a regular file: a FIFO or a device in a DTD's
  // place must not hang the load.
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(OpenRegularFile(path), std::fclose);
  if (!f) return std::nullopt;
  std::string bytes;
  char buf[8192];
  while (std::size_t got = std::fread(buf, 1, sizeof buf, f.get())) {
    bytes.append(buf, got);
    if (bytes.size() > static_cast<std::size_t>(kMaxResourceBytes)) return std::nullopt;
  }
  if (std::ferror(f.get())) return std::nullopt;
  return bytes;
}

// True when every byte belongs to a well-formed UTF-8 sequence.
bool IsUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    const std::size_t need = c < 0x80                 ? 1
                             : c >= 0xC2 && c <= 0xDF ? 2
                             : c >= 0xE0 && c <= 0xEF ? 3
                             : c >= 0xF0 && c <= 0xF4 ? 4
                                                      : 0;
    if (need == 0 || i + need > s.size()) return false;
    for (std::size_t k = 1; k < need; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    i += need;
  }
  return true;
}

std::size_t SkipUtf8Mark(std::string_view s) { return s.starts_with("\xEF\xBB\xBF") ? 3 : 0; }

// Extent of the XML or text declaration at the start of s: [begin, end).
std::optional<std::pair<std::size_t, std::size_t>> DeclarationSpan(std::string_view s) {
  std::size_t begin = SkipUtf8Mark(s);
  std::string_view rest = s.substr(begin);
  if (!rest.starts_with("<?xml") || rest.size() < 6) return std::nullopt;
  char after = rest[5];
  if (after != ' ' && after != '\t' && after != '\r' && after != '\n') return std::nullopt;
  std::size_t close = rest.find("?>");
  if (close == std::string_view::npos) return std::nullopt;
  return std::make_pair(begin, begin + close + 2);
}

}  // namespace

std::optional<std::string> DeclaredEncoding(std::string_view head) {
  auto span = DeclarationSpan(head);
  if (!span) return std::nullopt;
  std::string_view decl = head.substr(span->first, span->second - span->first);
  std::size_t key = decl.find("encoding");
  if (key == std::string_view::npos) return std::nullopt;
  std::size_t pos = key + 8;
  auto skipBlanks = [&] {
    while (pos < decl.size() && (decl[pos] == ' ' || decl[pos] == '\t' || decl[pos] == '\r' || decl[pos] == '\n'))
      ++pos;
  };
  skipBlanks();
  if (pos >= decl.size() || decl[pos] != '=') return std::nullopt;
  ++pos;
  skipBlanks();
  if (pos >= decl.size() || (decl[pos] != '"' && decl[pos] != '\'')) return std::nullopt;
  char quote = decl[pos++];
  std::size_t end = decl.find(quote, pos);
  if (end == std::string_view::npos) return std::nullopt;
  return std::string(decl.substr(pos, end - pos));
}

bool IsShiftJisName(std::string_view encoding) {
  static constexpr std::string_view kNames[] = {"Shift_JIS",  "Shift-JIS",   "SJIS",  "x-sjis", "MS_Kanji",
                                                "csShiftJIS", "Windows-31J", "CP932", "MS932",  "x-ms-cp932"};
  for (std::string_view name : kNames)
    if (SameTextIgnoringCase(encoding, name)) return true;
  return false;
}

Session::Session(std::string document, std::string systemFolder, bool loadExternals, bool cp932)
    : document_(std::move(document)),
      folder_(FolderOf(document_)),
      systemFolder_(WithSlash(std::move(systemFolder))),
      loadExternals_(loadExternals),
      cp932_(cp932),
      savedLoader_(xmlGetExternalEntityLoader()),
      savedStructured_(xmlStructuredError),
      savedStructuredContext_(xmlStructuredErrorContext),
      savedGeneric_(xmlGenericError),
      savedGenericContext_(xmlGenericErrorContext) {
  xmlSetExternalEntityLoader(&Session::LoadEntity);
  xmlSetStructuredErrorFunc(this, &Session::OnError);
  xmlSetGenericErrorFunc(this, &Session::OnGenericError);
}

Session::~Session() {
  xmlSetExternalEntityLoader(savedLoader_);
  xmlSetStructuredErrorFunc(savedStructuredContext_, savedStructured_);
  xmlSetGenericErrorFunc(savedGenericContext_, savedGeneric_);
}

void Session::Attach(xmlParserCtxtPtr ctxt) {
  ctxt->_private = this;
  // The DOCTYPE's system identifier as written: libxml2 cannot make a URI of
  // a Windows path such as "..\DTD\PHOTO04.DTD" and would pass nothing.
  ctxt->sax->resolveEntity = &Session::ResolveEntity;
}

const LoadedResource* Session::Resource(const std::string& file) const {
  auto it = resources_.find(file);
  return it == resources_.end() ? nullptr : &it->second;
}

void Session::OnError(void* self, xmlErrorPtr error) {
  if (!self || !error || error->level < XML_ERR_ERROR) return;
  // A document without DOCTYPE is not invalid: validation applies only to a
  // document that names a DTD.
  if (error->code == XML_DTD_NO_DTD) return;
  ParseError e;
  e.reason = error->message ? error->message : "";
  e.file = error->file ? error->file : "";
  e.line = error->line;
  e.column = error->int2;
  e.code = error->code;
  static_cast<Session*>(self)->Record(std::move(e));
}

void Session::OnGenericError(void*, const char*, ...) {
  // Everything worth saying also arrives as a structured error.
}

void Session::Record(ParseError error) {
  if (!first_) {
    first_ = std::move(error);
  } else if (first_->line == 0 && error.line > 0) {
    // A decoding error knows no position; the parser's follow-up error does.
    first_->file = error.file;
    first_->line = error.line;
    first_->column = error.column;
  }
}

xmlParserInputPtr Session::ResolveEntity(void* context, const xmlChar*, const xmlChar* systemId) {
  xmlParserCtxtPtr ctxt = static_cast<xmlParserCtxtPtr>(context);
  if (!ctxt || !ctxt->_private) return nullptr;
  return static_cast<Session*>(ctxt->_private)->Load(reinterpret_cast<const char*>(systemId), ctxt);
}

xmlParserInputPtr Session::LoadEntity(const char* url, const char*, xmlParserCtxtPtr ctxt) {
  if (!ctxt || !ctxt->_private) return nullptr;
  return static_cast<Session*>(ctxt->_private)->Load(url, ctxt);
}

xmlParserInputPtr Session::Load(const char* url, xmlParserCtxtPtr ctxt) {
  if (!loadExternals_) return xmlNewStringInputStream(ctxt, reinterpret_cast<const xmlChar*>(""));
  std::string name = LastComponent(url);
  // Only the external subset, the DTD, is read: an external entity of the
  // document (in its content or its internal subset) could pull any file's
  // text into the delivery's values. It reads as empty text.
  if (ctxt->inSubset != 2) {
    if (std::find(refusedEntities_.begin(), refusedEntities_.end(), name) == refusedEntities_.end())
      refusedEntities_.push_back(name);
    return xmlNewStringInputStream(ctxt, reinterpret_cast<const xmlChar*>(""));
  }
  std::optional<std::string> path = FindInFolder(folder_, name);
  if (!path) path = FindInFolder(systemFolder_, name);
  // A DTD beside the file that is a link out of its folder is not read.
  if (path && !InsideFolder(*path, folder_) && !InsideFolder(*path, systemFolder_)) {
    outsideFiles_.push_back(name);
    path.reset();
  }
  std::optional<std::string> bytes;
  if (path) bytes = ReadSmallFile(*path);
  if (!bytes) {
    ParseError e;
    e.reason = path ? "\"" + name + "\" を読み込めません。"
                    : "\"" + name + "\" がファイルと同じフォルダにもシステムフォルダにもありません。";
    e.file = document_;
    e.code = XML_IO_LOAD_ERROR;
    if (ctxt->input) {
      e.line = ctxt->input->line;
      e.column = ctxt->input->col;
    }
    Record(std::move(e));
    return nullptr;
  }

  // The ministry's DTDs are Shift_JIS without a text declaration, which
  // libxml2 would read as UTF-8: for a Shift_JIS document they are decoded as
  // code page 932, unless they declare an encoding of their own. A document
  // in UTF-8 names the same DTDs: one without a declaration that is no
  // UTF-8 is read as code page 932 for it too.
  std::optional<std::string> declared = DeclaredEncoding(*bytes);
  bool cp932 = declared ? IsShiftJisName(*declared) : cp932_ || !IsUtf8(*bytes);
  bool utf8 = declared ? SameTextIgnoringCase(*declared, "UTF-8") || SameTextIgnoringCase(*declared, "UTF8") : !cp932;
  std::string text = cp932 ? Cp932ToUtf8(*bytes) : *bytes;
  if (cp932 || utf8) {
    // The text is UTF-8 now; a declaration naming another encoding would
    // make libxml2 decode it a second time. Blanks keep lines and columns.
    if (auto span = DeclarationSpan(text))
      for (std::size_t i = span->first; i < span->second; ++i)
        if (text[i] != '\n') text[i] = ' ';
  }
  resources_[*path] = LoadedResource{std::move(*bytes), cp932};

  xmlParserInputBufferPtr buffer =
      xmlParserInputBufferCreateMem(text.data(), static_cast<int>(text.size()), XML_CHAR_ENCODING_NONE);
  if (!buffer) return nullptr;
  xmlParserInputPtr input = xmlNewIOInputStream(ctxt, buffer, XML_CHAR_ENCODING_NONE);
  if (!input) {
    xmlFreeParserInputBuffer(buffer);
    return nullptr;
  }
  input->filename = reinterpret_cast<const char*>(xmlStrdup(reinterpret_cast<const xmlChar*>(path->c_str())));
  return input;
}

}  // namespace zor::libxml
