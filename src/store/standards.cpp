#include "store/standards.h"

#include <array>

#include "text/encoding.h"

namespace zor {
namespace {

struct LaterEntry {
  int ruleSet;
  const char* issuer;
  const char* since;  // the name's date before anything is read
  const char* name;
};

const std::array<LaterEntry, 4>& LaterEntries() {
  static const std::array<LaterEntry, 4> entries{{
      {7, "国交省", "平成23年以降", "工事完成図書の電子納品等要領"},
      {9, "国交省", "平成22年以降", "土木設計業務等の電子納品要領"},
      {12, "農水省", "平成17年以降", "工事完成図書の電子納品要領"},
      {13, "農水省", "平成17年以降", "設計業務等の電子納品要領"},
  }};
  return entries;
}

const LaterEntry* LaterEntryOf(int digiVersion) {
  if (!IsLaterStandard(digiVersion)) return nullptr;
  return &LaterEntries()[static_cast<std::size_t>(digiVersion - kLaterConstruction)];
}

// "28年3月" up to April 2019 (平成, written as the earlier names write their
// years), "令和5年3月" from May 2019 on.
std::string EraDate(int year, int month) {
  const std::string m = std::to_string(month) + "月";
  if (year < 2019 || (year == 2019 && month <= 4)) return std::to_string(year - 1988) + "年" + m;
  const int reiwa = year - 2018;
  return "令和" + (reiwa == 1 ? std::string("元") : std::to_string(reiwa)) + "年" + m;
}

bool StartsWith(std::string_view text, const std::string& prefix) {
  return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// After the issuer's name: 土木 or 農村振興土木; npos when neither leads.
std::size_t AfterIssuer(std::string_view value, bool* farm) {
  static const std::string kFarm = Sj("農村振興土木");
  static const std::string kMinistry = Sj("土木");
  if (StartsWith(value, kFarm)) {
    if (farm) *farm = true;
    return kFarm.size();
  }
  if (StartsWith(value, kMinistry)) {
    if (farm) *farm = false;
    return kMinistry.size();
  }
  return std::string_view::npos;
}

}  // namespace

bool IsLaterStandard(int digiVersion) { return digiVersion >= kLaterConstruction && digiVersion <= kLaterFarmServices; }

int RuleSetOf(int digiVersion) {
  const LaterEntry* later = LaterEntryOf(digiVersion);
  return later ? later->ruleSet : digiVersion;
}

const std::vector<std::string>& StandardVersionTexts() {
  static const std::vector<std::string> texts = [] {
    std::vector<std::string> t;
    for (const char* s : {
             "国交省 11年8月 デジタル写真管理情報基準(案)",
             "国交省 14年7月 デジタル写真管理情報基準(案)",
             "国交省 16年6月 デジタル写真管理情報基準(案)",
             "国交省 20年5月 デジタル写真管理情報基準(案)",
             "国交省 22年9月 デジタル写真管理情報基準",
             "国交省 16年6月 工事完成図書の電子納品要領(案)",
             "国交省 20年5月 工事完成図書の電子納品要領(案)",
             "国交省 22年9月 工事完成図書の電子納品等要領",
             "国交省 16年6月 土木設計業務等の電子納品要領(案)",
             "国交省 20年5月 土木設計業務等の電子納品要領(案)",
             "農水省 15年4月 電子化写真データの作成要領(案)",
             "農水省 17年4月 電子化写真データの作成要領(案)",
             "農水省 17年4月 工事完成図書の電子納品要領(案)",
             "農水省 17年4月 設計業務等の電子納品要領(案)",
         })
      t.push_back(Sj(s));
    for (const LaterEntry& e : LaterEntries()) t.push_back(Sj(std::string(e.issuer) + " " + e.since + " " + e.name));
    return t;
  }();
  return texts;
}

std::string StandardName(int digiVersion, std::string_view guideline) {
  const std::vector<std::string>& texts = StandardVersionTexts();
  if (digiVersion < 0 || digiVersion >= static_cast<int>(texts.size())) return {};
  const LaterEntry* later = LaterEntryOf(digiVersion);
  const std::optional<GuidelineValue> value = ParseGuidelineValue(guideline);
  if (!later || !value) return texts[static_cast<std::size_t>(digiVersion)];
  return Sj(std::string(later->issuer) + " " + EraDate(value->year, value->month) + " " + later->name);
}

std::string RuleSetNote(int digiVersion) {
  const LaterEntry* later = LaterEntryOf(digiVersion);
  if (!later) return {};
  return Sj("記入規則は ") + StandardVersionTexts()[static_cast<std::size_t>(later->ruleSet)] + Sj(" によります。");
}

std::optional<GuidelineValue> ParseGuidelineValue(std::string_view value) {
  GuidelineValue v;
  const std::size_t start = AfterIssuer(value, &v.farm);
  if (start == std::string_view::npos) return std::nullopt;
  const std::string_view rest = value.substr(start);
  // YYYYMM-NN
  if (rest.size() != 9 || rest[6] != '-') return std::nullopt;
  for (std::size_t i : {0, 1, 2, 3, 4, 5, 7, 8})
    if (!IsDigit(rest[i])) return std::nullopt;
  auto number = [&](std::size_t from, std::size_t n) {
    int x = 0;
    for (std::size_t i = from; i < from + n; ++i) x = x * 10 + (rest[i] - '0');
    return x;
  };
  v.year = number(0, 4);
  v.month = number(4, 2);
  // Guidelines of this form began in 2004; a year past the century is a typo.
  if (v.month < 1 || v.month > 12 || v.year < 2004 || v.year > 2099) return std::nullopt;
  return v;
}

std::optional<int> LaterStandardOf(std::string_view value, GuidelineSource source) {
  const std::optional<GuidelineValue> v = ParseGuidelineValue(value);
  if (!v) return std::nullopt;
  const int yyyymm = v->year * 100 + v->month;
  if (v->farm) {
    if (yyyymm <= 200504) return std::nullopt;
    return source == GuidelineSource::kServicesIndex ? kLaterFarmServices : kLaterFarmConstruction;
  }
  if (source == GuidelineSource::kServicesIndex) {
    if (yyyymm < 201009) return std::nullopt;
    return kLaterServices;
  }
  if (yyyymm <= 201009) return std::nullopt;
  return kLaterConstruction;
}

std::optional<int> GuidelineYear(std::string_view value) {
  std::size_t pos = AfterIssuer(value, nullptr);
  if (pos == std::string_view::npos) pos = 0;
  // Full-width digits are the two bytes 0x82 0x4F .. 0x82 0x58.
  int digits = 0;
  int yyyymm = 0;
  while (pos < value.size() && digits < 6) {
    const unsigned char c = static_cast<unsigned char>(value[pos]);
    if (IsDigit(value[pos])) {
      yyyymm = yyyymm * 10 + (c - '0');
      ++pos;
    } else if (c == 0x82 && pos + 1 < value.size() && static_cast<unsigned char>(value[pos + 1]) >= 0x4F &&
               static_cast<unsigned char>(value[pos + 1]) <= 0x58) {
      yyyymm = yyyymm * 10 + (static_cast<unsigned char>(value[pos + 1]) - 0x4F);
      pos += 2;
    } else {
      break;
    }
    ++digits;
  }
  if (digits < 6) return std::nullopt;
  return yyyymm / 100;
}

bool IsConstructionIndexVersion(int digiVersion) {
  const int r = RuleSetOf(digiVersion);
  return r == 5 || r == 6 || r == 7 || r == 12;
}

std::string DtdVersionText(int digiVersion) {
  // The later guidelines keep the photo file of 2010 (PHOTO05.DTD).
  if (IsLaterStandard(digiVersion)) return "05";
  switch (digiVersion) {
    case 0:
      return "1.0";
    case 1:
      return "02";
    case 10:
      return "02_200304";
    case 2:
    case 5:
    case 8:
    case 11:
    case 12:
    case 13:
      return "03";
    default:
      return "05";
  }
}

}  // namespace zor
