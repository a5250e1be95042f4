// The hierarchy tree: the loaded photos arranged by photo major class (level
// 1), photo class (2), work type (3), kind (4) and detail (5) below the two
// top nodes UnclassifiedNode and ConstructionNode (level 0). Each node holds
// the photo record numbers registered at it. The tree panel shows it; the
// readers build it; verification, search and the album walk it.
//
// Order: nodes are numbered depth-first from 0 (UnclassifiedNode is 0,
// ConstructionNode 1, then its subtree), as the tree panel lists them.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "store/int_list.h"

namespace zor {

inline constexpr const char* kUnclassifiedCaptionUtf8 = "未分類(写真フォルダ)";
inline constexpr const char* kConstructionCaptionUtf8 = "工事写真";
inline constexpr const char* kInvalidLevelWarningUtf8 = "工事フォルダは不正な階層レベルに写真が登録されています。";

inline constexpr int kPhotoLevelMin = 2;
inline constexpr int kPhotoLevelMax = 5;

class HierarchyNode {
 public:
  HierarchyNode(std::string caption, int level, HierarchyNode* parent)
      : caption_(std::move(caption)), level_(level), parent_(parent) {}
  HierarchyNode(const HierarchyNode&) = delete;
  HierarchyNode& operator=(const HierarchyNode&) = delete;

  const std::string& Caption() const { return caption_; }  // code page 932
  int Level() const { return level_; }
  HierarchyNode* Parent() const { return parent_; }
  // Photo record numbers in the order they were registered.
  TIntList& Records() { return records_; }
  const TIntList& Records() const { return records_; }
  int ChildCount() const { return static_cast<int>(children_.size()); }
  HierarchyNode& Child(int i) const { return *children_[static_cast<std::size_t>(i)]; }
  // Index into the tree's image list, set by HierarchyTree::UpdateNodeImages.
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index) { imageIndex_ = index; }

  // The first child whose caption equals caption byte for byte, or nullptr.
  HierarchyNode* FindChild(const std::string& caption) const;
  // Appends a child after the existing ones.
  HierarchyNode& AddChild(std::string caption);

 private:
  std::string caption_;
  int level_;
  HierarchyNode* parent_;
  TIntList records_;
  std::vector<std::unique_ptr<HierarchyNode>> children_;
  int imageIndex_ = 0;
};

// The five classification values of a photo, 写真-大分類 to 細別 (code page 932).
using HierarchyPath = std::array<std::string, 5>;

class HierarchyTree {
 public:
  // Empties the tree (no top nodes).
  void Clear();
  // Clears the tree, then adds UnclassifiedNode holding existingRecords (the
  // records already in the photo table, in table order) and an empty
  // ConstructionNode.
  void BuildTreeSkeleton(const TIntList& existingRecords);

  // Nullptr while the tree is empty.
  HierarchyNode* UnclassifiedNode() const { return unclassified_.get(); }
  HierarchyNode* ConstructionNode() const { return construction_.get(); }

  // Registers a photo: from start, follows or creates the child whose caption
  // equals each path value byte for byte, stopping at the first empty value,
  // and appends record to the node reached, which is returned.
  HierarchyNode& AddToHierarchy(HierarchyNode& start, const HierarchyPath& path, int record);

  // Sets the node's image (and, when recursive, its descendants'). Returns
  // true when a node it visited, other than UnclassifiedNode, holds photos at
  // a level outside 2 .. 5: the caller then shows kInvalidLevelWarningUtf8.
  bool UpdateNodeImages(HierarchyNode& node, bool recursive);
  // Sets the images of the two top nodes.
  void UpdateRootImages();
  // The image a node should show: Unclassified 1/0, levels outside 2..5
  // (ConstructionNode too) 3/2, level 2 5/4, levels 3..5 7/6, the first
  // number when the node holds photos.
  int WantedImageIndex(const HierarchyNode& node) const;

  // A node that is neither top node; false for nullptr.
  bool IsHierarchyNode(const HierarchyNode* node) const;
  // Level 2 .. 5, or UnclassifiedNode; false for nullptr.
  bool IsPhotoLevel(const HierarchyNode* node) const;

  // Depth-first index of the first node whose records hold record; -1 when none.
  int FindNodeOfRecord(int record) const;
  // All nodes in depth-first order.
  std::vector<HierarchyNode*> Nodes() const;
  int NodeCount() const;

 private:
  bool UpdateImages(HierarchyNode& node, bool recursive);

  std::unique_ptr<HierarchyNode> unclassified_;
  std::unique_ptr<HierarchyNode> construction_;
};

}  // namespace zor
