// The blackboard's own record in the window: the inspection dialog's group
// "blackboard" with a board that differs from PHOTO.XML, and the 撮影データ
// tab's section "小黒板情報" with every item the board recorded. With
// ZOR_SHOTS set, pictures of both go into that folder.
#include <QAction>
#include <QDir>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>

#include "app/folders.h"
#include "app/settings.h"
#include "forms/info_panel.h"
#include "forms/info_tabs.h"
#include "forms/findings_view.h"
#include "forms/inspection_dialog.h"
#include "forms/main_window.h"
#include "forms/shooting_data_page.h"
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

// The groups of one check's caption, whatever their severity ("注意 — 小黒板情報 3 件").
QList<QTreeWidgetItem*> Groups(QTreeWidget* report, const QString& caption) {
  QList<QTreeWidgetItem*> groups;
  for (int i = 0; i < report->topLevelItemCount(); ++i)
    if (report->topLevelItem(i)->text(0).section(QStringLiteral(" — "), 1).startsWith(caption + QLatin1Char(' ')))
      groups << report->topLevelItem(i);
  return groups;
}

}  // namespace

class BlackboardWindowTest : public QObject {
  Q_OBJECT
 private:
  QTemporaryDir dir_;
  Folders folders_;
  Delivery delivery_;
  fs::path root_;

  // The construction fixture; record 1's picture carries a board that says
  // 舗装工 where PHOTO.XML says 道路土工, record 3's carries none.
  QString MakeDelivery() {
    root_ = dir_.path().toStdString() + "/delivery";
    fs::copy(ZOR_TEST_DATA "/import/construction", root_, fs::copy_options::recursive);
    const test::Bytes picture = test::EncodedJpeg(1280, 960);
    test::ExifSpec exif;
    exif.dateTimeOriginal = std::string("2010:10:05 09:30:00", 20);
    test::BoardSpec board;
    board.constructionType = "舗装工";
    board.items.push_back({"幅", "W", "3.50", "3.48", "m"});
    test::WriteFile(root_ / "PHOTO" / "PIC" / "P0000001.JPG",
                    test::BoardPhoto(picture, exif, test::BoardPacket(board)));
    exif.dateTimeOriginal = std::string("2010:10:20 14:00:00", 20);
    test::WriteFile(root_ / "PHOTO" / "PIC" / "P0000002.JPG", test::BlackboardPhoto(picture, exif));
    fs::remove(root_ / "PHOTO" / "PIC" / "p0000002.jpg");
    return QString::fromStdString((root_ / "INDEX_C.XML").string());
  }

 private slots:
  void init() {
    QVERIFY(dir_.isValid());
    const std::string root = dir_.path().toStdString();
    folders_ = ComputeFolders(root + "/prog", root + "/data", root);
  }

  void showsTheBoardInTheDialogAndTheTab() {
    Settings settings = DefaultSettings(folders_);
    QuietWindow w(folders_, settings, delivery_);
    w.resize(1200, 820);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.DispatchDeliveryFile(MakeDelivery()));

    w.findChild<QAction*>(QStringLiteral("Mn_Inspect"))->trigger();
    InspectionDialog* dialog = w.InspectForm;
    QVERIFY(dialog && dialog->isVisible());
    QSignalSpy finished(dialog, &InspectionDialog::Finished);
    dialog->StartBtn->click();
    QVERIFY(finished.wait(10000));
    const QList<QTreeWidgetItem*> groups = Groups(dialog->Report, QStringLiteral("小黒板情報"));
    QVERIFY(!groups.isEmpty());
    QTreeWidgetItem* group = groups.front();
    QStringList messages;
    for (QTreeWidgetItem* g : groups)
      for (int i = 0; i < g->childCount(); ++i)
        messages << g->child(i)->text(FindingsView::kRecordColumn) + QLatin1Char(' ') +
                        g->child(i)->text(FindingsView::kMessageColumn);
    QVERIFY2(messages.contains(QStringLiteral("1 工種: 小黒板「舗装工」／PHOTO.XML「道路土工」")),
             qPrintable(messages.join(QLatin1Char('\n'))));
    QVERIFY2(messages.filter(QStringLiteral("小黒板情報のある写真 1 枚のうち PHOTO.XML と異なる写真 1 枚")).size() == 1,
             qPrintable(messages.join(QLatin1Char('\n'))));
    dialog->Report->collapseAll();
    group->setExpanded(true);
    dialog->Report->scrollToItem(group, QAbstractItemView::PositionAtTop);
    Shot(dialog, "inspection_dialog_blackboard");

    // The 撮影データ tab of record 1: every item of the board.
    emit dialog->Report->itemDoubleClicked(group->child(0), FindingsView::kMessageColumn);
    QCOMPARE(w.context().Photo(), 1);
    dialog->close();
    InfoTabs* tabs = w.InfoPanel->TabSetEx;
    QCOMPARE(tabs->Tabs().value(2), InfoPanel::kShootingTab);
    tabs->SetTabIndex(2);
    ShootingDataPage* page = w.InfoPanel->ShootingData;
    QCOMPARE(w.InfoPanel->Notebook->currentWidget(), page);
    QCOMPARE(page->Value(ShootingDataPage::kTamper), QStringLiteral("正常"));
    QCOMPARE(page->ValueOf(QStringLiteral("小黒板情報")), QStringLiteral(""));
    QCOMPARE(page->ValueOf(QStringLiteral("以下は改ざんチェックの対象外の値です")), QStringLiteral(""));
    const struct {
      const char* caption;
      int nth;
      const char* value;
    } kRows[] = {
        {"工事件名", 0, "一般国道１２号　白石改良工事"},
        {"受注者名", 0, "株式会社白石建設"},
        {"写真-大分類", 0, "工事"},
        {"写真区分", 0, "施工状況写真"},
        {"工種", 0, "舗装工"},
        {"種別", 0, "掘削工"},
        {"写真タイトル", 0, "掘削状況 No.12"},
        {"工種区分予備", 0, "a"},
        {"工種区分予備", 1, "b"},
        {"撮影箇所", 0, "No.12"},
        {"代表写真", 0, "True"},
        {"提出頻度写真", 0, "False"},
        {"施工管理値", 0, "2 項目"},
        {"名称", 0, "高さ"},
        {"記号", 0, "H"},
        {"設計値", 0, "1.20"},
        {"実測値", 0, "1.2"},
        {"単位", 0, "m"},
        {"名称", 1, "幅"},
        {"実測値", 1, "3.48"},
        {"受注者説明文", 0, "掘削の状況"},
    };
    for (const auto& row : kRows)
      QCOMPARE(page->ValueOf(QString::fromUtf8(row.caption), row.nth), QString::fromUtf8(row.value));
    w.InfoPanel->resize(w.InfoPanel->width(), 760);
    Shot(w.InfoPanel, "shooting_data_blackboard");
    Shot(&w, "main_window_blackboard");

    // A photo without a board, then one whose file is gone.
    page->ShowFile((root_ / "PHOTO" / "PIC" / "P0000002.JPG").string());
    QCOMPARE(page->ValueOf(QString()), QStringLiteral("小黒板情報はありません"));
    QCOMPARE(page->ValueOf(QStringLiteral("工種")), QString());
    page->ShowFile(std::string());
    QCOMPARE(page->rowCount(), int{ShootingDataPage::kRowCount});
  }
};

QTEST_MAIN(BlackboardWindowTest)
#include "blackboard_window_test.moc"
