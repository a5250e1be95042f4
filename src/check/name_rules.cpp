#include "check/name_rules.h"

#include <set>
#include <vector>

#include "check/shown_name.h"
#include "text/encoding.h"
#include "text/sjis.h"

namespace zor {
namespace {

constexpr std::size_t kMaxBase = 8;
constexpr std::size_t kMaxExtension = 3;
constexpr std::size_t kMaxLongExtension = 4;
constexpr std::size_t kMaxShownCharacters = 5;  // bad characters named in one finding

bool Allowed(char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'; }

// Characters (code points, a stray byte counting one) of a UTF-8 text.
std::size_t CharacterCount(std::string_view s) {
  std::size_t n = 0;
  for (const char c : s)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  return n;
}

// The character at s[i] (a whole UTF-8 sequence, or one byte).
std::string_view CharacterAt(std::string_view s, std::size_t i) {
  std::size_t end = i + 1;
  if (static_cast<unsigned char>(s[i]) >= 0xC0)
    while (end < s.size() && (static_cast<unsigned char>(s[end]) & 0xC0) == 0x80 && end - i < 4) ++end;
  return s.substr(i, end - i);
}

struct Breaches {
  bool lower = false;
  std::vector<std::string> bad;  // the other characters not allowed, each once, in order
  std::size_t badCount = 0;      // how many different ones
  bool folderExtension = false;
  bool emptyExtension = false;
  std::size_t baseLength = 0;  // set when too long
  std::size_t extensionLength = 0;
  bool Any() const { return lower || badCount || folderExtension || emptyExtension || baseLength || extensionLength; }
};

void ScanCharacters(std::string_view part, Breaches& b, std::set<std::string>& seen) {
  for (std::size_t i = 0; i < part.size();) {
    const std::string_view ch = CharacterAt(part, i);
    i += ch.size();
    if (ch.size() == 1 && Allowed(ch[0])) continue;
    if (ch.size() == 1 && ch[0] >= 'a' && ch[0] <= 'z') {
      b.lower = true;
      continue;
    }
    if (!seen.insert(std::string(ch)).second) continue;
    ++b.badCount;
    if (b.bad.size() < kMaxShownCharacters) b.bad.push_back(std::string(ch));
  }
}

Breaches Examine(std::string_view name, bool folder, bool fourCharExtensions) {
  Breaches b;
  std::set<std::string> seen;
  const std::size_t dot = name.rfind('.');
  if (folder || dot == std::string_view::npos) {
    ScanCharacters(folder && dot != std::string_view::npos ? name.substr(0, dot) : name, b, seen);
    if (folder && dot != std::string_view::npos) {
      b.folderExtension = true;
      ScanCharacters(name.substr(dot + 1), b, seen);
    }
    if (CharacterCount(name) > kMaxBase && !b.folderExtension) b.baseLength = CharacterCount(name);
    if (b.folderExtension && CharacterCount(name.substr(0, dot)) > kMaxBase)
      b.baseLength = CharacterCount(name.substr(0, dot));
    return b;
  }
  const std::string_view base = name.substr(0, dot);
  const std::string_view extension = name.substr(dot + 1);
  ScanCharacters(base, b, seen);
  ScanCharacters(extension, b, seen);
  if (extension.empty()) b.emptyExtension = true;
  if (CharacterCount(base) > kMaxBase) b.baseLength = CharacterCount(base);
  if (CharacterCount(extension) > (fourCharExtensions ? kMaxLongExtension : kMaxExtension))
    b.extensionLength = CharacterCount(extension);
  return b;
}

}  // namespace

std::optional<std::string> NameRuleBreach(std::string_view name, bool folder, bool fourCharExtensions) {
  const Breaches b = Examine(name, folder, fourCharExtensions);
  if (!b.Any()) return std::nullopt;
  std::vector<std::string> parts;
  if (b.lower) parts.push_back(Sj("英小文字が使われています"));
  if (b.badCount) {
    std::string chars;
    for (const std::string& ch : b.bad) chars += Sj("「") + ShownName(ch) + Sj("」");
    if (b.badCount > b.bad.size()) chars += Sj("など");
    parts.push_back(Sj("使えない文字 ") + chars + Sj(" が使われています（使えるのは半角の英大文字・数字・「_」）"));
  }
  if (b.folderExtension) parts.push_back(Sj("フォルダ名に拡張子（「.」）が付いています"));
  if (b.emptyExtension) parts.push_back(Sj("名前が「.」で終わっています"));
  if (b.baseLength)
    parts.push_back(
        (folder ? Sj("フォルダ名が 8 文字を超えています（") : Sj("拡張子を除く名前が 8 文字を超えています（")) +
        std::to_string(b.baseLength) + Sj(" 文字）"));
  if (b.extensionLength)
    parts.push_back(Sj(fourCharExtensions ? "拡張子が 4 文字を超えています（" : "拡張子が 3 文字を超えています（") +
                    std::to_string(b.extensionLength) + Sj(" 文字）"));
  std::string text;
  for (const std::string& part : parts) text += (text.empty() ? "" : Sj("、")) + part;
  return text + Sj("。");
}

bool OnlyLowerCaseBreaksRule(std::string_view name, bool folder, bool fourCharExtensions) {
  const Breaches b = Examine(name, folder, fourCharExtensions);
  if (!b.lower) return false;
  return !Examine(UpperAscii(name), folder, fourCharExtensions).Any();
}

std::optional<std::string> UnwantedName(std::string_view name, bool folder) {
  const char* what = nullptr;
  if (SameTextIgnoringCase(name, "Thumbs.db"))
    what = "不要なファイルです（Windows のサムネイル キャッシュ）。";
  else if (SameTextIgnoringCase(name, "desktop.ini"))
    what = "不要なファイルです（Windows のフォルダ表示設定）。";
  else if (SameTextIgnoringCase(name, ".DS_Store"))
    what = "不要なファイルです（macOS のフォルダ表示設定）。";
  else if (name.starts_with("._"))
    what = "不要なファイルです（macOS の属性ファイル）。";
  else if (SameTextIgnoringCase(name, "__MACOSX"))
    what = folder ? "不要なフォルダです（macOS の圧縮ファイルが作る属性フォルダ）。"
                  : "不要なファイルです（macOS の圧縮ファイルが作る属性フォルダの名前）。";
  else if (name.starts_with("~$"))
    what = "不要なファイルです（Office の作業中の一時ファイル）。";
  else if (name.size() > 4 && SameTextIgnoringCase(name.substr(name.size() - 4), ".tmp"))
    what = folder ? "不要なフォルダです（一時フォルダ）。" : "不要なファイルです（一時ファイル）。";
  else if (name.starts_with("."))
    what = folder ? "不要な隠しフォルダです。" : "不要な隠しファイルです。";
  if (!what) return std::nullopt;
  return Sj(what);
}

}  // namespace zor
