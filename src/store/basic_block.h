// PhotoBasicInfo: the photo file's basic information as this program writes
// it. Reset with every photo-file load and filled with fixed defaults; no
// reader overwrites it. The album prints it (all but DtdVersion).
#pragma once

#include <string>

namespace zor {

class PhotoBasicBlock {
 public:
  // Code page 932 texts.
  std::string DtdVersion;     // by DigiVersion, see DtdVersionText
  std::string PhotoFolder;    // "PHOTO/PIC"
  std::string DrawingFolder;  // "PHOTO/DRA"
  std::string SoftwareName;
  std::string SoftwareVersion;  // "3.10"
  std::string MakerName;
  std::string MakerContact;
  std::string MakerTag;  // empty

  // Fills the defaults, the DTD version text for digiVersion.
  void Reset(int digiVersion);
};

}  // namespace zor
