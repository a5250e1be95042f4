#include "forms/shooting_data_page.h"

#include <QHeaderView>
#include <QLocale>
#include <filesystem>

#include "forms/qtext.h"
#include "inspect/picture_facts.h"
#include "inspect/svg_layers.h"

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

QString ShootingDataPage::ValueOf(const QString& caption, int nth) const {
  for (int r = 0; r < rowCount(); ++r)
    if (item(r, 0) && item(r, 0)->text() == caption && nth-- == 0)
      return item(r, 1) ? item(r, 1)->text() : QStringLiteral("");
  return QString();
}

void ShootingDataPage::Clear() {
  clearSpans();
  setRowCount(kRowCount);
  for (int r = 0; r < kRowCount; ++r) item(r, 1)->setText(QString());
}

void ShootingDataPage::AddRow(const QString& caption, const QString& value) {
  const int r = rowCount();
  setRowCount(r + 1);
  auto* c = new QTableWidgetItem(caption);
  c->setBackground(palette().color(QPalette::Button));
  setItem(r, 0, c);
  auto* v = new QTableWidgetItem(value);
  // One line a row: a value with line breaks shows them as blanks.
  v->setText(QString(value).replace(QLatin1Char('\n'), QLatin1Char(' ')));
  v->setToolTip(value);
  setItem(r, 1, v);
}

void ShootingDataPage::AddHeading(const QString& text) {
  const int r = rowCount();
  setRowCount(r + 1);
  auto* heading = new QTableWidgetItem(text);
  QFont bold = font();
  bold.setBold(true);
  heading->setFont(bold);
  heading->setBackground(palette().color(QPalette::Mid));
  setItem(r, 0, heading);
  setItem(r, 1, new QTableWidgetItem);
  setSpan(r, 0, 1, 2);
}

void ShootingDataPage::ShowLayers(const PictureFacts& f) {
  for (const EmbeddedPicture& layer : f.layers) {
    const QString caption = QStringLiteral("改ざんチェック(%1)").arg(QString::fromUtf8(LayerCaption(layer.group)));
    QString value = layer.tamper == TamperOutcome::kNoData ? QStringLiteral("改ざんチェック値なし")
                                                           : Qs(TamperOutcomeText(layer.tamper));
    if (!layer.fault.empty()) value += QStringLiteral("（%1）").arg(QString::fromStdString(layer.fault));
    AddRow(caption, value);
    if (layer.tamper != TamperOutcome::kIntact && layer.tamper != TamperOutcome::kNoData)
      item(rowCount() - 1, 1)->setForeground(QColor(200, 0, 0));
  }
}

void ShootingDataPage::ShowBlackboard(const BlackboardPacket& p) {
  AddHeading(QStringLiteral("小黒板情報"));
  if (p.status == BlackboardPacket::Status::kNone) {
    AddRow(QString(), QStringLiteral("小黒板情報はありません"));
    return;
  }
  if (p.status == BlackboardPacket::Status::kFault) {
    AddRow(QStringLiteral("読めません"), QString::fromStdString(p.fault));
    item(rowCount() - 1, 1)->setForeground(QColor(200, 0, 0));
    return;
  }
  // The note across the row, so that a narrow panel shows it whole.
  AddRow(QStringLiteral("以下は改ざんチェックの対象外の値です"));
  item(rowCount() - 1, 0)->setBackground(palette().color(QPalette::Base));
  item(rowCount() - 1, 0)->setForeground(palette().color(QPalette::PlaceholderText));
  setSpan(rowCount() - 1, 0, 1, 2);
  const Blackboard& b = p.values;
  auto text = [this](const char* caption, const std::string& value) {
    AddRow(QString::fromUtf8(caption), QString::fromStdString(value));
  };
  text("工事件名", b.constructionName);
  text("受注者名", b.contractor);
  text("写真-大分類", b.largeClassification);
  text("写真区分", b.photoClassification);
  text("工種", b.constructionType);
  text("種別", b.middleClassification);
  text("細別", b.smallClassification);
  text("写真タイトル", b.title);
  for (const std::string& remark : b.classificationRemarks) text("工種区分予備", remark);
  text("撮影箇所", b.shootingSpot);
  text("代表写真", b.isRepresentative);
  text("提出頻度写真", b.isFrequencyOfSubmission);
  for (const BlackboardMeasurements& m : b.measurements) {
    AddRow(QString::fromStdString(MeasurementClassificationName(m.classification)),
           QStringLiteral("%1 項目").arg(m.items.size()));
    for (const BlackboardMeasurementItem& i : m.items) {
      text("名称", i.name);
      text("記号", i.mark);
      text("設計値", i.designedValue);
      text("実測値", i.measuredValue);
      text("単位", i.unitName);
      for (const std::string& remark : i.remarks)
        if (!remark.empty()) text("備考", remark);
    }
  }
  text("受注者説明文", b.contractorRemarks);
  for (const auto& [name, value] : b.metadata) AddRow(QString::fromStdString(name), QString::fromStdString(value));
  for (const std::string& note : p.notes) text("注記", note);
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
  ShowLayers(f);
  ShowBlackboard(f.blackboard);
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
