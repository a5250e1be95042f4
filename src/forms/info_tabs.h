// InfoTabs: the tab strip over the information panel's notebook. Tabs are
// plain captions; a tab is chosen by a click. Before a tab becomes the
// selected one, AboutToChange runs with its index, so the owner may change
// the strip first (the construction tab removes the other two).
#pragma once

#include <QColor>
#include <QStringList>
#include <QWidget>
#include <functional>

namespace zor {

class InfoTabs : public QWidget {
  Q_OBJECT
 public:
  static const QColor kStripColour;     // 250, 237, 213
  static const QColor kSelectedColour;  // 245, 220, 175, black text
  static const QColor kOtherColour;     // 138, 138, 138, silver text
  static constexpr int kHeight = 22;

  explicit InfoTabs(QWidget* parent = nullptr);

  const QStringList& Tabs() const { return tabs_; }
  int Count() const { return static_cast<int>(tabs_.size()); }
  void AddTab(const QString& caption);
  // Removes a tab; the selection stays on its tab, or moves to the one
  // before when the selected tab went.
  void RemoveTab(int index);
  void SetCaption(int index, const QString& caption);

  int TabIndex() const { return index_; }
  // Selects a tab through AboutToChange; Changed follows when the selected
  // tab is another one afterwards.
  void SetTabIndex(int index);

  // Where a tab is drawn.
  QRect TabRect(int index) const;

  std::function<void(int newIndex)> AboutToChange;

  QSize sizeHint() const override;

 signals:
  void Changed(int index);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QStringList tabs_;
  int index_ = -1;
};

}  // namespace zor
