// The verification dialog: runs the entry verification over the loaded
// delivery with a chosen scope and shows its report, then every faulty
// entry one by one (record, file, item, value, the rule it breaks); a
// double click on one leads to its photo and item. Modeless and on top;
// the photos concerned are shown in the thumbnail list's list mode.
#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>
#include <vector>

#include "app/settings.h"
#include "rules/entry_faults.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zor {

class VerificationDialog : public QDialog {
  Q_OBJECT
 public:
  // The verification procedure: the dialog, the scope (0, 1, 2) and the
  // result lines to fill; true when nothing was found.
  using Procedure = std::function<bool(VerificationDialog&, int, QStringList&)>;

  VerificationDialog(Settings& settings, QWidget* parent);

  QLabel* Label1 = nullptr;
  QComboBox* CE_Hanni = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Version = nullptr;
  QPlainTextEdit* MM_Kekka = nullptr;
  QLabel* LB_Faults = nullptr;
  QTreeWidget* LV_Faults = nullptr;  // the faulty entries: 記録, ファイル, 項目, 値, 規則
  QPushButton* OpenBtn = nullptr;
  QPushButton* CloseBtn = nullptr;

  Procedure Verify;
  // What the window supplies: the faulty entries for a scope, read after
  // the verification; a double-clicked one, with the photos of the list.
  std::function<std::vector<EntryFault>(int scope)> ListFaults;
  std::function<void(const EntryFault& fault, const std::vector<int>& photos)> ShowFault;

  void OpenBtnClick();
  const std::vector<EntryFault>& Faults() const { return faults_; }
  // Forgets the list, as when another delivery is loaded: its records are
  // the old delivery's.
  void ClearFaults();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowFaults();
  void Activated(QTreeWidgetItem* item);

  Settings& settings_;
  std::vector<EntryFault> faults_;
};

// A new dialog, centred over the main window.
VerificationDialog* MakeMissForm(Settings& settings, QWidget* mainWindow);

// Creates the dialog when it does not exist (it is kept in form), hands it
// the procedure, shows the name of the standard and shows it without
// waiting.
void ShowMissForm(VerificationDialog*& form, Settings& settings, QWidget* mainWindow, const QString& standardName,
                  VerificationDialog::Procedure procedure);

}  // namespace zor
