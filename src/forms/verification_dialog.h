// The verification dialog: runs the entry verification over the loaded
// delivery with a chosen scope and shows its report. Modeless and on top;
// the photos concerned are shown in the thumbnail list's list mode.
#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>

#include "app/settings.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

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
  QPushButton* OpenBtn = nullptr;
  QPushButton* CloseBtn = nullptr;

  Procedure Verify;

  void OpenBtnClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Settings& settings_;
};

// A new dialog, centred over the main window.
VerificationDialog* MakeMissForm(Settings& settings, QWidget* mainWindow);

// Creates the dialog when it does not exist (it is kept in form), hands it
// the procedure, shows the name of the standard and shows it without
// waiting.
void ShowMissForm(VerificationDialog*& form, Settings& settings, QWidget* mainWindow, const QString& standardName,
                  VerificationDialog::Procedure procedure);

}  // namespace zor
