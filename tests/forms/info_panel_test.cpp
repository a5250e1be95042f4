#include <QApplication>
#include <QComboBox>
#include <QStackedWidget>
#include <QToolButton>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>

#include "app/settings.h"
#include "forms/browse_context.h"
#include "forms/coded_values.h"
#include "forms/help_panel.h"
#include "forms/info_panel.h"
#include "forms/info_tabs.h"
#include "forms/item_grid.h"
#include "rules/item_checks.h"
#include "store/delivery.h"
#include "text/encoding.h"

using namespace zor;

namespace {

QString U(const std::string& sjis) { return QString::fromStdString(Cp932ToUtf8(sjis)); }

struct PhotoValues {
  int flag = 0;
  int filmnum = 0;
  const char* title = "";
  const char* date = "";
  const char* file = "/tmp/P0000001.JPG";
};

// The panel beside a photo list and a drawing list, as the main window holds
// them; selecting a list item sets the browse context like the list does.
class Bench : public QWidget {
 public:
  explicit Bench(const QString& dir) : context(delivery) {
    settings.KeikokuRed = true;
    settings.InputLevel = false;
    delivery.PhotoTable.OpenPhotoTable(true, (dir + QStringLiteral("/work.DAT")).toStdString());
    auto* row = new QHBoxLayout(this);
    photos = new QListView(this);
    drawings = new QListView(this);
    photos->setModel(&photoModel);
    drawings->setModel(&drawingModel);
    panel = new InfoPanel(delivery, settings, context, this);
    help = new HelpPanel(this);
    row->addWidget(photos);
    row->addWidget(drawings);
    row->addWidget(panel, 1);
    row->addWidget(help);
    panel->Links.photoList = photos;
    panel->Links.drawingList = drawings;
    panel->Links.help = help;
    panel->Links.setImageStatus = [this](const QString& t) { imageStatus = t; };
    connect(photos->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& i) { context.SetPhoto(i.isValid() ? i.data(Qt::UserRole).toInt() : 0); });
    connect(drawings->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& i) { context.SetDrawing(i.isValid() ? i.data(Qt::UserRole).toInt() : 0); });
    resize(1000, 500);
  }

  int AddPhoto(const PhotoValues& v) {
    TViewDataSet& t = delivery.PhotoTable;
    t.Append();
    int record = ++records;
    t.SetAsInteger(t.FieldPos.RECORD, record);
    t.SetAsInteger(t.FieldPos.FLAG, v.flag);
    t.SetAsInteger(t.FieldPos.FILMNUM, v.filmnum);
    t.SetAsString(t.FieldPos.TITLE, Sj(v.title));
    t.SetAsString(t.FieldPos.DATE, v.date);
    t.SetAsString(t.FieldPos.FILENAME, v.file);
    t.Post();
    auto* item = new QStandardItem(QString::number(record));
    item->setData(record, Qt::UserRole);
    photoModel.appendRow(item);
    return record;
  }

  int AddDrawing(const char* title) {
    TViewDataSet& t = delivery.PhotoTable;
    t.Append();
    int record = ++records;
    t.SetAsInteger(t.FieldPos.RECORD, record);
    t.SetAsString(t.FieldPos.TITLE, Sj(title));
    t.SetAsString(t.FieldPos.FILENAME, "/tmp/D0000001.TIF");
    t.Post();
    auto* item = new QStandardItem(QString::number(record));
    item->setData(record, Qt::UserRole);
    drawingModel.appendRow(item);
    return record;
  }

  // The standard as the window sets it, then RefreshAll's share.
  void Load(int digi_version, bool input_level = false) {
    delivery.DigiVersion = digi_version;
    panel->SetStandardShown(digi_version, input_level);
    panel->Refresh();
  }

  void SelectPhoto(int index) {
    photos->setFocus();
    photos->selectionModel()->setCurrentIndex(photoModel.index(index, 0), QItemSelectionModel::ClearAndSelect);
  }
  void SelectDrawing(int index) {
    drawings->setFocus();
    drawings->selectionModel()->setCurrentIndex(drawingModel.index(index, 0), QItemSelectionModel::ClearAndSelect);
  }

  QString Value(ItemGrid* grid, InfoGrid kind, int code) const {
    int row = panel->RowLayout().RowOf(kind, code);
    return row > 0 ? grid->Cell(2, row) : QStringLiteral("<no row>");
  }

  Settings settings;
  Delivery delivery;
  BrowseContext context;
  QStandardItemModel photoModel, drawingModel;
  QListView* photos;
  QListView* drawings;
  InfoPanel* panel;
  HelpPanel* help;
  QString imageStatus;
  int records = 0;
};

}  // namespace

class InfoPanelTest : public QObject {
  Q_OBJECT
 private:
  QTemporaryDir dir_;

  std::unique_ptr<Bench> Shown() {
    auto bench = std::make_unique<Bench>(dir_.path());
    bench->show();
    bench->activateWindow();
    if (!QTest::qWaitForWindowActive(bench.get())) qWarning("bench window not active");
    return bench;
  }

 private slots:
  void tabsFollowTheSelection() {
    auto b = Shown();
    b->AddPhoto({.flag = 1, .title = "写真"});
    b->AddDrawing("参考図");
    b->Load(3);
    InfoTabs* tabs = b->panel->TabSetEx;
    QCOMPARE(tabs->Tabs(), QStringList{InfoPanel::kKojiTab});

    b->SelectPhoto(0);
    // The photo's 撮影データ tab stands beside its values.
    QCOMPARE(tabs->Tabs(), (QStringList{InfoPanel::kKojiTab, InfoPanel::kPhotoTab, InfoPanel::kShootingTab}));
    QCOMPARE(tabs->TabIndex(), 1);
    QCOMPARE(b->panel->Notebook->currentWidget(), b->panel->KoumokuGrid_Photo);
    QCOMPARE(b->Value(b->panel->KoumokuGrid_Photo, InfoGrid::kPhoto, 4), QStringLiteral("写真"));
    QCOMPARE(b->imageStatus, QStringLiteral("JPEG形式"));

    b->SelectDrawing(0);
    QCOMPARE(tabs->Tabs(), (QStringList{InfoPanel::kKojiTab, InfoPanel::kPhotoTab, InfoPanel::kSankoTab}));
    QCOMPARE(tabs->TabIndex(), 2);
    QCOMPARE(b->Value(b->panel->KoumokuGrid_Sanko, InfoGrid::kSanko, 2), QStringLiteral("参考図"));
    QCOMPARE(b->imageStatus, QStringLiteral("TIFF形式"));

    // Another photo selected while the drawing's tab shows: the photo's
    // 撮影データ tab takes its place.
    b->panel->ShowPhotoTab();
    QCOMPARE(tabs->Tabs(), (QStringList{InfoPanel::kKojiTab, InfoPanel::kPhotoTab, InfoPanel::kShootingTab}));
    QCOMPARE(tabs->TabIndex(), 1);
    QCOMPARE(b->panel->VisibleGrid(), b->panel->KoumokuGrid_Photo);

    // A click on the construction tab leaves it alone.
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->TabRect(0).center());
    QCOMPARE(tabs->Tabs(), QStringList{InfoPanel::kKojiTab});
    QCOMPARE(b->panel->Notebook->currentWidget(), b->panel->KoumokuGrid_Koji);

    b->SelectDrawing(0);  // already current: re-shown through the panel
    b->panel->ShowSankoTab();
    QCOMPARE(tabs->Count(), 3);
    b->panel->ShowKojiTab();
    QCOMPARE(tabs->Count(), 1);
    QCOMPARE(tabs->TabIndex(), 0);
  }

  void valuesKeptWhenNeitherListNorGridHasTheFocus() {
    auto b = Shown();
    b->AddPhoto({.title = "一枚目"});
    b->AddPhoto({.title = "二枚目"});
    b->Load(3);
    b->SelectPhoto(0);
    b->panel->CE_Version->setEnabled(true);
    b->panel->SB_InputLevel->setFocusPolicy(Qt::StrongFocus);
    b->panel->SB_InputLevel->setFocus();
    b->context.SetPhoto(2);
    QCOMPARE(b->panel->TabSetEx->TabIndex(), 1);
    QCOMPARE(b->Value(b->panel->KoumokuGrid_Photo, InfoGrid::kPhoto, 4), QStringLiteral("一枚目"));
  }

  void codedTexts_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("table");  // 0 bank line, 1 road section, 2 services v8, 3 services v9
    QTest::addColumn<QString>("shown");
    QTest::newRow("1 under bank line") << "1" << 0 << "01.左岸";
    QTest::newRow("empty under bank line") << "" << 0 << "00.不明";
    QTest::newRow("05 unknown") << "05" << 0 << "05.不明";
    QTest::newRow("30") << "30" << 0 << "30.上下線共通";
    QTest::newRow("7 under road section") << "7" << 1 << "7.未調査";
    QTest::newRow("leading number") << "2x" << 1 << "2.旧道";
    QTest::newRow("services 2 in v8") << "2" << 2 << "2.地質調査";
    QTest::newRow("services 2 in v9") << "2" << 3 << "2.調査業務";
  }

  void codedTexts() {
    QFETCH(QString, value);
    QFETCH(int, table);
    QFETCH(QString, shown);
    const CodedItem* items[] = {&BankLineItem(), &RoadSectionItem(), &MainServicesItem(8), &MainServicesItem(9)};
    QCOMPARE(U(CodedText(Sj(value.toStdString()), *items[table])), shown);
  }

  void photoGridCodedFields() {
    struct Case {
      int version, flag, filmnum, code;
      QString shown;
    } cases[] = {
        {0, 99, 0, 1, QStringLiteral("99.提出しない")}, {0, 2, 0, 1, QStringLiteral("2.未登録")},
        {0, 0, 0, 9, QString()},                       {0, 0, 17, 9, QStringLiteral("17")},
        {3, 99, 0, 18, QStringLiteral("99.設定しない")}, {3, 1, 0, 18, QStringLiteral("1.代表写真")},
        {4, 0, 0, 20, QStringLiteral("0.設定しない")},   {4, 0, 5, 20, QStringLiteral("5.")},
    };
    for (const Case& c : cases) {
      auto b = Shown();
      b->AddPhoto({.flag = c.flag, .filmnum = c.filmnum});
      b->Load(c.version);
      b->SelectPhoto(0);
      QCOMPARE(b->Value(b->panel->KoumokuGrid_Photo, InfoGrid::kPhoto, c.code), c.shown);
    }
  }

  void faultyRowIsRedInMarkAndName() {
    auto b = Shown();
    b->AddPhoto({.title = "t", .date = "2010-1-5"});
    b->Load(3);
    b->SelectPhoto(0);
    ItemGrid* g = b->panel->KoumokuGrid_Photo;
    int row = b->panel->RowLayout().RowOf(InfoGrid::kPhoto, 8);
    QCOMPARE(g->RowParams(row).faults, std::uint8_t{kFaultEntryRule});
    QCOMPARE(g->CellBackground(0, row), ItemGrid::kFaultColour);
    QCOMPARE(g->CellBackground(1, row), ItemGrid::kFaultColour);
    QCOMPARE(g->CellBackground(2, row), ItemGrid::kCellColour);
    // The title row is ◎: the required colour, not red.
    int title = b->panel->RowLayout().RowOf(InfoGrid::kPhoto, 4);
    QCOMPARE(g->CellBackground(0, title), QColor(255, 255, 135));

    // Without KeikokuRed nothing turns red.
    b->settings.KeikokuRed = false;
    b->panel->ShowPhotoTab();
    QCOMPARE(g->CellBackground(0, row), QColor(255, 255, 135));
  }

  void constructionGridFromThePhotoFile() {
    auto b = Shown();
    b->delivery.PhotoContractInfo.SetText(ContractText::ConstructionName, Sj("道路改良工事"));
    b->delivery.PhotoContractInfo.SetOrderYear("2010");
    b->delivery.PhotoContractInfo.SetReserve(0, Sj("一行目"));
    b->delivery.PhotoContractInfo.SetReserve(3, Sj("二行目"));
    b->Load(3);
    ItemGrid* g = b->panel->KoumokuGrid_Koji;
    QCOMPARE(g->Cell(1, 0), QStringLiteral("(内  容)"));
    QCOMPARE(g->Cell(2, 0), QStringLiteral("(項  目)"));
    QCOMPARE(g->Cell(0, 0), QStringLiteral("  "));
    QCOMPARE(b->panel->KoumokuGrid_Photo->Cell(0, 0), QString());
    QCOMPARE(b->Value(g, InfoGrid::kKoji, 10), QStringLiteral("道路改良工事"));
    QCOMPARE(b->Value(g, InfoGrid::kKoji, 7), QStringLiteral("2010"));
    const int last = g->RowCount() - 1;
    QCOMPARE(g->Cell(1, last), QStringLiteral("予備"));
    QCOMPARE(g->RowHeight(last), 59);
    QCOMPARE(g->RowHeight(1), 16);
    QCOMPARE(g->Cell(2, last), QStringLiteral("一行目\r\n二行目"));
    QCOMPARE(g->Row(), 1);
  }

  void indexGridShowsDisplayNamesAndCodes() {
    auto b = Shown();
    IndexTables& index = b->delivery.Index;
    index.Clear();
    index.Store(Sj("道路工事"), 3, true);
    index.Store("7", 16, true);
    index.Store("1", 18, true);
    index.Store(Sj("メモ"), 38, false);
    index.Finish();
    b->delivery.IndexLoaded = true;
    b->Load(7, true);
    ItemGrid* g = b->panel->KoumokuGrid_Koji;
    QCOMPARE(g->RowCount(), 5);
    QCOMPARE(g->Cell(0, 1), QStringLiteral("◇"));
    QCOMPARE(g->Cell(1, 1), QStringLiteral("工事名称"));
    QCOMPARE(g->Cell(2, 1), QStringLiteral("道路工事"));
    QCOMPARE(g->Cell(2, 2), QStringLiteral("7.未調査"));
    QCOMPARE(g->Cell(2, 3), QStringLiteral("01.左岸"));
    // With InputLevel on the reserve slot keeps its row, without a value.
    QCOMPARE(g->Cell(1, 4), QStringLiteral("予備"));
    QCOMPARE(g->Cell(2, 4), QString());
    QCOMPARE(g->RowHeight(4), 16);
    QCOMPARE(g->CellBackground(0, 1), ItemGrid::kFixedColour);

    b->Load(7, false);
    QCOMPARE(g->Cell(2, 4), QStringLiteral("メモ"));
  }

  void laterStandardIsNamedAfterTheValueRead() {
    auto b = Shown();
    IndexTables& index = b->delivery.Index;
    index.Clear();
    index.Store("0123456789", 39, true);
    index.Store(Sj("道路整備保全課"), 40, true);
    index.Finish();
    b->delivery.IndexLoaded = true;
    b->delivery.Guideline = Sj("土木202303-01");
    b->Load(14);
    QCOMPARE(b->panel->CE_Version->currentText(), QStringLiteral("国交省 令和5年3月 工事完成図書の電子納品等要領"));
    // The entries not in use keep their general names.
    QCOMPARE(b->panel->CE_Version->itemText(15), QStringLiteral("国交省 平成22年以降 土木設計業務等の電子納品要領"));
    ItemGrid* g = b->panel->KoumokuGrid_Koji;
    QCOMPARE(g->Cell(0, 2), QStringLiteral("◇"));
    QCOMPARE(g->Cell(1, 2), QStringLiteral("工事担当課"));
    QCOMPARE(g->Cell(2, 2), QStringLiteral("道路整備保全課"));
    // The standard's help names the rules in use.
    b->panel->CE_Version->setEnabled(true);
    b->panel->CE_Version->setFocus();
    QCOMPARE(b->help->LB_Input1->text(), QStringLiteral("説明はありません"));
    QCOMPARE(b->help->LB_Input2->text(),
             QStringLiteral("記入規則は 国交省 22年9月 工事完成図書の電子納品等要領 によります。"));
    // Another value renames the entry.
    b->delivery.Guideline = Sj("土木201603-01");
    b->Load(14);
    QCOMPARE(b->panel->CE_Version->currentText(), QStringLiteral("国交省 28年3月 工事完成図書の電子納品等要領"));
  }

  void indexLongerThanTheGridIsCut() {
    auto b = Shown();
    IndexTables& index = b->delivery.Index;
    index.Clear();
    for (int i = 0; i < 100; ++i) index.Store(std::to_string(i), 10, true);
    index.Finish();
    b->delivery.IndexLoaded = true;
    b->Load(7);
    ItemGrid* g = b->panel->KoumokuGrid_Koji;
    QCOMPARE(g->RowCount(), ItemGrid::kMaxItemRows + 1);
    QCOMPARE(g->Cell(2, 78), QStringLiteral("77"));
  }

  void columnsFitTheNamesAndTheClientArea() {
    auto b = Shown();
    b->Load(0);
    for (ItemGrid* g : {b->panel->KoumokuGrid_Koji, b->panel->KoumokuGrid_Photo, b->panel->KoumokuGrid_Sanko}) {
      b->panel->Notebook->setCurrentWidget(g);  // the page change fits the columns
      QCoreApplication::processEvents();
      QCOMPARE(g->ClientWidth(), g->viewport()->width());
      QFontMetrics fm(g->GridFont());
      int widest = 0;
      for (int r = 0; r < g->RowCount(); ++r) widest = std::max(widest, fm.horizontalAdvance(g->Cell(1, r)));
      QCOMPARE(g->ColWidth(1), widest + 8);
      QCOMPARE(g->ColWidth(0), fm.horizontalAdvance(QStringLiteral("○")) + 4);
      QCOMPARE(g->ColWidth(0) + g->ColWidth(1) + g->ColWidth(2), g->viewport()->width() - 1);
    }
  }

  void pageKeysStepThroughThePhotoList() {
    auto b = Shown();
    b->AddPhoto({.title = "一"});
    b->AddPhoto({.title = "二"});
    b->Load(3);
    b->SelectPhoto(0);
    ItemGrid* g = b->panel->KoumokuGrid_Photo;
    g->setFocus();
    g->SetRow(3);
    QTest::keyClick(g, Qt::Key_PageDown);
    QCOMPARE(b->photos->currentIndex().row(), 1);
    QCOMPARE(g->Row(), 1);
    QCOMPARE(b->Value(g, InfoGrid::kPhoto, 4), QStringLiteral("二"));

    // On the last photo nothing moves and the grid does not page either.
    g->SetRow(3);
    QTest::keyClick(g, Qt::Key_PageDown);
    QCOMPARE(b->photos->currentIndex().row(), 1);
    QCOMPARE(g->Row(), 3);

    g->SetRow(3);
    QTest::keyClick(g, Qt::Key_PageUp, Qt::ShiftModifier);
    QCOMPARE(b->photos->currentIndex().row(), 0);
    QCOMPARE(g->Row(), 3);
    QCOMPARE(b->Value(g, InfoGrid::kPhoto, 4), QStringLiteral("一"));
  }

  void helpFollowsTheFocusedRow() {
    auto b = Shown();
    b->AddPhoto({.title = "t", .date = "2010-1-5"});
    b->Load(3);
    b->SelectPhoto(0);
    QCOMPARE(b->help->LB_Input1->text(), QStringLiteral("説明はありません"));
    ItemGrid* g = b->panel->KoumokuGrid_Photo;
    g->setFocus();
    g->SetRow(b->panel->RowLayout().RowOf(InfoGrid::kPhoto, 8));
    QVERIFY(b->help->LB_Input1->text().startsWith(QStringLiteral("データ表現 : ")));
    QCOMPARE(b->help->LB_Input2->text(), QStringLiteral("データ長   : 10バイト"));
    // The date's entry rule fault turns the rule label red.
    QCOMPARE(b->help->LB_Input4->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QCOMPARE(b->help->LB_Input1->palette().color(QPalette::WindowText), QColor(Qt::black));
    QVERIFY(b->help->LB_Input5->isHidden());
  }

  void inputLevelButtonRebuildsTheRows() {
    auto b = Shown();
    b->Load(8);
    QCOMPARE(b->panel->KoumokuGrid_Koji->RowCount() - 1, static_cast<int>(b->panel->RowLayout().koji.size()));
    int refreshes = 0;
    b->panel->Links.refreshAll = [&] {
      ++refreshes;
      b->panel->Refresh();
    };
    b->panel->SB_InputLevel->click();
    QCOMPARE(refreshes, 1);
    QVERIFY(b->settings.InputLevel);
    QCOMPARE(b->panel->KoumokuGrid_Koji->RowCount(), 9);  // eight rows in version 8
    QCOMPARE(b->panel->KoumokuGrid_Koji->Cell(1, 1), QStringLiteral("工事番号"));
    // Set by the window: no rebuild.
    b->panel->SetStandardShown(8, false);
    QCOMPARE(refreshes, 1);
  }
};

QTEST_MAIN(InfoPanelTest)
#include "info_panel_test.moc"
