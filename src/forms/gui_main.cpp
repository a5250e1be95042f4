#include "forms/gui_main.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <unistd.h>
#include <cstdio>
#include <optional>

#include "app/command_line.h"
#include "app/folders.h"
#include "app/product.h"
#include "app/settings.h"
#include "forms/about_window.h"
#include "forms/display_check.h"
#include "forms/main_window.h"
#include "forms/message_boxes.h"
#include "forms/qt_texts.h"
#include "forms/single_instance.h"
#include "forms/task_bar_menu.h"

namespace zor {
namespace {

// Where the per-user guards live: the runtime folder when the session has
// one, else the user data folder.
QString GuardFolder(const Folders& folders) {
  QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  return runtime.isEmpty() ? QString::fromStdString(folders.userData) : runtime;
}

}  // namespace

int RunGui(int argc, char** argv) {
  if (!DisplayNamed()) {
    std::fputs(NoDisplayMessage(), stderr);
    return 2;
  }
  std::string folderError;
  Folders folders = ComputeFoldersFromEnvironment(argc > 0 ? argv[0] : "", &folderError);
  std::optional<PlatformFailureExit> platformGuard(std::in_place);
  QApplication app(argc, argv);
  platformGuard.reset();
  InstallJapaneseQtTexts(app);

  // A user data folder that cannot be written (a read-only home): the window
  // works in a temporary folder, and the settings are read but not kept.
  const bool keepSettings = folderError.empty() && access(folders.userData.c_str(), W_OK) == 0;
  std::optional<QTemporaryDir> workInstead;
  if (!keepSettings) {
    workInstead.emplace(QDir::tempPath() + QStringLiteral("/zorview-XXXXXX"));
    if (workInstead->isValid()) {
      folders.userData = folders.workData = workInstead->path().toStdString() + "/";
      folders.viewTemp = folders.userData + "TEMP_V/";
      folders.graphicTemp = folders.userData + "TEMP_G/";
      MakeUserFolders(folders);
    }
    if (folderError.empty()) folderError = folders.settings + ": not writable";
    InfoBox(nullptr, QStringLiteral("ユーザーデータフォルダに書き込めないため、設定と画面の状態は保存されません。\n\n") +
                         QString::fromStdString(folderError));
  }

  if (QScreen* screen = QGuiApplication::primaryScreen(); screen && screen->depth() <= 8) {
    InfoBox(nullptr, QStringLiteral("画面色をHigh Color(16ビット)以上に設定してください。\n\n"
                                    "(推奨値はJPEG画像表示に最適な24ビットカラー以上です)"));
    return 0;
  }

  const QString guardDir = GuardFolder(folders);
  SingleInstanceGuard guard(QStringLiteral("Mutex_ZORVIEW"), guardDir);
  if (guard.CheckRunning()) {
    InfoBox(nullptr, QStringLiteral("このアプリケーションは既に起動しています。"));
    guard.ActivateRunning();
    return 0;
  }
  if (SingleInstanceGuard::IsLockInUse(QStringLiteral("Mutex_ZORMent"), guardDir)) {
    InfoBox(nullptr, QStringLiteral("保守/修復プログラムが起動していますので終了して下さい｡"));
    return 0;
  }
  SetApplicationTitle(QString::fromUtf8(kStartupTitleUtf8));

  Settings settings = DefaultSettings(folders);
  Delivery delivery;
  MainWindow window(folders, settings, delivery);
  window.KeepSettings = keepSettings;
  guard.SetActivateHandler([&window] { TaskBarMenu::BringToFront(&window, &window); });
  window.ShowAbout = [&window] {
    if (!window.MayCreateWindow()) return;
    ShowAboutWindow(
        &window, [&window] { return window.ChooseDeliveryFolder(false); },
        [&window](const QStringList& files) { window.HandleDroppedFiles(files); }, window.HelpFile());
  };
  QString help = QString::fromStdString(folders.help) + QStringLiteral("index.html");
  if (QFileInfo::exists(help)) window.SetHelpFile(help);

  const QString commandFile = QString::fromStdString(CommandLineFile(argc, argv));
  QObject::connect(&window.Timer_Start, &QTimer::timeout, &window, [&window, commandFile] {
    window.Started = true;
    window.RequestButtonUpdate();
    if (!commandFile.isEmpty() && QFileInfo(commandFile).isFile()) {
      window.repaint();
      if (window.OpenDeliveryFile) window.OpenDeliveryFile(QFileInfo(commandFile).absoluteFilePath());
    } else if (window.ShowAbout) {
      window.ShowAbout();
    }
  });
  window.show();
  return app.exec();
}

}  // namespace zor
