#include "forms/shooting_data_page.h"

#include <QHeaderView>
#include <QLocale>
#include <filesystem>

#include "forms/qtext.h"
#include "inspect/picture_facts.h"

namespace zor {

ShootingDataPage::ShootingDataPage(QWidget* parent) : QTableWidget(kRowCount, 2, parent) {
  setObjectName(QStringLiteral("ShootingData"));
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::NoSelection);
  horizontalHeader()->hide();
  verticalHeader()->hide();
  horizontalHeader()->setStretchLastSection(true);
  // One line a row, as the item grids beside it.
  setWordWrap(false);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  setColumnWidth(0, 112);
  const QString captions[kRowCount] = {QStringLiteral("カメラのメーカー"), QStringLiteral("カメラの機種"),
                                       QStringLiteral("撮影日時(EXIF)"),   QStringLiteral("画素数"),
                                       QStringLiteral("ファイルサイズ"),   QStringLiteral("形式"),
                                       QStringLiteral("改ざんチェック")};
  for (int r = 0; r < kRowCount; ++r) {
    auto* caption = new QTableWidgetItem(captions[r]);
    caption->setBackground(palette().color(QPalette::Button));
    setItem(r, 0, caption);
    setItem(r, 1, new QTableWidgetItem);
  }
}

QString ShootingDataPage::Value(int row) const { return item(row, 1) ? item(row, 1)->text() : QString(); }

void ShootingDataPage::Clear() {
  for (int r = 0; r < kRowCount; ++r) item(r, 1)->setText(QString());
}

void ShootingDataPage::ShowFile(const std::string& file) {
  Clear();
  if (file.empty()) {
    item(kFormat, 1)->setText(QStringLiteral("ファイルがありません"));
    return;
  }
  const PictureFacts f = ReadPictureFacts(std::filesystem::path(file));
  if (!f.opened) {
    item(kFormat, 1)->setText(QStringLiteral("ファイルを読めません（%1）").arg(QString::fromStdString(f.readError)));
    return;
  }
  item(kMake, 1)->setText(QString::fromLatin1(f.exif.make.c_str()));
  item(kModel, 1)->setText(QString::fromLatin1(f.exif.model.c_str()));
  if (f.exif.dateTimeOriginal) {
    QString text = QString::fromLatin1(f.exif.dateTimeOriginal->c_str());
    if (f.exif.subSecTimeOriginal && !f.exif.subSecTimeOriginal->empty())
      text += QLatin1Char('.') + QString::fromLatin1(f.exif.subSecTimeOriginal->c_str());
    item(kDateTime, 1)->setText(text);
  } else {
    item(kDateTime, 1)->setText(QStringLiteral("(なし)"));
  }
  if (f.width > 0 && f.height > 0)
    item(kPixels, 1)
        ->setText(QStringLiteral("%1 x %2 (%3万画素)")
                      .arg(f.width)
                      .arg(f.height)
                      .arg(QString::number(static_cast<double>(f.width) * f.height / 10000.0, 'f', 0)));
  item(kFileSize, 1)
      ->setText(QStringLiteral("%1 バイト").arg(QLocale::c().toString(static_cast<qulonglong>(f.fileSize))));
  QString format = QString::fromLatin1(PictureFormatName(f.format));
  if (format.isEmpty()) format = QStringLiteral("不明");
  if (!f.formatFault.empty()) format += QStringLiteral("（読めない部分があります）");
  item(kFormat, 1)->setText(format);
  const std::string outcome = TamperOutcomeText(f.tamper);
  item(kTamper, 1)->setText(outcome.empty() ? QStringLiteral("改ざんチェック値なし") : Qs(outcome));
  if (f.tamper != TamperOutcome::kIntact && f.tamper != TamperOutcome::kNoData)
    item(kTamper, 1)->setForeground(QColor(200, 0, 0));
  else
    item(kTamper, 1)->setForeground(palette().color(QPalette::Text));
}

}  // namespace zor
