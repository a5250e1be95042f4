#include "forms/info_panel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QPainter>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>
#include <vector>

#include "app/settings.h"
#include "forms/browse_context.h"
#include "forms/coded_values.h"
#include "forms/help_panel.h"
#include "forms/info_tabs.h"
#include "forms/item_grid.h"
#include "forms/qtext.h"
#include "forms/shooting_data_page.h"
#include "forms/thumbnail_list.h"
#include "images/image_kind.h"
#include "rules/help_texts.h"
#include "rules/index_catalogue.h"
#include "rules/item_checks.h"
#include "store/bindata_error.h"
#include "store/delivery.h"
#include "store/index_codes.h"
#include "text/encoding.h"

namespace zor {

const QString InfoPanel::kKojiTab = QStringLiteral(" 工事情報  ");
const QString InfoPanel::kPhotoTab = QStringLiteral(" 写真情報  ");
const QString InfoPanel::kSankoTab = QStringLiteral(" 付加情報  ");
const QString InfoPanel::kShootingTab = QStringLiteral(" 撮影データ  ");

namespace {

const QColor kPanelColour(250, 237, 213);

QIcon InputLevelIcon() {
  QPixmap pixmap(28, 20);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  QFont f(QStringLiteral("Noto Sans CJK JP"));
  f.setPixelSize(12);
  p.setFont(f);
  p.setPen(QColor(200, 0, 0));
  p.drawText(QRect(0, 0, 14, 20), Qt::AlignCenter, QStringLiteral("◎"));
  p.setPen(QColor(0, 128, 0));
  p.drawText(QRect(14, 0, 14, 20), Qt::AlignCenter, QStringLiteral("○"));
  return QIcon(pixmap);
}

int SelectedCount(const QAbstractItemView* list) {
  if (!list || !list->selectionModel()) return 0;
  return static_cast<int>(list->selectionModel()->selectedIndexes().size());
}

// The contract block's text of a construction item code 6-21; 発注年度 (7)
// is a number, empty when 0.
std::string ContractValue(const PhotoContractBlock& block, int code) {
  switch (code) {
    case 6:
      return block.Text(ContractText::MediaReserve);
    case 7:
      return block.OrderYear() == 0 ? std::string() : std::to_string(block.OrderYear());
    case 8:
      return block.Text(ContractText::WorkNumber);
    case 9:
      return block.Text(ContractText::RiverRouteName);
    case 10:
      return block.Text(ContractText::ConstructionName);
    case 11:
      return block.Text(ContractText::ConstructionPlace);
    case 12:
      return block.Text(ContractText::PeriodStart);
    case 13:
      return block.Text(ContractText::PeriodEnd);
    case 14:
      return block.Text(ContractText::ClientMajor);
    case 15:
      return block.Text(ContractText::ClientMiddle);
    case 16:
      return block.Text(ContractText::ClientMinor);
    case 17:
      return block.Text(ContractText::ClientCode);
    case 18:
      return block.Text(ContractText::ContractorName);
    case 19:
      return block.Text(ContractText::ContractorCode);
    case 20:
      return block.Text(ContractText::ClientNote);
    case 21:
      return block.Text(ContractText::ContractorNote);
    case 22:
      return block.ReserveText();
    default:
      return {};
  }
}

bool InVersions(int v, std::initializer_list<int> set) { return std::find(set.begin(), set.end(), v) != set.end(); }

}  // namespace

InfoPanel::InfoPanel(Delivery& delivery, Settings& settings, BrowseContext& context, QWidget* parent)
    : QWidget(parent), delivery_(delivery), settings_(settings), context_(context) {
  setObjectName(QStringLiteral("Float_Clip2"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  CreateTopBar();
  CreateGrids();

  connect(&context_, &BrowseContext::PhotoChanged, this, [this] {
    if (context_.Photo() > 0) ShowPhotoTab();
  });
  connect(&context_, &BrowseContext::DrawingChanged, this, [this] {
    if (context_.Drawing() > 0) ShowSankoTab();
  });
  // Asked again for the tab it shows, the panel fills it again: a second
  // click on the selected photo brings its values back.
  connect(&context_, &BrowseContext::InfoTabRequested, this, [this](int tab) {
    if (tab == BrowseContext::kPhotoTab)
      ShowPhotoTab();
    else if (tab == BrowseContext::kSankoTab)
      ShowSankoTab();
    else
      ShowKojiTab();
  });
  // In list mode the tree follows the list's photo; the tab stays.
  connect(&context_, &BrowseContext::NodeChanged, this, [this] {
    if (context_.ListMode() == 0) ShowKojiTab();
  });
  connect(&context_, &BrowseContext::ListModeChanged, this, &InfoPanel::ShowKojiTab);
}

void InfoPanel::CreateTopBar() {
  auto* panel6 = new QFrame(this);
  panel6->setObjectName(QStringLiteral("Panel6"));
  panel6->setFixedHeight(32);
  auto* row = new QHBoxLayout(panel6);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  SB_InputLevel = new QToolButton(panel6);
  SB_InputLevel->setObjectName(QStringLiteral("SB_InputLevel"));
  SB_InputLevel->setCheckable(true);
  SB_InputLevel->setAutoRaise(true);
  SB_InputLevel->setFixedSize(36, 32);
  SB_InputLevel->setIcon(InputLevelIcon());
  SB_InputLevel->setIconSize(QSize(28, 20));
  SB_InputLevel->setFocusPolicy(Qt::NoFocus);
  const QString hint = QStringLiteral("入力の必要度が「◎○」の項目");
  SB_InputLevel->setToolTip(hint);
  SB_InputLevel->setStatusTip(hint);
  row->addWidget(SB_InputLevel);
  auto* panel1 = new QFrame(panel6);
  panel1->setObjectName(QStringLiteral("Panel1"));
  auto* p1 = new QHBoxLayout(panel1);
  p1->setContentsMargins(5, 5, 5, 5);
  CE_Version = new QComboBox(panel1);
  CE_Version->setObjectName(QStringLiteral("CE_Version"));
  CE_Version->setStyleSheet(QStringLiteral("QComboBox { background: rgb(250, 237, 213); color: black; }"));
  for (const std::string& text : StandardVersionTexts()) CE_Version->addItem(Qs(text));
  // The standards' names are long; the dock decides the width, not they.
  CE_Version->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  CE_Version->setMinimumContentsLength(6);
  CE_Version->setEnabled(false);
  CE_Version->installEventFilter(this);
  p1->addWidget(CE_Version);
  row->addWidget(panel1, 1);
  layout()->addWidget(panel6);

  connect(SB_InputLevel, &QToolButton::clicked, this, &InfoPanel::SB_InputLevelClick);
  connect(CE_Version, &QComboBox::currentIndexChanged, this, &InfoPanel::SB_InputLevelClick);
  SetStandardShown(delivery_.DigiVersion, settings_.InputLevel);
}

ItemGrid* InfoPanel::MakeGrid(const char* name) {
  auto* grid = new ItemGrid(Notebook);
  grid->setObjectName(QString::fromLatin1(name));
  Notebook->addWidget(grid);
  return grid;
}

void InfoPanel::CreateGrids() {
  PL_Grid = new QFrame(this);
  PL_Grid->setObjectName(QStringLiteral("PL_Grid"));
  PL_Grid->setFrameShape(QFrame::Box);
  PL_Grid->setContextMenuPolicy(Qt::PreventContextMenu);
  auto* col = new QVBoxLayout(PL_Grid);
  col->setContentsMargins(1, 1, 1, 1);
  col->setSpacing(0);
  TabSetEx = new InfoTabs(PL_Grid);
  TabSetEx->setObjectName(QStringLiteral("TabSetEx"));
  Notebook = new QStackedWidget(PL_Grid);
  Notebook->setObjectName(QStringLiteral("Notebook"));
  col->addWidget(TabSetEx);
  col->addWidget(Notebook, 1);
  KoumokuGrid_Koji = MakeGrid("KoumokuGrid_Koji");
  KoumokuGrid_Photo = MakeGrid("KoumokuGrid_Photo");
  KoumokuGrid_Sanko = MakeGrid("KoumokuGrid_Sanko");
  Notebook->addWidget(new QWidget(Notebook));  // page 3 stays empty
  ShootingData = new ShootingDataPage(Notebook);
  Notebook->addWidget(ShootingData);
  layout()->addWidget(PL_Grid);

  TabSetEx->AboutToChange = [this](int index) { TabSetExChange(index); };
  connect(TabSetEx, &InfoTabs::Changed, this, &InfoPanel::TabSetExChanged);
  connect(Notebook, &QStackedWidget::currentChanged, this, [this] { PL_GridResize(); });
  PL_Grid->installEventFilter(this);
  for (ItemGrid* grid : {KoumokuGrid_Koji, KoumokuGrid_Photo, KoumokuGrid_Sanko}) ConnectGrid(grid);
}

void InfoPanel::ConnectGrid(ItemGrid* grid) {
  connect(grid, &ItemGrid::CellSelected, this, [this](int row) { ShowItemHelp(row); });
  connect(grid, &ItemGrid::Entered, this, [this, grid] {
    if (grid == KoumokuGrid_Koji && Links.setImageStatus) Links.setImageStatus(QStringLiteral("工事情報"));
    if (Links.requestButtonUpdate) Links.requestButtonUpdate();
    ShowItemHelp(-1);
  });
  if (grid == KoumokuGrid_Koji) return;
  connect(grid, &ItemGrid::Exited, this, [this] {
    if (Links.showStatus) Links.showStatus(QString());
  });
  grid->KeyDownHandler = [this, grid](QKeyEvent* event) {
    return StepListItem(grid == KoumokuGrid_Photo ? Links.photoList : Links.drawingList, grid, event);
  };
}

// ---- standard and input level ---------------------------------------------

void InfoPanel::SetStandardShown(int digi_version, bool input_level) {
  settingStandard_ = true;
  CE_Version->setEnabled(true);
  SB_InputLevel->setChecked(input_level);
  // The later standards are named after the value read; the others keep
  // their general names.
  const std::vector<std::string>& texts = StandardVersionTexts();
  for (int v = kLaterConstruction; v <= kLaterFarmServices && v < CE_Version->count(); ++v)
    CE_Version->setItemText(
        v, Qs(v == digi_version ? StandardName(v, delivery_.Guideline) : texts[static_cast<std::size_t>(v)]));
  if (digi_version >= 0 && digi_version < CE_Version->count()) CE_Version->setCurrentIndex(digi_version);
  CE_Version->setEnabled(false);
  settingStandard_ = false;
}

void InfoPanel::SB_InputLevelClick() {
  if (settingStandard_ || (Links.suppressInputLevel && Links.suppressInputLevel())) return;
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  if (CE_Version->currentIndex() != delivery_.DigiVersion && Links.closeListDialogs) Links.closeListDialogs();
  QGuiApplication::restoreOverrideCursor();
  if (Links.refreshAll)
    Links.refreshAll();
  else
    Refresh();
  delivery_.PhotoBasicInfo.DtdVersion = DtdVersionText(delivery_.DigiVersion);
}

// ---- building --------------------------------------------------------------

void InfoPanel::FirstShow() {
  layout_ = LayoutInfoRows(delivery_.DigiVersion, settings_.InputLevel);
  BuildKojiGrid();
  BuildPhotoGrid();
  BuildSankoGrid();
  ShowKojiTab();
}

void InfoPanel::Refresh() {
  settings_.InputLevel = SB_InputLevel->isChecked();
  if (CE_Version->currentIndex() >= 0) delivery_.DigiVersion = CE_Version->currentIndex();
  LayOutKojiGrid();
  BuildPhotoGrid();
  BuildSankoGrid();

  QWidget* focus = QApplication::focusWidget();
  if (focus && focus == CE_Version) {
    if (PageOfTab(TabSetEx->TabIndex()) == 1) FillPhotoGrid(context_.Photo());
    if (PageOfTab(TabSetEx->TabIndex()) == 2) FillSankoGrid(context_.Drawing());
  } else if ((ListFocused(Links.photoList) || (focus && focus == KoumokuGrid_Photo)) &&
             SelectedCount(Links.photoList) == 1) {
    ShowPhotoTab();
  } else if ((ListFocused(Links.drawingList) || (focus && focus == KoumokuGrid_Sanko)) &&
             SelectedCount(Links.drawingList) == 1) {
    ShowSankoTab();
  } else {
    ShowKojiTab();
  }
  PL_GridResize();
  ShowItemHelp(-1);
}

void InfoPanel::LayOutKojiGrid() {
  layout_ = LayoutInfoRows(delivery_.DigiVersion, settings_.InputLevel);
  ApplyIndexLayout();
  if (delivery_.IndexLoaded) {
    if (IsConstructionIndexVersion(delivery_.DigiVersion)) {
      BuildKojiIndexGrid();
      FillKojiIndexGrid();
    } else {
      BuildServicesIndexGrid();
      FillServicesIndexGrid();
    }
  } else {
    BuildKojiGrid();
    FillKojiGrid();
  }
}

void InfoPanel::AfterLoad() {
  LayOutKojiGrid();
  PL_GridResize();
}

void InfoPanel::RefillKojiGrid() {
  if (delivery_.IndexLoaded)
    FillIndexRows();
  else
    FillKojiGrid();
}

void InfoPanel::ApplyIndexLayout() {
  IndexTables& index = delivery_.Index;
  const int count = std::clamp(index.IndexItemCount, 0, IndexTables::kMaxSlots);
  std::vector<IndexSlot> filled(static_cast<std::size_t>(count));
  for (int n = 1; n <= count; ++n)
    filled[static_cast<std::size_t>(n - 1)] = {index.IndexItem[n].ItemCode, index.IndexItemStandard[n] == 1};
  std::vector<IndexSlotRow> rows = LayoutIndexRows(filled, delivery_.DigiVersion, settings_.InputLevel);
  for (int n = 1; n <= IndexTables::kMaxSlots; ++n) {
    index.IndexItem[n].ItemNo = 0;
    index.IndexItem[n].MaxBytes = 0;
  }
  for (int n = 1; n <= count && n <= static_cast<int>(rows.size()); ++n) {
    index.IndexItem[n].ItemNo = static_cast<std::int16_t>(rows[static_cast<std::size_t>(n - 1)].item_no);
    index.IndexItem[n].MaxBytes = static_cast<std::int16_t>(rows[static_cast<std::size_t>(n - 1)].max_bytes);
  }
}

void InfoPanel::ResetGrid(ItemGrid* grid, int rows) {
  grid->SetRowCount(rows + 1);
  grid->ClearRows();
  // The names column carries "(内  容)", the values column "(項  目)".
  grid->SetCell(1, 0, QStringLiteral("(内  容)"));
  grid->SetCell(2, 0, QStringLiteral("(項  目)"));
  if (grid == KoumokuGrid_Koji) grid->SetCell(0, 0, QStringLiteral("  "));
}

void InfoPanel::BuildRows(ItemGrid* grid, InfoGrid kind) {
  const std::vector<ItemRule>& items = layout_.Rows(kind);
  const int rows = std::min(static_cast<int>(items.size()), ItemGrid::kMaxItemRows);
  ResetGrid(grid, rows);
  for (int row = 1; row <= rows; ++row) {
    const ItemRule& rule = items[static_cast<std::size_t>(row - 1)];
    RowDrawParams& params = grid->MutableRowParams(row);
    params.rule = rule;
    if (std::optional<Rgb> c = MarkRowColour(rule.mark)) params.colour = QColor(c->r, c->g, c->b);
    grid->SetCell(0, row, Qs(MarkText(rule.mark)));
    grid->SetCell(1, row, Qs(rule.name));
    if (rule.multi_line) grid->SetRowHeight(row, ItemGrid::kMultiLineRowHeight);
  }
  grid->SetRow(1);
}

void InfoPanel::BuildKojiGrid() { BuildRows(KoumokuGrid_Koji, InfoGrid::kKoji); }
void InfoPanel::BuildPhotoGrid() { BuildRows(KoumokuGrid_Photo, InfoGrid::kPhoto); }
void InfoPanel::BuildSankoGrid() { BuildRows(KoumokuGrid_Sanko, InfoGrid::kSanko); }
void InfoPanel::BuildKojiIndexGrid() { BuildIndexRows(); }
void InfoPanel::BuildServicesIndexGrid() { BuildIndexRows(); }
void InfoPanel::FillKojiIndexGrid() { FillIndexRows(); }
void InfoPanel::FillServicesIndexGrid() { FillIndexRows(); }

void InfoPanel::BuildIndexRows() {
  // The code table follows DigiVersion, so one builder serves both indexes.
  ItemGrid* grid = KoumokuGrid_Koji;
  const IndexTables& index = delivery_.Index;
  // A grid holds at most 78 item rows; the slots beyond are not shown.
  const int rows = std::clamp(index.IndexItemCount, 0, ItemGrid::kMaxItemRows);
  ResetGrid(grid, rows);
  for (int n = 1; n <= rows; ++n) {
    std::optional<ItemRule> rule = FindIndexItemRule(index.IndexItem[n].ItemCode, delivery_.DigiVersion);
    RowDrawParams& params = grid->MutableRowParams(n);
    if (rule) params.rule = *rule;
    params.rule.mark = Mark::kInformation;
    grid->SetCell(0, n, Qs(MarkText(Mark::kInformation)));
    grid->SetCell(1, n, Qs(params.rule.name));
    // The reserve row is multi-line but keeps the normal height.
  }
  grid->SetRow(1);
}

void InfoPanel::FillIndexRows() {
  ItemGrid* grid = KoumokuGrid_Koji;
  const IndexTables& index = delivery_.Index;
  const bool construction = IsConstructionIndexVersion(delivery_.DigiVersion);
  const int rows = std::min(std::clamp(index.IndexItemCount, 0, ItemGrid::kMaxItemRows), grid->RowCount() - 1);
  for (int n = 1; n <= rows; ++n) {
    if (index.IndexItem[n].ItemNo == 0) continue;
    const std::string& value = index.IndexItemValue[static_cast<std::size_t>(n)];
    const CodedItem* coded = IndexCodedItem(index.IndexItem[n].ItemCode, construction, delivery_.DigiVersion);
    grid->SetCell(2, n, Qs(coded ? CodedText(value, *coded) : value));
  }
}

void InfoPanel::FillKojiGrid() {
  ItemGrid* grid = KoumokuGrid_Koji;
  for (int code = 6; code <= 22; ++code) {
    int row = layout_.RowOf(InfoGrid::kKoji, code);
    if (row <= 0 || row >= grid->RowCount()) continue;
    std::string value = ContractValue(delivery_.PhotoContractInfo, code);
    grid->SetFaults(row, CheckKojiItem(code, value, delivery_.DigiVersion, settings_.KeikokuRed));
    grid->SetCell(2, row, Qs(value));
  }
}

// ---- photo and drawing values ------------------------------------------------

bool InfoPanel::FillPhotoGrid(int record) {
  TViewDataSet& table = delivery_.PhotoTable;
  if (record <= 0) return false;
  try {
    if (!delivery_.GotoPhotoRecord(record)) return false;
    const PhotoFieldPositions& f = table.FieldPos;
    auto text = [&table](int pos) { return pos < 0 ? std::string() : table.AsString(pos); };
    auto number = [&table](int pos) { return pos < 0 ? 0 : table.AsInteger(pos); };
    const int v = RuleSetOf(delivery_.DigiVersion);
    const std::string flag = std::to_string(number(f.FLAG));
    const int film = number(f.FILMNUM);
    ItemGrid* grid = KoumokuGrid_Photo;
    auto put = [&](int code, const std::string& value) {
      int row = layout_.RowOf(InfoGrid::kPhoto, code);
      if (row <= 0 || row >= grid->RowCount()) return;
      grid->SetFaults(row, CheckPhotoItem(code, value, v, settings_.KeikokuRed));
      grid->SetCell(2, row, Qs(value));
    };
    put(1, CodedText(flag, PhotoFlagItem()));
    put(2, text(f.JFILENAME));
    put(3, text(f.YOBI_FJ));
    put(4, text(f.TITLE));
    put(5, text(f.YOBI_KK));
    put(6, text(f.KASYO));
    put(7, text(f.YOBI_FU));
    put(8, text(f.DATE));
    put(9, film == 0 ? std::string() : std::to_string(film));
    put(10, text(f.NEGANUM));
    put(11, text(f.YOBI_SJ));
    if (InVersions(v, {2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13})) put(18, CodedText(flag, RepresentativeItem()));
    if (InVersions(v, {3, 4, 6, 7, 9})) put(20, CodedText(std::to_string(film), SubmissionItem()));
    put(12, text(f.KANRI));
    put(13, text(f.YOBI_SK));
    put(14, text(f.YOBI_JK));
    put(15, text(f.UKEOIBIKOU));
    put(16, text(f.HACYUBIKOU));
    put(17, text(f.YOBI_SO));
    return true;
  } catch (const EBinaryDataSetError&) {
    return false;  // a damaged record shows as one that is not found
  }
}

bool InfoPanel::FillSankoGrid(int record) {
  TViewDataSet& table = delivery_.PhotoTable;
  if (record <= 0) return false;
  try {
    if (!delivery_.GotoPhotoRecord(record)) return false;
    const PhotoFieldPositions& f = table.FieldPos;
    auto text = [&table](int pos) { return pos < 0 ? std::string() : table.AsString(pos); };
    ItemGrid* grid = KoumokuGrid_Sanko;
    const std::pair<int, std::string> values[] = {{1, text(f.JFILENAME)}, {2, text(f.TITLE)}, {3, text(f.YOBI_FJ)}};
    for (const auto& [code, value] : values) {
      int row = layout_.RowOf(InfoGrid::kSanko, code);
      if (row <= 0 || row >= grid->RowCount()) continue;
      grid->SetFaults(row, CheckSankoItem(code, value, delivery_.DigiVersion, settings_.KeikokuRed));
      grid->SetCell(2, row, Qs(value));
    }
    return true;
  } catch (const EBinaryDataSetError&) {
    return false;
  }
}

QString InfoPanel::ImageFormatText(const std::string& file) {
  // By name only: the status line must not open the file.
  switch (GetImageFileKind(std::filesystem::path(Cp932ToUtf8(file)), true)) {
    case kKindTiff:
      return QStringLiteral("TIFF形式");
    case kKindMetafile:
      return QStringLiteral("WMF形式");
    case kKindSvg:
      return QStringLiteral("SVG形式");
    default:
      return QStringLiteral("JPEG形式");
  }
}

QString InfoPanel::CurrentRecordFormat() {
  const TViewDataSet& table = delivery_.PhotoTable;
  try {
    return ImageFormatText(table.FieldPos.FILENAME < 0 ? std::string() : table.AsString(table.FieldPos.FILENAME));
  } catch (const EBinaryDataSetError&) {
    return ImageFormatText(std::string());
  }
}

// ---- tabs ----------------------------------------------------------------------

void InfoPanel::ShowKojiTab() {
  if (TabSetEx->Count() == 0) TabSetEx->AddTab(kKojiTab);
  TabSetEx->SetTabIndex(0);
  while (TabSetEx->Count() > 1) TabSetEx->RemoveTab(TabSetEx->Count() - 1);
  Notebook->setCurrentIndex(0);
}

void InfoPanel::ShowPhotoTab() {
  if (TabSetEx->Count() == 0) TabSetEx->AddTab(kKojiTab);
  if (TabSetEx->Count() == 1) {
    TabSetEx->AddTab(kPhotoTab);
    TabSetEx->AddTab(kShootingTab);
    TabSetEx->SetTabIndex(1);
  } else if (TabSetEx->Count() > 2 && TabSetEx->Tabs()[2] != kShootingTab) {
    TabSetEx->RemoveTab(2);
    TabSetEx->AddTab(kShootingTab);
    TabSetEx->SetTabIndex(1);
  } else if (TabSetEx->Count() == 2) {
    TabSetEx->AddTab(kShootingTab);
  } else if (TabSetEx->TabIndex() == 2) {
    FillShootingData();  // another photo while its data shows
  }
  const bool listActive = ListFocused(Links.photoList);
  if (!listActive && FocusedGrid() != KoumokuGrid_Photo) return;
  if (!FillPhotoGrid(context_.Photo())) return;
  if (listActive && Links.setImageStatus) Links.setImageStatus(CurrentRecordFormat());
}

void InfoPanel::ShowSankoTab() {
  if (TabSetEx->Count() == 0) TabSetEx->AddTab(kKojiTab);
  if (TabSetEx->Count() == 1) TabSetEx->AddTab(kPhotoTab);
  // The photo's 撮影データ tab gives way to its drawing's.
  if (TabSetEx->Count() > 2 && TabSetEx->Tabs()[2] == kShootingTab) TabSetEx->RemoveTab(2);
  if (TabSetEx->Count() == 2) TabSetEx->AddTab(kSankoTab);
  TabSetEx->SetTabIndex(2);
  const bool listActive = ListFocused(Links.drawingList);
  if (!listActive && FocusedGrid() != KoumokuGrid_Sanko) return;
  if (!FillSankoGrid(context_.Drawing())) return;
  if (listActive && Links.setImageStatus) Links.setImageStatus(CurrentRecordFormat());
}

void InfoPanel::TabSetExChange(int newIndex) {
  // Choosing the construction tab drops the other two until a photo or a
  // drawing is selected again.
  if (newIndex != 0) return;
  if (TabSetEx->Count() > 2) TabSetEx->RemoveTab(2);
  if (TabSetEx->Count() > 1) TabSetEx->RemoveTab(1);
}

void InfoPanel::TabSetExChanged(int index) {
  const int page = PageOfTab(index);
  Notebook->setCurrentIndex(page);
  if (page == kShootingPage) FillShootingData();
  context_.SetShownTab(page == kShootingPage ? BrowseContext::kPhotoTab : page);
  ShowItemHelp(-1);
}

int InfoPanel::PageOfTab(int index) const {
  if (index < 0 || index >= TabSetEx->Count()) return 0;
  const QString& caption = TabSetEx->Tabs()[index];
  if (caption == kShootingTab) return kShootingPage;
  if (caption == kSankoTab) return 2;
  if (caption == kPhotoTab) return 1;
  return 0;
}

void InfoPanel::FillShootingData() {
  const int photo = context_.Photo();
  for (const ListedPicture& p : delivery_.Pictures.entries) {
    if (p.record != photo) continue;
    ShootingData->ShowFile(p.otherMedium ? std::string() : p.file);
    return;
  }
  ShootingData->Clear();
}

ItemGrid* InfoPanel::VisibleGrid() const {
  switch (PageOfTab(TabSetEx->TabIndex())) {
    case 1:
      return KoumokuGrid_Photo;
    case 2:
      return KoumokuGrid_Sanko;
    default:
      return KoumokuGrid_Koji;
  }
}

QWidget* InfoPanel::FocusedGrid() const { return QApplication::focusWidget(); }

bool InfoPanel::ListFocused(QAbstractItemView* list) const {
  if (!list) return false;
  if (QApplication::focusWidget() == list) return true;
  auto* thumbnails = qobject_cast<ThumbnailList*>(list);
  return thumbnails && thumbnails->ClickedFromCode();
}

// ---- help ----------------------------------------------------------------------

void InfoPanel::ShowItemHelp(int row) {
  if (!Links.help) return;
  ItemGrid* grid = VisibleGrid();
  ItemHelpContext c;
  c.grid_focused = grid->hasFocus();
  c.construction_tab = grid == KoumokuGrid_Koji;
  c.index_loaded = delivery_.IndexLoaded;
  c.digi_version = delivery_.DigiVersion;
  c.keikoku_red = settings_.KeikokuRed;
  const int r = row < 0 ? grid->Row() : row;
  if (!c.grid_focused || r < 1 || r >= grid->RowCount()) {
    Links.help->ShowNothing();
    return;
  }
  const RowDrawParams& params = grid->RowParams(r);
  Links.help->ShowLabels(zor::ShowItemHelp(c, params.rule, params.faults));
}

// ---- columns -------------------------------------------------------------------

void InfoPanel::FitColumns(ItemGrid* grid) {
  QFontMetrics fm(grid->GridFont());
  const int w0 = fm.horizontalAdvance(QStringLiteral("○")) + 4;
  int widest = 0;
  for (int row = 0; row < grid->RowCount(); ++row) {
    QString text = grid->Cell(1, row);
    for (const QString& line : text.split(QLatin1Char('\r'))) {
      QString l = line;
      l.remove(QLatin1Char('\n'));
      widest = std::max(widest, fm.horizontalAdvance(l));
    }
  }
  const int w1 = widest + 8;
  // A hidden page keeps the size it had; give it the notebook's.
  if (grid != Notebook->currentWidget()) grid->resize(Notebook->size());
  grid->SetColWidth(0, w0);
  grid->SetColWidth(1, w1);
  grid->SetColWidth(2, grid->ClientWidth() - w0 - w1 - 1);
}

void InfoPanel::PL_GridResize() {
  if (Links.started && !Links.started()) return;
  for (ItemGrid* grid : {KoumokuGrid_Koji, KoumokuGrid_Photo, KoumokuGrid_Sanko}) FitColumns(grid);
}

// ---- events ------------------------------------------------------------------

bool InfoPanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == PL_Grid && event->type() == QEvent::Resize) PL_GridResize();
  if (watched == CE_Version && event->type() == QEvent::FocusIn) {
    if (Links.requestButtonUpdate) Links.requestButtonUpdate();
    if (Links.help) Links.help->ShowLabels(zor::ShowStandardHelp(delivery_.DigiVersion));
  }
  return QWidget::eventFilter(watched, event);
}

bool InfoPanel::event(QEvent* event) {
  // The floating panel's window passes its activation on to the widgets it
  // holds (ActivationChange reaches only the window itself).
  const QEvent::Type type = event->type();
  if ((type == QEvent::WindowActivate || type == QEvent::WindowDeactivate) && qobject_cast<QDockWidget*>(window())) {
    ItemGrid* grid = VisibleGrid();
    if (type == QEvent::WindowActivate) {
      emit grid->Entered();
    } else if (grid != KoumokuGrid_Koji) {
      emit grid->Exited();
    }
  }
  return QWidget::event(event);
}

// ---- keys --------------------------------------------------------------------

bool InfoPanel::StepListItem(QAbstractItemView* list, ItemGrid* grid, QKeyEvent* event) {
  const int key = event->key();
  if (key != Qt::Key_PageUp && key != Qt::Key_PageDown) return false;
  // Both keys step through the list instead of the grid, and are consumed
  // even when there is nowhere to go.
  if (!list || !list->model() || SelectedCount(list) != 1) return true;
  const QModelIndex current = list->currentIndex();
  if (!current.isValid()) return true;
  const int target = current.row() + (key == Qt::Key_PageUp ? -1 : 1);
  if (target < 0 || target >= list->model()->rowCount(current.parent())) return true;
  const QModelIndex next = list->model()->index(target, current.column(), current.parent());
  list->selectionModel()->setCurrentIndex(next, QItemSelectionModel::ClearAndSelect);
  list->scrollTo(next);
  if (!(event->modifiers() & Qt::ShiftModifier)) grid->SetRow(1);
  return true;
}

}  // namespace zor
