// The walk that the construction and services index readers share; each
// reader brings its element table and its version table.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "import/element_names.h"
#include "import/import_context.h"
#include "store/standards.h"

namespace zor {

// Which contractor group a row belongs to: the 2010 guideline names it
// 受注者情報, the earlier ones 請負者情報.
enum class ContractorGroup { kAny, kCurrent, kEarlier };

struct IndexRow {
  int level;                // 1 to 4
  std::array<int, 4> path;  // ids of path[1] .. path[level]
  int code;
  bool standard;  // false for the reserve element 予備
  ContractorGroup group = ContractorGroup::kAny;
  // An element of the later guidelines: stored only when the file follows one.
  bool later = false;
};

struct IndexVersion {
  std::string_view valueUtf8;  // 適用要領基準, compared byte for byte
  int digiVersion;
};

struct IndexLayout {
  const ElementNames& names;
  int basicInfoId;  // 基礎情報
  int standardId;   // 適用要領基準
  std::span<const IndexRow> rows;
  std::span<const IndexVersion> versions;
  // Which later standards a value of the later guidelines names here.
  GuidelineSource source;
  int defaultVersion;  // when the index has no 適用要領基準
  // Rule set whose contractor group is 受注者情報 (-1: every row is kAny).
  int currentContractorVersion;
  // The construction reader stores from the first 1000 nodes only; the
  // services reader from every node.
  bool storeFromEveryNode;
};

// The standard an index's 適用要領基準 value names: the version table's entry,
// else a later guideline's standard; none when the value is refused.
std::optional<int> IndexStandardOf(std::span<const IndexVersion> versions, GuidelineSource source,
                                   const std::string& value);

// The message for a refused value: the old text for a value dated 2004 or
// earlier, else one that names the value.
std::string RefusedStandardMessage(const std::string& value);

bool ReadIndexFile(ImportContext& ctx, const IndexLayout& layout, const std::string& file, const std::string& workName);

}  // namespace zor
