// A construction delivery of camera-like photos, written for the ledger's
// tests and its benchmark: PHOTO.XML of the current layout beside the
// construction fixture's index, the photos spread over three work types,
// every fifth one a 代表写真, every seventh a 提出頻度写真.
#pragma once

#include <filesystem>
#include <set>

namespace zor::test {

struct CameraDelivery {
  int photos = 30;
  int width = 640;  // pixels of each photo
  int height = 480;
  int variants = 4;               // different pictures; the photos share their bytes
  std::set<int> missing;          // photos listed whose file is not written
  std::set<int> longCaption;      // photos with 工種区分予備 and 請負者説明文 as long as the records keep
  std::set<int> withDrawing;      // photos with one reference drawing
};

// Writes the delivery into root (made when absent). False when a file could
// not be written.
bool WriteCameraDelivery(const std::filesystem::path& root, const CameraDelivery& spec);

}  // namespace zor::test
