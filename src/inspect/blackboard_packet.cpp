#include "inspect/blackboard_packet.h"

#include <exempi/xmp.h>

#include <iostream>
#include <mutex>
#include <optional>
#include <streambuf>
#include <string_view>

namespace zor {

namespace {

constexpr const char* kPhotoNs = "http://dcpadv.org/schema/3.0/photoinfo";
constexpr const char* kMeasurementNs = "http://dcpadv.org/schema/3.0/measurement";
constexpr const char* kItemNs = "http://dcpadv.org/schema/3.0/measurementitem";
constexpr const char* kMetadataNs = "http://dcpadv.org/schema/3.1/metadata";

// The prefixes the library gave the blackboard's namespaces; paths into
// structures name their fields with them.
struct Prefixes {
  std::string measurement;
  std::string item;
  std::string photo;
  bool ready = false;
};

std::string RegisteredPrefix(const char* uri, const char* wanted) {
  XmpStringPtr actual = xmp_string_new();
  std::string prefix = wanted;
  if (xmp_register_namespace(uri, wanted, actual) && xmp_string_len(actual) > 0) {
    prefix = xmp_string_cstr(actual);
    if (!prefix.empty() && prefix.back() == ':') prefix.pop_back();
  }
  xmp_string_free(actual);
  return prefix;
}

// Exempi writes the message of every error it catches to std::cerr; a
// packet from a delivery must not write into the program's output. While
// a thread is inside the library, what it writes there is dropped; what
// every other thread writes passes unchanged.
thread_local bool tInsideLibrary = false;

class LibraryErrorFilter : public std::streambuf {
 public:
  explicit LibraryErrorFilter(std::streambuf* out) : out_(out) {}

 protected:
  int overflow(int c) override {
    if (tInsideLibrary || traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    return out_->sputc(traits_type::to_char_type(c));
  }
  std::streamsize xsputn(const char* s, std::streamsize n) override { return tInsideLibrary ? n : out_->sputn(s, n); }
  int sync() override { return tInsideLibrary ? 0 : out_->pubsync(); }

 private:
  std::streambuf* out_;
};

class InsideLibrary {
 public:
  InsideLibrary() { tInsideLibrary = true; }
  ~InsideLibrary() { tInsideLibrary = false; }
  InsideLibrary(const InsideLibrary&) = delete;
  InsideLibrary& operator=(const InsideLibrary&) = delete;
};

// The library keeps its namespace table for the whole process; it is
// started once and never stopped.
const Prefixes& Library() {
  static Prefixes prefixes;
  static std::once_flag once;
  std::call_once(once, [] {
    // Kept for the process's life: std::cerr may be written to at exit.
    std::cerr.rdbuf(new LibraryErrorFilter(std::cerr.rdbuf()));
    if (!xmp_init()) return;
    prefixes.photo = RegisteredPrefix(kPhotoNs, "photo");
    prefixes.measurement = RegisteredPrefix(kMeasurementNs, "measurement");
    prefixes.item = RegisteredPrefix(kItemNs, "item");
    RegisteredPrefix(kMetadataNs, "dcpmeta");
    prefixes.ready = true;
  });
  return prefixes;
}

bool Contains(std::string_view text, std::string_view what) { return text.find(what) != std::string_view::npos; }

// Whether the packet names the blackboard's schemas, in UTF-8 or in UTF-16
// (which is refused, but is the blackboard's all the same).
bool NamesBlackboard(std::string_view text) {
  constexpr std::string_view kMark = "dcpadv.org/schema/";
  if (Contains(text, kMark)) return true;
  std::string wide;
  for (char c : kMark) {
    wide += c;
    wide += '\0';
  }
  return Contains(text, wide) || Contains(text, wide.substr(0, wide.size() - 1).insert(0, 1, '\0'));
}

// A markup declaration other than a comment or a CDATA section: a DOCTYPE,
// an ENTITY, an ELEMENT ... None belongs in an XMP packet, and entities
// are how a packet would make the parser expand or load something.
bool HasDeclaration(std::string_view text) {
  for (std::size_t at = text.find("<!"); at != std::string_view::npos; at = text.find("<!", at + 2)) {
    const std::string_view rest = text.substr(at);
    if (!rest.starts_with("<!--") && !rest.starts_with("<![CDATA[")) return true;
  }
  return false;
}

// Valid UTF-8 of at most kMaxBlackboardValue bytes: an invalid sequence
// becomes U+FFFD, a longer value is cut at a character's start.
std::string CleanText(std::string_view in, bool& cut) {
  std::string out;
  out.reserve(std::min(in.size(), kMaxBlackboardValue));
  std::size_t i = 0;
  while (i < in.size()) {
    const auto c = static_cast<unsigned char>(in[i]);
    std::size_t n = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    bool valid = n > 0 && i + n <= in.size() && !(n == 2 && c < 0xC2);
    for (std::size_t k = 1; valid && k < n; ++k) valid = (static_cast<unsigned char>(in[i + k]) & 0xC0) == 0x80;
    const std::string_view piece = valid ? in.substr(i, n) : std::string_view("\xEF\xBF\xBD");
    if (out.size() + piece.size() > kMaxBlackboardValue) {
      cut = true;
      break;
    }
    out.append(piece);
    i += valid ? n : 1;
  }
  return out;
}

class XmpString {
 public:
  XmpString() : s_(xmp_string_new()) {}
  ~XmpString() { xmp_string_free(s_); }
  XmpString(const XmpString&) = delete;
  XmpString& operator=(const XmpString&) = delete;
  XmpStringPtr get() const { return s_; }
  std::string_view view() const { return std::string_view(xmp_string_cstr(s_), xmp_string_len(s_)); }

 private:
  XmpStringPtr s_;
};

// One parsed packet and the walk over the blackboard's properties in it.
class BoardReader {
 public:
  BoardReader(XmpPtr xmp, const Prefixes& prefixes, BlackboardPacket& out)
      : xmp_(xmp), prefixes_(prefixes), out_(out) {}

  // True when the packet holds any of the blackboard's properties.
  bool Run() {
    Blackboard& b = out_.values;
    bool any = false;
    const struct {
      const char* name;
      std::string Blackboard::*field;
    } kTexts[] = {
        {"ConstructionName", &Blackboard::constructionName},
        {"Contructor", &Blackboard::contractor},
        {"LargeClassification", &Blackboard::largeClassification},
        {"PhotoClassification", &Blackboard::photoClassification},
        {"ConstructionType", &Blackboard::constructionType},
        {"MiddleClassification", &Blackboard::middleClassification},
        {"SmallClassification", &Blackboard::smallClassification},
        {"Title", &Blackboard::title},
        {"ShootingSpot", &Blackboard::shootingSpot},
        {"IsRepresentative", &Blackboard::isRepresentative},
        {"IsFrequencyOfSubmission", &Blackboard::isFrequencyOfSubmission},
        {"ContractorRemarks", &Blackboard::contractorRemarks},
    };
    for (const auto& t : kTexts) {
      if (std::optional<std::string> v = Text(kPhotoNs, t.name)) {
        b.*t.field = std::move(*v);
        any = true;
      }
    }
    // One writer spells it so.
    if (!Has(kPhotoNs, "IsRepresentative"))
      if (std::optional<std::string> v = Text(kPhotoNs, "sRepresentative")) {
        b.isRepresentative = std::move(*v);
        any = true;
      }
    if (Has(kPhotoNs, "ClassificationRemarks")) {
      any = true;
      Strings(kPhotoNs, "ClassificationRemarks", kMaxClassificationRemarks, "工種区分予備", b.classificationRemarks);
    }
    if (Has(kPhotoNs, "Measurements")) {
      any = true;
      ReadMeasurements();
    }
    for (const char* name : {"vender", "software", "metaVersion", "stdVersion", "hashCode"})
      if (std::optional<std::string> v = Text(kMetadataNs, name)) {
        b.metadata.emplace_back(name, std::move(*v));
        any = true;
      }
    if (cut_) out_.notes.push_back("長すぎる値を " + std::to_string(kMaxBlackboardValue) + " バイトで切りました");
    return any;
  }

 private:
  static constexpr std::uint32_t kStruct = XMP_PROP_VALUE_IS_STRUCT;
  static constexpr std::uint32_t kArray = XMP_PROP_VALUE_IS_ARRAY;

  // The property's option bits; nothing when it is not there.
  std::optional<std::uint32_t> Bits(const char* ns, const std::string& path) const {
    XmpString value;
    std::uint32_t bits = 0;
    if (!xmp_get_property(xmp_, ns, path.c_str(), value.get(), &bits)) return std::nullopt;
    return bits;
  }
  bool Has(const char* ns, const std::string& path) const { return Bits(ns, path).has_value(); }

  // A simple value; of an array (a language alternative, a one-item Seq)
  // its first item; nothing for a structure or an absent property.
  std::optional<std::string> Text(const char* ns, const std::string& path) {
    XmpString value;
    std::uint32_t bits = 0;
    if (!xmp_get_property(xmp_, ns, path.c_str(), value.get(), &bits)) return std::nullopt;
    if (bits & kArray) {
      XmpString first;
      std::uint32_t firstBits = 0;
      if (!xmp_get_property(xmp_, ns, (path + "[1]").c_str(), first.get(), &firstBits) ||
          (firstBits & (kArray | kStruct)))
        return std::string();
      return CleanText(first.view(), cut_);
    }
    if (bits & kStruct) return std::string();
    return CleanText(value.view(), cut_);
  }

  // The simple items of an array, nested arrays flattened (one writer puts
  // the items in a Bag inside the Seq), up to max; a simple value is one item.
  void Strings(const char* ns, const std::string& path, std::size_t max, const char* what,
               std::vector<std::string>& out) {
    bool more = false;
    Collect(ns, path, max, out, more, 0);
    if (more)
      out_.notes.push_back(std::string(what) + "が " + std::to_string(max) + " 件を超えています（" +
                           std::to_string(max) + " 件まで読みました）");
  }
  void Collect(const char* ns, const std::string& path, std::size_t max, std::vector<std::string>& out, bool& more,
               int depth) {
    const std::optional<std::uint32_t> bits = Bits(ns, path);
    if (!bits || (*bits & kStruct)) return;
    if (!(*bits & kArray)) {
      if (out.size() >= max) {
        more = true;
        return;
      }
      out.push_back(Text(ns, path).value_or(std::string()));
      return;
    }
    if (depth >= 2) return;
    for (std::size_t i = 1; !more; ++i) {
      const std::string itemPath = path + "[" + std::to_string(i) + "]";
      if (!Has(ns, itemPath)) break;
      Collect(ns, itemPath, max, out, more, depth + 1);
    }
  }

  // A field of a structure, looked for under the namespace the schema
  // gives it, then under the blackboard's other two.
  std::optional<std::string> FieldPath(const std::string& base, const std::string& first, const char* name) const {
    for (const std::string* prefix : {&first, &prefixes_.measurement, &prefixes_.item, &prefixes_.photo}) {
      std::string path = base + "/" + *prefix + ":" + name;
      if (Has(kPhotoNs, path)) return path;
    }
    return std::nullopt;
  }
  std::string Field(const std::string& base, const std::string& prefix, const char* name) {
    const std::optional<std::string> path = FieldPath(base, prefix, name);
    return path ? Text(kPhotoNs, *path).value_or(std::string()) : std::string();
  }

  // Measurements: one structure, or an array of them.
  void ReadMeasurements() {
    const std::uint32_t bits = Bits(kPhotoNs, "Measurements").value_or(0);
    if (bits & kArray) {
      std::size_t i = 1;
      for (; i <= kMaxMeasurements; ++i) {
        const std::string path = "Measurements[" + std::to_string(i) + "]";
        if (!Has(kPhotoNs, path)) break;
        ReadMeasurement(path);
      }
      if (i > kMaxMeasurements && Has(kPhotoNs, "Measurements[" + std::to_string(i) + "]"))
        out_.notes.push_back("施工管理値の組が " + std::to_string(kMaxMeasurements) + " を超えています（" +
                             std::to_string(kMaxMeasurements) + " 組まで読みました）");
    } else if (bits & kStruct) {
      ReadMeasurement("Measurements");
    }
  }

  void ReadMeasurement(const std::string& base) {
    if (!(Bits(kPhotoNs, base).value_or(0) & kStruct)) return;
    BlackboardMeasurements m;
    m.classification = Field(base, prefixes_.measurement, "Classification");
    if (const std::optional<std::string> items = FieldPath(base, prefixes_.measurement, "MeasurementItems")) {
      const std::uint32_t bits = Bits(kPhotoNs, *items).value_or(0);
      if (bits & kArray) {
        std::size_t i = 1;
        for (; i <= kMaxMeasurementItems; ++i) {
          const std::string path = *items + "[" + std::to_string(i) + "]";
          if (!Has(kPhotoNs, path)) break;
          ReadItem(path, m.items);
        }
        if (i > kMaxMeasurementItems && Has(kPhotoNs, *items + "[" + std::to_string(i) + "]"))
          out_.notes.push_back("施工管理値の項目が " + std::to_string(kMaxMeasurementItems) + " を超えています（" +
                               std::to_string(kMaxMeasurementItems) + " 項目まで読みました）");
      } else if (bits & kStruct) {
        // One writer puts the one item's fields in MeasurementItems itself.
        ReadItem(*items, m.items);
      }
    }
    out_.values.measurements.push_back(std::move(m));
  }

  void ReadItem(const std::string& base, std::vector<BlackboardMeasurementItem>& items) {
    if (!(Bits(kPhotoNs, base).value_or(0) & kStruct)) return;
    const std::string& p = prefixes_.item;
    BlackboardMeasurementItem item;
    item.name = Field(base, p, "Name");
    item.mark = Field(base, p, "Mark");
    item.designedValue = Field(base, p, "DesignedValue");
    item.measuredValue = Field(base, p, "MeasuredValue");
    item.unitName = Field(base, p, "UnitName");
    if (const std::optional<std::string> remarks = FieldPath(base, p, "Remarks"))
      Strings(kPhotoNs, *remarks, kMaxItemRemarks, "施工管理値の備考", item.remarks);
    items.push_back(std::move(item));
  }

  XmpPtr xmp_;
  const Prefixes& prefixes_;
  BlackboardPacket& out_;
  bool cut_ = false;
};

BlackboardPacket Fault(bool blackboard, std::string why) {
  BlackboardPacket p;
  if (!blackboard) return p;  // someone else's packet: not this check's business
  p.status = BlackboardPacket::Status::kFault;
  p.fault = std::move(why);
  return p;
}

}  // namespace

BlackboardPacket ReadBlackboardPacket(std::span<const std::uint8_t> bytes) {
  std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  // Writers may end the packet with NULs or padding.
  while (!text.empty() && (text.back() == '\0' || text.back() == ' ' || text.back() == '\n' || text.back() == '\r'))
    text.remove_suffix(1);
  if (text.empty()) return {};
  const bool blackboard = NamesBlackboard(text.substr(0, std::min(text.size(), kMaxXmpPacket)));
  if (text.size() > kMaxXmpPacket)
    return Fault(blackboard, "XMP が大きすぎます（" + std::to_string(text.size()) + " バイト）");
  // UTF-16 or UTF-32 would hide a declaration from the screening below;
  // the blackboards write UTF-8.
  if (text.find('\0') != std::string_view::npos) return Fault(blackboard, "XMP が UTF-8 の文字列ではありません");
  if (HasDeclaration(text)) return Fault(blackboard, "XMP に DTD または実体の宣言があります（読みません）");
  const Prefixes& prefixes = Library();
  if (!prefixes.ready) return Fault(blackboard, "XMP ライブラリを初期化できません");
  const InsideLibrary inside;

  XmpPtr xmp = xmp_new(text.data(), text.size());
  if (!xmp) return Fault(blackboard, "XMP が途中で切れているか、XML として読めません");
  BlackboardPacket packet;
  const bool any = BoardReader(xmp, prefixes, packet).Run();
  xmp_free(xmp);
  if (!any) return {};
  packet.status = BlackboardPacket::Status::kRead;
  return packet;
}

void StartBlackboardReader() { Library(); }

std::string MeasurementClassificationName(const std::string& value) {
  static const std::pair<const char*, const char*> kNames[] = {
      {"0", "施工管理値"}, {"1", "品質証明値"}, {"2", "監督値"}, {"3", "検査値"}, {"9", "その他"}};
  for (const auto& [code, name] : kNames)
    if (value == code) return name;
  return value;
}

}  // namespace zor
