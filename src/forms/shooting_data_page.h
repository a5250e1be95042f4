// The information panel's 撮影データ page: what the camera wrote into the
// selected photo and what its file is: make and model, DateTimeOriginal,
// pixel size, file size, format and the electronic-blackboard tamper
// outcome. The file is read once when the page is filled.
#pragma once

#include <QTableWidget>
#include <string>

namespace zor {

class ShootingDataPage : public QTableWidget {
  Q_OBJECT
 public:
  explicit ShootingDataPage(QWidget* parent = nullptr);

  // Fills the rows for a picture file (UTF-8 path); an empty path is a
  // photo whose file is missing.
  void ShowFile(const std::string& file);
  // Empties the values.
  void Clear();

  // The value shown in a row (tests).
  QString Value(int row) const;
  enum Row { kMake, kModel, kDateTime, kPixels, kFileSize, kFormat, kTamper, kRowCount };
};

}  // namespace zor
