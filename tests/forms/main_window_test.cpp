#include <QApplication>
#include <QDialog>
#include <functional>
#include <vector>
#include <QDir>
#include <QDockWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QUrl>
#include <QTest>
#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QWindow>

#include "app/folders.h"
#include "app/ini_file.h"
#include "app/settings.h"
#include "forms/folder_chooser.h"
#include "forms/help_window.h"
#include "forms/info_panel.h"
#include "forms/info_tabs.h"
#include "forms/item_grid.h"
#include "forms/main_window.h"
#include "forms/message_boxes.h"
#include "forms/photo_list.h"
#include "forms/photo_viewer.h"
#include "forms/picture_box.h"
#include "forms/settings_dialog.h"
#include "forms/task_bar_menu.h"
#include "forms/thumbnail_list.h"
#include "forms/tree_panel.h"
#include "forms/window_positions.h"
#include "text/encoding.h"
#include "window_settles.h"

using namespace zor;

namespace {

// The window with its message boxes answered by the test.
class TestWindow : public MainWindow {
 public:
  using MainWindow::MainWindow;
  bool ConfirmYesCancel(const std::string& text) override {
    questions << QString::fromStdString(Cp932ToUtf8(text));
    return answer;
  }
  void ShowInformation(const std::string& text) override { infos << QString::fromStdString(Cp932ToUtf8(text)); }
  void ShowWarning(const std::string& text) override { warnings << QString::fromStdString(Cp932ToUtf8(text)); }
  void ShowLevelWarning(const std::string& text) override {
    levelWarnings << QString::fromStdString(Cp932ToUtf8(text));
  }
  void OpenInBrowser(const std::string& path) override { opened << QString::fromStdString(path); }
  QStringList questions, infos, warnings, levelWarnings, opened;
  bool answer = true;
};

// The window's own way to a browser, which fails on the offscreen platform.
class BrowserlessWindow : public TestWindow {
 public:
  using TestWindow::TestWindow;
  void OpenInBrowser(const std::string& path) override { MainWindow::OpenInBrowser(path); }
};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT
 private:
  QTemporaryDir dir_;
  Folders folders_;
  Delivery delivery_;

  QString UserFile(const char* name) const { return QString::fromStdString(folders_.userData) + QLatin1String(name); }

 private slots:
  void init() {
    QVERIFY(dir_.isValid());
    std::string root = dir_.path().toStdString();
    folders_ = ComputeFolders(root + "/prog", root + "/data", root);
    QFile::remove(UserFile("ZORM_V.DAT"));
    QFile::remove(UserFile("ZOR.INI"));
    QFile::remove(UserFile("ZOR_V.INI"));
  }

  void firstStartMakesTheDefaultLayout() {
    Settings settings = DefaultSettings(folders_);
    TestWindow w(folders_, settings, delivery_);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    for (QDockWidget* d : {w.Float_Menu, w.Float_Clip, w.Float_Mime}) {
      QCOMPARE(w.dockWidgetArea(d), Qt::LeftDockWidgetArea);
      QVERIFY(d->isVisible());
    }
    QCOMPARE(w.dockWidgetArea(w.Float_Help), Qt::RightDockWidgetArea);
    QVERIFY(!w.Float_Help->isVisible());
    QCOMPARE(w.Float_Menu->width(), 300);
    // Docked in the order tree, information, drawings from the top.
    QVERIFY(w.Float_Menu->y() < w.Float_Clip->y());
    QVERIFY(w.Float_Clip->y() < w.Float_Mime->y());
    QVERIFY(settings.SettingsLoaded);
  }

  void closingSavesTheLayoutAndTheNextStartRestoresIt() {
    {
      Settings settings = DefaultSettings(folders_);
      TestWindow w(folders_, settings, delivery_);
      w.show();
      QVERIFY(QTest::qWaitForWindowExposed(&w));
      w.Float_Help->show();
      QVERIFY(w.close());
    }
    QVERIFY(QFile::exists(UserFile("ZORM_V.DAT")));
    QVERIFY(QFile::exists(UserFile("ZOR.INI")));
    Settings settings = DefaultSettings(folders_);
    TestWindow w(folders_, settings, delivery_);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.Float_Help->isVisible());
  }

  void closingKeepsTheWindowPlaceAndTheNextStartTakesIt() {
    {
      Settings settings = DefaultSettings(folders_);
      TestWindow w(folders_, settings, delivery_);
      w.show();
      QVERIFY(QTest::qWaitForWindowExposed(&w));
      w.setGeometry(40, 30, 720, 560);
      QVERIFY(w.close());
    }
    std::string error;
    std::optional<IniFile> ini = IniFile::Load(UserFile("ZOR_V.INI").toStdString(), &error);
    QVERIFY(ini);
    QCOMPARE(ini->Get("Sz_ZorMainForm", "szWidth").value_or(""), std::string("720"));
    QCOMPARE(ini->Get("Sz_ZorMainForm", "szWindowState").value_or(""), std::string("0"));
    QCOMPARE(ini->Get("Sz_Float_Menu", "szVisible").value_or(""), std::string("1"));
    QCOMPARE(ini->Get("Sz_Float_Help", "szVisible").value_or(""), std::string("0"));
    QCOMPARE(ini->Get("Sz_Float_Menu", "szUnDkFloat").value_or(""), std::string("0"));
    QCOMPARE(ini->Get("Sz_Float_Menu", "szUnDkWidth").value_or(""), std::string("250"));

    Settings settings = DefaultSettings(folders_);
    TestWindow w(folders_, settings, delivery_);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.size(), QSize(720, 560));
    // After the reset nothing is written any more.
    QVERIFY(w.Mn_GamenInitClick());
    QVERIFY(!QFile::exists(UserFile("ZOR_V.INI")));
    QVERIFY(w.close());
    QVERIFY(!QFile::exists(UserFile("ZOR_V.INI")));
  }

  void storedPlacesAreFittedIntoTheDesktop_data() {
    QTest::addColumn<QRect>("stored");
    QTest::addColumn<QRect>("fitted");
    QTest::newRow("inside") << QRect(10, 20, 300, 200) << QRect(10, 20, 300, 200);
    QTest::newRow("off the right") << QRect(1200, 20, 300, 200) << QRect(980, 20, 300, 200);
    QTest::newRow("off the top left") << QRect(-50, -10, 300, 200) << QRect(0, 0, 300, 200);
    QTest::newRow("larger than the desktop") << QRect(100, 100, 2000, 1500) << QRect(0, 0, 1280, 1000);
    QTest::newRow("off the bottom") << QRect(10, 900, 300, 200) << QRect(10, 800, 300, 200);
  }
  void storedPlacesAreFittedIntoTheDesktop() {
    QFETCH(QRect, stored);
    QFETCH(QRect, fitted);
    QCOMPARE(FitIntoDesktop(stored, QRect(0, 0, 1280, 1000)), fitted);
  }

  void damagedLayoutFileGivesTheDefaultLayout() {
    QFile f(UserFile("ZORM_V.DAT"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("not a layout");
    f.close();
    Settings settings = DefaultSettings(folders_);
    TestWindow w(folders_, settings, delivery_);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.dockWidgetArea(w.Float_Menu), Qt::LeftDockWidgetArea);
    QVERIFY(!w.Float_Help->isVisible());
  }

  void resetThenCloseWritesNoLayout() {
    Settings settings = DefaultSettings(folders_);
    TestWindow w(folders_, settings, delivery_);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QFile(UserFile("ZORM_V.DAT")).open(QIODevice::WriteOnly);
    QVERIFY(w.Mn_GamenInitClick());
    QCOMPARE(w.questions.size(), 1);
    QVERIFY(w.questions[0].startsWith(QStringLiteral("次回起動時に画面表示・ドッキング状態を初期化します。")));
    QVERIFY(!QFile::exists(UserFile("ZORM_V.DAT")));
    QVERIFY(w.close());
    QVERIFY(!QFile::exists(UserFile("ZORM_V.DAT")));
  }

  void resetCancelledKeepsTheLayout() {
    Settings settings = DefaultSettings(folders_);
    TestWindow w(folders_, settings, delivery_);
    w.answer = false;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(!w.Mn_GamenInitClick());
    QVERIFY(w.close());
    QVERIFY(QFile::exists(UserFile("ZORM_V.DAT")));
  }

  void progressEdgeValues() {
    Settings settings = DefaultSettings(folders_);
    TestWindow w(folders_, settings, delivery_);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.ReportProgress('S', 0);
    QVERIFY(!w.ProgressBar->isVisible());
    w.ReportProgress('S', 10);
    QVERIFY(w.ProgressBar->isVisible());
    QCOMPARE(w.ProgressBar->value(), 1);
    w.ReportProgress('R', 7);
    QCOMPARE(w.ProgressBar->value(), 7);
    w.ReportProgress('R', 11);  // above the maximum: no change
    QCOMPARE(w.ProgressBar->value(), 7);
    w.ReportProgress('X', 3);
    QCOMPARE(w.ProgressBar->value(), 7);
    w.ReportProgress('E', 0);
    QVERIFY(!w.ProgressBar->isVisible());
    QVERIFY(!QGuiApplication::overrideCursor());
  }

  void buttonStatesFollowListMode_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("list");
    QTest::addColumn<bool>("sort");
    QTest::addColumn<bool>("kaijyo");
    QTest::newRow("none") << 0 << true << true << false;
    QTest::newRow("sorted") << 1 << false << true << true;
    QTest::newRow("searched") << 2 << true << false << true;
  }
  void buttonStatesFollowListMode() {
    QFETCH(int, mode);
    Settings settings = DefaultSettings(folders_);
    TestWindow w(folders_, settings, delivery_);
    w.context().EnterListMode(mode, {});
    w.UpdateButtons();
    QFETCH(bool, list);
    QFETCH(bool, sort);
    QFETCH(bool, kaijyo);
    QCOMPARE(w.SB_List->isEnabled(), list);
    QCOMPARE(w.SB_Sort->isEnabled(), sort);
    QCOMPARE(w.SB_Kaijyo->isEnabled(), kaijyo);
  }

  void dropOpensOnlyTheFirstFileAndOnlyPhotoXml() {
    Settings settings = DefaultSettings(folders_);
    TestWindow w(folders_, settings, delivery_);
    QStringList opened;
    w.OpenDeliveryFile = [&opened](const QString& f) {
      opened << f;
      return true;
    };
    QString lower = dir_.filePath(QStringLiteral("photo.xml"));
    QString other = dir_.filePath(QStringLiteral("INDEX_C.XML"));
    for (const QString& f : {lower, other}) QFile(f).open(QIODevice::WriteOnly);

    w.HandleDroppedFiles({other, lower});
    QVERIFY(opened.isEmpty());
    QCOMPARE(w.infos, QStringList{QStringLiteral("このファイル名はサポートできません。 > INDEX_C.XML")});

    w.HandleDroppedFiles({lower, other});
    QCOMPARE(opened, QStringList{lower});

    w.HandleDroppedFiles({dir_.filePath(QStringLiteral("missing/PHOTO.XML"))});
    QCOMPARE(opened.size(), 1);
    QCOMPARE(w.infos.size(), 1);
  }

  // A read fills the tree widget from the new tree and the construction grid
  // from the index; a second read with another standard follows it.
  void loadingFillsTreeAndGrid() {
    Settings settings = DefaultSettings(folders_);
    TestWindow w(folders_, settings, delivery_);
    w.show();
    const QString data = QStringLiteral(ZOR_TEST_DATA "/import/");
    struct Case {
      const char* entry;
      int digiVersion;
      int treeItems;
    };
    for (const Case& c : {Case{"construction/INDEX_C.XML", 7, 9}, Case{"services/INDEX_D.XML", 9, 4},
                          Case{"construction/INDEX_C.XML", 7, 9}}) {
      QVERIFY2(w.DispatchDeliveryFile(data + QLatin1String(c.entry)), c.entry);
      QCOMPARE(delivery_.DigiVersion, c.digiVersion);
      QCOMPARE(w.InfoPanel->CE_Version->currentIndex(), c.digiVersion);
      QTreeWidget* tree = w.TreePanel->TV_Tree;
      int items = 0;
      for (QTreeWidgetItemIterator it(tree); *it; ++it) ++items;
      QCOMPARE(items, c.treeItems);
      QCOMPARE(w.TreePanel->SelectedNode(), delivery_.Tree.UnclassifiedNode());
      QVERIFY(w.context().Node() == delivery_.Tree.UnclassifiedNode());
      ItemGrid* grid = w.InfoPanel->KoumokuGrid_Koji;
      QStringList values;
      for (int row = 1; row < grid->RowCount(); ++row) values << grid->Cell(2, row);
      QVERIFY2(grid->RowCount() > 5, c.entry);
      QVERIFY2(values.join(QString()).size() > 20, qPrintable(values.join(QLatin1Char('|'))));
      if (c.digiVersion == 7) QVERIFY(values.contains(QStringLiteral("一般国道１２号　白石改良工事")));
      // After the read: no stale step text, the tree has the keyboard, and
      // the empty node's list says how to see photos.
      QCOMPARE(w.StatusPanel(0)->text(), QString());
      QCOMPARE(w.focusWidget(), tree);
      w.UpdateButtons();
      QCOMPARE(w.ListView->EmptyHint(), QStringLiteral("左の工事階層で分類を選ぶと写真が表示されます"));
    }
    QVERIFY(w.infos.isEmpty());
  }

  // A read in list mode leaves it quietly: the lists, the tree and the
  // title look as outside list mode again.
  void loadingInListModeLeavesItQuietly() {
    Settings settings = DefaultSettings(folders_);
    TestWindow w(folders_, settings, delivery_);
    w.show();
    const QString entry = QStringLiteral(ZOR_TEST_DATA "/import/construction/INDEX_C.XML");
    QVERIFY(w.DispatchDeliveryFile(entry));
    const QString title = w.windowTitle();
    w.EnterListMode(2, {1});
    QCOMPARE(w.PhotoLists->ListView->palette().color(QPalette::Base), PhotoLists::kListModeColour);

    QVERIFY(w.DispatchDeliveryFile(entry));
    QCOMPARE(w.context().ListMode(), 0);
    QVERIFY(w.TreePanel->isEnabled());
    QCOMPARE(w.TreePanel->TV_Tree->palette().color(QPalette::Base), TreePanel::kNormalColour);
    for (ThumbnailList* list : {w.PhotoLists->ListView, w.PhotoLists->ListView2})
      QCOMPARE(list->palette().color(QPalette::Base), PhotoLists::kNormalColour);
    QCOMPARE(w.windowTitle(), title);
    QVERIFY(w.infos.isEmpty());
  }

  // Short of memory, no secondary window is made: the hidden kept windows
  // are released and the user is told once per attempt.
  void lowResourcesStopTheCommand() {
    Settings settings = DefaultSettings(folders_);
    TestWindow w(folders_, settings, delivery_);
    bool low = false;
    w.ResourcesLow = [&low] { return low; };
    QPointer<QWidget> keptHidden = new QWidget;
    keptHidden->setProperty(MainWindow::kKeptWindow, true);
    QPointer<QWidget> keptShown = new QWidget;
    keptShown->setProperty(MainWindow::kKeptWindow, true);
    keptShown->show();

    int made = 0;
    QVERIFY(w.CreateWindowChecked([&made] { ++made; }));
    QVERIFY(w.warnings.isEmpty());
    QVERIFY(!w.CreateWindowChecked([] { throw std::bad_alloc(); }));
    QCOMPARE(w.warnings.size(), 1);
    QVERIFY(w.warnings[0].startsWith(QStringLiteral("システムリソースが不足しています。\n\n")));
    QVERIFY(!keptHidden);
    QVERIFY(keptShown);

    low = true;
    QVERIFY(!w.CreateWindowChecked([&made] { ++made; }));
    QCOMPARE(made, 1);
    QCOMPARE(w.warnings.size(), 2);
    delete keptShown;
  }

  void taskBarMenuListsTheShownDialogs() {
    QWidget main, seek, sort;
    struct Case {
      const char* name;
      bool seekShown, sortShown;
      QWidget* active;
      QStringList captions;
      int checked;  // index of the checked entry, -1 none
    };
    const QString m = QStringLiteral("メイン画面(&G)"), f = QStringLiteral("検索(&F)"), s = QStringLiteral("ソート(&S)");
    const Case cases[] = {
        {"no dialog", false, false, &main, {}, -1},
        {"search shown, main active", true, false, &main, {m, f}, 0},
        {"both shown, sort active", true, true, &sort, {m, f, s}, 2},
        {"sort shown, nothing active", false, true, nullptr, {m, s}, -1},
    };
    for (const Case& c : cases) {
      seek.setVisible(c.seekShown);
      sort.setVisible(c.sortShown);
      std::vector<TaskBarEntry> entries = TaskBarEntries(&main, &seek, &sort, c.active);
      QStringList captions;
      int checked = -1;
      for (std::size_t i = 0; i < entries.size(); ++i) {
        captions << entries[i].caption;
        if (entries[i].checked) checked = static_cast<int>(i);
      }
      QCOMPARE(captions, c.captions);
      QVERIFY2(checked == c.checked, c.name);
    }
    QVERIFY(TaskBarEntries(&main, nullptr, nullptr, &main).empty());
    QCOMPARE(TaskBarEntries(&main, &seek, nullptr, nullptr).size(), std::size_t(0));  // seek hidden now
  }

  void ctrlDragKeepsAPanelFromDocking() {
    Settings settings = DefaultSettings(folders_);
    TestWindow w(folders_, settings, delivery_);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    for (bool ctrl : {true, false}) {
      QTest::mousePress(w.Float_Clip, Qt::LeftButton, ctrl ? Qt::ControlModifier : Qt::NoModifier, QPoint(20, 5));
      QCOMPARE(w.Float_Clip->allowedAreas(), ctrl ? Qt::NoDockWidgetArea : Qt::AllDockWidgetAreas);
      QTest::mouseRelease(w.Float_Clip, Qt::LeftButton, ctrl ? Qt::ControlModifier : Qt::NoModifier, QPoint(20, 5));
    }
    // Ctrl pressed or let go while the drag goes on.
    QTest::mousePress(w.Float_Clip, Qt::LeftButton, Qt::NoModifier, QPoint(20, 5));
    for (bool ctrl : {true, false}) {
      QMouseEvent move(QEvent::MouseMove, QPointF(24, 6), w.Float_Clip->mapToGlobal(QPointF(24, 6)), Qt::NoButton,
                       Qt::LeftButton, ctrl ? Qt::ControlModifier : Qt::NoModifier);
      QApplication::sendEvent(w.Float_Clip, &move);
      QCOMPARE(w.Float_Clip->allowedAreas(), ctrl ? Qt::NoDockWidgetArea : Qt::AllDockWidgetAreas);
    }
    QTest::mouseRelease(w.Float_Clip, Qt::LeftButton, Qt::NoModifier, QPoint(24, 6));
  }

  // A published delivery, read through its photo file: every photo lands in
  // the tree, and selecting its class fills the thumbnail list.
  void realDeliveryBrowses() {
    const QString photoFile = QStringLiteral(ZOR_SAMPLES_REAL "/services-2022/PHOTO/PHOTO.XML");
    if (!QFile::exists(photoFile)) QSKIP("the published sample deliveries are not on this machine");
    Settings settings = DefaultSettings(folders_);
    TestWindow w(folders_, settings, delivery_);
    w.show();
    QVERIFY(w.DispatchDeliveryFile(photoFile));
    HierarchyNode* geology = delivery_.Tree.ConstructionNode()->FindChild(Utf8ToCp932("地質"));
    QVERIFY(geology);
    QCOMPARE(geology->Records().size(), std::size_t(64));
    w.TreePanel->SelectNodeNow(geology);
    QCOMPARE(w.ListView->model()->rowCount(), 64);
    // Its pictures are not published: each cell says which file is missing.
    QCOMPARE(w.ListView->Model()->Item(0).cell.missing, QStringLiteral("PHOTO/PIC/P0000001.JPG"));
    QVERIFY(w.infos.isEmpty());
    // Its photos have no 写真区分: the tree warns once about the level.
    QCOMPARE(w.levelWarnings.size(), 1);
  }

  // The information panel keeps the selected photo's tab and row when the
  // window or a panel is resized, docked or undocked.
  void informationPanelKeepsItsTabAcrossResizes() {
    Settings settings = DefaultSettings(folders_);
    TestWindow w(folders_, settings, delivery_);
    w.resize(1000, 700);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.Started = true;
    QVERIFY(w.DispatchDeliveryFile(QStringLiteral(ZOR_TEST_DATA "/import/construction/INDEX_C.XML")));
    HierarchyNode* node = delivery_.Tree.ConstructionNode();
    while (node && node->Records().empty() && node->ChildCount() > 0) node = &node->Child(0);
    QVERIFY(node && !node->Records().empty());
    w.TreePanel->SelectNodeNow(node);
    w.ListView->setFocus();
    w.ListView->SelectListItem(0, true);
    QTRY_COMPARE(w.InfoPanel->TabSetEx->TabIndex(), 1);
    const int row = 3;
    w.InfoPanel->KoumokuGrid_Photo->SetRow(row);
    for (const std::function<void()>& change : std::vector<std::function<void()>>{
             [&] { w.resize(800, 600); }, [&] { w.resizeDocks({w.Float_Clip}, {260}, Qt::Horizontal); },
             [&] { w.Float_Clip->setFloating(true); }, [&] { w.Float_Clip->setFloating(false); }}) {
      change();
      QVERIFY(WindowSettles(w));  // the resize timers have run
      QCOMPARE(w.InfoPanel->TabSetEx->TabIndex(), 1);
      QCOMPARE(w.InfoPanel->KoumokuGrid_Photo->Row(), row);
    }
  }

  // Minimising hides the floating panels and the kept windows that are up;
  // restoring shows them again, but a panel hidden in between stays hidden.
  void minimisingHidesAndRestoringShowsTheOtherWindows() {
    Settings settings = DefaultSettings(folders_);
    TestWindow w(folders_, settings, delivery_);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.Started = true;
    const QString picture = dir_.filePath(QStringLiteral("p.jpg"));
    QImage(64, 48, QImage::Format_RGB32).save(picture, "JPG");
    QVERIFY(w.PhotoLists->ShowInViewer(picture, QString()));
    PhotoViewer* viewerWindow = w.findChild<PhotoViewer*>();
    QVERIFY(viewerWindow && viewerWindow->isVisible());
    QCOMPARE(viewerWindow->IJLImage->StatusHost, static_cast<Host*>(&w));  // JPEG errors reach the status line
    QWidget& viewer = *viewerWindow;
    QWidget other;  // not one of the program's kept windows
    other.show();
    w.Float_Mime->setFloating(true);
    QVERIFY(w.Float_Mime->isVisible());

    w.setWindowState(Qt::WindowMinimized);
    QTRY_VERIFY(!viewer.isVisible());
    QVERIFY(!w.Float_Mime->isVisible());
    QVERIFY(other.isVisible());
    QVERIFY(w.Float_Menu->isVisible());  // docked panels go with the window

    w.setWindowState(Qt::WindowNoState);
    QTRY_VERIFY(viewer.isVisible());
    QVERIFY(w.Float_Mime->isVisible());

    // Hidden after the restore: neither maximising nor the next minimise and
    // restore, shown by the viewer's coming back, bring it up.
    w.Float_Mime->hide();
    w.setWindowState(Qt::WindowMaximized);
    QVERIFY(WindowSettles(w));
    QVERIFY(!w.Float_Mime->isVisible());
    w.setWindowState(Qt::WindowMinimized);
    QTRY_VERIFY(!viewer.isVisible());
    w.setWindowState(Qt::WindowMaximized);
    QTRY_VERIFY(viewer.isVisible());
    QVERIFY(!w.Float_Mime->isVisible());
  }

  // The album goes anywhere but into the delivery's own folder.
  void albumIsNeverWrittenIntoTheDelivery() {
    Settings settings = DefaultSettings(folders_);
    TestWindow w(folders_, settings, delivery_);
    const QString delivery = QStringLiteral(ZOR_TEST_DATA "/import/construction");
    QVERIFY(w.DispatchDeliveryFile(delivery + QStringLiteral("/INDEX_C.XML")));
    for (const QString& inside : {delivery, delivery + QStringLiteral("/PHOTO")}) {
      QVERIFY(!w.WriteAlbumInto(inside));
      QVERIFY(!QFileInfo::exists(inside + QStringLiteral("/ALBUM")));
    }
    QCOMPARE(w.infos.size(), 2);
    QVERIFY(w.infos[0].startsWith(QStringLiteral("電子納品データのフォルダの中には出力できません。")));
    const QString out = dir_.filePath(QStringLiteral("out"));
    QVERIFY(QDir().mkpath(out));
    QVERIFY(w.WriteAlbumInto(out));
    QVERIFY(QFileInfo::exists(out + QStringLiteral("/ALBUM/ALBUM.HTM")));
    QCOMPARE(w.opened.size(), 1);
    // The status line and a message say where the album is.
    const QString start = QDir::toNativeSeparators(out + QStringLiteral("/ALBUM/ALBUM.HTM"));
    QCOMPARE(w.infos.size(), 3);
    QCOMPARE(w.infos[2], QStringLiteral("HTML工事写真帳を作成しました。\n\n") + start);
    QCOMPARE(w.StatusPanel(0)->text(), QStringLiteral("HTML工事写真帳を作成しました: ") + start);
  }

  // With no browser to start (the offscreen platform opens no documents)
  // the message says so, with the path.
  void albumWithoutABrowserSaysWhereItIs() {
    Settings settings = DefaultSettings(folders_);
    BrowserlessWindow w(folders_, settings, delivery_);
    QVERIFY(w.DispatchDeliveryFile(QStringLiteral(ZOR_TEST_DATA "/import/construction/INDEX_C.XML")));
    const QString out = dir_.filePath(QStringLiteral("out-nobrowser"));
    QVERIFY(QDir().mkpath(out));
    QVERIFY(w.WriteAlbumInto(out));
    QCOMPARE(w.infos.size(), 1);
    QVERIFY2(w.infos[0].contains(QDir::toNativeSeparators(out + QStringLiteral("/ALBUM/ALBUM.HTM"))) &&
                 w.infos[0].contains(QStringLiteral("ブラウザを起動できませんでした。")),
             qPrintable(w.infos[0]));
  }

  // Confirming the settings refits the thumbnails at once, whatever the
  // size mode: the just-fit hint names the new count.
  void confirmedSettingsRefitTheThumbnails() {
    Settings settings = DefaultSettings(folders_);
    settings.IconStyle = 0;
    TestWindow w(folders_, settings, delivery_);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    for (bool confirm : {false, true}) {
      QTimer::singleShot(0, &w, [confirm] {
        auto* form = qobject_cast<SettingsDialog*>(QApplication::activeModalWidget());
        QVERIFY(form);
        form->CB_Thumbnail->setValue(confirm ? 5 : 7);
        (confirm ? form->BtnOK : form->BtnCancel)->click();
      });
      w.Mn_EnvClick();
      QVERIFY(WindowSettles(w));
      QCOMPARE(settings.THUMBNAIL_USER, confirm ? 5 : 2);
      QVERIFY2(w.SB_Icon->statusTip().contains(confirm ? QStringLiteral("横か縦に5個") : QStringLiteral("横か縦に2個")),
               qPrintable(w.SB_Icon->statusTip()));
    }
  }

  // The folder choice remembers the folder also when cancelled; a photo
  // folder under an index of a supported standard opens the index, and the
  // remembered folder becomes the delivery's, written like every path
  // setting without a trailing separator.
  void folderChoiceOpensThroughTheIndexAndRemembersTheFolder() {
    Settings settings = DefaultSettings(folders_);
    settings.MsXmlParser = false;
    TestWindow w(folders_, settings, delivery_);
    QStringList opened;
    w.OpenDeliveryFile = [&opened](const QString& f) {
      opened << f;
      return true;
    };
    const QString delivery = dir_.filePath(QStringLiteral("choice/deliv"));
    QDir().mkpath(delivery + QStringLiteral("/PHOTO"));
    QFile(delivery + QStringLiteral("/PHOTO/PHOTO.XML")).open(QIODevice::WriteOnly);
    QFile index(delivery + QStringLiteral("/INDEX_C.XML"));
    QVERIFY(index.open(QIODevice::WriteOnly));
    index.write(QByteArray::fromStdString(Utf8ToCp932(
        "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<constdata DTD_version=\"04\">"
        "<基礎情報><適用要領基準>土木201009-01</適用要領基準></基礎情報></constdata>\n")));
    index.close();
    auto answer = [](bool accept) {
      QTimer::singleShot(0, [accept] {
        auto* form = qobject_cast<FolderChooser*>(QApplication::activeModalWidget());
        QVERIFY(form);
        (accept ? form->OpenBtn : form->CloseBtn)->click();
      });
    };

    const QString other = dir_.filePath(QStringLiteral("choice"));
    settings.XmlLoad_Path = Utf8ToCp932(other.toStdString());
    answer(false);
    QVERIFY(!w.ChooseDeliveryFolder(false));
    QCOMPARE(QString::fromStdString(Cp932ToUtf8(settings.XmlLoad_Path)), other);
    QVERIFY(opened.isEmpty());

    settings.XmlLoad_Path = Utf8ToCp932((delivery + QStringLiteral("/PHOTO")).toStdString());
    answer(true);
    QVERIFY(w.ChooseDeliveryFolder(false));
    QCOMPARE(opened, QStringList{delivery + QStringLiteral("/INDEX_C.XML")});
    // The folder that was opened is kept, so that the next choice starts
    // where 実行 can be pressed at once.
    QCOMPARE(QString::fromStdString(Cp932ToUtf8(settings.XmlLoad_Path)), delivery + QStringLiteral("/PHOTO"));
    QString started;
    bool enabled = false;
    QTimer::singleShot(0, [&] {
      auto* form = qobject_cast<FolderChooser*>(QApplication::activeModalWidget());
      QVERIFY(form);
      started = form->Choice().folder;
      enabled = form->OpenBtn->isEnabled();
      form->CloseBtn->click();
    });
    QVERIFY(!w.ChooseDeliveryFolder(false));
    QCOMPARE(started, delivery + QStringLiteral("/PHOTO"));
    QVERIFY(enabled);
    // Never chosen yet (the program folder by default): the home folder.
    settings.XmlLoad_Path = Utf8ToCp932(QDir::cleanPath(QString::fromStdString(folders_.program)).toStdString());
    QTimer::singleShot(0, [&] {
      auto* form = qobject_cast<FolderChooser*>(QApplication::activeModalWidget());
      QVERIFY(form);
      started = form->Choice().folder;
      form->CloseBtn->click();
    });
    QVERIFY(!w.ChooseDeliveryFolder(false));
    QCOMPARE(started, QDir::homePath());
  }

  // A help page the desktop cannot open gives an error box under the
  // application title instead of silence. The offscreen platform opens no
  // documents, which is the failure here.
  void helpThatCannotBeShownIsReported() {
    Settings settings = DefaultSettings(folders_);
    TestWindow w(folders_, settings, delivery_);
    const QString help = dir_.filePath(QStringLiteral("help.html"));
    QFile(help).open(QIODevice::WriteOnly);
    w.SetHelpFile(help);
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QTimer::singleShot(0, &w, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box);
      title = box->windowTitle();
      text = box->text();
      icon = box->icon();
      box->accept();
    });
    w.SearchforHelpOn->trigger();
    QCOMPARE(icon, QMessageBox::Critical);
    QCOMPARE(title, ApplicationTitle());
    QVERIFY2(text.startsWith(QStringLiteral("ヘルプを表示できません。")) && text.contains(QStringLiteral("help.html")),
             qPrintable(text));
  }

  // Help opens in a window of the program at the topic asked for; its
  // button hands the same page and anchor to the desktop.
  void helpOpensInsideTheProgram() {
    Settings settings = DefaultSettings(folders_);
    TestWindow w(folders_, settings, delivery_);
    const QString help = dir_.filePath(QStringLiteral("index.html"));
    QFile file(help);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<html><body><h2 id=\"contents\">目次</h2><p>x</p><h2 id=\"ctx32\">検証</h2><p>y</p></body></html>");
    file.close();
    w.SetHelpFile(help);
    w.SearchforHelpOn->trigger();
    auto* window = w.findChild<HelpWindow*>();
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QCOMPARE(window->Page(), QUrl::fromLocalFile(help));
    QVERIFY(window->Browser->toPlainText().contains(QStringLiteral("検証")));
    w.ShowHelpContext(32);
    QCOMPARE(w.findChildren<HelpWindow*>().size(), 1);  // the same window again
    QCOMPARE(window->Page().fragment(), QStringLiteral("ctx32"));
    QUrl handed;
    window->OpenWithDesktop = [&](const QUrl& url) {
      handed = url;
      return true;
    };
    window->OpenInBrowser->click();
    QCOMPARE(handed, window->Page());
  }

  // Coming to the front (task bar menu, second instance) restores a
  // minimised window to the state it had, maximised included.
  void bringingToFrontRestoresTheFormerState() {
    Settings settings = DefaultSettings(folders_);
    TestWindow w(folders_, settings, delivery_);
    w.showMaximized();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.showMinimized();
    QVERIFY(w.isMinimized());
    TaskBarMenu::BringToFront(&w, &w);
    QVERIFY(!w.isMinimized());
    QVERIFY(w.isMaximized());
  }

  void titleNamesTheWork() {
    Settings settings = DefaultSettings(folders_);
    TestWindow w(folders_, settings, delivery_);
    delivery_.WorkName = Utf8ToCp932("ＸＭＬ入力");
    w.UpdateTitle();
    QVERIFY(w.windowTitle().endsWith(QStringLiteral(" (ＸＭＬ入力)")));
    QCOMPARE(w.StatusPanel(3)->text(), QStringLiteral(" ＸＭＬ入力"));
    // The caption alone reaches the window system, for the main window and
    // for a dialog it opens afterwards; its message boxes carry the caption too.
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.windowHandle()->title(), w.windowTitle());
    auto shownTitle = [](const std::function<void()>& open) {
      QString title = QStringLiteral("(nothing shown)");
      QTimer::singleShot(0, [&title] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        title = modal->windowHandle() ? modal->windowHandle()->title() : QStringLiteral("(no window)");
        modal->close();
      });
      open();
      return title;
    };
    QCOMPARE(shownTitle([&] { w.Mn_EnvClick(); }), QStringLiteral("環境設定"));
    QCOMPARE(shownTitle([&] { w.MainWindow::ShowInformation(Sj("お知らせ")); }), w.windowTitle());
    QCOMPARE(ApplicationTitle(), w.windowTitle());
  }

  void narrowWindowShrinksTheLeftSiteFirst() {
    Settings settings = DefaultSettings(folders_);
    TestWindow w(folders_, settings, delivery_);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.Float_Help->show();
    w.resizeDocks({w.Float_Help}, {350}, Qt::Horizontal);
    w.resize(500, 600);
    QCoreApplication::processEvents();
    w.ApplyResizeRule();
    QCoreApplication::processEvents();
    QVERIFY2(w.Float_Menu->width() >= 50, qPrintable(QString::number(w.Float_Menu->width())));
    QVERIFY(w.Float_Menu->width() < 300);
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
