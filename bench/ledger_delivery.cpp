// Writes a construction delivery of camera-like photos for the ledger's
// whole-program timing, or for looking at its pages:
//
//   ledger_delivery OUT_FOLDER PHOTOS [WIDTH HEIGHT] [--samples]
//
// WIDTH x HEIGHT default to 4000 x 3000 (12 MP). The photos share the bytes
// of a few different pictures (hard links where the file system allows).
// --samples leaves photo 4's file out, gives photo 5 a caption too long for
// its frame and photos 6 and 9 a reference drawing each.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "camera_delivery.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: ledger_delivery OUT_FOLDER PHOTOS [WIDTH HEIGHT] [--samples]\n");
    return 2;
  }
  zor::test::CameraDelivery spec;
  spec.photos = std::atoi(argv[2]);
  spec.width = 4000;
  spec.height = 3000;
  int at = 3;
  if (argc >= 5 && argv[3][0] != '-') {
    spec.width = std::atoi(argv[3]);
    spec.height = std::atoi(argv[4]);
    at = 5;
  }
  if (at < argc && std::strcmp(argv[at], "--samples") == 0) {
    spec.missing = {4};
    spec.longCaption = {5};
    spec.withDrawing = {6, 9};
  }
  if (!zor::test::WriteCameraDelivery(argv[1], spec)) {
    std::fprintf(stderr, "ledger_delivery: could not write %s\n", argv[1]);
    return 1;
  }
  std::printf("%d photos of %d x %d in %s\n", spec.photos, spec.width, spec.height, argv[1]);
  return 0;
}
