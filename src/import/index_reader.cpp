#include "import/index_reader.h"

#include <algorithm>
#include <optional>

#include "import/element_names.h"
#include "import/reader_support.h"
#include "store/photo_table.h"
#include "text/encoding.h"
#include "xml/xml_tree.h"

namespace zor {
namespace {

// Only the first 1000 nodes are looked at for the version (and, in the
// construction reader, for the items).
constexpr int kFirstNodes = 1000;

std::optional<int> VersionOf(const IndexLayout& layout, const std::string& value) {
  return IndexStandardOf(layout.versions, layout.source, value);
}

// Which names of the code table an item is read by: the 2010 guideline's
// (受注者情報), the earlier ones' (請負者情報), or either where they agree.
enum class ContractorGroup { kAny, kCurrent, kEarlier };

// One item where it stands: the ids of the element names of its path.
struct IndexRow {
  std::vector<int> path;  // path[1] .. path[level]
  int code;
  bool standard;
  ContractorGroup group;
  bool later;
};

// The code table as rows of ids, and the ids of 基礎情報/適用要領基準.
struct IndexRows {
  ElementNames names;
  std::vector<IndexRow> rows;
  int basicInfoId;
  int standardId;

  explicit IndexRows(const IndexLayout& layout) {
    basicInfoId = names.Add(Sj("基礎情報"));
    standardId = names.Add(Sj("適用要領基準"));
    for (const IndexCode& c : layout.codes)
      for (std::size_t i = 0; i < c.elements.size(); ++i) {
        const ContractorGroup group = c.elements.size() == 1 ? ContractorGroup::kAny
                                      : i == 0               ? ContractorGroup::kCurrent
                                                             : ContractorGroup::kEarlier;
        IndexRow row{{}, c.code, c.code != layout.reserveCode, group, c.later};
        for (std::string_view rest = c.parents[i]; !rest.empty();) {
          const std::size_t slash = rest.find('/');
          row.path.push_back(names.Add(rest.substr(0, slash)));
          rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
        }
        row.path.push_back(names.Add(c.elements[i]));
        rows.push_back(std::move(row));
      }
  }

  bool Matches(const IndexRow& row, int level, const ElementPath& path, ContractorGroup group) const {
    if (static_cast<int>(row.path.size()) != level) return false;
    if (row.group != ContractorGroup::kAny && row.group != group) return false;
    for (int k = 1; k <= level; ++k)
      if (path[k] != row.path[static_cast<std::size_t>(k - 1)]) return false;
    return true;
  }

  bool IsStandardNode(int level, const ElementPath& path) const {
    return level == 2 && path[1] == basicInfoId && path[2] == standardId;
  }
};

bool ReadIndex(ImportContext& ctx, const IndexLayout& layout, const std::string& file, const std::string& workName) {
  Delivery& d = ctx.delivery;
  TXMLTreeView view;
  if (!LoadNodeTree(ctx, view, file)) return false;
  const IndexRows table(layout);

  const int count = view.NodeCount();
  const int lastChecked = std::min(count, kFirstNodes) - 1;
  const int lastStored = layout.storeFromEveryNode ? count - 1 : lastChecked;

  // The version check, before anything of the loaded delivery changes: every
  // value must be accepted, the first one decides. The file's own standard
  // also chooses the contractor group below.
  int version = layout.defaultVersion;
  std::string guideline;
  bool decided = false;
  ElementPath path;
  std::vector<int> ids(static_cast<std::size_t>(std::max(count, 0)));
  for (int i = 0; i < count; ++i) ids[static_cast<std::size_t>(i)] = table.names.Find(view.NodeAt(i).Text);
  for (int i = 0; i <= lastChecked; ++i) {
    const XmlNode& node = view.NodeAt(i);
    path.Set(node.Level, ids[static_cast<std::size_t>(i)]);
    if (!table.IsStandardNode(node.Level, path)) continue;
    std::optional<int> v = VersionOf(layout, NodeValue(node));
    if (!v) {
      ctx.host.ShowInformation(RefusedStandardMessage(NodeValue(node)));
      return false;
    }
    if (!decided) {
      version = *v;
      guideline = NodeValue(node);
      decided = true;
    }
  }
  const ContractorGroup group =
      RuleSetOf(version) == layout.currentContractorVersion ? ContractorGroup::kCurrent : ContractorGroup::kEarlier;
  const bool later = IsLaterStandard(version);

  // From here on the previous delivery is gone.
  ProgressScope progress(ctx.host);
  d.Index.Clear();
  ctx.host.LeaveListMode();
  d.WorkName = workName;
  d.PhotoTable.OpenPhotoTable(true, PhotoTableFileName(ctx.folders.workData, workName));
  ctx.host.UpdateTitle();
  ctx.host.ClearPhotoLists();
  d.BuildTreeSkeleton();
  ctx.host.SelectUnclassifiedNode();
  progress.Start(lastStored);

  path.Clear();
  for (int i = 0; i <= lastStored; ++i) {
    progress.Step(i);
    const XmlNode& node = view.NodeAt(i);
    path.Set(node.Level, ids[static_cast<std::size_t>(i)]);
    if (node.Level < 1) continue;
    for (const IndexRow& row : table.rows) {
      if (row.later && !later) continue;
      if (table.Matches(row, node.Level, path, group)) {
        d.Index.Store(NodeValue(node), row.code, row.standard);
        break;
      }
    }
    // A services index is stored from every node but checked in its first
    // 1000 only; a value past them decides only when none came before.
    if (!decided && table.IsStandardNode(node.Level, path))
      if (std::optional<int> v = VersionOf(layout, NodeValue(node))) {
        version = *v;
        guideline = NodeValue(node);
        decided = true;
      }
  }

  view.Clear();
  // A later standard's name follows the value read, so a new value renames
  // the same standard.
  const bool renamed = StandardName(d.DigiVersion, d.Guideline) != StandardName(version, guideline);
  d.Guideline = guideline;
  if (d.DigiVersion != version || renamed) {
    d.DigiVersion = version;
    ctx.host.RefreshAll();
  }
  ctx.host.RequestButtonUpdate();
  d.PreviousIndexLoaded = d.IndexLoaded;
  d.IndexLoaded = true;
  d.Index.Finish();
  if (d.Index.Dropped() > 0)
    ctx.host.ShowWarning(Sj("索引の項目が多すぎるため、") + std::to_string(d.Index.Dropped()) +
                         Sj("件の項目を読み込みませんでした（") + std::to_string(IndexTables::kMaxSlots) +
                         Sj("件まで）。"));

  ctx.host.LayOutInformationPanel();
  ctx.host.ShowNodePhotos();
  return true;
}

}  // namespace

std::optional<int> IndexStandardOf(std::span<const IndexVersion> versions, GuidelineSource source,
                                   const std::string& value) {
  for (const IndexVersion& v : versions)
    if (value == Sj(v.valueUtf8)) return v.digiVersion;
  return LaterStandardOf(value, source);
}

std::string RefusedStandardMessage(const std::string& value) {
  const std::optional<int> year = GuidelineYear(value);
  if (year && *year <= 2004) return Sj("平成16年以前の電子納品データは読込ができません。");
  return Sj("適用要領基準「") + value + Sj("」の電子納品データには対応していません。");
}

bool ReadIndexFile(ImportContext& ctx, const IndexLayout& layout, const std::string& file,
                   const std::string& workName) {
  return RunReader(ctx.host, [&] { return ReadIndex(ctx, layout, file, workName); });
}

}  // namespace zor
