// The folder chooser: a file-system folder tree in input mode (opening a
// delivery) or output mode (the destination of the HTML album).
#pragma once

#include <QDialog>
#include <QString>
#include <QTimer>
#include <functional>
#include <string>

class QFileSystemModel;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTreeView;
class QCheckBox;

namespace zor {

enum class FolderMode { Input, Output };

// What the chooser hands back, whatever its result.
struct FolderChoice {
  int kind = 0;              // input mode: 0 PHOTO.XML, 1 INDEX_C.XML, 2 INDEX_D.XML
  QString folder;            // the selected folder
  bool orgGrphHtml = false;  // passed through unchanged
  bool densiOn = true, photoOn = true, bookOn = true;
};

// The name typed for a new folder, made safe: trimmed (blanks, controls and
// full-width spaces), without ? * " , . ; : | < > /, at most 128 bytes
// without splitting a character. Code page 932 in and out.
std::string CleanNewFolderName(const std::string& sjis);

class FolderChooser : public QDialog {
  Q_OBJECT
 public:
  FolderChooser(FolderMode mode, const QString& caption, const QString& comment, int helpContext,
                const FolderChoice& choice, QWidget* parent = nullptr);

  // Selects a folder in the tree and recomputes the folder state.
  void SelectFolder(const QString& path);
  // Creates a sub-folder of the selected one, asking for its name.
  void MakeFolder();
  const FolderChoice& Choice() const { return choice_; }

  // Shows a delivery file in the XML content window; set by the caller.
  std::function<void(const QString& file)> ShowXmlFile;

  QLabel* Label_Comment = nullptr;
  QLabel* Lbl_NowDir = nullptr;
  // A path typed or pasted here moves the tree there with Enter; a file's
  // path selects its folder.
  QLineEdit* Ed_Path = nullptr;
  QPushButton* Btn_MakeFolder = nullptr;
  QTreeView* SystemTreeView = nullptr;
  QPushButton* CheckBtn = nullptr;
  QPushButton* OpenBtn = nullptr;
  QPushButton* CloseBtn = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void UpdateFolderState();
  void GoToTypedPath();
  void CheckBtnClick();
  void Reload();
  QString SelectedFolder() const;

  FolderMode mode_;
  QString comment_;
  FolderChoice choice_;
  QFileSystemModel* model_ = nullptr;
  QMenu* popup_ = nullptr;
  QTimer revealTimer_;
  QString reveal_;  // the selected folder, until it has been scrolled into view
};

// Shows the chooser modally; true when accepted with OpenBtn. The choice is
// updated in every case. positionsFile (UTF-8, ZOR_V.INI), when given, keeps
// the window's size from one showing to the next.
bool ShowFolderChooser(QWidget* parent, const QString& caption, const QString& comment, int helpContext,
                       FolderMode mode, FolderChoice& choice, std::function<void(const QString&)> showXml = {},
                       const std::string& positionsFile = {});

}  // namespace zor
