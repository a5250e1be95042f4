#include "rules/item_values.h"

#include <utility>

namespace zor {

std::string ContractItemValue(const PhotoContractBlock& block, int code) {
  using enum ContractText;
  switch (code) {
    case 6:
      return block.Text(MediaReserve);
    case 7:
      return block.OrderYear() == 0 ? std::string() : std::to_string(block.OrderYear());
    case 8:
      return block.Text(WorkNumber);
    case 9:
      return block.Text(RiverRouteName);
    case 10:
      return block.Text(ConstructionName);
    case 11:
      return block.Text(ConstructionPlace);
    case 12:
      return block.Text(PeriodStart);
    case 13:
      return block.Text(PeriodEnd);
    case 14:
      return block.Text(ClientMajor);
    case 15:
      return block.Text(ClientMiddle);
    case 16:
      return block.Text(ClientMinor);
    case 17:
      return block.Text(ClientCode);
    case 18:
      return block.Text(ContractorName);
    case 19:
      return block.Text(ContractorCode);
    case 20:
      return block.Text(ClientNote);
    case 21:
      return block.Text(ContractorNote);
    case 22:
      return block.ReserveText();
    default:
      return {};
  }
}

int PhotoFieldPositions::*PhotoTextField(int code) {
  using P = PhotoFieldPositions;
  static constexpr std::pair<int, int P::*> kFields[] = {
      {2, &P::JFILENAME}, {3, &P::YOBI_FJ}, {4, &P::TITLE},     {5, &P::YOBI_KK},     {6, &P::KASYO},
      {7, &P::YOBI_FU},   {8, &P::DATE},    {10, &P::NEGANUM},  {11, &P::YOBI_SJ},    {12, &P::KANRI},
      {13, &P::YOBI_SK},  {14, &P::YOBI_JK}, {15, &P::UKEOIBIKOU}, {16, &P::HACYUBIKOU}, {17, &P::YOBI_SO},
  };
  for (const auto& [c, field] : kFields)
    if (c == code) return field;
  return nullptr;
}

int PhotoFieldPositions::*DrawingTextField(int code) {
  using P = PhotoFieldPositions;
  switch (code) {
    case 1:
      return &P::JFILENAME;
    case 2:
      return &P::TITLE;
    case 3:
      return &P::YOBI_FJ;
    default:
      return nullptr;
  }
}

std::string RecordText(const TViewDataSet& table, int PhotoFieldPositions::*field) {
  if (field == nullptr) return {};
  const int pos = table.FieldPos.*field;
  return pos < 0 ? std::string() : table.AsString(pos);
}

}  // namespace zor
