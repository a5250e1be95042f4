#include "rules/level_rules.h"

#include <algorithm>
#include <vector>

#include "rules/text_rules.h"
#include "rules/version_set.h"
#include "store/standards.h"
#include "text/encoding.h"

namespace zor {
namespace {

constexpr VersionSet kEarlyPhotoFiles = Vs("0, 1, 10");
// Standards whose photo classes include 事故写真 and whose work types are
// optional under most photo classes.
constexpr VersionSet kGroupB = Vs("3, 4, 6, 7, 9");

struct LevelRule {
  ByVersion<int> bytes;
  ByVersion<int> representation;
};

// Levels 1, 2 and 3-5.
const std::array<LevelRule, 3>& LevelRules() {
  static const std::array<LevelRule, 3> rules = {
      LevelRule{16, {{{kEarlyPhotoFiles, kClassFullWidth}}, kClassMixed}},
      LevelRule{{{{kEarlyPhotoFiles, 32}}, 254}, {{{kEarlyPhotoFiles, kClassFullWidth}}, kClassMixed}},
      LevelRule{{{{kEarlyPhotoFiles, 40}}, 254}, kClassMixed},
  };
  return rules;
}

enum class Outcome : std::uint8_t { kNone, kMessage, kAdviceA1, kAdviceA2, kAdviceA3 };

struct PhotoClassRule {
  std::string photo_class;
  ByVersion<Outcome> work_type;        // level 3
  ByVersion<Outcome> kind_or_detail;   // levels 4 and 5
  std::array<int, 3> message_numbers;  // of levels 3, 4, 5; 0: none
};

const std::vector<PhotoClassRule>& PhotoClassRules() {
  using enum Outcome;
  static const std::vector<PhotoClassRule> rules = {
      {Sj("着手前及び完成写真"), {{{kGroupB, kAdviceA3}}, kMessage}, {{{kGroupB, kAdviceA3}}, kMessage}, {1, 4, 9}},
      {Sj("施工状況写真"), kAdviceA1, kAdviceA1, {0, 0, 0}},
      {Sj("安全管理写真"), kAdviceA1, {{{kGroupB, kAdviceA3}}, kMessage}, {0, 5, 10}},
      {Sj("使用材料写真"), kAdviceA1, kAdviceA1, {0, 0, 0}},
      {Sj("品質管理写真"), kAdviceA2, {{{Vs("3, 6, 9"), kAdviceA3}, {Vs("4, 7"), kAdviceA1}}, kMessage}, {0, 6, 11}},
      {Sj("出来形管理写真"), kAdviceA2, kAdviceA2, {0, 0, 0}},
      {Sj("災害写真"), {{{kGroupB, kAdviceA3}}, kMessage}, {{{kGroupB, kAdviceA3}}, kMessage}, {2, 7, 12}},
      {Sj("その他"), {{{kGroupB, kAdviceA3}}, kMessage}, {{{kGroupB, kAdviceA3}}, kMessage}, {3, 8, 13}},
  };
  return rules;
}

const std::string& AdviceText(Outcome outcome) {
  static const std::array<std::string, 3> texts = {
      Sj("記入可能な場合は記入"),
      Sj("記入"),
      Sj("記入は不要とするが、任意の記入も可"),
  };
  static const std::string none;
  switch (outcome) {
    case Outcome::kAdviceA1:
      return texts[0];
    case Outcome::kAdviceA2:
      return texts[1];
    case Outcome::kAdviceA3:
      return texts[2];
    case Outcome::kNone:
    case Outcome::kMessage:
      break;
  }
  return none;
}

bool Contains(const CodeList& list, const std::string& caption) {
  return std::find(list.entries.begin(), list.entries.end(), caption) != list.entries.end();
}

}  // namespace

const CodeList& AllowedMajorClasses(int digi_version) {
  digi_version = RuleSetOf(digi_version);
  return digi_version == 10 ? PhotoMajorClassesEarlier() : PhotoMajorClassesCurrent();
}

const CodeList& AllowedPhotoClasses(int digi_version) {
  digi_version = RuleSetOf(digi_version);
  static const CodeList without_accidents = [] {
    static const std::string accident = Sj("事故写真");
    CodeList list;
    for (const std::string& entry : PhotoCategories().entries) {
      if (entry == accident) continue;
      if (!list.entries.empty()) list.joined += Sj("・");
      list.entries.push_back(entry);
      list.joined += entry;
    }
    return list;
  }();
  return InSet(kGroupB, digi_version) ? PhotoCategories() : without_accidents;
}

const std::string& LevelItemName(int level) {
  static const std::array<std::string, 4> names = {std::string(), Sj("工種"), Sj("種別"), Sj("細別")};
  if (level < 3) return names[0];
  return names[static_cast<std::size_t>(std::min(level, 5) - 2)];
}

LevelCheck CheckLevelNode(std::span<const std::string> path, int digi_version) {
  digi_version = RuleSetOf(digi_version);
  LevelCheck check;
  if (path.empty()) return check;
  check.level = static_cast<int>(std::min<std::size_t>(path.size(), 5));
  const std::string& caption = path.back();

  const LevelRule& rule = LevelRules()[static_cast<std::size_t>(std::min(check.level, 3) - 1)];
  check.max_bytes = rule.bytes.At(digi_version);
  check.representation = rule.representation.At(digi_version);
  check.length_fault = caption.size() > static_cast<std::size_t>(check.max_bytes);
  check.representation_fault = NormalizeText(check.representation, caption) != caption;

  if (check.level == 1) {
    check.value_fault = !Contains(AllowedMajorClasses(digi_version), caption);
    return check;
  }
  if (check.level == 2) {
    static const std::string construction = Sj("工事");
    check.value_fault = path[0] == construction && !Contains(AllowedPhotoClasses(digi_version), caption);
    return check;
  }

  const std::string& photo_class = path[1];
  for (const PhotoClassRule& r : PhotoClassRules()) {
    if (r.photo_class != photo_class) continue;
    Outcome outcome = (check.level == 3 ? r.work_type : r.kind_or_detail).At(digi_version);
    int number = r.message_numbers[static_cast<std::size_t>(check.level - 3)];
    if (outcome == Outcome::kMessage && number > 0) {
      check.messages[static_cast<std::size_t>(number - 1)] =
          Sj("写真区分『") + photo_class + Sj("』に") + LevelItemName(check.level) + Sj("は登録できません");
    } else {
      check.advice = AdviceText(outcome);
    }
    break;
  }
  for (const std::string& message : check.messages) {
    if (message.empty()) continue;
    if (!check.joined_messages.empty()) check.joined_messages += "\r\n";
    check.joined_messages += message;
  }
  return check;
}

}  // namespace zor
