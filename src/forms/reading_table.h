// Work of the window that reads the photo table, with the table's errors
// shown as the window shows them.
#pragma once

#include "forms/main_window.h"
#include "store/bindata_error.h"

namespace zor {

// Runs work that reads the photo table. A read error ends it: the progress
// display goes and the table's message is shown. False after an error.
template <typename Work>
bool ReadingTable(MainWindow& w, Work&& work) {
  try {
    work();
    return true;
  } catch (const EBinaryDataSetError& e) {
    w.ReportProgress('E', 0);
    w.ShowWarning(e.what());  // already code page 932
    return false;
  }
}

}  // namespace zor
