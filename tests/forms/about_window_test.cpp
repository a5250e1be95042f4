// The about window as a launcher: open and cancel, drops, closing keys.
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QUrl>

#include "app/folders.h"
#include "app/settings.h"
#include "forms/about_window.h"
#include "forms/main_window.h"
#include "text/encoding.h"

using namespace zor;

namespace {

class TestWindow : public MainWindow {
 public:
  using MainWindow::MainWindow;
  void ShowInformation(const std::string& text) override { infos << QString::fromStdString(Cp932ToUtf8(text)); }
  QStringList infos;
};

// Drop events cannot be sent without a drag in progress; the handler is
// called as the drag manager would.
class DropForm : public AboutWindow {
 public:
  using AboutWindow::AboutWindow;
  void Drop(const QString& file) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(file)});
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    dropEvent(&drop);
  }
};

}  // namespace

class AboutWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void titleAndCentredMemo() {
    AboutWindow form(nullptr);
    form.show();
    QCOMPARE(form.Label1->text().count(QLatin1Char('\n')), 2);
    // The version of the build, the one --version and the package give.
    QCOMPARE(form.Label2->text(), QStringLiteral("Version " ZOR_PROJECT_VERSION "  Powered by"));
    QVERIFY(form.Memo->toPlainText().contains(QStringLiteral("Independent JPEG Group")));
    for (QTextBlock b = form.Memo->document()->begin(); b.isValid(); b = b.next())
      QVERIFY(b.blockFormat().alignment() & Qt::AlignHCenter);
    QCOMPARE(form.focusWidget(), static_cast<QWidget*>(form.OkBtn));
  }

  void escapeAndEnterClose_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Escape") << int(Qt::Key_Escape);
    QTest::newRow("Enter") << int(Qt::Key_Return);
  }
  void escapeAndEnterClose() {
    QFETCH(int, key);
    AboutWindow form(nullptr);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::keyClick(&form, Qt::Key(key));
    QVERIFY(!form.isVisible());
  }

  void openCancelledComesBackAndOpenedCloses() {
    for (bool read : {false, true}) {
      AboutWindow form(nullptr);
      form.show();
      bool hiddenWhileChoosing = false;
      form.ChooseDeliveryFolder = [&] {
        hiddenWhileChoosing = !form.isVisible();
        return read;
      };
      form.SpeedButton2->click();
      QVERIFY(hiddenWhileChoosing);
      QCOMPARE(form.isVisible(), !read);
      QCOMPARE(form.result(), read ? int(QDialog::Accepted) : int(QDialog::Rejected));
    }
  }

  // The same through the modal showing that start-up and the menu use:
  // hiding the window for the folder choice must not end its modal loop.
  void cancelledChoiceKeepsTheModalWindowOpen() {
    AboutWindow form(nullptr);
    int choices = 0;
    form.ChooseDeliveryFolder = [&] { return ++choices == 2; };
    bool shownAfterCancel = false;
    QTimer::singleShot(0, &form, [&] {
      form.SpeedButton2->click();  // cancelled: the window comes back
      QTimer::singleShot(20, &form, [&] {
        shownAfterCancel = form.isVisible();
        form.SpeedButton2->click();  // read: the window closes
      });
    });
    QTimer::singleShot(5000, &form, [&] { form.reject(); });  // a safety net only
    const int result = form.exec();
    QVERIFY(shownAfterCancel);
    QCOMPARE(choices, 2);
    QCOMPARE(result, int(QDialog::Accepted));
    QVERIFY(!form.isVisible());
  }

  // Drops go to the main window's handler: a photo.xml closes the about
  // window and is opened; another file is refused and the window stays.
  void dropsGoThroughTheMainWindow() {
    QTemporaryDir dir;
    const std::string root = dir.path().toStdString();
    Folders folders = ComputeFolders(root + "/prog", root + "/data", root);
    Settings settings = DefaultSettings(folders);
    Delivery delivery;
    TestWindow w(folders, settings, delivery);
    QStringList opened;
    w.OpenDeliveryFile = [&opened](const QString& f) {
      opened << f;
      return true;
    };
    const QString photo = dir.filePath(QStringLiteral("photo.xml"));
    const QString other = dir.filePath(QStringLiteral("INDEX_C.XML"));
    for (const QString& f : {photo, other}) QFile(f).open(QIODevice::WriteOnly);

    DropForm form(&w);
    form.FileDrop = [&w](const QStringList& files) { w.HandleDroppedFiles(files); };
    form.show();
    form.Drop(other);
    QVERIFY(form.isVisible());
    QCOMPARE(w.infos, QStringList{QStringLiteral("このファイル名はサポートできません。 > INDEX_C.XML")});
    form.Drop(photo);
    QVERIFY(!form.isVisible());
    QCOMPARE(opened, QStringList{photo});
  }
};

QTEST_MAIN(AboutWindowTest)
#include "about_window_test.moc"
