#include "forms/sort_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/dialog_helpers.h"
#include "rules/photo_sort.h"

namespace zor {
namespace {

void Fill(QComboBox* box, int version) {
  box->clear();
  for (const std::string& text : SortKeyList(version)) box->addItem(QString::fromStdString(text));
}

}  // namespace

SortDialog::SortDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("SortForm"));
  setWindowTitle(QStringLiteral("ソート条件"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
  setModal(false);
  setProperty("closeOnStandardChange", true);
  setProperty("hideWithMain", true);

  static const char* const kLabels[] = {"条件１", "条件２", "条件３", "条件４", "条件５"};
  auto* grid = new QGridLayout;
  for (int i = 0; i < kSortKeyCount; ++i) {
    ComboBox[i] = new QComboBox(this);
    ComboBox[i]->setObjectName(QStringLiteral("ComboBox%1").arg(i + 1));
    ComboBox[i]->setMinimumWidth(190);
    Fill(ComboBox[i], kInitialVersion);
    ComboBox[i]->setCurrentIndex(0);
    Label[i] = new QLabel(QString::fromUtf8(kLabels[i]), this);
    Label[i]->setObjectName(QStringLiteral("Label%1").arg(i + 1));
    Label[i]->setBuddy(ComboBox[i]);
    grid->addWidget(Label[i], i, 0);
    grid->addWidget(ComboBox[i], i, 1);
  }
  CB_Sortjun = new QComboBox(this);
  CB_Sortjun->setObjectName(QStringLiteral("CB_Sortjun"));
  CB_Sortjun->addItems({QStringLiteral("昇順"), QStringLiteral("降順")});
  CB_Sortjun->setCurrentIndex(0);
  OpenBtn = DialogButton(this, "OpenBtn", QStringLiteral("実行(&R)"), true);
  CloseBtn = DialogButton(this, "CloseBtn", QStringLiteral("中止(&C)"), false);
  auto* side = new QVBoxLayout;
  side->addWidget(OpenBtn);
  side->addWidget(CloseBtn);
  side->addSpacing(12);
  side->addWidget(CB_Sortjun);
  side->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(grid, 1);
  layout->addLayout(side);

  connect(OpenBtn, &QPushButton::clicked, this, &SortDialog::OpenBtnClick);
  connect(CloseBtn, &QPushButton::clicked, this, &QWidget::close);
}

void SortDialog::RebuildLists() {
  const int count = static_cast<int>(SortKeyList(DigiVersion).size());
  for (QComboBox* box : ComboBox) {
    const int kept = KeptSortSelection(box->currentIndex(), builtFor_, DigiVersion, count);
    Fill(box, DigiVersion);
    box->setCurrentIndex(kept);  // -1 leaves the list blank
  }
  builtFor_ = DigiVersion;
}

void SortDialog::showEvent(QShowEvent* event) {
  if (shownOnce_ || DigiVersion != builtFor_) RebuildLists();
  shownOnce_ = true;
  QDialog::showEvent(event);
}

void SortDialog::OpenBtnClick() {
  QStringList texts;
  for (QComboBox* box : ComboBox) texts << (box->currentIndex() < 0 ? QString() : box->currentText());
  if (Sort) Sort(texts, CB_Sortjun->currentIndex() == 1 ? 1 : 0);
}

void SortDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();  // only hides: the dialog and its choices are kept
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace zor
