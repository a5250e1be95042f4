// The information panel's 撮影データ page: what the camera wrote into the
// selected photo and what its file is: make and model, DateTimeOriginal,
// pixel size, file size, format, the electronic-blackboard tamper outcome
// (of each embedded picture of a layered SVG), and the section
// "小黒板情報" with every item the board recorded in the picture's XMP
// packet. The file is read once when the page is filled.
#pragma once

#include <QTableWidget>
#include <string>

namespace zor {

struct BlackboardPacket;
struct PictureFacts;

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
  // The value of the nth row (from 0) whose caption is caption; a null
  // string when there is none (tests).
  QString ValueOf(const QString& caption, int nth = 0) const;
  enum Row { kMake, kModel, kDateTime, kPixels, kFileSize, kFormat, kTamper, kRowCount };

 private:
  // Rows after the fixed ones.
  void AddRow(const QString& caption, const QString& value = QString());
  void AddHeading(const QString& text);
  void ShowLayers(const PictureFacts& f);
  void ShowBlackboard(const BlackboardPacket& p);
};

}  // namespace zor
