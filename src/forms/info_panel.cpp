// The information panel's layout: the top bar, the tab strip and notebook,
// the tabs' choice, the help of the current row, the columns and keys. The
// grids' rows and values are made in info_panel_grids.cpp.
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
#include <vector>

#include "app/settings.h"
#include "forms/browse_context.h"
#include "forms/help_panel.h"
#include "forms/info_tabs.h"
#include "forms/item_grid.h"
#include "forms/qtext.h"
#include "forms/shooting_data_page.h"
#include "forms/thumbnail_list.h"
#include "rules/help_texts.h"
#include "store/delivery.h"

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

// ---- first showing and refresh -----------------------------------------------

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

bool InfoPanel::SelectItemRow(int tab, int record, const QString& name) {
  const QString caption = tab == BrowseContext::kPhotoTab   ? kPhotoTab
                          : tab == BrowseContext::kSankoTab ? kSankoTab
                                                            : kKojiTab;
  const int index = static_cast<int>(TabSetEx->Tabs().indexOf(caption));
  if (index < 0) return false;
  TabSetEx->SetTabIndex(index);
  ItemGrid* grid = VisibleGrid();
  if (grid == KoumokuGrid_Photo && !FillPhotoGrid(record)) return false;
  if (grid == KoumokuGrid_Sanko && !FillSankoGrid(record)) return false;
  for (int row = 1; row < grid->RowCount(); ++row)
    if (grid->Cell(1, row) == name) {
      grid->SetRow(row);
      // The grid marks its current row and the help panel explains it
      // while the grid has the keyboard.
      grid->setFocus(Qt::OtherFocusReason);
      return true;
    }
  return false;
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
