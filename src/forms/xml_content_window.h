// The XML content window: a delivery file's node tree in display mode, in a
// fixed-pitch font so that the values line up.
#pragma once

#include <QDialog>
#include <string>

#include "app/host.h"
#include "xml/xml_tree.h"

class QLabel;
class QPushButton;
class QToolButton;
class QTreeWidget;

namespace zor {

class XmlContentWindow : public QDialog {
  Q_OBJECT
 public:
  explicit XmlContentWindow(QWidget* parent = nullptr);

  // Fills the tree widget from the node tree.
  void ShowTree(const TXMLTreeView& tree);
  // Expands every node, keeping the selected one visible.
  void ExpandAll();
  // Collapses everything but the path to the selected node.
  void CollapseOthers();

  TXMLTreeView View;  // the node tree the loads fill
  QToolButton* SB_TreeViewExpand = nullptr;
  QToolButton* SB_TreeViewCollapse = nullptr;
  QTreeWidget* XMLTreeView = nullptr;
  QLabel* Label_Parser = nullptr;
  QPushButton* CloseBtn = nullptr;
};

// Shows file in the XML content window; window is created on first use and
// kept (unless modal, when it is released after closing). True when loaded.
bool ShowXmlContent(XmlContentWindow*& window, QWidget* parent, const std::string& file, bool modal, bool msXmlParser,
                    const std::string& systemFileFolder, Host& host);

}  // namespace zor
