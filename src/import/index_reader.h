// The walk that the construction and services index readers share, driven
// by the index's code table (each item's element and where it stands); each
// reader brings its version table.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "import/import_context.h"
#include "store/index_codes.h"
#include "store/standards.h"

namespace zor {

struct IndexVersion {
  std::string_view valueUtf8;  // 適用要領基準, compared byte for byte
  int digiVersion;
};

struct IndexLayout {
  const std::vector<IndexCode>& codes;
  int reserveCode;  // 予備, the one item that is not of the standard's list
  std::span<const IndexVersion> versions;
  // Which later standards a value of the later guidelines names here.
  GuidelineSource source;
  int defaultVersion;  // when the index has no 適用要領基準
  // Rule set whose contractor group is 受注者情報; the others read the
  // earlier names of the code table (請負者情報).
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
