// The two index files, INDEX_C.XML of a construction contract and INDEX_D.XML
// of a design or survey services contract: each one's code table and the
// values of 適用要領基準 it accepts.
#include "import/index_reader.h"
#include "import/readers.h"

namespace zor {
namespace {

constexpr IndexVersion kConstructionVersions[] = {
    {"土木200406-01", 5},
    {"土木200805-01", 6},
    {"土木201009-01", 7},
    {"農村振興土木200504-01", 12},
};

constexpr IndexVersion kServicesVersions[] = {
    {"土木200406-01", 8}, {"土木200805-01", 9}, {"農村振興土木200504-01", 13}};

}  // namespace

bool ReadConstructionIndex(ImportContext& ctx, const std::string& file, const std::string& workName) {
  // The contractor group follows the file's own standard: 受注者情報 is the
  // 2010 guideline's (rule set 7, the later ministry guidelines included),
  // 請負者情報 that of the earlier ones. Only the first 1000 nodes are stored.
  const IndexLayout layout{ConstructionIndexCodes(),
                           kConstructionReserveCode,
                           kConstructionVersions,
                           GuidelineSource::kConstructionIndex,
                           7,
                           7,
                           false};
  return ReadIndexFile(ctx, layout, file, workName);
}

bool ReadServicesIndex(ImportContext& ctx, const std::string& file, const std::string& workName) {
  // Services name their contractor as 受注者情報 under every standard.
  return ReadIndexFile(
      ctx,
      {ServicesIndexCodes(), kServicesReserveCode, kServicesVersions, GuidelineSource::kServicesIndex, 9, -1, true},
      file, workName);
}

}  // namespace zor
