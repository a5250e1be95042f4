// The task bar menu: entries that bring the main window, the search dialog
// or the sort dialog to the front. It lives on the desktop's notification
// area, which is where a Linux desktop offers an application menu outside
// its windows, and is shown only while it has something to offer.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

class QMenu;
class QSystemTrayIcon;
class QWidget;

namespace zor {

struct TaskBarEntry {
  QString caption;
  QString hint;
  QWidget* window = nullptr;
  bool checked = false;  // its window is the active one
};

// The search and sort entries while their dialog exists and is shown; the
// main window's entry only when one of them is there.
std::vector<TaskBarEntry> TaskBarEntries(QWidget* main, QWidget* seek, QWidget* sort, const QWidget* active);

class TaskBarMenu : public QObject {
  Q_OBJECT
 public:
  explicit TaskBarMenu(QWidget* main);
  ~TaskBarMenu() override;

  // The dialogs, once they exist; nullptr while they do not.
  std::function<QWidget*()> SeekDialog;
  std::function<QWidget*()> SortDialog;

  // Follows the dialog's showing and hiding.
  void Watch(QWidget* dialog);
  // Restores the program and brings window to the front.
  static void BringToFront(QWidget* main, QWidget* window);

  QMenu* Menu() const { return menu_; }
  std::vector<TaskBarEntry> Entries() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Rebuild();
  void UpdateIcon();

  QWidget* main_;
  QMenu* menu_;
  QSystemTrayIcon* tray_ = nullptr;
};

}  // namespace zor
