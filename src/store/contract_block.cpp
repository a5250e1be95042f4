#include "store/contract_block.h"

#include "text/encoding.h"
#include "text/lenient.h"
#include "text/sjis.h"

namespace zor {

const std::vector<ContractTextInfo>& ContractTexts() {
  static const std::vector<ContractTextInfo> infos = [] {
    struct Row {
      ContractText field;
      int width;
      std::vector<const char*> elements;
    };
    using enum ContractText;
    const Row rows[] = {
        {Blank1, 20, {}},
        {Blank2, 50, {}},
        {Blank3, 50, {}},
        {Blank4, 20, {}},
        {MediaReserve, 128, {"媒体情報予備"}},
        {WorkNumber, 128, {"工事番号", "案件番号"}},
        {RiverRouteName, 255, {"河川路線名等", "河川-路線名等", "路線水系名等"}},
        {ConstructionName, 255, {"工事名称"}},
        {ConstructionPlace, 128, {"工事箇所"}},
        {PeriodStart, 10, {"工期開始日"}},
        {PeriodEnd, 10, {"工期終了日"}},
        {ClientMajor, 32, {"発注者-大分類"}},
        {ClientMiddle, 64, {"発注者-中分類"}},
        {ClientMinor, 60, {"発注者-小分類"}},
        {ClientCode, 8, {"発注者コード"}},
        {ContractorName, 255, {"請負者名"}},
        {ContractorCode, 127, {"請負者コード"}},
        {ClientNote, 255, {"発注者備考"}},
        {ContractorNote, 255, {"請負者備考"}},
    };
    std::vector<ContractTextInfo> out;
    for (const Row& r : rows) {
      ContractTextInfo info{r.field, r.width, {}};
      for (const char* e : r.elements) info.elements.push_back(Sj(e));
      out.push_back(std::move(info));
    }
    return out;
  }();
  return infos;
}

void PhotoContractBlock::Clear() {
  texts_.fill(std::string());
  orderYear_ = 0;
  reserve_.fill(std::string());
}

const std::string& PhotoContractBlock::Text(ContractText field) const {
  return texts_[static_cast<std::size_t>(field)];
}

void PhotoContractBlock::SetText(ContractText field, std::string_view value) {
  auto i = static_cast<std::size_t>(field);
  texts_[i] = CutToBytes(value, static_cast<std::size_t>(ContractTexts()[i].width));
}

void PhotoContractBlock::SetOrderYear(std::string_view value) {
  std::int32_t n = LenientInteger(value);
  orderYear_ = n < -32768 || n > 32767 ? 0 : static_cast<std::int16_t>(n);
}

const std::string& PhotoContractBlock::Reserve(int index) const {
  static const std::string kEmpty;
  if (index < 0 || index >= kReserveCount) return kEmpty;
  return reserve_[static_cast<std::size_t>(index)];
}

void PhotoContractBlock::SetReserve(int index, std::string_view value) {
  if (index < 0 || index >= kReserveCount) return;
  reserve_[static_cast<std::size_t>(index)] = CutToBytes(value, kReserveWidth);
}

std::string PhotoContractBlock::ReserveText() const {
  std::string text;
  for (const std::string& r : reserve_) {
    if (r.empty()) continue;
    if (!text.empty()) text += "\r\n";
    text += r;
  }
  return text;
}

}  // namespace zor
