#include "check/value_chars.h"

#include <algorithm>
#include <cstdio>

#include "text/encoding.h"

namespace zor {
namespace {

struct CheckText {
  const char* id;
  const char* utf8;  // what the message says the value holds
};

constexpr CheckText kChecks[] = {
    {"text.char", "使用できない文字があります"},
    {"text.kana", "半角カタカナがあります"},
    {"text.control", "制御文字があります"},
    {"text.wide-alnum", "全角英数字があります"},
};

std::size_t SlotOf(CharClass cls) {
  switch (cls) {
    case CharClass::kHalfKana:
      return 1;
    case CharClass::kControl:
      return 2;
    case CharClass::kWideAlnum:
      return 3;
    default:
      return 0;
  }
}

std::string CodeText(const ListedChar& c) {
  char buf[16];
  if (c.unicode)
    std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(c.code));
  else
    std::snprintf(buf, sizeof buf, c.code > 0xFF ? "0x%04X" : "0x%02X", static_cast<unsigned>(c.code));
  return buf;
}

// The message's punctuation in code page 932, converted once.
struct Punctuation {
  std::string open = Sj("（"), close = Sj("）"), comma = Sj("、"), at = Sj(" に"), more = Sj("、ほか "),
              chars = Sj(" 文字");
};

const Punctuation& Punct() {
  static const Punctuation p;
  return p;
}

bool Drawable(const ListedChar& c) {
  switch (c.cls) {
    case CharClass::kWideAlnum:
    case CharClass::kHalfKana:
    case CharClass::kNecSpecial:
    case CharClass::kNecIbm:
    case CharClass::kIbm:
      return c.cp932 != 0;
    default:
      return false;
  }
}

}  // namespace

std::string ShowChar(const ListedChar& c) {
  if (c.cls == CharClass::kControl) return CodeText(c);
  std::string out;
  if (Drawable(c)) {
    if (c.cp932 > 0xFF) out += static_cast<char>(c.cp932 >> 8);
    out += static_cast<char>(c.cp932 & 0xFF);
    out += Punct().open + CodeText(c);
    const std::string& caption = CharCaption(c.cls);
    if (!caption.empty()) out += " " + caption;
    return out + Punct().close;
  }
  return CodeText(c) + Punct().open + CharCaption(c.cls) + Punct().close;
}

void ValueChars::Add(const ListedChar& c) {
  List& list = lists_[SlotOf(c.cls)];
  empty_ = false;
  for (const ListedChar& seen : list.chars)
    if (seen.code == c.code && seen.unicode == c.unicode) return;
  if (list.chars.size() < kMaxListedChars)
    list.chars.push_back(c);
  else
    ++list.more;
}

std::size_t ValueChars::Checks() const {
  return static_cast<std::size_t>(
      std::count_if(lists_.begin(), lists_.end(), [](const List& list) { return !list.chars.empty(); }));
}

void ValueChars::Clear() {
  if (empty_) return;
  for (List& list : lists_) {
    list.chars.clear();
    list.more = 0;
  }
  empty_ = true;
}

void ValueChars::AppendFindings(std::vector<TextFinding>& out, const std::string& file, const std::string& item,
                                const std::string& name, int line, int photo) const {
  if (empty_) return;
  for (std::size_t slot = 0; slot < lists_.size(); ++slot) {
    const List& list = lists_[slot];
    if (list.chars.empty()) continue;
    static const std::array<std::string, 4> says = {Sj(kChecks[0].utf8), Sj(kChecks[1].utf8), Sj(kChecks[2].utf8),
                                                    Sj(kChecks[3].utf8)};
    std::string message = name + Punct().at + says[slot] + ": ";
    for (std::size_t i = 0; i < list.chars.size(); ++i) {
      if (i > 0) message += Punct().comma;
      message += ShowChar(list.chars[i]);
    }
    if (list.more > 0) message += Punct().more + std::to_string(list.more) + Punct().chars;
    TextFinding f;
    f.finding.file = file;
    f.finding.check = kChecks[slot].id;
    f.finding.severity = CheckSeverity(f.finding.check);
    f.finding.message = std::move(message);
    f.finding.item = item;
    f.finding.line = line;
    f.photoOrdinal = photo;
    out.push_back(std::move(f));
  }
}

}  // namespace zor
