// The inspection dialog: runs the inspection of the pictures on a thread of
// its own (開始 / 中止, a progress bar) and shows the findings grouped by
// check. A double click on a finding selects its photo; "指摘のある写真を一覧"
// shows the photos with findings in list mode. Modeless and on top, like
// the verification dialog.
#pragma once

#include <QDialog>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "inspect/inspection.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zor {

class InspectionDialog : public QDialog {
  Q_OBJECT
 public:
  explicit InspectionDialog(QWidget* parent);
  ~InspectionDialog() override;

  QLabel* Summary = nullptr;
  QProgressBar* Progress = nullptr;
  QTreeWidget* Report = nullptr;
  QPushButton* StartBtn = nullptr;
  QPushButton* StopBtn = nullptr;
  QPushButton* ListBtn = nullptr;
  QPushButton* CloseBtn = nullptr;

  // What the window supplies: the plan, read from the loaded delivery in
  // the window's thread; the selection of one photo; list mode over photos.
  std::function<InspectionPlan()> Plan;
  std::function<void(int record)> SelectPhoto;
  std::function<void(const std::vector<int>& records)> ListPhotos;

  void StartBtnClick();
  void StopBtnClick();
  void ListBtnClick();
  // True while an inspection runs.
  bool Running() const { return worker_.joinable(); }
  // The last result shown; empty before the first run ends.
  const InspectionResult* Result() const { return result_.get(); }
  // Waits for the running inspection to end (tests, closing).
  void Wait();
  // Stops a run and forgets its report, as when another delivery is loaded:
  // the records it names are the old delivery's.
  void ClearResult();

 signals:
  void Finished();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void ShowProgress(char code, int value);
  void ShowResult(std::shared_ptr<InspectionResult> result);
  void Activated(QTreeWidgetItem* item);
  void UpdateButtons();

  std::thread worker_;
  std::atomic<bool> cancel_{false};
  std::shared_ptr<InspectionResult> result_;
};

}  // namespace zor
