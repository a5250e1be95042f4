#include "forms/photo_list.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QToolButton>
#include <QUrl>
#include <algorithm>

#include "app/folders.h"
#include "forms/dialog_helpers.h"
#include "forms/info_panel.h"
#include "forms/item_grid.h"
#include "forms/main_window.h"
#include "forms/qtext.h"
#include "forms/thumbnail_decoder.h"
#include "forms/thumbnail_list.h"
#include "forms/tree_panel.h"

namespace zor {

const QColor PhotoLists::kNormalColour(245, 220, 175);
const QColor PhotoLists::kListModeColour(183, 183, 183);

PhotoLists::PhotoLists(MainWindow& window, QFrame* listPanel, QFrame* drawingPanel, TreePanel* tree)
    : QObject(&window), window_(window), tree_(tree), listPanel_(listPanel), drawingPanel_(drawingPanel) {
  // Every core decodes: the first screen waits for nothing else, and the
  // window thread needs little while the decodes run.
  pool_.setMaxThreadCount(ThumbnailCache::WorkerCount(QThread::idealThreadCount()));
  pool_.setObjectName(QStringLiteral("ThumbnailPool"));
  cache_ = new ThumbnailCache(&pool_, &DecodeThumbnail, this);
  resources_ = MakeCellResources(QApplication::palette());
  OpenWithDesktop = [](const QUrl& url) { return QDesktopServices::openUrl(url); };

  ListView = MakeList("ListView", listPanel, "PopupMenu_Frame", "Mn_View2");
  ListView2 = MakeList("ListView2", drawingPanel, "PopupMenu_Frame2", "Mn_View3");
  listPanel->installEventFilter(this);
  SetPanelColours(kNormalColour);
  DisableDrawingList();

  BrowseContext& context = window_.context();
  connect(&context, &BrowseContext::NodeChanged, this, [this] {
    if (window_.context().ListMode() == 0) ShowNodePhotos();
  });
  connect(&context, &BrowseContext::DeliveryLoaded, this, [this] {
    ClearThumbnailCache();
    ClearPhotoLists();
  });

  connect(&window_.Timer, &QTimer::timeout, this, [this] {
    window_.Timer.setInterval(300);
    ThumbnailList* list = viewerList_;
    viewerList_ = nullptr;
    OpenViewer(list);
  });
  connect(&window_.Timer_Sanko, &QTimer::timeout, this, [this] {
    if (!window_.delivery().PhotoTable.Active()) return;
    FillDrawingList(-1);
    if (window_.context().ListMode() != 0 && tree_) {
      const int row = ListView->FocusedRow();
      if (row >= 0) tree_->ShowNodeOfRecord(ListView->Model()->Item(row).record);
    }
  });
  connect(&window_.Timer_NoSel, &QTimer::timeout, this, [this] {
    DisableDrawingList();
    window_.context().SetPhoto(0);
    window_.context().ShowInfoTab(BrowseContext::kKojiTab);
  });
  connect(&window_.Timer_NoSel2, &QTimer::timeout, this, [this] {
    window_.context().SetDrawing(0);
    window_.context().ShowInfoTab(BrowseContext::kPhotoTab);
  });
  connect(&window_.Timer_ResizeView, &QTimer::timeout, this, [this] {
    if (window_.settings().IconStyle != 1) return;
    WaitCursor wait;
    FitThumbnails(true);
  });

  connect(window_.SB_Kaijyo, &QToolButton::clicked, this, &PhotoLists::FormIciranKaijo);
  connect(window_.SB_Thumbnail, &QToolButton::clicked, this, [this](bool down) {
    window_.settings().ThumbnailMinFit = down;
    ApplyCellStyle();
  });
  connect(window_.SB_Icon, &QToolButton::clicked, this, [this](bool down) {
    window_.settings().IconStyle = down ? 1 : 0;
    FitThumbnails(true);
  });
  connect(window_.SB_View, &QToolButton::clicked, this, [this] { ListViewDblClick(nullptr); });
  if (auto* view = window_.findChild<QAction*>(QStringLiteral("Mn_View")))
    connect(view, &QAction::triggered, this, [this] { ListViewDblClick(nullptr); });
}

PhotoLists::~PhotoLists() {
  // Running decodes end before the cache and the pool go.
  pool_.clear();
  pool_.waitForDone();
}

ThumbnailList* PhotoLists::MakeList(const char* name, QFrame* panel, const char* menuName, const char* actionName) {
  auto* list = new ThumbnailList(QString::fromLatin1(name), cache_, &resources_, panel);
  panel->layout()->addWidget(list);
  connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this, list] { ListViewChange(list); });
  connect(list, &QAbstractItemView::doubleClicked, this, [this, list] { ListViewDblClick(list); });
  connect(list, &QAbstractItemView::clicked, this, [this, list] { ListViewClick(list); });
  connect(list, &ThumbnailList::OpenRequested, this, [this, list] { ListViewDblClick(list); });
  connect(list, &ThumbnailList::Entered, this, [this, list] {
    if (list->FocusedRow() >= 0) ListViewChange(list);
    window_.context().ShowHelp(NoHelp());
  });
  auto* menu = new QMenu(list);
  menu->setObjectName(QString::fromLatin1(menuName));
  QAction* view = menu->addAction(QStringLiteral("表示(&V)..."));
  view->setObjectName(QString::fromLatin1(actionName));
  view->setStatusTip(QStringLiteral("写真の表示"));
  view->setProperty("helpContext", 256);
  connect(view, &QAction::triggered, this, [this, list] { ListViewDblClick(list); });
  // Usable only for this list with the keyboard and one selected item.
  connect(menu, &QMenu::aboutToShow, view,
          [view, list] { view->setEnabled(list->hasFocus() && list->SelectedCount() == 1); });
  list->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(list, &QWidget::customContextMenuRequested, menu,
          [menu, list](const QPoint& pos) { menu->exec(list->viewport()->mapToGlobal(pos)); });
  list->installEventFilter(this);
  return list;
}

bool PhotoLists::eventFilter(QObject* watched, QEvent* event) {
  if (watched == listPanel_ && event->type() == QEvent::Resize) ResizeView();
  if (watched == ListView2 && event->type() == QEvent::FocusOut) window_.RequestButtonUpdate();
  return QObject::eventFilter(watched, event);
}

void PhotoLists::ResizeView() {
  // Refitted once the resizing stops.
  window_.Timer_ResizeView.stop();
  if (window_.settings().IconStyle == 1) window_.Timer_ResizeView.start();
}

void PhotoLists::SetPanelColours(const QColor& colour) {
  for (QFrame* panel : {listPanel_, drawingPanel_})
    panel->setStyleSheet(
        QStringLiteral("#%1, #%1 QListView { background: %2; }").arg(panel->objectName(), colour.name()));
  ListView->SetBackground(colour);
  ListView2->SetBackground(colour);
}

void PhotoLists::ApplyCellStyle() {
  const Settings& s = window_.settings();
  for (ThumbnailList* list : {ListView, ListView2}) list->SetCellStyle(s.IconStyle != 1, s.ThumbnailMinFit);
}

int PhotoLists::JustFitSize(int width, int height, int count, bool justFit) {
  if (!justFit) return kFixedThumbnailSize;
  // A count outside 1 .. 9 would divide by zero or make no sense.
  count = std::clamp(count, 1, 9);
  const int size = height < width ? height / count - kJustFitGapY : width / count - kJustFitGapX;
  return std::max(size, kMinThumbnailSize);
}

void PhotoLists::FitThumbnails(bool refill) {
  Settings& s = window_.settings();
  const int label = ListView->CaptionHeight();
  const QString hint = QStringLiteral("ジャストフィット(横か縦に%1個に収まるように表示します)").arg(s.THUMBNAIL_USER);
  window_.SB_Icon->setToolTip(hint);
  window_.SB_Icon->setStatusTip(hint);
  thumbnailSize_ = JustFitSize(ListView->width(), ListView->height(), s.THUMBNAIL_USER, s.IconStyle != 0);
  // The focused photo and drawing survive the refill.
  const int focus = ListView->FocusedRow();
  const int drawingFocus = ListView2->FocusedRow();
  if (refill) {
    ListView->Model()->Clear();
    ListView2->Model()->Clear();
  }
  ListView2->SetCellSize(kFixedThumbnailSize, label);
  ListView->SetCellSize(thumbnailSize_, label);
  ApplyCellStyle();
  if (refill) {
    FillThumbnails(focus >= 0 ? focus : kKeepFocus, drawingFocus >= 0 ? drawingFocus : kKeepFocus);
    // The panel agrees with the lists and the status line: the kept photo
    // (or its kept drawing) keeps its tab and values; with nothing
    // selected the construction tab shows.
    BrowseContext& context = window_.context();
    BrowseContext::InfoTab tab = BrowseContext::kKojiTab;
    if (ListView->SelectedCount() == 1 && context.Photo() > 0) tab = BrowseContext::kPhotoTab;
    if (tab == BrowseContext::kPhotoTab && ListView2->hasFocus() && ListView2->SelectedCount() == 1 &&
        context.Drawing() > 0)
      tab = BrowseContext::kSankoTab;
    context.ShowInfoTab(tab);
  }
}

CellRecord PhotoLists::ReadCell(int record) {
  CellRecord cell;
  Delivery& d = window_.delivery();
  TViewDataSet& t = d.PhotoTable;
  if (!d.GotoPhotoRecord(record)) {
    cell.caption = QStringLiteral("(不明データ)");
    return cell;
  }
  auto text = [&t](int pos) { return pos >= 0 ? t.AsString(pos) : std::string(); };
  cell.found = true;
  const std::string title = text(t.FieldPos.TITLE);
  cell.caption = title.empty() ? QStringLiteral("(無題)") : Qs(title);
  cell.flag = t.FieldPos.FLAG >= 0 ? t.AsInteger(t.FieldPos.FLAG) : 0;
  cell.hasDrawings = !text(t.FieldPos.REC_DRA).empty();
  cell.hasWorkCopy = !text(t.FieldPos.FILE_NOW).empty();
  cell.originalOnly = !text(t.FieldPos.FILE_ORG).empty();
  cell.file = QString::fromStdString(PathOnDisk(text(t.FieldPos.FILENAME)));
  cell.missing = Qs(d.MissingPictureOf(record));
  return cell;
}

void PhotoLists::FillThumbnails(int focus, int drawingFocus) {
  if (!hasCurrentList_ || !window_.delivery().PhotoTable.Active()) return;
  if (focus == kKeepFocus && ListView->FocusedRow() >= 0) focus = ListView->FocusedRow();
  std::vector<ThumbnailItem> items;
  items.reserve(currentList_.size());
  for (int record : currentList_) items.push_back(ThumbnailItem{record, -1, 0, ReadCell(record)});
  ListView->Model()->SetItems(std::move(items));
  ListView->viewport()->update();
  const int count = ListView->Model()->Count();
  window_.StatusPanel(1)->setText(QStringLiteral("0 / %1").arg(count));
  if (focus >= count) focus = count - 1;
  if (focus >= 0) ListView->SelectListItem(focus, true);
  if (ListView->SelectedCount() == 1)
    FillDrawingList(drawingFocus);
  else
    DisableDrawingList();
  ListView->setFocusPolicy(count > 0 ? Qt::StrongFocus : Qt::NoFocus);
}

void PhotoLists::DisableDrawingList() {
  ListView2->Model()->Clear();
  ListView2->setEnabled(false);
  ListView2->setFocusPolicy(Qt::NoFocus);
}

void PhotoLists::FillDrawingList(int focus) {
  Delivery& d = window_.delivery();
  if (!d.PhotoTable.Active()) return;
  if (focus == kKeepFocus) focus = ListView2->FocusedRow();
  std::vector<ThumbnailItem> items;
  const int photoRow = ListView->FocusedRow();
  if (photoRow >= 0) {
    const int photo = ListView->Model()->Item(photoRow).record;
    if (d.LoadDrawingList(photo) == 2) {
      const TIntList drawings = d.DrawingRecordList;
      for (std::size_t i = 0; i < drawings.size(); ++i)
        if (drawings[i] > 0)
          items.push_back(ThumbnailItem{drawings[i], static_cast<int>(i), photo, ReadCell(drawings[i])});
    }
  }
  ListView2->Model()->SetItems(std::move(items));
  const int count = ListView2->Model()->Count();
  if (focus >= count) focus = count - 1;
  if (focus >= 0) ListView2->SelectListItem(focus, true);
  ListView2->setEnabled(ListView->SelectedCount() == 1);
  ListView2->setFocusPolicy(count > 0 ? Qt::StrongFocus : Qt::NoFocus);
}

void PhotoLists::ListViewChange(ThumbnailList* list) {
  if (!window_.delivery().PhotoTable.Active()) return;
  const bool photos = list == ListView;
  if (photos) {
    window_.Timer_Sanko.stop();
    window_.Timer_NoSel.stop();
  } else {
    window_.Timer_NoSel2.stop();
  }
  window_.RequestButtonUpdate();
  const QModelIndexList selected = list->selectionModel()->selectedIndexes();
  if (selected.isEmpty()) {
    (photos ? window_.Timer_NoSel : window_.Timer_NoSel2).start();
    return;
  }
  const int row = selected.first().row();
  const int record = list->Model()->Item(row).record;
  BrowseContext& context = window_.context();
  // The tab is asked for even when the record did not change: a second
  // click on the selected photo shows its tab again.
  if (photos) {
    window_.StatusPanel(1)->setText(QStringLiteral("%1 / %2").arg(row + 1).arg(list->Model()->Count()));
    context.SetPhoto(record);
    context.ShowInfoTab(BrowseContext::kPhotoTab);
  } else {
    context.SetDrawing(record);
    context.ShowInfoTab(BrowseContext::kSankoTab);
  }
  if (ViewerShown && ViewerShown()) {
    // The viewer follows this list, wherever the keyboard focus is.
    viewerList_ = list;
    window_.Timer.setInterval(300);
    window_.Timer.start();
  }
  // Only a new photo refills the drawings; working in the drawing list or
  // its grid leaves them alone.
  QWidget* focus = QApplication::focusWidget();
  const bool inDrawings = focus && (focus == ListView2 || focus->objectName() == QLatin1String("KoumokuGrid_Sanko"));
  if (photos && !inDrawings) window_.Timer_Sanko.start();
}

void PhotoLists::ListViewClick(ThumbnailList* list) {
  if (list->SelectedCount() == 0) return;
  const int wanted = list == ListView ? BrowseContext::kPhotoTab : BrowseContext::kSankoTab;
  if (window_.context().ShownTab() != wanted) ListViewChange(list);
}

void PhotoLists::ShowNodePhotos() {
  HierarchyNode* node = window_.context().Node();
  currentList_ = node ? node->Records() : TIntList();
  hasCurrentList_ = node != nullptr;
  window_.context().ShowInfoTab(BrowseContext::kKojiTab);
  window_.RequestButtonUpdate();
  if (!hasCurrentList_) {
    ClearPhotoLists();
    window_.StatusPanel(1)->setText(QStringLiteral("0 / 0"));
  }
  FillThumbnails(0, -1);
  if (tree_) tree_->AlignTreeHeader();
}

void PhotoLists::EnterListMode(int kind, TIntList records) {
  currentList_ = records;
  hasCurrentList_ = true;
  window_.context().EnterListMode(kind, std::move(records));
  SetPanelColours(kListModeColour);
  for (ThumbnailList* list : {ListView, ListView2}) list->selectionModel()->clear();
  FitThumbnails(true);
  // The tree is greyed now; the information grids take the focus.
  if (window_.InfoPanel) window_.InfoPanel->KoumokuGrid_Koji->setFocus(Qt::OtherFocusReason);
  window_.context().ShowInfoTab(BrowseContext::kKojiTab);
  window_.UpdateTitle();
}

void PhotoLists::LeaveListMode(bool quiet) {
  if (window_.context().ListMode() == 0) return;
  window_.context().LeaveListMode();
  FitThumbnails(false);
  SetPanelColours(kNormalColour);
  window_.UpdateTitle();
  if (!quiet) window_.ShowInformation(SjOf(QStringLiteral("「一覧モード」を解除しました")));
}

void PhotoLists::FormIciranKaijo() {
  if (window_.context().ListMode() == 0) return;
  LeaveListMode(false);
  ShowNodePhotos();
}

void PhotoLists::ListViewDblClick(ThumbnailList* list) {
  viewerList_ = list;
  window_.Timer.setInterval(10);
  window_.Timer.start();
}

void PhotoLists::OpenViewer(ThumbnailList* list) {
  if (!list) list = qobject_cast<ThumbnailList*>(QApplication::focusWidget());
  if (list != ListView && list != ListView2) return;
  const int row = list->FocusedRow();
  if (row < 0 || list->SelectedCount() != 1) return;
  Delivery& d = window_.delivery();
  TViewDataSet& t = d.PhotoTable;
  if (!d.GotoPhotoRecord(list->Model()->Item(row).record)) return;
  bool shown = false;
  {
    WaitCursor wait;
    const QString file =
        t.FieldPos.FILENAME >= 0 ? QString::fromStdString(PathOnDisk(t.AsString(t.FieldPos.FILENAME))) : QString();
    const bool original = t.FieldPos.FILE_ORG >= 0 && !t.AsString(t.FieldPos.FILE_ORG).empty();
    if (file.endsWith(QStringLiteral(".PDF"), Qt::CaseInsensitive)) {
      shown = OpenWithDesktop && QFileInfo::exists(file) && OpenWithDesktop(QUrl::fromLocalFile(file));
    } else if (!original && QFileInfo::exists(file)) {
      if (!ShowInViewer) return;  // no viewer in this build yet
      shown = ShowInViewer(file, Qs(d.MissingPictureOf(list->Model()->Item(row).record)));
    }
  }
  if (!shown) window_.ShowInformation(SjOf(QStringLiteral("写真の読み込みに失敗しました。")));
}

void PhotoLists::ClearPhotoLists() {
  ListView->Model()->Clear();
  DisableDrawingList();
}

void PhotoLists::ClearThumbnailCache() { cache_->Clear(); }

}  // namespace zor
