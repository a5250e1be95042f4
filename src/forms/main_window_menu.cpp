// The main window's menu, tool buttons and shortcuts, and the commands
// behind them: settings, help, the screen reset and the HTML album.
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QItemSelectionModel>
#include <QKeySequence>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include "forms/folder_chooser.h"
#include "forms/help_keys.h"
#include "forms/help_window.h"
#include "forms/item_grid.h"
#include "forms/main_window.h"
#include "forms/photo_list.h"
#include "forms/qtext.h"
#include "forms/settings_dialog.h"
#include "forms/thumbnail_list.h"
#include "output/album_writer.h"

namespace zor {
namespace {

QAction* AddCommand(QMenu* menu, const char* name, const QString& caption, const QString& hint, int helpContext) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QString::fromLatin1(name));
  action->setStatusTip(hint);
  action->setProperty(kHelpContext, helpContext);
  return action;
}

}  // namespace

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
  QAction* ledger = AddCommand(file, "Mn_Ledger", QStringLiteral("工事写真帳（PDF）の作成(&P)..."),
                               QStringLiteral("工事写真帳（PDF）の作成"), 37);
  connect(ledger, &QAction::triggered, this, &MainWindow::Mn_LedgerClick);
  AddCommand(file, "Mn_Inspect", QStringLiteral("写真ファイルの検査(&I)..."), QStringLiteral("写真ファイルの検査"), 36);
  AddCommand(file, "Mn_Check", QStringLiteral("納品データのチェック(&C)..."), QStringLiteral("納品データのチェック"),
             38);
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

// ---- Commands and buttons ------------------------------------------------------

void MainWindow::Mn_EnvClick() {
  if (!MayCreateWindow() || !RunSettingsDialog(settings_, this)) return;
  RefreshAll();
  // The just-fit count may have changed; the hint names it in either mode.
  PhotoLists->FitThumbnails(true);
}

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

bool MainWindow::Mn_GamenInitClick() {
  if (!ConfirmYesCancel(SjOf(QStringLiteral("次回起動時に画面表示・ドッキング状態を初期化します。\nよろしいですか？"))))
    return false;
  QString dir = QString::fromStdString(folders_.userData);
  QFile::remove(dir + QStringLiteral("ZOR_V.INI"));
  QFile::remove(dir + QStringLiteral("ZORM_V.DAT"));
  layoutReset_ = true;
  return true;
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

// ---- The HTML album --------------------------------------------------------

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

}  // namespace zor
