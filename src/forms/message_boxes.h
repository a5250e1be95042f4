// The program's message boxes. Each shows the normal cursor while it is up
// and puts the previous cursor back afterwards.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace zor {

// The program's title, the caption of its message boxes: the product name
// until the main window sets its own caption. Kept apart from Qt's
// application display name, which Qt would append to every window title.
void SetApplicationTitle(const QString& title);
QString ApplicationTitle();

// Information box with an OK button.
void InfoBox(QWidget* parent, const QString& text);
// Warning box with an OK button.
void WarningBox(QWidget* parent, const QString& text);
// Error box with an OK button.
void ErrorBox(QWidget* parent, const QString& text);
// Confirmation with Yes and Cancel; true for Yes.
bool ConfirmYesCancel(QWidget* parent, const QString& text);
// Confirmation with Yes and No; true for Yes.
bool ConfirmYesNo(QWidget* parent, const QString& text);

// Warning box with the check box "今回作業中このメッセージを表示しない". Once
// the box was closed with the check box ticked, the same key is not shown
// again until the program ends.
class SilenceableWarnings {
 public:
  void Show(QWidget* parent, const QString& key, const QString& text);
  bool IsSilenced(const QString& key) const { return silenced_.contains(key); }

 private:
  QStringList silenced_;
};

}  // namespace zor
