// PHOTO.XML of the 1999 layout (PHOTO.DTD): flat sections, every element a
// direct child of its section; up to three drawings named in the photo
// section itself. The picture folders lie beside the photo file.
#include "import/earlier_layouts.h"
#include "import/readers.h"

namespace zor {
namespace {

class Reader1999 : public EarlierLayoutReader {
 public:
  Reader1999(ImportContext& ctx, const std::string& file, const std::string& workName)
      : EarlierLayoutReader(ctx, file, workName, 0) {}

 protected:
  std::span<const PhotoElement> Elements() const override { return PhotoElementsOf(PhotoLayout::k1999); }
  bool FoldersBesidePhotoFile() const override { return true; }
  void FillPhotoRecord() override { FillReserves(); }
};

}  // namespace

bool ReadPhoto1999(ImportContext& ctx, const std::string& photoFile, const std::string& workName) {
  Reader1999 reader(ctx, photoFile, workName);
  return reader.Read();
}

}  // namespace zor
