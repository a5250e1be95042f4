#include "forms/history_combo_box.h"

#include <QCalendarWidget>
#include <QDate>
#include <QLineEdit>

namespace zor {

HistoryComboBox::HistoryComboBox(const QString& name, QWidget* parent) : QComboBox(parent) {
  setObjectName(name);
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);  // the dialog adds to the history when it searches
  setMaxCount(kMaxHistory);
}

void HistoryComboBox::SetEditStyle(EditStyle style) {
  style_ = style;
  lineEdit()->setPlaceholderText(style == esDate ? QStringLiteral("yyyy-mm-dd") : QString());
}

QStringList HistoryComboBox::History() const {
  QStringList texts;
  for (int i = 0; i < count(); ++i) texts << itemText(i);
  return texts;
}

void HistoryComboBox::SetHistory(const QStringList& texts) {
  const QString text = currentText();
  clear();
  for (const QString& t : texts)
    if (!t.isEmpty() && findText(t, Qt::MatchExactly) < 0 && count() < kMaxHistory) addItem(t);
  setEditText(text);
}

void HistoryComboBox::AddHistory(const QString& text) {
  if (text.isEmpty()) return;
  QStringList texts = History();
  texts.removeAll(text);
  texts.prepend(text);
  SetHistory(texts.mid(0, kMaxHistory));
  setEditText(text);
}

void HistoryComboBox::showPopup() {
  if (style_ != esDate) {
    QComboBox::showPopup();
    return;
  }
  if (!calendar_) {
    calendar_ = new QCalendarWidget(this);
    calendar_->setObjectName(objectName() + QStringLiteral("_Calendar"));
    calendar_->setWindowFlags(Qt::Popup);
    connect(calendar_, &QCalendarWidget::clicked, this, [this](QDate day) {
      setEditText(day.toString(QStringLiteral("yyyy-MM-dd")));
      calendar_->hide();
      lineEdit()->setFocus();
    });
  }
  const QDate shown = QDate::fromString(currentText(), QStringLiteral("yyyy-MM-dd"));
  calendar_->setSelectedDate(shown.isValid() ? shown : QDate::currentDate());
  calendar_->adjustSize();
  calendar_->move(mapToGlobal(QPoint(0, height())));
  calendar_->show();
}

}  // namespace zor
