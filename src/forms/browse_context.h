// What the user is looking at: the loaded delivery, the selected tree node,
// photo and drawing, and the list mode. Panels watch this object instead of
// each other; a change is announced once, after the value changed.
#pragma once

#include <QObject>

#include "rules/help_texts.h"
#include "store/delivery.h"
#include "store/int_list.h"

namespace zor {

class BrowseContext : public QObject {
  Q_OBJECT
 public:
  explicit BrowseContext(Delivery& delivery, QObject* parent = nullptr) : QObject(parent), delivery_(delivery) {}

  Delivery& delivery() { return delivery_; }
  const Delivery& delivery() const { return delivery_; }

  // The selected node of the hierarchy tree; nullptr when none.
  HierarchyNode* Node() const { return node_; }
  // Record numbers of the selected photo and drawing; 0 when none.
  int Photo() const { return photo_; }
  int Drawing() const { return drawing_; }
  // 0 none, 1 the result of a sort, 2 of a search or the verification.
  int ListMode() const { return listMode_; }
  // The records shown in list mode, in their order.
  const TIntList& ListRecords() const { return listRecords_; }

  void SetNode(HierarchyNode* node) {
    if (node == node_) return;
    node_ = node;
    emit NodeChanged();
  }
  void SetPhoto(int record) {
    if (record == photo_) return;
    photo_ = record;
    emit PhotoChanged();
  }
  void SetDrawing(int record) {
    if (record == drawing_) return;
    drawing_ = record;
    emit DrawingChanged();
  }
  void EnterListMode(int mode, TIntList records) {
    listMode_ = mode;
    listRecords_ = std::move(records);
    emit ListModeChanged();
  }
  void LeaveListMode() {
    if (listMode_ == 0) return;
    listMode_ = 0;
    listRecords_.clear();
    emit ListModeChanged();
  }
  // Tabs of the information panel: the construction data, the selected
  // photo (Photo()), the selected drawing (Drawing()). The panel (re)fills
  // the tab it is asked for, even when it already shows it.
  enum InfoTab { kKojiTab = 0, kPhotoTab = 1, kSankoTab = 2 };
  void ShowInfoTab(InfoTab tab) { emit InfoTabRequested(tab); }
  // The tab the information panel shows now; the panel keeps it current.
  int ShownTab() const { return shownTab_; }
  void SetShownTab(int tab) { shownTab_ = tab; }
  // Texts for the help panel (a level's rule, or "説明はありません").
  void ShowHelp(const HelpLabels& labels) { emit HelpChanged(labels); }

  // After a load: nothing is selected, every panel rebuilds.
  void Reloaded() {
    node_ = nullptr;
    photo_ = 0;
    drawing_ = 0;
    listMode_ = 0;
    listRecords_.clear();
    emit DeliveryLoaded();
  }

 signals:
  void DeliveryLoaded();
  void NodeChanged();
  void PhotoChanged();
  void DrawingChanged();
  void ListModeChanged();
  void InfoTabRequested(int tab);
  void HelpChanged(const zor::HelpLabels& labels);

 private:
  Delivery& delivery_;
  HierarchyNode* node_ = nullptr;
  int photo_ = 0;
  int drawing_ = 0;
  int listMode_ = 0;
  int shownTab_ = kKojiTab;
  TIntList listRecords_;
};

}  // namespace zor
