#include "store/basic_block.h"

#include "app/product.h"
#include "store/index_codes.h"
#include "text/encoding.h"

namespace zor {

void PhotoBasicBlock::Reset(int digiVersion) {
  DtdVersion = DtdVersionText(digiVersion);
  PhotoFolder = "PHOTO/PIC";
  DrawingFolder = "PHOTO/DRA";
  SoftwareName = Sj(kProductNameUtf8);
  SoftwareVersion = "3.10";
  MakerName = Sj("ミナロッサ開発チーム");
  MakerContact = "support@zorview.invalid";
  MakerTag.clear();
}

}  // namespace zor
