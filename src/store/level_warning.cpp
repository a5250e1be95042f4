#include "store/level_warning.h"

#include <vector>

#include "store/delivery.h"
#include "text/encoding.h"

namespace zor {
namespace {

constexpr std::size_t kTitlesShown = 5;

bool InvalidLevel(const HierarchyNode& node) { return node.Level() < kPhotoLevelMin || node.Level() > kPhotoLevelMax; }

// Depth first, in the tree's order: the nodes holding photos at an invalid level.
void Collect(const HierarchyNode& node, std::vector<const HierarchyNode*>& out) {
  if (InvalidLevel(node) && !node.Records().empty()) out.push_back(&node);
  for (int i = 0; i < node.ChildCount(); ++i) Collect(node.Child(i), out);
}

std::string PathOf(const HierarchyNode& node) {
  std::vector<const HierarchyNode*> chain;
  for (const HierarchyNode* p = &node; p; p = p->Parent()) chain.insert(chain.begin(), p);
  std::string path;
  for (const HierarchyNode* p : chain) path += (path.empty() ? std::string() : std::string(" > ")) + p->Caption();
  return path;
}

}  // namespace

std::string InvalidLevelWarning(Delivery& d) {
  std::string text = Sj(kInvalidLevelWarningUtf8);
  const HierarchyNode* root = d.Tree.ConstructionNode();
  if (!root) return text;
  std::vector<const HierarchyNode*> nodes;
  Collect(*root, nodes);
  if (nodes.empty()) return text;

  TViewDataSet& t = d.PhotoTable;
  const int kept = t.RecNo();
  std::vector<std::string> titles;
  std::size_t photos = 0;
  for (const HierarchyNode* node : nodes) {
    for (int record : node->Records()) {
      ++photos;
      if (titles.size() >= kTitlesShown) continue;
      std::string title;
      if (d.GotoPhotoRecord(record) && t.FieldPos.TITLE >= 0) title = t.AsString(t.FieldPos.TITLE);
      titles.push_back(Sj("「") + (title.empty() ? Sj("(無題)") : title) + Sj("」"));
    }
  }
  if (kept >= 1) t.SetRecNo(kept);

  text.append("\n\n").append(Sj("分類: ")).append(PathOf(*nodes.front()));
  if (nodes.size() > 1) text += Sj(" ほか ") + std::to_string(nodes.size() - 1) + Sj(" 分類");
  text.append("\n").append(Sj("写真: "));
  for (std::size_t i = 0; i < titles.size(); ++i) text.append(i ? " " : "").append(titles[i]);
  if (photos > titles.size()) text += Sj(" ほか ") + std::to_string(photos - titles.size()) + Sj(" 件");
  return text;
}

}  // namespace zor
