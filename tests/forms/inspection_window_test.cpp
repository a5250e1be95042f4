// The inspection in the window: the File menu command, the dialog's run,
// its report, a double click that selects the photo, the list of photos
// with findings, and the information panel's 撮影データ tab. With
// ZOR_SHOTS set, pictures of the dialog and the tab go into that folder.
#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>

#include "app/folders.h"
#include "app/settings.h"
#include "forms/findings_view.h"
#include "forms/info_panel.h"
#include "forms/info_tabs.h"
#include "forms/inspection_dialog.h"
#include "forms/main_window.h"
#include "forms/photo_list.h"
#include "forms/shooting_data_page.h"
#include "forms/thumbnail_list.h"
#include "picture_writer.h"
#include "store/delivery.h"

using namespace zor;
namespace fs = std::filesystem;

namespace {

class QuietWindow : public MainWindow {
 public:
  using MainWindow::MainWindow;
  bool ConfirmYesCancel(const std::string&) override { return true; }
  void ShowInformation(const std::string&) override {}
  void ShowWarning(const std::string&) override {}
  void ShowLevelWarning(const std::string&) override {}
};

void Shot(QWidget* w, const char* name) {
  const QByteArray folder = qgetenv("ZOR_SHOTS");
  if (folder.isEmpty()) return;
  QDir().mkpath(QString::fromLocal8Bit(folder));
  w->grab().save(QString::fromLocal8Bit(folder) + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
}

}  // namespace

class InspectionWindowTest : public QObject {
  Q_OBJECT
 private:
  QTemporaryDir dir_;
  Folders folders_;
  Delivery delivery_;

  // The construction fixture with a blackboard photo as record 1 and an
  // altered one as record 3 (records 4 and 5 are missing files).
  QString MakeDelivery() {
    const fs::path root = dir_.path().toStdString() + "/delivery";
    fs::copy(ZOR_TEST_DATA "/import/construction", root, fs::copy_options::recursive);
    const test::Bytes picture = test::EncodedJpeg(1280, 960);
    test::ExifSpec exif;
    exif.make = "KOKUBAN";
    exif.model = "BB-100";
    exif.dateTimeOriginal = std::string("2010:10:05 09:30:00", 20);
    exif.subSecTimeOriginal = std::string("50", 2);
    test::WriteFile(root / "PHOTO" / "PIC" / "P0000001.JPG", test::BlackboardPhoto(picture, exif));
    exif.dateTimeOriginal = std::string("2010:10:20 14:00:00", 20);
    test::Bytes altered = test::BlackboardPhoto(picture, exif);
    altered[test::ImageDataOffset(altered) + 50] ^= 0x10;
    test::WriteFile(root / "PHOTO" / "PIC" / "P0000002.JPG", altered);
    fs::remove(root / "PHOTO" / "PIC" / "p0000002.jpg");
    return QString::fromStdString((root / "INDEX_C.XML").string());
  }

  static QStringList Groups(QTreeWidget* report) {
    QStringList groups;
    for (int i = 0; i < report->topLevelItemCount(); ++i) groups << report->topLevelItem(i)->text(0);
    return groups;
  }

  static QTreeWidgetItem* FindingOf(QTreeWidget* report, const QString& record, const QString& text) {
    for (int i = 0; i < report->topLevelItemCount(); ++i)
      for (int j = 0; j < report->topLevelItem(i)->childCount(); ++j) {
        QTreeWidgetItem* item = report->topLevelItem(i)->child(j);
        if (item->text(FindingsView::kRecordColumn) == record &&
            item->text(FindingsView::kMessageColumn).contains(text))
          return item;
      }
    return nullptr;
  }

 private slots:
  void init() {
    QVERIFY(dir_.isValid());
    const std::string root = dir_.path().toStdString();
    folders_ = ComputeFolders(root + "/prog", root + "/data", root);
  }

  void inspectsSelectsAndListsThePhotos() {
    Settings settings = DefaultSettings(folders_);
    QuietWindow w(folders_, settings, delivery_);
    w.resize(1100, 760);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.DispatchDeliveryFile(MakeDelivery()));

    auto* command = w.findChild<QAction*>(QStringLiteral("Mn_Inspect"));
    QVERIFY(command);
    QCOMPARE(command->text(), QStringLiteral("写真ファイルの検査(&I)..."));
    command->trigger();
    InspectionDialog* dialog = w.InspectForm;
    QVERIFY(dialog && dialog->isVisible());
    QVERIFY(!dialog->ListBtn->isEnabled());

    QSignalSpy finished(dialog, &InspectionDialog::Finished);
    dialog->StartBtn->click();
    QVERIFY(finished.wait(10000));
    QVERIFY(dialog->StartBtn->isEnabled());
    QVERIFY(!dialog->StopBtn->isEnabled());
    QCOMPARE(dialog->Progress->value(), dialog->Progress->maximum());
    // Group captions in Japanese, with their counts; the ids stay in JSON.
    QCOMPARE(Groups(dialog->Report),
             (QStringList{QStringLiteral("誤り — ファイルの有無 2 件"), QStringLiteral("誤り — ファイル名 1 件"),
                          QStringLiteral("誤り — 改ざんチェック 1 件"), QStringLiteral("参考 — 改ざんチェック 1 件")}));
    QVERIFY(FindingOf(dialog->Report, QStringLiteral("3"), QStringLiteral("画像が変更されています")));
    QVERIFY(FindingOf(dialog->Report, QStringLiteral("5"), QStringLiteral("ファイルがありません")));
    Shot(dialog, "inspection_dialog");

    // A double click on a finding selects its photo.
    QTreeWidgetItem* altered = FindingOf(dialog->Report, QStringLiteral("3"), QStringLiteral("画像が変更されています"));
    emit dialog->Report->itemDoubleClicked(altered, 3);
    QCOMPARE(w.context().Photo(), 3);

    // Copied and saved through the report writer of the whole-delivery check.
    dialog->Report->clearSelection();
    dialog->Report->topLevelItem(0)->setSelected(true);  // a group: all of its findings
    altered->setSelected(true);
    dialog->Report->setFocus();
    QTest::keyClick(dialog->Report, Qt::Key_C, Qt::ControlModifier);
    const QStringList copied = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(copied.size(), 3);
    QVERIFY2(copied[0].startsWith(QStringLiteral("誤り\tファイルの有無\t4\t")), qPrintable(copied[0]));
    QVERIFY2(copied[2].startsWith(QStringLiteral("誤り\t改ざんチェック\t3\t")), qPrintable(copied[2]));
    const QString csv = dir_.path() + QStringLiteral("/inspection.csv");
    QVERIFY(dialog->SaveReportTo(csv));
    QFile saved(csv);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    const QString text = QString::fromUtf8(bytes);
    QCOMPARE(text.count(QStringLiteral("\r\n")), 1 + 5);  // the header and the five findings
    QVERIFY(text.contains(QStringLiteral("\"改ざんチェック\",\"tamper\",\"3\"")));
    const QString html = dir_.path() + QStringLiteral("/inspection");  // no extension: the HTML page
    QVERIFY(dialog->SaveReportTo(html));
    QFile htmlFile(html + QStringLiteral(".html"));
    QVERIFY(htmlFile.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(htmlFile.readAll()).contains(QStringLiteral("<title>写真ファイルの検査結果</title>")));

    // The photos with findings in list mode: a drawing's finding counts for its photo.
    QVERIFY(dialog->ListBtn->isEnabled());
    dialog->ListBtn->click();
    QCOMPARE(w.context().ListMode(), 2);
    QCOMPARE(w.PhotoLists->CurrentList(), (TIntList{3, 5}));

    // The 撮影データ tab of the altered photo.
    emit dialog->Report->itemDoubleClicked(altered, 3);
    QCOMPARE(w.context().Photo(), 3);
    InfoTabs* tabs = w.InfoPanel->TabSetEx;
    QCOMPARE(tabs->Tabs().value(2), InfoPanel::kShootingTab);
    tabs->SetTabIndex(2);
    ShootingDataPage* page = w.InfoPanel->ShootingData;
    QCOMPARE(w.InfoPanel->Notebook->currentWidget(), page);
    QCOMPARE(page->Value(ShootingDataPage::kMake), QStringLiteral("KOKUBAN"));
    QCOMPARE(page->Value(ShootingDataPage::kModel), QStringLiteral("BB-100"));
    QCOMPARE(page->Value(ShootingDataPage::kDateTime), QStringLiteral("2010:10:20 14:00:00.50"));
    QCOMPARE(page->Value(ShootingDataPage::kPixels), QStringLiteral("1280 x 960 (123万画素)"));
    QCOMPARE(page->Value(ShootingDataPage::kFormat), QStringLiteral("JPEG"));
    QCOMPARE(page->Value(ShootingDataPage::kTamper), QStringLiteral("画像が変更されています"));
    QVERIFY(page->Value(ShootingDataPage::kFileSize).endsWith(QStringLiteral(" バイト")));
    Shot(w.InfoPanel, "shooting_data_tab");
    Shot(&w, "main_window_inspection");

    // Another load forgets the report, whose records are the old delivery's,
    // and a run still going when the load starts leaves nothing behind.
    for (const bool running : {false, true}) {
      if (running) dialog->StartBtn->click();
      QVERIFY(w.DispatchDeliveryFile(QStringLiteral(ZOR_TEST_DATA "/import/services/INDEX_D.XML")));
      QCoreApplication::processEvents();  // anything the run posted arrives now, not later
      QVERIFY(!dialog->Running());
      QVERIFY(!dialog->Outcome());
      QCOMPARE(dialog->Report->topLevelItemCount(), 0);
      QCOMPARE(dialog->Summary->text(), QStringLiteral("開始を押すと、写真・参考図のファイルを読んで検査します。"));
      QVERIFY(!dialog->ListBtn->isEnabled());
      QVERIFY(dialog->StartBtn->isEnabled());
    }
    Shot(dialog, "inspection_dialog_cleared");

    dialog->close();
    QVERIFY(!dialog->Running());
  }
};

QTEST_MAIN(InspectionWindowTest)
#include "inspection_window_test.moc"
