#include <QCheckBox>
#include <QLabel>
#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "forms/settings_dialog.h"

using namespace zor;

class SettingsDialogTest : public QObject {
  Q_OBJECT
 private slots:
  void cancelChangesNothing() {
    Settings settings;
    const Settings before = settings;
    SettingsDialog form(settings);
    form.CB_Parser->setCurrentIndex(1);
    form.CB_Thumbnail->setValue(7);
    form.CB_Xhtml->setChecked(!settings.Xhtml);
    form.CE_HtmlPage->setValue(12);
    form.CB_Sanko->setChecked(!settings.HtmlSanko);
    form.BtnCancel->click();
    QCOMPARE(form.result(), int(QDialog::Rejected));
    QVERIFY(settings == before);
  }

  void okStoresAllFive() {
    Settings settings;
    settings.MsXmlParser = true;
    SettingsDialog form(settings);
    QCOMPARE(form.CB_Parser->currentIndex(), 0);
    QCOMPARE(form.CB_Thumbnail->value(), settings.THUMBNAIL_USER);
    form.CB_Parser->setCurrentIndex(1);  // the own tokenizer
    form.CB_Thumbnail->setValue(5);
    form.CB_Xhtml->setChecked(true);
    form.CE_HtmlPage->setValue(30);
    form.CB_Sanko->setChecked(true);
    form.BtnOK->click();
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(settings.MsXmlParser, false);
    QCOMPARE(settings.THUMBNAIL_USER, 5);
    QCOMPARE(settings.Xhtml, true);
    QCOMPARE(settings.HtmlPage, 30);
    QCOMPARE(settings.HtmlSanko, true);
  }

  void limits() {
    Settings settings;
    SettingsDialog form(settings);
    form.CB_Thumbnail->setValue(10);
    QCOMPARE(form.CB_Thumbnail->value(), 9);
    form.CB_Thumbnail->setValue(0);
    QCOMPARE(form.CB_Thumbnail->value(), 1);
    form.CE_HtmlPage->setValue(31);
    QCOMPARE(form.CE_HtmlPage->value(), 30);
    QCOMPARE(form.findChild<QLabel*>(QStringLiteral("LB_Thumbnail3"))->text(), QStringLiteral("( 1 ～ 9 )"));
  }
};

QTEST_MAIN(SettingsDialogTest)
#include "settings_dialog_test.moc"
