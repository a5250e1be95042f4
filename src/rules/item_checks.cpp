#include "rules/item_checks.h"

#include "rules/text_rules.h"
#include "rules/version_set.h"
#include "store/standards.h"

namespace zor {
namespace {

enum class CheckKind : std::uint8_t {
  kExactBytes,      // a non-empty value must have exactly `limit` bytes
  kMaxLines,        // at most `limit` non-empty lines
  kRepresentation,  // the value must respect the item's class
};

struct ItemCheck {
  InfoGrid grid;
  int code;
  VersionSet versions;
  CheckKind kind;
  int limit;
};

// Versions whose photo file carries the contract items.
constexpr VersionSet kContractVersions = Vs("0, 1, 5-10, 12, 13");

constexpr ItemCheck kChecks[] = {
    {InfoGrid::kKoji, 7, kContractVersions, CheckKind::kExactBytes, 4},
    {InfoGrid::kKoji, 12, kContractVersions, CheckKind::kExactBytes, 10},
    {InfoGrid::kKoji, 13, kContractVersions, CheckKind::kExactBytes, 10},
    {InfoGrid::kKoji, 17, kContractVersions, CheckKind::kExactBytes, 8},
    {InfoGrid::kKoji, 17, Vs("5-7, 12"), CheckKind::kRepresentation, 0},
    {InfoGrid::kPhoto, 5, Vs("0"), CheckKind::kMaxLines, 3},
    {InfoGrid::kPhoto, 17, Vs("0"), CheckKind::kMaxLines, 3},
    {InfoGrid::kPhoto, 11, Vs("0"), CheckKind::kMaxLines, 1},
    {InfoGrid::kPhoto, 13, Vs("0"), CheckKind::kMaxLines, 1},
    {InfoGrid::kPhoto, 8, kAllVersions, CheckKind::kExactBytes, 10},
    {InfoGrid::kSanko, 3, Vs("1, 10"), CheckKind::kMaxLines, 1},
};

std::uint8_t Apply(const ItemCheck& check, std::string_view value, int digi_version) {
  switch (check.kind) {
    case CheckKind::kExactBytes:
      return !value.empty() && value.size() != static_cast<std::size_t>(check.limit) ? kFaultEntryRule : 0;
    case CheckKind::kMaxLines:
      return SplitValueLines(value).size() > static_cast<std::size_t>(check.limit) ? kFaultLines : 0;
    case CheckKind::kRepresentation: {
      std::optional<ItemRule> rule = FindItemRule(check.grid, check.code, digi_version);
      return rule && NormalizeText(rule->representation, value) != value ? kFaultRepresentation : 0;
    }
  }
  return 0;
}

}  // namespace

std::uint8_t ItemFaults(InfoGrid grid, int code, std::string_view value, int digi_version) {
  digi_version = RuleSetOf(digi_version);
  std::uint8_t flags = 0;
  for (const ItemCheck& check : kChecks)
    if (check.grid == grid && check.code == code && InSet(check.versions, digi_version))
      flags |= Apply(check, value, digi_version);
  return flags;
}

std::uint8_t CheckKojiItem(int code, std::string_view value, int digi_version, bool keikoku_red) {
  digi_version = RuleSetOf(digi_version);
  return keikoku_red ? ItemFaults(InfoGrid::kKoji, code, value, digi_version) : 0;
}

std::uint8_t CheckPhotoItem(int code, std::string_view value, int digi_version, bool keikoku_red) {
  digi_version = RuleSetOf(digi_version);
  return keikoku_red ? ItemFaults(InfoGrid::kPhoto, code, value, digi_version) : 0;
}

std::uint8_t CheckSankoItem(int code, std::string_view value, int digi_version, bool keikoku_red) {
  digi_version = RuleSetOf(digi_version);
  return keikoku_red ? ItemFaults(InfoGrid::kSanko, code, value, digi_version) : 0;
}

}  // namespace zor
