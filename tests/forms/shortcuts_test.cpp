// F1 help contexts and the window's keyboard shortcuts on a loaded delivery.
#include <QAction>
#include <QDockWidget>
#include <QFile>
#include <QMenu>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "browse_window.h"
#include "forms/folder_chooser.h"
#include "forms/help_keys.h"
#include "forms/info_panel.h"
#include "forms/item_grid.h"

using namespace zor;

class ShortcutsTest : public QObject {
  Q_OBJECT
 private:
  static std::vector<FixturePhoto> FourPhotos() {
    std::vector<FixturePhoto> photos;
    for (int i = 0; i < 4; ++i)
      photos.push_back({"写真" + std::to_string(i), {"工事", "施工状況写真", "土工"}, 0, QString(), {400, 300}, {}});
    return photos;
  }

 private slots:
  void helpContextOfWhatHasTheKeyboard() {
    BrowseSetup s;
    s.fixture.Load(FourPhotos());
    BrowseWindow& w = s.Open();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    // Docked panels belong to the main window; a floating one answers itself.
    QCOMPARE(HelpContextFor(w.TreePanel->TV_Tree, &w), kMainWindowHelpContext);
    w.Float_Menu->setFloating(true);
    QCOMPARE(HelpContextFor(w.TreePanel->TV_Tree, &w), 100);
    w.Float_Menu->setFloating(false);

    // An open menu: its highlighted item.
    auto* file = w.findChild<QMenu*>(QStringLiteral("File1"));
    QVERIFY(file);
    file->setActiveAction(w.findChild<QAction*>(QStringLiteral("Mn_Env")));
    QCOMPARE(HelpContextFor(file, &w), 43);
    auto* photo = w.findChild<QMenu*>(QStringLiteral("Mn_XML"));
    QCOMPARE(HelpContextFor(photo, &w), 31);  // nothing highlighted: the submenu's own

    // A dialog of its own with a context; a window without one gives none.
    FolderChoice choice;
    FolderChooser chooser(FolderMode::Input, QString(), QString(), 35, choice, &w);
    QCOMPARE(HelpContextFor(&chooser, &w), 35);
    QWidget stray;
    QCOMPARE(HelpContextFor(&stray, &w), 0);
  }

  // Every context the windows pass to the help viewer has its topic.
  void everyHelpContextHasATopic() {
    QFile page(QStringLiteral(ZOR_HELP_PAGE));
    QVERIFY(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    BrowseSetup s;
    BrowseWindow& w = s.Open();
    QSet<int> contexts{kMainWindowHelpContext, 33, 284, 35, 43, 176, 249};  // windows made on demand
    for (QObject* o : w.findChildren<QObject*>())
      if (int c = o->property("helpContext").toInt(); c > 0) contexts.insert(c);
    QVERIFY(contexts.size() > 15);
    for (int c : contexts)
      QVERIFY2(html.contains(QStringLiteral("id=\"ctx%1\"").arg(c)), qPrintable(QString::number(c)));
  }

  void f1OpensTheContextOnlyWithAHelpFile() {
    BrowseSetup s;
    s.fixture.Load(FourPhotos());
    BrowseWindow& w = s.Open();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QList<int> shown;
    HelpKeyFilter filter(&w, [&shown](int c) { shown << c; });
    qApp->installEventFilter(&filter);
    w.ListView->setFocus();
    QTest::keyClick(w.ListView, Qt::Key_F1);
    qApp->removeEventFilter(&filter);
    QCOMPARE(shown, QList<int>{kMainWindowHelpContext});
  }

  void ctrlALeavesTheLastItemSelected() {
    BrowseSetup s;
    s.fixture.Load(FourPhotos());
    BrowseWindow& w = s.Open();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.TreePanel->SelectNodeNow(s.Node({"工事", "施工状況写真", "土工"}));
    QCOMPARE(w.ListView->model()->rowCount(), 4);
    w.ListView->setFocus();
    w.ListView->selectionModel()->clear();
    w.ListView->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    QTest::keyClick(w.ListView, Qt::Key_A, Qt::ControlModifier);
    QModelIndexList selected = w.ListView->selectionModel()->selectedIndexes();
    QCOMPARE(selected.size(), 1);
    QCOMPARE(selected.first().row(), 3);
    QCOMPARE(w.ListView->selectionModel()->currentIndex().row(), 0);

  }

  void ctrlFOpensTheSearchExceptInAGrid() {
    BrowseSetup s;
    s.fixture.Load(FourPhotos());
    BrowseWindow& w = s.Open();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.TreePanel->SelectNodeNow(s.Node({"工事", "施工状況写真", "土工"}));
    QSignalSpy search(w.SB_List, &QToolButton::clicked);
    w.ListView->setFocus();
    QTest::keyClick(w.ListView, Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(search.count(), 1);
    ItemGrid* grid = w.InfoPanel->VisibleGrid();
    grid->setFocus();
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(grid));
    QTest::keyClick(grid, Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(search.count(), 1);
  }
};

QTEST_MAIN(ShortcutsTest)
#include "shortcuts_test.moc"
