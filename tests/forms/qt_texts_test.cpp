// Qt's standard texts in Japanese, and English when the translation is missing.
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <memory>

#include "forms/qt_texts.h"

using namespace zor;

namespace {

QStringList ButtonTexts() {
  QMessageBox box(QMessageBox::Question, QString(), QString(),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel | QMessageBox::Ok);
  QStringList texts;
  for (QMessageBox::StandardButton b : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel, QMessageBox::Ok})
    texts << box.button(b)->text();
  return texts;
}

QStringList ContextMenuTexts() {
  QLineEdit edit;
  std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
  QStringList texts;
  for (QAction* action : menu->actions())
    if (!action->isSeparator()) texts << action->text().section(QLatin1Char('\t'), 0, 0);
  return texts;
}

void RemoveTranslators() { qDeleteAll(qApp->findChildren<QTranslator*>()); }

}  // namespace

class QtTextsTest : public QObject {
  Q_OBJECT
 private slots:
  void cleanup() { RemoveTranslators(); }

  void missingOrUnreadableTranslationLeavesEnglish_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("present");
    QTest::newRow("missing") << QByteArray() << false;
    QTest::newRow("not a translation") << QByteArray("not a qm file") << true;
    QTest::newRow("empty") << QByteArray() << true;
  }
  void missingOrUnreadableTranslationLeavesEnglish() {
    QFETCH(QByteArray, content);
    QFETCH(bool, present);
    QTemporaryDir dir;
    if (present) {
      QFile file(dir.filePath(QStringLiteral("qtbase_ja.qm")));
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write(content);
    }
    QVERIFY(!InstallJapaneseQtTexts(*qApp, dir.path()));
    QVERIFY(qApp->findChildren<QTranslator*>().isEmpty());
    QCOMPARE(ButtonTexts(), (QStringList{"&Yes", "&No", "Cancel", "OK"}));
    QVERIFY(ContextMenuTexts().contains(QStringLiteral("&Undo")));
  }

  void standardButtonsAndContextMenusSpeakJapanese() {
    if (!QFile::exists(QtTranslationsFolder() + QStringLiteral("/qtbase_ja.qm")))
      QSKIP("qt6-translations-l10n is not installed");
    QVERIFY(InstallJapaneseQtTexts(*qApp));
    const QStringList buttons = ButtonTexts();
    QVERIFY2(buttons[0].startsWith(QStringLiteral("はい")), qPrintable(buttons.join(' ')));
    QVERIFY2(buttons[1].startsWith(QStringLiteral("いいえ")), qPrintable(buttons.join(' ')));
    QCOMPARE(buttons[2], QStringLiteral("キャンセル"));
    QCOMPARE(buttons[3], QStringLiteral("OK"));
    const QStringList menu = ContextMenuTexts();
    QVERIFY2(!menu.contains(QStringLiteral("&Undo")), qPrintable(menu.join(' ')));
    QVERIFY2(menu.filter(QStringLiteral("元に戻す")).size() == 1, qPrintable(menu.join(' ')));
    QVERIFY2(menu.filter(QStringLiteral("貼り付け")).size() == 1, qPrintable(menu.join(' ')));
  }
};

QTEST_MAIN(QtTextsTest)
#include "qt_texts_test.moc"
