#include "forms/gui_main.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

#include "app/product.h"

namespace zor {

int RunGui(int argc, char** argv) {
  QApplication app(argc, argv);
  app.setApplicationDisplayName(QString::fromUtf8(kStartupTitleUtf8));
  // The main window arrives with its own module; until then a plain frame.
  QMainWindow window;
  window.setWindowTitle(QString::fromUtf8(kProductNameUtf8));
  window.setCentralWidget(new QLabel(QStringLiteral("zorview"), &window));
  window.resize(800, 600);
  window.show();
  return app.exec();
}

}  // namespace zor
