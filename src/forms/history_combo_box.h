// HistoryComboBox: a text input with a drop-down history of the texts entered
// before. In the pick-list style the drop-down offers the history; in the
// date style it offers a calendar that enters the picked day as yyyy-mm-dd.
#pragma once

#include <QComboBox>
#include <QStringList>

class QCalendarWidget;

namespace zor {

class HistoryComboBox : public QComboBox {
  Q_OBJECT
 public:
  enum EditStyle { esPickList, esDate };
  static constexpr int kMaxHistory = 20;

  HistoryComboBox(const QString& name, QWidget* parent);

  void SetEditStyle(EditStyle style);
  EditStyle Style() const { return style_; }
  // The history, newest first.
  QStringList History() const;
  void SetHistory(const QStringList& texts);
  // Puts text at the front of the history (once); empty texts are ignored.
  void AddHistory(const QString& text);
  // The calendar of the date style (null until first needed).
  QCalendarWidget* Calendar() const { return calendar_; }

  void showPopup() override;

 private:
  EditStyle style_ = esPickList;
  QCalendarWidget* calendar_ = nullptr;
};

}  // namespace zor
