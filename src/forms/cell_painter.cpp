#include "forms/cell_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <cstdint>

#include "forms/picture_box.h"
#include "images/gradient_glyphs.h"

namespace zor {
namespace {

constexpr QColor kShadow(57, 57, 57);
constexpr QColor kSilver(192, 192, 192);
constexpr QColor kYellow(255, 255, 0);
constexpr QColor kMarkFill(245, 220, 175);
constexpr int kMarkWidth = 5;
constexpr int kMarkHeight = 7;

// Edges as left, top, right, bottom with right and bottom outside, the way
// the cell's arithmetic is stated.
struct Edges {
  int l, t, r, b;
  int Width() const { return r - l; }
  int Height() const { return b - t; }
  QRect Rect() const { return QRect(l, t, r - l, b - t); }
  Edges Inflated(int d) const { return {l - d, t - d, r + d, b + d}; }
};

Edges EdgesOf(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

// A 1-pixel frame on the rectangle's border: top and left in one colour,
// bottom and right in the other.
void Frame3D(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
  if (r.width() <= 0 || r.height() <= 0) return;
  p.fillRect(QRect(r.left(), r.top(), r.width(), 1), topLeft);
  p.fillRect(QRect(r.left(), r.top(), 1, r.height()), topLeft);
  p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
  p.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
}

// Scaled side: trunc(side * s / reference) without floating-point rounding.
int Scaled(int side, int s, int reference) {
  return static_cast<int>(static_cast<std::int64_t>(side) * s / reference);
}

const QImage& GlyphFor(int flag, const CellResources& res) {
  if (flag == 0) return res.gradB;
  if (flag == 99) return res.gradW;
  return res.gradG;
}

// Over the placeholder of a picture that was not found: what is missing.
void PaintMissingNote(QPainter& p, const QRect& area, const QString& name) {
  if (area.width() < 20 || area.height() < 20) return;
  p.setClipping(false);
  QFont font = p.font();
  font.setPixelSize(std::clamp(area.height() / 9, 9, 14));
  p.setFont(font);
  const QFontMetrics metrics(font);
  const int line = metrics.height();
  const QRect box(area.left() + 2, area.bottom() - 2 * line - 5, area.width() - 4, 2 * line + 4);
  p.fillRect(box, QColor(255, 255, 255, 220));
  p.setPen(QColor(192, 0, 0));
  const QRect first(box.left() + 2, box.top() + 2, box.width() - 4, line);
  p.drawText(first, Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("ファイルがありません"));
  p.setPen(Qt::black);
  const QRect second = first.translated(0, line);
  p.drawText(second, Qt::AlignHCenter | Qt::AlignVCenter, metrics.elidedText(name, Qt::ElideMiddle, second.width()));
}

}  // namespace

CellResources MakeCellResources(const QPalette& palette) {
  CellResources res;
  const QColor face = palette.color(QPalette::Active, QPalette::Button);
  const GradientGlyphs glyphs = MakeGradientGlyphs(Rgb{face.red(), face.green(), face.blue()});
  res.gradB = ToImage(glyphs.grad_b);
  res.gradW = ToImage(glyphs.grad_w);
  res.gradG = ToImage(glyphs.grad_g);
  res.highlight = palette.color(QPalette::Active, QPalette::Highlight);
  res.buttonHighlight = palette.color(QPalette::Active, QPalette::Light);
  res.buttonShadow = palette.color(QPalette::Active, QPalette::Dark);
  return res;
}

QRect SquareCell(const QRect& icon) {
  Edges c = EdgesOf(icon);
  if (c.Width() > c.Height()) {
    c.l += (c.Width() - c.Height()) / 2;
    c.r = c.l + c.Height();
  } else {
    c.t += (c.Height() - c.Width()) / 2;
    c.b = c.t + c.Width();
  }
  return c.Rect();
}

QRect FitPicture(QPoint corner, int s, QSize picture, bool minFit) {
  const int w = picture.width();
  const int h = picture.height();
  if (w <= 0 || h <= 0 || s <= 0) return {};
  // Normal fit scales by the longer side, minimum-width fit by the shorter.
  const bool byHeight = minFit ? h < w : !(h < w);
  const int w2 = byHeight ? Scaled(w, s, h) : Scaled(w, s, w);
  const int h2 = byHeight ? Scaled(h, s, h) : Scaled(h, s, w);
  return QRect(corner.x() + (s - w2) / 2, corner.y() + (s - h2) / 2, w2, h2);
}

CellLayout ComputeCellLayout(const QRect& icon, int s, bool framed, bool minFit, bool selected,
                             const CellRecord& record, QSize picture) {
  CellLayout out;
  if (!record.found) return out;
  Edges c = EdgesOf(SquareCell(icon));
  const Edges m = c;
  if (framed) out.shadow = Edges{c.l + 3, c.t + 3, c.r, c.b}.Rect();
  c.r -= 3;
  c.b -= 3;
  if (framed) {
    out.raisedFrame = c.Rect();
    c = c.Inflated(-1);
  }
  if (selected) {
    out.selection = c.Rect();
    c = c.Inflated(-3);
  }
  out.background = c.Rect();
  if (record.hasDrawings) out.drawingMark = QRect(m.l + 10, m.t, kMarkWidth, kMarkHeight);
  if (record.hasWorkCopy) out.workCopyMark = QRect(m.r - 20, m.t, kMarkWidth, kMarkHeight);
  if (picture.isEmpty()) return out;

  const QPoint corner(c.l + (c.Width() - s) / 2, c.t + (c.Height() - s) / 2);
  if (!minFit) {
    const QRect fit = FitPicture(corner, s, picture, false);
    out.pictureFrame = QRect(fit.topLeft(), QSize(fit.width() + 2, fit.height() + 2));
    out.picture = framed ? out.pictureFrame.adjusted(1, 1, -1, -1) : out.pictureFrame;
  } else {
    out.pictureFrame = QRect(corner, QSize(s + 2, s + 2));
    out.clip = framed ? out.pictureFrame.adjusted(1, 1, -1, -1) : out.pictureFrame;
    out.picture = FitPicture(corner, s, picture, true);
  }
  return out;
}

void PaintCell(QPainter& p, const QRect& icon, int s, bool framed, bool minFit, bool selected,
               const CellRecord& record, const QPixmap* picture, const CellResources& res, QSize pictureSize) {
  const bool showPicture = picture && !picture->isNull();
  if (showPicture && pictureSize.isEmpty()) pictureSize = picture->size();
  const CellLayout cell =
      ComputeCellLayout(icon, s, framed, minFit, selected, record, showPicture ? pictureSize : QSize());
  if (!record.found) return;
  p.save();
  if (framed) {
    p.fillRect(cell.shadow, kShadow);
    Frame3D(p, cell.raisedFrame, res.buttonHighlight, res.buttonShadow);
  }
  if (selected) {
    const QRect r = cell.selection;
    p.fillRect(QRect(r.left(), r.top(), r.width(), 3), res.highlight);
    p.fillRect(QRect(r.left(), r.bottom() - 2, r.width(), 3), res.highlight);
    p.fillRect(QRect(r.left(), r.top(), 3, r.height()), res.highlight);
    p.fillRect(QRect(r.right() - 2, r.top(), 3, r.height()), res.highlight);
  }
  if (!framed) {
    p.fillRect(cell.background, record.flag == 0 ? QColor(Qt::white) : record.flag == 99 ? kSilver : kYellow);
  } else if (const QImage& glyph = GlyphFor(record.flag, res); !glyph.isNull()) {
    p.drawImage(cell.background, glyph);
  } else {
    p.fillRect(cell.background, Qt::white);
  }
  for (const QRect& mark : {cell.drawingMark, cell.workCopyMark}) {
    if (mark.isEmpty()) continue;
    if (framed)
      Frame3D(p, mark, res.buttonShadow, res.buttonHighlight);
    else
      p.fillRect(mark, kMarkFill);
  }
  if (showPicture) {
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    if (!minFit) {
      if (framed) Frame3D(p, cell.pictureFrame, res.buttonShadow, res.buttonHighlight);
      p.drawPixmap(cell.picture, *picture);
    } else {
      if (framed) Frame3D(p, cell.pictureFrame, res.buttonShadow, res.buttonHighlight);
      p.setClipRect(cell.clip, Qt::IntersectClip);
      p.drawPixmap(cell.picture, *picture);
    }
  }
  if (!record.missing.isEmpty()) PaintMissingNote(p, cell.background, record.missing);
  p.restore();
}

}  // namespace zor
