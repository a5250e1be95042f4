#include "forms/search_dialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/ini_file.h"
#include "forms/dialog_helpers.h"
#include "forms/history_combo_box.h"
#include "forms/qtext.h"

namespace zor {
namespace {

QComboBox* DropList(const char* name, QWidget* parent, const QStringList& items = {}) {
  auto* box = new QComboBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->addItems(items);
  return box;
}

QLabel* Caption(const char* name, const QString& text, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setBuddy(buddy);
  return label;
}

// Sets an index the way the drop-down lists do: clamped to the last entry.
void SetClamped(QComboBox* box, int index) {
  if (box->count() == 0) return;
  box->setCurrentIndex(std::clamp(index, 0, box->count() - 1));
}

}  // namespace

SearchDialog::SearchDialog(Settings& settings, const std::string& historyFile, QWidget* parent)
    : QDialog(parent), settings_(settings), historyFile_(historyFile) {
  setObjectName(QStringLiteral("SeekForm"));
  setWindowTitle(QStringLiteral("移動"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
  setModal(false);
  setProperty("closeOnStandardChange", true);
  setProperty("hideWithMain", true);
  Today = [] { return QDate::currentDate(); };

  OpenBtn = DialogButton(this, "OpenBtn", QStringLiteral("検索(&R)"), false);
  CloseBtn = DialogButton(this, "CloseBtn", QStringLiteral("閉じる(&C)"), false);
  CE_Seek_Pos = DropList("CE_Seek_Pos", this);
  CE_Seek_Mode = DropList("CE_Seek_Mode", this,
                          {QStringLiteral("完全一致"), QStringLiteral("先頭一致"), QStringLiteral("部分一致")});
  CE_Seek_LevelSt = DropList("CE_Seek_LevelSt", this,
                             {QStringLiteral("無"), QStringLiteral("大分類から"), QStringLiteral("区分から"),
                              QStringLiteral("工種から"), QStringLiteral("種別から"), QStringLiteral("細別から")});
  CE_Seek_LevelEn = DropList("CE_Seek_LevelEn", this,
                             {QStringLiteral("無"), QStringLiteral("大分類まで"), QStringLiteral("区分まで"),
                              QStringLiteral("工種まで"), QStringLiteral("種別まで"), QStringLiteral("細別まで")});
  CE_Seek_Ken = DropList("CE_Seek_Ken", this);
  CE_Seek_Iciran = DropList("CE_Seek_Iciran", this, {QStringLiteral("一覧"), QStringLiteral("移動")});
  CE_Sort = DropList("CE_Sort", this);
  CE_Seek_Str1 = new HistoryComboBox(QStringLiteral("CE_Seek_Str1"), this);
  CE_Seek_Str2 = new HistoryComboBox(QStringLiteral("CE_Seek_Str2"), this);
  CE_Seek_Str3 = new HistoryComboBox(QStringLiteral("CE_Seek_Str3"), this);
  CE_Seek_Str4 = DropList("CE_Seek_Str4", this, {QStringLiteral("0:設定しない"), QStringLiteral("1:代表写真")});
  CE_Seek_Str5 = DropList("CE_Seek_Str5", this, {QStringLiteral("0:設定しない"), QStringLiteral("1:提出頻度写真")});

  LB_Seek_Pos = Caption("LB_Seek_Pos", QStringLiteral("方向(&W):"), CE_Seek_Pos, this);
  Label3 = Caption("Label3", QStringLiteral("方法(&F):"), CE_Seek_Mode, this);
  Label4 = Caption("Label4", QStringLiteral("範囲(&S):"), CE_Seek_LevelSt, this);
  Label5 = Caption("Label5", QStringLiteral("範囲(&E):"), CE_Seek_LevelEn, this);
  Label1 = Caption("Label1", QStringLiteral("項目(&K):"), CE_Seek_Ken, this);
  Label7 = Caption("Label7", QStringLiteral("モード(&J):"), CE_Seek_Iciran, this);
  LB_Sort = Caption("LB_Sort", QStringLiteral("ソート(&O):"), CE_Sort, this);
  LB_Seek_Str1 = Caption("LB_Seek_Str1", QStringLiteral("文字(&M):"), CE_Seek_Str1, this);
  LB_Seek_Str2 = Caption("LB_Seek_Str2", QStringLiteral("範囲(&M):"), CE_Seek_Str2, this);
  LB_Seek_Str3 = Caption("LB_Seek_Str3", QStringLiteral("～"), CE_Seek_Str3, this);

  auto* grid = new QGridLayout;
  grid->addWidget(Label7, 0, 0);
  grid->addWidget(CE_Seek_Iciran, 0, 1, 1, 3);
  grid->addWidget(Label1, 1, 0);
  grid->addWidget(CE_Seek_Ken, 1, 1, 1, 3);
  auto* textLabels = new QHBoxLayout;
  textLabels->addWidget(LB_Seek_Str1);
  textLabels->addWidget(LB_Seek_Str2);
  grid->addLayout(textLabels, 2, 0);
  auto* inputs = new QHBoxLayout;
  inputs->addWidget(CE_Seek_Str1, 1);
  inputs->addWidget(CE_Seek_Str2, 1);
  inputs->addWidget(LB_Seek_Str3);
  inputs->addWidget(CE_Seek_Str3, 1);
  inputs->addWidget(CE_Seek_Str4, 1);
  inputs->addWidget(CE_Seek_Str5, 1);
  grid->addLayout(inputs, 2, 1, 1, 3);
  grid->addWidget(Label3, 3, 0);
  grid->addWidget(CE_Seek_Mode, 3, 1);
  grid->addWidget(LB_Seek_Pos, 3, 2);
  grid->addWidget(CE_Seek_Pos, 3, 3);
  grid->addWidget(Label4, 4, 0);
  grid->addWidget(CE_Seek_LevelSt, 4, 1);
  grid->addWidget(Label5, 4, 2);
  grid->addWidget(CE_Seek_LevelEn, 4, 3);
  grid->addWidget(LB_Sort, 5, 0);
  grid->addWidget(CE_Sort, 5, 1, 1, 3);
  grid->setColumnMinimumWidth(1, 150);
  grid->setColumnMinimumWidth(3, 150);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(OpenBtn);
  buttons->addWidget(CloseBtn);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(grid, 1);
  layout->addLayout(buttons);

  // The choices of the last time.
  CE_Seek_Iciran->setCurrentIndex(settings_.MainSeekIciran ? 0 : 1);
  iciranIndex_ = CE_Seek_Iciran->currentIndex();
  RebuildLists(true);
  SetClamped(CE_Seek_Ken, settings_.MainSeekKoumoku);
  SetClamped(CE_Sort, settings_.MainSeekSort);
  SetClamped(CE_Seek_Pos, settings_.MainSeekPos);
  SetClamped(CE_Seek_Mode, settings_.MainSeekStyle);
  SetClamped(CE_Seek_LevelSt, settings_.MainSeekHanniSt);
  SetClamped(CE_Seek_LevelEn, settings_.MainSeekHanniEn);
  CE_Sort->setEnabled(ListModeChosen());
  LB_Sort->setEnabled(ListModeChosen());
  CE_Seek_KenChange();
  LoadHistory();

  connect(OpenBtn, &QPushButton::clicked, this, &SearchDialog::OpenBtnClick);
  connect(CloseBtn, &QPushButton::clicked, this, &QWidget::close);
  connect(CE_Seek_Ken, &QComboBox::currentIndexChanged, this, &SearchDialog::CE_Seek_KenChange);
  connect(CE_Seek_Iciran, &QComboBox::currentIndexChanged, this, &SearchDialog::CE_Seek_IciranChange);
  // Typed, picked from the calendar or from the history: every change counts
  // (the key change resets the flag after it empties the inputs).
  connect(CE_Seek_Str2, &QComboBox::editTextChanged, this, [this] { str2Edited_ = true; });
  for (QWidget* w : std::initializer_list<QWidget*>{
           CE_Seek_Pos, CE_Seek_Mode, CE_Seek_LevelSt, CE_Seek_LevelEn, CE_Seek_Ken, CE_Seek_Iciran, CE_Sort,
           CE_Seek_Str4, CE_Seek_Str5, CE_Seek_Str1, CE_Seek_Str2, CE_Seek_Str3, CE_Seek_Str1->lineEdit(),
           CE_Seek_Str2->lineEdit(), CE_Seek_Str3->lineEdit(), OpenBtn, CloseBtn})
    w->installEventFilter(this);
}

SearchDialog::~SearchDialog() {
  WriteSettings();
  SaveHistory();
}

bool SearchDialog::ListModeChosen() const { return CE_Seek_Iciran->currentIndex() == 0; }

int SearchDialog::CurrentKey() const {
  const QVariant key = CE_Seek_Ken->currentData();
  return key.isValid() ? key.toInt() : -1;
}

void SearchDialog::RebuildLists(bool directions) {
  const bool listMode = ListModeChosen();
  const int oldKen = CE_Seek_Ken->currentIndex();
  const int oldSort = CE_Sort->currentIndex();
  const QString oldKenText = CE_Seek_Ken->currentText();
  const QDate today = Today ? Today() : QDate::currentDate();
  {
    QSignalBlocker block(CE_Seek_Ken);
    CE_Seek_Ken->clear();
    for (const SearchKeyEntry& e :
         SearchKeyList(DigiVersion, listMode, today.toString(QStringLiteral("yyyy-MM-dd")).toStdString()))
      CE_Seek_Ken->addItem(QString::fromStdString(e.text), e.key);
    CE_Seek_Ken->setCurrentIndex(shownOnce_ ? KeptSearchEntry(oldKen, CE_Seek_Ken->count(), DigiVersion) : 0);
  }
  CE_Sort->clear();
  for (const std::string& text : SearchSortList(DigiVersion)) CE_Sort->addItem(QString::fromStdString(text));
  CE_Sort->setCurrentIndex(shownOnce_ ? KeptSearchEntry(oldSort, CE_Sort->count(), DigiVersion) : 0);
  if (directions) {
    CE_Seek_Pos->clear();
    for (const std::string& text : SearchDirectionList(listMode)) CE_Seek_Pos->addItem(QString::fromStdString(text));
  }
  // The list shows another text: its change runs as for a choice by the user.
  if (CE_Seek_Ken->currentText() != oldKenText) CE_Seek_KenChange();
}

void SearchDialog::CE_Seek_KenChange() {
  const int k = CurrentKey();
  const bool daihyo = k == kSeekFlag && UsesDaihyoFlag(DigiVersion);
  const bool teishutsu = k == kSeekFilmNum && UsesTeishutsuFlag(DigiVersion);
  const bool range = !daihyo && !teishutsu && (k == kSeekFlag || k == kSeekDate || k == kSeekFilmNum);
  const bool text = !daihyo && !teishutsu && !range;
  CE_Seek_Str4->setVisible(daihyo);
  CE_Seek_Str5->setVisible(teishutsu);
  CE_Seek_Str2->setVisible(range);
  LB_Seek_Str3->setVisible(range);
  CE_Seek_Str3->setVisible(range);
  const HistoryComboBox::EditStyle style = k == kSeekDate ? HistoryComboBox::esDate : HistoryComboBox::esPickList;
  CE_Seek_Str2->SetEditStyle(style);
  CE_Seek_Str3->SetEditStyle(style);
  CE_Seek_Str1->setVisible(text);
  LB_Seek_Str1->setVisible(text);
  LB_Seek_Str2->setVisible(!text);
  for (HistoryComboBox* input : {CE_Seek_Str1, CE_Seek_Str2, CE_Seek_Str3}) input->setEditText(QString());
  str2Edited_ = false;
}

void SearchDialog::CE_Seek_IciranChange() {
  if (CE_Seek_Iciran->currentIndex() == iciranIndex_) return;
  iciranIndex_ = CE_Seek_Iciran->currentIndex();
  RebuildLists(true);
  {
    QSignalBlocker block(CE_Seek_Ken);
    CE_Seek_Ken->setCurrentIndex(0);
  }
  CE_Seek_Pos->setCurrentIndex(0);
  CE_Sort->setEnabled(ListModeChosen());
  LB_Sort->setEnabled(ListModeChosen());
  CE_Seek_KenChange();
  if (!ListModeChosen() && FormIciranKaijo) FormIciranKaijo();
}

void SearchDialog::WriteSettings() {
  settings_.MainSeekIciran = ListModeChosen();
  settings_.MainSeekSort = std::max(0, CE_Sort->currentIndex());
  settings_.MainSeekKoumoku = std::max(0, CE_Seek_Ken->currentIndex());
  settings_.MainSeekPos = static_cast<std::uint8_t>(std::max(0, CE_Seek_Pos->currentIndex()));
  settings_.MainSeekStyle = static_cast<std::uint8_t>(std::max(0, CE_Seek_Mode->currentIndex()));
  settings_.MainSeekHanniSt = std::max(0, CE_Seek_LevelSt->currentIndex());
  settings_.MainSeekHanniEn = std::max(0, CE_Seek_LevelEn->currentIndex());
}

void SearchDialog::OpenBtnClick() {
  WriteSettings();
  SearchCondition c;
  c.key = CurrentKey();
  c.method = std::max(0, CE_Seek_Mode->currentIndex());
  c.direction = std::max(0, CE_Seek_Pos->currentIndex());
  const int st = CE_Seek_LevelSt->currentIndex();
  const int en = CE_Seek_LevelEn->currentIndex();
  c.levelFrom = st <= 0 ? -1 : st;
  c.levelTo = en <= 0 ? -1 : en;
  c.sortKey = std::max(0, CE_Sort->currentIndex());
  std::string from, to;
  if (!CE_Seek_Str4->isHidden()) {
    from = std::to_string(std::max(0, CE_Seek_Str4->currentIndex()));
  } else if (!CE_Seek_Str5->isHidden()) {
    from = std::to_string(std::max(0, CE_Seek_Str5->currentIndex()));
  } else if (!CE_Seek_Str1->isHidden()) {
    from = SjOf(CE_Seek_Str1->currentText());
    CE_Seek_Str1->AddHistory(CE_Seek_Str1->currentText());
  } else {
    from = SjOf(CE_Seek_Str2->currentText());
    to = SjOf(CE_Seek_Str3->currentText());
    CE_Seek_Str2->AddHistory(CE_Seek_Str2->currentText());
    CE_Seek_Str3->AddHistory(CE_Seek_Str3->currentText());
    if (c.key == kSeekDate) {
      from = CompactDate(from);
      to = CompactDate(to);
    }
  }
  SaveHistory();
  if (FormKensakuStr) FormKensakuStr(this, ListModeChosen(), to, from, c);
}

void SearchDialog::showEvent(QShowEvent* event) {
  // The lists were built for the standard of the creation; they follow the
  // standard in force (and today's date) at every later showing.
  if (shownOnce_ || DigiVersion != kInitialVersion) RebuildLists(false);
  shownOnce_ = true;
  QDialog::showEvent(event);
  if (!CE_Seek_Str1->isHidden() && CE_Seek_Str1->isEnabled())
    CE_Seek_Str1->setFocus();
  else if (!CE_Seek_Str2->isHidden())
    CE_Seek_Str2->setFocus();
}

void SearchDialog::closeEvent(QCloseEvent* event) {
  WriteSettings();
  SaveHistory();
  QDialog::closeEvent(event);
}

bool SearchDialog::eventFilter(QObject* watched, QEvent* event) {
  if (DialogEnterEscape(
          event, OpenBtn, [this] { OpenBtnClick(); }, CloseBtn, this))
    return true;
  if (event->type() == QEvent::FocusIn && (watched == CE_Seek_Str3 || watched == CE_Seek_Str3->lineEdit())) {
    if (CE_Seek_Str3->currentText().isEmpty() && str2Edited_) CE_Seek_Str3->setEditText(CE_Seek_Str2->currentText());
  }
  return QDialog::eventFilter(watched, event);
}

void SearchDialog::LoadHistory() {
  if (historyFile_.empty()) return;
  std::optional<IniFile> ini = IniFile::Load(historyFile_, nullptr);
  if (!ini) return;
  for (HistoryComboBox* input : {CE_Seek_Str1, CE_Seek_Str2, CE_Seek_Str3}) {
    const std::string section = input->objectName().toStdString();
    QStringList texts;
    for (int i = 0; i < HistoryComboBox::kMaxHistory; ++i)
      if (std::optional<std::string> v = ini->Get(section, "Item" + std::to_string(i)); v && !v->empty())
        texts << Qs(*v);
    input->SetHistory(texts);
    input->setEditText(QString());
  }
}

void SearchDialog::SaveHistory() {
  if (historyFile_.empty()) return;
  std::optional<IniFile> ini = IniFile::Load(historyFile_, nullptr);
  if (!ini) ini = IniFile();
  for (HistoryComboBox* input : {CE_Seek_Str1, CE_Seek_Str2, CE_Seek_Str3}) {
    const std::string section = input->objectName().toStdString();
    const QStringList texts = input->History();
    for (int i = 0; i < HistoryComboBox::kMaxHistory; ++i)
      ini->Set(section, "Item" + std::to_string(i), i < texts.size() ? SjOf(texts[i]) : std::string());
  }
  ini->Save(historyFile_, nullptr);  // a history that cannot be kept is no reason to bother the user
}

}  // namespace zor
