#include "rules/help_texts.h"

#include "rules/level_rules.h"
#include "rules/text_rules.h"
#include "rules/version_set.h"
#include "store/standards.h"
#include "text/encoding.h"

namespace zor {
namespace {

// The prefixes' blanks align the colons in the panel's fixed-pitch font.
struct Prefixes {
  std::string representation = Sj("データ表現 : ");
  std::string length = Sj("データ長   : ");
  std::string multiplicity = Sj("複数記入   : ");
  std::string rule = Sj("入力規則   : ");
  std::string entry = Sj("記入可否   : ");
};

const Prefixes& Prefix() {
  static const Prefixes prefixes;
  return prefixes;
}

// Class 2 items that hold only digits are described as such.
struct DigitsOnlyCase {
  bool index_loaded;
  VersionSet versions;
  NumberSet codes;
};

constexpr DigitsOnlyCase kDigitsOnly[] = {
    {false, Vs("0, 2, 3, 4, 8, 9"), Codes("8, 12, 13")},
    {true, kConstructionIndexVersions, Codes("11, 12, 27-30")},
    {true, ~kConstructionIndexVersions, Codes("7, 8, 23-26")},
};

std::string RepresentationText(const ItemHelpContext& context, const ItemRule& row) {
  if (row.representation == kClassAscii) {
    for (const DigitsOnlyCase& c : kDigitsOnly)
      if (c.index_loaded == context.index_loaded && InSet(c.versions, context.digi_version) && InSet(c.codes, row.code))
        return RepresentationLabel(kClassDigits);
  }
  return RepresentationLabel(row.representation);
}

std::string LengthText(int max_bytes) {
  if (max_bytes == 0) return Sj("システム値");
  return std::to_string(max_bytes) + Sj("バイト");
}

HelpLabels Blank() {
  HelpLabels labels;
  labels[2].visible = true;
  labels[4].visible = false;
  return labels;
}

std::string Quoted(const std::string& text) { return Sj("「") + text + Sj("」"); }

std::string LevelRuleText(const LevelCheck& check, int digi_version) {
  static const std::string construction = Sj("工事");
  if (check.level == 1) return Sj("業務分類を") + Quoted(AllowedMajorClasses(digi_version).joined) + Sj("とします");
  if (check.level == 2) {
    std::string text = Sj("大分類が") + Quoted(construction) + Sj("の場合") +
                       Quoted(AllowedPhotoClasses(digi_version).joined) +
                       Sj("の区分のいずれかを全角文字で記入します それ以外は自由記入といたします");
    if (InSet(Vs("3, 4, 6, 7, 9"), digi_version))
      text += Sj(" 大分類が") + Quoted(construction) + Sj("で「提出頻度写真」でない場合は記入は不要とします");
    return text;
  }
  std::string text =
      Sj("土木工事の場合には新土木工事積算体系のレベル") + std::to_string(check.level - 1) +
      Quoted(LevelItemName(check.level)) + Sj("を記入します") +
      Sj(" 但し新土木工事積算体系にない土木工事や他の工事の場合には対応するレベルのものを正しく記入してください");
  if (InSet(Vs("3, 6, 9"), digi_version))
    text += Sj(" 大分類が") + Quoted(construction) +
            Sj("で「提出頻度写真」でない場合は記入は不要としますが、任意記入も可とします");
  else if (InSet(Vs("4, 7"), digi_version))
    text += Sj(" 大分類が") + Quoted(construction) + Sj("で「提出頻度写真」でない場合は記入は不要とします");
  return text;
}

}  // namespace

HelpLabels NoHelp() {
  HelpLabels labels = Blank();
  labels[0].text = Sj("説明はありません");
  return labels;
}

HelpLabels ShowStandardHelp(int digi_version) {
  HelpLabels labels = NoHelp();
  labels[1].text = RuleSetNote(digi_version);
  return labels;
}

HelpLabels ShowItemHelp(const ItemHelpContext& given, const ItemRule& row, std::uint8_t faults) {
  ItemHelpContext context = given;
  context.digi_version = RuleSetOf(given.digi_version);
  // An index file's items have no help of their own.
  if (!context.grid_focused || (context.index_loaded && context.construction_tab)) return NoHelp();

  const Prefixes& prefix = Prefix();
  HelpLabels labels = Blank();
  labels[0].text = prefix.representation + RepresentationText(context, row);
  labels[1].text = prefix.length + LengthText(row.max_bytes);
  labels[2].text = prefix.multiplicity + (row.multiplicity.empty() ? Sj("不可") : row.multiplicity);
  if (!row.entry_rule.empty()) labels[3].text = prefix.rule + row.entry_rule;

  // The construction items of these standards are not in their photo file,
  // so their faults are not pointed at.
  bool not_in_photo_file = context.construction_tab && InSet(Vs("2, 3, 4, 11"), context.digi_version);
  if (context.keikoku_red && !not_in_photo_file) {
    labels[0].red = (faults & 1) != 0;
    labels[1].red = (faults & 2) != 0;
    labels[2].red = (faults & 4) != 0;
    labels[3].red = (faults & 8) != 0;
  }
  return labels;
}

HelpLabels ShowLevelHelp(std::span<const std::string> path, int digi_version, bool keikoku_red) {
  digi_version = RuleSetOf(digi_version);
  LevelCheck check = CheckLevelNode(path, digi_version);
  const Prefixes& prefix = Prefix();
  HelpLabels labels = Blank();
  labels[2].visible = false;

  std::string representation = RepresentationLabel(kClassNone);
  std::string length = LengthText(0);
  std::string rule;
  if (check.max_bytes != 0) {
    representation = RepresentationLabel(check.representation);
    length = LengthText(check.max_bytes);
    rule = LevelRuleText(check, digi_version);
  }
  if (keikoku_red) {
    labels[0].red = check.representation_fault;
    labels[1].red = check.length_fault;
    labels[3].red = check.value_fault;
  }
  labels[0].text = prefix.representation + representation;
  labels[1].text = prefix.length + length;
  if (!rule.empty()) labels[3].text = prefix.rule + rule;

  if (!check.joined_messages.empty()) {
    labels[4] = {prefix.entry + check.joined_messages, true, true};
  } else if (!check.advice.empty()) {
    labels[4] = {prefix.entry + check.advice, true, false};
  }
  return labels;
}

}  // namespace zor
