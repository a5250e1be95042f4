#include <QLabel>
#include <QTest>
#include <QTreeWidget>

#include "forms/xml_content_window.h"
#include "text/encoding.h"

using namespace zor;

namespace {
class NoHost : public Host {};
const std::string kPhoto = std::string(ZOR_TEST_DATA) + "/xml/photo05/PHOTO.XML";
}  // namespace

class XmlContentTest : public QObject {
  Q_OBJECT
 private slots:
  void showsTheTreeInDisplayModeWithEitherParser_data() {
    QTest::addColumn<bool>("validating");
    QTest::addColumn<QString>("label");
    QTest::newRow("validating") << true << "libxml2 XML Parser 使用";
    QTest::newRow("own") << false << "TALMO XML Parser 使用";
  }
  void showsTheTreeInDisplayModeWithEitherParser() {
    QFETCH(bool, validating);
    QFETCH(QString, label);
    NoHost host;
    XmlContentWindow* window = nullptr;
    QVERIFY(ShowXmlContent(window, nullptr, kPhoto, false, validating, "", host));
    QVERIFY(window);
    QCOMPARE(window->Label_Parser->text(), label);
    QCOMPARE(window->XMLTreeView->topLevelItemCount(), 1);
    QTreeWidgetItem* root = window->XMLTreeView->topLevelItem(0);
    QVERIFY(root->text(0).startsWith(QStringLiteral("photodata")));
    QVERIFY(root->isExpanded());
    QCOMPARE(window->XMLTreeView->currentItem(), root);
    QVERIFY(window->isVisible());
    // Display mode: values follow the names.
    QList<QTreeWidgetItem*> found =
        window->XMLTreeView->findItems(QStringLiteral("写真タイトル"), Qt::MatchStartsWith | Qt::MatchRecursive);
    QVERIFY(!found.isEmpty());
    QVERIFY(found.first()->text(0).size() > QStringLiteral("写真タイトル").size());

    // Collapse keeps only the path to the selected node open.
    QTreeWidgetItem* deep = found.first();
    window->XMLTreeView->setCurrentItem(deep);
    window->CollapseOthers();
    QVERIFY(deep->parent()->isExpanded());
    QCOMPARE(window->XMLTreeView->currentItem(), deep);
    int openTopChildren = 0;
    for (int i = 0; i < root->childCount(); ++i) openTopChildren += root->child(i)->isExpanded();
    QCOMPARE(openTopChildren, 1);
    delete window;
  }

  void missingFileShowsNoWindow() {
    NoHost host;
    XmlContentWindow* window = nullptr;
    QVERIFY(!ShowXmlContent(window, nullptr, "/nonexistent/PHOTO.XML", false, false, "", host));
    QVERIFY(window && !window->isVisible());
    delete window;
  }
};

QTEST_MAIN(XmlContentTest)
#include "xml_content_test.moc"
