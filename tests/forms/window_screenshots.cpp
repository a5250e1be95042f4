// Writes pictures of the secondary windows into the folder given as the first
// argument: the about window, the folder chooser in both modes over a sample
// delivery (the second argument), the settings dialog, the help window (the
// help page is the third argument) and the XML content window. Run by
// scripts/screenshots.sh; not a test.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/folders.h"
#include "app/host.h"
#include "app/settings.h"
#include "forms/about_window.h"
#include "forms/folder_chooser.h"
#include "forms/help_window.h"
#include "forms/settings_dialog.h"
#include "forms/xml_content_window.h"

using namespace zor;

namespace {

void Save(QWidget& w, const QString& folder, const char* name) {
  w.show();
  if (!QTest::qWaitForWindowExposed(&w)) qWarning("%s: the window was not shown", name);
  QTest::qWait(800);  // the folder tree is read in the background
  w.grab().save(folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("shots");
  const QString delivery = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
  QDir().mkpath(out);

  AboutWindow about(nullptr);
  Save(about, out, "about_window");
  about.hide();

  for (FolderMode mode : {FolderMode::Input, FolderMode::Output}) {
    FolderChoice choice;
    choice.folder = delivery;
    const bool input = mode == FolderMode::Input;
    choice.kind = input ? 1 : 0;
    FolderChooser chooser(mode,
                          input ? QStringLiteral("INDEX_C.XMLまたはINDEX_D.XMLを開く")
                                : QStringLiteral("ＨＴＭＬ工事写真帳作成／ＨＴＭＬ出力先の指定"),
                          input ? QStringLiteral("INDEX_C.XMLまたはINDEX_D.XMLが存在するフォルダを指定してください。")
                                : QStringLiteral("出力先のフォルダを指定してください。"),
                          input ? 301 : 35, choice, nullptr);
    Save(chooser, out, input ? "folder_chooser_input" : "folder_chooser_output");
  }

  QTemporaryDir scratch;
  const std::string root = scratch.path().toStdString();
  Folders folders = ComputeFolders(root + "/prog", root + "/data", root);
  Settings settings = DefaultSettings(folders);
  SettingsDialog settingsForm(settings, nullptr);
  Save(settingsForm, out, "settings_dialog");

  const QString help = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
  if (!help.isEmpty() && QFileInfo::exists(help)) {
    HelpWindow window;
    QUrl page = QUrl::fromLocalFile(help);
    page.setFragment(QStringLiteral("browsers"));
    if (window.ShowPage(page)) Save(window, out, "help_window");
  }

  if (!delivery.isEmpty()) {
    Host host;
    XmlContentWindow* xml = nullptr;
    ShowXmlContent(xml, nullptr, (delivery + QStringLiteral("/INDEX_C.XML")).toStdString(), false, false,
                   folders.sysFile, host);
    if (xml) {
      Save(*xml, out, "xml_content");
      delete xml;
    }
  }
  return 0;
}
