#include "import/photo_elements.h"

#include <vector>

#include "store/contract_block.h"
#include "text/encoding.h"

namespace zor {
namespace {

using F = PhotoFieldPositions;
using T = PhotoTarget;
using C = ContractText;

// Which layouts a row belongs to.
enum : unsigned { kNow = 1, k02 = 2, k99 = 4, kAll = kNow | k02 | k99 };

// One element: the section of the document element it is in, the group
// within that section in the current and the 2002 layout ("" directly in
// the section; the 1999 layout has no groups), its name, its layouts, and
// what it fills.
struct Row {
  const char* section;
  const char* group;
  const char* name;
  unsigned layouts;
  T target;
  int F::*field = nullptr;
  int index = 0;
};

constexpr int Of(C text) { return static_cast<int>(text); }

const char* const kBasic = "基礎情報";
const char* const kContract = "工事情報";
const char* const kPhoto = "写真情報";

// clang-format off
const Row kRows[] = {
    {kBasic, "", "写真フォルダ名", kAll, T::kPhotoFolder},
    {kBasic, "", "参考図フォルダ名", kAll, T::kDrawingFolder},
    {kBasic, "", "適用要領基準", kNow, T::kStandard},
    {kBasic, "", "媒体情報予備", k02 | k99, T::kContract, nullptr, Of(C::MediaReserve)},

    {kContract, "工事件名等", "発注年度", k02 | k99, T::kOrderYear},
    {kContract, "工事件名等", "工事番号", k02 | k99, T::kContract, nullptr, Of(C::WorkNumber)},
    {kContract, "工事件名等", "案件番号", k02, T::kContract, nullptr, Of(C::WorkNumber)},
    {kContract, "", "河川路線名等", k99, T::kContract, nullptr, Of(C::RiverRouteName)},
    {kContract, "工事件名等", "河川-路線名等", k02, T::kContract, nullptr, Of(C::RiverRouteName)},
    {kContract, "工事件名等", "路線水系名等", k02, T::kContract, nullptr, Of(C::RiverRouteName)},
    {kContract, "工事件名等", "工事名称", k02 | k99, T::kContract, nullptr, Of(C::ConstructionName)},
    {kContract, "工事件名等", "工事箇所", k02 | k99, T::kContract, nullptr, Of(C::ConstructionPlace)},
    {kContract, "工事件名等", "工期開始日", k02 | k99, T::kContract, nullptr, Of(C::PeriodStart)},
    {kContract, "工事件名等", "工期終了日", k02 | k99, T::kContract, nullptr, Of(C::PeriodEnd)},
    {kContract, "発注者情報", "発注者-大分類", k02 | k99, T::kContract, nullptr, Of(C::ClientMajor)},
    {kContract, "発注者情報", "発注者-中分類", k02 | k99, T::kContract, nullptr, Of(C::ClientMiddle)},
    {kContract, "発注者情報", "発注者-小分類", k02 | k99, T::kContract, nullptr, Of(C::ClientMinor)},
    {kContract, "発注者情報", "発注者コード", k02 | k99, T::kContract, nullptr, Of(C::ClientCode)},
    {kContract, "請負者情報", "請負者名", k02 | k99, T::kContract, nullptr, Of(C::ContractorName)},
    {kContract, "請負者情報", "請負者コード", k02 | k99, T::kContract, nullptr, Of(C::ContractorCode)},
    {kContract, "", "発注者備考", k99, T::kContract, nullptr, Of(C::ClientNote)},
    {kContract, "", "請負者備考", k02 | k99, T::kContract, nullptr, Of(C::ContractorNote)},

    {kPhoto, "写真ファイル情報", "シリアル番号", kNow, T::kSerial},
    {kPhoto, "写真ファイル情報", "写真ファイル名", kAll, T::kFileName},
    {kPhoto, "写真ファイル情報", "写真ファイル日本語名", kNow | k02, T::kText, &F::JFILENAME},
    {kPhoto, "写真ファイル情報", "メディア番号", kAll, T::kMedium},
    {kPhoto, "", "写真整理フラグ", k99, T::kNumber, &F::FLAG},
    {kPhoto, "写真ファイル情報", "写真ファイル情報予備", k02 | k99, T::kText, &F::YOBI_FJ},
    {kPhoto, "撮影工種区分", "写真-大分類", kAll, T::kClass, nullptr, 0},
    {kPhoto, "撮影工種区分", "写真区分", kAll, T::kClass, nullptr, 1},
    {kPhoto, "撮影工種区分", "工種", kAll, T::kClass, nullptr, 2},
    {kPhoto, "撮影工種区分", "種別", kAll, T::kClass, nullptr, 3},
    {kPhoto, "撮影工種区分", "細別", kAll, T::kClass, nullptr, 4},
    {kPhoto, "撮影工種区分", "写真タイトル", kAll, T::kText, &F::TITLE},
    {kPhoto, "撮影工種区分", "工種区分予備", kNow | k02, T::kReserve, nullptr, kWorkTypeReserve},
    {kPhoto, "", "工種区分予備1", k99, T::kReserve, nullptr, kWorkTypeReserve},
    {kPhoto, "", "工種区分予備2", k99, T::kReserve, nullptr, kWorkTypeReserve},
    {kPhoto, "", "工種区分予備3", k99, T::kReserve, nullptr, kWorkTypeReserve},
    {kPhoto, "", "付加情報", kNow | k02, T::kDrawing},
    {kPhoto, "付加情報", "参考図ファイル名", kNow | k02, T::kDrawingFile},
    {kPhoto, "付加情報", "参考図ファイル日本語名", kNow | k02, T::kDrawingJapaneseName},
    {kPhoto, "付加情報", "参考図タイトル", kNow | k02, T::kDrawingTitle},
    {kPhoto, "付加情報", "付加情報予備", kNow | k02, T::kDrawingReserve},
    {kPhoto, "", "参考図1", k99, T::kDrawingName, nullptr, 0},
    {kPhoto, "", "参考図2", k99, T::kDrawingName, nullptr, 1},
    {kPhoto, "", "参考図3", k99, T::kDrawingName, nullptr, 2},
    {kPhoto, "", "付加情報予備", k99, T::kText, &F::YOBI_FU},
    {kPhoto, "撮影情報", "撮影箇所", kAll, T::kText, &F::KASYO},
    {kPhoto, "撮影情報", "撮影年月日", kNow | k02, T::kText, &F::DATE},
    {kPhoto, "", "撮影年月日", k99, T::kEightDigitDate},
    {kPhoto, "", "フィルム番号", k99, T::kNumber, &F::FILMNUM},
    {kPhoto, "", "コマ番号", k99, T::kText, &F::NEGANUM},
    {kPhoto, "撮影情報", "撮影情報予備", k02 | k99, T::kReserve, nullptr, kShootingReserve},
    {kPhoto, "", "代表写真", kNow, T::kNumber, &F::FLAG},
    {kPhoto, "", "提出頻度写真", kNow, T::kNumber, &F::FILMNUM},
    {kPhoto, "", "施工管理値", kNow | k99, T::kText, &F::KANRI},
    {kPhoto, "施工管理値情報", "施工管理値", k02, T::kText, &F::KANRI},
    {kPhoto, "施工管理値情報", "施工管理値予備", k02 | k99, T::kReserve, nullptr, kControlReserve},
    {kPhoto, "", "状況説明予備", k02 | k99, T::kText, &F::YOBI_JK},
    {kPhoto, "", "請負者説明文", kNow | k99, T::kText, &F::UKEOIBIKOU},
    {kPhoto, "その他", "請負者説明文", k02, T::kText, &F::UKEOIBIKOU},
    {kPhoto, "", "発注者説明文", k99, T::kText, &F::HACYUBIKOU},
    {kPhoto, "その他", "写真情報予備", k02, T::kReserve, nullptr, kPhotoReserveText},
    {kPhoto, "", "写真情報予備1", k99, T::kReserve, nullptr, kPhotoReserveText},
    {kPhoto, "", "写真情報予備2", k99, T::kReserve, nullptr, kPhotoReserveText},
    {kPhoto, "", "写真情報予備3", k99, T::kReserve, nullptr, kPhotoReserveText},
};
// clang-format on

std::vector<PhotoElement> Select(unsigned layout) {
  std::vector<PhotoElement> elements;
  for (const Row& r : kRows) {
    if ((r.layouts & layout) == 0) continue;
    std::string path = std::string(r.section) + "/";
    if (layout != k99 && *r.group != '\0') path += std::string(r.group) + "/";
    elements.push_back({Sj(path + r.name), r.target, r.field, r.index});
  }
  return elements;
}

}  // namespace

std::span<const PhotoElement> PhotoElementsOf(PhotoLayout layout) {
  static const std::vector<PhotoElement> current = Select(kNow);
  static const std::vector<PhotoElement> of2002 = Select(k02);
  static const std::vector<PhotoElement> of1999 = Select(k99);
  switch (layout) {
    case PhotoLayout::k2002:
      return of2002;
    case PhotoLayout::k1999:
      return of1999;
    default:
      return current;
  }
}

}  // namespace zor
