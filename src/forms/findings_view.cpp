#include "forms/findings_view.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <set>

#include "forms/qtext.h"
#include "output/check_report.h"

namespace zor {
namespace {

constexpr int kIndexRole = Qt::UserRole;  // the finding's place in findings_; -1 for a group
constexpr int kShownRecords = 10;

QString RecordText(const Finding& f) {
  if (f.record > 0) return QString::number(f.record);
  QStringList records;
  for (std::size_t i = 0; i < f.records.size() && i < kShownRecords; ++i) records << QString::number(f.records[i]);
  QString text = records.join(QStringLiteral(", "));
  if (f.records.size() > kShownRecords) text += QStringLiteral(" … 計 %1 件").arg(f.records.size());
  return text;
}

QColor SeverityColour(Severity s) {
  switch (s) {
    case Severity::kError:
      return QColor(190, 0, 0);
    case Severity::kWarning:
      return QColor(150, 95, 0);
    case Severity::kNote:
      break;
  }
  return QColor(40, 40, 90);
}

QString Field(QString text) {
  for (QChar& c : text)
    if (c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n')) c = QLatin1Char(' ');
  return text;
}

}  // namespace

QString FindingsGroupCaption(Severity severity, const std::string& check, int count) {
  return Qs(SeverityText(severity)) + QStringLiteral(" — ") + Qs(CheckCaption(check)) +
         QStringLiteral(" %1 件").arg(count);
}

FindingsView::FindingsView(QWidget* parent) : QTreeWidget(parent) {
  setColumnCount(5);
  setHeaderLabels({QStringLiteral("記録"), QStringLiteral("ファイル"), QStringLiteral("項目"), QStringLiteral("行"),
                   QStringLiteral("内容")});
  setRootIsDecorated(true);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  header()->setStretchLastSection(true);
  setColumnWidth(kRecordColumn, 70);
  setColumnWidth(kFileColumn, 120);
  setColumnWidth(kItemColumn, 160);
  setColumnWidth(kLineColumn, 40);
  connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
    if (const Finding* f = FindingOf(item)) emit FindingActivated(*f);
  });
  connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    if (const Finding* f = FindingOf(item)) emit FindingActivated(*f);
  });
}

void FindingsView::ClearFindings() {
  clear();
  findings_.clear();
}

void FindingsView::SetFindings(std::vector<Finding> findings) {
  clear();
  findings_ = std::move(findings);
  if (findings_.empty()) {
    auto* none = new QTreeWidgetItem(this);
    none->setText(0, QStringLiteral("指摘はありませんでした。"));
    none->setData(0, kIndexRole, -1);
    none->setFirstColumnSpanned(true);
    return;
  }
  const std::vector<const Finding*> order = ReportOrder(findings_);
  std::size_t i = 0;
  while (i < order.size()) {
    std::size_t end = i;
    while (end < order.size() && order[end]->severity == order[i]->severity && order[end]->check == order[i]->check)
      ++end;
    auto* group = new QTreeWidgetItem(this);
    group->setText(0, FindingsGroupCaption(order[i]->severity, order[i]->check, static_cast<int>(end - i)));
    group->setData(0, kIndexRole, -1);
    group->setForeground(0, SeverityColour(order[i]->severity));
    QFont bold = group->font(0);
    bold.setBold(true);
    group->setFont(0, bold);
    group->setFirstColumnSpanned(true);
    for (; i < end; ++i) {
      const Finding& f = *order[i];
      auto* item = new QTreeWidgetItem(group);
      item->setData(0, kIndexRole, static_cast<int>(order[i] - findings_.data()));
      item->setText(kRecordColumn, RecordText(f));
      item->setText(kFileColumn, Qs(f.file));
      item->setText(kItemColumn, Qs(f.item));
      if (f.line > 0) item->setText(kLineColumn, QString::number(f.line));
      item->setText(kMessageColumn, Qs(f.message));
      item->setToolTip(kMessageColumn, Qs(f.message));
      item->setTextAlignment(kRecordColumn, Qt::AlignRight | Qt::AlignVCenter);
      item->setTextAlignment(kLineColumn, Qt::AlignRight | Qt::AlignVCenter);
    }
    group->setExpanded(true);
  }
}

const Finding* FindingsView::FindingOf(const QTreeWidgetItem* item) const {
  if (!item) return nullptr;
  const int index = item->data(0, kIndexRole).toInt();
  if (index < 0 || index >= static_cast<int>(findings_.size())) return nullptr;
  return &findings_[static_cast<std::size_t>(index)];
}

std::vector<const Finding*> FindingsView::SelectedFindings() const {
  std::set<const QTreeWidgetItem*> chosen;
  for (const QTreeWidgetItem* item : selectedItems()) chosen.insert(item);
  std::vector<const Finding*> found;
  for (int g = 0; g < topLevelItemCount(); ++g) {
    const QTreeWidgetItem* group = topLevelItem(g);
    const bool whole = chosen.count(group) > 0;
    for (int r = 0; r < group->childCount(); ++r)
      if (whole || chosen.count(group->child(r)) > 0)
        if (const Finding* f = FindingOf(group->child(r))) found.push_back(f);
  }
  return found;
}

QString FindingsView::FindingsText(const std::vector<const Finding*>& findings) {
  QString text;
  for (const Finding* f : findings) {
    const QStringList fields = {Qs(SeverityText(f->severity)),
                                Qs(CheckCaption(f->check)),
                                RecordText(*f),
                                Qs(f->file),
                                Qs(f->item),
                                f->line > 0 ? QString::number(f->line) : QString(),
                                Qs(f->message)};
    QStringList clean;
    for (const QString& field : fields) clean << Field(field);
    text += clean.join(QLatin1Char('\t')) + QLatin1Char('\n');
  }
  return text;
}

bool FindingsView::CopySelection() {
  const std::vector<const Finding*> selected = SelectedFindings();
  if (selected.empty()) return false;
  QApplication::clipboard()->setText(FindingsText(selected));
  return true;
}

void FindingsView::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    CopySelection();
    event->accept();
    return;
  }
  QTreeWidget::keyPressEvent(event);
}

void FindingsView::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  menu.setObjectName(QStringLiteral("PopupMenu_Findings"));
  QAction* copy = menu.addAction(QStringLiteral("コピー(&C)"), this, &FindingsView::CopySelection);
  copy->setShortcut(QKeySequence::Copy);
  copy->setEnabled(!SelectedFindings().empty());
  QAction* all = menu.addAction(QStringLiteral("すべて選択(&A)"), this, &QAbstractItemView::selectAll);
  all->setShortcut(QKeySequence::SelectAll);
  all->setEnabled(!findings_.empty());
  menu.exec(event->globalPos());
}

}  // namespace zor
