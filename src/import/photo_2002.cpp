// PHOTO.XML of the 2002 layout (PHOTO02.DTD, PHOTO02N.DTD): the photo
// sections of the current layout with more reserve elements, and the
// contract data in a section of its own.
#include "import/earlier_layouts.h"
#include "import/readers.h"

namespace zor {
namespace {

class Reader2002 : public EarlierLayoutReader {
 public:
  Reader2002(ImportContext& ctx, int standard, const std::string& file, const std::string& workName)
      : EarlierLayoutReader(ctx, file, workName, standard) {}

 protected:
  std::span<const PhotoElement> Elements() const override { return PhotoElementsOf(PhotoLayout::k2002); }

  void FillPhotoRecord() override {
    Table().SetAsInteger(Field().FLAG, 0);
    FillReserves();
  }
};

}  // namespace

bool ReadPhoto2002(ImportContext& ctx, int standard, const std::string& photoFile, const std::string& workName) {
  Reader2002 reader(ctx, standard, photoFile, workName);
  return reader.Read();
}

}  // namespace zor
