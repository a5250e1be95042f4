#include "forms/settings_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

#include "app/product.h"

namespace zor {

QString SettingsDialog::NoteText() {
  // The validating parser here is libxml2, which is always present; the note
  // says so instead of naming a browser component.
  const QString validating = QString::fromUtf8(kValidatingParserNameUtf8);
  const QString own = QString::fromUtf8(kOwnParserNameUtf8);
  QStringList lines = {
      QStringLiteral("XML Parser(パーサー)選択上の注意"),
      QString(),
      QStringLiteral("XML ParserはXMLファイルの読込／検証を行う為の機能です。"),
      QString(),
      validating + QStringLiteral(" は XMLファイルを"),
      QStringLiteral("DTDに照らして検証しながら読み込みます。"),
      QStringLiteral("検証で問題が見つかった場合は、検証せずに"),
      QStringLiteral("読み込むかどうかを確認します。"),
      QString(),
      own + QStringLiteral(" は"),
      QStringLiteral("このような検証を行いませんが、XMLファイルは"),
      QStringLiteral("検証済みであることを前提としています。"),
      QStringLiteral("検証能力に優れる") + validating + QStringLiteral("で読み込めない"),
      QStringLiteral("ファイルなどでご使用ください。"),
      QString(),
      QStringLiteral("『ジャストフィット時の写真表示数』に関して"),
      QString(),
      QStringLiteral("表示する写真(参考図は除く)を縦か横に指定枚数表示できるように"),
      QStringLiteral("表示上の写真の大きさを変更します。"),
      QStringLiteral("「ジャストフィット」の機能はツールボタンにあります。"),
  };
  return lines.join(QLatin1Char('\n'));
}

SettingsDialog::SettingsDialog(Settings& settings, QWidget* parent) : QDialog(parent), settings_(settings) {
  setObjectName(QStringLiteral("SetForm"));
  setProperty("helpContext", 43);
  setWindowTitle(QStringLiteral("環境設定"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
  setFixedSize(522, 417);

  auto* layout = new QVBoxLayout(this);
  auto* pages = new QTabWidget(this);
  pages->setObjectName(QStringLiteral("PageControl"));
  auto* page = new QWidget(pages);
  pages->addTab(page, QStringLiteral(" 共通設定 "));
  pages->setCurrentWidget(page);
  layout->addWidget(pages, 1);

  auto* grid = new QGridLayout(page);
  Memo = new QTextEdit(page);
  Memo->setAcceptRichText(false);
  Memo->setObjectName(QStringLiteral("Memo"));
  Memo->setReadOnly(true);
  Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo->setPlainText(NoteText());
  // Centre every line of the note.
  QTextCursor cursor(Memo->document());
  cursor.select(QTextCursor::Document);
  QTextBlockFormat centred;
  centred.setAlignment(Qt::AlignHCenter);
  cursor.mergeBlockFormat(centred);
  grid->addWidget(Memo, 0, 0, 1, 4);

  auto* label1 = new QLabel(QStringLiteral("使用する　XML Parser(&X):"), page);
  CB_Parser = new QComboBox(page);
  CB_Parser->setObjectName(QStringLiteral("CB_Parser"));
  CB_Parser->addItems({QString::fromUtf8(kValidatingParserNameUtf8), QString::fromUtf8(kOwnParserNameUtf8)});
  label1->setBuddy(CB_Parser);
  grid->addWidget(label1, 1, 0);
  grid->addWidget(CB_Parser, 1, 1, 1, 3);

  auto* thumb1 = new QLabel(QStringLiteral("ジャストフィット時の写真表示数(&C)"), page);
  thumb1->setObjectName(QStringLiteral("LB_Thumbnail1"));
  CB_Thumbnail = new QSpinBox(page);
  CB_Thumbnail->setObjectName(QStringLiteral("CB_Thumbnail"));
  CB_Thumbnail->setAlignment(Qt::AlignRight);
  CB_Thumbnail->setRange(1, 9);  // one character
  thumb1->setBuddy(CB_Thumbnail);
  auto* thumb2 = new QLabel(QStringLiteral("枚"), page);
  thumb2->setObjectName(QStringLiteral("LB_Thumbnail2"));
  LB_Thumbnail3 = new QLabel(page);
  LB_Thumbnail3->setObjectName(QStringLiteral("LB_Thumbnail3"));
  LB_Thumbnail3->setText(QStringLiteral("( %1 ～ %2 )").arg(CB_Thumbnail->minimum()).arg(CB_Thumbnail->maximum()));
  grid->addWidget(thumb1, 2, 0);
  grid->addWidget(CB_Thumbnail, 2, 1);
  grid->addWidget(thumb2, 2, 2);
  grid->addWidget(LB_Thumbnail3, 2, 3);

  auto* group = new QGroupBox(QStringLiteral("HTML出力設定"), page);
  group->setObjectName(QStringLiteral("GroupBox1"));
  auto* groupLayout = new QGridLayout(group);
  CB_Xhtml = new QCheckBox(QStringLiteral("XHTMLで出力(&X)"), group);
  CB_Xhtml->setObjectName(QStringLiteral("CB_Xhtml"));
  auto* label10 = new QLabel(QStringLiteral("１ページの写真の数(&P)"), group);
  CE_HtmlPage = new QSpinBox(group);
  CE_HtmlPage->setObjectName(QStringLiteral("CE_HtmlPage"));
  CE_HtmlPage->setAlignment(Qt::AlignRight);
  CE_HtmlPage->setRange(1, 30);
  label10->setBuddy(CE_HtmlPage);
  auto* label11 = new QLabel(QStringLiteral("枚"), group);
  CB_Sanko = new QCheckBox(QStringLiteral("参考図が含まれる場合は写真は一枚(&O)"), group);
  CB_Sanko->setObjectName(QStringLiteral("CB_Sanko"));
  groupLayout->addWidget(CB_Xhtml, 0, 0, 1, 3);
  groupLayout->addWidget(label10, 1, 0);
  groupLayout->addWidget(CE_HtmlPage, 1, 1);
  groupLayout->addWidget(label11, 1, 2);
  groupLayout->addWidget(CB_Sanko, 2, 0, 1, 3);
  grid->addWidget(group, 3, 0, 1, 4);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  BtnOK = new QPushButton(QStringLiteral("登録(&R)"), this);
  BtnOK->setObjectName(QStringLiteral("BtnOK"));
  BtnOK->setDefault(true);
  BtnCancel = new QPushButton(QStringLiteral("中止(&C)"), this);
  BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
  buttons->addWidget(BtnOK);
  buttons->addWidget(BtnCancel);
  layout->addLayout(buttons);

  connect(BtnOK, &QPushButton::clicked, this, &SettingsDialog::BtnOKClick);
  connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
  FormShow();
}

void SettingsDialog::FormShow() {
  CB_Parser->setCurrentIndex(settings_.MsXmlParser ? 0 : 1);
  CB_Thumbnail->setValue(settings_.THUMBNAIL_USER);
  CB_Xhtml->setChecked(settings_.Xhtml);
  CE_HtmlPage->setValue(settings_.HtmlPage);
  CB_Sanko->setChecked(settings_.HtmlSanko);
}

void SettingsDialog::BtnOKClick() {
  settings_.THUMBNAIL_USER = CB_Thumbnail->value();
  settings_.MsXmlParser = CB_Parser->currentIndex() == 0;
  settings_.Xhtml = CB_Xhtml->isChecked();
  settings_.HtmlPage = CE_HtmlPage->value();
  settings_.HtmlSanko = CB_Sanko->isChecked();
  accept();
}

bool RunSettingsDialog(Settings& settings, QWidget* parent) {
  SettingsDialog form(settings, parent);
  return form.exec() == QDialog::Accepted;
}

}  // namespace zor
