// PHOTO.XML of the 2002 layout (PHOTO02.DTD, PHOTO02N.DTD): the photo
// sections of the current layout with more reserve elements, and the
// contract data in a section of its own.
#include "import/earlier_layouts.h"
#include "import/readers.h"
#include "text/lenient.h"

namespace zor {
namespace {

using namespace photo_names;

enum Name {
  kBasicInfo,
  kPhotoFolder,
  kDrawingFolder,
  kMediaReserve,
  kContract,
  kWorkTitle,
  kOrderYear,
  kWorkNumber,
  kCaseNumber,
  kRiverRoute,
  kRouteRiver,
  kWorkName,
  kWorkPlace,
  kPeriodStart,
  kPeriodEnd,
  kClient,
  kClientMajor,
  kClientMiddle,
  kClientMinor,
  kClientCode,
  kContractor,
  kContractorName,
  kContractorCode,
  kContractorRemark,
  kPhoto,
  kSituationReserve,
};

const ElementNames& Names2002() {
  static const ElementNames names{
      {kBasicInfo, "基礎情報"},
      {kPhotoFolder, "写真フォルダ名"},
      {kDrawingFolder, "参考図フォルダ名"},
      {kMediaReserve, "媒体情報予備"},
      {kContract, "工事情報"},
      {kWorkTitle, "工事件名等"},
      {kOrderYear, "発注年度"},
      {kWorkNumber, "工事番号"},
      {kCaseNumber, "案件番号"},
      {kRiverRoute, "河川-路線名等"},
      {kRouteRiver, "路線水系名等"},
      {kWorkName, "工事名称"},
      {kWorkPlace, "工事箇所"},
      {kPeriodStart, "工期開始日"},
      {kPeriodEnd, "工期終了日"},
      {kClient, "発注者情報"},
      {kClientMajor, "発注者-大分類"},
      {kClientMiddle, "発注者-中分類"},
      {kClientMinor, "発注者-小分類"},
      {kClientCode, "発注者コード"},
      {kContractor, "請負者情報"},
      {kContractorName, "請負者名"},
      {kContractorCode, "請負者コード"},
      {kContractorRemark, "請負者備考"},
      {kPhoto, "写真情報"},
      {kFileInfo, "写真ファイル情報"},
      {kFileName, "写真ファイル名"},
      {kJapaneseName, "写真ファイル日本語名"},
      {kMedium, "メディア番号"},
      {kFileReserve, "写真ファイル情報予備"},
      {kClassInfo, "撮影工種区分"},
      {kMajorClass, "写真-大分類"},
      {kPhotoClass, "写真区分"},
      {kWorkType, "工種"},
      {kKind, "種別"},
      {kDetail, "細別"},
      {kTitle, "写真タイトル"},
      {kWorkTypeReserve, "工種区分予備"},
      {kDrawing, "付加情報"},
      {kDrawingFile, "参考図ファイル名"},
      {kDrawingJapaneseName, "参考図ファイル日本語名"},
      {kDrawingTitle, "参考図タイトル"},
      {kDrawingReserve, "付加情報予備"},
      {kShooting, "撮影情報"},
      {kPlace, "撮影箇所"},
      {kDate, "撮影年月日"},
      {kShootingReserve, "撮影情報予備"},
      {kControlInfo, "施工管理値情報"},
      {kControlValue, "施工管理値"},
      {kControlReserve, "施工管理値予備"},
      {kSituationReserve, "状況説明予備"},
      {kOther, "その他"},
      {kContractorNote, "請負者説明文"},
      {kPhotoReserve, "写真情報予備"},
  };
  return names;
}

class Reader2002 : public EarlierLayoutReader {
 public:
  Reader2002(ImportContext& ctx, int standard, const std::string& file, const std::string& workName)
      : EarlierLayoutReader(ctx, file, workName, standard) {}

 protected:
  const ElementNames& Names() const override { return Names2002(); }
  int PhotoSectionId() const override { return kPhoto; }
  int MediumId() const override { return kMedium; }

  void ApplyNode(const XmlNode& node, const ElementPath& path) override {
    const int level = node.Level;
    const std::string& value = NodeValue(node);
    if (level < 2) return;
    switch (path[1]) {
      case kBasicInfo:
        ApplyBasic(path, value, node.Utf8Value);
        break;
      case kContract:
        ApplyContract(level, path, value);
        break;
      case kPhoto:
        ApplyPhoto(node, path);
        break;
      default:
        break;
    }
  }

  void FillPhotoRecord() override {
    Table().SetAsInteger(Field().FLAG, 0);
    FillReserves();
  }

 private:
  void ApplyBasic(const ElementPath& path, const std::string& value, const std::optional<std::string>& utf8) {
    switch (path[2]) {
      case kPhotoFolder:
        photoFolder_ = FolderFrom(root_, value, utf8);
        break;
      case kDrawingFolder:
        drawingFolder_ = FolderFrom(root_, value, utf8);
        break;
      case kMediaReserve:
        Contract().SetText(ContractText::MediaReserve, value);
        break;
      default:
        break;
    }
  }

  void ApplyContract(int level, const ElementPath& path, const std::string& value) {
    PhotoContractBlock& c = Contract();
    if (level == 2) {
      if (path[2] == kContractorRemark) c.SetText(ContractText::ContractorNote, value);
      return;
    }
    if (level != 3) return;
    switch (path[2]) {
      case kWorkTitle:
        switch (path[3]) {
          case kOrderYear:
            c.SetOrderYear(value);
            break;
          case kWorkNumber:
          case kCaseNumber:
            c.SetText(ContractText::WorkNumber, value);
            break;
          case kRiverRoute:
          case kRouteRiver:
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
          default:
            break;
        }
        break;
      case kClient:
        switch (path[3]) {
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
          default:
            break;
        }
        break;
      case kContractor:
        switch (path[3]) {
          case kContractorName:
            c.SetText(ContractText::ContractorName, value);
            break;
          case kContractorCode:
            c.SetText(ContractText::ContractorCode, value);
            break;
          default:
            break;
        }
        break;
      default:
        break;
    }
  }

  void ApplyPhoto(const XmlNode& node, const ElementPath& path) {
    const int level = node.Level;
    const std::string& value = NodeValue(node);
    if (level == 2) {
      switch (path[2]) {
        case kDrawing:
          drawings_.emplace_back();
          break;
        case kSituationReserve:
          SetText(Field().YOBI_JK, value);
          break;
        default:
          break;
      }
      return;
    }
    if (level == 3) ApplyPhotoSectionNode(path, node);
  }
};

}  // namespace

bool ReadPhoto2002(ImportContext& ctx, int standard, const std::string& photoFile, const std::string& workName) {
  Reader2002 reader(ctx, standard, photoFile, workName);
  return reader.Read();
}

}  // namespace zor
