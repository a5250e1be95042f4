// The settings dialog: the XML parser, the just-fit count and the three
// options of the HTML album. Changes stay in memory until the program closes.
#pragma once

#include <QDialog>

#include "app/settings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QTextEdit;
class QPushButton;
class QSpinBox;

namespace zor {

class SettingsDialog : public QDialog {
  Q_OBJECT
 public:
  SettingsDialog(Settings& settings, QWidget* parent = nullptr);

  QTextEdit* Memo = nullptr;  // a rich-text editor: a plain-text one ignores the centring
  QComboBox* CB_Parser = nullptr;
  QSpinBox* CB_Thumbnail = nullptr;
  QLabel* LB_Thumbnail3 = nullptr;
  QCheckBox* CB_Xhtml = nullptr;
  QSpinBox* CE_HtmlPage = nullptr;
  QCheckBox* CB_Sanko = nullptr;
  QPushButton* BtnOK = nullptr;
  QPushButton* BtnCancel = nullptr;

  static QString NoteText();

 private:
  void FormShow();
  void BtnOKClick();

  Settings& settings_;
};

// Opens the dialog modally; true when it was confirmed.
bool RunSettingsDialog(Settings& settings, QWidget* parent);

}  // namespace zor
