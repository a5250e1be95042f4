#include "forms/display_check.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

namespace zor {
namespace {

QtMessageHandler previousHandler = nullptr;

bool Set(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

void ExitWhenThePlatformFails(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg && text.contains(QStringLiteral("platform plugin"))) {
    std::fputs(NoDisplayMessage(), stderr);
    std::_Exit(2);
  }
  if (previousHandler) previousHandler(type, context, text);
}

}  // namespace

bool DisplayNamed() { return Set("DISPLAY") || Set("WAYLAND_DISPLAY") || Set("QT_QPA_PLATFORM"); }

const char* NoDisplayMessage() {
  return "zorview: 画面がないため、ウィンドウを表示できません。\n"
         "zorview: there is no display to show the window on.\n"
         "  デスクトップの中で起動するか、ssh -X で接続するか、仮想画面で起動してください:\n"
         "  Start it in a desktop session, over ssh -X, or on a virtual display:\n"
         "    xvfb-run -a zorview      (apt-get install xvfb xauth)\n"
         "  コマンドラインの機能は画面なしで使えます / the verbs need no display: zorview --help\n";
}

PlatformFailureExit::PlatformFailureExit() { previousHandler = qInstallMessageHandler(ExitWhenThePlatformFails); }

PlatformFailureExit::~PlatformFailureExit() { qInstallMessageHandler(previousHandler); }

}  // namespace zor
