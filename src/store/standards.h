// The applicable standards a delivery may follow. The fourteen of the first
// guidelines keep their numbers (work files and settings store them); the
// guidelines published after them are four more entries, each checked by the
// rules of the latest earlier standard of its kind (its rule set) and named
// after the 適用要領基準 value actually read. All texts are code page 932.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zor {

inline constexpr int kStandardVersionCount = 18;
// The rule tables know standards 0 .. 13; every standard maps onto one of them.
inline constexpr int kRuleSetCount = 14;
inline constexpr int kInitialDigiVersion = 7;

// The later guidelines.
inline constexpr int kLaterConstruction = 14;      // 国交省, construction, after 201009
inline constexpr int kLaterServices = 15;          // 国交省, services, from 201009 on
inline constexpr int kLaterFarmConstruction = 16;  // 農水省, construction, after 200504
inline constexpr int kLaterFarmServices = 17;      // 農水省, services, after 200504

bool IsLaterStandard(int digiVersion);

// The rule set (0 .. 13) whose items, levels, help texts, search and sort
// keys, verification and album rows a standard uses: itself for 0 .. 13,
// 7, 9, 12 and 13 for 14 .. 17. Out of range: the number unchanged.
int RuleSetOf(int digiVersion);

// The fourteen standards plus the four later ones with their names before
// anything is read ("国交省 平成23年以降 …"), indexed by DigiVersion, as the
// version selector shows them.
const std::vector<std::string>& StandardVersionTexts();

// The name of a standard: for 14 .. 17 made from the 適用要領基準 value read
// (issuer, the value's date in the era of that date, the guideline's name),
// else the entry of StandardVersionTexts. Empty for a number out of range.
std::string StandardName(int digiVersion, std::string_view guideline);

// "記入規則は <rule set's name> によります。" for 14 .. 17, else empty.
std::string RuleSetNote(int digiVersion);

// A 適用要領基準 value of the form "土木" or "農村振興土木" + YYYYMM + "-" + NN
// (half-width digits, a real month, nothing before or after).
struct GuidelineValue {
  bool farm = false;  // 農村振興土木
  int year = 0;
  int month = 0;
};
std::optional<GuidelineValue> ParseGuidelineValue(std::string_view value);

// Which file a 適用要領基準 value was read from.
enum class GuidelineSource { kConstructionIndex, kServicesIndex, kPhotoFile };

// The later standard (14 .. 17) a value names when read from source; none
// for a value of the first guidelines or of no known form.
std::optional<int> LaterStandardOf(std::string_view value, GuidelineSource source);

// The year a value speaks of, read leniently (the first six digits after the
// issuer's name, half or full width, as YYYYMM); none when it has no date.
std::optional<int> GuidelineYear(std::string_view value);

// Construction index standards are 5, 6, 7 and 12 and the later 14 and 16;
// every other standard reads its index by the services codes.
bool IsConstructionIndexVersion(int digiVersion);

// DTD version text of a standard: "1.0" for 0, "02" for 1, "02_200304" for
// 10, "03" for 2, 5, 8, 11, 12, 13, "05" for the others, the later ones
// included.
std::string DtdVersionText(int digiVersion);

}  // namespace zor
