// The help pages in a window of the program: the same pages and anchors the
// desktop's browser would show, readable with no browser installed.
#pragma once

#include <QDialog>
#include <QUrl>
#include <functional>

class QPushButton;
class QTextBrowser;

namespace zor {

class HelpWindow : public QDialog {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* parent = nullptr);

  // Shows the page of url (a local file, an anchor as its fragment).
  // False when the file cannot be read; the window is not shown then.
  bool ShowPage(const QUrl& url);
  QUrl Page() const;

  // Hands a page to the desktop; replaceable for tests.
  std::function<bool(const QUrl&)> OpenWithDesktop;

  QTextBrowser* Browser = nullptr;
  QPushButton* OpenInBrowser = nullptr;
  QPushButton* CloseButton = nullptr;

 private:
  void OpenInBrowserClick();

  QUrl page_;  // the page shown, with the anchor last asked for
};

}  // namespace zor
