#include "forms/help_window.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "forms/message_boxes.h"

namespace zor {

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(QStringLiteral("ヘルプ"));
  setWindowFlags(Qt::Window | Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint);
  setModal(false);
  resize(720, 600);
  OpenWithDesktop = [](const QUrl& url) { return QDesktopServices::openUrl(url); };

  auto* layout = new QVBoxLayout(this);
  Browser = new QTextBrowser(this);
  Browser->setObjectName(QStringLiteral("Browser"));
  // Links inside the pages move in this window; others go to the desktop.
  Browser->setOpenLinks(true);
  Browser->setOpenExternalLinks(true);
  layout->addWidget(Browser, 1);

  auto* buttons = new QHBoxLayout;
  OpenInBrowser = new QPushButton(QStringLiteral("ブラウザで開く"), this);
  OpenInBrowser->setObjectName(QStringLiteral("OpenInBrowser"));
  OpenInBrowser->setAutoDefault(false);
  CloseButton = new QPushButton(QStringLiteral("閉じる"), this);
  CloseButton->setObjectName(QStringLiteral("CloseButton"));
  CloseButton->setDefault(true);
  buttons->addWidget(OpenInBrowser);
  buttons->addStretch();
  buttons->addWidget(CloseButton);
  layout->addLayout(buttons);

  connect(Browser, &QTextBrowser::sourceChanged, this, [this](const QUrl& url) { page_ = url; });
  connect(OpenInBrowser, &QPushButton::clicked, this, &HelpWindow::OpenInBrowserClick);
  connect(CloseButton, &QPushButton::clicked, this, &QDialog::close);
}

bool HelpWindow::ShowPage(const QUrl& url) {
  const QFileInfo file(url.toLocalFile());
  if (!file.isFile() || !file.isReadable() || file.size() == 0) return false;
  QUrl page = QUrl::fromLocalFile(file.absoluteFilePath());
  page.setFragment(url.fragment());
  if (Browser->source().adjusted(QUrl::RemoveFragment) == page.adjusted(QUrl::RemoveFragment))
    Browser->scrollToAnchor(page.fragment().isEmpty() ? QStringLiteral("contents") : page.fragment());
  else
    Browser->setSource(page);
  page_ = page;
  show();
  raise();
  activateWindow();
  return true;
}

QUrl HelpWindow::Page() const { return page_; }

void HelpWindow::OpenInBrowserClick() {
  const QUrl page = Page();
  if (page.isEmpty() || !OpenWithDesktop || !OpenWithDesktop(page))
    ErrorBox(this, QStringLiteral("ブラウザを起動できません。\n\n") + page.toDisplayString(QUrl::PreferLocalFile));
}

}  // namespace zor
