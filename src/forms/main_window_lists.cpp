// The main window's list mode and its side of the search, sort, verification,
// inspection and check dialogs: the commands that open them, the call-backs
// that run their work over the loaded delivery and show the result in list
// mode, and the way from a finding to its photo and item.
#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QLabel>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>

#include "check/delivery_check.h"
#include "forms/check_dialog.h"
#include "forms/dialog_helpers.h"
#include "forms/info_panel.h"
#include "forms/inspection_dialog.h"
#include "forms/main_window.h"
#include "forms/reading_table.h"
#include "forms/photo_list.h"
#include "forms/qtext.h"
#include "forms/search_dialog.h"
#include "forms/sort_dialog.h"
#include "forms/task_bar_menu.h"
#include "forms/thumbnail_list.h"
#include "forms/thumbnail_model.h"
#include "forms/tree_panel.h"
#include "forms/verification_dialog.h"
#include "output/album_writer.h"
#include "rules/entry_faults.h"
#include "rules/photo_search.h"
#include "rules/photo_sort.h"
#include "rules/verify_entries.h"
#include "store/bindata_error.h"
#include "store/index_codes.h"
#include "store/standards.h"

namespace zor {
namespace {

constexpr const char* kNothingFoundUtf8 = "検索されませんでした。";
constexpr const char* kNotValidatedLineUtf8 =
    "DTDによる検証に失敗したため、ウェルフォームドXML文書として読み込みました。";
constexpr int kConstructionNameCode = 3;  // 工事名称 in INDEX_C.XML
constexpr int kServicesNameCode = 4;      // 業務名称 in INDEX_D.XML

// The window as the verification and the search see it: the progress
// display, and list mode through the photo lists so that the panels change
// their look with it.
class ListHost : public Host {
 public:
  explicit ListHost(MainWindow& w) : w_(w) {}
  void ReportProgress(char code, int value) override { w_.ReportProgress(code, value); }
  int ListMode() const override { return w_.context().ListMode(); }
  void EnterListMode(int kind, const std::vector<std::int32_t>& records) override {
    w_.PhotoLists->EnterListMode(kind, TIntList(records.begin(), records.end()));
  }
  void LeaveListMode() override { w_.PhotoLists->LeaveListMode(true); }
  void ShowNodePhotos() override { w_.PhotoLists->ShowNodePhotos(); }

 private:
  MainWindow& w_;
};

int IndexOfNode(const std::vector<HierarchyNode*>& nodes, const HierarchyNode* node) {
  for (std::size_t i = 0; i < nodes.size(); ++i)
    if (nodes[i] == node) return static_cast<int>(i);
  return -1;
}

// 工事名 or 業務名 for a report: the index's item when an index was read,
// else the photo file's construction information.
std::string WorkNameOf(const Delivery& d) {
  if (!d.IndexLoaded) return d.PhotoContractInfo.Text(ContractText::ConstructionName);
  const int code = IsConstructionIndexVersion(d.DigiVersion) ? kConstructionNameCode : kServicesNameCode;
  for (int slot = 1; slot <= d.Index.IndexItemCount && slot <= IndexTables::kMaxSlots; ++slot)
    if (d.Index.IndexItem[static_cast<std::size_t>(slot)].ItemCode == code)
      return d.Index.IndexItemValue[static_cast<std::size_t>(slot)];
  return {};
}

}  // namespace

// ---- List mode -------------------------------------------------------------

void MainWindow::LeaveListMode() { PhotoLists->LeaveListMode(true); }

void MainWindow::ClearPhotoLists() { context_.SetPhoto(0), context_.SetDrawing(0); }

void MainWindow::ShowNodePhotos() { emit context_.NodeChanged(); }

void MainWindow::EnterListMode(int kind, const std::vector<std::int32_t>& records) {
  PhotoLists->EnterListMode(kind, TIntList(records.begin(), records.end()));
}

// ---- The dialogs ---------------------------------------------------------------

void MainWindow::ConnectListDialogs() {
  connect(SB_List, &QToolButton::clicked, this, &MainWindow::ShowSeekForm);
  connect(SB_Sort, &QToolButton::clicked, this, &MainWindow::SB_SortClick);
  if (auto* miss = findChild<QAction*>(QStringLiteral("Mn_InputMiss")))
    connect(miss, &QAction::triggered, this, &MainWindow::Mn_InputMissClick);
  if (auto* inspect = findChild<QAction*>(QStringLiteral("Mn_Inspect")))
    connect(inspect, &QAction::triggered, this, &MainWindow::Mn_InspectClick);
  if (auto* check = findChild<QAction*>(QStringLiteral("Mn_Check")))
    connect(check, &QAction::triggered, this, &MainWindow::Mn_CheckClick);
  TaskBar->SeekDialog = [this]() -> QWidget* { return SeekForm.data(); };
  TaskBar->SortDialog = [this]() -> QWidget* { return SortForm.data(); };
}

void MainWindow::ShowSeekForm() {
  if (!SeekForm) {
    if (!CreateWindowChecked(
            [this] { SeekForm = new SearchDialog(settings_, folders_.userData + SearchDialog::kHistoryFile, this); }))
      return;
    SeekForm->setProperty(kKeptWindow, true);
    TaskBar->Watch(SeekForm);
    SeekForm->FormKensakuStr = [this](QObject* sender, bool listMode, const std::string& to, const std::string& from,
                                      const SearchCondition& c) { FormKensakuStr(sender, listMode, to, from, c); };
    SeekForm->FormIciranKaijo = [this] { PhotoLists->FormIciranKaijo(); };
  }
  SeekForm->DigiVersion = delivery_.DigiVersion;
  SeekForm->show();
  SeekForm->raise();
  SeekForm->activateWindow();
}

void MainWindow::SB_SortClick() {
  if (!SortForm) {
    if (!CreateWindowChecked([this] { SortForm = new SortDialog(this); })) return;
    SortForm->setProperty(kKeptWindow, true);
    TaskBar->Watch(SortForm);
    SortForm->Sort = [this](const QStringList& texts, int order) { SortCurrentList(texts, order); };
  }
  SortForm->DigiVersion = delivery_.DigiVersion;
  SortForm->show();
  SortForm->raise();
  SortForm->activateWindow();
}

void MainWindow::Mn_InputMissClick() {
  const QString name = Qs(StandardName(delivery_.DigiVersion, delivery_.Guideline));
  if (!MissForm) {
    if (!CreateWindowChecked([this] { MissForm = MakeMissForm(settings_, this); })) return;
    MissForm->setProperty(kKeptWindow, true);
    MissForm->ListFaults = [this](int scope) {
      std::vector<EntryFault> faults;
      ReadingTable(*this, [&] { faults = ListEntryFaults(delivery_, scope); });
      return faults;
    };
    MissForm->ShowFault = [this](const EntryFault& f, const std::vector<int>& photos) {
      ShowItemOf(f.record, f.photo, f.item, photos);
    };
  }
  VerificationDialog* form = MissForm;
  ShowMissForm(form, settings_, this, name, [this](VerificationDialog&, int scope, QStringList& lines) {
    WaitCursor wait;
    ListHost host(*this);
    const VerifyResult result = VerifyEntries(delivery_, scope, host);
    // The same leading lines as the command line's verification: the rules
    // a later guideline is checked by, and a load without validation.
    if (IsLaterStandard(delivery_.DigiVersion)) {
      lines << Qs(StandardName(delivery_.DigiVersion, delivery_.Guideline));
      lines << Qs(RuleSetNote(delivery_.DigiVersion));
    }
    if (readWithoutValidation_) lines << QString::fromUtf8(kNotValidatedLineUtf8);
    for (const std::string& line : result.lines) lines << Qs(line);
    if (!result.error.empty()) ShowWarning(result.error);
    return result.clean && !readWithoutValidation_;
  });
}

// What the inspection and the check dialogs ask of the window.
void MainWindow::LinkFindingsDialog(FindingsDialog* dialog) {
  dialog->setProperty(kKeptWindow, true);
  dialog->adjustSize();
  const QRect main = frameGeometry();
  dialog->move(main.center() - QPoint(dialog->width() / 2, dialog->height() / 2));
  dialog->ShowFinding = [this](const Finding& f, const std::vector<int>& records) {
    if (f.record > 0 || f.photo > 0 || !f.item.empty()) {
      ShowItemOf(f.record, f.photo, f.item, records);
    } else if (!f.records.empty()) {
      // A counting line: the photos it counts.
      PhotoLists->EnterListMode(2, TIntList(f.records.begin(), f.records.end()));
    }
  };
  dialog->ListPhotos = [this](const std::vector<int>& records) {
    if (!records.empty()) PhotoLists->EnterListMode(2, TIntList(records.begin(), records.end()));
  };
  dialog->DeliveryHeading = [this] {
    ReportHeading heading;
    heading.workName = WorkNameOf(delivery_);
    heading.path = loadedEntry_;
    heading.standard = StandardName(delivery_.DigiVersion, delivery_.Guideline);
    return heading;
  };
  dialog->DeliveryFolder = [this] {
    return loadedEntry_.empty() ? std::string() : DeliveryFolderOfEntry(loadedEntry_).string();
  };
  dialog->Inform = [this](const QString& text) { ShowInformation(SjOf(text)); };
}

void MainWindow::Mn_InspectClick() {
  if (!InspectForm) {
    if (!CreateWindowChecked([this] { InspectForm = new InspectionDialog(this); })) return;
    InspectForm->Plan = [this] {
      InspectionPlan plan;
      ReadingTable(*this, [&] { plan = PlanInspection(delivery_); });
      return plan;
    };
    LinkFindingsDialog(InspectForm.data());
  }
  InspectForm->show();
  InspectForm->raise();
  InspectForm->activateWindow();
}

void MainWindow::Mn_CheckClick() {
  if (!CheckForm) {
    if (!CreateWindowChecked([this] { CheckForm = new CheckDialog(settings_, this); })) return;
    CheckForm->Plan = [this](int scope) -> std::optional<DeliveryCheckPlan> {
      if (loadedEntry_.empty()) return std::nullopt;
      std::optional<DeliveryCheckPlan> plan;
      ReadingTable(*this, [&] {
        plan = PlanDeliveryCheck(delivery_, PlaceOfDelivery(loadedEntry_), scope, readWithoutValidation_);
      });
      return plan;
    };
    LinkFindingsDialog(CheckForm.data());
  }
  CheckForm->Version->setText(Qs(StandardName(delivery_.DigiVersion, delivery_.Guideline)));
  CheckForm->show();
  CheckForm->raise();
  CheckForm->activateWindow();
}

void MainWindow::SelectPhotoRecord(int record, const std::vector<int>& records) {
  auto find = [this, record] {
    const TIntList& shown = PhotoLists->CurrentList();
    const auto at = std::find(shown.begin(), shown.end(), record);
    return at == shown.end() ? -1 : static_cast<int>(at - shown.begin());
  };
  int row = find();
  if (row < 0 && std::find(records.begin(), records.end(), record) != records.end()) {
    PhotoLists->EnterListMode(2, TIntList(records.begin(), records.end()));
    row = find();
  }
  if (row >= 0) ListView->SelectListItem(row, true);
}

void MainWindow::ShowItemOf(int record, int photo, const std::string& item, const std::vector<int>& records) {
  if (photo <= 0) photo = record;
  const QString name = Qs(item);
  bool found = false;
  if (photo <= 0) {
    context_.ShowInfoTab(BrowseContext::kKojiTab);
    found = !name.isEmpty() && InfoPanel->SelectItemRow(BrowseContext::kKojiTab, 0, name);
  } else {
    SelectPhotoRecord(photo, records);
    if (context_.Photo() != photo) return;
    if (record == photo) {
      found = !name.isEmpty() && InfoPanel->SelectItemRow(BrowseContext::kPhotoTab, photo, name);
    } else {
      // A drawing of the photo: its list now, not after the list's delay,
      // and the drawing selected in it.
      Timer_Sanko.stop();
      PhotoLists->FillDrawingList(-1);
      for (int row = 0; row < ListView2->Model()->Count(); ++row)
        if (ListView2->Model()->Item(row).record == record) {
          ListView2->SelectListItem(row, true);
          break;
        }
      found = context_.Drawing() == record && !name.isEmpty() &&
              InfoPanel->SelectItemRow(BrowseContext::kSankoTab, record, name);
    }
  }
  // The row is marked while its grid has the keyboard; the dialog asking
  // stays in front of the window.
  if (found) activateWindow();
}

void MainWindow::FormKensakuStr(QObject* sender, bool listMode, const std::string& to, const std::string& from,
                                const SearchCondition& c) {
  (void)sender;
  if (!delivery_.PhotoTable.Active()) {
    ShowInformation(Sj(kNothingFoundUtf8));
    return;
  }
  ListHost host(*this);
  if (listMode) {
    TIntList found;
    if (!ReadingTable(*this, [&] {
          WaitCursor wait;
          found = SearchList(delivery_, TreePanel->SelectedNode(), c, from, to, host);
        }))
      return;
    if (found.empty())
      ShowInformation(Sj(kNothingFoundUtf8));
    else
      PhotoLists->EnterListMode(2, std::move(found));
    return;
  }
  // Move mode walks the tree's own photo lists, which a list-mode list hides.
  if (context_.ListMode() != 0) {
    PhotoLists->LeaveListMode(true);
    PhotoLists->ShowNodePhotos();
  }
  const std::vector<HierarchyNode*> nodes = delivery_.Tree.Nodes();
  const int selected = IndexOfNode(nodes, TreePanel->SelectedNode());
  std::optional<int> node;
  std::optional<TreePosition> photo;
  if (c.key == kSeekNode) {
    node = SearchNextNode(delivery_.Tree, c, from, selected);
  } else {
    const int focused = selected >= 0 ? ListView->FocusedRow() : -1;
    if (!ReadingTable(*this, [&] { photo = SearchNextPhoto(delivery_, c, from, to, TreePosition{selected, focused}); }))
      return;
    if (photo) node = photo->node;
  }
  if (!node) {
    ShowInformation(Sj(kNothingFoundUtf8));
    return;
  }
  HierarchyNode* target = nodes[static_cast<std::size_t>(*node)];
  if (QTreeWidgetItem* item = TreePanel->ItemOf(target)) TreePanel->TV_Tree->scrollToItem(item);
  TreePanel->SelectNodeNow(target);
  if (photo)
    ListView->SelectListItem(photo->index, true);
  else
    TreePanel->AlignTreeHeader();
}

void MainWindow::SortCurrentList(const QStringList& texts, int order) {
  std::vector<SortField> fields;
  for (const QString& text : texts) fields.push_back(SortFieldOfEntry(text.toStdString()));
  TIntList sorted;
  if (!ReadingTable(*this, [&] {
        WaitCursor wait;
        sorted = SortRecords(delivery_, PhotoLists->CurrentList(), fields, order == 1);
      }))
    return;
  PhotoLists->EnterListMode(1, std::move(sorted));
}

}  // namespace zor
