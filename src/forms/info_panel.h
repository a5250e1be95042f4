// The information panel (content of Float_Clip): the input-level button, the
// standard selector, the tab strip and the notebook with the construction,
// photo and reference drawing grids. It builds the grids from the row
// layouts of the rules module, writes the values of the contract block, the
// index slots or the selected record, and keeps the help panel current.
#pragma once

#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "rules/row_layout.h"

class QAbstractItemView;
class QComboBox;
class QFrame;
class QStackedWidget;
class QToolButton;

namespace zor {

class BrowseContext;
class Delivery;
class ItemGrid;
class HelpPanel;
class InfoTabs;
class ShootingDataPage;
struct Settings;

// What the panel reaches outside itself; the main window fills it. Every
// member may stay empty (tests, or before the window has built it).
struct InfoPanelLinks {
  QAbstractItemView* photoList = nullptr;    // ListView
  QAbstractItemView* drawingList = nullptr;  // ListView2
  HelpPanel* help = nullptr;
  std::function<void(const QString&)> setImageStatus;  // status panel 2
  std::function<void(const QString&)> showStatus;      // the current status message
  std::function<void()> requestButtonUpdate;
  std::function<void()> refreshAll;        // the window's RefreshAll, which calls Refresh
  std::function<void()> closeListDialogs;  // the sort, search and verification dialogs
  std::function<bool()> started;           // the start-up timer has run
  std::function<bool()> suppressInputLevel;
};

class InfoPanel : public QWidget {
  Q_OBJECT
 public:
  static const QString kKojiTab;      // " 工事情報  "
  static const QString kPhotoTab;     // " 写真情報  "
  static const QString kSankoTab;     // " 付加情報  "
  static const QString kShootingTab;  // " 撮影データ  ", beside the photo tab
  // The notebook page of the 撮影データ tab (page 3 stays empty).
  static constexpr int kShootingPage = 4;

  InfoPanel(Delivery& delivery, Settings& settings, BrowseContext& context, QWidget* parent = nullptr);

  InfoPanelLinks Links;

  QToolButton* SB_InputLevel = nullptr;
  QComboBox* CE_Version = nullptr;
  QFrame* PL_Grid = nullptr;
  InfoTabs* TabSetEx = nullptr;
  QStackedWidget* Notebook = nullptr;
  ItemGrid* KoumokuGrid_Koji = nullptr;
  ItemGrid* KoumokuGrid_Photo = nullptr;
  ItemGrid* KoumokuGrid_Sanko = nullptr;
  ShootingDataPage* ShootingData = nullptr;

  // Shows the input level and the standard without running their change
  // handler; CE_Version is enabled only while it is set.
  void SetStandardShown(int digi_version, bool input_level);

  // The first showing: row layouts, the three grids for the empty state and
  // the construction tab alone.
  void FirstShow();
  // RefreshAll's share: InputLevel and DigiVersion from the two controls,
  // row layouts, the construction grid built and filled, the photo and
  // drawing grids built, the tab chosen, the columns fitted, the help filled.
  void Refresh();
  // The readers' refill when the standard did not change.
  void RefillKojiGrid();
  // After a read: the row layouts and the construction (or index) grid
  // built again for the delivery's index state and filled; columns fitted.
  void AfterLoad();
  // Row layouts, then the construction grid, or the index grid of either
  // kind when an index was read, built and filled.
  void LayOutKojiGrid();

  void BuildKojiGrid();
  void FillKojiGrid();
  void BuildKojiIndexGrid();
  void FillKojiIndexGrid();
  void BuildServicesIndexGrid();
  void FillServicesIndexGrid();
  void BuildPhotoGrid();
  void BuildSankoGrid();

  void ShowKojiTab();
  void ShowPhotoTab();
  void ShowSankoTab();
  void PL_GridResize();

  // The focused widget; nullptr when it lies outside the program.
  QWidget* FocusedGrid() const;
  // The grid of the selected tab.
  ItemGrid* VisibleGrid() const;
  // Fills the help panel for a row of the visible grid (-1: its current row).
  void ShowItemHelp(int row);

  // The input-level button and the standard selector's change handler.
  void SB_InputLevelClick();

  // Selects the row of an item, by the name the grid shows for it, in the
  // grid of a tab (BrowseContext::InfoTab), which is brought to the front
  // and takes the keyboard; the photo and drawing grids are filled from
  // record first. False when the tab is not offered or the grid has no row
  // of that name.
  bool SelectItemRow(int tab, int record, const QString& name);

  // The photo and drawing values of one record, whatever has the focus;
  // false when the record is not found.
  bool FillPhotoGrid(int record);
  bool FillSankoGrid(int record);

  // "TIFF形式", "WMF形式" or "JPEG形式" for a picture file (code page 932 path).
  static QString ImageFormatText(const std::string& file);

  const InfoRowLayout& RowLayout() const { return layout_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Float_ClipFormActivate / Float_ClipFormDeactivate while the panel floats.
  bool event(QEvent* event) override;

 private:
  void CreateTopBar();
  void CreateGrids();
  ItemGrid* MakeGrid(const char* name);
  void ConnectGrid(ItemGrid* grid);
  void BuildRows(ItemGrid* grid, InfoGrid kind);
  // An item's value into the row the layout gives it in the grid, with the
  // faults check finds in it; nothing where the layout has no row for it.
  using ItemCheck = std::uint8_t (*)(int code, std::string_view value, int version, bool keikokuRed);
  void PutItem(ItemGrid* grid, InfoGrid kind, int code, const std::string& value, ItemCheck check, int version);
  void BuildIndexRows();
  void FillIndexRows();
  void ApplyIndexLayout();
  void ResetGrid(ItemGrid* grid, int rows);
  void TabSetExChange(int newIndex);
  void TabSetExChanged(int index);
  // The notebook page of a tab: 0, 1, 2 by its caption, kShootingPage.
  int PageOfTab(int index) const;
  // The selected photo's picture into the 撮影データ page.
  void FillShootingData();
  // The picture format of the current record's FILENAME.
  QString CurrentRecordFormat();
  bool StepListItem(QAbstractItemView* list, ItemGrid* grid, QKeyEvent* event);
  bool ListFocused(QAbstractItemView* list) const;
  void FitColumns(ItemGrid* grid);

  Delivery& delivery_;
  Settings& settings_;
  BrowseContext& context_;
  InfoRowLayout layout_;
  bool settingStandard_ = false;
};

}  // namespace zor
