#include "check/text_scan.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "app/regular_file.h"
#include "check/document_encoding.h"
#include "check/value_chars.h"
#include "text/encoding.h"
#include "text/sjis.h"

namespace zor {
namespace {

// An element or attribute name keeps this many bytes in an item path.
constexpr std::size_t kMaxNameBytes = 128;

constexpr std::string_view kPhotoElementUtf8 = "写真情報";

bool IsTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// What ends a run of value characters.
enum class Stop {
  kText,    // '<'
  kQuoted,  // the quote, or '<'
  kBare,    // a blank, '>' or '<' (an unquoted attribute value)
  kCdata,   // "]]>"
};

class Scanner {
 public:
  Scanner(std::string_view bytes, bool utf8, const std::string& file)
      : s_(bytes), utf8_(utf8), file_(file), photoName_(utf8 ? std::string(kPhotoElementUtf8) : Sj(kPhotoElementUtf8)) {
    frames_.resize(kMaxPathDepth);
  }

  std::vector<TextFinding> Run(std::size_t* omitted) {
    while (pos_ < s_.size()) {
      if (s_[pos_] == '<')
        Markup();
      else
        ScanRun(Current(), Stop::kText, 0);
    }
    while (depth_ > 0) Pop();
    if (omitted) *omitted = omitted_;
    std::stable_sort(out_.begin(), out_.end(),
                     [](const TextFinding& a, const TextFinding& b) { return a.finding.line < b.finding.line; });
    return std::move(out_);
  }

 private:
  struct Frame {
    std::size_t nameAt = 0;   // the element's name in path_
    std::size_t pathLen = 0;  // path_ up to the end of that name
    int line = 0;             // where its content begins
    int photo = 0;
    ValueChars chars;
  };

  bool At(std::string_view word) const { return s_.substr(pos_, word.size()) == word; }

  // The frame that collects the text at hand: the innermost element's, or
  // the deepest one tracked; text outside the document element is dropped.
  ValueChars* Current() {
    if (depth_ == 0) return &outside_;
    return &frames_[static_cast<std::size_t>(std::min(depth_, kMaxPathDepth) - 1)].chars;
  }

  void CountLines(std::size_t from, std::size_t to) {
    line_ += static_cast<int>(
        std::count(s_.begin() + static_cast<std::ptrdiff_t>(from), s_.begin() + static_cast<std::ptrdiff_t>(to), '\n'));
  }

  // Past the next terminator (or to the end), counting lines.
  void SkipPast(std::string_view terminator) {
    std::size_t end = s_.find(terminator, pos_);
    end = end == std::string_view::npos ? s_.size() : end + terminator.size();
    CountLines(pos_, end);
    pos_ = end;
  }

  void SkipBlanks() {
    while (pos_ < s_.size() && IsBlank(s_[pos_])) {
      if (s_[pos_] == '\n') ++line_;
      ++pos_;
    }
  }

  // The run of value characters from pos_ up to what ends it.
  void ScanRun(ValueChars* chars, Stop run, char quote) {
    const std::size_t n = s_.size();
    while (pos_ < n) {
      const char c = s_[pos_];
      if (run == Stop::kCdata) {
        if (c == ']' && At("]]>")) return;
      } else {
        if (c == '<') return;
        if (run == Stop::kQuoted && c == quote) return;
        if (run == Stop::kBare && (c == '>' || IsBlank(c))) return;
        if (c == '&') {
          Reference(chars);
          continue;
        }
      }
      if (c == '\n') {
        ++line_;
        ++pos_;
      } else if (c >= 0x20 && c < 0x7F) {
        ++pos_;
      } else {
        OtherChar(chars);
      }
    }
  }

  // One character that is not printable ASCII.
  void OtherChar(ValueChars* chars) {
    const auto c = static_cast<unsigned char>(s_[pos_]);
    if (c < 0x80) {
      ++pos_;
      const CharClass cls = ClassifyCp932(c);
      if (cls != CharClass::kAllowed) chars->Add({c, utf8_, c, cls});
      return;
    }
    if (!utf8_) {
      if (IsLeadByte(c) && pos_ + 1 < s_.size() && IsTrailByte(static_cast<unsigned char>(s_[pos_ + 1]))) {
        const auto code = static_cast<std::uint16_t>(c << 8 | static_cast<unsigned char>(s_[pos_ + 1]));
        pos_ += 2;
        Report(chars, code, CharClass::kAllowed);
      } else {
        ++pos_;
        Report(chars, c, CharClass::kAllowed);
      }
      return;
    }
    char32_t ch = 0;
    const std::size_t len = Utf8At(ch);
    if (len == 0) {
      ++pos_;
      chars->Add({c, false, 0, CharClass::kBadByte});
      return;
    }
    pos_ += len;
    ReportUnicode(chars, ch);
  }

  // A code page 932 code; its class from the table unless given.
  void Report(ValueChars* chars, std::uint16_t code, CharClass cls) {
    if (cls == CharClass::kAllowed) cls = ClassifyCp932(code);
    if (cls != CharClass::kAllowed) chars->Add({code, false, code, cls});
  }

  void ReportUnicode(ValueChars* chars, char32_t ch) {
    std::uint16_t cp932 = 0;
    const CharClass cls = ClassifyCached(ch, &cp932);
    if (cls == CharClass::kAllowed) return;
    // A code page 932 file shows what a character reference stands for by
    // its code there, when it has one.
    if (!utf8_ && (ch < 0x80 || cp932 != 0))
      chars->Add({cp932, false, cp932, cls});
    else
      chars->Add({static_cast<std::uint32_t>(ch), true, cp932, cls});
  }

  CharClass ClassifyCached(char32_t ch, std::uint16_t* cp932) {
    if (ch < 0x80 || ch > 0xFFFF) return ClassifyUnicode(ch, cp932);
    if (cache_.empty()) cache_.assign(0x10000, 0);
    std::uint32_t& slot = cache_[ch];
    if (slot == 0) {
      std::uint16_t code = 0;
      const CharClass cls = ClassifyUnicode(ch, &code);
      slot = 1u << 31 | static_cast<std::uint32_t>(cls) << 16 | code;
    }
    *cp932 = static_cast<std::uint16_t>(slot & 0xFFFF);
    return static_cast<CharClass>((slot >> 16) & 0xFF);
  }

  // The length of the well-formed UTF-8 character at pos_ (its scalar in
  // ch), 0 when the bytes there start none.
  std::size_t Utf8At(char32_t& ch) const {
    const auto* p = reinterpret_cast<const unsigned char*>(s_.data()) + pos_;
    const std::size_t left = s_.size() - pos_;
    const unsigned char c = p[0];
    std::size_t len = 0;
    char32_t min = 0;
    if (c >= 0xC2 && c <= 0xDF) {
      len = 2, ch = c & 0x1F, min = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
      len = 3, ch = c & 0x0F, min = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
      len = 4, ch = c & 0x07, min = 0x10000;
    } else {
      return 0;
    }
    if (left < len) return 0;
    for (std::size_t k = 1; k < len; ++k) {
      if ((p[k] & 0xC0) != 0x80) return 0;
      ch = ch << 6 | (p[k] & 0x3F);
    }
    if (ch < min || ch > 0x10FFFF || (ch >= 0xD800 && ch < 0xE000)) return 0;
    return len;
  }

  // At '&': a numeric character reference is the character it names; the
  // five predefined entities stand for ASCII, and any other name is scanned
  // as the characters it is written in, so only the '&' is passed.
  void Reference(ValueChars* chars) {
    std::size_t p = pos_ + 1;
    if (p >= s_.size() || s_[p] != '#') {
      ++pos_;
      return;
    }
    ++p;
    const bool hex = p < s_.size() && s_[p] == 'x';
    if (hex) ++p;
    char32_t value = 0;
    std::size_t digits = 0;
    for (; p < s_.size(); ++p, ++digits) {
      const char d = s_[p];
      int v = -1;
      if (d >= '0' && d <= '9')
        v = d - '0';
      else if (hex && d >= 'a' && d <= 'f')
        v = d - 'a' + 10;
      else if (hex && d >= 'A' && d <= 'F')
        v = d - 'A' + 10;
      if (v < 0) break;
      value = value * (hex ? 16 : 10) + static_cast<char32_t>(v);
      if (value > 0x10FFFF) value = 0x110000;  // stays out of range, never overflows
    }
    if (digits == 0 || p >= s_.size() || s_[p] != ';') {
      ++pos_;
      return;
    }
    pos_ = p + 1;
    ReportUnicode(chars, value);
  }

  void Markup() {
    if (At("<!--")) {
      pos_ += 4;
      SkipPast("-->");
    } else if (At("<![CDATA[")) {
      pos_ += 9;
      ScanRun(Current(), Stop::kCdata, 0);
      if (pos_ < s_.size()) pos_ += 3;
    } else if (At("<!")) {
      SkipDeclaration();
    } else if (At("<?")) {
      pos_ += 2;
      SkipPast("?>");
    } else if (At("</")) {
      pos_ += 2;
      while (pos_ < s_.size() && s_[pos_] != '>' && s_[pos_] != '<') {
        if (s_[pos_] == '\n') ++line_;
        ++pos_;
      }
      if (pos_ < s_.size() && s_[pos_] == '>') ++pos_;
      Pop();
    } else {
      StartTag();
    }
  }

  // A document type or other declaration, its internal subset (with
  // quoted strings and comments) included.
  void SkipDeclaration() {
    pos_ += 2;
    int brackets = 0;
    char quote = 0;
    while (pos_ < s_.size()) {
      const char c = s_[pos_];
      if (c == '\n') ++line_;
      if (quote != 0) {
        if (c == quote) quote = 0;
      } else if (c == '"' || c == '\'') {
        quote = c;
      } else if (At("<!--")) {
        pos_ += 4;
        SkipPast("-->");
        continue;
      } else if (c == '[') {
        ++brackets;
      } else if (c == ']') {
        brackets = std::max(0, brackets - 1);
      } else if (c == '>' && brackets == 0) {
        ++pos_;
        return;
      }
      // A double-byte character is passed whole: its trail byte may be '[' or ']'.
      const auto b = static_cast<unsigned char>(c);
      if (!utf8_ && IsLeadByte(b) && pos_ + 1 < s_.size() && IsTrailByte(static_cast<unsigned char>(s_[pos_ + 1])))
        ++pos_;
      ++pos_;
    }
  }

  // The name at pos_, up to a blank, '=', '/', '>' or '<'.
  std::string_view Name() {
    const std::size_t start = pos_;
    while (pos_ < s_.size()) {
      const char c = s_[pos_];
      if (IsBlank(c) || c == '=' || c == '/' || c == '>' || c == '<') break;
      ++pos_;
    }
    return s_.substr(start, pos_ - start);
  }

  void StartTag() {
    ++pos_;  // '<'
    const std::string_view name = Name();
    if (name.empty()) return;  // a lone '<': what follows is scanned as text
    Push(name);
    while (pos_ < s_.size()) {
      const char c = s_[pos_];
      if (IsBlank(c)) {
        SkipBlanks();
      } else if (c == '>' || c == '<') {
        if (c == '>') ++pos_;
        break;
      } else if (c == '/' && At("/>")) {
        pos_ += 2;
        Pop();
        return;
      } else {
        const std::string_view attribute = Name();
        if (attribute.empty()) {
          ++pos_;  // a stray '=' or '/'
          continue;
        }
        SkipBlanks();
        if (pos_ < s_.size() && s_[pos_] == '=') {
          ++pos_;
          SkipBlanks();
          AttributeValue(attribute);
        }
      }
    }
    if (depth_ <= kMaxPathDepth) frames_[static_cast<std::size_t>(depth_ - 1)].line = line_;
  }

  void AttributeValue(std::string_view attribute) {
    if (pos_ >= s_.size()) return;
    const int line = line_;
    attributeChars_.Clear();
    const char quote = s_[pos_];
    if (quote == '"' || quote == '\'') {
      ++pos_;
      ScanRun(&attributeChars_, Stop::kQuoted, quote);
      if (pos_ < s_.size() && s_[pos_] == quote) ++pos_;
    } else {
      ScanRun(&attributeChars_, Stop::kBare, 0);
    }
    if (attributeChars_.Empty() || !Keep(attributeChars_)) return;
    const Frame& f = frames_[static_cast<std::size_t>(std::min(depth_, kMaxPathDepth) - 1)];
    const std::string name = ShownName(attribute);
    attributeChars_.AppendFindings(out_, file_, Item(f) + "@" + name, name, line, f.photo);
  }

  void Push(std::string_view name) {
    ++depth_;
    const bool photo = name == photoName_;
    if (photo) ++photos_;
    if (depth_ > kMaxPathDepth) return;
    Frame& f = frames_[static_cast<std::size_t>(depth_ - 1)];
    const Frame* parent = depth_ > 1 ? &frames_[static_cast<std::size_t>(depth_ - 2)] : nullptr;
    if (parent) path_ += '/';
    f.nameAt = path_.size();
    path_ += CleanName(name);
    f.pathLen = path_.size();
    f.line = line_;
    f.photo = photo ? photos_ : parent ? parent->photo : 0;
    f.chars.Clear();
  }

  void Pop() {
    if (depth_ == 0) return;
    if (depth_ <= kMaxPathDepth) {
      Frame& f = frames_[static_cast<std::size_t>(depth_ - 1)];
      if (!f.chars.Empty() && Keep(f.chars)) {
        const std::string name = ShownName(std::string_view(path_).substr(f.nameAt, f.pathLen - f.nameAt));
        f.chars.AppendFindings(out_, file_, Item(f), name, f.line, f.photo);
        f.chars.Clear();
      }
      path_.resize(f.nameAt > 0 ? f.nameAt - 1 : 0);
    }
    --depth_;
  }

  // True while findings are kept; past kMaxTextFindings those of chars are
  // only counted.
  bool Keep(const ValueChars& chars) {
    if (out_.size() < kMaxTextFindings) return true;
    omitted_ += chars.Checks();
    return false;
  }

  // The element's path below the document element (code page 932); the
  // document element's own name for itself.
  std::string Item(const Frame& f) const {
    const std::size_t root = frames_[0].pathLen;
    std::string_view path(path_);
    path = f.pathLen <= root ? path.substr(0, f.pathLen) : path.substr(root + 1, f.pathLen - root - 1);
    return utf8_ ? Utf8ToCp932(path) : std::string(path);
  }

  std::string ShownName(std::string_view name) const {
    const std::string clean = CleanName(name);
    return utf8_ ? Utf8ToCp932(clean) : clean;
  }

  // The name as a path shows it: bounded, control characters replaced.
  std::string CleanName(std::string_view name) const {
    std::string out;
    if (utf8_) {
      std::size_t n = std::min(name.size(), kMaxNameBytes);
      while (n > 0 && n < name.size() && (static_cast<unsigned char>(name[n]) & 0xC0) == 0x80) --n;
      out = name.substr(0, n);
    } else {
      out = CutToBytes(name, kMaxNameBytes);
    }
    for (char& c : out)
      if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return out;
  }

  std::string_view s_;
  std::size_t pos_ = 0;
  int line_ = 1;
  const bool utf8_;
  const std::string& file_;
  const std::string photoName_;
  std::vector<Frame> frames_;  // the open elements, at most kMaxPathDepth
  int depth_ = 0;              // how many elements are open, tracked or not
  std::string path_;           // the tracked elements' names, joined by "/"
  int photos_ = 0;
  ValueChars attributeChars_;
  ValueChars outside_;
  std::vector<std::uint32_t> cache_;  // a BMP character's class and code, once known
  std::vector<TextFinding> out_;
  std::size_t omitted_ = 0;
};

}  // namespace

std::vector<TextFinding> ScanManagementText(std::string_view bytes, const std::string& shownName,
                                            std::size_t* omitted) {
  const DetectedEncoding detected = DetectEncoding(bytes);
  bytes.remove_prefix(detected.markBytes);
  switch (detected.encoding) {
    case DocumentEncoding::kCp932:
      return Scanner(bytes, false, shownName).Run(omitted);
    case DocumentEncoding::kUtf8:
      return Scanner(bytes, true, shownName).Run(omitted);
    case DocumentEncoding::kUtf16Le:
    case DocumentEncoding::kUtf16Be:
      break;
  }
  const std::string utf8 = Utf16ToUtf8(bytes, detected.encoding == DocumentEncoding::kUtf16Be);
  return Scanner(utf8, true, shownName).Run(omitted);
}

TextScanResult ScanManagementFile(const std::string& utf8Path, const std::string& shownName) {
  TextScanResult result;
  RegularFile file{std::filesystem::path(utf8Path)};
  if (!file.Open()) {
    const int err = errno;
    if (err == ENOENT)
      result.error = shownName + Sj(" がありません。");
    else if (err == EISDIR || err == EINVAL)
      result.error = shownName + Sj(" は通常のファイルではないため読み込みません。");
    else
      result.error =
          shownName + Sj(" を開けません（") + std::error_code(err, std::generic_category()).message() + Sj("）。");
    return result;
  }
  auto tooLarge = [&] {
    result.error =
        shownName + Sj(" は ") + std::to_string(kMaxScannedFileBytes) + Sj(" バイトを超えるため文字を検査しません。");
    return result;
  };
  if (file.Size() > kMaxScannedFileBytes) return tooLarge();
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(file.Size()));
  char buf[1 << 16];
  while (true) {
    const long got = file.Read(buf, sizeof buf);
    if (got < 0) {
      result.error = shownName + Sj(" を読み込めません（") + std::error_code(errno, std::generic_category()).message() +
                     Sj("）。");
      return result;
    }
    if (got == 0) break;
    bytes.append(buf, static_cast<std::size_t>(got));
    if (bytes.size() > kMaxScannedFileBytes) return tooLarge();  // grew while read
  }
  result.read = true;
  result.findings = ScanManagementText(bytes, shownName, &result.omitted);
  return result;
}

}  // namespace zor
