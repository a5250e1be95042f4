#include "import/earlier_layouts.h"

namespace zor {

void EarlierLayoutReader::FillReserves() {
  Table().SetAsString(Field().YOBI_KK, workTypeReserve_);
  Table().SetAsString(Field().YOBI_SJ, shootingReserve_);
  Table().SetAsString(Field().YOBI_SK, controlReserve_);
  Table().SetAsString(Field().YOBI_SO, photoReserve_);
}

void EarlierLayoutReader::FinishLoad() {
  Delivery& d = ctx_.delivery;
  d.PreviousIndexLoaded = d.IndexLoaded;
  d.IndexLoaded = false;
  if (d.PreviousIndexLoaded != d.IndexLoaded) ctx_.host.LayOutInformationPanel();
  // These layouts name no guideline; their standard is fixed.
  d.Guideline.clear();
  if (d.DigiVersion != fixedStandard_) {
    d.DigiVersion = fixedStandard_;
    ctx_.host.RefreshAll();
  } else {
    ctx_.host.RefillContractGrid();
  }
}

}  // namespace zor
