// Writes pictures of the main window browsing a generated delivery into the
// folder given as the first argument: the tree expanded with a photo and its
// drawings selected, each cell style, and list mode. Run by
// scripts/screenshots.sh; not a test.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QDir>
#include <QDockWidget>
#include <QLinearGradient>
#include <QPainter>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "browse_window.h"
#include "forms/ZORM_MIS.h"
#include "forms/ZORM_SEK.h"
#include "forms/ZORM_SORT.h"
#include "forms/combo_ini_edit.h"

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

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("shots");
  QDir().mkpath(out);
  BrowseSetup s;
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

  BrowseWindow& w = s.Open();
  w.resize(1200, 860);
  if (!QTest::qWaitForWindowExposed(&w)) return 1;
  w.ListView->setFocus();
  w.TreePanel->SelectNodeNow(s.Node({"工事", "施工状況写真", "道路土工", "掘削工"}));
  QTest::qWait(400);  // the drawings follow the selected photo
  Save(w, out, "browse_framed");

  w.SB_Icon->click();  // just-fit, plain cells
  w.ListView->SelectListItem(2, true);
  QTest::qWait(400);
  Save(w, out, "browse_justfit");
  w.SB_Thumbnail->click();  // minimum-width fit
  Save(w, out, "browse_minfit");
  w.SB_Thumbnail->click();
  w.SB_Icon->click();

  w.PhotoLists->EnterListMode(2, {3, 6, 9, 12, 15});
  w.ListView->SelectListItem(1, true);
  QTest::qWait(400);
  Save(w, out, "browse_listmode");
  w.TreePanel->grab().save(out + QStringLiteral("/tree_listmode.png"));
  w.PhotoLists->LeaveListMode(true);
  w.TreePanel->SelectNodeNow(s.Node({"工事", "施工状況写真", "道路土工", "盛土工"}));
  w.TreePanel->grab().save(out + QStringLiteral("/tree.png"));

  for (int i = 0; i < 14; ++i)
    if (i != 7) s.fixture.SetText(i + 1, "DATE", "2004-05-" + std::to_string(10 + (i * 7) % 20));
  // The search dialog in list mode, its result behind it.
  w.SB_List->click();
  TSeekForm* seek = w.SeekForm;
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
  TSortForm* sort = w.SortForm;
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
