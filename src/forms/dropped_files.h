// The local files of a drop on a window, in the order they were dragged;
// the drop is accepted.
#pragma once

#include <QDropEvent>
#include <QMimeData>
#include <QStringList>
#include <QUrl>

namespace zor {

inline QStringList TakeDroppedFiles(QDropEvent* event) {
  QStringList files;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) files << url.toLocalFile();
  event->acceptProposedAction();
  return files;
}

}  // namespace zor
