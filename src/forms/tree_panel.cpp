#include "forms/tree_panel.h"

#include <QApplication>
#include <QDockWidget>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <string>
#include <vector>

#include "app/settings.h"
#include "forms/qtext.h"
#include "forms/tree_header.h"
#include "forms/tree_images.h"
#include "rules/help_texts.h"
#include "store/level_warning.h"

namespace zor {
namespace {

constexpr int kNodeRole = Qt::UserRole + 1;
const QString kLevelWarningKey = QStringLiteral("NoMsgDlg_Level");

HierarchyNode* NodeOf(const QTreeWidgetItem* item) {
  return item ? reinterpret_cast<HierarchyNode*>(item->data(0, kNodeRole).value<quintptr>()) : nullptr;
}

QToolButton* MakeButton(QWidget* parent, const char* name, const QString& hint, QStyle::StandardPixmap icon) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setToolTip(hint);
  button->setStatusTip(hint);
  button->setIcon(parent->style()->standardIcon(icon));
  button->setAutoRaise(true);
  return button;
}

}  // namespace

const QColor TreePanel::kNormalColour(250, 237, 213);
const QColor TreePanel::kListModeColour(210, 210, 210);
const QColor TreePanel::kListModeText(128, 128, 128);

TreePanel::TreePanel(BrowseContext& context, const Settings& settings, QWidget* parent)
    : QWidget(parent), context_(context), settings_(settings) {
  setObjectName(QStringLiteral("PL_Menu"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  auto* buttons = new QHBoxLayout;
  buttons->setContentsMargins(2, 1, 2, 1);
  SB_TreeViewExpand = MakeButton(this, "SB_TreeViewExpand", QStringLiteral("ツリーを全て開く"),
                                 QStyle::SP_ToolBarVerticalExtensionButton);
  SB_TreeViewCollapse = MakeButton(this, "SB_TreeViewCollapse", QStringLiteral("カーソル位置以外のツリーを全て閉じる"),
                                   QStyle::SP_ArrowUp);
  buttons->addWidget(SB_TreeViewExpand);
  buttons->addWidget(SB_TreeViewCollapse);
  buttons->addStretch();
  layout->addLayout(buttons);

  HeaderControl = new TreeHeader(this);
  layout->addWidget(HeaderControl);

  TV_Tree = new QTreeWidget(this);
  TV_Tree->setObjectName(QStringLiteral("TV_Tree"));
  TV_Tree->setHeaderHidden(true);
  TV_Tree->setColumnCount(1);
  TV_Tree->setIndentation(kIndent);
  TV_Tree->setIconSize(QSize(kTreeImageSide, kTreeImageSide));
  TV_Tree->setSelectionMode(QAbstractItemView::SingleSelection);
  TV_Tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
  TV_Tree->setUniformRowHeights(true);
  // One column as wide as its longest caption, so deep trees scroll sideways.
  TV_Tree->header()->setStretchLastSection(false);
  TV_Tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  TV_Tree->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  TV_Tree->installEventFilter(this);
  layout->addWidget(TV_Tree, 1);
  SetListModeLook(false);

  changeTimer_.setSingleShot(true);
  // A coarse timer may fire up to 5% early; the change waits its whole delay.
  changeTimer_.setTimerType(Qt::PreciseTimer);
  connect(&changeTimer_, &QTimer::timeout, this, &TreePanel::TV_TreeChange);
  connect(TV_Tree, &QTreeWidget::currentItemChanged, this, [this] {
    if (changeDelay_ == 0) {
      changeTimer_.stop();
      TV_TreeChange();
    } else {
      changeTimer_.start(changeDelay_);
    }
  });
  connect(TV_Tree->horizontalScrollBar(), &QScrollBar::valueChanged, this, &TreePanel::AlignTreeHeader);
  connect(SB_TreeViewExpand, &QToolButton::clicked, this, [this] {
    ExpandAll();
    AlignTreeHeader();
  });
  connect(SB_TreeViewCollapse, &QToolButton::clicked, this, [this] {
    CollapseAll();
    AlignTreeHeader();
  });
  connect(&context_, &BrowseContext::ListModeChanged, this, [this] {
    SetListModeLook(context_.ListMode() != 0);
    UpdateRootImages();
  });
}

HierarchyNode* TreePanel::SelectedNode() const { return NodeOf(TV_Tree->currentItem()); }

void TreePanel::ClearTree() {
  changeTimer_.stop();
  items_.clear();
  TV_Tree->clear();
  HeaderControl->SetLevel(-1);
}

void TreePanel::AddItems(QTreeWidgetItem* parentItem, HierarchyNode& node) {
  auto* item = parentItem ? new QTreeWidgetItem(parentItem) : new QTreeWidgetItem(TV_Tree);
  item->setText(0, Qs(node.Caption()));
  item->setData(0, kNodeRole, QVariant::fromValue(reinterpret_cast<quintptr>(&node)));
  items_.insert(&node, item);
  for (int i = 0; i < node.ChildCount(); ++i) AddItems(item, node.Child(i));
}

void TreePanel::ShowTree() {
  ClearTree();
  HierarchyTree& tree = context_.delivery().Tree;
  TV_Tree->setUpdatesEnabled(false);
  for (HierarchyNode* top : {tree.UnclassifiedNode(), tree.ConstructionNode()})
    if (top) AddItems(nullptr, *top);
  RefreshIcons();
  TV_Tree->setUpdatesEnabled(true);
  if (HierarchyNode* unclassified = tree.UnclassifiedNode()) SelectNodeNow(unclassified);
  ExpandAll();
}

void TreePanel::RefreshIcon(const HierarchyNode* node) {
  if (QTreeWidgetItem* item = items_.value(node)) item->setIcon(0, QIcon(TreeImage(node->ImageIndex(), greyed_)));
}

void TreePanel::RefreshIcons() {
  for (auto it = items_.cbegin(); it != items_.cend(); ++it) RefreshIcon(it.key());
}

void TreePanel::SelectNodeNow(HierarchyNode* node) {
  QTreeWidgetItem* item = items_.value(node);
  if (!item) return;
  changeDelay_ = 0;
  if (TV_Tree->currentItem() == item) {
    TV_TreeChange();  // already selected: the change still runs once
  } else {
    TV_Tree->setCurrentItem(item);
  }
  changeDelay_ = kChangeDelay;
}

void TreePanel::UpdateNodeImages(HierarchyNode& node, bool recursive) {
  const bool invalid = context_.delivery().Tree.UpdateNodeImages(node, recursive);
  RefreshIcons();
  if (invalid) ShowLevelWarning();
  TV_Tree->viewport()->update();
}

void TreePanel::ShowLevelWarning(const QString& text) {
  if (warnings_.IsSilenced(kLevelWarningKey)) return;
  QApplication::beep();
  warnings_.Show(window(), kLevelWarningKey, text.isEmpty() ? Qs(InvalidLevelWarning(context_.delivery())) : text);
}

void TreePanel::UpdateRootImages() {
  HierarchyTree& tree = context_.delivery().Tree;
  if (tree.NodeCount() < 2) return;
  tree.UpdateRootImages();
  RefreshIcon(tree.UnclassifiedNode());
  RefreshIcon(tree.ConstructionNode());
}

void TreePanel::ExpandAll() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  TV_Tree->setUpdatesEnabled(false);
  TV_Tree->expandAll();
  TV_Tree->setUpdatesEnabled(true);
  if (QTreeWidgetItem* current = TV_Tree->currentItem()) TV_Tree->scrollToItem(current);
  QApplication::restoreOverrideCursor();
}

void TreePanel::CollapseAll() {
  QTreeWidgetItem* current = TV_Tree->currentItem();
  TV_Tree->setUpdatesEnabled(false);
  TV_Tree->collapseAll();
  TV_Tree->setUpdatesEnabled(true);
  if (!current) return;
  for (QTreeWidgetItem* p = current->parent(); p; p = p->parent()) p->setExpanded(true);
  TV_Tree->scrollToItem(current);
  TV_Tree->setCurrentItem(current);
}

void TreePanel::AlignTreeHeader() {
  HeaderControl->SetFirstWidth(TreeHeader::kFirstWidth - TV_Tree->horizontalScrollBar()->value());
}

void TreePanel::SetListModeLook(bool listMode) {
  greyed_ = listMode;
  QPalette p = TV_Tree->palette();
  const QColor base = listMode ? kListModeColour : kNormalColour;
  const QColor text = listMode ? kListModeText : QColor(Qt::black);
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    p.setColor(group, QPalette::Base, base);
    p.setColor(group, QPalette::Text, text);
  }
  TV_Tree->setPalette(p);
  RefreshIcons();
  setEnabled(!listMode);
}

void TreePanel::ShowNodeOfRecord(int record) {
  const HierarchyTree& tree = context_.delivery().Tree;
  const int index = tree.FindNodeOfRecord(record);
  if (index < 0) return;
  const std::vector<HierarchyNode*> nodes = tree.Nodes();
  QTreeWidgetItem* item = items_.value(nodes[static_cast<std::size_t>(index)]);
  if (!item) return;
  TV_Tree->scrollToItem(item);
  TV_Tree->setCurrentItem(item);
  item->setExpanded(true);
  AlignTreeHeader();
}

void TreePanel::TV_TreeChange() {
  changeDelay_ = kChangeDelay;
  HierarchyNode* node = SelectedNode();
  HeaderControl->SetLevel(node ? node->Level() : -1);
  context_.SetNode(node);
  if (context_.ListMode() != 0) return;
  AlignTreeHeader();
  ShowLevelHelpOf(node);
}

void TreePanel::ShowLevelHelpOf(const HierarchyNode* node) {
  if (!node) {
    context_.ShowHelp(NoHelp());
    return;
  }
  // The captions from level 1 down to the node; none for the top nodes.
  std::vector<std::string> path;
  for (const HierarchyNode* n = node; n && n->Level() > 0; n = n->Parent()) path.insert(path.begin(), n->Caption());
  context_.ShowHelp(ShowLevelHelp(path, context_.delivery().DigiVersion, settings_.KeikokuRed));
}

void TreePanel::TV_TreeEnter() {
  emit Entered();
  context_.ShowInfoTab(BrowseContext::kKojiTab);
  ShowLevelHelpOf(SelectedNode());
}

bool TreePanel::event(QEvent* event) {
  // Float_MenuFormActivate: the floating panel's window became active. The
  // window passes its activation on to the widgets it holds.
  if (event->type() == QEvent::WindowActivate && qobject_cast<QDockWidget*>(window())) TV_TreeEnter();
  return QWidget::event(event);
}

bool TreePanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == TV_Tree) {
    if (event->type() == QEvent::FocusIn) TV_TreeEnter();
    if (event->type() == QEvent::FocusOut) context_.ShowHelp(NoHelp());
    if (event->type() == QEvent::ToolTip) return true;  // no tool tips
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace zor
