// The search, sort and verification dialogs over a fixture delivery, driven
// through their controls as a user would.
#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "browse_window.h"
#include "forms/history_combo_box.h"
#include "forms/info_panel.h"
#include "forms/qtext.h"
#include "forms/search_dialog.h"
#include "forms/sort_dialog.h"
#include "forms/task_bar_menu.h"
#include "forms/verification_dialog.h"
#include "store/index_codes.h"

using namespace zor;

namespace {

// Nodes: 土工 holds records 1 .. 3, 舗装工 4 and 5, 品質管理写真 6.
void LoadPhotos(BrowseFixture& fixture) {
  struct Photo {
    const char* title;
    HierarchyPath path;
    int flag;
    const char* date;
    int filmnum;
  } photos[] = {
      {"カメラ1", {"工事", "施工状況写真", "土工"}, 1, "2004-05-01", 10},
      {"別の写真", {"工事", "施工状況写真", "土工"}, 0, "2004-06-01", 1},
      {"かめら2", {"工事", "施工状況写真", "土工"}, 10, "2004/5/3", 9},
      {"カメラ3", {"工事", "施工状況写真", "舗装工"}, 9, "2004-05-31", 0},
      {"", {"工事", "施工状況写真", "舗装工"}, 0, "", 0},
      {"ケーキ", {"工事", "品質管理写真"}, 0, "2004-06-01", 0},
  };
  std::vector<FixturePhoto> list;
  for (const Photo& p : photos) list.push_back({p.title, p.path, p.flag, QString(), {400, 300}, {}});
  fixture.Load(list);
  int record = 0;
  for (const Photo& p : photos) {
    fixture.SetText(++record, "DATE", p.date);
    fixture.SetNumber(record, "FILMNUM", p.filmnum);
  }
}

QStringList Items(QComboBox* box) {
  QStringList items;
  for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
  return items;
}

TIntList Shown(BrowseWindow& w) { return w.PhotoLists->CurrentList(); }

}  // namespace

class ListDialogsTest : public QObject {
  Q_OBJECT
 private:
  static void Choose(BrowseSetup& s, HierarchyNode* node) {
    s.window->TreePanel->SelectNodeNow(node);
    QVERIFY(s.window->context().Node() == node);
  }
  static SearchDialog* OpenSeek(BrowseWindow& w, int version) {
    w.delivery().DigiVersion = version;
    w.SB_List->click();
    return w.SeekForm;
  }
  // Chooses the key entry by its text.
  static void Key(SearchDialog* f, const QString& text) {
    const int i = f->CE_Seek_Ken->findText(text, Qt::MatchStartsWith);
    QVERIFY2(i >= 0, qPrintable(text));
    f->CE_Seek_Ken->setCurrentIndex(i);
  }

 private slots:
  void keyListsByStandardAndMode() {
    BrowseSetup s;
    LoadPhotos(s.fixture);
    BrowseWindow& w = s.Open();
    SearchDialog* f = OpenSeek(w, 7);
    QVERIFY(f && f->isVisible());
    QVERIFY(f->windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(f->windowTitle(), QStringLiteral("移動"));
    f->Today = [] { return QDate(2004, 5, 1); };
    f->close();
    w.SB_List->click();  // a later showing rebuilds, with the fixed date
    QCOMPARE(w.SeekForm, f);  // kept
    QCOMPARE(Items(f->CE_Seek_Ken),
             QStringList({"代表写真(例:0,1)", "ファイル日本語名", "タイトル", "撮影箇所", "写真/撮影年月日 (例:2004-05-01)",
                          "提出頻度写真(例:0,1)"}));
    QCOMPARE(Items(f->CE_Seek_Pos), QStringList({"先頭から", "現在階層から下に"}));
    QVERIFY(f->CE_Sort->isEnabled());
    f->CE_Seek_Iciran->setCurrentIndex(1);  // 移動
    QCOMPARE(f->CE_Seek_Ken->itemText(0), QStringLiteral("工事階層/工事フォルダ"));
    QCOMPARE(f->CE_Seek_Ken->count(), 7);
    QCOMPARE(f->CurrentKey(), 0);
    QCOMPARE(Items(f->CE_Seek_Pos), QStringList({"先頭から", "現在位置から下に", "現在位置から上に"}));
    QVERIFY(!f->CE_Sort->isEnabled());
    QVERIFY(f->CE_Seek_Str1->isVisible());

    f->close();
    OpenSeek(w, 0);
    QCOMPARE(Items(f->CE_Seek_Ken).mid(5),
             QStringList({"写真/撮影年月日 (例:2004-05-01)", "フィルム番号", "コマ番号"}));
    QCOMPARE(f->CE_Seek_Ken->itemText(1), QStringLiteral("写真整理フラッグ (例:0～99)"));
    f->CE_Seek_Iciran->setCurrentIndex(0);
    QCOMPARE(f->CE_Seek_Ken->count(), 7);
    QCOMPARE(f->CE_Sort->count(), 8);
  }

  void settingsSurviveTheFirstShowingOnlyUnderStandard7() {
    for (int version : {7, 5}) {
      BrowseSetup s;
      LoadPhotos(s.fixture);
      BrowseWindow& w = s.Open();
      w.settings().MainSeekKoumoku = 3;
      w.settings().MainSeekSort = 2;
      w.settings().MainSeekPos = 0;
      SearchDialog* f = OpenSeek(w, version);
      QCOMPARE(f->CE_Seek_Ken->currentIndex(), version == 7 ? 3 : 0);
      QCOMPARE(f->CE_Sort->currentIndex(), version == 7 ? 2 : 0);
      QCOMPARE(f->CE_Seek_Pos->currentIndex(), 0);
    }
  }

  void keptEntriesWhenTheStandardChanges() {
    BrowseSetup s;
    LoadPhotos(s.fixture);
    BrowseWindow& w = s.Open();
    SearchDialog* f = OpenSeek(w, 7);
    f->CE_Seek_Ken->setCurrentIndex(5);  // 提出頻度写真, the sixth entry
    f->CE_Sort->setCurrentIndex(6);      // 提出頻度写真, the seventh
    f->close();
    OpenSeek(w, 5);
    QCOMPARE(f->CE_Seek_Ken->currentIndex(), 4);  // clamped to the last
    QCOMPARE(f->CE_Sort->currentIndex(), 0);      // beyond the sixth
    QCOMPARE(f->CurrentKey(), static_cast<int>(kSeekDate));
    QVERIFY(f->CE_Seek_Str2->isVisible());  // the key change ran
  }

  void keyChangeShowsItsInputs() {
    BrowseSetup s;
    LoadPhotos(s.fixture);
    BrowseWindow& w = s.Open();
    SearchDialog* f = OpenSeek(w, 7);
    Key(f, QStringLiteral("タイトル"));
    f->CE_Seek_Str1->setEditText(QStringLiteral("x"));
    Key(f, QStringLiteral("代表写真"));
    QVERIFY(f->CE_Seek_Str4->isVisible() && !f->CE_Seek_Str5->isVisible() && !f->CE_Seek_Str1->isVisible() &&
            !f->CE_Seek_Str2->isVisible());
    QVERIFY(f->LB_Seek_Str2->isVisible() && !f->LB_Seek_Str1->isVisible());
    QCOMPARE(f->CE_Seek_Str1->currentText(), QString());  // emptied
    Key(f, QStringLiteral("提出頻度写真"));
    QVERIFY(f->CE_Seek_Str5->isVisible() && !f->CE_Seek_Str4->isVisible());
    Key(f, QStringLiteral("写真/撮影年月日"));
    QVERIFY(f->CE_Seek_Str2->isVisible() && f->CE_Seek_Str3->isVisible() && f->LB_Seek_Str3->isVisible());
    QCOMPARE(f->CE_Seek_Str2->Style(), HistoryComboBox::esDate);
    // The date style drops down a calendar that enters the day picked.
    f->CE_Seek_Str2->showPopup();
    QVERIFY(f->CE_Seek_Str2->Calendar() && f->CE_Seek_Str2->Calendar()->isVisible());
    emit f->CE_Seek_Str2->Calendar()->clicked(QDate(2004, 5, 3));
    QCOMPARE(f->CE_Seek_Str2->currentText(), QStringLiteral("2004-05-03"));
    QVERIFY(!f->CE_Seek_Str2->Calendar()->isVisible());
    Key(f, QStringLiteral("タイトル"));
    QVERIFY(f->CE_Seek_Str1->isVisible() && f->LB_Seek_Str1->isVisible() && !f->LB_Seek_Str2->isVisible());
    f->close();
    OpenSeek(w, 0);
    Key(f, QStringLiteral("写真整理フラッグ"));
    QVERIFY(f->CE_Seek_Str2->isVisible() && !f->CE_Seek_Str4->isVisible());
    QCOMPARE(f->CE_Seek_Str2->Style(), HistoryComboBox::esPickList);
    // Entering the upper bound copies an edited lower bound.
    f->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f));
    QTest::keyClicks(f->CE_Seek_Str2->lineEdit(), QStringLiteral("5"));
    f->CE_Seek_Str3->setFocus();
    QVERIFY(QTest::qWaitFor([f] { return f->CE_Seek_Str3->hasFocus(); }, 2000));
    QCOMPARE(f->CE_Seek_Str3->currentText(), QStringLiteral("5"));
  }

  // The upper bound takes the lower one however it was entered: typed,
  // picked from the calendar or from the history.
  void upperBoundCopiesAPickedLowerBound() {
    BrowseSetup s;
    LoadPhotos(s.fixture);
    BrowseWindow& w = s.Open();
    SearchDialog* f = OpenSeek(w, 7);
    f->CE_Seek_Iciran->setCurrentIndex(0);
    f->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f));
    auto enterUpperBound = [f] {
      f->CE_Seek_Str2->setFocus();
      QVERIFY(QTest::qWaitFor([f] { return f->CE_Seek_Str2->hasFocus(); }, 2000));
      f->CE_Seek_Str3->setFocus();
      QVERIFY(QTest::qWaitFor([f] { return f->CE_Seek_Str3->hasFocus(); }, 2000));
    };
    Key(f, QStringLiteral("写真/撮影年月日"));
    f->CE_Seek_Str2->showPopup();
    QVERIFY(f->CE_Seek_Str2->Calendar());
    emit f->CE_Seek_Str2->Calendar()->clicked(QDate(2004, 5, 3));
    enterUpperBound();
    QCOMPARE(f->CE_Seek_Str3->currentText(), QStringLiteral("2004-05-03"));

    // A key change empties the inputs and forgets the edit.
    Key(f, QStringLiteral("代表写真"));
    Key(f, QStringLiteral("写真/撮影年月日"));
    enterUpperBound();
    QCOMPARE(f->CE_Seek_Str3->currentText(), QString());
    f->CE_Seek_Str2->SetHistory({QStringLiteral("2004-06-01")});
    f->CE_Seek_Str2->setCurrentIndex(0);  // picked from the drop-down
    enterUpperBound();
    QCOMPARE(f->CE_Seek_Str3->currentText(), QStringLiteral("2004-06-01"));
  }

  // A read error of the photo table ends a search, a sort or a verification
  // with the table's message; the program goes on.
  void tableErrorsEndTheWorkWithAWarning() {
    BrowseSetup s;
    LoadPhotos(s.fixture);
    BrowseWindow& w = s.Open();
    Choose(s, s.Node({"工事", "施工状況写真", "土工"}));
    TViewDataSet& table = w.delivery().PhotoTable;
    const int kasyo = table.FieldPos.KASYO;
    auto expectWarning = [&](const char* what) {
      QVERIFY2(w.warnings.size() == 1, what);
      QVERIFY2(!w.warnings[0].isEmpty(), what);
      QVERIFY2(!QGuiApplication::overrideCursor(), what);
      QVERIFY2(w.ProgressBar->isHidden(), what);
      QVERIFY2(w.infos.isEmpty(), what);
      w.warnings.clear();
    };

    SearchDialog* f = OpenSeek(w, 7);
    Key(f, QStringLiteral("撮影箇所"));
    f->CE_Seek_Str1->setEditText(QStringLiteral("x"));
    table.FieldPos.KASYO = -1;  // the table no longer has the field
    f->OpenBtn->click();
    expectWarning("list mode");
    QCOMPARE(w.context().ListMode(), 0);
    f->CE_Seek_Iciran->setCurrentIndex(1);
    Key(f, QStringLiteral("撮影箇所"));
    f->CE_Seek_Str1->setEditText(QStringLiteral("x"));
    f->OpenBtn->click();
    expectWarning("move mode");

    table.FieldPos.KASYO = kasyo;
    w.SB_Sort->click();
    w.SortForm->ComboBox[0]->setCurrentIndex(4);  // 撮影箇所
    table.FieldPos.KASYO = -1;
    w.SortForm->OpenBtn->click();
    expectWarning("sort");
    QCOMPARE(w.context().ListMode(), 0);

    w.findChild<QAction*>(QStringLiteral("Mn_InputMiss"))->trigger();
    w.MissForm->CE_Hanni->setCurrentIndex(1);  // 撮影箇所 counts from scope 1 on
    w.MissForm->OpenBtn->click();
    expectWarning("verification");
    QVERIFY(!w.MissForm->MM_Kekka->toPlainText().contains(QStringLiteral("ありませんでした")));
    table.FieldPos.KASYO = kasyo;
  }

  void listModeSearches() {
    BrowseSetup s;
    LoadPhotos(s.fixture);
    BrowseWindow& w = s.Open();
    SearchDialog* f = OpenSeek(w, 7);
    f->CE_Seek_Iciran->setCurrentIndex(0);
    Key(f, QStringLiteral("タイトル"));
    f->CE_Seek_Mode->setCurrentIndex(kMatchContains);
    f->CE_Seek_Pos->setCurrentIndex(0);
    f->CE_Seek_Str1->setEditText(QStringLiteral("ｶﾒﾗ"));
    QTest::keyClick(f->CE_Seek_Str1->lineEdit(), Qt::Key_Return);  // Enter searches
    QCOMPARE(w.context().ListMode(), 2);
    QCOMPARE(Shown(w), TIntList({1, 3, 4}));
    QVERIFY(!w.TreePanel->isEnabled());

    // Dates by range; 2004/5/3 reads as 2004 and an empty date never matches.
    Key(f, QStringLiteral("写真/撮影年月日"));
    f->CE_Seek_Str2->setEditText(QStringLiteral("2004-05-01"));
    f->CE_Seek_Str3->setEditText(QStringLiteral("2004-05-31"));
    f->OpenBtn->click();
    QCOMPARE(Shown(w), TIntList({1, 4}));
    f->CE_Seek_Str2->setEditText(QString());
    f->OpenBtn->click();
    QCOMPARE(Shown(w), TIntList({1, 3, 4}));

    // 1:代表写真 finds FLAG 1 and more, sorted by the flag.
    Key(f, QStringLiteral("代表写真"));
    f->CE_Seek_Str4->setCurrentIndex(1);
    f->CE_Sort->setCurrentIndex(1);
    f->OpenBtn->click();
    QCOMPARE(Shown(w), TIntList({1, 4, 3}));
    f->CE_Seek_Str4->setCurrentIndex(0);
    f->CE_Sort->setCurrentIndex(0);
    f->OpenBtn->click();
    QCOMPARE(Shown(w), TIntList({1, 2, 3, 4, 5, 6}));

    Key(f, QStringLiteral("タイトル"));
    f->CE_Seek_Str1->setEditText(QStringLiteral("存在しない"));
    w.infos.clear();
    f->OpenBtn->click();
    QCOMPARE(w.infos, QStringList{QStringLiteral("検索されませんでした。")});
    QCOMPARE(Shown(w), TIntList({1, 2, 3, 4, 5, 6}));  // the last result stays

    // The choices went to the settings with the search.
    QCOMPARE(w.settings().MainSeekKoumoku, f->CE_Seek_Ken->currentIndex());
    QCOMPARE(int(w.settings().MainSeekStyle), int(kMatchContains));
    QVERIFY(w.settings().MainSeekIciran);
  }

  void listModeBelowTheSelectedLevel2Node() {
    BrowseSetup s;
    LoadPhotos(s.fixture);
    BrowseWindow& w = s.Open();
    Choose(s, s.Node({"工事", "施工状況写真"}));
    SearchDialog* f = OpenSeek(w, 7);
    f->CE_Seek_Iciran->setCurrentIndex(0);
    Key(f, QStringLiteral("タイトル"));
    f->CE_Seek_Pos->setCurrentIndex(1);  // 現在階層から下に
    f->OpenBtn->click();
    QCOMPARE(Shown(w), TIntList({1, 2, 3, 4, 5}));
    f->CE_Seek_LevelSt->setCurrentIndex(4);  // 種別から: none of the nodes
    w.infos.clear();
    f->OpenBtn->click();
    QCOMPARE(w.infos, QStringList{QStringLiteral("検索されませんでした。")});
  }

  void moveModeStepsThroughMatches() {
    BrowseSetup s;
    LoadPhotos(s.fixture);
    BrowseWindow& w = s.Open();
    w.PhotoLists->EnterListMode(2, {6});
    SearchDialog* f = OpenSeek(w, 7);
    f->CE_Seek_Iciran->setCurrentIndex(0);
    w.infos.clear();
    f->CE_Seek_Iciran->setCurrentIndex(1);  // move mode leaves list mode
    QCOMPARE(w.context().ListMode(), 0);
    QCOMPARE(w.infos, QStringList{QStringLiteral("「一覧モード」を解除しました")});
    Choose(s, s.Node({"工事", "施工状況写真", "土工"}));
    QCOMPARE(w.ListView->FocusedRow(), 0);
    Key(f, QStringLiteral("タイトル"));
    f->CE_Seek_Mode->setCurrentIndex(kMatchContains);
    f->CE_Seek_Pos->setCurrentIndex(1);  // 現在位置から下に
    f->CE_Seek_Str1->setEditText(QStringLiteral("カメラ"));
    w.infos.clear();
    f->OpenBtn->click();
    QCOMPARE(w.context().Node(), s.Node({"工事", "施工状況写真", "土工"}));
    QCOMPARE(w.ListView->FocusedRow(), 2);  // かめら2
    f->OpenBtn->click();
    QCOMPARE(w.context().Node(), s.Node({"工事", "施工状況写真", "舗装工"}));
    QCOMPARE(w.ListView->FocusedRow(), 0);
    QCOMPARE(w.context().Photo(), 4);
    QVERIFY(w.infos.isEmpty());
    f->OpenBtn->click();
    QCOMPARE(w.infos, QStringList{QStringLiteral("検索されませんでした。")});
    // Backward again.
    f->CE_Seek_Pos->setCurrentIndex(2);
    f->OpenBtn->click();
    QCOMPARE(w.context().Node(), s.Node({"工事", "施工状況写真", "土工"}));
    QCOMPARE(w.ListView->FocusedRow(), 2);

    // An empty date reads as 0: it matches a range with an upper bound only.
    Key(f, QStringLiteral("写真/撮影年月日"));
    f->CE_Seek_Pos->setCurrentIndex(0);
    f->CE_Seek_Str3->setEditText(QStringLiteral("2004-05-31"));
    f->CE_Seek_Str2->setEditText(QStringLiteral("2004-05-02"));
    f->OpenBtn->click();
    QCOMPARE(w.context().Node(), s.Node({"工事", "施工状況写真", "舗装工"}));
    QCOMPARE(w.ListView->FocusedRow(), 0);
    f->CE_Seek_Str2->setEditText(QString());
    f->OpenBtn->click();  // from the top: 2004-05-01 first
    QCOMPARE(w.context().Photo(), 1);
    f->CE_Seek_Pos->setCurrentIndex(1);
    f->OpenBtn->click();
    QCOMPARE(w.context().Photo(), 3);  // 2004/5/3 is 2004
    f->OpenBtn->click();
    f->OpenBtn->click();
    QCOMPARE(w.context().Photo(), 5);  // the empty date
  }

  void moveModeOverCaptions() {
    BrowseSetup s;
    LoadPhotos(s.fixture);
    BrowseWindow& w = s.Open();
    SearchDialog* f = OpenSeek(w, 7);
    f->CE_Seek_Iciran->setCurrentIndex(1);
    QCOMPARE(f->CurrentKey(), 0);
    f->CE_Seek_Pos->setCurrentIndex(1);
    f->CE_Seek_LevelSt->setCurrentIndex(2);  // 区分から
    f->CE_Seek_LevelEn->setCurrentIndex(2);  // 区分まで
    f->OpenBtn->click();  // empty text: the next node within the levels
    QCOMPARE(w.context().Node(), s.Node({"工事", "施工状況写真"}));
    f->OpenBtn->click();
    QCOMPARE(w.context().Node(), s.Node({"工事", "品質管理写真"}));
    f->OpenBtn->click();  // the last node again: it is the start itself
    QCOMPARE(w.context().Node(), s.Node({"工事", "品質管理写真"}));
    f->CE_Seek_LevelSt->setCurrentIndex(0);
    f->CE_Seek_LevelEn->setCurrentIndex(0);
    f->CE_Seek_Pos->setCurrentIndex(0);
    f->CE_Seek_Mode->setCurrentIndex(kMatchEqual);
    f->CE_Seek_Str1->setEditText(QStringLiteral("ほそうこう"));
    w.infos.clear();
    f->OpenBtn->click();
    QCOMPARE(w.infos, QStringList{QStringLiteral("検索されませんでした。")});
    f->CE_Seek_Str1->setEditText(QStringLiteral("舗装工"));
    f->OpenBtn->click();
    QCOMPARE(w.context().Node(), s.Node({"工事", "施工状況写真", "舗装工"}));
  }

  void historyAndSettingsAreKept() {
    BrowseSetup s;
    LoadPhotos(s.fixture);
    BrowseWindow& w = s.Open();
    SearchDialog* f = OpenSeek(w, 7);
    f->CE_Seek_Iciran->setCurrentIndex(1);
    Key(f, QStringLiteral("タイトル"));
    for (const QString& text : {QStringLiteral("ｶﾒﾗ"), QStringLiteral("ケーキ"), QStringLiteral("ｶﾒﾗ")}) {
      f->CE_Seek_Str1->setEditText(text);
      f->OpenBtn->click();
    }
    QCOMPARE(f->CE_Seek_Str1->History(), QStringList({"ｶﾒﾗ", "ケーキ"}));
    const QString file = QString::fromStdString(s.folders.userData) + QString::fromLatin1(SearchDialog::kHistoryFile);
    QVERIFY(QFile::exists(file));
    f->CE_Seek_LevelEn->setCurrentIndex(3);
    QTest::keyClick(f->CE_Seek_Str1->lineEdit(), Qt::Key_Escape);  // Escape closes
    QVERIFY(!f->isVisible());
    QCOMPARE(w.settings().MainSeekHanniEn, 3);
    QVERIFY(!w.settings().MainSeekIciran);
    // A new dialog starts from the settings and the kept history.
    SearchDialog again(w.settings(), file.toStdString(), nullptr);
    QCOMPARE(again.CE_Seek_Iciran->currentIndex(), 1);
    QCOMPARE(again.CE_Seek_LevelEn->currentIndex(), 3);
    QCOMPARE(again.CE_Seek_Str1->History(), QStringList({"ｶﾒﾗ", "ケーキ"}));
  }

  void sortByKeys() {
    BrowseSetup s;
    LoadPhotos(s.fixture);
    BrowseWindow& w = s.Open();
    HierarchyNode* doko = s.Node({"工事", "施工状況写真", "土工"});
    Choose(s, doko);
    w.delivery().DigiVersion = 7;
    w.SB_Sort->click();
    SortDialog* f = w.SortForm;
    QVERIFY(f && f->isVisible());
    QCOMPARE(f->windowTitle(), QStringLiteral("ソート条件"));
    QCOMPARE(f->Label[0]->text(), QStringLiteral("条件１"));
    QCOMPARE(Items(f->CB_Sortjun), QStringList({"昇順", "降順"}));
    QCOMPARE(f->ComboBox[4]->itemText(6), QStringLiteral("提出頻度写真"));
    // All 指定無: the order stays, in list mode 1.
    f->OpenBtn->click();
    QCOMPARE(w.context().ListMode(), 1);
    QCOMPARE(Shown(w), TIntList({1, 2, 3}));
    QVERIFY(!w.TreePanel->isEnabled());
    // FLAG 1, 0, 10: 0 first, 10 after 1 (right-aligned).
    f->ComboBox[0]->setCurrentIndex(1);
    f->OpenBtn->click();
    QCOMPARE(Shown(w), TIntList({2, 1, 3}));
    QCOMPARE(doko->Records(), TIntList({1, 2, 3}));  // the tree's list is untouched
    // The sort applies to the shown list: date descending, ties kept.
    w.PhotoLists->EnterListMode(2, {6, 5, 4, 3, 2, 1});
    f->ComboBox[0]->setCurrentIndex(5);
    f->CB_Sortjun->setCurrentIndex(1);
    f->OpenBtn->click();
    // 2004/5/3 sorts above the 2004-mm-dd dates: '/' follows '-'.
    QCOMPARE(Shown(w), TIntList({3, 6, 2, 4, 1, 5}));
  }

  void sortListsFollowTheStandard() {
    BrowseSetup s;
    LoadPhotos(s.fixture);
    BrowseWindow& w = s.Open();
    Choose(s, s.Node({"工事", "施工状況写真", "土工"}));
    w.delivery().DigiVersion = 7;
    w.SB_Sort->click();
    SortDialog* f = w.SortForm;
    f->ComboBox[0]->setCurrentIndex(6);  // 提出頻度写真
    f->ComboBox[1]->setCurrentIndex(1);
    f->close();
    w.delivery().DigiVersion = 5;
    w.SB_Sort->click();
    QCOMPARE(f->ComboBox[0]->count(), 6);
    QCOMPARE(f->ComboBox[0]->currentIndex(), -1);  // blank
    QCOMPARE(f->ComboBox[1]->currentIndex(), 1);
    f->OpenBtn->click();  // the blank list builds no key
    QCOMPARE(Shown(w), TIntList({2, 1, 3}));
    f->close();
    w.delivery().DigiVersion = 0;
    w.SB_Sort->click();
    f->ComboBox[2]->setCurrentIndex(7);  // コマ番号
    f->ComboBox[3]->setCurrentIndex(6);  // フィルム番号
    f->close();
    w.delivery().DigiVersion = 7;
    w.SB_Sort->click();
    QCOMPARE(f->ComboBox[2]->currentText(), QStringLiteral("指定無"));
    QCOMPARE(f->ComboBox[3]->currentText(), QStringLiteral("指定無"));
    QCOMPARE(f->ComboBox[0]->currentIndex(), -1);
  }

  void verificationScopesAndListMode() {
    BrowseSetup s;
    LoadPhotos(s.fixture);
    BrowseWindow& w = s.Open();
    w.delivery().DigiVersion = 0;
    w.settings().MissHanni = 1;
    w.findChild<QAction*>(QStringLiteral("Mn_InputMiss"))->trigger();
    VerificationDialog* f = w.MissForm;
    QVERIFY(f && f->isVisible());
    QCOMPARE(f->windowTitle(), QStringLiteral("入力漏れ/入力ミスの検証"));
    QCOMPARE(f->CE_Hanni->count(), 3);
    QCOMPARE(f->CE_Hanni->currentIndex(), 1);
    QCOMPARE(f->Version->text(), Qs(StandardVersionTexts()[0]));
    QCOMPARE(f->OpenBtn->text(), QStringLiteral("開始(&R)"));
    QCOMPARE(f->CloseBtn->text(), QStringLiteral("閉じる(&C)"));
    QVERIFY(f->MM_Kekka->font().fixedPitch());
    // Scope 0, version 0: only the photo without a title is missing; the
    // date 2004/5/3 is wrong in every scope.
    f->CE_Hanni->setCurrentIndex(0);
    QTest::keyClick(f->CE_Hanni, Qt::Key_Return);  // Enter starts
    QCOMPARE(w.settings().MissHanni, 0);
    QCOMPARE(w.context().ListMode(), 2);
    QCOMPARE(Shown(w), TIntList({3, 5}));
    const QString report = f->MM_Kekka->toPlainText();
    QVERIFY2(report.contains(QStringLiteral("【写真情報】の未入力項目が 1 件ありました。")), qPrintable(report));
    QVERIFY(report.contains(QStringLiteral("対象となる工事写真を一覧を表示します")));
    // Minimising and restoring the main window keeps the report.
    w.Started = true;
    w.setWindowState(Qt::WindowMinimized);
    QTRY_VERIFY(!f->isVisible());
    w.setWindowState(Qt::WindowNoState);
    QTRY_VERIFY(f->isVisible());
    QCOMPARE(f->MM_Kekka->toPlainText(), report);
    // Scope 1: 撮影箇所 is empty everywhere.
    f->CE_Hanni->setCurrentIndex(1);
    f->OpenBtn->click();
    QCOMPARE(Shown(w), TIntList({1, 2, 3, 4, 5, 6}));
    QVERIFY(f->MM_Kekka->toPlainText().contains(QStringLiteral("【写真情報】の未入力項目が 6 件ありました。")));
    f->CE_Hanni->setCurrentIndex(2);
    QTest::keyClick(f->CE_Hanni, Qt::Key_Escape);  // Escape closes
    QVERIFY(!f->isVisible());
    QCOMPARE(w.settings().MissHanni, 2);
    // A new showing empties the report and shows the kept scope.
    w.findChild<QAction*>(QStringLiteral("Mn_InputMiss"))->trigger();
    QCOMPARE(w.MissForm, f);
    QVERIFY(f->MM_Kekka->toPlainText().isEmpty());
    QCOMPARE(f->CE_Hanni->currentIndex(), 2);
  }

  void standardChangeClosesTheDialogs() {
    BrowseSetup s;
    LoadPhotos(s.fixture);
    BrowseWindow& w = s.Open();
    w.SB_List->click();
    w.SB_Sort->click();
    w.findChild<QAction*>(QStringLiteral("Mn_InputMiss"))->trigger();
    QVERIFY(w.SeekForm->isVisible() && w.SortForm->isVisible() && w.MissForm->isVisible());
    for (QWidget* d : std::initializer_list<QWidget*>{w.SeekForm, w.SortForm, w.MissForm})
      QVERIFY(d->property("hideWithMain").toBool() && d->property(MainWindow::kKeptWindow).toBool());
    // The task bar menu offers the two shown list dialogs.
    QList<QWidget*> offered;
    for (const TaskBarEntry& e : w.TaskBar->Entries()) offered << e.window;
    QVERIFY(offered.contains(w.SeekForm.data()) && offered.contains(w.SortForm.data()));
    w.InfoPanel->Links.closeListDialogs();
    QVERIFY(!w.SeekForm->isVisible() && !w.SortForm->isVisible() && !w.MissForm->isVisible());
  }
};

QTEST_MAIN(ListDialogsTest)
#include "list_dialogs_test.moc"
