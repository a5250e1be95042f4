// The main window: tool bar band with the menu, the six tool buttons, the
// four dock panels, the thumbnail list in the centre, the status bar with its
// progress bar, the timers that keep buttons and panels current. It is also
// the core's Host: readers report progress and ask their questions here.
// The class is defined in main_window.cpp (construction, panels, events,
// docking layout), main_window_menu.cpp (menu, tool buttons, commands),
// main_window_load.cpp (loading, the readers' Host calls, drops) and
// main_window_lists.cpp (list mode and the list dialogs).
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/folders.h"
#include "app/host.h"
#include "app/resources.h"
#include "app/settings.h"
#include "forms/browse_context.h"
#include "forms/message_boxes.h"
#include "store/delivery.h"

class QAction;
class QDockWidget;
class QLabel;
class QListView;
class QMenu;
class QMenuBar;
class QProgressBar;
class QToolBar;
class QToolButton;
class QWidget;

namespace zor {

class PhotoLists;
class TaskBarMenu;
class ThumbnailList;
class TreePanel;
class HelpPanel;
class InfoPanel;
class PhotoViewer;
class SearchDialog;
class SortDialog;
class VerificationDialog;
class HelpWindow;
class InspectionDialog;
class CheckDialog;
class FindingsDialog;
struct Finding;
class LedgerDialog;
struct SearchCondition;

class MainWindow : public QMainWindow, public Host {
  Q_OBJECT
 public:
  // Version of the docking layout bytes in ZORM_V.DAT; a file of another
  // version is ignored and the default layout made.
  static constexpr int kLayoutVersion = 1;

  MainWindow(Folders folders, Settings& settings, Delivery& delivery, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Host
  void ReportProgress(char code, int value) override;
  void ShowStatus(const std::string& text) override;
  void ShowInformation(const std::string& text) override;
  void ShowWarning(const std::string& text) override;
  bool ConfirmYesCancel(const std::string& text) override;
  bool ConfirmYesNo(const std::string& text) override;
  void Beep() override;

  // The window steps of the readers.
  void LeaveListMode() override;
  void ClearPhotoLists() override;
  void ShowNodePhotos() override;
  void SelectUnclassifiedNode() override;
  void LayOutInformationPanel() override;
  void RefillContractGrid() override;
  void ShowLevelWarning(const std::string& text) override;
  int ListMode() const override { return context_.ListMode(); }
  void EnterListMode(int kind, const std::vector<std::int32_t>& records) override;
  void OpenInBrowser(const std::string& path) override;
  // "HTML工事写真帳作成(&H)...": the output folder, then the album.
  void Mn_HTMLClick();
  // The album of the loaded delivery into parent/ALBUM; refused, with a
  // message, inside the delivery's folder. True when it was written.
  bool WriteAlbumInto(const QString& parent);

  // Operations other windows call.
  void UpdateTitle() override;
  void RefreshAll() override;
  void RequestButtonUpdate() override;
  void ShowStatusText(const QString& text);
  void ShowWorkStatus(const QString& text);
  // Handles files dropped on the window or on the about window.
  void HandleDroppedFiles(const QStringList& files);

  // State of the window. DigiVersion, IndexLoaded, PreviousIndexLoaded and
  // WorkName live in the delivery, ListMode in the browse context.
  bool Started = false;
  bool Closing = false;
  // False when the user data folder cannot be written (a read-only home):
  // the settings are read but not written back on closing.
  bool KeepSettings = true;
  bool SuppressInputLevel = false;
  bool ResizeGuard = false;

  // Opens a delivery file (INDEX_C.XML, INDEX_D.XML or PHOTO.XML) through
  // the dispatcher with the work name "ＸＭＬ入力"; true when a reader ran.
  // Tests may replace it.
  std::function<bool(const QString& file)> OpenDeliveryFile;
  bool DispatchDeliveryFile(const QString& file);
  // "開く(&P)..." (index) and "PHOTO.XML読込(&I)..." (photo): the folder
  // choice loop; true when a delivery was dispatched.
  bool ChooseDeliveryFolder(bool indexVariant);
  // Shows a delivery file in the XML content window, modally.
  void ShowXmlFileModal(const QString& file);
  // Where a folder chooser starts for a kept folder setting.
  QString StartFolder(const std::string& kept) const;
  // Shows the about window; set by the start-up code.
  std::function<void()> ShowAbout;
  // The task bar menu of the main window and the search and sort dialogs.
  TaskBarMenu* TaskBar = nullptr;

  // Components other modules and the tests reach by name.
  QDockWidget* Float_Menu = nullptr;
  QDockWidget* Float_Clip = nullptr;
  QDockWidget* Float_Mime = nullptr;
  QDockWidget* Float_Help = nullptr;
  ThumbnailList* ListView = nullptr;
  ThumbnailList* ListView2 = nullptr;
  // The tree panel (content of Float_Menu) and both photo lists. These four
  // members carry their class's name, so their types are written qualified.
  zor::TreePanel* TreePanel = nullptr;
  zor::PhotoLists* PhotoLists = nullptr;
  QLabel* PL_Sanko = nullptr;
  QLabel* PL_Help = nullptr;
  zor::InfoPanel* InfoPanel = nullptr;  // content of Float_Clip
  zor::HelpPanel* HelpPanel = nullptr;  // content of Float_Help
  QToolButton* SB_List = nullptr;
  QToolButton* SB_Sort = nullptr;
  QToolButton* SB_Kaijyo = nullptr;
  QToolButton* SB_Thumbnail = nullptr;
  QToolButton* SB_Icon = nullptr;
  QToolButton* SB_View = nullptr;
  QProgressBar* ProgressBar = nullptr;
  QAction* SearchforHelpOn = nullptr;
  QTimer Timer, Timer_Button, Timer_Sanko, Timer_Start, Timer_NoSel, Timer_NoSel2, Timer_Resize, Timer_ResizeView;

  QLabel* StatusPanel(int i) const { return statusPanels_[i]; }
  const Folders& folders() const { return folders_; }
  Settings& settings() { return settings_; }
  Delivery& delivery() { return delivery_; }
  BrowseContext& context() { return context_; }
  bool LayoutResetRequested() const { return layoutReset_; }

  // Applies the dock site width rule for a client of the given width.
  void ApplyResizeRule();
  // The default docking layout of the first start.
  void MakeDefaultLayout();
  // "画面状態の初期化(&I)...": true when the user confirmed.
  bool Mn_GamenInitClick();
  // "環境設定(&E)...": the settings dialog, then a refresh when confirmed.
  void Mn_EnvClick();
  // Ctrl+A: in a focused thumbnail list the last item ends up selected, and
  // the first gets the focus when none had it.
  void Mn_SelAllClick();
  // Ctrl+F and SB_List: the search dialog.
  void SB_ListClick();
  // The focused control is a thumbnail list with exactly one selected item.
  bool OneThumbnailSelected() const;
  // The focused control is an edit field or an item grid.
  bool EditOrGridFocused() const;
  // Windows that are kept hidden after use carry this property; they are
  // released when memory runs short.
  static constexpr const char* kKeptWindow = "keptWindow";
  // Asked before a secondary window is made; true when memory is short.
  std::function<bool()> ResourcesLow = &SystemResourcesLow;
  // False, after releasing the hidden kept windows, beeping and showing the
  // resource message, when no window should be made now.
  bool MayCreateWindow();
  // MayCreateWindow, then make(); an allocation failure inside gives the
  // same message. True when the window was made.
  bool CreateWindowChecked(const std::function<void()>& make);
  // Recomputes the tool buttons' enabled states (the Timer_Button handler).
  void UpdateButtons();
  // Sets the help file; an empty path leaves the program without help.
  void SetHelpFile(const QString& path);
  QString HelpFile() const { return helpFile_; }
  // Shows the help page at a topic (0: its beginning).
  void ShowHelpContext(int context);

  // The search, sort and verification dialogs (main_window_lists.cpp): made on
  // first use and kept until the window goes or memory runs short.
  // ShowSeekForm answers SB_List (and so SB_ListClick).
  void ShowSeekForm();
  void SB_SortClick();
  void Mn_InputMissClick();
  // The inspection of the pictures (写真ファイルの検査).
  void Mn_InspectClick();
  // The check of the whole delivery (納品データのチェック).
  void Mn_CheckClick();
  // Selects a photo by its record: in the list shown, else in the list mode
  // of the given records.
  void SelectPhotoRecord(int record, const std::vector<int>& records);
  // Where a finding or a faulty entry leads: its photo (a drawing's photo,
  // then the drawing), selected as SelectPhotoRecord does, and the row of
  // the item (its name as the grid shows it, code page 932) in the
  // information panel; record 0 leads to the construction grid's row.
  void ShowItemOf(int record, int photo, const std::string& item, const std::vector<int>& records);
  // The last delivery loaded had a file that failed its DTD and was read as
  // well-formed XML only.
  bool ReadWithoutValidation() const { return readWithoutValidation_; }
  // The search dialog's call-back: list mode shows every match, move mode
  // selects the next one; texts in code page 932.
  void FormKensakuStr(QObject* sender, bool listMode, const std::string& to, const std::string& from,
                      const SearchCondition& condition);
  // The sort dialog's call-back: sorts the current photo list by the entry
  // texts (0 ascending, 1 descending) and shows it in list mode 1.
  void SortCurrentList(const QStringList& texts, int order);
  QPointer<SearchDialog> SeekForm;
  QPointer<SortDialog> SortForm;
  QPointer<VerificationDialog> MissForm;
  QPointer<InspectionDialog> InspectForm;
  QPointer<CheckDialog> CheckForm;
  // The photo ledger as a PDF (main_window_ledger.cpp).
  void Mn_LedgerClick();
  QPointer<LedgerDialog> LedgerForm;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool event(QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateMenus();
  void CreateToolButtons();
  void CreatePanels();
  void CreateStatusBar();
  void LinkInfoPanel();
  void ConnectListDialogs();
  void LinkFindingsDialog(FindingsDialog* dialog);
  void CreateTimers();
  QDockWidget* MakeDock(const char* name, const QString& title, int helpContext, QWidget* content);
  void FirstShow();
  bool RestoreLayout();
  void SaveLayout();
  // Window and floating panel places in ZOR_V.INI; the file's path, empty
  // once the layout reset was asked for.
  std::string PositionsFile() const;
  void RestorePositions();
  void SavePositions();
  void PlaceProgressBar();
  void OnMinimised();
  void OnRestored();
  void ReportLowResources();

  Folders folders_;
  Settings& settings_;
  Delivery& delivery_;
  BrowseContext context_;
  QPointer<PhotoViewer> viewer_;
  QLabel* statusPanels_[4] = {};
  QString statusMessage_;
  QString hint_;
  QString helpFile_;
  bool browserFailed_ = false;  // the last album's browser could not be started
  QPointer<HelpWindow> helpWindow_;
  std::string loadedEntry_;  // the file the loaded delivery was opened through
  bool readWithoutValidation_ = false;
  bool firstShown_ = false;
  bool layoutReset_ = false;
  QList<QPointer<QWidget>> hiddenOnMinimise_;
  QToolBar* panel2_ = nullptr;
  QToolBar* panelView_ = nullptr;
  QMenu* sizePopup_ = nullptr;
};

}  // namespace zor
