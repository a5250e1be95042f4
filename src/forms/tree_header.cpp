#include "forms/tree_header.h"

#include <QPainter>

namespace zor {

TreeHeader::TreeHeader(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("HeaderControl"));
  // Shown, never clicked.
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
}

QString TreeHeader::Caption(int index) {
  static const char* const kCaptions[kSectionCount] = {"", "分類", "区分", "工種", "種別", "細別"};
  return index >= 0 && index < kSectionCount ? QString::fromUtf8(kCaptions[index]) : QString();
}

void TreeHeader::SetLevel(int level) {
  level_ = level;
  update();
}

void TreeHeader::SetFirstWidth(int width) {
  firstWidth_ = width;
  update();
}

QRect TreeHeader::SectionRect(int index) const {
  if (index == 0) return QRect(0, 0, std::max(0, firstWidth_), height());
  return QRect(firstWidth_ + (index - 1) * kLevelWidth, 0, kLevelWidth, height());
}

bool TreeHeader::IsHighlighted(int index) const {
  return index > 0 && level_ >= 0 && level_ < kSectionCount && index == level_;
}

QSize TreeHeader::sizeHint() const { return QSize(kFirstWidth + 5 * kLevelWidth, fontMetrics().height() + 4); }

void TreeHeader::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QColor window = palette().color(QPalette::Active, QPalette::Window);
  p.fillRect(rect(), window);
  for (int i = 0; i < kSectionCount; ++i) {
    const QRect r = SectionRect(i);
    if (r.width() <= 0) continue;
    p.fillRect(r, IsHighlighted(i) ? QColor(Qt::yellow) : window);
    p.setPen(palette().color(QPalette::Active, QPalette::Mid));
    p.drawLine(r.right(), r.top(), r.right(), r.bottom());
    p.setPen(palette().color(QPalette::Active, QPalette::WindowText));
    p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, Caption(i));
  }
  p.setPen(palette().color(QPalette::Active, QPalette::Mid));
  p.drawLine(0, height() - 1, width(), height() - 1);
}

}  // namespace zor
