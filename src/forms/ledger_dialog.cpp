#include "forms/ledger_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/host.h"
#include "forms/dialog_helpers.h"
#include "forms/qtext.h"

namespace zor {

namespace {

// Progress from the writing thread, handed to the dialog's.
class ProgressHost : public Host {
 public:
  ProgressHost(LedgerDialog* dialog, std::function<void(char, int)> show) : dialog_(dialog), show_(std::move(show)) {}
  void ReportProgress(char code, int value) override {
    QMetaObject::invokeMethod(
        dialog_, [show = show_, code, value] { show(code, value); }, Qt::QueuedConnection);
  }

 private:
  LedgerDialog* dialog_;
  std::function<void(char, int)> show_;
};

QString Lines(const std::vector<std::string>& lines) {
  QStringList all;
  for (const std::string& l : lines) all << Qs(l);
  return all.join(QLatin1Char('\n'));
}

}  // namespace

LedgerDialog::LedgerDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("LedgerForm"));
  setWindowTitle(QStringLiteral("工事写真帳（PDF）の作成"));
  setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);
  setModal(false);
  setProperty("helpContext", 37);
  setProperty("hideWithMain", true);

  FileEdit = new QLineEdit(this);
  FileEdit->setObjectName(QStringLiteral("FileEdit"));
  FileEdit->setMinimumWidth(360);
  BrowseBtn = DialogButton(this, "BrowseBtn", QStringLiteral("参照(&B)..."), false);
  ThreeRadio = new QRadioButton(QStringLiteral("1ページに3枚(&3)"), this);
  ThreeRadio->setObjectName(QStringLiteral("ThreeRadio"));
  ThreeRadio->setChecked(true);
  TwoRadio = new QRadioButton(QStringLiteral("1ページに2枚(&2)"), this);
  TwoRadio->setObjectName(QStringLiteral("TwoRadio"));
  OnlyBox = new QComboBox(this);
  OnlyBox->setObjectName(QStringLiteral("OnlyBox"));
  OnlyBox->addItems({QStringLiteral("すべての写真"), QStringLiteral("代表写真のみ"), QStringLiteral("提出頻度写真のみ")});
  DrawingsCheck = new QCheckBox(QStringLiteral("参考図を含める(&D)"), this);
  DrawingsCheck->setObjectName(QStringLiteral("DrawingsCheck"));
  ShownCheck = new QCheckBox(QStringLiteral("表示中の写真のみ(&V)"), this);
  ShownCheck->setObjectName(QStringLiteral("ShownCheck"));
  Progress = new QProgressBar(this);
  Progress->setObjectName(QStringLiteral("Progress"));
  Progress->setValue(0);
  Summary = new QPlainTextEdit(QStringLiteral("作成を押すと、工事写真帳をPDFファイルに書き出します。"), this);
  Summary->setObjectName(QStringLiteral("Summary"));
  Summary->setReadOnly(true);
  Summary->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  Summary->setFixedHeight(Summary->fontMetrics().lineSpacing() * 5 + 12);
  StartBtn = DialogButton(this, "StartBtn", QStringLiteral("作成(&R)"), true);
  StopBtn = DialogButton(this, "StopBtn", QStringLiteral("中止(&S)"), false);
  CloseBtn = DialogButton(this, "CloseBtn", QStringLiteral("閉じる(&C)"), false);

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("出力先のファイル"), this), 0, 0);
  auto* file = new QHBoxLayout;
  file->addWidget(FileEdit, 1);
  file->addWidget(BrowseBtn);
  grid->addLayout(file, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("写真の枚数"), this), 1, 0);
  auto* perPage = new QHBoxLayout;
  perPage->addWidget(ThreeRadio);
  perPage->addWidget(TwoRadio);
  perPage->addStretch();
  grid->addLayout(perPage, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("印刷する写真"), this), 2, 0);
  grid->addWidget(OnlyBox, 2, 1, Qt::AlignLeft);
  grid->addWidget(DrawingsCheck, 3, 1);
  grid->addWidget(ShownCheck, 4, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(StartBtn);
  buttons->addWidget(StopBtn);
  buttons->addWidget(CloseBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(Progress);
  layout->addWidget(Summary);
  layout->addLayout(buttons);

  connect(StartBtn, &QPushButton::clicked, this, &LedgerDialog::StartBtnClick);
  connect(StopBtn, &QPushButton::clicked, this, &LedgerDialog::StopBtnClick);
  connect(BrowseBtn, &QPushButton::clicked, this, &LedgerDialog::BrowseBtnClick);
  connect(CloseBtn, &QPushButton::clicked, this, &QWidget::close);
  UpdateButtons();
}

LedgerDialog::~LedgerDialog() {
  cancel_ = true;
  if (worker_.joinable()) worker_.join();
}

void LedgerDialog::Wait() {
  if (worker_.joinable()) worker_.join();
  QCoreApplication::sendPostedEvents(this);
}

void LedgerDialog::closeEvent(QCloseEvent* event) {
  cancel_ = true;
  Wait();
  QDialog::closeEvent(event);
}

void LedgerDialog::UpdateButtons() {
  const bool running = Running();
  StartBtn->setEnabled(!running);
  StopBtn->setEnabled(running);
  for (QWidget* w : std::initializer_list<QWidget*>{FileEdit, BrowseBtn, ThreeRadio, TwoRadio, OnlyBox, DrawingsCheck,
                                                    ShownCheck})
    w->setEnabled(!running);
}

void LedgerDialog::BrowseBtnClick() {
  const QString file = QFileDialog::getSaveFileName(this, QStringLiteral("工事写真帳（PDF）の保存先"), FileEdit->text(),
                                                    QStringLiteral("PDFファイル (*.pdf)"));
  if (!file.isEmpty()) FileEdit->setText(QDir::toNativeSeparators(file));
}

void LedgerDialog::StartBtnClick() {
  if (!Plan || Running()) return;
  if (worker_.joinable()) worker_.join();
  QString name = FileEdit->text().trimmed();
  if (name.isEmpty()) {
    Summary->setPlainText(QStringLiteral("出力先のファイルを指定してください。"));
    return;
  }
  if (!name.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) name += QStringLiteral(".pdf");
  const std::filesystem::path file = QDir::cleanPath(QDir(QDir::homePath()).absoluteFilePath(name)).toStdString();
  if (Refusal) {
    const std::string why = Refusal(file);
    if (!why.empty()) {
      Summary->setPlainText(Qs(why));
      return;
    }
  }
  LedgerSelection selection;
  selection.only = static_cast<LedgerOnly>(std::max(0, OnlyBox->currentIndex()));
  selection.drawings = DrawingsCheck->isChecked();
  selection.chosen = ShownCheck->isChecked();
  auto plan = std::make_shared<const LedgerPlan>(Plan(std::move(selection)));
  LedgerOptions options;
  options.file = file;
  options.perPage = TwoRadio->isChecked() ? 2 : 3;
  options.cancel = &cancel_;
  result_.reset();
  Progress->setRange(0, 1);
  Progress->setValue(0);
  Summary->setPlainText(QStringLiteral("作成しています・・・"));
  cancel_ = false;
  done_ = false;
  auto show = [this](char code, int value) { ShowProgress(code, value); };
  worker_ = std::thread([this, plan, options, show] {
    ProgressHost host(this, show);
    auto result = std::make_shared<LedgerResult>(WriteLedger(*plan, options, host));
    QMetaObject::invokeMethod(
        this, [this, result, file = options.file] { ShowResult(result, file); }, Qt::QueuedConnection);
  });
  UpdateButtons();
}

void LedgerDialog::StopBtnClick() { cancel_ = true; }

void LedgerDialog::ShowProgress(char code, int value) {
  if (code == 'S') {
    Progress->setRange(0, std::max(value, 1));
    Progress->setValue(0);
  } else if (code == 'R') {
    Progress->setValue(std::min(value, Progress->maximum()));
  } else if (code == 'E') {
    Progress->setValue(Progress->maximum());
  }
}

void LedgerDialog::ShowResult(std::shared_ptr<LedgerResult> result, const std::filesystem::path& file) {
  if (worker_.joinable()) worker_.join();
  done_ = true;
  result_ = std::move(result);
  QString text = Lines(LedgerSummary(*result_, file));
  if (result_->finished && !(Open && Open(file)))
    text += QStringLiteral("\nPDFを表示できるプログラムを起動できませんでした。このファイルを開いてください。");
  Summary->setPlainText(text);
  UpdateButtons();
  emit Finished();
}

}  // namespace zor
