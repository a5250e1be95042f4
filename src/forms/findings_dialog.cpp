#include "forms/findings_dialog.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

#include "app/product.h"
#include "forms/dialog_helpers.h"
#include "forms/findings_view.h"
#include "forms/message_boxes.h"
#include "forms/qtext.h"
#include "output/album_writer.h"
#include "output/report_file.h"

namespace zor {

const QString FindingsDialog::kHtmlFilter = QStringLiteral("HTML (*.html *.htm)");
const QString FindingsDialog::kCsvFilter = QStringLiteral("CSV (*.csv)");

namespace {

// Progress from the run's thread, handed to the dialog's.
class DialogHost : public Host {
 public:
  DialogHost(QObject* dialog, std::function<void(char, int)> show) : dialog_(dialog), show_(std::move(show)) {}
  void ReportProgress(char code, int value) override {
    QMetaObject::invokeMethod(
        dialog_, [show = show_, code, value] { show(code, value); }, Qt::QueuedConnection);
  }

 private:
  QObject* dialog_;
  std::function<void(char, int)> show_;
};

enum class ReportKind { kHtml, kCsv };

// The kind a file name asks for, and the name with the extension the
// chosen filter adds when it has none of the two kinds'.
ReportKind KindOfReport(QString& path, const QString& filter) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("csv")) return ReportKind::kCsv;
  if (suffix == QLatin1String("html") || suffix == QLatin1String("htm")) return ReportKind::kHtml;
  if (filter == FindingsDialog::kCsvFilter) {
    path += QStringLiteral(".csv");
    return ReportKind::kCsv;
  }
  path += QStringLiteral(".html");
  return ReportKind::kHtml;
}

}  // namespace

FindingsDialog::FindingsDialog(QWidget* parent, const char* name, const QString& title, const QString& startText,
                               const QString& runningText)
    : QDialog(parent), startText_(startText), runningText_(runningText) {
  setObjectName(QString::fromLatin1(name));
  setWindowTitle(title);
  setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
  setModal(false);
  setProperty("closeOnStandardChange", true);
  setProperty("hideWithMain", true);

  Summary = new QLabel(startText_, this);
  Summary->setObjectName(QStringLiteral("Summary"));
  Summary->setWordWrap(true);
  Progress = new QProgressBar(this);
  Progress->setObjectName(QStringLiteral("Progress"));
  Progress->setTextVisible(true);
  Progress->setValue(0);
  Report = new FindingsView(this);
  Report->setObjectName(QStringLiteral("Report"));
  Report->setMinimumSize(780, 360);

  StartBtn = DialogButton(this, "StartBtn", QStringLiteral("開始(&R)"), true);
  StopBtn = DialogButton(this, "StopBtn", QStringLiteral("中止(&A)"), false);
  ListBtn = DialogButton(this, "ListBtn", QStringLiteral("指摘のある写真を一覧(&L)"), false);
  SaveBtn = DialogButton(this, "SaveBtn", QStringLiteral("保存(&S)..."), false);
  CloseBtn = DialogButton(this, "CloseBtn", QStringLiteral("閉じる(&C)"), false);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ListBtn);
  buttons->addWidget(SaveBtn);
  buttons->addStretch();
  buttons->addWidget(StartBtn);
  buttons->addWidget(StopBtn);
  buttons->addWidget(CloseBtn);
  layout_ = new QVBoxLayout(this);
  layout_->addWidget(Summary);
  layout_->addWidget(Progress);
  layout_->addWidget(Report, 1);
  layout_->addLayout(buttons);

  Inform = [this](const QString& text) { InfoBox(this, text); };
  AskReportFile = [this](const QString& suggested, QString* filter) {
    return QFileDialog::getSaveFileName(this, QStringLiteral("レポートの保存"), suggested,
                                        kHtmlFilter + QStringLiteral(";;") + kCsvFilter, filter);
  };

  connect(StartBtn, &QPushButton::clicked, this, &FindingsDialog::StartBtnClick);
  connect(StopBtn, &QPushButton::clicked, this, &FindingsDialog::StopBtnClick);
  connect(ListBtn, &QPushButton::clicked, this, &FindingsDialog::ListBtnClick);
  connect(SaveBtn, &QPushButton::clicked, this, &FindingsDialog::SaveBtnClick);
  connect(CloseBtn, &QPushButton::clicked, this, &QWidget::close);
  connect(Report, &FindingsView::FindingActivated, this, [this](const Finding& f) {
    if (ShowFinding) ShowFinding(f, outcome_ ? outcome_->records : std::vector<int>{});
  });
  UpdateButtons();
}

FindingsDialog::~FindingsDialog() {
  cancel_ = true;
  if (worker_.joinable()) worker_.join();
}

void FindingsDialog::Wait() {
  if (worker_.joinable()) worker_.join();
  // The outcome and the last progress arrive as queued calls.
  QCoreApplication::sendPostedEvents(this);
}

void FindingsDialog::ClearResult() {
  cancel_ = true;
  Wait();
  outcome_.reset();
  Report->ClearFindings();
  Progress->setRange(0, 1);
  Progress->setValue(0);
  Summary->setText(startText_);
  Cleared();
  UpdateButtons();
}

void FindingsDialog::closeEvent(QCloseEvent* event) {
  cancel_ = true;
  Wait();
  QDialog::closeEvent(event);
}

void FindingsDialog::UpdateButtons() {
  const bool running = worker_.joinable() && !outcome_;
  StartBtn->setEnabled(!running);
  StopBtn->setEnabled(running);
  ListBtn->setEnabled(!running && outcome_ && !outcome_->records.empty());
  SaveBtn->setEnabled(!running && outcome_ != nullptr);
}

void FindingsDialog::StartBtnClick() {
  if (worker_.joinable()) worker_.join();
  Job job = Prepare();
  if (!job) return;
  outcome_.reset();
  Report->ClearFindings();
  Progress->setRange(0, 1);
  Progress->setValue(0);
  Summary->setText(runningText_);
  cancel_ = false;
  auto show = [this](char code, int value) { ShowProgress(code, value); };
  worker_ = std::thread([this, job = std::move(job), show] {
    DialogHost host(this, show);
    InspectOptions options;
    options.cancel = &cancel_;
    auto outcome = std::make_shared<FindingsOutcome>(job(host, options));
    QMetaObject::invokeMethod(
        this, [this, outcome] { ShowOutcome(outcome); }, Qt::QueuedConnection);
  });
  UpdateButtons();
}

void FindingsDialog::StopBtnClick() { cancel_ = true; }

void FindingsDialog::ShowProgress(char code, int value) {
  if (code == 'S') {
    Progress->setRange(0, std::max(value, 1));
    Progress->setValue(0);
  } else if (code == 'R') {
    Progress->setValue(std::min(value, Progress->maximum()));
  } else if (code == 'E') {
    Progress->setValue(Progress->maximum());
  }
}

void FindingsDialog::ShowOutcome(std::shared_ptr<FindingsOutcome> outcome) {
  if (worker_.joinable()) worker_.join();
  outcome_ = std::move(outcome);
  Report->SetFindings(outcome_->findings);
  Summary->setText(Qs(outcome_->summary));
  UpdateButtons();
  emit Finished();
}

void FindingsDialog::ListBtnClick() {
  if (outcome_ && ListPhotos) ListPhotos(outcome_->records);
}

ReportHeading FindingsDialog::Heading() const {
  ReportHeading heading = DeliveryHeading ? DeliveryHeading() : ReportHeading{};
  if (outcome_) heading.notes.push_back(outcome_->summary);
  return heading;
}

QString FindingsDialog::SuggestedFolder() const {
  if (!lastFolder_.isEmpty()) return lastFolder_;
  // Beside the delivery, never inside it.
  const std::string folder = DeliveryFolder ? DeliveryFolder() : std::string();
  if (folder.empty()) return QDir::homePath();
  QDir parent(QString::fromStdString(folder));
  return parent.cdUp() ? parent.absolutePath() : QDir::homePath();
}

void FindingsDialog::SaveBtnClick() {
  if (!outcome_ || !AskReportFile) return;
  QString filter = kHtmlFilter;
  const QString path =
      AskReportFile(SuggestedFolder() + QLatin1Char('/') + ReportBaseName() + QStringLiteral(".html"), &filter);
  if (path.isEmpty()) return;
  SaveReportTo(path, filter);
}

bool FindingsDialog::SaveReportTo(const QString& chosen, const QString& filter) {
  if (!outcome_) return false;
  QString path = QFileInfo(chosen).absoluteFilePath();
  const ReportKind kind = KindOfReport(path, filter);
  const std::string folder = DeliveryFolder ? DeliveryFolder() : std::string();
  // The program never writes into a delivery.
  if (!folder.empty() && AlbumInsideFolder(std::filesystem::path(path.toStdString()), folder)) {
    if (Inform)
      Inform(QStringLiteral(
          "レポートは電子納品データのフォルダの中には保存できません。\n別のフォルダを指定してください。"));
    return false;
  }
  std::string content;
  if (kind == ReportKind::kCsv) {
    content = ReportCsv(outcome_->findings);
  } else {
    ReportHeading heading = Heading();
    heading.program = std::string(kProductNameUtf8) + " " + ZOR_VERSION;
    heading.when = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")).toStdString();
    content = ReportHtml(heading, outcome_->findings);
  }
  const std::string error = WriteReportFile(path.toStdString(), content);
  if (!error.empty()) {
    if (Inform)
      Inform(QStringLiteral("レポートを保存できませんでした。\n\n") + QDir::toNativeSeparators(path) +
             QStringLiteral("\n") + QString::fromStdString(error));
    return false;
  }
  lastFolder_ = QFileInfo(path).absolutePath();
  return true;
}

}  // namespace zor
