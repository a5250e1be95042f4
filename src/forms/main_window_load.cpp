// Loading a delivery into the main window: the window as the readers' Host
// (progress, messages, the steps they ask of the panels), the folder choice
// of the open commands, the dispatch of the chosen file and dropped files.
#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QProgressBar>
#include <QStatusBar>
#include <QTreeWidget>

#include "forms/check_dialog.h"
#include "forms/dropped_files.h"
#include "forms/folder_chooser.h"
#include "forms/info_panel.h"
#include "forms/inspection_dialog.h"
#include "forms/load_host.h"
#include "forms/main_window.h"
#include "forms/photo_list.h"
#include "forms/qtext.h"
#include "forms/tree_panel.h"
#include "forms/verification_dialog.h"
#include "forms/xml_content_window.h"
#include "import/dispatch.h"
#include "store/photo_table.h"

namespace zor {

// ---- Host: progress and messages -------------------------------------------

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

// ---- Loading -----------------------------------------------------------------

bool MainWindow::DispatchDeliveryFile(const QString& file) {
  PhotoLists->ClearThumbnailCache();
  // The reports name the old delivery's records.
  if (InspectForm) InspectForm->ClearResult();
  if (CheckForm) CheckForm->ClearResult();
  if (MissForm) MissForm->ClearFaults();
  LoadHost host(*this);
  ImportContext ctx{delivery_, host, folders_, settings_.MsXmlParser};
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  bool dispatched = zor::DispatchDeliveryFile(ctx, file.toStdString(), Sj(kXmlInputWorkNameUtf8));
  if (dispatched) {
    loadedEntry_ = file.toStdString();
    readWithoutValidation_ = host.ReadWithoutValidation();
  }
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

// ---- Drops -------------------------------------------------------------------

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

// ---- The readers' window steps -------------------------------------------------

void MainWindow::SelectUnclassifiedNode() {
  // Called once the skeleton is built and again when every photo is in the
  // tree: the panels forget the old selection, the tree widget is rebuilt
  // from the core's tree, its unclassified node selected, all expanded.
  context_.Reloaded();
  TreePanel->ShowTree();
}

void MainWindow::LayOutInformationPanel() { InfoPanel->AfterLoad(); }

void MainWindow::RefillContractGrid() { InfoPanel->RefillKojiGrid(); }

void MainWindow::ShowLevelWarning(const std::string& text) {
  // The tree panel owns this warning and its "do not show again" state.
  TreePanel->ShowLevelWarning(Qs(text));
}

}  // namespace zor
