#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>

#include "browse_window.h"
#include "forms/info_panel.h"
#include "forms/info_tabs.h"
#include "forms/item_grid.h"
#include "window_settles.h"

using namespace zor;

namespace {

// Counts key presses that a list passed on to its parent.
class KeyCounter : public QObject {
 public:
  int presses = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) ++presses;
    return false;
  }
};

std::vector<FixturePhoto> ThreeAndTwo() {
  std::vector<FixturePhoto> photos;
  for (int i = 0; i < 3; ++i)
    photos.push_back({i == 1 ? "" : "写真A" + std::to_string(i),
                      {"工事", "施工状況写真", "土工"},
                      0,
                      QStringLiteral("a%1.jpg").arg(i),
                      {400, 300},
                      {}});
  photos.push_back({"写真B0", {"工事", "施工状況写真", "舗装工"}, 1, QStringLiteral("b0.jpg"), {1600, 1200}, {0, 1}});
  photos.push_back({"写真B1", {"工事", "施工状況写真", "舗装工"}, 99, QStringLiteral("b1.pdf"), {400, 300}, {}});
  return photos;
}

}  // namespace

class PhotoListTest : public QObject {
  Q_OBJECT
 private:
  static QStringList Captions(ThumbnailList* list) {
    QStringList out;
    for (int i = 0; i < list->Model()->Count(); ++i) out << list->Model()->Item(i).cell.caption;
    return out;
  }
  static void Choose(BrowseSetup& s, HierarchyNode* node) {
    s.window->TreePanel->TV_Tree->setCurrentItem(s.ItemOf(node));
    QVERIFY(QTest::qWaitFor([&] { return s.window->context().Node() == node; }, 2000));
  }

 private slots:
  void justFitSizes_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("justFit");
    QTest::addColumn<int>("expected");
    QTest::newRow("wide: down") << 600 << 400 << 2 << true << 400 / 2 - PhotoLists::kJustFitGapY;
    QTest::newRow("tall: across") << 300 << 500 << 2 << true << 300 / 2 - PhotoLists::kJustFitGapX;
    QTest::newRow("square: across") << 500 << 500 << 3 << true << 500 / 3 - PhotoLists::kJustFitGapX;
    QTest::newRow("small: 60") << 150 << 100 << 2 << true << 60;
    QTest::newRow("off: 140") << 600 << 400 << 2 << false << 140;
    QTest::newRow("off ignores size") << 100 << 100 << 9 << false << 140;
    QTest::newRow("count 0 as 1") << 600 << 400 << 0 << true << 400 - PhotoLists::kJustFitGapY;
  }
  void justFitSizes() {
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, count);
    QFETCH(bool, justFit);
    QFETCH(int, expected);
    QCOMPARE(PhotoLists::JustFitSize(width, height, count, justFit), expected);
  }

  void justFitPlacesTheCountInTheList() {
    BrowseSetup s;
    s.settings.THUMBNAIL_USER = 3;
    s.fixture.Load(ThreeAndTwo());
    BrowseWindow& w = s.Open();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.settings().IconStyle = 1;
    w.settings().THUMBNAIL_USER = 3;
    w.PhotoLists->FitThumbnails(true);
    const int size = w.PhotoLists->ThumbnailSize();
    QCOMPARE(size, PhotoLists::JustFitSize(w.ListView->width(), w.ListView->height(), 3, true));
    // Three cells fit down the (wide) list, or across a tall one.
    const QSize grid = w.ListView->gridSize();
    if (w.ListView->height() < w.ListView->width())
      QVERIFY(3 * grid.height() <= w.ListView->viewport()->height());
    else
      QVERIFY(3 * grid.width() <= w.ListView->viewport()->width());
    QCOMPARE(w.PhotoLists->DrawingThumbnailSize(), 140);
    QCOMPARE(w.ListView2->CellSize(), 140);
    QCOMPARE(w.SB_Icon->toolTip(), QStringLiteral("ジャストフィット(横か縦に3個に収まるように表示します)"));
  }

  void selectingANodeFillsTheList() {
    BrowseSetup s;
    s.fixture.MakePicture(QStringLiteral("d0.jpg"), {300, 200});
    s.fixture.MakePicture(QStringLiteral("d1.png"), {200, 300});
    s.fixture.Load(ThreeAndTwo(), {QStringLiteral("d0.jpg"), QStringLiteral("d1.png")});
    BrowseWindow& w = s.Open();
    // After a load the unclassified node is selected and the list is empty.
    QCOMPARE(w.context().Node(), s.fixture.delivery.Tree.UnclassifiedNode());
    QCOMPARE(w.ListView->Model()->Count(), 0);
    QCOMPARE(w.StatusPanel(1)->text(), QStringLiteral("0 / 0"));

    Choose(s, s.Node({"工事", "施工状況写真", "土工"}));
    QCOMPARE(Captions(w.ListView), (QStringList{"写真A0", "(無題)", "写真A2"}));
    QCOMPARE(w.ListView->FocusedRow(), 0);
    QCOMPARE(w.ListView->SelectedCount(), 1);
    QCOMPARE(w.StatusPanel(1)->text(), QStringLiteral("1 / 3"));
    QCOMPARE(w.context().Photo(), 1);
    // A photo is selected, so the drawing list is usable, but photo 1 has none.
    QVERIFY(QTest::qWaitFor([&] { return !w.Timer_Sanko.isActive(); }, 2000));
    QCOMPARE(w.ListView2->Model()->Count(), 0);
    QVERIFY(w.ListView2->isEnabled());

    Choose(s, s.Node({"工事", "施工状況写真", "舗装工"}));
    QCOMPARE(Captions(w.ListView), (QStringList{"写真B0", "写真B1"}));
    QCOMPARE(w.context().Photo(), 4);
    // The drawings follow 200 ms after the photo.
    QVERIFY(QTest::qWaitFor([&] { return w.ListView2->Model()->Count() == 2; }, 2000));
    QVERIFY(w.ListView2->isEnabled());
    QCOMPARE(Captions(w.ListView2), (QStringList{"参考図", "参考図"}));
    QCOMPARE(w.ListView2->Model()->Item(1).position, 1);
    QCOMPARE(w.ListView2->Model()->Item(1).photo, 4);
  }

  // Selecting a node selects its first photo as a click would: the photo
  // tab shows that photo's values although the tree keeps the keyboard.
  void nodeSelectionFillsThePhotoTabOfTheFirstPhoto() {
    BrowseSetup s;
    s.fixture.Load(ThreeAndTwo());
    BrowseWindow& w = s.Open();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.TreePanel->TV_Tree->setFocus();
    for (const auto& [path, title] :
         {std::pair{std::vector<const char*>{"工事", "施工状況写真", "土工"}, "写真A0"},
          std::pair{std::vector<const char*>{"工事", "施工状況写真", "舗装工"}, "写真B0"}}) {
      HierarchyNode* node = s.fixture.delivery.Tree.ConstructionNode();
      for (const char* c : path) node = node->FindChild(Sj(c));
      Choose(s, node);
      QCOMPARE(w.InfoPanel->TabSetEx->TabIndex(), 1);
      const int row = w.InfoPanel->RowLayout().RowOf(InfoGrid::kPhoto, 4);  // TITLE
      QCOMPARE(w.InfoPanel->KoumokuGrid_Photo->Cell(2, row), QString::fromUtf8(title));
      QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.TreePanel->TV_Tree));
    }
  }

  // The lists' pop-up "表示(&V)..." is usable only for the focused list
  // with exactly one selected item.
  void popupViewFollowsFocusAndSelection() {
    BrowseSetup s;
    s.fixture.Load(ThreeAndTwo());
    BrowseWindow& w = s.Open();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    Choose(s, s.Node({"工事", "施工状況写真", "土工"}));
    auto* menu = w.ListView->findChild<QMenu*>(QStringLiteral("PopupMenu_Frame"));
    auto* view = w.ListView->findChild<QAction*>(QStringLiteral("Mn_View2"));
    QVERIFY(menu && view);
    struct Case {
      bool focused;
      bool selected;
    };
    for (const Case c : {Case{true, true}, Case{false, true}, Case{true, false}}) {
      (c.focused ? static_cast<QWidget*>(w.ListView) : w.TreePanel->TV_Tree)->setFocus();
      if (c.selected)
        w.ListView->SelectListItem(0, true);
      else
        w.ListView->selectionModel()->clearSelection();
      emit menu->aboutToShow();
      QCOMPARE(view->isEnabled(), c.focused && c.selected);
    }
  }

  void selectingAnotherPhotoShowsItsPosition() {
    BrowseSetup s;
    s.fixture.Load(ThreeAndTwo());
    BrowseWindow& w = s.Open();
    Choose(s, s.Node({"工事", "施工状況写真", "土工"}));
    QSignalSpy tabs(&w.context(), &BrowseContext::InfoTabRequested);
    w.ListView->SelectListItem(2, true);
    QCOMPARE(w.StatusPanel(1)->text(), QStringLiteral("3 / 3"));
    QCOMPARE(w.context().Photo(), 3);
    QVERIFY(!tabs.isEmpty());
    QCOMPARE(tabs.last().at(0).toInt(), int(BrowseContext::kPhotoTab));
    // No selection: 200 ms later the construction tab and no drawings.
    w.ListView->selectionModel()->clearSelection();
    QVERIFY(QTest::qWaitFor([&] { return w.context().Photo() == 0; }, 2000));
    QCOMPARE(tabs.last().at(0).toInt(), int(BrowseContext::kKojiTab));
    QVERIFY(!w.ListView2->isEnabled());
  }

  // After the construction tab was chosen, a click on the photo (or
  // drawing) that is still selected brings its tab and values back.
  void clickingTheSelectedItemAgainShowsItsTab() {
    BrowseSetup s;
    s.fixture.MakePicture(QStringLiteral("d0.jpg"), {300, 200});
    s.fixture.MakePicture(QStringLiteral("d1.jpg"), {200, 300});
    s.fixture.Load(ThreeAndTwo(), {QStringLiteral("d0.jpg"), QStringLiteral("d1.jpg")});
    BrowseWindow& w = s.Open();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    Choose(s, s.Node({"工事", "施工状況写真", "舗装工"}));
    InfoPanel* info = w.InfoPanel;
    InfoTabs* tabs = info->TabSetEx;
    const int titleRow = info->RowLayout().RowOf(InfoGrid::kPhoto, 4);
    QVERIFY(titleRow > 0);
    auto clickItem = [](ThumbnailList* list, int row) {
      const QRect r = list->visualRect(list->Model()->index(row));
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->IconRect(r).center());
    };

    clickItem(w.ListView, 0);
    QCOMPARE(tabs->TabIndex(), 1);
    QCOMPARE(info->KoumokuGrid_Photo->Cell(2, titleRow), QStringLiteral("写真B0"));
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->TabRect(0).center());
    QCOMPARE(tabs->Tabs(), QStringList{InfoPanel::kKojiTab});
    info->KoumokuGrid_Photo->SetCell(2, titleRow, QString());  // so that a refill shows
    clickItem(w.ListView, 0);
    QCOMPARE(w.ListView->SelectedCount(), 1);
    QCOMPARE(tabs->Tabs(), (QStringList{InfoPanel::kKojiTab, InfoPanel::kPhotoTab, InfoPanel::kShootingTab}));
    QCOMPARE(tabs->TabIndex(), 1);
    QCOMPARE(info->KoumokuGrid_Photo->Cell(2, titleRow), QStringLiteral("写真B0"));

    QVERIFY(QTest::qWaitFor([&] { return w.ListView2->Model()->Count() == 2; }, 2000));
    clickItem(w.ListView2, 1);
    QCOMPARE(tabs->TabIndex(), 2);
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->TabRect(0).center());
    QCOMPARE(tabs->Count(), 1);
    clickItem(w.ListView2, 1);
    QCOMPARE(tabs->Count(), 3);
    QCOMPARE(tabs->TabIndex(), 2);
    // A click on the selected photo while the drawing tab shows: the photo
    // tab, with the photo's 撮影データ tab in the drawing's place.
    clickItem(w.ListView, 0);
    QCOMPARE(tabs->Tabs(), (QStringList{InfoPanel::kKojiTab, InfoPanel::kPhotoTab, InfoPanel::kShootingTab}));
    QCOMPARE(tabs->TabIndex(), 1);
  }

  // Ctrl+A: one item may be selected, so the last one is; the focus goes to
  // the first item only when no item had it.
  void ctrlASelectsTheLastItem() {
    BrowseSetup s;
    s.fixture.Load(ThreeAndTwo());
    BrowseWindow& w = s.Open();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    Choose(s, s.Node({"工事", "施工状況写真", "土工"}));
    w.ListView->setFocus();
    w.ListView->SelectListItem(1, true);
    QTest::keyClick(w.ListView, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(w.ListView->SelectedCount(), 1);
    QVERIFY(w.ListView->selectionModel()->isSelected(w.ListView->Model()->index(2)));
    QCOMPARE(w.ListView->FocusedRow(), 1);
    QCOMPARE(w.context().Photo(), 3);
    w.ListView->selectionModel()->clear();
    QCOMPARE(w.ListView->FocusedRow(), -1);
    QTest::keyClick(w.ListView, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(w.ListView->FocusedRow(), 0);
    QVERIFY(w.ListView->selectionModel()->isSelected(w.ListView->Model()->index(2)));
  }

  void leftAndRightMoveByPositionAndAreConsumedAtTheEnds() {
    BrowseSetup s;
    s.fixture.Load(ThreeAndTwo());
    BrowseWindow& w = s.Open();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    Choose(s, s.Node({"工事", "施工状況写真", "土工"}));
    w.ListView->setFocus();
    KeyCounter counter;
    w.ListView->parentWidget()->installEventFilter(&counter);
    QTest::keyClick(w.ListView, Qt::Key_Right);
    QCOMPARE(w.ListView->FocusedRow(), 1);
    QTest::keyClick(w.ListView, Qt::Key_Right);
    QCOMPARE(w.ListView->FocusedRow(), 2);
    QTest::keyClick(w.ListView, Qt::Key_Right);  // the last item: nothing moves
    QCOMPARE(w.ListView->FocusedRow(), 2);
    QCOMPARE(w.ListView->SelectedCount(), 1);
    QCOMPARE(w.StatusPanel(1)->text(), QStringLiteral("3 / 3"));
    w.ListView->SelectListItem(0, true);
    QTest::keyClick(w.ListView, Qt::Key_Left);  // the first item
    QCOMPARE(w.ListView->FocusedRow(), 0);
    QCOMPARE(counter.presses, 0);
  }

  void listModeShowsTheGivenPhotosAndLeavesWithItsMessage() {
    BrowseSetup s;
    s.fixture.Load(ThreeAndTwo());
    BrowseWindow& w = s.Open();
    Choose(s, s.Node({"工事", "施工状況写真", "土工"}));
    w.PhotoLists->EnterListMode(2, {5, 1, 999});
    QCOMPARE(w.context().ListMode(), 2);
    QCOMPARE(Captions(w.ListView), (QStringList{"写真B1", "写真A0", "(不明データ)"}));
    QVERIFY(!w.ListView->Model()->Item(2).cell.found);
    QCOMPARE(w.ListView->SelectedCount(), 0);
    QVERIFY(!w.TreePanel->isEnabled());
    QCOMPARE(w.ListView->palette().color(QPalette::Base), PhotoLists::kListModeColour);
    QCOMPARE(w.TreePanel->TV_Tree->palette().color(QPalette::Base), TreePanel::kListModeColour);
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.InfoPanel->KoumokuGrid_Koji));
    // The tree's selection does not change the list while in list mode.
    w.TreePanel->SelectNodeNow(s.Node({"工事", "施工状況写真", "舗装工"}));
    QCOMPARE(w.ListView->Model()->Count(), 3);

    QTRY_VERIFY(w.SB_Kaijyo->isEnabled());  // the buttons follow the mode
    w.SB_Kaijyo->click();
    QCOMPARE(w.infos, QStringList{"「一覧モード」を解除しました"});
    QCOMPARE(w.context().ListMode(), 0);
    QVERIFY(w.TreePanel->isEnabled());
    QCOMPARE(w.ListView->palette().color(QPalette::Base), PhotoLists::kNormalColour);
    QCOMPARE(Captions(w.ListView), (QStringList{"写真B0", "写真B1"}));
  }

  void quietLeaveShowsNoMessage() {
    BrowseSetup s;
    s.fixture.Load(ThreeAndTwo());
    BrowseWindow& w = s.Open();
    w.PhotoLists->LeaveListMode(false);  // not in list mode: nothing
    w.PhotoLists->EnterListMode(1, {1});
    w.PhotoLists->LeaveListMode(true);
    QCOMPARE(w.context().ListMode(), 0);
    QVERIFY(w.infos.isEmpty());
  }

  void listModeSelectionShowsThePhotosNode() {
    BrowseSetup s;
    s.fixture.Load(ThreeAndTwo());
    BrowseWindow& w = s.Open();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(WindowSettles(w));  // the refit after the first layout (Timer_ResizeView) is over
    w.PhotoLists->EnterListMode(2, {2, 4});
    w.ListView->SelectListItem(1, true);
    HierarchyNode* paving = s.Node({"工事", "施工状況写真", "舗装工"});
    QVERIFY(QTest::qWaitFor([&] { return w.TreePanel->SelectedNode() == paving; }, 2000));
    QCOMPARE(w.ListView->Model()->Count(), 2);  // the list stays the search result
    QTRY_COMPARE(w.context().Node(), paving);   // after the tree's change delay
    QVERIFY(WindowSettles(w));
    QCOMPARE(w.ListView->Model()->Count(), 2);
    QCOMPARE(w.InfoPanel->TabSetEx->TabIndex(), 1);  // and the photo tab stays
  }

  void pdfOpensWithTheDesktopAndFailuresAreReported() {
    BrowseSetup s;
    std::vector<FixturePhoto> photos = ThreeAndTwo();
    s.fixture.Load(photos);
    QFile pdf(s.fixture.Folder() + QStringLiteral("b1.pdf"));
    QVERIFY(pdf.exists());
    BrowseWindow& w = s.Open();
    QList<QUrl> opened;
    QStringList viewed;
    w.PhotoLists->OpenWithDesktop = [&](const QUrl& url) {
      opened << url;
      return true;
    };
    w.PhotoLists->ShowInViewer = [&](const QString& file, const QString&) {
      viewed << file;
      return false;
    };
    Choose(s, s.Node({"工事", "施工状況写真", "舗装工"}));
    w.ListView->SelectListItem(1, true);
    w.PhotoLists->ListViewDblClick(w.ListView);
    QVERIFY(QTest::qWaitFor([&] { return !opened.isEmpty(); }, 2000));
    QCOMPARE(opened.first().toLocalFile(), pdf.fileName());
    QVERIFY(viewed.isEmpty());
    QCOMPARE(w.Timer.interval(), 300);

    w.ListView->SelectListItem(0, true);
    w.PhotoLists->OpenViewer(w.ListView);
    QCOMPARE(viewed, QStringList{s.fixture.Folder() + QStringLiteral("b0.jpg")});
    QCOMPARE(w.infos, QStringList{"写真の読み込みに失敗しました。"});
  }

  // While the viewer is shown it follows the selection of the list, also
  // when Page Down in the photo grid moved it and the grid keeps the focus.
  void shownViewerFollowsTheSelection() {
    BrowseSetup s;
    s.fixture.Load(ThreeAndTwo());
    BrowseWindow& w = s.Open();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QStringList viewed;
    w.PhotoLists->ShowInViewer = [&](const QString& file, const QString&) {
      viewed << file;
      return true;
    };
    w.PhotoLists->ViewerShown = [] { return true; };
    Choose(s, s.Node({"工事", "施工状況写真", "土工"}));
    QVERIFY(QTest::qWaitFor([&] { return !w.Timer.isActive(); }, 2000));
    viewed.clear();

    ItemGrid* grid = w.InfoPanel->KoumokuGrid_Photo;
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_PageDown);
    QCOMPARE(w.ListView->FocusedRow(), 1);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(grid));
    QVERIFY(QTest::qWaitFor([&] { return !viewed.isEmpty(); }, 2000));
    QCOMPARE(viewed, QStringList{s.fixture.Folder() + QStringLiteral("a1.jpg")});
    QVERIFY(w.infos.isEmpty());
  }

  void thumbnailsArriveWithoutBlockingTheWindow() {
    BrowseSetup s;
    s.fixture.Load(ThreeAndTwo());
    BrowseWindow& w = s.Open();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    Choose(s, s.Node({"工事", "施工状況写真", "土工"}));
    const int size = w.PhotoLists->ThumbnailSize();
    const QString file = s.fixture.Folder() + QStringLiteral("a0.jpg");
    QVERIFY(QTest::qWaitFor([&] { return w.PhotoLists->Cache().Find(file, size) != nullptr; }, 5000));
    // The 400 x 300 picture fills the cell's width; its middle shows it.
    QImage shot = w.ListView->viewport()->grab().toImage();
    const QRect icon = w.ListView->IconRect(w.ListView->visualRect(w.ListView->Model()->index(0)));
    const QColor middle = shot.pixelColor(icon.center() * shot.devicePixelRatio());
    QVERIFY2(qAbs(middle.blue() - 200) < 20 && qAbs(middle.red() - 40) < 20, qPrintable(middle.name()));
    // Once the three are in, a repaint decodes nothing again.
    QVERIFY(QTest::qWaitFor([&] { return w.PhotoLists->Cache().Count() == 3; }, 5000));
    const int decodes = w.PhotoLists->Cache().DecodesStarted();
    w.ListView->viewport()->repaint();  // requests go out while it paints
    QCoreApplication::processEvents();
    QCOMPARE(w.PhotoLists->Cache().PendingCount(), 0);
    QCOMPARE(w.PhotoLists->Cache().DecodesStarted(), decodes);
  }

  // A delivery under a folder named with 〜 and −, which code page 932 gives
  // back as ～ and －: the list still shows the pictures on disk.
  void picturesUnderAWaveDashFolderAreShown() {
    BrowseSetup s;
    const QString sub = QStringLiteral("工事〜A−1");
    QVERIFY(QDir(s.fixture.Folder()).mkpath(sub));
    s.fixture.MakePicture(sub + QStringLiteral("/P0000001.JPG"), {400, 300}, QColor(200, 40, 40));
    s.fixture.Load(
        {{"写真1", {"工事", "施工状況写真", "土工"}, 0, sub + QStringLiteral("/P0000001.JPG"), {400, 300}, {}}});
    BrowseWindow& w = s.Open();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    Choose(s, s.Node({"工事", "施工状況写真", "土工"}));
    const QString file = s.fixture.Folder() + sub + QStringLiteral("/P0000001.JPG");
    QCOMPARE(w.ListView->Model()->Item(0).cell.file, file);
    const int size = w.PhotoLists->ThumbnailSize();
    QVERIFY(QTest::qWaitFor([&] { return w.PhotoLists->Cache().Find(file, size) != nullptr; }, 5000));
    QImage shot = w.ListView->viewport()->grab().toImage();
    const QRect icon = w.ListView->IconRect(w.ListView->visualRect(w.ListView->Model()->index(0)));
    const QColor middle = shot.pixelColor(icon.center() * shot.devicePixelRatio());
    QVERIFY2(qAbs(middle.red() - 200) < 20 && qAbs(middle.blue() - 40) < 20, qPrintable(middle.name()));
  }
};

QTEST_MAIN(PhotoListTest)
#include "photo_list_test.moc"
