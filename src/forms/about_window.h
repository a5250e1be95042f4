// The about window: product title, version line, logo, licence and credits.
// It also starts a delivery: its open button chooses a folder, and a
// PHOTO.XML dropped on it is opened like a drop on the main window.
#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QTextEdit;
class QPushButton;

namespace zor {

class AboutWindow : public QDialog {
  Q_OBJECT
 public:
  explicit AboutWindow(QWidget* owner);

  // Chooses and reads a delivery; true when one was read.
  std::function<bool()> ChooseDeliveryFolder;
  // Hands dropped files to the main window.
  std::function<void(const QStringList&)> FileDrop;
  // The help page; "最新のブラウザの入手(&B)" shows its section on the
  // browsers that show the album.
  QString HelpFile;

  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Image1 = nullptr;
  QPushButton* SpeedButton2 = nullptr;
  QPushButton* Button_NewPrg = nullptr;
  QTextEdit* Memo = nullptr;
  QPushButton* OkBtn = nullptr;

  // The licence text and the credit block shown in the memo.
  static QString MemoText();

  // Shows the window modally until it is closed. Hiding it for the folder
  // choice ends a dialog's modal loop; a cancelled choice starts it again.
  int exec() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void SpeedButton2Click();
  void Button_NewPrgClick();

  bool inExec_ = false;
  bool comeBack_ = false;  // the open button was cancelled during exec()
};

// Shows the about window modally over owner.
void ShowAboutWindow(QWidget* owner, std::function<bool()> chooseFolder,
                     std::function<void(const QStringList&)> fileDrop, const QString& helpFile = QString());

}  // namespace zor
