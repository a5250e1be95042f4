#include "forms/task_bar_menu.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QWidget>

namespace zor {

std::vector<TaskBarEntry> TaskBarEntries(QWidget* main, QWidget* seek, QWidget* sort, const QWidget* active) {
  std::vector<TaskBarEntry> dialogs;
  if (seek && seek->isVisible())
    dialogs.push_back({QStringLiteral("検索(&F)"), QStringLiteral("検索ダイアログを表示"), seek, active == seek});
  if (sort && sort->isVisible())
    dialogs.push_back({QStringLiteral("ソート(&S)"), QStringLiteral("ソートダイアログを表示"), sort, active == sort});
  if (dialogs.empty()) return dialogs;
  std::vector<TaskBarEntry> entries{
      {QStringLiteral("メイン画面(&G)"), QStringLiteral("メイン画面を表示"), main, active == main}};
  entries.insert(entries.end(), dialogs.begin(), dialogs.end());
  return entries;
}

TaskBarMenu::TaskBarMenu(QWidget* main) : QObject(main), main_(main), menu_(new QMenu) {
  menu_->setObjectName(QStringLiteral("TaskBarMenu"));
  menu_->setToolTipsVisible(true);
  connect(menu_, &QMenu::aboutToShow, this, &TaskBarMenu::Rebuild);
  if (QSystemTrayIcon::isSystemTrayAvailable()) {
    tray_ = new QSystemTrayIcon(main->windowIcon(), this);
    tray_->setContextMenu(menu_);
    connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
      if (reason == QSystemTrayIcon::Trigger) BringToFront(main_, main_);
    });
  }
  Rebuild();
}

TaskBarMenu::~TaskBarMenu() { delete menu_; }

std::vector<TaskBarEntry> TaskBarMenu::Entries() const {
  return TaskBarEntries(main_, SeekDialog ? SeekDialog() : nullptr, SortDialog ? SortDialog() : nullptr,
                        QApplication::activeWindow());
}

void TaskBarMenu::Watch(QWidget* dialog) {
  if (dialog) dialog->installEventFilter(this);
  UpdateIcon();
}

bool TaskBarMenu::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show || event->type() == QEvent::Hide) UpdateIcon();
  return QObject::eventFilter(watched, event);
}

void TaskBarMenu::Rebuild() {
  menu_->clear();
  for (const TaskBarEntry& e : Entries()) {
    QAction* a = menu_->addAction(e.caption);
    a->setToolTip(e.hint);
    a->setStatusTip(e.hint);
    a->setCheckable(true);
    a->setChecked(e.checked);
    QPointer<QWidget> window = e.window;
    connect(a, &QAction::triggered, this, [this, window] {
      if (window) BringToFront(main_, window);
    });
  }
}

void TaskBarMenu::UpdateIcon() {
  if (!tray_) return;
  tray_->setToolTip(main_->windowTitle());
  // The dialogs report Show before they are visible; look once events settle.
  QMetaObject::invokeMethod(this, [this] { tray_->setVisible(!Entries().empty()); }, Qt::QueuedConnection);
}

void TaskBarMenu::BringToFront(QWidget* main, QWidget* window) {
  // Restored to the state it had before, maximised included.
  if (main->isMinimized()) main->setWindowState(main->windowState() & ~Qt::WindowMinimized);
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace zor
