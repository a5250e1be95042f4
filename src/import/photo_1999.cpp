// PHOTO.XML of the 1999 layout (PHOTO.DTD): flat sections, every element a
// direct child of its section; up to three drawings named in the photo
// section itself.
#include "import/earlier_layouts.h"
#include "import/readers.h"
#include "text/lenient.h"
#include "text/sjis.h"

namespace zor {
namespace {

enum Name {
  kBasicInfo,
  kPhotoFolder,
  kDrawingFolder,
  kMediaReserve,
  kContract,
  kOrderYear,
  kWorkNumber,
  kRiverRoute,
  kWorkName,
  kWorkPlace,
  kPeriodStart,
  kPeriodEnd,
  kClientMajor,
  kClientMiddle,
  kClientMinor,
  kClientCode,
  kContractorName,
  kContractorCode,
  kClientRemark,
  kContractorRemark,
  kPhoto,
  kFileName,
  kMedium,
  kArrangeFlag,
  kFileReserve,
  kMajorClass,
  kPhotoClass,
  kWorkType,
  kKind,
  kDetail,
  kTitle,
  kWorkTypeReserve1,
  kWorkTypeReserve2,
  kWorkTypeReserve3,
  kDrawing1,
  kDrawing2,
  kDrawing3,
  kPlace,
  kAdditionalReserve,
  kDate,
  kFilmNumber,
  kFrameNumber,
  kShootingReserve,
  kControlValue,
  kControlReserve,
  kSituationReserve,
  kContractorNote,
  kClientNote,
  kPhotoReserve1,
  kPhotoReserve2,
  kPhotoReserve3,
};

const ElementNames& Names1999() {
  static const ElementNames names{
      {kBasicInfo, "基礎情報"},
      {kPhotoFolder, "写真フォルダ名"},
      {kDrawingFolder, "参考図フォルダ名"},
      {kMediaReserve, "媒体情報予備"},
      {kContract, "工事情報"},
      {kOrderYear, "発注年度"},
      {kWorkNumber, "工事番号"},
      {kRiverRoute, "河川路線名等"},
      {kWorkName, "工事名称"},
      {kWorkPlace, "工事箇所"},
      {kPeriodStart, "工期開始日"},
      {kPeriodEnd, "工期終了日"},
      {kClientMajor, "発注者-大分類"},
      {kClientMiddle, "発注者-中分類"},
      {kClientMinor, "発注者-小分類"},
      {kClientCode, "発注者コード"},
      {kContractorName, "請負者名"},
      {kContractorCode, "請負者コード"},
      {kClientRemark, "発注者備考"},
      {kContractorRemark, "請負者備考"},
      {kPhoto, "写真情報"},
      {kFileName, "写真ファイル名"},
      {kMedium, "メディア番号"},
      {kArrangeFlag, "写真整理フラグ"},
      {kFileReserve, "写真ファイル情報予備"},
      {kMajorClass, "写真-大分類"},
      {kPhotoClass, "写真区分"},
      {kWorkType, "工種"},
      {kKind, "種別"},
      {kDetail, "細別"},
      {kTitle, "写真タイトル"},
      {kWorkTypeReserve1, "工種区分予備1"},
      {kWorkTypeReserve2, "工種区分予備2"},
      {kWorkTypeReserve3, "工種区分予備3"},
      {kDrawing1, "参考図1"},
      {kDrawing2, "参考図2"},
      {kDrawing3, "参考図3"},
      {kPlace, "撮影箇所"},
      {kAdditionalReserve, "付加情報予備"},
      {kDate, "撮影年月日"},
      {kFilmNumber, "フィルム番号"},
      {kFrameNumber, "コマ番号"},
      {kShootingReserve, "撮影情報予備"},
      {kControlValue, "施工管理値"},
      {kControlReserve, "施工管理値予備"},
      {kSituationReserve, "状況説明予備"},
      {kContractorNote, "請負者説明文"},
      {kClientNote, "発注者説明文"},
      {kPhotoReserve1, "写真情報予備1"},
      {kPhotoReserve2, "写真情報予備2"},
      {kPhotoReserve3, "写真情報予備3"},
  };
  return names;
}

// The oldest layout writes dates as eight digits: 19990801 becomes
// 1999-08-01. Only the length is looked at, so 1999/8/1 becomes 1999-/8-/1;
// a value whose cuts would split a double-byte character is kept as it is.
std::string RewriteDate(const std::string& value) {
  if (value.size() != 8) return value;
  std::size_t pos = 0;
  while (pos < 6) pos += CharLengthAt(value, pos);
  if (pos != 6) return value;
  pos = 0;
  while (pos < 4) pos += CharLengthAt(value, pos);
  if (pos != 4) return value;
  return value.substr(0, 4) + "-" + value.substr(4, 2) + "-" + value.substr(6, 2);
}

class Reader1999 : public EarlierLayoutReader {
 public:
  Reader1999(ImportContext& ctx, const std::string& file, const std::string& workName)
      : EarlierLayoutReader(ctx, file, workName, 0) {}

 protected:
  const ElementNames& Names() const override { return Names1999(); }
  int PhotoSectionId() const override { return kPhoto; }
  int MediumId() const override { return kMedium; }

  void ApplyNode(const XmlNode& node, const ElementPath& path) override {
    if (node.Level != 2) return;
    const std::string& value = NodeValue(node);
    switch (path[1]) {
      case kBasicInfo:
        ApplyBasic(path[2], value);
        break;
      case kContract:
        ApplyContract(path[2], value);
        break;
      case kPhoto:
        ApplyPhoto(path[2], value);
        break;
      default:
        break;
    }
  }

  void FillPhotoRecord() override { FillReserves(); }

  void AddDrawings() override {
    for (const std::string& name : drawingNames_)
      if (!name.empty()) AppendDrawingRecord(name, nullptr);
  }

  void ClearSection() override {
    EarlierLayoutReader::ClearSection();
    for (std::string& name : drawingNames_) name.clear();
  }

 private:
  void ApplyBasic(int id, const std::string& value) {
    // The folders lie beside the photo file: there is no delivery root.
    switch (id) {
      case kPhotoFolder:
        photoFolder_ = FolderFrom(FolderOf(photoFile_), value);
        break;
      case kDrawingFolder:
        drawingFolder_ = FolderFrom(FolderOf(photoFile_), value);
        break;
      case kMediaReserve:
        Contract().SetText(ContractText::MediaReserve, value);
        break;
      default:
        break;
    }
  }

  void ApplyContract(int id, const std::string& value) {
    PhotoContractBlock& c = Contract();
    switch (id) {
      case kOrderYear:
        c.SetOrderYear(value);
        break;
      case kWorkNumber:
        c.SetText(ContractText::WorkNumber, value);
        break;
      case kRiverRoute:
        c.SetText(ContractText::RiverRouteName, value);
        break;
      case kWorkName:
        c.SetText(ContractText::ConstructionName, value);
        break;
      case kWorkPlace:
        c.SetText(ContractText::ConstructionPlace, value);
        break;
      case kPeriodStart:
        c.SetText(ContractText::PeriodStart, value);
        break;
      case kPeriodEnd:
        c.SetText(ContractText::PeriodEnd, value);
        break;
      case kClientMajor:
        c.SetText(ContractText::ClientMajor, value);
        break;
      case kClientMiddle:
        c.SetText(ContractText::ClientMiddle, value);
        break;
      case kClientMinor:
        c.SetText(ContractText::ClientMinor, value);
        break;
      case kClientCode:
        c.SetText(ContractText::ClientCode, value);
        break;
      case kContractorName:
        c.SetText(ContractText::ContractorName, value);
        break;
      case kContractorCode:
        c.SetText(ContractText::ContractorCode, value);
        break;
      case kClientRemark:
        c.SetText(ContractText::ClientNote, value);
        break;
      case kContractorRemark:
        c.SetText(ContractText::ContractorNote, value);
        break;
      default:
        break;
    }
  }

  void ApplyPhoto(int id, const std::string& value) {
    switch (id) {
      case kFileName:
        photoFileName_ = value;
        break;
      case kMedium:
        photoMedium_ = LenientInteger(value);
        break;
      case kArrangeFlag:
        SetInteger(Field().FLAG, value);
        break;
      case kFileReserve:
        SetText(Field().YOBI_FJ, value);
        break;
      case kMajorClass:
        classification_[0] = value;
        break;
      case kPhotoClass:
        classification_[1] = value;
        break;
      case kWorkType:
        classification_[2] = value;
        break;
      case kKind:
        classification_[3] = value;
        break;
      case kDetail:
        classification_[4] = value;
        break;
      case kTitle:
        SetText(Field().TITLE, value);
        break;
      case kWorkTypeReserve1:
      case kWorkTypeReserve2:
      case kWorkTypeReserve3:
        JoinReserve(workTypeReserve_, value);
        break;
      case kDrawing1:
        drawingNames_[0] = value;
        break;
      case kDrawing2:
        drawingNames_[1] = value;
        break;
      case kDrawing3:
        drawingNames_[2] = value;
        break;
      case kPlace:
        SetText(Field().KASYO, value);
        break;
      case kAdditionalReserve:
        SetText(Field().YOBI_FU, value);
        break;
      case kDate:
        SetText(Field().DATE, RewriteDate(value));
        break;
      case kFilmNumber:
        SetInteger(Field().FILMNUM, value);
        break;
      case kFrameNumber:
        SetText(Field().NEGANUM, value);
        break;
      case kShootingReserve:
        JoinReserve(shootingReserve_, value);
        break;
      case kControlValue:
        SetText(Field().KANRI, value);
        break;
      case kControlReserve:
        JoinReserve(controlReserve_, value);
        break;
      case kSituationReserve:
        SetText(Field().YOBI_JK, value);
        break;
      case kContractorNote:
        SetText(Field().UKEOIBIKOU, value);
        break;
      case kClientNote:
        SetText(Field().HACYUBIKOU, value);
        break;
      case kPhotoReserve1:
      case kPhotoReserve2:
      case kPhotoReserve3:
        JoinReserve(photoReserve_, value);
        break;
      default:
        break;
    }
  }

  std::string drawingNames_[3];
};

}  // namespace

bool ReadPhoto1999(ImportContext& ctx, const std::string& photoFile, const std::string& workName) {
  Reader1999 reader(ctx, photoFile, workName);
  return reader.Read();
}

}  // namespace zor
