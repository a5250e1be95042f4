#include "forms/help_keys.h"

#include <QAction>
#include <QDockWidget>
#include <QKeyEvent>
#include <QMenu>
#include <QWidget>

namespace zor {
namespace {

int PropertyOf(const QObject* o) { return o ? o->property(kHelpContext).toInt() : 0; }

}  // namespace

int HelpContextFor(QObject* receiver, const QWidget* mainWindow) {
  if (auto* menu = qobject_cast<QMenu*>(receiver)) {
    if (int c = PropertyOf(menu->activeAction())) return c;
    return PropertyOf(menu->menuAction());
  }
  for (auto* w = qobject_cast<QWidget*>(receiver); w; w = w->parentWidget()) {
    if (w == mainWindow) return kMainWindowHelpContext;
    auto* dock = qobject_cast<QDockWidget*>(w);
    if (dock && !dock->isFloating()) continue;  // docked: the main window answers
    if (int c = PropertyOf(w)) return c;
    if (w->isWindow() && !dock) return 0;
  }
  return 0;
}

bool HelpKeyFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1 ||
      static_cast<QKeyEvent*>(event)->modifiers() != Qt::NoModifier || !watched->isWidgetType())
    return false;
  // The press reaches the filter once per widget it propagates through;
  // the first one, the focused widget or the open menu, decides.
  const int context = HelpContextFor(watched, mainWindow_);
  if (context > 0 && show_) show_(context);
  return true;
}

}  // namespace zor
