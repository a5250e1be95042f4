// Small pieces the dialogs share.
#pragma once

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <functional>

namespace zor {

// Set on a window while the restored main window shows it again after
// minimising; its show handler can tell that from a new showing.
inline constexpr const char* kReshownWithMain = "reshownWithMain";

// The hourglass for the life of the object.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

// A push button of a dialog, named for the window tests; the default one
// answers Enter, the others never take it over when focused.
inline QPushButton* DialogButton(QWidget* parent, const char* name, const QString& caption, bool isDefault) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  if (isDefault)
    button->setDefault(true);
  else
    button->setAutoDefault(false);
  return button;
}

// Keys previewed by a dialog: Enter runs its action while openBtn is
// enabled, Escape closes it while closeBtn is enabled, whichever control has
// the keyboard. True when the event was one of the two keys.
inline bool DialogEnterEscape(QEvent* event, const QPushButton* openBtn, const std::function<void()>& run,
                              const QPushButton* closeBtn, QWidget* dialog) {
  if (event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<QKeyEvent*>(event)->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    if (openBtn->isEnabled()) run();
    return true;
  }
  if (key == Qt::Key_Escape) {
    if (closeBtn->isEnabled()) dialog->close();
    return true;
  }
  return false;
}

}  // namespace zor
