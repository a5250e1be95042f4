// The sort dialog: orders the photos the thumbnail list shows by up to five
// keys, ascending or descending, and shows the result in list mode. It stays
// on top beside the main window; its choices live as long as the dialog.
#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>

class QComboBox;
class QLabel;
class QPushButton;

namespace zor {

class SortDialog : public QDialog {
  Q_OBJECT
 public:
  // The standard the key lists are built for when the dialog is created.
  static constexpr int kInitialVersion = 7;

  explicit SortDialog(QWidget* parent);

  QComboBox* ComboBox[5] = {};
  QLabel* Label[5] = {};
  QPushButton* OpenBtn = nullptr;
  QPushButton* CloseBtn = nullptr;
  QComboBox* CB_Sortjun = nullptr;

  // The standard in force; the main window sets it before every showing.
  int DigiVersion = kInitialVersion;
  // The main window's sort: the five entry texts (empty for a list without
  // a selection) and the order (0 ascending, 1 descending).
  std::function<void(const QStringList&, int)> Sort;

  // The standard the key lists are built for now.
  int BuiltFor() const { return builtFor_; }
  void OpenBtnClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void RebuildLists();

  int builtFor_ = kInitialVersion;
  bool shownOnce_ = false;
};

}  // namespace zor
