// Writes pictures of the main window browsing a generated delivery into the
// folder given as the first argument: the tree expanded with a photo and its
// drawings selected, each tab of the information panel, the help panel,
// each cell style, list mode and the viewer fitted and zoomed. Run by
// scripts/screenshots.sh; not a test.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QDir>
#include <QDockWidget>
#include <QLinearGradient>
#include <QPainter>
#include <QScrollArea>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "browse_window.h"
#include "forms/history_combo_box.h"
#include "forms/info_panel.h"
#include "forms/item_grid.h"
#include "forms/photo_viewer.h"
#include "forms/picture_box.h"
#include "forms/search_dialog.h"
#include "forms/sort_dialog.h"
#include "forms/verification_dialog.h"

using namespace zor;

namespace {

// A picture that looks a little like a site photo: sky, ground and a label.
void MakePhoto(const QString& path, QSize size, int seed) {
  QImage image(size, QImage::Format_RGB32);
  QPainter p(&image);
  QLinearGradient sky(0, 0, 0, size.height());
  sky.setColorAt(0, QColor::fromHsv((seed * 37) % 360, 90, 240));
  sky.setColorAt(1, QColor::fromHsv((seed * 37 + 40) % 360, 160, 120));
  p.fillRect(image.rect(), sky);
  p.fillRect(QRect(0, size.height() * 2 / 3, size.width(), size.height() / 3), QColor(120, 100, 70));
  p.setPen(Qt::white);
  QFont font = p.font();
  font.setPixelSize(size.height() / 6);
  p.setFont(font);
  p.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("No.%1").arg(seed));
  p.end();
  image.save(path, "JPG", 85);
}

void Save(QWidget& w, const QString& folder, const char* name) {
  QTest::qWait(600);  // thumbnails arrive from the pool
  w.grab().save(folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
}

// A window with its caption above it, as the frame would show it.
void SaveWithCaption(QWidget& w, const QString& folder, const char* name) {
  QTest::qWait(300);
  const QPixmap body = w.grab();
  const int bar = 24;
  QImage shot(body.width(), body.height() + bar, QImage::Format_RGB32);
  shot.fill(QColor(60, 60, 70));
  QPainter p(&shot);
  p.setPen(Qt::white);
  p.drawText(QRect(8, 0, body.width() - 16, bar), Qt::AlignVCenter | Qt::AlignLeft, w.windowTitle());
  p.drawPixmap(0, bar, body);
  p.end();
  shot.save(folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
}

// The window must be the active one, or focus set from here does not land
// and the information panel keeps its previous values.
bool Activate(QWidget& w) {
  w.raise();
  w.activateWindow();
  QApplication::setActiveWindow(&w);
  return QTest::qWaitForWindowActive(&w);
}

// Focus into a widget of the active window, and the events it causes.
void FocusOn(QWidget* widget) {
  widget->setFocus(Qt::OtherFocusReason);
  QTest::qWait(50);
}

// The contract items of the photo file and some photo items, so that the
// grids show what a real delivery shows.
void FillDeliveryTexts(Delivery& d, int photoCount) {
  PhotoContractBlock& c = d.PhotoContractInfo;
  c.SetOrderYear("2026");
  c.SetText(ContractText::WorkNumber, Sj("第R8-0123号"));
  c.SetText(ContractText::RiverRouteName, Sj("一般国道１２３号"));
  c.SetText(ContractText::ConstructionName, Sj("一般国道１２３号　道路改良工事"));
  c.SetText(ContractText::ConstructionPlace, Sj("〇〇県△△市□□町地内"));
  c.SetText(ContractText::PeriodStart, "2026-04-01");
  c.SetText(ContractText::PeriodEnd, "2027-03-15");
  c.SetText(ContractText::ClientMajor, Sj("国土交通省"));
  c.SetText(ContractText::ClientMiddle, Sj("〇〇地方整備局"));
  c.SetText(ContractText::ClientMinor, Sj("△△国道事務所"));
  c.SetText(ContractText::ClientCode, "12345678");
  c.SetText(ContractText::ContractorName, Sj("株式会社サンプル建設"));
  c.SetText(ContractText::ContractorCode, "87654321");
  c.SetReserve(0, Sj("予備その１"));
  c.SetReserve(1, Sj("予備その２"));
  TViewDataSet& t = d.PhotoTable;
  for (int record = 1; record <= photoCount; ++record) {
    if (!d.GotoPhotoRecord(record)) continue;
    t.Edit();
    t.SetAsString(t.FieldPos.JFILENAME, QStringLiteral("P%1.JPG").arg(record, 7, 10, QLatin1Char('0')).toStdString());
    t.SetAsString(t.FieldPos.KASYO, Sj("No.12+5.0 付近"));
    t.SetAsString(t.FieldPos.DATE,
                  QStringLiteral("2026-05-%1").arg(record % 28 + 1, 2, 10, QLatin1Char('0')).toStdString());
    t.SetAsString(t.FieldPos.UKEOIBIKOU, Sj("掘削状況を撮影"));
    t.Post();
  }
  // The drawings follow the photos.
  for (int record = photoCount + 1; d.GotoPhotoRecord(record); ++record) {
    t.Edit();
    t.SetAsString(t.FieldPos.JFILENAME,
                  QStringLiteral("D%1.JPG").arg(record - photoCount, 7, 10, QLatin1Char('0')).toStdString());
    t.SetAsString(t.FieldPos.TITLE, Sj(record == photoCount + 1 ? "平面図" : "横断図"));
    t.Post();
  }
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("shots");
  QDir().mkpath(out);
  BrowseSetup s;
  s.settings.KeikokuRed = true;
  std::vector<FixturePhoto> photos;
  const char* kinds[] = {"掘削工", "盛土工", "法面整形工"};
  for (int i = 0; i < 14; ++i) {
    const QString file = QStringLiteral("P%1.JPG").arg(i + 1, 7, 10, QLatin1Char('0'));
    MakePhoto(s.fixture.Folder() + file, i % 5 == 4 ? QSize(1200, 1600) : QSize(1600, 1200), i + 1);
    photos.push_back({"施工状況 " + std::to_string(i + 1),
                      {"工事", "施工状況写真", "道路土工", kinds[i % 3], ""},
                      i == 2 ? 1 : i == 5 ? 99 : 0,
                      file,
                      {},
                      i == 0 ? std::vector<int>{0, 1} : std::vector<int>{}});
  }
  photos.push_back({"着工前", {"工事", "着手前及び完成写真"}, 0, QStringLiteral("missing.jpg"), {}, {}});
  MakePhoto(s.fixture.Folder() + QStringLiteral("D0000001.JPG"), {800, 600}, 90);
  MakePhoto(s.fixture.Folder() + QStringLiteral("D0000002.JPG"), {600, 800}, 91);
  s.fixture.Load(photos, {QStringLiteral("D0000001.JPG"), QStringLiteral("D0000002.JPG")});
  s.fixture.delivery.DigiVersion = 3;
  FillDeliveryTexts(s.fixture.delivery, static_cast<int>(photos.size()));

  BrowseWindow& w = s.Open();
  w.resize(1200, 860);
  if (!QTest::qWaitForWindowExposed(&w)) return 1;
  w.Started = true;  // what the start-up timer of the program sets
  w.Float_Help->show();
  w.RefreshAll();  // what a read ends with: the grids for the delivery's standard
  if (!Activate(w)) return 2;
  QTest::qWait(400);  // the help panel narrowed the list: its refit runs 100 ms later

  // A node chosen, then the tree entered: the construction tab and the
  // level's rule.
  w.TreePanel->SelectNodeNow(s.Node({"工事", "施工状況写真", "道路土工", "掘削工"}));
  FocusOn(w.TreePanel->TV_Tree);
  Save(w, out, "browse_tree_koji");

  // The first photo in the list: its tab, then its drawings.
  FocusOn(w.ListView);
  w.ListView->SelectListItem(0, true);
  QTest::qWait(400);  // the drawings follow the selected photo
  Save(w, out, "browse_photo");

  // The photo grid: the help panel shows the rule of its current row.
  FocusOn(w.InfoPanel->KoumokuGrid_Photo);
  w.InfoPanel->KoumokuGrid_Photo->SetRow(4);
  Save(w, out, "browse_photo_grid_help");

  // A drawing: the additional information tab.
  FocusOn(w.ListView2);
  w.ListView2->SelectListItem(1, true);
  QTest::qWait(100);
  Save(w, out, "browse_sanko");

  // The other cell styles: just-fit off draws framed 140-pixel cells.
  FocusOn(w.ListView);
  w.SB_Icon->click();
  w.ListView->SelectListItem(2, true);
  QTest::qWait(400);
  Save(w, out, "browse_framed140");
  w.SB_Thumbnail->click();  // minimum-width fit
  Save(w, out, "browse_framed140_minfit");
  w.SB_Icon->click();  // just-fit again, with minimum-width fit
  QTest::qWait(400);
  Save(w, out, "browse_justfit_minfit");
  w.SB_Thumbnail->click();

  w.PhotoLists->EnterListMode(2, {3, 6, 9, 12, 15});
  FocusOn(w.ListView);
  w.ListView->SelectListItem(1, true);
  QTest::qWait(400);
  Save(w, out, "browse_listmode");
  w.TreePanel->grab().save(out + QStringLiteral("/tree_listmode.png"));
  w.PhotoLists->LeaveListMode(true);
  w.TreePanel->SelectNodeNow(s.Node({"工事", "施工状況写真", "道路土工", "盛土工"}));
  w.TreePanel->grab().save(out + QStringLiteral("/tree.png"));

  // A photo whose picture was not found at load: the cell says which file.
  s.fixture.delivery.MissingPictures[15] = Sj("PHOTO/PIC/P0000015.JPG");
  w.TreePanel->SelectNodeNow(s.Node({"工事", "着手前及び完成写真"}));
  FocusOn(w.ListView);
  w.ListView->SelectListItem(0, true);
  QTest::qWait(400);
  Save(w, out, "browse_missing_picture");
  s.fixture.delivery.MissingPictures.clear();

  // The viewer on the first photo, fitted, then zoomed twice around a point.
  w.TreePanel->SelectNodeNow(s.Node({"工事", "施工状況写真", "道路土工", "掘削工"}));
  FocusOn(w.ListView);
  w.ListView->SelectListItem(0, true);
  w.PhotoLists->OpenViewer(w.ListView);
  auto* viewer = w.findChild<PhotoViewer*>();
  if (!viewer || !QTest::qWaitForWindowExposed(viewer)) return 3;
  QTest::qWait(200);
  SaveWithCaption(*viewer, out, "viewer_fitted");
  const QRect control = viewer->ControlGeometry();
  const QPoint point(control.width() / 3, control.height() / 2);
  for (int i = 0; i < 2; ++i) {
    viewer->PictureMouseDown(Qt::LeftButton, point);
    viewer->PictureMouseUp(Qt::LeftButton, point);
  }
  viewer->IJLImage->WaitForDetail();
  SaveWithCaption(*viewer, out, "viewer_zoomed");
  viewer->close();

  for (int i = 0; i < 14; ++i)
    if (i != 7) s.fixture.SetText(i + 1, "DATE", "2004-05-" + std::to_string(10 + (i * 7) % 20));
  // The search dialog in list mode, its result behind it.
  w.SB_List->click();
  SearchDialog* seek = w.SeekForm;
  seek->CE_Seek_Iciran->setCurrentIndex(0);
  seek->CE_Seek_Ken->setCurrentIndex(seek->CE_Seek_Ken->findText(QStringLiteral("タイトル")));
  seek->CE_Seek_Str1->setEditText(QStringLiteral("施工状況 1"));
  seek->CE_Seek_Mode->setCurrentIndex(1);
  seek->CE_Seek_Pos->setCurrentIndex(0);
  seek->OpenBtn->click();
  seek->adjustSize();
  Save(*seek, out, "search_dialog");
  Save(w, out, "search_result");
  seek->CE_Seek_Iciran->setCurrentIndex(1);
  seek->CE_Seek_Ken->setCurrentIndex(seek->CE_Seek_Ken->findText(QStringLiteral("写真/撮影年月日"), Qt::MatchStartsWith));
  seek->CE_Seek_Str2->setEditText(QStringLiteral("2004-05-01"));
  Save(*seek, out, "search_dialog_move");
  seek->close();

  // The sort dialog with two keys, and its result.
  w.SB_Sort->click();
  SortDialog* sort = w.SortForm;
  sort->ComboBox[0]->setCurrentIndex(1);
  sort->ComboBox[1]->setCurrentIndex(3);
  sort->CB_Sortjun->setCurrentIndex(1);
  sort->OpenBtn->click();
  Save(*sort, out, "sort_dialog");
  Save(w, out, "sort_result");
  sort->close();
  w.PhotoLists->LeaveListMode(true);
  w.PhotoLists->ShowNodePhotos();

  // The verification dialog after a run.
  w.findChild<QAction*>(QStringLiteral("Mn_InputMiss"))->trigger();
  w.MissForm->OpenBtn->click();
  Save(*w.MissForm, out, "verify_dialog");
  Save(w, out, "verify_result");
  return 0;
}
