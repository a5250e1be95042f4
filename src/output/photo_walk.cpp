#include "output/photo_walk.h"

#include <algorithm>
#include <cstddef>

#include "store/delivery.h"
#include "store/hierarchy.h"

namespace zor {
namespace {

// A photo the delivery marks with this FLAG is left out of every document.
constexpr int kSkippedFlag = 99;

}  // namespace

std::vector<const HierarchyNode*> PrintedNodes(const HierarchyTree& tree) {
  std::vector<const HierarchyNode*> nodes;
  for (const HierarchyNode* node : tree.Nodes())
    if (node != tree.UnclassifiedNode() && !node->Records().empty()) nodes.push_back(node);
  return nodes;
}

int PrintedRecordCount(const HierarchyTree& tree) {
  int total = 0;
  for (const HierarchyNode* node : PrintedNodes(tree)) total += static_cast<int>(node->Records().size());
  return total;
}

std::vector<std::string> PathCaptions(const HierarchyNode& node) {
  std::vector<std::string> path(static_cast<std::size_t>(std::max(0, node.Level())));
  for (const HierarchyNode* p = &node; p && p->Level() >= 1; p = p->Parent())
    path[static_cast<std::size_t>(p->Level() - 1)] = p->Caption();
  return path;
}

bool GotoPrintedPhoto(Delivery& d, int record) {
  if (!d.GotoPhotoRecord(record)) return false;
  const int flag = d.PhotoTable.FieldPos.FLAG;
  return flag < 0 || d.PhotoTable.AsInteger(flag) != kSkippedFlag;
}

}  // namespace zor
