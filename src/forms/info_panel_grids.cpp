// The information panel's grids: their rows built from the row layouts of
// the rules module, and the values of the contract block, the index slots
// and the selected photo or drawing written into them with their faults.
#include <algorithm>
#include <filesystem>
#include <optional>
#include <vector>

#include "app/settings.h"
#include "forms/coded_values.h"
#include "forms/info_panel.h"
#include "forms/item_grid.h"
#include "forms/qtext.h"
#include "images/image_kind.h"
#include "rules/help_texts.h"
#include "rules/index_catalogue.h"
#include "rules/item_checks.h"
#include "rules/item_values.h"
#include "store/bindata_error.h"
#include "store/delivery.h"
#include "store/index_codes.h"
#include "text/encoding.h"

namespace zor {
namespace {

bool InVersions(int v, std::initializer_list<int> set) { return std::find(set.begin(), set.end(), v) != set.end(); }


// Runs fill with the photo table on the record; false when the record is
// not there or is damaged (it shows as one that is not found).
template <class Fill>
bool FillFromRecord(Delivery& delivery, int record, Fill fill) {
  if (record <= 0) return false;
  try {
    if (!delivery.GotoPhotoRecord(record)) return false;
    fill(delivery.PhotoTable);
    return true;
  } catch (const EBinaryDataSetError&) {
    return false;
  }
}

}  // namespace

// ---- building --------------------------------------------------------------

void InfoPanel::LayOutKojiGrid() {
  layout_ = LayoutInfoRows(delivery_.DigiVersion, settings_.InputLevel);
  ApplyIndexLayout();
  if (delivery_.IndexLoaded) {
    if (IsConstructionIndexVersion(delivery_.DigiVersion)) {
      BuildKojiIndexGrid();
      FillKojiIndexGrid();
    } else {
      BuildServicesIndexGrid();
      FillServicesIndexGrid();
    }
  } else {
    BuildKojiGrid();
    FillKojiGrid();
  }
}

void InfoPanel::AfterLoad() {
  LayOutKojiGrid();
  PL_GridResize();
}

void InfoPanel::RefillKojiGrid() {
  if (delivery_.IndexLoaded)
    FillIndexRows();
  else
    FillKojiGrid();
}

void InfoPanel::ApplyIndexLayout() {
  IndexTables& index = delivery_.Index;
  const int count = std::clamp(index.IndexItemCount, 0, IndexTables::kMaxSlots);
  std::vector<IndexSlot> filled(static_cast<std::size_t>(count));
  for (int n = 1; n <= count; ++n)
    filled[static_cast<std::size_t>(n - 1)] = {index.IndexItem[n].ItemCode, index.IndexItemStandard[n] == 1};
  std::vector<IndexSlotRow> rows = LayoutIndexRows(filled, delivery_.DigiVersion, settings_.InputLevel);
  for (int n = 1; n <= IndexTables::kMaxSlots; ++n) {
    index.IndexItem[n].ItemNo = 0;
    index.IndexItem[n].MaxBytes = 0;
  }
  for (int n = 1; n <= count && n <= static_cast<int>(rows.size()); ++n) {
    index.IndexItem[n].ItemNo = static_cast<std::int16_t>(rows[static_cast<std::size_t>(n - 1)].item_no);
    index.IndexItem[n].MaxBytes = static_cast<std::int16_t>(rows[static_cast<std::size_t>(n - 1)].max_bytes);
  }
}

void InfoPanel::ResetGrid(ItemGrid* grid, int rows) {
  grid->SetRowCount(rows + 1);
  grid->ClearRows();
  // The names column carries "(内  容)", the values column "(項  目)".
  grid->SetCell(1, 0, QStringLiteral("(内  容)"));
  grid->SetCell(2, 0, QStringLiteral("(項  目)"));
  if (grid == KoumokuGrid_Koji) grid->SetCell(0, 0, QStringLiteral("  "));
}

void InfoPanel::BuildRows(ItemGrid* grid, InfoGrid kind) {
  const std::vector<ItemRule>& items = layout_.Rows(kind);
  const int rows = std::min(static_cast<int>(items.size()), ItemGrid::kMaxItemRows);
  ResetGrid(grid, rows);
  for (int row = 1; row <= rows; ++row) {
    const ItemRule& rule = items[static_cast<std::size_t>(row - 1)];
    RowDrawParams& params = grid->MutableRowParams(row);
    params.rule = rule;
    if (std::optional<Rgb> c = MarkRowColour(rule.mark)) params.colour = QColor(c->r, c->g, c->b);
    grid->SetCell(0, row, Qs(MarkText(rule.mark)));
    grid->SetCell(1, row, Qs(rule.name));
    if (rule.multi_line) grid->SetRowHeight(row, ItemGrid::kMultiLineRowHeight);
  }
  grid->SetRow(1);
}

void InfoPanel::BuildKojiGrid() { BuildRows(KoumokuGrid_Koji, InfoGrid::kKoji); }
void InfoPanel::BuildPhotoGrid() { BuildRows(KoumokuGrid_Photo, InfoGrid::kPhoto); }
void InfoPanel::BuildSankoGrid() { BuildRows(KoumokuGrid_Sanko, InfoGrid::kSanko); }
void InfoPanel::BuildKojiIndexGrid() { BuildIndexRows(); }
void InfoPanel::BuildServicesIndexGrid() { BuildIndexRows(); }
void InfoPanel::FillKojiIndexGrid() { FillIndexRows(); }
void InfoPanel::FillServicesIndexGrid() { FillIndexRows(); }

void InfoPanel::BuildIndexRows() {
  // The code table follows DigiVersion, so one builder serves both indexes.
  ItemGrid* grid = KoumokuGrid_Koji;
  const IndexTables& index = delivery_.Index;
  // A grid holds at most 78 item rows; the slots beyond are not shown.
  const int rows = std::clamp(index.IndexItemCount, 0, ItemGrid::kMaxItemRows);
  ResetGrid(grid, rows);
  for (int n = 1; n <= rows; ++n) {
    std::optional<ItemRule> rule = FindIndexItemRule(index.IndexItem[n].ItemCode, delivery_.DigiVersion);
    RowDrawParams& params = grid->MutableRowParams(n);
    if (rule) params.rule = *rule;
    params.rule.mark = Mark::kInformation;
    grid->SetCell(0, n, Qs(MarkText(Mark::kInformation)));
    grid->SetCell(1, n, Qs(params.rule.name));
    // The reserve row is multi-line but keeps the normal height.
  }
  grid->SetRow(1);
}

void InfoPanel::FillIndexRows() {
  ItemGrid* grid = KoumokuGrid_Koji;
  const IndexTables& index = delivery_.Index;
  const bool construction = IsConstructionIndexVersion(delivery_.DigiVersion);
  const int rows = std::min(std::clamp(index.IndexItemCount, 0, ItemGrid::kMaxItemRows), grid->RowCount() - 1);
  for (int n = 1; n <= rows; ++n) {
    if (index.IndexItem[n].ItemNo == 0) continue;
    const std::string& value = index.IndexItemValue[static_cast<std::size_t>(n)];
    const CodedItem* coded = IndexCodedItem(index.IndexItem[n].ItemCode, construction, delivery_.DigiVersion);
    grid->SetCell(2, n, Qs(coded ? CodedText(value, *coded) : value));
  }
}

void InfoPanel::PutItem(ItemGrid* grid, InfoGrid kind, int code, const std::string& value, ItemCheck check,
                        int version) {
  const int row = layout_.RowOf(kind, code);
  if (row <= 0 || row >= grid->RowCount()) return;
  grid->SetFaults(row, check(code, value, version, settings_.KeikokuRed));
  grid->SetCell(2, row, Qs(value));
}

void InfoPanel::FillKojiGrid() {
  for (int code = 6; code <= 22; ++code)
    PutItem(KoumokuGrid_Koji, InfoGrid::kKoji, code, ContractItemValue(delivery_.PhotoContractInfo, code), CheckKojiItem,
            delivery_.DigiVersion);
}

// ---- photo and drawing values ------------------------------------------------

bool InfoPanel::FillPhotoGrid(int record) {
  return FillFromRecord(delivery_, record, [this](const TViewDataSet& table) {
    const PhotoFieldPositions& f = table.FieldPos;
    auto number = [&table](int pos) { return pos < 0 ? 0 : table.AsInteger(pos); };
    const int v = RuleSetOf(delivery_.DigiVersion);
    const std::string flag = std::to_string(number(f.FLAG));
    const int film = number(f.FILMNUM);
    auto put = [&](int code, const std::string& value) {
      PutItem(KoumokuGrid_Photo, InfoGrid::kPhoto, code, value, CheckPhotoItem, v);
    };
    put(1, CodedText(flag, PhotoFlagItem()));
    for (int code = 2; code <= 17; ++code)
      if (PhotoTextField(code) != nullptr) put(code, RecordText(table, PhotoTextField(code)));
    put(9, film == 0 ? std::string() : std::to_string(film));
    if (InVersions(v, {2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13})) put(18, CodedText(flag, RepresentativeItem()));
    if (InVersions(v, {3, 4, 6, 7, 9})) put(20, CodedText(std::to_string(film), SubmissionItem()));
  });
}

bool InfoPanel::FillSankoGrid(int record) {
  return FillFromRecord(delivery_, record, [this](const TViewDataSet& table) {
    for (int code = 1; code <= 3; ++code)
      PutItem(KoumokuGrid_Sanko, InfoGrid::kSanko, code, RecordText(table, DrawingTextField(code)), CheckSankoItem,
              delivery_.DigiVersion);
  });
}

QString InfoPanel::ImageFormatText(const std::string& file) {
  // By name only: the status line must not open the file.
  switch (GetImageFileKind(std::filesystem::path(Cp932ToUtf8(file)), true)) {
    case kKindTiff:
      return QStringLiteral("TIFF形式");
    case kKindMetafile:
      return QStringLiteral("WMF形式");
    case kKindSvg:
      return QStringLiteral("SVG形式");
    default:
      return QStringLiteral("JPEG形式");
  }
}

QString InfoPanel::CurrentRecordFormat() {
  const TViewDataSet& table = delivery_.PhotoTable;
  try {
    return ImageFormatText(table.FieldPos.FILENAME < 0 ? std::string() : table.AsString(table.FieldPos.FILENAME));
  } catch (const EBinaryDataSetError&) {
    return ImageFormatText(std::string());
  }
}

}  // namespace zor
