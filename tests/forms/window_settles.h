// Waiting by the event loop, never by a fixed sleep, until the main window
// has nothing left to do later: whatever was posted has been delivered and
// none of its timers runs. A resize, a selection or a load may start one
// timer from another, so both are looked at until they are quiet together.
#pragma once

#include <QCoreApplication>
#include <QTest>
#include <QTimer>

#include "forms/main_window.h"

namespace zor {

inline bool WindowSettles(MainWindow& w, int timeoutMs = 5000) {
  return QTest::qWaitFor(
      [&w] {
        QCoreApplication::processEvents();
        for (const QTimer* t : {&w.Timer, &w.Timer_Button, &w.Timer_Sanko, &w.Timer_Start, &w.Timer_NoSel,
                                &w.Timer_NoSel2, &w.Timer_Resize, &w.Timer_ResizeView})
          if (t->isActive()) return false;
        return true;
      },
      timeoutMs);
}

}  // namespace zor
