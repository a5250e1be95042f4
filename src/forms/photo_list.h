// The photo list ListView (centre) and the drawing list ListView2 (panel
// Float_Mime): what they show, how big their cells are, list mode, the
// selection timers and opening the viewer. The lists draw their cells with
// the cell painter; pictures come from the thumbnail cache, decoded on a
// pool of worker threads.
#pragma once

#include <QColor>
#include <QObject>
#include <QThread>
#include <QThreadPool>
#include <functional>

#include "forms/cell_painter.h"
#include "forms/thumbnail_cache.h"
#include "store/int_list.h"

class QFrame;
class QMenu;
class QUrl;

namespace zor {

class MainWindow;
class ThumbnailList;
class TreePanel;

class PhotoLists : public QObject {
  Q_OBJECT
 public:
  // A focus index meaning "the item that has the focus now".
  static constexpr int kKeepFocus = -9999;
  static constexpr int kMinThumbnailSize = 60;
  static constexpr int kFixedThumbnailSize = 140;
  // The room just-fit leaves around each cell across and down. Icon spacing
  // 75 less icon size 32 plus 8, as on the desktop the program comes from;
  // more than the cell spacing of the lists, so the count always fits.
  static constexpr int kJustFitGapX = 51;
  static constexpr int kJustFitGapY = 51;
  static const QColor kNormalColour;    // RGB 245, 220, 175
  static const QColor kListModeColour;  // RGB 183, 183, 183

  // Makes ListView inside listPanel and ListView2 inside drawingPanel (both
  // with a vertical layout). tree may be null.
  PhotoLists(MainWindow& window, QFrame* listPanel, QFrame* drawingPanel, TreePanel* tree);
  ~PhotoLists() override;

  ThumbnailList* ListView = nullptr;
  ThumbnailList* ListView2 = nullptr;

  // Opens a picture in the viewer; true when it was shown. Set by the window
  // once the viewer exists.
  // missing: the name the photo file gives a picture that was not found
  // (file is then the placeholder); empty otherwise.
  std::function<bool(const QString& file, const QString& missing)> ShowInViewer;
  // True while the viewer window is open and shown.
  std::function<bool()> ViewerShown;
  // The desktop's default program for a file (PDF drawings).
  std::function<bool(const QUrl& url)> OpenWithDesktop;

  // The cell side for a list of outer size width x height: with just-fit,
  // count cells across (a tall list) or down (a wide one), at least 60.
  static int JustFitSize(int width, int height, int count, bool justFit);

  int ThumbnailSize() const { return thumbnailSize_; }
  int DrawingThumbnailSize() const { return kFixedThumbnailSize; }
  const TIntList& CurrentList() const { return currentList_; }

  // Computes the cell sizes; with refill, refills ListView.
  void FitThumbnails(bool refill);
  // Rebuilds ListView from the current list; kKeepFocus keeps the focused index.
  void FillThumbnails(int focus, int drawingFocus);
  // Rebuilds ListView2 from the drawings of the focused photo.
  void FillDrawingList(int focus);
  // The selected tree node's photos, from the first.
  void ShowNodePhotos();
  // Shows the given photos instead of the node's (1 sort, 2 search or
  // verification result).
  void EnterListMode(int kind, TIntList records);
  // Back to the node's look; quiet leaves out the information box.
  void LeaveListMode(bool quiet);
  // SB_Kaijyo: leaves list mode and shows the node's photos again.
  void FormIciranKaijo();
  // Opens the focused photo of list (of the focused list when null).
  void OpenViewer(ThumbnailList* list);
  // Double click, Enter, SB_View, "表示(&V)...": opens the viewer 10 ms later.
  void ListViewDblClick(ThumbnailList* list);
  // Empties both lists.
  void ClearPhotoLists();
  void ClearThumbnailCache();
  ThumbnailCache& Cache() { return *cache_; }
  QThreadPool& Pool() { return pool_; }

 private:
  void ListViewChange(ThumbnailList* list);
  void ListViewClick(ThumbnailList* list);
  void DisableDrawingList();
  void SetPanelColours(const QColor& colour);
  void ApplyCellStyle();
  void ResizeView();
  CellRecord ReadCell(int record);
  ThumbnailList* MakeList(const char* name, QFrame* panel, const char* menuName, const char* actionName);
  bool eventFilter(QObject* watched, QEvent* event) override;

  MainWindow& window_;
  TreePanel* tree_;
  QFrame* listPanel_;
  QFrame* drawingPanel_;
  QThreadPool pool_;
  ThumbnailCache* cache_;
  CellResources resources_;
  TIntList currentList_;
  bool hasCurrentList_ = false;
  int thumbnailSize_ = kFixedThumbnailSize;
  ThumbnailList* viewerList_ = nullptr;
};

}  // namespace zor
