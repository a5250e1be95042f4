#include "forms/folder_chooser.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QThread>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>
#include <functional>
#include <optional>

#include "app/folders.h"
#include "app/ini_file.h"
#include "forms/dialog_helpers.h"
#include "forms/message_boxes.h"
#include "forms/qtext.h"
#include "forms/window_positions.h"
#include "text/sjis.h"

namespace zor {
namespace {

bool HoldsFile(const QString& folder, const char* name) {
  auto found = ResolveCaseInsensitive(QDir(folder).absolutePath().toStdString() + "/", name);
  return found && QFileInfo(QString::fromStdString(*found)).isFile();
}

bool HoldsFolder(const QString& folder, const char* name) {
  auto found = ResolveCaseInsensitive(QDir(folder).absolutePath().toStdString() + "/", name);
  return found && QFileInfo(QString::fromStdString(*found)).isDir();
}

}  // namespace

std::string CleanNewFolderName(const std::string& sjis) {
  std::string trimmed = TrimWide(sjis);
  std::string out;
  for (std::size_t pos = 0; pos < trimmed.size();) {
    std::size_t len = CharLengthAt(trimmed, pos);
    if (len == 1 && std::string_view("?*\",.;:|<>/").find(trimmed[pos]) != std::string_view::npos) {
      ++pos;
      continue;
    }
    out.append(trimmed, pos, len);
    pos += len;
  }
  return CutToBytes(out, 128);
}

FolderChooser::FolderChooser(FolderMode mode, const QString& caption, const QString& comment, int helpContext,
                             const FolderChoice& choice, QWidget* parent)
    : QDialog(parent),
      mode_(mode),
      comment_(comment.isEmpty() ? QStringLiteral("フォルダを指定してください。") : comment),
      choice_(choice) {
  setObjectName(QStringLiteral("FolderForm"));
  setWindowTitle(caption.isEmpty() ? QStringLiteral("フォルダの選択") : caption);
  setProperty("helpContext", helpContext);
  setMinimumSize(595, 462);

  auto* layout = new QVBoxLayout(this);
  Label_Comment = new QLabel(this);
  Label_Comment->setObjectName(QStringLiteral("Label_Comment"));
  Label_Comment->setWordWrap(true);
  layout->addWidget(Label_Comment);
  auto* dirRow = new QHBoxLayout;
  Lbl_NowDir = new QLabel(this);
  Lbl_NowDir->setObjectName(QStringLiteral("Lbl_NowDir"));
  Lbl_NowDir->setTextInteractionFlags(Qt::TextSelectableByMouse);
  Btn_MakeFolder = DialogButton(this, "Btn_MakeFolder", QStringLiteral("フォルダ作成"), false);
  dirRow->addWidget(Lbl_NowDir, 1);
  dirRow->addWidget(Btn_MakeFolder);
  layout->addLayout(dirRow);
  Ed_Path = new QLineEdit(this);
  Ed_Path->setObjectName(QStringLiteral("Ed_Path"));
  Ed_Path->setClearButtonEnabled(true);
  Ed_Path->setPlaceholderText(QStringLiteral("フォルダのパスを入力して Enter"));
  Ed_Path->installEventFilter(this);
  layout->addWidget(Ed_Path);

  model_ = new QFileSystemModel(this);
  model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  model_->setReadOnly(true);
  model_->setRootPath(QDir::rootPath());
  SystemTreeView = new QTreeView(this);
  SystemTreeView->setObjectName(QStringLiteral("SystemTreeView"));
  SystemTreeView->setModel(model_);
  for (int column = 1; column < model_->columnCount(); ++column) SystemTreeView->hideColumn(column);
  SystemTreeView->setHeaderHidden(true);
  SystemTreeView->setEditTriggers(QAbstractItemView::NoEditTriggers);
  SystemTreeView->setContextMenuPolicy(Qt::CustomContextMenu);
  layout->addWidget(SystemTreeView, 1);

  popup_ = new QMenu(this);
  popup_->setObjectName(QStringLiteral("PopupMenu"));
  QAction* reload = popup_->addAction(QStringLiteral("再読込(&R)"));
  reload->setObjectName(QStringLiteral("N2"));
  popup_->addSeparator();
  QAction* make = popup_->addAction(QStringLiteral("フォルダの作成(&N)..."));
  make->setObjectName(QStringLiteral("N1"));
  connect(reload, &QAction::triggered, this, &FolderChooser::Reload);
  connect(make, &QAction::triggered, this, &FolderChooser::MakeFolder);
  connect(SystemTreeView, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { popup_->exec(SystemTreeView->viewport()->mapToGlobal(pos)); });

  auto* buttons = new QHBoxLayout;
  CheckBtn = DialogButton(this, "CheckBtn", QStringLiteral("ＸＭＬデータ内容の確認(&T)"), false);
  OpenBtn = DialogButton(this, "OpenBtn", QStringLiteral("実行(&R)"), true);
  CloseBtn = DialogButton(this, "CloseBtn", QStringLiteral("中止(&C)"), false);
  buttons->addWidget(CheckBtn);
  buttons->addStretch();
  buttons->addWidget(OpenBtn);
  buttons->addWidget(CloseBtn);
  layout->addLayout(buttons);

  // The options of the other modes stay hidden; their flags pass through.
  Btn_MakeFolder->setVisible(mode_ == FolderMode::Output);
  CheckBtn->setVisible(mode_ == FolderMode::Input);

  connect(OpenBtn, &QPushButton::clicked, this, &QDialog::accept);
  connect(CloseBtn, &QPushButton::clicked, this, &QDialog::reject);
  connect(CheckBtn, &QPushButton::clicked, this, &FolderChooser::CheckBtnClick);
  connect(Btn_MakeFolder, &QPushButton::clicked, this, &FolderChooser::MakeFolder);
  connect(SystemTreeView->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &FolderChooser::UpdateFolderState);
  // The folders above the selection are read in the background; once they
  // are there the selection can be scrolled into view.
  connect(model_, &QFileSystemModel::directoryLoaded, this, [this](const QString& dir) {
    if (reveal_.isEmpty()) return;
    if (SelectedFolder() != reveal_) {
      reveal_.clear();  // the user went elsewhere meanwhile
      return;
    }
    // The model sorts and inserts the rows a moment after it read them.
    if (reveal_.startsWith(dir)) revealTimer_.start();
  });
  revealTimer_.setSingleShot(true);
  revealTimer_.setInterval(150);
  connect(&revealTimer_, &QTimer::timeout, this, [this] {
    if (!reveal_.isEmpty() && SelectedFolder() == reveal_)
      SystemTreeView->scrollTo(SystemTreeView->currentIndex(), QAbstractItemView::PositionAtCenter);
  });
  SelectFolder(choice_.folder);
}

bool FolderChooser::eventFilter(QObject* watched, QEvent* event) {
  // Enter in the path field moves the tree; it does not press 実行.
  if (watched == Ed_Path && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      GoToTypedPath();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void FolderChooser::GoToTypedPath() {
  QString typed = Ed_Path->text().trimmed();
  if (typed.size() >= 2 && typed.startsWith(QLatin1Char('"')) && typed.endsWith(QLatin1Char('"')))
    typed = typed.mid(1, typed.size() - 2);
  if (typed == QLatin1String("~") || typed.startsWith(QStringLiteral("~/"))) typed.replace(0, 1, QDir::homePath());
  if (typed.startsWith(QStringLiteral("file://"))) typed = QUrl(typed).toLocalFile();
  const QFileInfo info(QDir::fromNativeSeparators(typed));
  if (typed.isEmpty() || !info.isAbsolute() || !info.exists()) {
    QApplication::beep();
    Label_Comment->setText(QStringLiteral("そのフォルダは見つかりません: ") + typed);
    return;
  }
  SelectFolder(info.isDir() ? info.absoluteFilePath() : info.absolutePath());
  SystemTreeView->setFocus();
}

QString FolderChooser::SelectedFolder() const { return model_->filePath(SystemTreeView->currentIndex()); }

void FolderChooser::SelectFolder(const QString& path) {
  QString folder = path;
  while (!folder.isEmpty() && !QFileInfo(folder).isDir()) folder = QFileInfo(folder).path();  // nearest existing
  if (folder.isEmpty()) folder = QDir::homePath();
  QModelIndex index = model_->index(QDir(folder).absolutePath());
  SystemTreeView->setCurrentIndex(index);
  SystemTreeView->scrollTo(index, QAbstractItemView::PositionAtCenter);
  reveal_ = SelectedFolder();
  SystemTreeView->expand(index);
  UpdateFolderState();
}

void FolderChooser::UpdateFolderState() {
  const QString folder = SelectedFolder();
  choice_.folder = folder;
  Lbl_NowDir->setText(QDir::toNativeSeparators(folder));
  if (!Ed_Path->hasFocus()) Ed_Path->setText(QDir::toNativeSeparators(folder));
  bool usable = false;
  if (mode_ == FolderMode::Output) {
    usable = !folder.isEmpty() && !HoldsFolder(folder, "ALBUM");
    Label_Comment->setText(comment_ + (usable ? QStringLiteral(" ( 保存できます )")
                                              : QStringLiteral(" ( 【ALBUM】フォルダが既に存在します )")));
  } else {
    if (choice_.kind == 0) {
      usable = HoldsFile(folder, "PHOTO.XML");
    } else if (HoldsFile(folder, "INDEX_C.XML")) {
      usable = true;
      choice_.kind = 1;
    } else if (HoldsFile(folder, "INDEX_D.XML")) {
      usable = true;
      choice_.kind = 2;
    }
    QString missing = choice_.kind == 0 ? QStringLiteral("PHOTO.XML") : QStringLiteral("INDEX_C.XMLまたはINDEX_D.XML");
    Label_Comment->setText(comment_ + (usable
                                           ? QStringLiteral(" ( 読み込みできます )")
                                           : QStringLiteral(" ( 【") + missing + QStringLiteral("】がありません )")));
  }
  OpenBtn->setEnabled(usable);
  CheckBtn->setEnabled(usable);
}

void FolderChooser::CheckBtnClick() {
  const std::string folder = QDir(SelectedFolder()).absolutePath().toStdString() + "/";
  std::optional<std::string> file;
  if (choice_.kind == 0) {
    file = ResolveCaseInsensitive(folder, "PHOTO.XML");
  } else {
    file = ResolveCaseInsensitive(folder, "INDEX_C.XML");
    if (!file) file = ResolveCaseInsensitive(folder, "INDEX_D.XML");
  }
  if (file && ShowXmlFile) ShowXmlFile(QString::fromStdString(*file));
}

void FolderChooser::Reload() {
  const QString keep = SelectedFolder();
  // The model watches the file system; a new root path makes it read again.
  model_->setRootPath(QString());
  model_->setRootPath(QDir::rootPath());
  SelectFolder(keep);
}

void FolderChooser::MakeFolder() {
  QString text = QStringLiteral("新しいフォルダ");
  for (;;) {
    bool ok = false;
    text = QInputDialog::getText(this, QStringLiteral("新規フォルダの作成"), QStringLiteral("フォルダ名:"),
                                 QLineEdit::Normal, text, &ok);
    if (!ok) return;
    const QString name = Qs(CleanNewFolderName(SjOf(text)));
    if (name.isEmpty()) {
      QApplication::beep();
      continue;
    }
    const QString target = QDir(SelectedFolder()).filePath(name);
    if (!QFileInfo::exists(target) && QDir().mkpath(target)) {
      // The tree learns of the folder from the file system; wait until it does.
      for (int tries = 0; tries < 50; ++tries) {
        QCoreApplication::processEvents();
        QModelIndex index = model_->index(target);
        if (index.isValid()) {
          SelectFolder(target);
          break;
        }
        QThread::msleep(100);
      }
      return;
    }
    InfoBox(this, QFileInfo(target).isDir() ? QStringLiteral("同一のフォルダ名が既に存在します。")
                                            : QStringLiteral("フォルダを作成できません。"));
  }
}

bool ShowFolderChooser(QWidget* parent, const QString& caption, const QString& comment, int helpContext,
                       FolderMode mode, FolderChoice& choice, std::function<void(const QString&)> showXml,
                       const std::string& positionsFile) {
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  FolderChooser form(mode, caption, comment, helpContext, choice, parent);
  form.ShowXmlFile = std::move(showXml);
  std::string error;
  std::optional<IniFile> positions;
  if (!positionsFile.empty()) positions = IniFile::Load(positionsFile, &error);
  if (positions) {
    QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    RestoreWindowSize(*positions, form, screen ? screen->availableGeometry() : QRect());
  }
  QGuiApplication::restoreOverrideCursor();
  bool accepted = form.exec() == QDialog::Accepted;
  choice = form.Choice();
  if (positions) {
    // Another window may have written the file meanwhile; keep its keys.
    if (std::optional<IniFile> now = IniFile::Load(positionsFile, &error)) {
      StoreWindowPosition(*now, form);
      if (!now->Save(positionsFile, &error)) QApplication::beep();
    }
  }
  return accepted;
}

}  // namespace zor
