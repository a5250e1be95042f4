// PhotoContractInfo: the contract section (工事情報) and the medium reserve of
// the earlier photo-file layouts, as texts of fixed byte widths; a longer
// value is cut to the width without splitting a double-byte character.
// Cleared at the start of every photo-file load.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zor {

// The text fields in the order the information panel shows them; 発注年度, a
// number, stands between MediaReserve and WorkNumber.
enum class ContractText {
  Blank1,             // 20 bytes, never filled (shown empty)
  Blank2,             // 50, never filled
  Blank3,             // 50, never filled
  Blank4,             // 20, never filled
  MediaReserve,       // 媒体情報予備, 128
  WorkNumber,         // 工事番号, 128
  RiverRouteName,     // 河川路線名等, 255
  ConstructionName,   // 工事名称, 255
  ConstructionPlace,  // 工事箇所, 128
  PeriodStart,        // 工期開始日, 10
  PeriodEnd,          // 工期終了日, 10
  ClientMajor,        // 発注者-大分類, 32
  ClientMiddle,       // 発注者-中分類, 64
  ClientMinor,        // 発注者-小分類, 60
  ClientCode,         // 発注者コード, 8
  ContractorName,     // 請負者名, 255
  ContractorCode,     // 請負者コード, 127
  ClientNote,         // 発注者備考, 255
  ContractorNote,     // 請負者備考, 255
};
inline constexpr int kContractTextCount = 19;

struct ContractTextInfo {
  ContractText field;
  int width;                          // bytes
  std::vector<std::string> elements;  // the elements that fill it (code page 932); empty for the blanks
};

// One entry per ContractText, in enum order.
const std::vector<ContractTextInfo>& ContractTexts();

class PhotoContractBlock {
 public:
  static constexpr int kReserveCount = 50;  // 工事情報予備
  static constexpr int kReserveWidth = 255;

  void Clear();

  const std::string& Text(ContractText field) const;
  void SetText(ContractText field, std::string_view value);

  // 発注年度: a 16-bit number, 0 when the text has no leading number or the
  // number lies outside -32768 .. 32767.
  std::int16_t OrderYear() const { return orderYear_; }
  void SetOrderYear(std::string_view value);

  // 工事情報予備 entries 0 .. 49; an index outside that is ignored.
  const std::string& Reserve(int index) const;
  void SetReserve(int index, std::string_view value);
  // The non-empty reserve entries in order, joined with CR LF.
  std::string ReserveText() const;

 private:
  std::array<std::string, kContractTextCount> texts_;
  std::int16_t orderYear_ = 0;
  std::array<std::string, kReserveCount> reserve_;
};

}  // namespace zor
