// The dialogs that check the loaded delivery on a thread of their own and
// show the findings (FindingsDialog): the inspection of the pictures and
// the check of the whole delivery. 開始 reads what the run needs from the
// delivery in the window's thread, then the run goes on beside it with a
// progress bar until it ends or 中止 stops it. The findings are shown
// grouped by severity and check; a double click leads to the photo,
// "指摘のある写真を一覧" lists the photos with findings, "保存" writes them as
// an HTML page or a CSV file, never inside the delivery. Modeless and on
// top, like the verification dialog.
#pragma once

#include <QDialog>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/host.h"
#include "inspect/findings.h"
#include "inspect/inspection.h"
#include "output/check_report.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QVBoxLayout;

namespace zor {

class FindingsView;

// What one run found.
struct FindingsOutcome {
  std::vector<Finding> findings;
  std::string summary;       // the run's summary line (code page 932)
  std::vector<int> records;  // the photos with findings, for list mode
};

class FindingsDialog : public QDialog {
  Q_OBJECT
 public:
  ~FindingsDialog() override;

  QLabel* Summary = nullptr;
  QProgressBar* Progress = nullptr;
  FindingsView* Report = nullptr;
  QPushButton* StartBtn = nullptr;
  QPushButton* StopBtn = nullptr;
  QPushButton* ListBtn = nullptr;
  QPushButton* SaveBtn = nullptr;
  QPushButton* CloseBtn = nullptr;

  // What the window supplies. A finding double-clicked, with the photos
  // that have findings; list mode over photos; the report's heading as far
  // as the delivery gives it (work name, path, standard); the delivery's
  // folder (UTF-8), which no report goes into; an information box.
  std::function<void(const Finding& finding, const std::vector<int>& records)> ShowFinding;
  std::function<void(const std::vector<int>& records)> ListPhotos;
  std::function<ReportHeading()> DeliveryHeading;
  std::function<std::string()> DeliveryFolder;
  std::function<void(const QString& text)> Inform;
  // Asks where a report goes, starting at suggested; *filter is the chosen
  // file type. Empty when cancelled. A file dialog unless replaced.
  std::function<QString(const QString& suggested, QString* filter)> AskReportFile;

  static const QString kHtmlFilter;  // "HTML (*.html *.htm)"
  static const QString kCsvFilter;   // "CSV (*.csv)"

  void StartBtnClick();
  void StopBtnClick();
  void ListBtnClick();
  // "保存(&S)...": asks for the file, then SaveReportTo.
  void SaveBtnClick();
  // Writes the last run's findings to path: a CSV file for ".csv", else an
  // HTML page (".html" added when the name has no extension and filter is
  // not the CSV one). Refused inside the delivery's folder; a failure is
  // told through Inform. True when the file was written.
  bool SaveReportTo(const QString& path, const QString& filter = QString());

  // True while a run goes on.
  bool Running() const { return worker_.joinable(); }
  // The last run's findings; nullptr before the first run ends.
  const FindingsOutcome* Outcome() const { return outcome_.get(); }
  // Waits for the running check to end (tests, closing).
  void Wait();
  // Stops a run and forgets its findings, as when another delivery is
  // loaded: the records they name are the old delivery's.
  void ClearResult();

 signals:
  void Finished();

 protected:
  // name: the object name; startText and runningText: the summary before
  // and during a run.
  FindingsDialog(QWidget* parent, const char* name, const QString& title, const QString& startText,
                 const QString& runningText);

  // The work of one run: it reports progress through host and stops early
  // when options.cancel is set; it must not touch the delivery.
  using Job = std::function<FindingsOutcome(Host& host, const InspectOptions& options)>;
  // Reads what a run needs from the loaded delivery (the window's thread);
  // an empty job runs nothing (the subclass says why in Summary).
  virtual Job Prepare() = 0;
  // The report's heading for the last run, without program and time.
  virtual ReportHeading Heading() const;
  // The file name the save question suggests, without extension.
  virtual QString ReportBaseName() const = 0;
  // After ClearResult, for what a subclass shows of a run.
  virtual void Cleared() {}

  void closeEvent(QCloseEvent* event) override;
  QVBoxLayout* MainLayout() const { return layout_; }

 private:
  void ShowProgress(char code, int value);
  void ShowOutcome(std::shared_ptr<FindingsOutcome> outcome);
  void UpdateButtons();
  QString SuggestedFolder() const;

  QString startText_;
  QString runningText_;
  QVBoxLayout* layout_ = nullptr;
  std::thread worker_;
  std::atomic<bool> cancel_{false};
  std::shared_ptr<FindingsOutcome> outcome_;
  QString lastFolder_;  // where the last report went
};

}  // namespace zor
