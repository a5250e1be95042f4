// The hierarchy tree panel (content of Float_Menu): the expand and collapse
// buttons, HeaderControl and TV_Tree over the delivery's hierarchy tree.
// Selecting a node tells the browse context after the tree's change delay
// (200 ms), so that running through the tree with the arrow keys does not
// refill the photo list at every step. In list mode the panel is greyed and
// cannot be used.
#pragma once

#include <QHash>
#include <QTimer>
#include <QWidget>

#include "forms/browse_context.h"
#include "forms/message_boxes.h"

class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zor {

struct Settings;
class TreeHeader;

class TreePanel : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kChangeDelay = 200;
  static constexpr int kIndent = 30;
  static const QColor kNormalColour;    // RGB 250, 237, 213
  static const QColor kListModeColour;  // RGB 210, 210, 210
  static const QColor kListModeText;    // RGB 128, 128, 128

  TreePanel(BrowseContext& context, const Settings& settings, QWidget* parent);

  QToolButton* SB_TreeViewExpand = nullptr;
  QToolButton* SB_TreeViewCollapse = nullptr;
  TreeHeader* HeaderControl = nullptr;
  QTreeWidget* TV_Tree = nullptr;

  // Shows the delivery's tree anew: items for every node, their images,
  // UnclassifiedNode selected at once, everything expanded.
  void ShowTree();
  // Empties the widget (before a load).
  void ClearTree();
  // Selects the node with the change delay at 0, so the change runs now.
  void SelectNodeNow(HierarchyNode* node);
  // Sets the node's (and with recursive its descendants') image; warns once
  // about photos at an invalid level unless the user silenced the warning.
  void UpdateNodeImages(HierarchyNode& node, bool recursive);
  void UpdateRootImages();
  // The warning about photos at an invalid level, with its check box.
  // The warning for photos at an invalid level (text: what it says; empty:
  // made from the loaded delivery).
  void ShowLevelWarning(const QString& text = QString());
  void ExpandAll();
  void CollapseAll();
  void AlignTreeHeader();
  // List mode: grey, second image set, disabled; normal look otherwise.
  void SetListModeLook(bool listMode);
  // List mode: shows the node of a record (scrolled to, selected, expanded
  // one level); nothing when no node holds it.
  void ShowNodeOfRecord(int record);

  HierarchyNode* SelectedNode() const;
  QTreeWidgetItem* ItemOf(const HierarchyNode* node) const { return items_.value(node); }
  int ChangeDelay() const { return changeDelay_; }
  bool WarningSilenced() const { return warnings_.IsSilenced(QStringLiteral("NoMsgDlg_Level")); }
  SilenceableWarnings& Warnings() { return warnings_; }

 signals:
  // TV_TreeEnter: the window empties status panel 2 and updates its buttons.
  void Entered();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void TV_TreeChange();
  void TV_TreeEnter();
  void ShowLevelHelpOf(const HierarchyNode* node);
  void AddItems(QTreeWidgetItem* parentItem, HierarchyNode& node);
  void RefreshIcons();
  void RefreshIcon(const HierarchyNode* node);

  BrowseContext& context_;
  const Settings& settings_;
  SilenceableWarnings warnings_;
  QHash<const HierarchyNode*, QTreeWidgetItem*> items_;
  QTimer changeTimer_;
  int changeDelay_ = kChangeDelay;
  bool greyed_ = false;
};

}  // namespace zor
