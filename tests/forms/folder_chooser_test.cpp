#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QApplication>

#include "app/ini_file.h"
#include "forms/folder_chooser.h"
#include "text/encoding.h"

using namespace zor;

class FolderChooserTest : public QObject {
  Q_OBJECT
 private:
  QTemporaryDir dir_;
  QString Make(const QString& rel, bool file) {
    QString path = dir_.filePath(rel);
    if (file) {
      QDir().mkpath(QFileInfo(path).path());
      QFile f(path);
      f.open(QIODevice::WriteOnly);
    } else {
      QDir().mkpath(path);
    }
    return path;
  }

 private slots:
  void inputModeStates_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("kindIn");
    QTest::addColumn<bool>("usable");
    QTest::addColumn<int>("kindOut");
    QTest::addColumn<QString>("suffix");
    QTest::newRow("photo found") << "PHOTO.XML" << 0 << true << 0 << " ( 読み込みできます )";
    QTest::newRow("photo lower case") << "photo.xml" << 0 << true << 0 << " ( 読み込みできます )";
    QTest::newRow("photo missing") << "INDEX_C.XML" << 0 << false << 0 << " ( 【PHOTO.XML】がありません )";
    QTest::newRow("index c") << "INDEX_C.XML" << 1 << true << 1 << " ( 読み込みできます )";
    QTest::newRow("index d") << "INDEX_D.XML" << 1 << true << 2 << " ( 読み込みできます )";
    QTest::newRow("index missing keeps kind") << "PHOTO.XML" << 2 << false << 2
                                              << " ( 【INDEX_C.XMLまたはINDEX_D.XML】がありません )";
  }
  void inputModeStates() {
    QFETCH(QString, file);
    QFETCH(int, kindIn);
    QFETCH(bool, usable);
    QFETCH(int, kindOut);
    QFETCH(QString, suffix);
    QString folder = QFileInfo(Make(QStringLiteral("%1/%2").arg(QTest::currentDataTag(), file), true)).path();
    FolderChoice choice;
    choice.kind = kindIn;
    choice.folder = folder;
    FolderChooser form(FolderMode::Input, QString(), QStringLiteral("指定してください。"), 33, choice);
    QCOMPARE(form.OpenBtn->isEnabled(), usable);
    QCOMPARE(form.CheckBtn->isEnabled(), usable);
    QCOMPARE(form.Choice().kind, kindOut);
    QCOMPARE(form.Label_Comment->text(), QStringLiteral("指定してください。") + suffix);
    QVERIFY(!form.Btn_MakeFolder->isVisibleTo(&form));
    QVERIFY(form.CheckBtn->isVisibleTo(&form));
    QCOMPARE(form.windowTitle(), QStringLiteral("フォルダの選択"));
  }

  // A path typed or pasted into the field moves the tree there with Enter,
  // without pressing 実行; a file's path selects its folder; a path that
  // does not exist moves nothing and says so.
  void typedPathMovesTheTree() {
    const QString start = Make(QStringLiteral("typed/start"), false);
    const QString target = QFileInfo(Make(QStringLiteral("typed/deliv/PHOTO.XML"), true)).path();
    FolderChoice choice;
    choice.folder = start;
    FolderChooser form(FolderMode::Input, QString(), QStringLiteral("指定してください。"), 33, choice);
    bool accepted = false;
    connect(&form, &QDialog::accepted, this, [&] { accepted = true; });
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.Ed_Path->text(), QDir::toNativeSeparators(start));
    struct Step {
      QString typed;
      QString folder;  // where the tree is afterwards
      bool usable;
    } steps[] = {
        {target, target, true},
        {QStringLiteral("\"") + start + QStringLiteral("\""), start, false},
        {target + QStringLiteral("/PHOTO.XML"), target, true},
        {dir_.filePath(QStringLiteral("typed/none")), target, true},
        {QStringLiteral("relative/path"), target, true},
    };
    for (const Step& step : steps) {
      form.Ed_Path->setFocus();
      form.Ed_Path->setText(step.typed);
      QTest::keyClick(form.Ed_Path, Qt::Key_Return);
      QCOMPARE(form.Choice().folder, step.folder);
      QCOMPARE(form.OpenBtn->isEnabled(), step.usable);
      QVERIFY(!accepted);
    }
    QVERIFY(form.Label_Comment->text().startsWith(QStringLiteral("そのフォルダは見つかりません: ")));
  }

  // The chooser keeps its size in the window positions file; without the
  // file (after the layout reset) nothing is kept.
  void sizeIsKeptInThePositionsFile() {
    const std::string positions = dir_.filePath(QStringLiteral("ZOR_V.INI")).toStdString();
    FolderChoice choice;
    choice.folder = Make(QStringLiteral("sized"), false);
    auto showOnce = [&](const std::string& file, const QSize& resizeTo) {
      QSize seen;
      QTimer::singleShot(0, [&] {
        auto* form = qobject_cast<FolderChooser*>(QApplication::activeModalWidget());
        QVERIFY(form);
        seen = form->size();
        if (resizeTo.isValid()) form->resize(resizeTo);
        form->CloseBtn->click();
      });
      ShowFolderChooser(nullptr, QString(), QString(), 33, FolderMode::Input, choice, {}, file);
      return seen;
    };
    const QSize first = showOnce(positions, QSize(701, 523));
    QVERIFY(first != QSize(701, 523));
    std::string error;
    std::optional<IniFile> ini = IniFile::Load(positions, &error);
    QVERIFY(ini);
    QCOMPARE(ini->Get("Sz_FolderForm", "szWidth").value_or(""), std::string("701"));
    QCOMPARE(showOnce(positions, QSize()), QSize(701, 523));
    QCOMPARE(showOnce(std::string(), QSize(640, 480)), first);
    QCOMPARE(showOnce(positions, QSize()), QSize(701, 523));
  }

  void outputModeRefusesAFolderWithAlbum() {
    QString free = Make(QStringLiteral("out/free"), false);
    QString taken = Make(QStringLiteral("out/taken/album"), false);
    FolderChoice choice;
    choice.folder = free;
    FolderChooser form(FolderMode::Output, QStringLiteral("ＨＴＭＬ工事写真帳作成／ＨＴＭＬ出力先の指定"),
                       QStringLiteral("出力先のフォルダを指定してください。"), 35, choice);
    QVERIFY(form.OpenBtn->isEnabled());
    QCOMPARE(form.Label_Comment->text(), QStringLiteral("出力先のフォルダを指定してください。 ( 保存できます )"));
    QVERIFY(form.Btn_MakeFolder->isVisibleTo(&form));
    QVERIFY(!form.CheckBtn->isVisibleTo(&form));
    form.SelectFolder(QFileInfo(taken).path());
    QVERIFY(!form.OpenBtn->isEnabled());
    QVERIFY(form.Label_Comment->text().endsWith(QStringLiteral("】フォルダが既に存在します )")));
    QCOMPARE(form.Choice().folder, QFileInfo(taken).path());
  }

  void newFolderNames_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("clean");
    QTest::newRow("plain") << "写真帳" << "写真帳";
    QTest::newRow("trimmed") << "　 写真帳 \t" << "写真帳";
    QTest::newRow("forbidden removed") << "a?b*c\"d,e.f;g:h|i<j>k/l" << "abcdefghijkl";
    QTest::newRow("only blanks and forbidden") << " ?*. 　" << "";
    QTest::newRow("cut at 128 bytes") << QString(70, QChar(0x5199)) << QString(64, QChar(0x5199));
  }
  void newFolderNames() {
    QFETCH(QString, typed);
    QFETCH(QString, clean);
    std::string out = CleanNewFolderName(Utf8ToCp932(typed.toStdString()));
    QCOMPARE(QString::fromStdString(Cp932ToUtf8(out)), clean);
  }
};

QTEST_MAIN(FolderChooserTest)
#include "folder_chooser_test.moc"
