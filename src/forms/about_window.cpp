#include "forms/about_window.h"

#include <gif_lib.h>
#include <jpeglib.h>
#include <libxml/xmlversion.h>
#include <png.h>
#include <zlib.h>

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QUrl>
#include <QVBoxLayout>

#include "app/product.h"
#include "app/version.h"
#include "forms/dialog_helpers.h"
#include "forms/dropped_files.h"
#include "forms/help_window.h"
#include "forms/message_boxes.h"

namespace zor {
namespace {

// The logo: a camera lens over a survey grid, drawn rather than shipped.
QPixmap Logo(QSize size) {
  QPixmap pix(size);
  pix.fill(Qt::white);
  QPainter p(&pix);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient band(0, 0, size.width(), 0);
  band.setColorAt(0, QColor(0, 90, 160));
  band.setColorAt(1, QColor(120, 190, 230));
  p.fillRect(QRect(0, size.height() / 3, size.width(), size.height() / 3), band);
  int r = size.height() / 2 - 4;
  QPoint c(size.width() / 2, size.height() / 2);
  p.setPen(QPen(QColor(40, 40, 40), 3));
  p.setBrush(QColor(250, 250, 250));
  p.drawEllipse(c, r, r);
  p.setBrush(QColor(0, 90, 160));
  p.drawEllipse(c, r / 2, r / 2);
  p.setBrush(Qt::white);
  p.setPen(Qt::NoPen);
  p.drawEllipse(c - QPoint(r / 5, r / 5), r / 6, r / 6);
  return pix;
}

}  // namespace

QString AboutWindow::MemoText() {
  QString gm = QStringLiteral("GraphicsMagick");
  return QStringLiteral(
             "本ソフトウェアは電子納品の写真データを閲覧・検証するためのビューアです。\n"
             "無償で使用できます。電子納品のファイルを書き換えることはありません。\n"
             "本ソフトウェアの使用により生じたいかなる損害についても、作者は責任を負いません。\n"
             "\n"
             "――― 使用しているライブラリ ―――\n"
             "\n"
             "Qt %1 (LGPL v3)\n"
             "Copyright (C) The Qt Company Ltd.\n"
             "\n"
             "libjpeg-turbo (JPEG library %2)\n"
             "このソフトウェアは Independent JPEG Group のソフトウェアを一部利用しています。\n"
             "This software is based in part on the work of the Independent JPEG Group.\n"
             "\n"
             "giflib %3.%4.%5\n"
             "Copyright (C) Eric S. Raymond and the giflib authors (MIT License)\n"
             "\n"
             "libxml2 %6\n"
             "Copyright (C) Daniel Veillard (MIT License)\n"
             "\n"
             "%7\n"
             "Copyright (C) GraphicsMagick Group (MIT License)\n"
             "\n"
             "libpng %8\n"
             "Copyright (C) the PNG Reference Library authors (PNG Reference Library License)\n"
             "\n"
             "zlib %9\n"
             "Copyright (C) Jean-loup Gailly and Mark Adler (zlib License)\n")
      .arg(QString::fromLatin1(qVersion()))
      .arg(JPEG_LIB_VERSION)
      .arg(GIFLIB_MAJOR)
      .arg(GIFLIB_MINOR)
      .arg(GIFLIB_RELEASE)
      .arg(QString::fromLatin1(LIBXML_DOTTED_VERSION))
      .arg(gm)
      .arg(QString::fromLatin1(png_get_libpng_ver(nullptr)))
      .arg(QString::fromLatin1(zlibVersion()));
}

AboutWindow::AboutWindow(QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("VerForm"));
  setProperty("helpContext", 176);
  setWindowTitle(QStringLiteral("バージョン情報"));
  setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);
  setAcceptDrops(true);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
  setFixedSize(464, 256);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 6, 8, 6);
  layout->setSpacing(4);
  Label1 = new QLabel(this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setAlignment(Qt::AlignCenter);
  QFont title = Label1->font();
  // The Japanese proportional Gothic where the desktop has it (font
  // configuration maps the name), else the default font.
  title.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"), title.family()});
  title.setBold(true);
  title.setPixelSize(16);
  Label1->setFont(title);
  layout->addWidget(Label1);

  auto* row = new QHBoxLayout;
  Label2 = new QLabel(QStringLiteral("Version %1  Powered by").arg(QString::fromLatin1(kVersionText)), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  QFont version = Label2->font();
  version.setBold(true);
  version.setPixelSize(15);
  Label2->setFont(version);
  Image1 = new QLabel(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setPixmap(Logo(QSize(96, 48)));
  Image1->setCursor(Qt::PointingHandCursor);
  row->addWidget(Label2, 1);
  row->addWidget(Image1);
  layout->addLayout(row);

  Memo = new QTextEdit(this);
  Memo->setObjectName(QStringLiteral("Memo"));
  Memo->setReadOnly(true);
  // The licence and credits wrap to the window's width.
  Memo->setLineWrapMode(QTextEdit::WidgetWidth);
  Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo->setPlainText(MemoText());
  // Every line centred.
  QTextCursor all(Memo->document());
  all.select(QTextCursor::Document);
  QTextBlockFormat centred;
  centred.setAlignment(Qt::AlignHCenter);
  all.mergeBlockFormat(centred);
  layout->addWidget(Memo, 1);

  auto* buttons = new QHBoxLayout;
  // The two flat buttons look and point like links.
  auto linkButton = [this](const char* name, const QString& caption, const QString& tip) {
    QPushButton* button = DialogButton(this, name, caption, false);
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setToolTip(tip);
    return button;
  };
  SpeedButton2 = linkButton("SpeedButton2", QStringLiteral("開く(&O)"), QStringLiteral("XMLファイルを開く"));
  Button_NewPrg =
      linkButton("Button_NewPrg", QStringLiteral("最新のブラウザの入手(&B)"), QStringLiteral("最新ブラウザの入手"));
  OkBtn = DialogButton(this, "OkBtn", QStringLiteral("閉じる"), true);
  buttons->addWidget(SpeedButton2);
  buttons->addWidget(Button_NewPrg);
  buttons->addStretch();
  buttons->addWidget(OkBtn);
  layout->addLayout(buttons);

  connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
  connect(SpeedButton2, &QPushButton::clicked, this, &AboutWindow::SpeedButton2Click);
  connect(Button_NewPrg, &QPushButton::clicked, this, &AboutWindow::Button_NewPrgClick);

  // Centred over the owner; without one, centred across the screen and a
  // quarter down.
  if (owner) {
    QRect o = owner->frameGeometry();
    move(o.left() + (o.width() - width()) / 2, o.top() + (o.height() - height()) / 2);
  } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect s = screen->geometry();
    move((s.width() - width()) / 2, (s.height() - height()) / 4);
  }
}

void AboutWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Label1->setText(QString::fromUtf8(kProductTitleLinesUtf8));
  raise();
  OkBtn->setFocus();
}

int AboutWindow::exec() {
  inExec_ = true;
  int result;
  do {
    comeBack_ = false;
    result = QDialog::exec();
  } while (comeBack_);
  inExec_ = false;
  return result;
}

void AboutWindow::SpeedButton2Click() {
  hide();
  if (ChooseDeliveryFolder && ChooseDeliveryFolder()) {
    accept();
    return;
  }
  // A cancelled choice comes back here; in exec() the hiding has ended the
  // modal loop, which then shows the window again.
  if (inExec_)
    comeBack_ = true;
  else
    show();
}

void AboutWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void AboutWindow::dropEvent(QDropEvent* event) {
  const QStringList files = TakeDroppedFiles(event);
  if (FileDrop) FileDrop(files);
}

void AboutWindow::Button_NewPrgClick() {
  QUrl page = QUrl::fromLocalFile(HelpFile);
  page.setFragment(QStringLiteral("browsers"));
  // Over this modal window the help is modal too, so that it can be read.
  HelpWindow help(this);
  help.setModal(true);
  if (HelpFile.isEmpty() || !help.ShowPage(page)) {
    ErrorBox(this, QStringLiteral("ヘルプを表示できません。\n\n") + page.toDisplayString(QUrl::PreferLocalFile));
    return;
  }
  help.exec();
}

void ShowAboutWindow(QWidget* owner, std::function<bool()> chooseFolder,
                     std::function<void(const QStringList&)> fileDrop, const QString& helpFile) {
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  AboutWindow form(owner);
  form.HelpFile = helpFile;
  form.ChooseDeliveryFolder = std::move(chooseFolder);
  form.FileDrop = std::move(fileDrop);
  QGuiApplication::restoreOverrideCursor();
  form.exec();
}

}  // namespace zor
