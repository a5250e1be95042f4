#include <QCheckBox>
#include <QDockWidget>
#include <QLabel>
#include <QMessageBox>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include "browse_window.h"
#include "forms/help_panel.h"
#include "forms/qtext.h"
#include "forms/tree_header.h"

using namespace zor;

namespace {

std::vector<FixturePhoto> Photos() {
  return {
      {"p1", {"工事", "施工状況写真", "土工", "掘削工", "掘削"}, 0, {}, {}, {}},
      {"p2", {"工事", "施工状況写真", "舗装工"}, 0, {}, {}, {}},
      {"p3", {"工事", "施工状況写真", "土工"}, 0, {}, {}, {}},
      {"p4", {"工事", "品質管理写真"}, 0, {}, {}, {}},
  };
}

QStringList ChildCaptions(QTreeWidgetItem* item) {
  QStringList out;
  for (int i = 0; i < item->childCount(); ++i) out << item->child(i)->text(0);
  return out;
}

// Answers the next modal warning: ticks its check box when asked and
// closes it; counts the boxes seen.
struct WarningAnswer {
  int seen = 0;
  QString text;
  bool tick = false;
  bool armed = false;  // until the answer has looked for a box
  void Arm() {
    armed = true;
    QTimer::singleShot(50, [this] {
      armed = false;
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      ++seen;
      text = box->text();
      if (tick && box->checkBox()) box->checkBox()->setChecked(true);
      box->accept();
    });
  }
};

}  // namespace

class TreePanelTest : public QObject {
  Q_OBJECT
 private slots:
  void showsTheTreeInFileOrderExpandedWithUnclassifiedSelected() {
    BrowseSetup s;
    s.fixture.Load(Photos());
    BrowseWindow& w = s.Open();
    QTreeWidget* tree = w.TreePanel->TV_Tree;
    QCOMPARE(tree->topLevelItemCount(), 2);
    QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("未分類(写真フォルダ)"));
    QCOMPARE(tree->topLevelItem(1)->text(0), QStringLiteral("工事写真"));
    QTreeWidgetItem* kouji = s.ItemOf(s.Node({"工事"}));
    QCOMPARE(ChildCaptions(kouji), (QStringList{"施工状況写真", "品質管理写真"}));
    QCOMPARE(ChildCaptions(s.ItemOf(s.Node({"工事", "施工状況写真"}))), (QStringList{"土工", "舗装工"}));
    QCOMPARE(tree->currentItem(), tree->topLevelItem(0));
    QCOMPARE(w.context().Node(), s.fixture.delivery.Tree.UnclassifiedNode());
    QVERIFY(s.ItemOf(s.Node({"工事", "施工状況写真", "土工", "掘削工"}))->isExpanded());
    QCOMPARE(tree->indentation(), 30);
  }

  void nodeImagesFollowTheLevelAndPhotos() {
    BrowseSetup s;
    s.fixture.Load(Photos());
    BrowseWindow& w = s.Open();
    (void)w;
    const HierarchyTree& t = s.fixture.delivery.Tree;
    QCOMPARE(t.UnclassifiedNode()->ImageIndex(), 0);
    QCOMPARE(t.ConstructionNode()->ImageIndex(), 2);
    QCOMPARE(s.Node({"工事"})->ImageIndex(), 2);
    QCOMPARE(s.Node({"工事", "品質管理写真"})->ImageIndex(), 5);
    QCOMPARE(s.Node({"工事", "施工状況写真"})->ImageIndex(), 4);
    QCOMPARE(s.Node({"工事", "施工状況写真", "土工"})->ImageIndex(), 7);
    // The item shows the picture of its image index.
    const QImage shown = s.ItemOf(s.Node({"工事", "施工状況写真", "土工"}))->icon(0).pixmap(17, 17).toImage();
    QCOMPARE(shown, TreeImage(7, false).toImage());
  }

  void selectionReachesTheContextAfterTheChangeDelay() {
    BrowseSetup s;
    s.fixture.Load(Photos());
    BrowseWindow& w = s.Open();
    HierarchyNode* paving = s.Node({"工事", "施工状況写真", "舗装工"});
    // Timers fire in the order they fall due: one of 190 ms started just
    // before the selection fires before the change is made.
    bool changedEarly = true;  // until the early timer has looked
    QTimer early;
    early.setSingleShot(true);
    early.setTimerType(Qt::PreciseTimer);
    connect(&early, &QTimer::timeout, [&] { changedEarly = w.context().Node() == paving; });
    early.start(190);
    w.TreePanel->TV_Tree->setCurrentItem(s.ItemOf(paving));
    QVERIFY(w.context().Node() != paving);
    QCOMPARE(w.TreePanel->ChangeDelay(), 200);
    QVERIFY(QTest::qWaitFor([&] { return w.context().Node() == paving; }, 2000));
    QVERIFY(!changedEarly);
    // SelectNodeNow runs the change at once and puts the delay back.
    HierarchyNode* earth = s.Node({"工事", "施工状況写真", "土工"});
    w.TreePanel->SelectNodeNow(earth);
    QCOMPARE(w.context().Node(), earth);
    QCOMPARE(w.ListView->Model()->Count(), 1);
    QCOMPARE(w.TreePanel->ChangeDelay(), 200);
  }

  void headerHighlightsTheSelectedLevel() {
    BrowseSetup s;
    s.fixture.Load(Photos());
    BrowseWindow& w = s.Open();
    TreeHeader* header = w.TreePanel->HeaderControl;
    for (int i = 0; i < TreeHeader::kSectionCount; ++i) QVERIFY(!header->IsHighlighted(i));  // level 0
    w.TreePanel->SelectNodeNow(s.Node({"工事", "施工状況写真", "土工"}));
    for (int i = 0; i < TreeHeader::kSectionCount; ++i) QCOMPARE(header->IsHighlighted(i), i == 3);
    w.TreePanel->SelectNodeNow(s.Node({"工事", "施工状況写真", "土工", "掘削工", "掘削"}));
    QVERIFY(header->IsHighlighted(5));
    QCOMPARE(TreeHeader::Caption(1), QStringLiteral("分類"));
    QCOMPARE(TreeHeader::Caption(5), QStringLiteral("細別"));
    QCOMPARE(header->SectionRect(0).width(), 82);
    QCOMPARE(header->SectionRect(3), QRect(82 + 60, 0, 30, header->height()));
  }

  void headerFollowsTheHorizontalScroll() {
    BrowseSetup s;
    std::vector<FixturePhoto> photos = Photos();
    photos.push_back({"long", {"工事", "施工状況写真", std::string(60, 'W')}, 0, {}, {}, {}});
    s.fixture.Load(photos);
    BrowseWindow& w = s.Open();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QScrollBar* bar = w.TreePanel->TV_Tree->horizontalScrollBar();
    QVERIFY(bar->maximum() > 20);
    bar->setValue(20);
    QCOMPARE(w.TreePanel->HeaderControl->FirstWidth(), 82 - 20);
    bar->setValue(0);
    QCOMPARE(w.TreePanel->HeaderControl->FirstWidth(), 82);
  }

  void collapseKeepsTheSelectedNodeVisible() {
    BrowseSetup s;
    std::vector<FixturePhoto> photos = Photos();
    photos.push_back({"p5", {"工事", "品質管理写真", "舗装工"}, 0, {}, {}, {}});
    s.fixture.Load(photos);
    BrowseWindow& w = s.Open();
    HierarchyNode* deep = s.Node({"工事", "施工状況写真", "土工", "掘削工"});
    HierarchyNode* quality = s.Node({"工事", "品質管理写真"});  // a branch off the selected node's way
    QCOMPARE(quality->ChildCount(), 1);
    QVERIFY(s.ItemOf(quality)->isExpanded());
    w.TreePanel->SelectNodeNow(deep);
    w.TreePanel->CollapseAll();
    QCOMPARE(w.TreePanel->SelectedNode(), deep);
    for (QTreeWidgetItem* p = s.ItemOf(deep)->parent(); p; p = p->parent()) QVERIFY(p->isExpanded());
    QVERIFY(!s.ItemOf(deep)->isExpanded());
    QVERIFY(!s.ItemOf(quality)->isExpanded());
    w.TreePanel->SB_TreeViewExpand->click();
    QVERIFY(s.ItemOf(deep)->isExpanded());
    QVERIFY(s.ItemOf(quality)->isExpanded());
  }

  void listModeGreysTheTree() {
    BrowseSetup s;
    s.fixture.Load(Photos());
    BrowseWindow& w = s.Open();
    w.PhotoLists->EnterListMode(2, {1});
    QVERIFY(!w.TreePanel->isEnabled());
    QCOMPARE(w.TreePanel->TV_Tree->palette().color(QPalette::Text), TreePanel::kListModeText);
    const QImage shown = s.ItemOf(s.Node({"工事", "施工状況写真"}))->icon(0).pixmap(17, 17).toImage();
    QCOMPARE(shown, TreeImage(4, true).toImage());
    w.PhotoLists->LeaveListMode(true);
    QVERIFY(w.TreePanel->isEnabled());
    QCOMPARE(w.TreePanel->TV_Tree->palette().color(QPalette::Base), TreePanel::kNormalColour);
  }

  void invalidLevelWarningIsShownOnceAndCanBeSilenced() {
    BrowseSetup s;
    std::vector<FixturePhoto> photos = Photos();
    photos.push_back({"no class", {"工事"}, 0, {}, {}, {}});  // level 1: invalid
    s.fixture.Load(photos);
    BrowseWindow& w = s.Open();
    QCOMPARE(s.Node({"工事"})->ImageIndex(), 3);
    WarningAnswer answer;
    answer.Arm();
    w.TreePanel->UpdateNodeImages(*s.fixture.delivery.Tree.ConstructionNode(), true);
    QCOMPARE(answer.seen, 1);
    QCOMPARE(answer.text, QStringLiteral("工事フォルダは不正な階層レベルに写真が登録されています。\n\n"
                                         "分類: 工事写真 > 工事\n写真: 「no class」"));
    answer.tick = true;
    answer.Arm();
    w.TreePanel->UpdateNodeImages(*s.fixture.delivery.Tree.ConstructionNode(), true);
    QCOMPARE(answer.seen, 2);
    QVERIFY(w.TreePanel->WarningSilenced());
    answer.Arm();
    w.TreePanel->UpdateNodeImages(*s.fixture.delivery.Tree.ConstructionNode(), true);
    QTRY_VERIFY(!answer.armed);
    QCOMPARE(answer.seen, 2);
  }

  void focusShowsTheLevelHelpAndLeavingClearsIt() {
    BrowseSetup s;
    s.fixture.Load(Photos());
    BrowseWindow& w = s.Open();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.TreePanel->SelectNodeNow(s.Node({"工事", "施工状況写真", "土工"}));
    QSignalSpy help(&w.context(), &BrowseContext::HelpChanged);
    QSignalSpy tabs(&w.context(), &BrowseContext::InfoTabRequested);
    w.activateWindow();
    w.TreePanel->TV_Tree->setFocus();
    QVERIFY(QTest::qWaitFor([&] { return !help.isEmpty(); }, 1000));
    QCOMPARE(tabs.last().at(0).toInt(), int(BrowseContext::kKojiTab));
    const auto expected = ShowLevelHelp(std::vector<std::string>{Sj("工事"), Sj("施工状況写真"), Sj("土工")},
                                        s.fixture.delivery.DigiVersion, w.settings().KeikokuRed);
    QVERIFY(help.last().at(0).value<HelpLabels>() == expected);
    // The help panel shows the level's rule.
    QVERIFY(w.HelpPanel->LB_Input1->text().startsWith(QStringLiteral("データ表現 : ")));
    QVERIFY(w.HelpPanel->LB_Input2->text().startsWith(QStringLiteral("データ長   : ")));
    QVERIFY(w.HelpPanel->LB_Input4->text().startsWith(QStringLiteral("入力規則   : 土木工事の場合には")));
    for (int i = 0; i < 5; ++i) {
      QString text = Qs(expected[static_cast<std::size_t>(i)].text);
      text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
      QCOMPARE(w.HelpPanel->Label(i)->text(), text);
      QCOMPARE(w.HelpPanel->Label(i)->isVisibleTo(w.HelpPanel), expected[static_cast<std::size_t>(i)].visible);
    }
    QVERIFY(!w.HelpPanel->LB_Input3->isVisibleTo(w.HelpPanel));

    // Another node selected while the tree has the focus: its rule follows.
    w.TreePanel->SelectNodeNow(s.Node({"工事", "施工状況写真"}));
    QVERIFY(w.HelpPanel->LB_Input4->text().startsWith(QStringLiteral("入力規則   : 大分類が「工事」の場合")));
    w.TreePanel->SelectNodeNow(s.fixture.delivery.Tree.ConstructionNode());
    QCOMPARE(w.HelpPanel->LB_Input1->text(), QStringLiteral("データ表現 : 制限無し"));
    QCOMPARE(w.HelpPanel->LB_Input2->text(), QStringLiteral("データ長   : システム値"));

    w.ListView->setFocus();
    QVERIFY(QTest::qWaitFor([&] { return help.last().at(0).value<HelpLabels>() == NoHelp(); }, 1000));
    QCOMPARE(w.HelpPanel->LB_Input1->text(), QStringLiteral("説明はありません"));
    QCOMPARE(w.HelpPanel->LB_Input2->text(), QString());
  }

  void levelFaultsAreRedWithKeikokuRed() {
    BrowseSetup s;
    std::vector<FixturePhoto> photos = Photos();
    photos.push_back({"bad", {"工事写真", "施工状況写真"}, 0, {}, {}, {}});  // "工事写真" is no major class
    s.fixture.Load(photos);
    BrowseWindow& w = s.Open();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.activateWindow();
    w.TreePanel->TV_Tree->setFocus();
    QVERIFY(QTest::qWaitFor([&] { return w.TreePanel->TV_Tree->hasFocus(); }, 1000));
    auto colour = [&](QLabel* label) { return label->palette().color(QPalette::WindowText); };
    for (bool red : {true, false}) {
      w.settings().KeikokuRed = red;
      w.TreePanel->SelectNodeNow(s.Node({"工事写真"}));
      QCOMPARE(colour(w.HelpPanel->LB_Input4), red ? QColor(255, 0, 0) : QColor(Qt::black));
      w.TreePanel->SelectNodeNow(s.Node({"工事"}));
      QCOMPARE(colour(w.HelpPanel->LB_Input4), QColor(Qt::black));
    }
  }

  void floatingPanelActivatedEntersTheTree() {
    BrowseSetup s;
    s.fixture.Load(Photos());
    BrowseWindow& w = s.Open();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.TreePanel->SelectNodeNow(s.Node({"工事", "施工状況写真", "土工"}));
    w.ListView->setFocus();
    w.Float_Menu->setFloating(true);
    w.Float_Menu->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.Float_Menu));
    // The main window active first, then the floating panel's window.
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QVERIFY(
        QTest::qWaitFor([&] { return w.HelpPanel->LB_Input1->text() == QStringLiteral("説明はありません"); }, 1000));
    QSignalSpy tabs(&w.context(), &BrowseContext::InfoTabRequested);
    QApplication::setActiveWindow(w.Float_Menu);
    QVERIFY(QTest::qWaitFor([&] { return !tabs.isEmpty(); }, 1000));
    QCOMPARE(tabs.last().at(0).toInt(), int(BrowseContext::kKojiTab));
    QVERIFY(w.HelpPanel->LB_Input4->text().startsWith(QStringLiteral("入力規則   : 土木工事の場合には")));
  }
};

QTEST_MAIN(TreePanelTest)
#include "tree_panel_test.moc"
