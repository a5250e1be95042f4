// The photo ledger (工事写真帳) as a PDF: where to write it, two or three
// photos to a page, all photos or only the representative or frequency
// ones, the reference drawings, only the photos on show; then 作成 writes it
// on a thread of its own with a progress bar and 中止, and opens the PDF
// (or says where it is) when done. Modeless, like the inspection dialog.
#pragma once

#include <QDialog>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "output/ledger_writer.h"

class QCheckBox;
class QComboBox;
class QPlainTextEdit;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace zor {

class LedgerDialog : public QDialog {
  Q_OBJECT
 public:
  explicit LedgerDialog(QWidget* parent);
  ~LedgerDialog() override;

  QLineEdit* FileEdit = nullptr;
  QPushButton* BrowseBtn = nullptr;
  QRadioButton* ThreeRadio = nullptr;
  QRadioButton* TwoRadio = nullptr;
  QComboBox* OnlyBox = nullptr;
  QCheckBox* DrawingsCheck = nullptr;
  QCheckBox* ShownCheck = nullptr;
  QProgressBar* Progress = nullptr;
  QPlainTextEdit* Summary = nullptr;  // what the last run did, or why it did not start
  QPushButton* StartBtn = nullptr;
  QPushButton* StopBtn = nullptr;
  QPushButton* CloseBtn = nullptr;

  // What the window supplies: the plan for a selection, read from the loaded
  // delivery in the window's thread (the photos on show filled in when the
  // selection asks for them); why a file may not be written there (code
  // page 932, empty when it may); opening the written PDF, false when no
  // program could show it.
  std::function<LedgerPlan(LedgerSelection selection)> Plan;
  std::function<std::string(const std::filesystem::path& file)> Refusal;
  std::function<bool(const std::filesystem::path& file)> Open;

  void StartBtnClick();
  void StopBtnClick();
  void BrowseBtnClick();
  bool Running() const { return worker_.joinable() && !done_; }
  // The last run's result; nothing before the first one ends.
  const LedgerResult* Result() const { return result_.get(); }
  // Waits for a running ledger to end (tests, closing).
  void Wait();

 signals:
  void Finished();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void ShowProgress(char code, int value);
  void ShowResult(std::shared_ptr<LedgerResult> result, const std::filesystem::path& file);
  void UpdateButtons();

  std::thread worker_;
  std::atomic<bool> cancel_{false};
  bool done_ = true;
  std::shared_ptr<LedgerResult> result_;
};

}  // namespace zor
