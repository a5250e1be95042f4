// The photo ledger (工事写真帳) as a PDF: the dialog made on first use and
// kept, fed with plans read from the loaded delivery in the window's thread.
#include <QDesktopServices>
#include <QDir>
#include <QLineEdit>
#include <QUrl>

#include "forms/ledger_dialog.h"
#include "forms/main_window.h"
#include "forms/qtext.h"
#include "forms/reading_table.h"
#include "output/album_writer.h"
#include "output/ledger_plan.h"

namespace zor {

void MainWindow::Mn_LedgerClick() {
  if (!LedgerForm) {
    if (!CreateWindowChecked([this] { LedgerForm = new LedgerDialog(this); })) return;
    LedgerForm->setProperty(kKeptWindow, true);
    const QString folder = settings_.HtmlSave_Path.empty() ? QDir::homePath() : Qs(settings_.HtmlSave_Path);
    LedgerForm->FileEdit->setText(QDir::toNativeSeparators(QDir(folder).filePath(QStringLiteral("工事写真帳.pdf"))));
    LedgerForm->Plan = [this](LedgerSelection selection) {
      // The photos on show: list mode's result, else the selected node's.
      if (selection.chosen) {
        const TIntList& shown = context_.ListMode() != 0 ? context_.ListRecords()
                                : context_.Node()        ? context_.Node()->Records()
                                                         : TIntList();
        selection.records.assign(shown.begin(), shown.end());
      }
      LedgerPlan plan;
      ReadingTable(*this, [&] { plan = PlanLedger(delivery_, selection); });
      return plan;
    };
    LedgerForm->Refusal = [this](const std::filesystem::path& file) {
      // The program never writes into a delivery.
      if (!loadedEntry_.empty() && AlbumInsideFolder(file, DeliveryFolderOfEntry(loadedEntry_)))
        return SjOf(QStringLiteral("電子納品データのフォルダの中には出力できません。\n別のフォルダを指定してください。"));
      return std::string();
    };
    LedgerForm->Open = [](const std::filesystem::path& file) {
      return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(file.string())));
    };
  }
  LedgerForm->show();
  LedgerForm->raise();
  LedgerForm->activateWindow();
}

}  // namespace zor
