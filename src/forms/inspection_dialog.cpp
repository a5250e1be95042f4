#include "forms/inspection_dialog.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "forms/dialog_helpers.h"
#include "forms/qtext.h"
#include "inspect/report.h"

namespace zor {

namespace {

constexpr int kRecordRole = Qt::UserRole;
const QString kStartText = QStringLiteral("開始を押すと、写真・参考図のファイルを読んで検査します。");

// Progress from the inspection's thread, handed to the dialog's.
class DialogHost : public Host {
 public:
  explicit DialogHost(InspectionDialog* dialog, std::function<void(char, int)> show)
      : dialog_(dialog), show_(std::move(show)) {}
  void ReportProgress(char code, int value) override {
    QMetaObject::invokeMethod(
        dialog_, [show = show_, code, value] { show(code, value); }, Qt::QueuedConnection);
  }

 private:
  InspectionDialog* dialog_;
  std::function<void(char, int)> show_;
};

}  // namespace

InspectionDialog::InspectionDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("InspectionForm"));
  setWindowTitle(QStringLiteral("写真ファイルの検査"));
  setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
  setModal(false);
  setProperty("helpContext", 36);
  setProperty("closeOnStandardChange", true);
  setProperty("hideWithMain", true);

  Summary = new QLabel(kStartText, this);
  Summary->setObjectName(QStringLiteral("Summary"));
  Summary->setWordWrap(true);
  Progress = new QProgressBar(this);
  Progress->setObjectName(QStringLiteral("Progress"));
  Progress->setTextVisible(true);
  Progress->setValue(0);
  Report = new QTreeWidget(this);
  Report->setObjectName(QStringLiteral("Report"));
  Report->setColumnCount(4);
  Report->setHeaderLabels(
      {QStringLiteral("区分"), QStringLiteral("記録"), QStringLiteral("ファイル"), QStringLiteral("内容")});
  Report->setRootIsDecorated(true);
  Report->setUniformRowHeights(true);
  Report->header()->setStretchLastSection(true);
  Report->setColumnWidth(0, 150);
  Report->setColumnWidth(1, 50);
  Report->setColumnWidth(2, 110);
  Report->setMinimumSize(680, 320);

  StartBtn = DialogButton(this, "StartBtn", QStringLiteral("開始(&R)"), true);
  StopBtn = DialogButton(this, "StopBtn", QStringLiteral("中止(&S)"), false);
  ListBtn = DialogButton(this, "ListBtn", QStringLiteral("指摘のある写真を一覧(&L)"), false);
  CloseBtn = DialogButton(this, "CloseBtn", QStringLiteral("閉じる(&C)"), false);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ListBtn);
  buttons->addStretch();
  buttons->addWidget(StartBtn);
  buttons->addWidget(StopBtn);
  buttons->addWidget(CloseBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Summary);
  layout->addWidget(Progress);
  layout->addWidget(Report, 1);
  layout->addLayout(buttons);

  connect(StartBtn, &QPushButton::clicked, this, &InspectionDialog::StartBtnClick);
  connect(StopBtn, &QPushButton::clicked, this, &InspectionDialog::StopBtnClick);
  connect(ListBtn, &QPushButton::clicked, this, &InspectionDialog::ListBtnClick);
  connect(CloseBtn, &QPushButton::clicked, this, &QWidget::close);
  connect(Report, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { Activated(item); });
  connect(Report, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { Activated(item); });
  UpdateButtons();
}

InspectionDialog::~InspectionDialog() {
  cancel_ = true;
  if (worker_.joinable()) worker_.join();
}

void InspectionDialog::Wait() {
  if (worker_.joinable()) worker_.join();
  // The result and the last progress arrive as queued calls.
  QCoreApplication::sendPostedEvents(this);
}

void InspectionDialog::ClearResult() {
  cancel_ = true;
  Wait();
  result_.reset();
  Report->clear();
  Progress->setRange(0, 1);
  Progress->setValue(0);
  Summary->setText(kStartText);
  UpdateButtons();
}

void InspectionDialog::closeEvent(QCloseEvent* event) {
  cancel_ = true;
  Wait();
  QDialog::closeEvent(event);
}

void InspectionDialog::UpdateButtons() {
  const bool running = worker_.joinable() && !result_;
  StartBtn->setEnabled(!running);
  StopBtn->setEnabled(running);
  ListBtn->setEnabled(!running && result_ && !RecordsWithFindings(*result_).empty());
}

void InspectionDialog::StartBtnClick() {
  if (!Plan) return;
  if (worker_.joinable()) worker_.join();
  InspectionPlan plan = Plan();
  result_.reset();
  Report->clear();
  Progress->setRange(0, 1);
  Progress->setValue(0);
  Summary->setText(QStringLiteral("検査しています・・・"));
  cancel_ = false;
  auto show = [this](char code, int value) { ShowProgress(code, value); };
  worker_ = std::thread([this, plan = std::move(plan), show] {
    DialogHost host(this, show);
    InspectOptions options;
    options.cancel = &cancel_;
    auto result = std::make_shared<InspectionResult>(RunInspection(plan, host, options));
    QMetaObject::invokeMethod(
        this, [this, result] { ShowResult(result); }, Qt::QueuedConnection);
  });
  UpdateButtons();
}

void InspectionDialog::StopBtnClick() { cancel_ = true; }

void InspectionDialog::ShowProgress(char code, int value) {
  if (code == 'S') {
    Progress->setRange(0, std::max(value, 1));
    Progress->setValue(0);
  } else if (code == 'R') {
    Progress->setValue(std::min(value, Progress->maximum()));
  } else if (code == 'E') {
    Progress->setValue(Progress->maximum());
  }
}

void InspectionDialog::ShowResult(std::shared_ptr<InspectionResult> result) {
  if (worker_.joinable()) worker_.join();
  result_ = std::move(result);
  Report->clear();
  const std::vector<Finding>& all = result_->findings;
  for (std::size_t i = 0; i < all.size();) {
    std::size_t end = i;
    while (end < all.size() && all[end].check == all[i].check) ++end;
    auto* group = new QTreeWidgetItem(Report);
    group->setText(0, Qs(CheckCaption(all[i].check)));
    group->setText(3, QStringLiteral("%1  %2 件").arg(QString::fromStdString(all[i].check)).arg(end - i));
    group->setFirstColumnSpanned(false);
    for (; i < end; ++i) {
      const Finding& f = all[i];
      auto* item = new QTreeWidgetItem(group);
      item->setText(0, Qs(SeverityText(f.severity)));
      if (f.record > 0) item->setText(1, QString::number(f.record));
      item->setText(2, Qs(f.file));
      item->setText(3, Qs(f.message));
      item->setToolTip(3, Qs(f.message));
      item->setData(0, kRecordRole, f.record);
      if (f.severity == Severity::kError) item->setForeground(0, QColor(200, 0, 0));
    }
    group->setExpanded(true);
  }
  if (all.empty())
    new QTreeWidgetItem(Report,
                        QStringList{QString(), QString(), QString(), QStringLiteral("指摘はありませんでした。")});
  Summary->setText(Qs(SummaryLine(result_->summary)));
  UpdateButtons();
  emit Finished();
}

void InspectionDialog::Activated(QTreeWidgetItem* item) {
  const int record = item ? item->data(0, kRecordRole).toInt() : 0;
  if (record > 0 && SelectPhoto) SelectPhoto(record);
}

void InspectionDialog::ListBtnClick() {
  if (result_ && ListPhotos) ListPhotos(RecordsWithFindings(*result_));
}

}  // namespace zor
