#include "forms/xml_content_window.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <vector>

#include "app/product.h"
#include "forms/qtext.h"
#include "xml/load_document.h"

namespace zor {

XmlContentWindow::XmlContentWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("XMLTreeForm"));
  setWindowTitle(QStringLiteral("ＸＭＬデータ内容"));
  setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint | Qt::WindowMaximizeButtonHint);
  setProperty("helpContext", 33);
  setMinimumSize(300, 200);
  resize(640, 520);

  auto* layout = new QVBoxLayout(this);
  auto* tools = new QHBoxLayout;
  SB_TreeViewExpand = new QToolButton(this);
  SB_TreeViewExpand->setObjectName(QStringLiteral("SB_TreeViewExpand"));
  SB_TreeViewExpand->setToolTip(QStringLiteral("ツリーを全て開く"));
  SB_TreeViewExpand->setIcon(style()->standardIcon(QStyle::SP_ToolBarVerticalExtensionButton));
  SB_TreeViewCollapse = new QToolButton(this);
  SB_TreeViewCollapse->setObjectName(QStringLiteral("SB_TreeViewCollapse"));
  SB_TreeViewCollapse->setToolTip(QStringLiteral("カーソル位置以外のツリーを全て閉じる"));
  SB_TreeViewCollapse->setIcon(style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton));
  Label_Parser = new QLabel(this);
  Label_Parser->setObjectName(QStringLiteral("Label_Parser"));
  tools->addWidget(SB_TreeViewExpand);
  tools->addWidget(SB_TreeViewCollapse);
  tools->addStretch();
  tools->addWidget(Label_Parser);
  layout->addLayout(tools);

  XMLTreeView = new QTreeWidget(this);
  XMLTreeView->setObjectName(QStringLiteral("XMLTreeView"));
  XMLTreeView->setHeaderHidden(true);
  XMLTreeView->setEditTriggers(QAbstractItemView::NoEditTriggers);
  XMLTreeView->setUniformRowHeights(true);
  QFont mono(QStringLiteral("Noto Sans Mono CJK JP"));
  mono.setStyleHint(QFont::Monospace);
  if (!QFontInfo(mono).fixedPitch()) mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  XMLTreeView->setFont(mono);
  XMLTreeView->setStyleSheet(QStringLiteral("QTreeWidget { background: #F5F5F5; }"));
  layout->addWidget(XMLTreeView, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  CloseBtn = new QPushButton(QStringLiteral("閉じる(&C)"), this);
  CloseBtn->setObjectName(QStringLiteral("CloseBtn"));
  CloseBtn->setDefault(true);
  buttons->addWidget(CloseBtn);
  layout->addLayout(buttons);

  connect(CloseBtn, &QPushButton::clicked, this, &QDialog::reject);
  connect(SB_TreeViewExpand, &QToolButton::clicked, this, &XmlContentWindow::ExpandAll);
  connect(SB_TreeViewCollapse, &QToolButton::clicked, this, &XmlContentWindow::CollapseOthers);
}

void XmlContentWindow::ShowTree(const TXMLTreeView& tree) {
  XMLTreeView->setUpdatesEnabled(false);
  XMLTreeView->clear();
  std::vector<QTreeWidgetItem*> items(static_cast<std::size_t>(tree.NodeCount()), nullptr);
  for (int i = 0; i < tree.NodeCount(); ++i) {
    const XmlNode& node = tree.NodeAt(i);
    QTreeWidgetItem* item = node.Parent < 0 ? new QTreeWidgetItem(XMLTreeView)
                                            : new QTreeWidgetItem(items[static_cast<std::size_t>(node.Parent)]);
    item->setText(0, Qs(node.Text));
    items[static_cast<std::size_t>(i)] = item;
  }
  XMLTreeView->setUpdatesEnabled(true);
  if (!items.empty()) XMLTreeView->setCurrentItem(items.front());
}

void XmlContentWindow::ExpandAll() {
  XMLTreeView->expandAll();
  if (QTreeWidgetItem* current = XMLTreeView->currentItem()) XMLTreeView->scrollToItem(current);
}

void XmlContentWindow::CollapseOthers() {
  QTreeWidgetItem* current = XMLTreeView->currentItem();
  XMLTreeView->collapseAll();
  for (QTreeWidgetItem* up = current ? current->parent() : nullptr; up; up = up->parent()) up->setExpanded(true);
  if (current) {
    XMLTreeView->setCurrentItem(current);
    XMLTreeView->scrollToItem(current);
  }
}

bool ShowXmlContent(XmlContentWindow*& window, QWidget* parent, const std::string& file, bool modal, bool msXmlParser,
                    const std::string& systemFileFolder, Host& host) {
  if (!window) window = new XmlContentWindow(parent);
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  window->Label_Parser->setText(msXmlParser ? QString::fromUtf8(kValidatingParserNameUtf8) + QStringLiteral(" 使用")
                                            : Qs(window->View.ParserName) + QStringLiteral(" 使用"));
  window->View.SystemFileFolder = systemFileFolder;
  bool loaded = LoadXmlDocument(window->View, file, true, msXmlParser, host);
  QGuiApplication::restoreOverrideCursor();
  if (!loaded) return false;
  window->ShowTree(window->View);
  window->ExpandAll();
  if (modal) {
    window->exec();
    delete window;
    window = nullptr;
  } else {
    window->hide();
    window->show();
  }
  return true;
}

}  // namespace zor
