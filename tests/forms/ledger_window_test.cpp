// The photo ledger in the window: the File menu command, the dialog's run
// on its own thread with the PDF opened at the end, the photos on show only,
// 中止, and the refusal to write into the delivery. With ZOR_SHOTS set, a
// picture of the dialog goes into that folder.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QPlainTextEdit>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>

#include "app/folders.h"
#include "app/settings.h"
#include "camera_delivery.h"
#include "forms/ledger_dialog.h"
#include "forms/main_window.h"
#include "forms/photo_list.h"
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

class LedgerWindowTest : public QObject {
  Q_OBJECT
 private:
  QTemporaryDir dir_;
  Folders folders_;
  Delivery delivery_;

  fs::path Temp() const { return dir_.path().toStdString(); }

 private slots:
  void init() {
    QVERIFY(dir_.isValid());
    folders_ = ComputeFolders(Temp().string() + "/prog", Temp().string() + "/data", Temp().string());
  }

  void writesOpensStopsAndRefuses() {
    const fs::path root = Temp() / "delivery";
    test::CameraDelivery spec;
    spec.photos = 60;
    spec.missing = {4};
    QVERIFY(test::WriteCameraDelivery(root, spec));
    Settings settings = DefaultSettings(folders_);
    QuietWindow w(folders_, settings, delivery_);
    w.resize(1000, 700);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.DispatchDeliveryFile(QString::fromStdString((root / "INDEX_C.XML").string())));

    auto* command = w.findChild<QAction*>(QStringLiteral("Mn_Ledger"));
    QVERIFY(command);
    QCOMPARE(command->text(), QStringLiteral("工事写真帳（PDF）の作成(&P)..."));
    command->trigger();
    LedgerDialog* dialog = w.LedgerForm;
    QVERIFY(dialog && dialog->isVisible());
    std::vector<fs::path> opened;
    dialog->Open = [&opened](const fs::path& file) {
      opened.push_back(file);
      return true;
    };
    const fs::path pdf = Temp() / "out" / "ledger.pdf";
    fs::create_directories(pdf.parent_path());
    dialog->FileEdit->setText(QString::fromStdString(pdf.string()));

    // Every photo, three to a page; the window stays live meanwhile.
    QSignalSpy finished(dialog, &LedgerDialog::Finished);
    dialog->StartBtn->click();
    QVERIFY(dialog->Running());
    QVERIFY(!dialog->StartBtn->isEnabled());
    QVERIFY(dialog->StopBtn->isEnabled());
    QVERIFY(finished.wait(30000));
    QVERIFY(dialog->Result() && dialog->Result()->finished);
    QCOMPARE(dialog->Result()->pages, 1 + 20);
    QCOMPARE(dialog->Result()->missing, 1);
    QCOMPARE(dialog->Progress->value(), dialog->Progress->maximum());
    QVERIFY(dialog->Summary->toPlainText().contains(QStringLiteral("（21 ページ、写真 60 枚）")));
    QCOMPARE(opened, std::vector<fs::path>{pdf});
    QVERIFY(dialog->StartBtn->isEnabled());
    Shot(dialog, "ledger_dialog");

    // Only the photos on show: list mode's, two to a page.
    w.PhotoLists->EnterListMode(2, TIntList{5, 2, 9});
    dialog->ShownCheck->setChecked(true);
    dialog->TwoRadio->setChecked(true);
    dialog->StartBtn->click();
    QVERIFY(finished.wait(30000));
    QCOMPARE(dialog->Result()->photos, 3);
    QCOMPARE(dialog->Result()->pages, 1 + 2);

    // 中止: the file of the earlier run stays as it was, nothing else is left.
    const auto before = fs::file_size(pdf);
    dialog->ShownCheck->setChecked(false);
    dialog->StartBtn->click();
    dialog->StopBtn->click();
    QVERIFY(finished.wait(30000));
    QVERIFY(dialog->Result()->cancelled);
    QCOMPARE(fs::file_size(pdf), before);
    QCOMPARE(std::distance(fs::directory_iterator(pdf.parent_path()), fs::directory_iterator()), 1);
    QVERIFY(dialog->Summary->toPlainText().contains(QStringLiteral("中止しました")));
    QCOMPARE(opened.size(), 2u);

    // Never into the delivery: said at once, nothing started.
    dialog->FileEdit->setText(QString::fromStdString((root / "PHOTO" / "ledger.pdf").string()));
    dialog->StartBtn->click();
    QVERIFY(!dialog->Running());
    QVERIFY(dialog->Summary->toPlainText().startsWith(QStringLiteral("電子納品データのフォルダの中には出力できません。")));
    QVERIFY(!fs::exists(root / "PHOTO" / "ledger.pdf"));

    dialog->close();
    QVERIFY(!dialog->Running());
  }
};

QTEST_MAIN(LedgerWindowTest)
#include "ledger_window_test.moc"
