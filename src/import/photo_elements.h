// The elements of the three photo file layouts (1999, 2002 and the current
// one) and what each fills: one table for all three, each row naming the
// layouts it belongs to.
#pragma once

#include <span>
#include <string>

#include "store/photo_table.h"

namespace zor {

// What one element of a photo file fills.
enum class PhotoTarget {
  kText,            // the record's text field `field`
  kNumber,          // the record's number field `field`: the value's leading number, 0 without one
  kEightDigitDate,  // DATE, eight digits written as yyyy-mm-dd
  kFileName,        // the photo's picture
  kMedium,          // the photo's medium
  kSerial,          // シリアル番号
  kClass,           // classification level `index` (0 写真-大分類 .. 4 細別)
  kReserve,         // joined into reserve text `index` (PhotoReserve)
  kDrawing,         // starts the next drawing entry
  kDrawingFile,     // the drawing entry's fields
  kDrawingJapaneseName,
  kDrawingTitle,
  kDrawingReserve,
  kDrawingName,  // drawing name `index` of the layout that names up to three in the photo section
  kPhotoFolder,
  kDrawingFolder,
  kContract,   // contract text `index` (ContractText)
  kOrderYear,  // 発注年度 of the contract data
  kStandard,   // 適用要領基準: the layout decides
};

// The reserve texts that several elements join into.
enum PhotoReserve { kWorkTypeReserve, kShootingReserve, kControlReserve, kPhotoReserveText };

// One element of a layout: its path from a child of the document element
// down (code page 932 names, "/" between) and what it fills.
struct PhotoElement {
  std::string path;
  PhotoTarget target;
  int PhotoFieldPositions::*field = nullptr;
  int index = 0;
};

enum class PhotoLayout { kCurrent, k2002, k1999 };

// The elements of one layout.
std::span<const PhotoElement> PhotoElementsOf(PhotoLayout layout);

}  // namespace zor
