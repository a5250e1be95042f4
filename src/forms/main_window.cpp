// The main window's construction, its panels and status bar, the timers,
// the events it answers and the docking layout it keeps between runs. The
// menu and commands are in main_window_menu.cpp, the loading of a delivery
// in main_window_load.cpp, list mode and the list dialogs in
// main_window_lists.cpp.
#include "forms/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindowStateChangeEvent>
#include <new>
#include <optional>

#include "app/ini_file.h"
#include "app/product.h"
#include "forms/dialog_helpers.h"
#include "forms/help_keys.h"
#include "forms/help_panel.h"
#include "forms/info_panel.h"
#include "forms/photo_list.h"
#include "forms/photo_viewer.h"
#include "forms/picture_box.h"
#include "forms/qtext.h"
#include "forms/task_bar_menu.h"
#include "forms/thumbnail_list.h"
#include "forms/tree_panel.h"
#include "forms/window_positions.h"

namespace zor {
namespace {

constexpr const char* kDockHint = "ドラッグ時[CtrlKey]でドッキング禁止";

}  // namespace

MainWindow::MainWindow(Folders folders, Settings& settings, Delivery& delivery, QWidget* parent)
    : QMainWindow(parent), folders_(std::move(folders)), settings_(settings), delivery_(delivery), context_(delivery) {
  setObjectName(QStringLiteral("ZorMainForm"));
  setWindowTitle(QString::fromUtf8(kProductNameUtf8));
  setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowNestedDocks | QMainWindow::AllowTabbedDocks);
  setAcceptDrops(true);
  OpenDeliveryFile = [this](const QString& file) { return DispatchDeliveryFile(file); };
  CreateMenus();
  CreateToolButtons();
  CreatePanels();
  CreateStatusBar();
  CreateTimers();
  TaskBar = new TaskBarMenu(this);
  ConnectListDialogs();
  resize(1024, 768);
}

MainWindow::~MainWindow() = default;

QDockWidget* MainWindow::MakeDock(const char* name, const QString& title, int helpContext, QWidget* content) {
  auto* dock = new QDockWidget(title, this);
  dock->setObjectName(QString::fromLatin1(name));
  dock->setToolTip(QString::fromUtf8(kDockHint));
  dock->setStatusTip(QString::fromUtf8(kDockHint));
  dock->setProperty(kHelpContext, helpContext);
  dock->setAllowedAreas(Qt::AllDockWidgetAreas);
  dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                    QDockWidget::DockWidgetFloatable);
  dock->setWidget(content);
  return dock;
}

void MainWindow::CreatePanels() {
  auto* plMain = new QWidget(this);
  plMain->setObjectName(QStringLiteral("PL_Main"));
  auto* mainLayout = new QVBoxLayout(plMain);
  mainLayout->setContentsMargins(0, 0, 0, 0);
  auto* plListView = new QFrame(plMain);
  plListView->setObjectName(QStringLiteral("PL_ListView"));
  plListView->setStyleSheet(QStringLiteral("#PL_ListView { background: #F5DCAF; }"));
  auto* listLayout = new QVBoxLayout(plListView);
  listLayout->setContentsMargins(3, 3, 3, 3);
  mainLayout->addWidget(plListView);
  setCentralWidget(plMain);

  TreePanel = new zor::TreePanel(context_, settings_, this);
  Float_Menu = MakeDock("Float_Menu", QStringLiteral("工事階層"), 100, TreePanel);
  connect(TreePanel, &zor::TreePanel::Entered, this, [this] {
    statusPanels_[2]->clear();
    RequestButtonUpdate();
  });

  InfoPanel = new zor::InfoPanel(delivery_, settings_, context_, this);
  Float_Clip = MakeDock("Float_Clip", QStringLiteral("情報"), 101, InfoPanel);

  auto* mimePanel = new QWidget(this);
  auto* mimeLayout = new QVBoxLayout(mimePanel);
  mimeLayout->setContentsMargins(0, 0, 0, 0);
  mimeLayout->setSpacing(0);
  PL_Sanko = new QLabel(QStringLiteral(" ［ 参考図 ］"), mimePanel);
  PL_Sanko->setObjectName(QStringLiteral("PL_Sanko"));
  PL_Sanko->setFrameShape(QFrame::Panel);
  auto* plListView2 = new QFrame(mimePanel);
  plListView2->setObjectName(QStringLiteral("PL_ListView2"));
  (new QVBoxLayout(plListView2))->setContentsMargins(3, 3, 3, 3);
  mimeLayout->addWidget(PL_Sanko);
  mimeLayout->addWidget(plListView2);
  PhotoLists = new zor::PhotoLists(*this, plListView, plListView2, TreePanel);
  PhotoLists->ShowInViewer = [this](const QString& file, const QString& missing) {
    if (!viewer_ && !CreateWindowChecked([this] {
          viewer_ = new PhotoViewer(this);  // one viewer, kept for reuse
          viewer_->setProperty(kKeptWindow, true);
          viewer_->setProperty("hideWithMain", true);
          viewer_->IJLImage->StatusHost = this;  // JPEG errors go to the status line
        }))
      return true;  // the resource message said it all
    return viewer_->ShowPicture(file, 249, missing);
  };
  PhotoLists->ViewerShown = [this] { return viewer_ && viewer_->isVisible(); };
  ListView = PhotoLists->ListView;
  ListView2 = PhotoLists->ListView2;
  Float_Mime = MakeDock("Float_Mime", QStringLiteral("参考図"), 102, mimePanel);

  HelpPanel = new zor::HelpPanel(this);
  PL_Help = HelpPanel->PL_Help;
  Float_Help = MakeDock("Float_Help", QStringLiteral("ヘルプ"), 102, HelpPanel);
  LinkInfoPanel();

  // A floating panel shows its title in its frame, so its own header goes.
  connect(Float_Mime, &QDockWidget::topLevelChanged, PL_Sanko,
          [this](bool floating) { PL_Sanko->setVisible(!floating); });
  connect(Float_Help, &QDockWidget::topLevelChanged, PL_Help,
          [this](bool floating) { PL_Help->setVisible(!floating); });

  for (QDockWidget* dock : {Float_Menu, Float_Clip, Float_Mime, Float_Help}) dock->installEventFilter(this);
}

void MainWindow::LinkInfoPanel() {
  InfoPanelLinks& links = InfoPanel->Links;
  links.photoList = ListView;
  links.drawingList = ListView2;
  links.help = HelpPanel;
  links.setImageStatus = [this](const QString& text) { statusPanels_[2]->setText(text); };
  links.showStatus = [this](const QString& text) { ShowStatusText(text); };
  links.requestButtonUpdate = [this] { RequestButtonUpdate(); };
  links.refreshAll = [this] { RefreshAll(); };
  links.closeListDialogs = [] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->property("closeOnStandardChange").toBool() && w->isVisible()) w->close();
  };
  links.started = [this] { return Started; };
  links.suppressInputLevel = [this] { return SuppressInputLevel; };
  // The tree's level rules and the lists' "説明はありません" go to the help panel.
  connect(&context_, &BrowseContext::HelpChanged, HelpPanel, &zor::HelpPanel::ShowLabels);
  // The start-up timer's handler sets Started first; the columns fit after it.
  connect(
      &Timer_Start, &QTimer::timeout, InfoPanel, [this] { InfoPanel->PL_GridResize(); }, Qt::QueuedConnection);
}

void MainWindow::CreateStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("StatusBar"));
  bar->setSizeGripEnabled(true);
  const int widths[] = {300, 110, 80, 50};
  for (int i = 0; i < 4; ++i) {
    auto* label = new QLabel(bar);
    label->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    if (i == 1 || i == 2) label->setAlignment(Qt::AlignCenter);
    if (i == 3)
      label->setMinimumWidth(widths[i]);
    else
      label->setFixedWidth(widths[i]);
    bar->addWidget(label, i == 3 ? 1 : 0);
    statusPanels_[i] = label;
  }
  ProgressBar = new QProgressBar(bar);
  ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
  ProgressBar->setTextVisible(false);
  ProgressBar->hide();
  bar->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(bar, &QWidget::customContextMenuRequested, this,
          [this, bar](const QPoint& pos) { sizePopup_->exec(bar->mapToGlobal(pos)); });
}

void MainWindow::CreateTimers() {
  struct T {
    QTimer* timer;
    int interval;
  } timers[] = {{&Timer, 300},       {&Timer_Button, 100}, {&Timer_Sanko, 200},  {&Timer_Start, 10},
                {&Timer_NoSel, 200}, {&Timer_NoSel2, 200}, {&Timer_Resize, 100}, {&Timer_ResizeView, 100}};
  for (const T& t : timers) {
    t.timer->setSingleShot(true);
    t.timer->setInterval(t.interval);
  }
  Timer_Sanko.start();  // the only timer enabled at creation
  connect(&context_, &BrowseContext::ListModeChanged, this, &MainWindow::RequestButtonUpdate);
  connect(&Timer_Button, &QTimer::timeout, this, &MainWindow::UpdateButtons);
  connect(&Timer_Resize, &QTimer::timeout, this, [this] {
    ResizeGuard = true;
    ApplyResizeRule();
    ResizeGuard = false;
  });
}

// ---- Status line, title, refresh -------------------------------------------

void MainWindow::ShowStatusText(const QString& text) {
  statusMessage_ = text;
  if (hint_.isEmpty()) statusPanels_[0]->setText(text);
}

void MainWindow::ShowWorkStatus(const QString& text) { statusPanels_[3]->setText(text); }

void MainWindow::UpdateTitle() {
  const QString work = Qs(delivery_.WorkName);
  ShowWorkStatus(QLatin1Char(' ') + work);
  QString caption = QString::fromUtf8(kProductNameUtf8) + QLatin1Char(' ');
  if (!work.isEmpty()) caption += QLatin1Char('(') + work + QLatin1Char(')');
  setWindowTitle(caption);
  SetApplicationTitle(caption);
}

void MainWindow::RefreshAll() {
  // A reader sets DigiVersion and then asks for this; the standard selector
  // shows it first, since the panel takes the standard from the selector.
  if (InfoPanel->CE_Version->currentIndex() != delivery_.DigiVersion) {
    SuppressInputLevel = true;
    InfoPanel->SetStandardShown(delivery_.DigiVersion, InfoPanel->SB_InputLevel->isChecked());
    SuppressInputLevel = false;
  }
  InfoPanel->Refresh();
  RequestButtonUpdate();
}

void MainWindow::RequestButtonUpdate() { Timer_Button.start(); }

// ---- Events ----------------------------------------------------------------

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  auto* dock = qobject_cast<QDockWidget*>(watched);
  if (event->type() == QEvent::Resize && dock && !ResizeGuard) Timer_Resize.start();
  // A panel dragged with Ctrl held floats wherever it is dropped; Ctrl
  // counts from the press and at every move of the drag.
  const bool dragStep =
      event->type() == QEvent::MouseButtonPress ||
      (event->type() == QEvent::MouseMove && static_cast<QMouseEvent*>(event)->buttons() & Qt::LeftButton);
  if (dock && dragStep)
    dock->setAllowedAreas(static_cast<QMouseEvent*>(event)->modifiers() & Qt::ControlModifier ? Qt::NoDockWidgetArea
                                                                                              : Qt::AllDockWidgetAreas);
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!firstShown_) {
    firstShown_ = true;
    FirstShow();
  }
}

void MainWindow::FirstShow() {
  panelView_->show();
  if (layoutReset_ || !RestoreLayout()) MakeDefaultLayout();
  if (!layoutReset_) RestorePositions();
  std::string error;
  SettingsReadWrite('R', settings_, folders_, &error);
  SuppressInputLevel = true;
  InfoPanel->SetStandardShown(delivery_.DigiVersion, settings_.InputLevel);
  SuppressInputLevel = false;
  SB_Thumbnail->setChecked(settings_.ThumbnailMinFit);
  SB_Icon->setChecked(settings_.IconStyle == 1);
  PhotoLists->FitThumbnails(false);
  TreePanel->UpdateRootImages();
  InfoPanel->FirstShow();
  UpdateTitle();
  Timer_Start.start();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  Closing = true;
  std::string error;
  if (KeepSettings && settings_.SettingsLoaded && !SettingsReadWrite('W', settings_, folders_, &error)) {
    // The settings would be lost: keep the window open and say why.
    Closing = false;
    ShowWarning(Utf8ToCp932(error));
    event->ignore();
    return;
  }
  SaveLayout();
  event->accept();
}

void MainWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::WindowStateChange && Started) {
    auto* change = static_cast<QWindowStateChangeEvent*>(event);
    bool wasMin = change->oldState() & Qt::WindowMinimized;
    bool isMin = windowState() & Qt::WindowMinimized;
    if (isMin && !wasMin) OnMinimised();
    if (!isMin && wasMin) OnRestored();
  }
  QMainWindow::changeEvent(event);
}

bool MainWindow::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    // Panel 0 shows the hint after one blank, or the status message.
    hint_ = static_cast<QStatusTipEvent*>(event)->tip();
    statusPanels_[0]->setText(hint_.isEmpty() ? statusMessage_ : QLatin1Char(' ') + hint_);
    return true;
  }
  return QMainWindow::event(event);
}

void MainWindow::OnMinimised() {
  hiddenOnMinimise_.clear();
  for (QDockWidget* dock : {Float_Menu, Float_Clip, Float_Mime, Float_Help})
    if (dock->isFloating() && dock->isVisible()) hiddenOnMinimise_.append(dock);
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w != this && w->isVisible() && w->property("hideWithMain").toBool()) hiddenOnMinimise_.append(w);
  for (const QPointer<QWidget>& w : hiddenOnMinimise_) w->hide();
}

void MainWindow::OnRestored() {
  for (const QPointer<QWidget>& w : hiddenOnMinimise_) {
    if (!w) continue;
    w->setProperty(kReshownWithMain, true);
    w->show();
    w->setProperty(kReshownWithMain, false);
  }
  hiddenOnMinimise_.clear();
  RequestButtonUpdate();
}

// ---- Layout ------------------------------------------------------------------

void MainWindow::MakeDefaultLayout() {
  for (QDockWidget* dock : {Float_Menu, Float_Clip, Float_Mime, Float_Help}) {
    dock->setFloating(false);
    removeDockWidget(dock);
  }
  addDockWidget(Qt::RightDockWidgetArea, Float_Help);
  addDockWidget(Qt::LeftDockWidgetArea, Float_Menu, Qt::Vertical);
  addDockWidget(Qt::LeftDockWidgetArea, Float_Clip, Qt::Vertical);
  addDockWidget(Qt::LeftDockWidgetArea, Float_Mime, Qt::Vertical);
  for (QDockWidget* dock : {Float_Menu, Float_Clip, Float_Mime}) dock->show();
  Float_Help->hide();
  resizeDocks({Float_Menu}, {300}, Qt::Horizontal);
}

bool MainWindow::RestoreLayout() {
  QFile file(QString::fromStdString(folders_.userData) + QStringLiteral("ZORM_V.DAT"));
  if (!file.open(QIODevice::ReadOnly)) return false;
  QByteArray state = file.readAll();
  // A damaged file or one of another version is refused by restoreState.
  return restoreState(state, kLayoutVersion);
}

std::string MainWindow::PositionsFile() const { return layoutReset_ ? std::string() : folders_.userData + "ZOR_V.INI"; }

void MainWindow::RestorePositions() {
  std::string error;
  std::optional<IniFile> ini = IniFile::Load(folders_.userData + "ZOR_V.INI", &error);
  if (!ini) return;  // unreadable: the positions stay as they are
  const QRect desktop = screen() ? screen()->availableGeometry() : QRect();
  RestoreWindowPosition(*ini, *this, desktop, true);
  for (QDockWidget* dock : {Float_Menu, Float_Clip, Float_Mime, Float_Help}) RestorePanelPosition(*ini, *dock, desktop);
}

void MainWindow::SavePositions() {
  if (layoutReset_) return;
  const std::string path = folders_.userData + "ZOR_V.INI";
  std::string error;
  std::optional<IniFile> ini = IniFile::Load(path, &error);
  if (!ini) return;  // a file we cannot read is not overwritten
  StoreWindowPosition(*ini, *this);
  for (QDockWidget* dock : {Float_Menu, Float_Clip, Float_Mime, Float_Help}) StorePanelPosition(*ini, *dock);
  if (!ini->Save(path, &error)) QApplication::beep();
}

void MainWindow::SaveLayout() {
  SavePositions();
  QString path = QString::fromStdString(folders_.userData) + QStringLiteral("ZORM_V.DAT");
  QFile::remove(path);
  if (layoutReset_) return;
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(saveState(kLayoutVersion)) < 0 || !file.flush()) {
    QApplication::beep();
    file.close();
    QFile::remove(path);
  }
}

void MainWindow::ApplyResizeRule() {
  // The centre keeps at least 50 pixels; the left site gives way first.
  constexpr int kMin = 50;
  int client = width();
  auto siteWidth = [this](Qt::DockWidgetArea area) {
    int w = 0;
    for (QDockWidget* dock : {Float_Menu, Float_Clip, Float_Mime, Float_Help})
      if (!dock->isFloating() && dock->isVisible() && dockWidgetArea(dock) == area) w = qMax(w, dock->width());
    return w;
  };
  auto shrink = [this](Qt::DockWidgetArea area, int target) {
    QList<QDockWidget*> docks;
    QList<int> sizes;
    for (QDockWidget* dock : {Float_Menu, Float_Clip, Float_Mime, Float_Help})
      if (!dock->isFloating() && dock->isVisible() && dockWidgetArea(dock) == area) {
        docks << dock;
        sizes << target;
      }
    if (!docks.isEmpty()) resizeDocks(docks, sizes, Qt::Horizontal);
  };
  int left = siteWidth(Qt::LeftDockWidgetArea);
  int right = siteWidth(Qt::RightDockWidgetArea);
  if (client < left + right + kMin && left > kMin) {
    left = qMax(kMin, client - right - kMin);
    shrink(Qt::LeftDockWidgetArea, left);
  }
  if (client < left + right + kMin && right > kMin) {
    right = qMax(kMin, client - left - kMin);
    shrink(Qt::RightDockWidgetArea, right);
  }
}

// ---- Secondary windows ---------------------------------------------------------

bool MainWindow::MayCreateWindow() {
  if (!ResourcesLow || !ResourcesLow()) return true;
  ReportLowResources();
  return false;
}

bool MainWindow::CreateWindowChecked(const std::function<void()>& make) {
  if (!MayCreateWindow()) return false;
  try {
    make();
    return true;
  } catch (const std::bad_alloc&) {
    ReportLowResources();
    return false;
  }
}

void MainWindow::ReportLowResources() {
  // The kept windows that are not shown give their memory back first.
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w != this && !w->isVisible() && w->property(kKeptWindow).toBool()) delete w;
  QApplication::beep();
  ShowWarning(
      SjOf(QStringLiteral("システムリソースが不足しています。\n\n"
                          "アプリケーションの動作が不安定になる可能性がありますので\n"
                          "Windowsを一度再起動してから、もう一度作業を再開してみてください。")));
}

}  // namespace zor
