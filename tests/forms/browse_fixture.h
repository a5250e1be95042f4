// A small delivery made by hand for the browsing panels: a photo table in a
// scratch folder, JPEG pictures, a hierarchy tree and drawings.
#pragma once

#include <QColor>
#include <QDir>
#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "store/delivery.h"
#include "text/encoding.h"

namespace zor {

struct FixturePhoto {
  std::string title;  // UTF-8
  HierarchyPath path; // UTF-8 values
  int flag = 0;
  QString file;              // picture file name in the scratch folder; empty: none
  QSize size{400, 300};      // picture size when file is set
  std::vector<int> drawings; // indices into the drawings added after the photos
};

class BrowseFixture {
 public:
  BrowseFixture() { delivery.WorkName = Sj(kXmlInputWorkNameUtf8); }

  QString Folder() const { return dir.path() + QLatin1Char('/'); }

  // Writes a JPEG of one colour; returns its path.
  QString MakePicture(const QString& name, QSize size, QColor colour = QColor(40, 120, 200)) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = Folder() + name;
    image.save(path, name.endsWith(QLatin1String(".png"), Qt::CaseInsensitive) ? "PNG" : "JPG");
    return path;
  }

  // Photos first (records 1 .. n), then drawings (records n + 1 ..).
  void Load(const std::vector<FixturePhoto>& photos, const std::vector<QString>& drawingFiles = {}) {
    Delivery& d = delivery;
    TViewDataSet& t = d.PhotoTable;
    t.OpenPhotoTable(true, d.WorkTableFile(Folder().toStdString()));
    d.BuildTreeSkeleton();
    d.ResetPhotoBlocks();
    int record = 0;
    for (const FixturePhoto& p : photos) {
      t.Append();
      t.SetAsInteger(t.FieldPos.RECORD, ++record);
      t.SetAsString(t.FieldPos.TITLE, Sj(p.title));
      t.SetAsInteger(t.FieldPos.FLAG, p.flag);
      QString file = p.file.isEmpty() ? Folder() + QStringLiteral("missing.jpg") : Folder() + p.file;
      if (!p.file.isEmpty() && !QFile::exists(file)) MakePicture(p.file, p.size);
      t.SetAsString(t.FieldPos.FILENAME, Utf8ToCp932(file.toStdString()));
      t.Post();
      HierarchyPath path;
      for (std::size_t i = 0; i < path.size(); ++i) path[i] = Sj(p.path[i]);
      d.Tree.AddToHierarchy(*d.Tree.ConstructionNode(), path, record);
    }
    const int firstDrawing = record + 1;
    for (const QString& name : drawingFiles) {
      t.Append();
      t.SetAsInteger(t.FieldPos.RECORD, ++record);
      t.SetAsString(t.FieldPos.TITLE, Sj("参考図"));
      t.SetAsString(t.FieldPos.FILENAME, Utf8ToCp932((Folder() + name).toStdString()));
      t.Post();
    }
    for (std::size_t i = 0; i < photos.size(); ++i) {
      if (photos[i].drawings.empty()) continue;
      d.DrawingRecordList.clear();
      for (int k : photos[i].drawings) d.DrawingRecordList.push_back(firstDrawing + k);
      t.GotoPhotoRecord(static_cast<int>(i) + 1);
      t.Edit();
      d.StoreDrawingList();
      t.Post();
    }
    d.Tree.UpdateNodeImages(*d.Tree.ConstructionNode(), true);
  }

  // Sets a text field (UTF-8 value) or a number field of a loaded record.
  void SetText(int record, const char* field, const std::string& value) {
    TViewDataSet& t = delivery.PhotoTable;
    if (!t.GotoPhotoRecord(record)) return;
    t.Edit();
    t.SetAsString(FieldPosByName(t, field), Sj(value));
    t.Post();
  }
  void SetNumber(int record, const char* field, int value) {
    TViewDataSet& t = delivery.PhotoTable;
    if (!t.GotoPhotoRecord(record)) return;
    t.Edit();
    t.SetAsInteger(FieldPosByName(t, field), value);
    t.Post();
  }

  QTemporaryDir dir;
  Delivery delivery;
};

}  // namespace zor
