// PHOTO.XML of the current layout (PHOTO03.DTD, PHOTO04.DTD and later).
#include <optional>

#include "import/photo_reader.h"
#include "import/readers.h"
#include "store/standards.h"
#include "text/encoding.h"

namespace zor {
namespace {

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
  std::span<const PhotoElement> Elements() const override { return PhotoElementsOf(PhotoLayout::kCurrent); }

  void ApplyStandard(const std::string& value) override {
    // The first value decides.
    if (standardRead_) return;
    standard_ = StandardOf(value);
    guideline_ = value;
    standardRead_ = true;
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
