// The walk that the construction and services index readers share; each
// reader brings its element table and its version table.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "import/element_names.h"
#include "import/import_context.h"

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
  int defaultVersion;  // when the index has no 適用要領基準
  // DigiVersion whose contractor group is 受注者情報 (-1: every row is kAny).
  int currentContractorVersion;
  // The construction reader stores from the first 1000 nodes only; the
  // services reader from every node.
  bool storeFromEveryNode;
};

bool ReadIndexFile(ImportContext& ctx, const IndexLayout& layout, const std::string& file, const std::string& workName);

}  // namespace zor
