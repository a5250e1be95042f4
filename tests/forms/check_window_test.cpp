// The check of the whole delivery in the window, and the verification
// dialog's leading lines and list of faulty entries: the File menu
// commands, a run, the grouped findings, a double click that lands on the
// photo and the item's grid row, copying, saving (and the refusal inside
// the delivery), and a new load clearing what named the old delivery. With
// ZOR_SHOTS set, pictures of the dialogs go into that folder.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>

#include "app/folders.h"
#include "app/settings.h"
#include "forms/check_dialog.h"
#include "forms/findings_view.h"
#include "forms/help_keys.h"
#include "forms/info_panel.h"
#include "forms/item_grid.h"
#include "forms/main_window.h"
#include "forms/photo_list.h"
#include "forms/qtext.h"
#include "forms/verification_dialog.h"
#include "store/delivery.h"
#include "text/encoding.h"

using namespace zor;
namespace fs = std::filesystem;

namespace {

// The window with its message boxes answered and recorded.
class RecordingWindow : public MainWindow {
 public:
  using MainWindow::MainWindow;
  bool ConfirmYesCancel(const std::string& text) override {
    questions << QString::fromStdString(Cp932ToUtf8(text));
    return true;
  }
  void ShowInformation(const std::string& text) override { infos << QString::fromStdString(Cp932ToUtf8(text)); }
  void ShowWarning(const std::string& text) override { warnings << QString::fromStdString(Cp932ToUtf8(text)); }
  void ShowLevelWarning(const std::string&) override {}
  QStringList questions, infos, warnings;
};

void Shot(QWidget* w, const char* name) {
  const QByteArray folder = qgetenv("ZOR_SHOTS");
  if (folder.isEmpty()) return;
  QDir().mkpath(QString::fromLocal8Bit(folder));
  w->grab().save(QString::fromLocal8Bit(folder) + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
}

QStringList Captions(const QTreeWidget* report) {
  QStringList captions;
  for (int i = 0; i < report->topLevelItemCount(); ++i) captions << report->topLevelItem(i)->text(0);
  return captions;
}

QTreeWidgetItem* Row(const QTreeWidget* report, const QString& record, const QString& item) {
  for (int i = 0; i < report->topLevelItemCount(); ++i)
    for (int j = 0; j < report->topLevelItem(i)->childCount(); ++j) {
      QTreeWidgetItem* row = report->topLevelItem(i)->child(j);
      if (row->text(FindingsView::kRecordColumn) == record && row->text(FindingsView::kItemColumn) == item) return row;
    }
  return nullptr;
}

QTreeWidgetItem* Group(const QTreeWidget* report, const QString& captionStart) {
  for (int i = 0; i < report->topLevelItemCount(); ++i)
    if (report->topLevelItem(i)->text(0).startsWith(captionStart)) return report->topLevelItem(i);
  return nullptr;
}

// The name of the current row of the grid the information panel shows.
QString CurrentItem(const InfoPanel* panel) {
  const ItemGrid* grid = panel->VisibleGrid();
  return grid->Cell(1, grid->Row());
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class CheckWindowTest : public QObject {
  Q_OBJECT
 private:
  QTemporaryDir dir_;
  Folders folders_;
  Delivery delivery_;

  // A copy of a fixture delivery, so that a report refused inside it could
  // never land in the source tree.
  QString CopyOf(const char* fixture) {
    const fs::path root = dir_.path().toStdString() + "/" + fixture;
    fs::remove_all(root);
    fs::copy(std::string(ZOR_TEST_DATA "/import/") + fixture, root, fs::copy_options::recursive);
    return QString::fromStdString(root.string());
  }

 private slots:
  void init() {
    QVERIFY(dir_.isValid());
    const std::string root = dir_.path().toStdString();
    folders_ = ComputeFolders(root + "/prog", root + "/data", root);
  }

  void checksTheDeliveryAndLeadsToThePhotoAndItsRow() {
    Settings settings = DefaultSettings(folders_);
    RecordingWindow w(folders_, settings, delivery_);
    w.resize(1100, 760);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    settings.MissHanni = 1;  // 撮影箇所 and 施工管理値 count as missing from scope 1 on
    const QString delivery = CopyOf("construction");
    QVERIFY(w.DispatchDeliveryFile(delivery + QStringLiteral("/INDEX_C.XML")));
    QVERIFY(!w.ReadWithoutValidation());

    auto* command = w.findChild<QAction*>(QStringLiteral("Mn_Check"));
    QVERIFY(command);
    QCOMPARE(command->text(), QStringLiteral("納品データのチェック(&C)..."));
    QCOMPARE(command->property(kHelpContext).toInt(), 38);
    command->trigger();
    CheckDialog* dialog = w.CheckForm;
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("納品データのチェック"));
    QCOMPARE(HelpContextFor(dialog->Report, &w), 38);
    QCOMPARE(dialog->CE_Hanni->currentIndex(), 1);
    QVERIFY(!dialog->SaveBtn->isEnabled() && !dialog->ListBtn->isEnabled());

    QSignalSpy finished(dialog, &CheckDialog::Finished);
    dialog->StartBtn->click();
    QVERIFY(finished.wait(10000));
    QVERIFY(dialog->StartBtn->isEnabled() && !dialog->StopBtn->isEnabled());
    QVERIFY(dialog->SaveBtn->isEnabled() && dialog->ListBtn->isEnabled());
    QCOMPARE(dialog->Progress->value(), dialog->Progress->maximum());
    QCOMPARE(dialog->Version->text(), QStringLiteral("国交省 22年9月 工事完成図書の電子納品等要領"));
    QVERIFY(dialog->Notes->isHidden());  // validated under an earlier guideline: nothing to say first
    QVERIFY2(dialog->Summary->text().startsWith(QStringLiteral("写真・参考図 5 件")),
             qPrintable(dialog->Summary->text()));

    // Groups by severity, then check, each caption in Japanese with its count.
    const QStringList captions = Captions(dialog->Report);
    const QRegularExpression caption(QStringLiteral("^(誤り|注意|参考) — (.+) (\\d+) 件$"));
    int lastRank = 0;
    for (int i = 0; i < captions.size(); ++i) {
      const QRegularExpressionMatch m = caption.match(captions[i]);
      QVERIFY2(m.hasMatch(), qPrintable(captions[i]));
      const int rank =
          QStringList{QStringLiteral("誤り"), QStringLiteral("注意"), QStringLiteral("参考")}.indexOf(m.captured(1));
      QVERIFY2(rank >= lastRank, qPrintable(captions.join(QLatin1Char('|'))));
      lastRank = rank;
      QCOMPARE(m.captured(3).toInt(), dialog->Report->topLevelItem(i)->childCount());
    }
    QVERIFY(captions.contains(QStringLiteral("誤り — 入力漏れ 5 件")));
    QVERIFY(captions.contains(QStringLiteral("誤り — ファイルの有無 2 件")));
    QVERIFY(captions.contains(QStringLiteral("誤り — ファイル名 1 件")));
    Shot(dialog, "check_dialog");

    // A photo's entry: the photo, and the item's row in the photo grid.
    QTreeWidgetItem* place = Row(dialog->Report, QStringLiteral("3"), QStringLiteral("撮影箇所"));
    QVERIFY(place);
    QCOMPARE(place->text(FindingsView::kFileColumn), QStringLiteral("p0000002.jpg"));
    emit dialog->Report->itemDoubleClicked(place, FindingsView::kItemColumn);
    QCOMPARE(w.context().Photo(), 3);
    QCOMPARE(w.InfoPanel->VisibleGrid(), w.InfoPanel->KoumokuGrid_Photo);
    QCOMPARE(CurrentItem(w.InfoPanel), QStringLiteral("撮影箇所"));
    QCOMPARE(w.InfoPanel->KoumokuGrid_Photo->Cell(2, w.InfoPanel->KoumokuGrid_Photo->Row()), QString());
    // The grid has the keyboard, so that it marks the row.
    QTRY_VERIFY(w.InfoPanel->KoumokuGrid_Photo->hasFocus());
    QTreeWidgetItem* control = Row(dialog->Report, QStringLiteral("5"), QStringLiteral("施工管理値"));
    QVERIFY(control);
    emit dialog->Report->itemDoubleClicked(control, FindingsView::kItemColumn);
    QCOMPARE(w.context().Photo(), 5);
    QCOMPARE(CurrentItem(w.InfoPanel), QStringLiteral("施工管理値"));
    // A drawing's entry: its photo, the drawing, its row in the drawing grid.
    QTreeWidgetItem* drawing = Row(dialog->Report, QStringLiteral("4"), QStringLiteral("参考図ファイル日本語名"));
    QVERIFY(drawing);
    emit dialog->Report->itemDoubleClicked(drawing, FindingsView::kItemColumn);
    QCOMPARE(w.context().Photo(), 3);
    QCOMPARE(w.context().Drawing(), 4);
    QCOMPARE(w.InfoPanel->VisibleGrid(), w.InfoPanel->KoumokuGrid_Sanko);
    QCOMPARE(CurrentItem(w.InfoPanel), QStringLiteral("参考図ファイル日本語名"));
    Shot(&w, "main_window_check");
    // No delayed refill of the drawing list is left to undo the choice.
    QVERIFY(!w.Timer_Sanko.isActive());
    QVERIFY(!w.Timer_NoSel2.isActive());
    // A construction item: its row in the index grid.
    ItemGrid* koji = w.InfoPanel->KoumokuGrid_Koji;
    const QString name = koji->Cell(1, 3);
    w.ShowItemOf(0, 0, SjOf(name), {});
    QCOMPARE(w.InfoPanel->VisibleGrid(), koji);
    QCOMPARE(koji->Row(), 3);

    // Copied: a whole group and one more finding, by Ctrl+C and by the context menu.
    QTreeWidgetItem* missing = Group(dialog->Report, QStringLiteral("誤り — 入力漏れ"));
    QVERIFY(missing);
    dialog->Report->clearSelection();
    missing->setSelected(true);
    Row(dialog->Report, QStringLiteral("3"), QString())->setSelected(true);  // the file name of record 3
    dialog->Report->setFocus();
    QApplication::clipboard()->clear();
    QTest::keyClick(dialog->Report, Qt::Key_C, Qt::ControlModifier);
    QStringList lines = QApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 6);
    QCOMPARE(lines[0],
             QStringLiteral("誤り\t入力漏れ\t3\tp0000002.jpg\t撮影箇所\t\t撮影箇所: ○ 条件付き必須の項目が未入力"));
    QVERIFY2(lines[5].startsWith(QStringLiteral("誤り\tファイル名\t3\tp0000002.jpg\t\t\t")), qPrintable(lines[5]));
    QApplication::clipboard()->clear();
    QTimer::singleShot(0, this, [] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      QVERIFY(menu);
      QCOMPARE(menu->actions().value(0)->text(), QStringLiteral("コピー(&C)"));
      menu->actions().value(0)->trigger();
      menu->close();
    });
    QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, QPoint(10, 10),
                                dialog->Report->viewport()->mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(dialog->Report->viewport(), &menuEvent);
    QCOMPARE(QApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts), lines);

    // Saved beside the delivery, never inside it.
    const QString inside = delivery + QStringLiteral("/PHOTO/report.html");
    QVERIFY(!dialog->SaveReportTo(inside));
    QVERIFY(!QFile::exists(inside));
    QCOMPARE(
        w.infos.value(0),
        QStringLiteral("レポートは電子納品データのフォルダの中には保存できません。\n別のフォルダを指定してください。"));
    const QString html = dir_.path() + QStringLiteral("/check.html");
    QVERIFY(dialog->SaveReportTo(html));
    const QString page = QString::fromUtf8(ReadAll(html));
    QVERIFY(page.contains(QStringLiteral("<title>納品データのチェック結果</title>")));
    QVERIFY(page.contains(QStringLiteral("国交省 22年9月 工事完成図書の電子納品等要領")));
    QVERIFY(page.contains(QStringLiteral("入力漏れ <small>(entry.missing, 5 件)</small>")));
    QVERIFY(page.contains(dialog->Summary->text()));
    QVERIFY(page.contains(QStringLiteral("【写真情報】の未入力項目が 2 件ありました。")));
    // The button: the file chosen with the CSV type and no extension.
    dialog->AskReportFile = [this](const QString& suggested, QString* filter) {
      [&] { QVERIFY(suggested.endsWith(QStringLiteral("/納品データのチェック結果.html"))); }();
      *filter = FindingsDialog::kCsvFilter;
      return dir_.path() + QStringLiteral("/check");
    };
    dialog->SaveBtn->click();
    const QByteArray csv = ReadAll(dir_.path() + QStringLiteral("/check.csv"));
    QVERIFY(csv.startsWith("\xEF\xBB\xBF"));
    QCOMPARE(static_cast<std::size_t>(csv.count("\r\n")), dialog->Outcome()->findings.size() + 1);
    QVERIFY(QString::fromUtf8(csv).contains(
        QStringLiteral("\"誤り\",\"入力漏れ\",\"entry.missing\",\"3\",\"p0000002.jpg\",\"撮影箇所\",\"\"")));
    QCOMPARE(w.infos.size(), 1);  // only the refusal was told

    // The photos with 誤り or 注意 in list mode.
    dialog->ListBtn->click();
    QCOMPARE(w.context().ListMode(), 2);
    QCOMPARE(w.PhotoLists->CurrentList(), (TIntList{3, 5}));

    // Another load forgets the findings, whose records are the old delivery's.
    QVERIFY(w.DispatchDeliveryFile(QStringLiteral(ZOR_TEST_DATA "/import/services/INDEX_D.XML")));
    QVERIFY(!dialog->Running());
    QVERIFY(!dialog->Outcome());
    QCOMPARE(dialog->Report->topLevelItemCount(), 0);
    QVERIFY(!dialog->SaveBtn->isEnabled() && !dialog->ListBtn->isEnabled());
    QVERIFY(dialog->Version->text().isEmpty());
    dialog->close();
    QCOMPARE(settings.MissHanni, 1);
  }

  // A later guideline whose DTD is missing: read without validation, and
  // both the verification and the check say so first, as the command line
  // does; the verification then lists the faulty entries one by one.
  void verificationLeadsWithTheRulesAndListsTheFaultyEntries() {
    Settings settings = DefaultSettings(folders_);
    RecordingWindow w(folders_, settings, delivery_);
    w.resize(1100, 760);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    settings.MissHanni = 1;
    QVERIFY(w.DispatchDeliveryFile(QStringLiteral(ZOR_TEST_DATA "/import/construction-2023/INDEX_C.XML")));
    QVERIFY(!w.questions.isEmpty());
    QVERIFY(w.ReadWithoutValidation());

    w.findChild<QAction*>(QStringLiteral("Mn_InputMiss"))->trigger();
    VerificationDialog* f = w.MissForm;
    QVERIFY(f && f->isVisible());
    f->OpenBtn->click();
    const QStringList report = f->MM_Kekka->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(report.mid(0, 4),
             (QStringList{QStringLiteral("国交省 令和5年3月 工事完成図書の電子納品等要領"),
                          QStringLiteral("記入規則は 国交省 22年9月 工事完成図書の電子納品等要領 によります。"),
                          QStringLiteral("DTDによる検証に失敗したため、ウェルフォームドXML文書として読み込みました。"),
                          QStringLiteral("【写真情報】の未入力項目が 3 件ありました。")}));
    // Every faulty entry, with its record, file, item, value and rule.
    QTreeWidget* list = f->LV_Faults;
    QCOMPARE(list->topLevelItemCount(), static_cast<int>(f->Faults().size()));
    QVERIFY(list->topLevelItemCount() > 0);
    QCOMPARE(f->LB_Faults->text(), QStringLiteral("入力漏れ/入力ミスの項目 %1 件(&L):").arg(list->topLevelItemCount()));
    QTreeWidgetItem* fault = nullptr;
    for (int i = 0; i < list->topLevelItemCount() && !fault; ++i)
      if (list->topLevelItem(i)->text(0) == QLatin1String("4") &&
          list->topLevelItem(i)->text(2) == QStringLiteral("撮影箇所"))
        fault = list->topLevelItem(i);
    QVERIFY(fault);
    QCOMPARE(fault->text(1), QStringLiteral("P0000003.SVG"));
    QCOMPARE(fault->text(4), QStringLiteral("○ 条件付き必須の項目が未入力"));
    Shot(f, "verification_dialog");
    emit list->itemDoubleClicked(fault, 2);
    QCOMPARE(w.context().Photo(), 4);
    QCOMPARE(w.InfoPanel->VisibleGrid(), w.InfoPanel->KoumokuGrid_Photo);
    QCOMPARE(CurrentItem(w.InfoPanel), QStringLiteral("撮影箇所"));

    // The check names the same two lines above its findings.
    w.findChild<QAction*>(QStringLiteral("Mn_Check"))->trigger();
    QSignalSpy finished(w.CheckForm.data(), &CheckDialog::Finished);
    w.CheckForm->StartBtn->click();
    QVERIFY(finished.wait(10000));
    QCOMPARE(w.CheckForm->Notes->text(), report.mid(1, 2).join(QLatin1Char('\n')));
    QVERIFY(!w.CheckForm->Notes->isHidden());
    QCOMPARE(w.CheckForm->Version->text(), report[0]);
    w.CheckForm->close();

    // A delivery that validates: no such lines; the old list is gone with the load.
    QVERIFY(w.DispatchDeliveryFile(QStringLiteral(ZOR_TEST_DATA "/import/construction/INDEX_C.XML")));
    QVERIFY(!w.ReadWithoutValidation());
    QCOMPARE(list->topLevelItemCount(), 0);
    f->OpenBtn->click();
    QVERIFY(!f->MM_Kekka->toPlainText().contains(QStringLiteral("DTDによる検証に失敗")));
    QVERIFY(f->MM_Kekka->toPlainText().startsWith(QStringLiteral("【写真情報】")));
  }

  // The real services delivery whose DTD is missing: the dialog says what
  // `zorview --verify` says, and the check runs over its 64 missing photos.
  void realDeliveryReadWithoutValidation() {
    const QString entry = QStringLiteral(ZOR_SAMPLES_REAL "/services-2022/INDEX_D.XML");
    if (!QFile::exists(entry)) QSKIP("no real deliveries beside the project (../shared/samples/real)");
    Settings settings = DefaultSettings(folders_);
    RecordingWindow w(folders_, settings, delivery_);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    settings.MissHanni = 0;
    QVERIFY(w.DispatchDeliveryFile(entry));
    w.findChild<QAction*>(QStringLiteral("Mn_InputMiss"))->trigger();
    w.MissForm->OpenBtn->click();
    QCOMPARE(w.MissForm->MM_Kekka->toPlainText(),
             QStringLiteral("国交省 令和2年3月 土木設計業務等の電子納品要領\n"
                            "記入規則は 国交省 20年5月 土木設計業務等の電子納品要領(案) によります。\n"
                            "DTDによる検証に失敗したため、ウェルフォームドXML文書として読み込みました。\n"
                            "入力漏れ/入力ミスはありませんでした。"));
    QCOMPARE(w.MissForm->LV_Faults->topLevelItemCount(), 0);

    w.findChild<QAction*>(QStringLiteral("Mn_Check"))->trigger();
    QSignalSpy finished(w.CheckForm.data(), &CheckDialog::Finished);
    w.CheckForm->StartBtn->click();
    QVERIFY(finished.wait(20000));
    QTreeWidgetItem* missing = Group(w.CheckForm->Report, QStringLiteral("誤り — ファイルの有無 "));
    QVERIFY(missing);
    QCOMPARE(missing->childCount(), 64);
    QCOMPARE(w.CheckForm->Outcome()->records.size(), std::size_t{64});
  }
};

QTEST_MAIN(CheckWindowTest)
#include "check_window_test.moc"
