#include "inspect/xmp_packets.h"

#include <cstring>
#include <set>
#include <string>

namespace zor {

namespace {

constexpr std::string_view kMainXmp("http://ns.adobe.com/xap/1.0/\0", 29);
constexpr std::string_view kExtendedXmp("http://ns.adobe.com/xmp/extension/\0", 35);
constexpr std::size_t kGuidSize = 32;
constexpr std::string_view kPngXmpKeyword("XML:com.adobe.xmp\0", 18);

std::string_view View(std::span<const std::uint8_t> b) {
  return std::string_view(reinterpret_cast<const char*>(b.data()), b.size());
}

std::span<const std::uint8_t> Span(std::string_view s) {
  return std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
}

// Printable ASCII only, so that a name read from a file is safe to show.
std::string Printable(std::string_view s) {
  std::string out;
  for (char c : s) out += (c >= 0x20 && c < 0x7F) ? c : '?';
  return out;
}

void AddNotes(BlackboardPacket& p, std::vector<std::string> notes) {
  if (p.status == BlackboardPacket::Status::kNone) return;
  p.notes.insert(p.notes.begin(), notes.begin(), notes.end());
}

std::uint32_t Big32(std::span<const std::uint8_t> b, std::size_t at) {
  return std::uint32_t{b[at]} << 24 | std::uint32_t{b[at + 1]} << 16 | std::uint32_t{b[at + 2]} << 8 | b[at + 3];
}

}  // namespace

BlackboardPacket ReadJpegBlackboard(std::span<const std::uint8_t> header, const std::vector<JpegSegment>& segments) {
  std::span<const std::uint8_t> main;
  int mains = 0;
  std::set<std::string> extended;
  for (const JpegSegment& s : segments) {
    if (s.marker != 0xE1 || s.data + s.size > header.size()) continue;
    const std::string_view data = View(header.subspan(s.data, s.size));
    if (data.starts_with(kMainXmp)) {
      if (mains++ == 0) main = Span(data.substr(kMainXmp.size()));
    } else if (data.starts_with(kExtendedXmp)) {
      extended.insert(Printable(data.substr(kExtendedXmp.size(), kGuidSize)));
    }
  }
  if (mains == 0) return {};
  BlackboardPacket p = ReadBlackboardPacket(main);
  std::vector<std::string> notes;
  if (mains > 1)
    notes.push_back("XMP のセグメントが " + std::to_string(mains) + " つあります（最初のものを読みました）");
  for (const std::string& guid : extended) notes.push_back("拡張 XMP（" + guid + "）は読みません");
  AddNotes(p, std::move(notes));
  return p;
}

BlackboardPacket ReadTiffBlackboard(std::span<const std::uint8_t> tiff, std::uint64_t offset, std::uint64_t size) {
  if (size == 0 || offset > tiff.size() || size > tiff.size() - offset) return {};
  return ReadBlackboardPacket(tiff.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(size)));
}

bool LooksLikePng(std::span<const std::uint8_t> b) {
  return b.size() >= 8 && std::memcmp(b.data(), "\x89PNG\r\n\x1A\n", 8) == 0;
}

BlackboardPacket ReadPngBlackboard(std::span<const std::uint8_t> b) {
  if (!LooksLikePng(b)) return {};
  std::size_t p = 8;
  // Chunks: length, type, data, CRC; walked while they lie in the bytes at hand.
  while (p + 12 <= b.size()) {
    const std::uint64_t length = Big32(b, p);
    const std::string_view type = View(b.subspan(p + 4, 4));
    if (length > b.size() - p - 12) break;
    const std::span<const std::uint8_t> data = b.subspan(p + 8, static_cast<std::size_t>(length));
    if (type == "iTXt" && View(data).starts_with(kPngXmpKeyword)) {
      // Keyword, compression flag and method, language tag and translated
      // keyword (each up to a NUL), then the text.
      const std::string_view rest = View(data).substr(kPngXmpKeyword.size());
      if (rest.size() < 2) return {};
      if (rest[0] != 0) return {};  // compressed: not inflated here
      const std::size_t language = rest.find('\0', 2);
      if (language == std::string_view::npos) return {};
      const std::size_t translated = rest.find('\0', language + 1);
      if (translated == std::string_view::npos) return {};
      return ReadBlackboardPacket(Span(rest.substr(translated + 1)));
    }
    if (type == "IDAT" || type == "IEND") break;
    p += static_cast<std::size_t>(length) + 12;
  }
  return {};
}

BlackboardPacket ReadSvgBlackboard(std::string_view svg) {
  for (const auto& [open, close] : {std::pair<std::string_view, std::string_view>{"<x:xmpmeta", "</x:xmpmeta>"},
                                    std::pair<std::string_view, std::string_view>{"<rdf:RDF", "</rdf:RDF>"}}) {
    const std::size_t start = svg.find(open);
    if (start == std::string_view::npos) continue;
    const std::size_t end = svg.find(close, start);
    // A packet cut off: what there is, which the reader reports.
    const std::size_t stop = end == std::string_view::npos ? svg.size() : end + close.size();
    return ReadBlackboardPacket(Span(svg.substr(start, stop - start)));
  }
  return {};
}

}  // namespace zor
