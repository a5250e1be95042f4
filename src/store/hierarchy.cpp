#include "store/hierarchy.h"

#include <algorithm>

#include "text/encoding.h"

namespace zor {
namespace {

void CollectDepthFirst(HierarchyNode* node, std::vector<HierarchyNode*>& out) {
  out.push_back(node);
  for (int i = 0; i < node->ChildCount(); ++i) CollectDepthFirst(&node->Child(i), out);
}

}  // namespace

HierarchyNode* HierarchyNode::FindChild(const std::string& caption) const {
  for (const auto& child : children_)
    if (child->caption_ == caption) return child.get();
  return nullptr;
}

HierarchyNode& HierarchyNode::AddChild(std::string caption) {
  children_.push_back(std::make_unique<HierarchyNode>(std::move(caption), level_ + 1, this));
  return *children_.back();
}

void HierarchyTree::Clear() {
  unclassified_.reset();
  construction_.reset();
}

void HierarchyTree::BuildTreeSkeleton(const TIntList& existingRecords) {
  Clear();
  unclassified_ = std::make_unique<HierarchyNode>(Sj(kUnclassifiedCaptionUtf8), 0, nullptr);
  construction_ = std::make_unique<HierarchyNode>(Sj(kConstructionCaptionUtf8), 0, nullptr);
  unclassified_->Records() = existingRecords;
  unclassified_->SetImageIndex(0);
  construction_->SetImageIndex(2);
}

HierarchyNode& HierarchyTree::AddToHierarchy(HierarchyNode& start, const HierarchyPath& path, int record) {
  HierarchyNode* node = &start;
  for (const std::string& value : path) {
    if (value.empty()) break;
    HierarchyNode* child = node->FindChild(value);
    if (child == nullptr) {
      child = &node->AddChild(value);
      child->SetImageIndex(WantedImageIndex(*child));
    }
    node = child;
  }
  node->Records().push_back(record);
  return *node;
}

int HierarchyTree::WantedImageIndex(const HierarchyNode& node) const {
  int full;
  if (&node == unclassified_.get())
    full = 1;
  else if (node.Level() < kPhotoLevelMin || node.Level() > kPhotoLevelMax)
    full = 3;
  else if (node.Level() == kPhotoLevelMin)
    full = 5;
  else
    full = 7;
  return node.Records().empty() ? full - 1 : full;
}

bool HierarchyTree::UpdateNodeImages(HierarchyNode& node, bool recursive) { return UpdateImages(node, recursive); }

bool HierarchyTree::UpdateImages(HierarchyNode& node, bool recursive) {
  node.SetImageIndex(WantedImageIndex(node));
  bool invalid = false;
  if (recursive)
    for (int i = 0; i < node.ChildCount(); ++i) invalid = UpdateImages(node.Child(i), true) || invalid;
  if (&node != unclassified_.get() && (node.Level() < kPhotoLevelMin || node.Level() > kPhotoLevelMax) &&
      !node.Records().empty())
    invalid = true;
  return invalid;
}

void HierarchyTree::UpdateRootImages() {
  if (!unclassified_ || !construction_) return;
  unclassified_->SetImageIndex(WantedImageIndex(*unclassified_));
  construction_->SetImageIndex(WantedImageIndex(*construction_));
}

bool HierarchyTree::IsHierarchyNode(const HierarchyNode* node) const {
  return node != nullptr && node != unclassified_.get() && node != construction_.get();
}

bool HierarchyTree::IsPhotoLevel(const HierarchyNode* node) const {
  if (node == nullptr) return false;
  return node == unclassified_.get() || (node->Level() >= kPhotoLevelMin && node->Level() <= kPhotoLevelMax);
}

std::vector<HierarchyNode*> HierarchyTree::Nodes() const {
  std::vector<HierarchyNode*> out;
  if (unclassified_) CollectDepthFirst(unclassified_.get(), out);
  if (construction_) CollectDepthFirst(construction_.get(), out);
  return out;
}

int HierarchyTree::NodeCount() const { return static_cast<int>(Nodes().size()); }

int HierarchyTree::FindNodeOfRecord(int record) const {
  std::vector<HierarchyNode*> nodes = Nodes();
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    const TIntList& r = nodes[i]->Records();
    if (std::find(r.begin(), r.end(), record) != r.end()) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace zor
