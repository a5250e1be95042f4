// What the 2002 and 1999 layouts add to the photo file reader: the reserve
// texts of the shooting data, the control value and the photo, the contract
// block, and their own finishing steps.
#pragma once

#include <string>

#include "import/photo_reader.h"

namespace zor {

class EarlierLayoutReader : public PhotoFileReader {
 public:
  EarlierLayoutReader(ImportContext& ctx, const std::string& file, const std::string& workName, int standard)
      : PhotoFileReader(ctx, file, workName), fixedStandard_(standard) {}

 protected:
  PhotoContractBlock& Contract() { return ctx_.delivery.PhotoContractInfo; }
  // YOBI_KK, YOBI_SJ, YOBI_SK and YOBI_SO of the photo record.
  void FillReserves();
  void FinishLoad() override;

 private:
  const int fixedStandard_;
};

}  // namespace zor
