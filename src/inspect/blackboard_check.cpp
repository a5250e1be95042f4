#include "inspect/blackboard_check.h"

#include <cstdint>

#include "text/encoding.h"

namespace zor {

namespace {

// The code point at i (advancing i); U+FFFD for a broken sequence.
char32_t Next(std::string_view s, std::size_t& i) {
  const auto c = static_cast<unsigned char>(s[i]);
  const std::size_t n = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
  if (n == 0 || i + n > s.size()) {
    ++i;
    return 0xFFFD;
  }
  char32_t cp = n == 1 ? c : c & (0x7F >> n);
  for (std::size_t k = 1; k < n; ++k) cp = cp << 6 | (static_cast<unsigned char>(s[i + k]) & 0x3F);
  i += n;
  return cp;
}

void Put(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | cp >> 6);
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | cp >> 12);
    out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | cp >> 18);
    out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

char32_t Narrow(char32_t cp) {
  if ((cp >= 0xFF10 && cp <= 0xFF19) || (cp >= 0xFF21 && cp <= 0xFF3A) || (cp >= 0xFF41 && cp <= 0xFF5A))
    return cp - 0xFEE0;
  if (cp == 0x3000 || cp == '\t') return ' ';
  return cp;
}

bool Blank(char32_t cp) { return cp == ' ' || cp == '\r' || cp == '\n'; }

std::string Utf8(const std::string& sjis) { return Cp932ToUtf8(sjis); }

// "工種: 小黒板「舗装工」／PHOTO.XML「排水構造物工」"
std::string DifferenceText(const char* item, const std::string& board, const std::string& record) {
  return Sj(item) + Sj(": 小黒板「") + Utf8ToCp932(board) + Sj("」／PHOTO.XML「") + Utf8ToCp932(record) + Sj("」");
}

// The lines of texts, as they stand.
std::vector<std::string> SplitLines(const std::vector<std::string>& items) {
  std::vector<std::string> lines;
  for (const std::string& item : items)
    for (std::size_t start = 0; start <= item.size();) {
      std::size_t end = item.find_first_of("\r\n", start);
      if (end == std::string::npos) end = item.size();
      lines.push_back(item.substr(start, end - start));
      start = end + 1;
    }
  return lines;
}

// The non-empty lines, each normalised.
std::vector<std::string> Lines(const std::vector<std::string>& items) {
  std::vector<std::string> lines;
  for (const std::string& line : SplitLines(items))
    if (std::string n = NormalizedBoardText(line); !n.empty()) lines.push_back(std::move(n));
  return lines;
}

std::string Joined(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) {
    const std::string trimmed = NormalizedBoardText(item);
    if (trimmed.empty()) continue;
    if (!text.empty()) text += "、";
    text += item;
  }
  return text;
}

// "True" / "False" as the writers put it; nothing for anything else.
std::optional<bool> Flag(const std::string& value) {
  std::string v = NormalizedBoardText(value);
  for (char& c : v) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  if (v == "true" || v == "1") return true;
  if (v == "false" || v == "0") return false;
  return std::nullopt;
}

// A decimal number's canonical form ("3.50" and "+03.5" give "3.5");
// nothing when the text is not one.
std::optional<std::string> Decimal(std::string_view s) {
  bool negative = false;
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
    negative = s[0] == '-';
    s.remove_prefix(1);
  }
  const std::size_t dot = s.find('.');
  std::string_view whole = s.substr(0, dot);
  std::string_view fraction = dot == std::string_view::npos ? std::string_view() : s.substr(dot + 1);
  if (whole.empty() && fraction.empty()) return std::nullopt;
  for (std::string_view part : {whole, fraction})
    for (char c : part)
      if (c < '0' || c > '9') return std::nullopt;
  while (whole.size() > 1 && whole[0] == '0') whole.remove_prefix(1);
  while (!fraction.empty() && fraction.back() == '0') fraction.remove_suffix(1);
  std::string out;
  if (negative && !(whole == "0" && fraction.empty()) && !(whole.empty() && fraction.empty())) out.push_back('-');
  if (whole.empty())
    out.push_back('0');
  else
    out.append(whole);
  if (!fraction.empty()) {
    out.push_back('.');
    out.append(fraction);
  }
  return out;
}

bool IsNumberChar(char c) { return (c >= '0' && c <= '9') || c == '.'; }

// Whether a measured value (normalised) stands in the 施工管理値 text
// (normalised): as a number among its numbers, or else as text.
bool InControlValue(const std::string& measured, const std::string& control) {
  if (const std::optional<std::string> value = Decimal(measured)) {
    for (std::size_t i = 0; i < control.size();) {
      if (!IsNumberChar(control[i])) {
        ++i;
        continue;
      }
      std::size_t j = i;
      while (j < control.size() && IsNumberChar(control[j])) ++j;
      std::string number;
      if (i > 0 && control[i - 1] == '-') number.push_back('-');
      number.append(control, i, j - i);
      if (Decimal(number) == value) return true;
      i = j;
    }
    return false;
  }
  return control.find(measured) != std::string::npos;
}

}  // namespace

std::string NormalizedBoardText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) Put(out, Narrow(Next(text, i)));
  std::size_t start = 0, end = out.size();
  while (start < end && Blank(static_cast<unsigned char>(out[start]))) ++start;
  while (end > start && Blank(static_cast<unsigned char>(out[end - 1]))) --end;
  return out.substr(start, end - start);
}

bool SameBoardText(std::string_view a, std::string_view b) { return NormalizedBoardText(a) == NormalizedBoardText(b); }

std::vector<BoardDifference> CompareBlackboard(const Blackboard& board, const BoardRecordItems& record) {
  std::vector<BoardDifference> out;
  auto text = [&](const char* item, const std::string& boardValue, const std::string& recordSjis) {
    const std::string recordValue = Utf8(recordSjis);
    if (NormalizedBoardText(boardValue).empty() || NormalizedBoardText(recordValue).empty()) return;
    if (!SameBoardText(boardValue, recordValue))
      out.push_back({Sj(item), Severity::kWarning, DifferenceText(item, boardValue, recordValue)});
  };
  auto flag = [&](const char* item, const std::string& boardValue, const std::optional<int>& recordValue) {
    const std::optional<bool> on = Flag(boardValue);
    if (!on || !recordValue) return;
    if (*on != (*recordValue == 1))
      out.push_back({Sj(item), Severity::kWarning,
                     DifferenceText(item, NormalizedBoardText(boardValue), std::to_string(*recordValue))});
  };
  text("写真-大分類", board.largeClassification, record.classification[0]);
  text("写真区分", board.photoClassification, record.classification[1]);
  text("工種", board.constructionType, record.classification[2]);
  text("種別", board.middleClassification, record.classification[3]);
  text("細別", board.smallClassification, record.classification[4]);
  text("写真タイトル", board.title, record.title);
  {
    const std::vector<std::string> boardLines = Lines(board.classificationRemarks);
    const std::vector<std::string> recordLines = Lines({Utf8(record.reserve)});
    if (!boardLines.empty() && !recordLines.empty() && boardLines != recordLines) {
      const std::vector<std::string> recordItems = SplitLines({Utf8(record.reserve)});
      out.push_back({Sj("工種区分予備"), Severity::kWarning,
                     DifferenceText("工種区分予備", Joined(board.classificationRemarks), Joined(recordItems))});
    }
  }
  text("撮影箇所", board.shootingSpot, record.spot);
  flag("代表写真", board.isRepresentative, record.representative);
  flag("提出頻度写真", board.isFrequencyOfSubmission, record.frequency);
  text("受注者説明文", board.contractorRemarks, record.remarks);

  const std::string control = NormalizedBoardText(Utf8(record.control));
  for (const BlackboardMeasurements& m : board.measurements)
    for (const BlackboardMeasurementItem& item : m.items) {
      const std::string measured = NormalizedBoardText(item.measuredValue);
      if (measured.empty() || InControlValue(measured, control)) continue;
      std::string what = Sj("施工管理値: 小黒板の実測値「") + Utf8ToCp932(item.measuredValue) + Sj("」");
      if (!NormalizedBoardText(item.name).empty()) what += Sj("（") + Utf8ToCp932(item.name) + Sj("）");
      what += control.empty() ? Sj("に当たる施工管理値が PHOTO.XML にありません")
                              : Sj("が PHOTO.XML の施工管理値「") + record.control + Sj("」にありません");
      out.push_back({Sj("施工管理値"), Severity::kNote, what});
    }
  return out;
}

}  // namespace zor
