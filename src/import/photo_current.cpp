// PHOTO.XML of the current layout (PHOTO03.DTD, PHOTO04.DTD and later).
#include <optional>

#include "import/photo_reader.h"
#include "import/readers.h"
#include "store/standards.h"
#include "text/encoding.h"
#include "text/lenient.h"

namespace zor {
namespace {

using namespace photo_names;

enum Name {
  kBasicInfo,
  kPhotoFolder,
  kDrawingFolder,
  kStandard,
  kPhoto,
  kSerial,
  kRepresentative,
  kFrequency,
};

const ElementNames& CurrentNames() {
  static const ElementNames names{
      {kBasicInfo, "基礎情報"},
      {kPhotoFolder, "写真フォルダ名"},
      {kDrawingFolder, "参考図フォルダ名"},
      {kStandard, "適用要領基準"},
      {kPhoto, "写真情報"},
      {kFileInfo, "写真ファイル情報"},
      {kSerial, "シリアル番号"},
      {kFileName, "写真ファイル名"},
      {kJapaneseName, "写真ファイル日本語名"},
      {kMedium, "メディア番号"},
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
      {kRepresentative, "代表写真"},
      {kFrequency, "提出頻度写真"},
      {kControlValue, "施工管理値"},
      {kContractorNote, "請負者説明文"},
  };
  return names;
}

// The applicable standard named by 適用要領基準, tested in this order.
int StandardOf(const std::string& value) {
  static const struct {
    std::string text;
    int standard;
  } kTests[] = {
      {Sj("農村振興土木200504-01"), 11},
      {Sj("土木200406-01"), 2},
      {Sj("土木200805-01"), 6},
      {Sj("土木201009-01"), 7},
  };
  for (const auto& t : kTests)
    if (value.find(t.text) != std::string::npos) return t.standard;
  // A photo file does not say whether it belongs to construction or
  // services; the later guidelines' values count as construction.
  if (std::optional<int> later = LaterStandardOf(value, GuidelineSource::kPhotoFile)) return *later;
  return 5;
}

class CurrentReader : public PhotoFileReader {
 public:
  CurrentReader(ImportContext& ctx, const std::string& file, bool indexRead, const std::string& workName)
      : PhotoFileReader(ctx, file, workName), indexRead_(indexRead) {}

 protected:
  const ElementNames& Names() const override { return CurrentNames(); }
  int PhotoSectionId() const override { return kPhoto; }
  int MediumId() const override { return kMedium; }

  void ApplyNode(const XmlNode& node, const ElementPath& path) override {
    const int level = node.Level;
    const std::string& value = NodeValue(node);
    if (level >= 2 && path[1] == kBasicInfo) {
      switch (path[2]) {
        case kPhotoFolder:
          photoFolder_ = FolderFrom(root_, value, node.Utf8Value);
          break;
        case kDrawingFolder:
          drawingFolder_ = FolderFrom(root_, value, node.Utf8Value);
          break;
        case kStandard:
          // The first value decides.
          if (!standardRead_) {
            standard_ = StandardOf(value);
            guideline_ = value;
            standardRead_ = true;
          }
          break;
        default:
          break;
      }
      return;
    }
    if (path[1] != kPhoto) return;
    if (level == 2) {
      switch (path[2]) {
        case kDrawing:
          drawings_.emplace_back();
          break;
        case kRepresentative:
          SetInteger(Field().FLAG, value);
          break;
        case kFrequency:
          SetInteger(Field().FILMNUM, value);
          break;
        case kControlValue:
          SetText(Field().KANRI, value);
          break;
        case kContractorNote:
          SetText(Field().UKEOIBIKOU, value);
          break;
        default:
          break;
      }
      return;
    }
    if (level == 3 && path[2] == kFileInfo && path[3] == kSerial) serial_ = value;
    if (level == 3) ApplyPhotoSectionNode(path, node);
  }

  bool FixedPictureNames() const override { return true; }

  void FillPhotoRecord() override { Table().SetAsString(Field().YOBI_KK, workTypeReserve_); }

  void FinishLoad() override {
    Delivery& d = ctx_.delivery;
    if (!indexRead_) {
      d.PreviousIndexLoaded = d.IndexLoaded;
      d.IndexLoaded = false;
      ctx_.host.LayOutInformationPanel();
      const bool renamed = StandardName(d.DigiVersion, d.Guideline) != StandardName(standard_, guideline_);
      d.Guideline = guideline_;
      if (d.DigiVersion == standard_ && !d.PreviousIndexLoaded && !renamed) {
        ctx_.host.RefillContractGrid();
      } else {
        d.DigiVersion = standard_;
        ctx_.host.RefreshAll();
      }
    } else {
      // The index read just before set the standard; it stays.
      ctx_.host.LayOutInformationPanel();
    }
  }

 private:
  const bool indexRead_;
  bool standardRead_ = false;
  std::string guideline_;
};

}  // namespace

bool ReadPhotoCurrent(ImportContext& ctx, const std::string& photoFile, bool indexRead, const std::string& workName) {
  CurrentReader reader(ctx, photoFile, indexRead, workName);
  return reader.Read();
}

}  // namespace zor
