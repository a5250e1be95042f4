// Qt's own texts (standard buttons, context menus, file dialogs) in
// Japanese, like the program's windows.
#pragma once

#include <QString>

class QCoreApplication;

namespace zor {

// Where Debian's translations of Qt are installed.
QString QtTranslationsFolder();

// Installs qtbase_ja.qm from folder into app. A missing or unreadable file
// leaves Qt's texts in English without a word: false then.
bool InstallJapaneseQtTexts(QCoreApplication& app, const QString& folder = QtTranslationsFolder());

}  // namespace zor
