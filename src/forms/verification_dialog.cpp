#include "forms/verification_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <set>

#include "forms/dialog_helpers.h"
#include "forms/qtext.h"

namespace zor {
namespace {

constexpr int kFaultRole = Qt::UserRole;  // the fault's place in the list

// A value on one line of the list.
QString OneLine(const std::string& sjis) {
  QString text = Qs(sjis);
  text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
  for (QChar& c : text)
    if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QLatin1Char('\t')) c = QLatin1Char(' ');
  return text;
}

}  // namespace

VerificationDialog::VerificationDialog(Settings& settings, QWidget* parent) : QDialog(parent), settings_(settings) {
  setObjectName(QStringLiteral("MissForm"));
  setWindowTitle(QStringLiteral("入力漏れ/入力ミスの検証"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
  setModal(false);
  setProperty("helpContext", 32);
  setProperty("closeOnStandardChange", true);
  setProperty("hideWithMain", true);
  QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
  font.setPixelSize(12);
  setFont(font);

  CE_Hanni = new QComboBox(this);
  CE_Hanni->setObjectName(QStringLiteral("CE_Hanni"));
  CE_Hanni->addItems({QStringLiteral("◎ 必須記入(条件に合致する○項目も含む) のみ"),
                      QStringLiteral("○ 条件付き必須記入 以上 "), QStringLiteral("△ 任意記入 以上 (原則として空欄)")});
  Label1 = new QLabel(QStringLiteral("入力漏れ検証範囲(&H):"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setBuddy(CE_Hanni);
  Label2 = new QLabel(QStringLiteral("入力ミスの検証に関しては全ての範囲でおこなわれます。"), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  Version = new QLabel(this);
  Version->setObjectName(QStringLiteral("Version"));
  QFont bold = font;
  bold.setPixelSize(13);
  bold.setBold(true);
  Version->setFont(bold);
  QPalette red = Version->palette();
  red.setColor(QPalette::WindowText, Qt::red);
  Version->setPalette(red);

  MM_Kekka = new QPlainTextEdit(this);
  MM_Kekka->setObjectName(QStringLiteral("MM_Kekka"));
  MM_Kekka->setReadOnly(true);
  // Only a vertical scroll bar: a long line wraps at the memo's edge.
  MM_Kekka->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  MM_Kekka->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  MM_Kekka->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  QFont fixed(QStringLiteral("ＭＳ ゴシック"));
  fixed.setStyleHint(QFont::Monospace);
  fixed.setFixedPitch(true);
  fixed.setPixelSize(12);
  MM_Kekka->setFont(fixed);
  QPalette face = MM_Kekka->palette();
  face.setColor(QPalette::Base, face.color(QPalette::Button));
  MM_Kekka->setPalette(face);
  MM_Kekka->setMinimumSize(520, 220);

  LV_Faults = new QTreeWidget(this);
  LV_Faults->setObjectName(QStringLiteral("LV_Faults"));
  LV_Faults->setColumnCount(5);
  LV_Faults->setHeaderLabels({QStringLiteral("記録"), QStringLiteral("ファイル"), QStringLiteral("項目"),
                              QStringLiteral("値"), QStringLiteral("規則")});
  LV_Faults->setRootIsDecorated(false);
  LV_Faults->setUniformRowHeights(true);
  LV_Faults->header()->setStretchLastSection(true);
  LV_Faults->setColumnWidth(0, 44);
  LV_Faults->setColumnWidth(1, 100);
  LV_Faults->setColumnWidth(2, 120);
  LV_Faults->setColumnWidth(3, 130);
  LV_Faults->setMinimumSize(620, 180);
  LB_Faults = new QLabel(QStringLiteral("入力漏れ/入力ミスの項目(&L):"), this);
  LB_Faults->setObjectName(QStringLiteral("LB_Faults"));
  LB_Faults->setBuddy(LV_Faults);

  OpenBtn = DialogButton(this, "OpenBtn", QStringLiteral("開始(&R)"), true);
  CloseBtn = DialogButton(this, "CloseBtn", QStringLiteral("閉じる(&C)"), false);

  auto* scope = new QHBoxLayout;
  scope->addWidget(Label1);
  scope->addWidget(CE_Hanni, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OpenBtn);
  buttons->addWidget(CloseBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(scope);
  layout->addWidget(Label2);
  layout->addWidget(Version);
  layout->addWidget(MM_Kekka, 1);
  layout->addWidget(LB_Faults);
  layout->addWidget(LV_Faults, 1);
  layout->addLayout(buttons);

  connect(OpenBtn, &QPushButton::clicked, this, &VerificationDialog::OpenBtnClick);
  connect(CloseBtn, &QPushButton::clicked, this, &QWidget::close);
  connect(LV_Faults, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { Activated(item); });
  connect(LV_Faults, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { Activated(item); });
  for (QWidget* w : std::initializer_list<QWidget*>{CE_Hanni, MM_Kekka, OpenBtn, CloseBtn}) w->installEventFilter(this);
}

void VerificationDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Shown again with the restored main window: the report stays.
  if (property(kReshownWithMain).toBool()) return;
  MM_Kekka->clear();
  ClearFaults();
  CE_Hanni->setCurrentIndex(std::clamp(settings_.MissHanni, 0, CE_Hanni->count() - 1));
  OpenBtn->setFocus();
}

void VerificationDialog::closeEvent(QCloseEvent* event) {
  settings_.MissHanni = std::max(0, CE_Hanni->currentIndex());
  QDialog::closeEvent(event);
}

void VerificationDialog::OpenBtnClick() {
  settings_.MissHanni = std::max(0, CE_Hanni->currentIndex());
  QStringList lines;
  MM_Kekka->clear();
  MM_Kekka->setUpdatesEnabled(false);
  struct Resume {  // repainting comes back on every path
    QPlainTextEdit* memo;
    QStringList& lines;
    ~Resume() {
      memo->setPlainText(lines.join(QLatin1Char('\n')).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
      QTextCursor start(memo->document());
      memo->setTextCursor(start);
      memo->setUpdatesEnabled(true);
    }
  } resume{MM_Kekka, lines};
  faults_.clear();
  if (Verify) Verify(*this, settings_.MissHanni, lines);
  if (ListFaults) faults_ = ListFaults(settings_.MissHanni);
  ShowFaults();
}

void VerificationDialog::ClearFaults() {
  faults_.clear();
  ShowFaults();
}

void VerificationDialog::ShowFaults() {
  LV_Faults->clear();
  for (std::size_t i = 0; i < faults_.size(); ++i) {
    const EntryFault& f = faults_[i];
    auto* item = new QTreeWidgetItem(LV_Faults);
    if (f.record > 0) item->setText(0, QString::number(f.record));
    item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
    item->setText(1, Qs(f.file));
    item->setText(2, OneLine(f.item));
    item->setText(3, OneLine(f.value));
    item->setText(4, OneLine(f.rule));
    item->setToolTip(3, Qs(f.value));
    item->setToolTip(4, Qs(f.rule));
    item->setData(0, kFaultRole, static_cast<int>(i));
  }
  LB_Faults->setText(faults_.empty() ? QStringLiteral("入力漏れ/入力ミスの項目(&L):")
                                     : QStringLiteral("入力漏れ/入力ミスの項目 %1 件(&L):").arg(faults_.size()));
}

void VerificationDialog::Activated(QTreeWidgetItem* item) {
  const int index = item ? item->data(0, kFaultRole).toInt() : -1;
  if (index < 0 || index >= static_cast<int>(faults_.size()) || !ShowFault) return;
  std::set<int> photos;
  for (const EntryFault& f : faults_)
    if (f.photo > 0) photos.insert(f.photo);
  ShowFault(faults_[static_cast<std::size_t>(index)], std::vector<int>(photos.begin(), photos.end()));
}

bool VerificationDialog::eventFilter(QObject* watched, QEvent* event) {
  if (DialogEnterEscape(
          event, OpenBtn, [this] { OpenBtnClick(); }, CloseBtn, this))
    return true;
  return QDialog::eventFilter(watched, event);
}

VerificationDialog* MakeMissForm(Settings& settings, QWidget* mainWindow) {
  auto* form = new VerificationDialog(settings, mainWindow);
  form->adjustSize();
  if (mainWindow) {
    // Centred over the main window when it is made.
    const QRect main = mainWindow->frameGeometry();
    form->move(main.center() - QPoint(form->width() / 2, form->height() / 2));
  }
  return form;
}

void ShowMissForm(VerificationDialog*& form, Settings& settings, QWidget* mainWindow, const QString& standardName,
                  VerificationDialog::Procedure procedure) {
  if (!form) form = MakeMissForm(settings, mainWindow);
  form->Verify = std::move(procedure);
  form->Version->setText(standardName);
  form->show();
  form->raise();
  form->activateWindow();
}

}  // namespace zor
