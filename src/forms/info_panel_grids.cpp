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
#include "store/bindata_error.h"
#include "store/delivery.h"
#include "store/index_codes.h"
#include "text/encoding.h"

namespace zor {
namespace {

// The contract block's text of a construction item code 6-21; 発注年度 (7)
// is a number, empty when 0.
std::string ContractValue(const PhotoContractBlock& block, int code) {
  switch (code) {
    case 6:
      return block.Text(ContractText::MediaReserve);
    case 7:
      return block.OrderYear() == 0 ? std::string() : std::to_string(block.OrderYear());
    case 8:
      return block.Text(ContractText::WorkNumber);
    case 9:
      return block.Text(ContractText::RiverRouteName);
    case 10:
      return block.Text(ContractText::ConstructionName);
    case 11:
      return block.Text(ContractText::ConstructionPlace);
    case 12:
      return block.Text(ContractText::PeriodStart);
    case 13:
      return block.Text(ContractText::PeriodEnd);
    case 14:
      return block.Text(ContractText::ClientMajor);
    case 15:
      return block.Text(ContractText::ClientMiddle);
    case 16:
      return block.Text(ContractText::ClientMinor);
    case 17:
      return block.Text(ContractText::ClientCode);
    case 18:
      return block.Text(ContractText::ContractorName);
    case 19:
      return block.Text(ContractText::ContractorCode);
    case 20:
      return block.Text(ContractText::ClientNote);
    case 21:
      return block.Text(ContractText::ContractorNote);
    case 22:
      return block.ReserveText();
    default:
      return {};
  }
}

bool InVersions(int v, std::initializer_list<int> set) { return std::find(set.begin(), set.end(), v) != set.end(); }

// A field's text; empty for a field the layout does not have.
std::string FieldText(const TViewDataSet& table, int pos) { return pos < 0 ? std::string() : table.AsString(pos); }

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
    PutItem(KoumokuGrid_Koji, InfoGrid::kKoji, code, ContractValue(delivery_.PhotoContractInfo, code), CheckKojiItem,
            delivery_.DigiVersion);
}

// ---- photo and drawing values ------------------------------------------------

bool InfoPanel::FillPhotoGrid(int record) {
  return FillFromRecord(delivery_, record, [this](const TViewDataSet& table) {
    const PhotoFieldPositions& f = table.FieldPos;
    auto text = [&table](int pos) { return FieldText(table, pos); };
    auto number = [&table](int pos) { return pos < 0 ? 0 : table.AsInteger(pos); };
    const int v = RuleSetOf(delivery_.DigiVersion);
    const std::string flag = std::to_string(number(f.FLAG));
    const int film = number(f.FILMNUM);
    auto put = [&](int code, const std::string& value) {
      PutItem(KoumokuGrid_Photo, InfoGrid::kPhoto, code, value, CheckPhotoItem, v);
    };
    put(1, CodedText(flag, PhotoFlagItem()));
    put(2, text(f.JFILENAME));
    put(3, text(f.YOBI_FJ));
    put(4, text(f.TITLE));
    put(5, text(f.YOBI_KK));
    put(6, text(f.KASYO));
    put(7, text(f.YOBI_FU));
    put(8, text(f.DATE));
    put(9, film == 0 ? std::string() : std::to_string(film));
    put(10, text(f.NEGANUM));
    put(11, text(f.YOBI_SJ));
    if (InVersions(v, {2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13})) put(18, CodedText(flag, RepresentativeItem()));
    if (InVersions(v, {3, 4, 6, 7, 9})) put(20, CodedText(std::to_string(film), SubmissionItem()));
    put(12, text(f.KANRI));
    put(13, text(f.YOBI_SK));
    put(14, text(f.YOBI_JK));
    put(15, text(f.UKEOIBIKOU));
    put(16, text(f.HACYUBIKOU));
    put(17, text(f.YOBI_SO));
  });
}

bool InfoPanel::FillSankoGrid(int record) {
  return FillFromRecord(delivery_, record, [this](const TViewDataSet& table) {
    const PhotoFieldPositions& f = table.FieldPos;
    const std::pair<int, std::string> values[] = {
        {1, FieldText(table, f.JFILENAME)}, {2, FieldText(table, f.TITLE)}, {3, FieldText(table, f.YOBI_FJ)}};
    for (const auto& [code, value] : values)
      PutItem(KoumokuGrid_Sanko, InfoGrid::kSanko, code, value, CheckSankoItem, delivery_.DigiVersion);
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
