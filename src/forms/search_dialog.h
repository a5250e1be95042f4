// The search dialog: finds photos by one of their items, or tree nodes by
// their caption, within a range of tree levels. In list mode every match is
// shown in the thumbnail list; in move mode the next match is selected. The
// dialog stays on top beside the main window and keeps its choices in the
// settings; the texts entered before are kept in the user data folder.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "app/settings.h"
#include "rules/photo_search.h"

class QComboBox;
class QDate;
class QLabel;
class QPushButton;

namespace zor {

class HistoryComboBox;

class SearchDialog : public QDialog {
  Q_OBJECT
 public:
  // The standard the lists are built for when the dialog is created.
  static constexpr int kInitialVersion = 7;
  // The history file in the user data folder.
  static constexpr const char* kHistoryFile = "ZOR_SEEK.INI";

  // historyFile: the file of the entered texts (UTF-8 path); empty: none kept.
  SearchDialog(Settings& settings, const std::string& historyFile, QWidget* parent);
  ~SearchDialog() override;

  QPushButton* OpenBtn = nullptr;
  QPushButton* CloseBtn = nullptr;
  QComboBox* CE_Seek_Pos = nullptr;
  QComboBox* CE_Seek_Mode = nullptr;
  QComboBox* CE_Seek_LevelSt = nullptr;
  QComboBox* CE_Seek_LevelEn = nullptr;
  QComboBox* CE_Seek_Ken = nullptr;
  QComboBox* CE_Seek_Iciran = nullptr;
  QComboBox* CE_Sort = nullptr;
  HistoryComboBox* CE_Seek_Str1 = nullptr;
  HistoryComboBox* CE_Seek_Str2 = nullptr;
  HistoryComboBox* CE_Seek_Str3 = nullptr;
  QComboBox* CE_Seek_Str4 = nullptr;
  QComboBox* CE_Seek_Str5 = nullptr;
  QLabel* LB_Seek_Pos = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* Label7 = nullptr;
  QLabel* LB_Sort = nullptr;
  QLabel* LB_Seek_Str1 = nullptr;
  QLabel* LB_Seek_Str2 = nullptr;
  QLabel* LB_Seek_Str3 = nullptr;

  // The standard in force; the main window sets it before every showing.
  int DigiVersion = kInitialVersion;
  // The main window's search (sender, list mode, to, from, condition; texts
  // in code page 932).
  std::function<void(QObject*, bool, const std::string&, const std::string&, const SearchCondition&)> FormKensakuStr;
  // The main window leaves list mode (the dialog went to move mode).
  std::function<void()> FormIciranKaijo;
  // Today, for the example of the date key; tests fix it.
  std::function<QDate()> Today;

  // The key of the selected CE_Seek_Ken entry; -1 when none.
  int CurrentKey() const;
  bool ListModeChosen() const;
  // Runs the search with the dialog's choices.
  void OpenBtnClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void RebuildLists(bool directions);
  void CE_Seek_KenChange();
  void CE_Seek_IciranChange();
  void WriteSettings();
  void LoadHistory();
  void SaveHistory();

  Settings& settings_;
  std::string historyFile_;
  bool shownOnce_ = false;
  int iciranIndex_ = 0;
  bool str2Edited_ = false;
};

}  // namespace zor
