// F1 anywhere in the program: the help context of what the user is on. An
// open menu gives its highlighted item's context; otherwise the focused
// widget and its parents are asked for a "helpContext" property, where a
// docked panel counts as part of the main window (context 56) and a floating
// one as a window of its own.
#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace zor {

// The property a widget or action carries its help context in.
inline constexpr const char* kHelpContext = "helpContext";

// The main window's own help context, for F1 over it and its docked panels.
inline constexpr int kMainWindowHelpContext = 56;

// The context for F1 pressed while receiver has the keyboard; 0 for none.
int HelpContextFor(QObject* receiver, const QWidget* mainWindow);

class HelpKeyFilter : public QObject {
 public:
  HelpKeyFilter(const QWidget* mainWindow, std::function<void(int)> show, QObject* parent = nullptr)
      : QObject(parent), mainWindow_(mainWindow), show_(std::move(show)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  const QWidget* mainWindow_;
  std::function<void(int)> show_;
};

}  // namespace zor
