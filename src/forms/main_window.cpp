#include "forms/main_window.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindowStateChangeEvent>
#include <new>
#include <optional>

#include "app/ini_file.h"
#include "app/product.h"
#include "app/resources.h"
#include "forms/dialog_helpers.h"
#include "forms/dropped_files.h"
#include "forms/folder_chooser.h"
#include "forms/help_keys.h"
#include "forms/help_panel.h"
#include "forms/help_window.h"
#include "forms/info_panel.h"
#include "forms/item_grid.h"
#include "forms/photo_list.h"
#include "forms/photo_viewer.h"
#include "forms/picture_box.h"
#include "forms/qtext.h"
#include "forms/settings_dialog.h"
#include "forms/task_bar_menu.h"
#include "forms/thumbnail_list.h"
#include "forms/tree_panel.h"
#include "forms/window_positions.h"
#include "forms/xml_content_window.h"
#include "import/dispatch.h"
#include "output/album_writer.h"
#include "store/photo_table.h"

namespace zor {
namespace {

constexpr const char* kDockHint = "ドラッグ時[CtrlKey]でドッキング禁止";
constexpr const char* kHelpContext = "helpContext";

QAction* AddCommand(QMenu* menu, const char* name, const QString& caption, const QString& hint, int helpContext) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QString::fromLatin1(name));
  action->setStatusTip(hint);
  action->setProperty(kHelpContext, helpContext);
  return action;
}

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

void MainWindow::CreateMenus() {
  // The menu is drawn inside the tool bar band; the window has no menu bar.
  panel2_ = new QToolBar(QStringLiteral("Panel2"), this);
  panel2_->setObjectName(QStringLiteral("Panel2"));
  auto* menuBar = new QMenuBar(panel2_);
  menuBar->setObjectName(QStringLiteral("MenuBar"));
  menuBar->setNativeMenuBar(false);
  panel2_->addWidget(menuBar);
  addToolBar(Qt::TopToolBarArea, panel2_);

  QMenu* file = menuBar->addMenu(QStringLiteral("ファイル(&F)"));
  file->setObjectName(QStringLiteral("File1"));
  QAction* openIndex = AddCommand(file, "Mn_IndexXML", QStringLiteral("開く(&P)..."),
                                  QStringLiteral("INDEX_C,INDEX_D.XMLを開きます"), 301);
  connect(openIndex, &QAction::triggered, this, [this] { ChooseDeliveryFolder(true); });
  QMenu* photo = file->addMenu(QStringLiteral("写真管理(&K)"));
  photo->setObjectName(QStringLiteral("Mn_XML"));
  photo->menuAction()->setStatusTip(QStringLiteral("電子納品"));
  photo->menuAction()->setProperty(kHelpContext, 31);
  AddCommand(photo, "Mn_InputMiss", QStringLiteral("入力漏れ/入力ミスの検証(&C)..."), QStringLiteral("入力漏れの検証"),
             32);
  photo->addSeparator();
  QAction* openPhoto =
      AddCommand(photo, "Mn_XML_Read", QStringLiteral("PHOTO.XML読込(&I)..."), QStringLiteral("ＸＭＬ読込"), 33);
  connect(openPhoto, &QAction::triggered, this, [this] { ChooseDeliveryFolder(false); });
  QAction* html = AddCommand(file, "Mn_HTML", QStringLiteral("HTML工事写真帳作成(&H)..."),
                             QStringLiteral("HTML工事写真帳作成"), 35);
  connect(html, &QAction::triggered, this, &MainWindow::Mn_HTMLClick);
  AddCommand(file, "Mn_Inspect", QStringLiteral("写真ファイルの検査(&I)..."), QStringLiteral("写真ファイルの検査"), 36);
  QAction* env = AddCommand(file, "Mn_Env", QStringLiteral("環境設定(&E)..."), QStringLiteral("環境設定"), 43);
  connect(env, &QAction::triggered, this, &MainWindow::Mn_EnvClick);
  QAction* exit = AddCommand(file, "Mn_Exit", QStringLiteral("終了(&X)"), QStringLiteral("ミナロッサを終了します"), 45);
  connect(exit, &QAction::triggered, this, &QWidget::close);

  QMenu* edit = menuBar->addMenu(QStringLiteral("編集(&E)"));
  edit->setObjectName(QStringLiteral("Edit1"));
  QAction* view = AddCommand(edit, "Mn_View", QStringLiteral("表示(&V)..."), QStringLiteral("写真の表示"), 256);
  connect(edit, &QMenu::aboutToShow, this, [this, view] { view->setEnabled(OneThumbnailSelected()); });

  QMenu* show = menuBar->addMenu(QStringLiteral("表示(&V)"));
  show->setObjectName(QStringLiteral("Show1"));
  struct PanelCommand {
    const char* name;
    QString caption, hint;
    int help;
    QDockWidget* MainWindow::*dock;
  } panels[] = {
      {"Mn_Menu", QStringLiteral("工事階層パネル(&K)"), QStringLiteral("工事階層パネルの表示/非表示"), 53,
       &MainWindow::Float_Menu},
      {"Mn_Clip", QStringLiteral("情報パネル(&J)"), QStringLiteral("工事情報パネルの表示/非表示"), 54,
       &MainWindow::Float_Clip},
      {"Mn_Mime", QStringLiteral("参考図パネル(&S)"), QStringLiteral("参考図パネルの表示/非表示"), 55,
       &MainWindow::Float_Mime},
      {"Mn_Help", QStringLiteral("ヘルプパネル(&H)"), QStringLiteral("ヘルプパネルの表示/非表示"), 181,
       &MainWindow::Float_Help},
  };
  for (const PanelCommand& p : panels) {
    QAction* action = AddCommand(show, p.name, p.caption, p.hint, p.help);
    action->setCheckable(true);
    auto dock = p.dock;
    connect(action, &QAction::triggered, this, [this, dock] {
      QDockWidget* d = this->*dock;
      d->setVisible(!d->isVisible());
    });
  }
  connect(show, &QMenu::aboutToShow, this, [this, show, panels] {
    for (const PanelCommand& p : panels)
      if (QAction* a = show->findChild<QAction*>(QString::fromLatin1(p.name)))
        a->setChecked((this->*p.dock)->isVisible());
  });
  QAction* reset = AddCommand(show, "Mn_GamenInit", QStringLiteral("画面状態の初期化(&I)..."),
                              QStringLiteral("画面状態を初期値に戻す"), 49);
  connect(reset, &QAction::triggered, this, [this] { Mn_GamenInitClick(); });

  QMenu* help = menuBar->addMenu(QStringLiteral("ヘルプ(&H)"));
  help->setObjectName(QStringLiteral("Help1"));
  SearchforHelpOn =
      AddCommand(help, "SearchforHelpOn", QStringLiteral("トピックの検索(&S)"), QStringLiteral("トピックの検索"), 137);
  connect(SearchforHelpOn, &QAction::triggered, this, [this] { ShowHelpContext(0); });
  connect(help, &QMenu::aboutToShow, this, [this] { SearchforHelpOn->setEnabled(!helpFile_.isEmpty()); });
  QAction* about = AddCommand(help, "Mn_About", QStringLiteral("バージョン情報(&V)..."),
                              QStringLiteral("バージョン情報の表示"), 176);
  connect(about, &QAction::triggered, this, [this] {
    if (ShowAbout) ShowAbout();
  });

  // Ctrl+A and Ctrl+F act only when neither an edit field nor a grid has the
  // keyboard; the field keeps the key then.
  auto shortcut = [this](const QKeySequence& keys, void (MainWindow::*handler)()) {
    auto* action = new QAction(this);
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this, [this, handler] {
      if (!EditOrGridFocused()) (this->*handler)();
    });
    addAction(action);
  };
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_A), &MainWindow::Mn_SelAllClick);
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_F), &MainWindow::SB_ListClick);

  // F1 over any window of the program, menus and dialogs included.
  qApp->installEventFilter(new HelpKeyFilter(
      this, [this](int context) { ShowHelpContext(context); }, this));

  sizePopup_ = new QMenu(this);
  sizePopup_->setObjectName(QStringLiteral("PopupMenu_Size"));
  const QSize sizes[] = {{800, 600}, {1024, 768}, {1152, 870}, {1280, 1024}};
  for (int i = 0; i < 4; ++i) {
    QSize sz = sizes[i];
    QAction* a = sizePopup_->addAction(QStringLiteral("&%1 %2*%3").arg(i + 1).arg(sz.width()).arg(sz.height()));
    connect(a, &QAction::triggered, this, [this, sz] {
      setWindowState(Qt::WindowNoState);
      // The outer size is given; take the frame off for the client size.
      QSize frame = frameGeometry().size() - geometry().size();
      resize(sz - frame);
    });
  }
}

void MainWindow::CreateToolButtons() {
  panelView_ = new QToolBar(QStringLiteral("Panel_View"), this);
  panelView_->setObjectName(QStringLiteral("Panel_View"));
  addToolBar(Qt::TopToolBarArea, panelView_);
  struct Button {
    QToolButton* MainWindow::*member;
    const char* name;
    QString hint;
    QStyle::StandardPixmap icon;
    bool toggle;
  } buttons[] = {
      {&MainWindow::SB_List, "SB_List", QStringLiteral("工事階層/写真情報の検索"), QStyle::SP_FileDialogContentsView,
       false},
      {&MainWindow::SB_Sort, "SB_Sort", QStringLiteral("現在階層の写真のソート"), QStyle::SP_ArrowDown, false},
      {&MainWindow::SB_Kaijyo, "SB_Kaijyo", QStringLiteral("一覧モードの解除"), QStyle::SP_DialogResetButton, false},
      {&MainWindow::SB_Thumbnail, "SB_Thumbnail", QStringLiteral("サムネイルの写真は最小幅にあわせます"),
       QStyle::SP_TitleBarNormalButton, true},
      {&MainWindow::SB_Icon, "SB_Icon", QStringLiteral("カスタムサイズで表示します"), QStyle::SP_FileDialogListView,
       true},
      {&MainWindow::SB_View, "SB_View", QStringLiteral("写真の表示"), QStyle::SP_FileDialogInfoView, false},
  };
  for (const Button& b : buttons) {
    auto* button = new QToolButton(panelView_);
    button->setObjectName(QString::fromLatin1(b.name));
    button->setStatusTip(b.hint);
    button->setToolTip(b.hint);
    button->setCheckable(b.toggle);
    button->setAutoRaise(true);
    if (b.member == &MainWindow::SB_View) {
      button->setText(QStringLiteral("表示"));
      button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    } else {
      button->setIcon(style()->standardIcon(b.icon));
    }
    button->setFixedWidth(30);
    panelView_->addWidget(button);
    this->*b.member = button;
  }
  for (QToolBar* bar : {panel2_, panelView_}) {
    bar->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(bar, &QWidget::customContextMenuRequested, this,
            [this, bar](const QPoint& pos) { sizePopup_->exec(bar->mapToGlobal(pos)); });
  }
}

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

// ---- Host ------------------------------------------------------------------

void MainWindow::PlaceProgressBar() {
  QLabel* panel = statusPanels_[0];
  QRect r = panel->geometry();
  ProgressBar->setGeometry(r.left() + 3, 3, r.width() - 6, statusBar()->height() - 6);
}

void MainWindow::ReportProgress(char code, int value) {
  switch (code) {
    case 'S':
      if (value < 1) return;
      if (!QGuiApplication::overrideCursor()) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
      statusMessage_.clear();
      PlaceProgressBar();
      ProgressBar->setRange(1, value);
      ProgressBar->setValue(1);
      ProgressBar->show();
      ProgressBar->repaint();
      break;
    case 'R':
      if (value > ProgressBar->maximum()) return;
      if (!QGuiApplication::overrideCursor()) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
      // The bar repaints itself at once when the step changes what it
      // shows; a repaint for every step would cost more than the reading.
      ProgressBar->setValue(value);
      break;
    case 'E':
      ProgressBar->hide();
      while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
      break;
    default:
      break;
  }
}

void MainWindow::ShowStatus(const std::string& text) { ShowStatusText(Qs(text)); }
void MainWindow::ShowInformation(const std::string& text) { InfoBox(this, Qs(text)); }
void MainWindow::ShowWarning(const std::string& text) { WarningBox(this, Qs(text)); }
bool MainWindow::ConfirmYesCancel(const std::string& text) { return zor::ConfirmYesCancel(this, Qs(text)); }
bool MainWindow::ConfirmYesNo(const std::string& text) { return zor::ConfirmYesNo(this, Qs(text)); }
void MainWindow::Beep() { QApplication::beep(); }

void MainWindow::ShowStatusText(const QString& text) {
  statusMessage_ = text;
  if (hint_.isEmpty()) statusPanels_[0]->setText(text);
}

void MainWindow::ShowWorkStatus(const QString& text) { statusPanels_[3]->setText(text); }

// ---- Title, refresh, buttons ---------------------------------------------

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

void MainWindow::Mn_EnvClick() {
  if (!MayCreateWindow() || !RunSettingsDialog(settings_, this)) return;
  RefreshAll();
  // The just-fit count may have changed; the hint names it in either mode.
  PhotoLists->FitThumbnails(true);
}

void MainWindow::RequestButtonUpdate() { Timer_Button.start(); }

bool MainWindow::OneThumbnailSelected() const {
  auto* list = qobject_cast<QListView*>(QApplication::focusWidget());
  return list && (list == ListView || list == ListView2) && list->selectionModel() &&
         list->selectionModel()->selectedIndexes().size() == 1;
}

bool MainWindow::EditOrGridFocused() const {
  QWidget* focus = QApplication::focusWidget();
  if (!focus) return false;
  if (qobject_cast<QLineEdit*>(focus) || qobject_cast<QTextEdit*>(focus) || qobject_cast<QPlainTextEdit*>(focus) ||
      qobject_cast<QAbstractSpinBox*>(focus))
    return true;
  if (auto* combo = qobject_cast<QComboBox*>(focus); combo && combo->isEditable()) return true;
  return qobject_cast<ItemGrid*>(focus) != nullptr;
}

void MainWindow::Mn_SelAllClick() {
  auto* list = qobject_cast<ThumbnailList*>(QApplication::focusWidget());
  if (list && (list == ListView || list == ListView2)) list->SelectAllItems();
}

void MainWindow::SB_ListClick() { emit SB_List->clicked(); }

void MainWindow::UpdateButtons() {
  const int mode = context_.ListMode();
  SB_List->setEnabled(mode != 1);
  SB_Sort->setEnabled(mode != 2);
  SB_Kaijyo->setEnabled(mode != 0);
  SB_View->setEnabled(OneThumbnailSelected());
  // A delivery is open and its node shows no photo: say how to see some.
  ListView->SetEmptyHint(
      mode == 0 && !loadedEntry_.empty() ? QStringLiteral("左の工事階層で分類を選ぶと写真が表示されます") : QString());
}

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
  if (settings_.SettingsLoaded && !SettingsReadWrite('W', settings_, folders_, &error)) {
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

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const QStringList files = TakeDroppedFiles(event);
  HandleDroppedFiles(files);
}

void MainWindow::HandleDroppedFiles(const QStringList& files) {
  if (files.isEmpty()) return;
  const QString& file = files.first();  // only the first dropped file counts
  QFileInfo info(file);
  if (!info.exists()) return;
  if (info.fileName().compare(QStringLiteral("PHOTO.XML"), Qt::CaseInsensitive) != 0) {
    ShowInformation(SjOf(QStringLiteral("このファイル名はサポートできません。 > ") + info.fileName()));
    return;
  }
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QLatin1String("VerForm") && w->isVisible()) w->close();
  if (OpenDeliveryFile) OpenDeliveryFile(info.absoluteFilePath());
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

bool MainWindow::Mn_GamenInitClick() {
  if (!ConfirmYesCancel(SjOf(QStringLiteral("次回起動時に画面表示・ドッキング状態を初期化します。\nよろしいですか？"))))
    return false;
  QString dir = QString::fromStdString(folders_.userData);
  QFile::remove(dir + QStringLiteral("ZOR_V.INI"));
  QFile::remove(dir + QStringLiteral("ZORM_V.DAT"));
  layoutReset_ = true;
  return true;
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

// ---- Help --------------------------------------------------------------------

void MainWindow::SetHelpFile(const QString& path) { helpFile_ = path; }

void MainWindow::ShowHelpContext(int context) {
  if (helpFile_.isEmpty()) return;
  QUrl url = QUrl::fromLocalFile(helpFile_);
  if (context > 0) url.setFragment(QStringLiteral("ctx%1").arg(context));
  // The pages open in a window of the program, so that help works with no
  // browser. A modal window in front gets the help as its own modal child.
  QWidget* modal = QApplication::activeModalWidget();
  if (modal && modal != this) {
    HelpWindow help(modal);
    help.setModal(true);
    if (help.ShowPage(url)) {
      help.exec();
      return;
    }
  } else {
    if (!helpWindow_) helpWindow_ = new HelpWindow(this);
    if (helpWindow_->ShowPage(url)) return;
  }
  // The box's caption is the application title, as for every message box.
  ErrorBox(this, QStringLiteral("ヘルプを表示できません。\n\n") + url.toDisplayString(QUrl::PreferLocalFile));
}

}  // namespace zor

namespace zor {

// ---- Loading -----------------------------------------------------------------

bool MainWindow::DispatchDeliveryFile(const QString& file) {
  PhotoLists->ClearThumbnailCache();
  ImportContext ctx{delivery_, *this, folders_, settings_.MsXmlParser};
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  bool dispatched = zor::DispatchDeliveryFile(ctx, file.toStdString(), Sj(kXmlInputWorkNameUtf8));
  if (dispatched) loadedEntry_ = file.toStdString();
  while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
  // The reading is over: its step text goes, as every other step's does
  // (a message of the load stays), and the tree takes the keyboard.
  const QString reading = QStringLiteral("を読み込んでいます・・・");
  if (statusMessage_.endsWith(reading) || statusPanels_[0]->text().endsWith(reading)) {
    ShowStatusText(QString());
    if (hint_.isEmpty()) statusPanels_[0]->clear();
  }
  if (dispatched && TreePanel->TV_Tree->isVisible()) TreePanel->TV_Tree->setFocus();
  RequestButtonUpdate();
  return dispatched;
}

bool MainWindow::ChooseDeliveryFolder(bool indexVariant) {
  const QString caption =
      indexVariant ? QStringLiteral("INDEX_C.XMLまたはINDEX_D.XMLを開く") : QStringLiteral("写真管理／PHOTO.XML読込");
  const QString comment = indexVariant
                              ? QStringLiteral("INDEX_C.XMLまたはINDEX_D.XMLが存在するフォルダを指定してください。")
                              : QStringLiteral("PHOTO.XMLが存在するフォルダを指定してください。");
  const int help = indexVariant ? 284 : 33;
  for (;;) {
    FolderChoice choice;
    choice.kind = indexVariant ? kEntryConstruction : kEntryPhoto;
    choice.folder = StartFolder(settings_.XmlLoad_Path);
    choice.densiOn = settings_.DensiOn;
    choice.photoOn = settings_.PhotoOn;
    choice.bookOn = settings_.BookOn;
    if (!MayCreateWindow()) return false;
    bool accepted = ShowFolderChooser(
        this, caption, comment, help, FolderMode::Input, choice, [this](const QString& f) { ShowXmlFileModal(f); },
        PositionsFile());
    // The folder is remembered even when the choice was cancelled.
    settings_.XmlLoad_Path = SjOf(QDir::toNativeSeparators(choice.folder));
    settings_.DensiOn = choice.densiOn;
    settings_.PhotoOn = choice.photoOn;
    settings_.BookOn = choice.bookOn;
    if (!accepted) return false;
    std::string folder = choice.folder.toStdString();
    int kind = choice.kind;
    if (kind == kEntryPhoto) {
      ImportContext ctx{delivery_, *this, folders_, settings_.MsXmlParser};
      kind = FindIndexForPhotoFolder(ctx, folder);
    }
    if (!folder.empty() && folder.back() != '/') folder += '/';
    const std::string entry = EntryFileOf(folder, kind);
    repaint();
    if (!QFileInfo(QString::fromStdString(entry)).isFile()) {
      ShowInformation(Sj(std::string("フォルダが違います ") + EntryFileName(kind) + " がみつかりません。"));
      continue;
    }
    return OpenDeliveryFile && OpenDeliveryFile(QString::fromStdString(entry));
  }
}

QString MainWindow::StartFolder(const std::string& kept) const {
  // Never used yet (the settings' default, the program's own folder, which
  // an installed program cannot write): the user's home folder.
  const QString folder = QDir::fromNativeSeparators(Qs(kept));
  const QString program = QDir::cleanPath(QString::fromStdString(folders_.program));
  if (folder.isEmpty() || QDir::cleanPath(folder) == program) return QDir::homePath();
  return folder;
}

void MainWindow::ShowXmlFileModal(const QString& file) {
  if (!MayCreateWindow()) return;
  XmlContentWindow* window = nullptr;
  ShowXmlContent(window, this, file.toStdString(), true, settings_.MsXmlParser, folders_.sysFile, *this);
  delete window;  // released after a failed load, which does not show it
}

// ---- The readers' window steps -------------------------------------------------

void MainWindow::LeaveListMode() { PhotoLists->LeaveListMode(true); }

void MainWindow::ClearPhotoLists() { context_.SetPhoto(0), context_.SetDrawing(0); }

void MainWindow::ShowNodePhotos() { emit context_.NodeChanged(); }

void MainWindow::SelectUnclassifiedNode() {
  // Called once the skeleton is built and again when every photo is in the
  // tree: the panels forget the old selection, the tree widget is rebuilt
  // from the core's tree, its unclassified node selected, all expanded.
  context_.Reloaded();
  TreePanel->ShowTree();
}

void MainWindow::LayOutInformationPanel() { InfoPanel->AfterLoad(); }

void MainWindow::RefillContractGrid() { InfoPanel->RefillKojiGrid(); }

void MainWindow::EnterListMode(int kind, const std::vector<std::int32_t>& records) {
  PhotoLists->EnterListMode(kind, TIntList(records.begin(), records.end()));
}

void MainWindow::OpenInBrowser(const std::string& path) {
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)))) browserFailed_ = true;
}

void MainWindow::Mn_HTMLClick() {
  FolderChoice choice;
  choice.folder = StartFolder(settings_.HtmlSave_Path);
  choice.orgGrphHtml = settings_.OrgGrphHtml;
  choice.densiOn = settings_.DensiOn;
  choice.photoOn = settings_.PhotoOn;
  choice.bookOn = settings_.BookOn;
  if (!MayCreateWindow()) return;
  bool accepted = ShowFolderChooser(this, QStringLiteral("ＨＴＭＬ工事写真帳作成／ＨＴＭＬ出力先の指定"),
                                    QStringLiteral("出力先のフォルダを指定してください。"), 35, FolderMode::Output,
                                    choice, {}, PositionsFile());
  // The last folder is remembered also when the choice was cancelled.
  settings_.HtmlSave_Path = SjOf(QDir::toNativeSeparators(choice.folder));
  settings_.OrgGrphHtml = choice.orgGrphHtml;
  if (!accepted) return;
  repaint();
  WriteAlbumInto(choice.folder);
}

bool MainWindow::WriteAlbumInto(const QString& parent) {
  AlbumOptions options;
  options.folder = AlbumFolderIn(parent.toStdString());
  // The program never writes into a delivery.
  if (!loadedEntry_.empty() && AlbumInsideFolder(options.folder, DeliveryFolderOfEntry(loadedEntry_))) {
    ShowInformation(
        SjOf(QStringLiteral("電子納品データのフォルダの中には出力できません。\n別のフォルダを指定してください。")));
    return false;
  }
  options.xhtml = settings_.Xhtml;
  options.perPage = settings_.HtmlPage;
  options.sanko = settings_.HtmlSanko;
  options.jpegQuality = settings_.CompressionQuality;
  browserFailed_ = false;
  const AlbumResult result = WriteHtmlAlbum(delivery_, options, *this);
  if (!result.finished) return false;
  // Say where the album is, also when no browser could show it.
  const QString start = QDir::toNativeSeparators(QString::fromStdString((options.folder / "ALBUM.HTM").string()));
  ShowStatusText(QStringLiteral("HTML工事写真帳を作成しました: ") + start);
  QString text = QStringLiteral("HTML工事写真帳を作成しました。\n\n") + start;
  if (browserFailed_)
    text += QStringLiteral("\n\nブラウザを起動できませんでした。このファイルをブラウザで開いてください。");
  ShowInformation(SjOf(text));
  return true;
}

void MainWindow::ShowLevelWarning(const std::string& text) {
  // The tree panel owns this warning and its "do not show again" state.
  TreePanel->ShowLevelWarning(Qs(text));
}

}  // namespace zor
