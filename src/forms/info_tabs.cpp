#include "forms/info_tabs.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace zor {

const QColor InfoTabs::kStripColour(250, 237, 213);
const QColor InfoTabs::kSelectedColour(245, 220, 175);
const QColor InfoTabs::kOtherColour(138, 138, 138);

InfoTabs::InfoTabs(QWidget* parent) : QWidget(parent) {
  QFont f(QStringLiteral("Noto Sans CJK JP"));
  f.setPixelSize(13);
  setFont(f);
  setFixedHeight(kHeight);
  setFocusPolicy(Qt::NoFocus);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize InfoTabs::sizeHint() const { return QSize(200, kHeight); }

void InfoTabs::AddTab(const QString& caption) {
  tabs_.append(caption);
  if (index_ < 0) index_ = 0;
  update();
}

void InfoTabs::RemoveTab(int index) {
  if (index < 0 || index >= Count()) return;
  tabs_.removeAt(index);
  const bool selectedWent = index == index_;
  if (index_ > index || (selectedWent && index_ > 0)) --index_;
  if (Count() == 0) index_ = -1;
  update();
  if (selectedWent) emit Changed(index_);
}

void InfoTabs::SetCaption(int index, const QString& caption) {
  if (index < 0 || index >= Count()) return;
  tabs_[index] = caption;
  update();
}

void InfoTabs::SetTabIndex(int index) {
  if (index < 0 || index >= Count()) return;
  if (AboutToChange) AboutToChange(index);
  if (index >= Count()) index = Count() - 1;
  int before = index_;
  index_ = index;
  update();
  if (index_ != before) emit Changed(index_);
}

QRect InfoTabs::TabRect(int index) const {
  QFontMetrics fm(font());
  int x = 4;
  for (int i = 0; i < Count(); ++i) {
    int w = fm.horizontalAdvance(tabs_[i]) + 12;
    if (i == index) return QRect(x, 2, w, kHeight - 2);
    x += w + 1;
  }
  return {};
}

void InfoTabs::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.fillRect(rect(), kStripColour);
  for (int i = 0; i < Count(); ++i) {
    QRect r = TabRect(i);
    bool selected = i == index_;
    if (selected) r.adjust(0, -2, 0, 0);
    QPainterPath path;
    path.moveTo(r.left(), r.bottom() + 1);
    path.lineTo(r.left(), r.top() + 3);
    path.lineTo(r.left() + 3, r.top());
    path.lineTo(r.right() - 3, r.top());
    path.lineTo(r.right(), r.top() + 3);
    path.lineTo(r.right(), r.bottom() + 1);
    p.fillPath(path, selected ? kSelectedColour : kOtherColour);
    p.setPen(QColor(96, 96, 96));
    p.drawPath(path);
    p.setPen(selected ? QColor(Qt::black) : QColor(192, 192, 192));
    p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, tabs_[i]);
  }
  p.setPen(QColor(96, 96, 96));
  p.drawLine(0, height() - 1, width(), height() - 1);
}

void InfoTabs::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  for (int i = 0; i < Count(); ++i)
    if (TabRect(i).contains(event->position().toPoint())) {
      SetTabIndex(i);
      return;
    }
}

}  // namespace zor
