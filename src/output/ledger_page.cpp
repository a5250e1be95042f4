#include "output/ledger_page.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <vector>

#include "text/encoding.h"

namespace zor {
namespace {

constexpr double kCaptionSizes[] = {9.0, 8.5, 8.0, 7.5, kLedgerSmallestCaption};
constexpr double kRowPadding = 1.5;
constexpr double kTopLineHeight = 15;
constexpr double kFileNameSize = 6.5;
const char* const kEllipsis = "…";

double Height(PangoLayout* layout) {
  int w = 0, h = 0;
  pango_layout_get_size(layout, &w, &h);
  return static_cast<double>(h) / PANGO_SCALE;
}

double Width(PangoLayout* layout) {
  int w = 0, h = 0;
  pango_layout_get_size(layout, &w, &h);
  return static_cast<double>(w) / PANGO_SCALE;
}

void Grey(cairo_t* cr, double level) { cairo_set_source_rgb(cr, level, level, level); }

void Outline(cairo_t* cr, const LedgerRect& r, double line) {
  cairo_set_line_width(cr, line);
  cairo_rectangle(cr, r.x, r.y, r.w, r.h);
  cairo_stroke(cr);
}

// At most lines lines; what is left out ends in "…".
void LimitLines(PangoLayout* layout, int lines) {
  pango_layout_set_height(layout, -lines);
  pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
}

// At most height points; what is left out ends in "…".
void LimitHeight(PangoLayout* layout, double height) {
  pango_layout_set_height(layout, static_cast<int>(height * PANGO_SCALE));
  pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
}

// Cuts the layout's text after the last line that ends within height and
// ends it in "…", taking back characters until that fits too. The text is
// cut itself rather than ellipsized by pango, whose ellipsis would carry
// the text left out into the PDF's text.
void CutToHeight(PangoLayout* layout, double height) {
  const std::string text = pango_layout_get_text(layout);
  std::size_t end = 0;
  PangoLayoutIter* it = pango_layout_get_iter(layout);
  do {
    int top = 0, bottom = 0;
    pango_layout_iter_get_line_yrange(it, &top, &bottom);
    if (bottom > height * PANGO_SCALE) break;
    const PangoLayoutLine* line = pango_layout_iter_get_line_readonly(it);
    end = static_cast<std::size_t>(line->start_index + line->length);
  } while (pango_layout_iter_next_line(it));
  pango_layout_iter_free(it);
  std::string kept = text.substr(0, std::min(end, text.size()));
  for (;;) {
    while (!kept.empty() && (kept.back() == '\n' || kept.back() == '\r')) kept.pop_back();
    const std::string shown = kept + kEllipsis;
    pango_layout_set_text(layout, shown.data(), static_cast<int>(shown.size()));
    if (kept.empty() || Height(layout) <= height) return;
    // One UTF-8 character back.
    while (!kept.empty() && (static_cast<unsigned char>(kept.back()) & 0xC0) == 0x80) kept.pop_back();
    if (!kept.empty()) kept.pop_back();
  }
}

}  // namespace

void PangoLayoutUnref::operator()(PangoLayout* layout) const { g_object_unref(layout); }

LedgerPainter::LedgerPainter(cairo_t* cr, const LedgerLayout& layout)
    : cr_(cr), layout_(layout), fontMap_(pango_cairo_font_map_new()) {
  context_ = pango_font_map_create_context(fontMap_);
  pango_context_set_language(context_, pango_language_from_string("ja-jp"));
  // Glyphs placed as the font designs them: the PDF is printed, not shown
  // on a pixel grid.
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  pango_cairo_context_set_font_options(context_, options);
  cairo_font_options_destroy(options);
  pango_cairo_update_context(cr_, context_);
}

LedgerPainter::~LedgerPainter() {
  g_object_unref(context_);
  g_object_unref(fontMap_);
}

PangoLayoutPtr LedgerPainter::Text(const std::string& utf8, double size, bool bold, double width) const {
  PangoLayoutPtr layout(pango_layout_new(context_));
  PangoFontDescription* font = pango_font_description_from_string(kLedgerFontFamilies);
  pango_font_description_set_absolute_size(font, size * PANGO_SCALE);
  if (bold) pango_font_description_set_weight(font, PANGO_WEIGHT_BOLD);
  pango_layout_set_font_description(layout.get(), font);
  pango_font_description_free(font);
  if (width > 0) {
    pango_layout_set_width(layout.get(), static_cast<int>(width * PANGO_SCALE));
    pango_layout_set_wrap(layout.get(), PANGO_WRAP_WORD_CHAR);
  }
  pango_layout_set_text(layout.get(), utf8.data(), static_cast<int>(utf8.size()));
  return layout;
}

void LedgerPainter::Show(PangoLayout* layout, double x, double y) {
  unknownGlyphs_ += pango_layout_get_unknown_glyphs_count(layout);
  cairo_move_to(cr_, x, y);
  pango_cairo_show_layout(cr_, layout);
}

bool LedgerPainter::Cover(const LedgerPlan& plan, int pages) {
  unknownGlyphs_ = 0;
  const LedgerRect c = layout_.Content();
  Grey(cr_, 0);
  PangoLayoutPtr heading = Text(Cp932ToUtf8(Sj("工事写真帳")), 28, true, c.w);
  pango_layout_set_alignment(heading.get(), PANGO_ALIGN_CENTER);
  double y = c.y + 110;
  Show(heading.get(), c.x, y);
  y += Height(heading.get()) + 30;
  if (!plan.title.empty()) {
    PangoLayoutPtr title = Text(Cp932ToUtf8(plan.title), 15, true, c.w - 40);
    pango_layout_set_alignment(title.get(), PANGO_ALIGN_CENTER);
    LimitLines(title.get(), 3);
    Show(title.get(), c.x + 20, y);
    y += Height(title.get());
  }
  y += 40;

  // The contract items as a table.
  const double x = c.x + 30, w = c.w - 60, labelWidth = 110, pad = 5;
  for (const AlbumRow& row : plan.cover) {
    PangoLayoutPtr label = Text(Cp932ToUtf8(row.label), 10, true, labelWidth - 2 * pad);
    PangoLayoutPtr value = Text(Cp932ToUtf8(row.value), 10.5, false, w - labelWidth - 2 * pad);
    LimitLines(value.get(), 6);
    const double h = std::max(Height(label.get()), Height(value.get())) + 2 * pad;
    if (y + h > c.y + c.h - 80) break;
    Grey(cr_, 0.92);
    cairo_rectangle(cr_, x, y, labelWidth, h);
    cairo_fill(cr_);
    Grey(cr_, 0.35);
    Outline(cr_, {x, y, labelWidth, h}, 0.5);
    Outline(cr_, {x + labelWidth, y, w - labelWidth, h}, 0.5);
    Grey(cr_, 0);
    Show(label.get(), x + pad, y + pad);
    Show(value.get(), x + labelWidth + pad, y + pad);
    y += h;
  }
  if (plan.frames.empty()) {
    PangoLayoutPtr none = Text(Cp932ToUtf8(Sj("写真がありません")), 16, true, c.w);
    pango_layout_set_alignment(none.get(), PANGO_ALIGN_CENTER);
    Show(none.get(), c.x, y + 40);
  }
  Footer(1, pages);
  return unknownGlyphs_ > 0;
}

void LedgerPainter::Header(const std::string& title, const std::string& path) {
  const LedgerRect h = layout_.Header();
  Grey(cr_, 0);
  PangoLayoutPtr left = Text(Cp932ToUtf8(title), 8.5, true, h.w * 0.55);
  pango_layout_set_ellipsize(left.get(), PANGO_ELLIPSIZE_END);
  Show(left.get(), h.x, h.y + 2);
  PangoLayoutPtr right = Text(Cp932ToUtf8(path), 8, false, h.w * 0.43);
  pango_layout_set_ellipsize(right.get(), PANGO_ELLIPSIZE_START);
  pango_layout_set_alignment(right.get(), PANGO_ALIGN_RIGHT);
  Show(right.get(), h.x + h.w * 0.57, h.y + 3);
  cairo_set_line_width(cr_, 0.6);
  cairo_move_to(cr_, h.x, h.y + h.h);
  cairo_line_to(cr_, h.x + h.w, h.y + h.h);
  cairo_stroke(cr_);
}

void LedgerPainter::Footer(int page, int pages) {
  const LedgerRect f = layout_.Footer();
  Grey(cr_, 0);
  PangoLayoutPtr text = Text(std::to_string(page) + " / " + std::to_string(pages), 9, false, f.w);
  pango_layout_set_alignment(text.get(), PANGO_ALIGN_CENTER);
  Show(text.get(), f.x, f.y + f.h - Height(text.get()));
}

FrameOutcome LedgerPainter::Frame(int slot, const LedgerFrame& frame, const LedgerPicture* picture) {
  unknownGlyphs_ = 0;
  Grey(cr_, 0.55);
  Outline(cr_, layout_.Frame(slot), 0.5);
  PhotoBox(layout_.PhotoBox(slot), frame, picture);

  const LedgerRect c = layout_.Caption(slot);
  Grey(cr_, 0);
  const std::string number =
      frame.drawing ? Sj("参考図 ") + std::to_string(frame.drawingNumber) + Sj("（写真番号 ") +
                          std::to_string(frame.number) + Sj("）")
                    : Sj("写真番号 ") + std::to_string(frame.number);
  PangoLayoutPtr top = Text(Cp932ToUtf8(number), 10, true, 0);
  Show(top.get(), c.x, c.y);
  double right = c.x + c.w;
  if (frame.frequency) right = Mark(right, c.y, "提出頻度写真") - 3;
  if (frame.representative) Mark(right, c.y, "代表写真");

  PangoLayoutPtr name = Text(Cp932ToUtf8(frame.fileName), kFileNameSize, false, c.w);
  pango_layout_set_ellipsize(name.get(), PANGO_ELLIPSIZE_MIDDLE);
  const double nameHeight = Height(name.get());
  Grey(cr_, 0.3);
  Show(name.get(), c.x, c.y + c.h - nameHeight);

  FrameOutcome outcome;
  outcome.cut = CaptionRows({c.x, c.y + kTopLineHeight + 3, c.w, c.h - kTopLineHeight - nameHeight - 6}, frame);
  outcome.missingGlyphs = unknownGlyphs_ > 0;
  return outcome;
}

double LedgerPainter::Mark(double right, double y, const char* text) {
  PangoLayoutPtr mark = Text(text, 7.5, true, 0);
  const double w = Width(mark.get()) + 6, h = Height(mark.get()) + 2;
  const double x = right - w;
  Grey(cr_, 0.2);
  cairo_rectangle(cr_, x, y, w, h);
  cairo_fill(cr_);
  cairo_set_source_rgb(cr_, 1, 1, 1);
  Show(mark.get(), x + 3, y + 1);
  return x;
}

void LedgerPainter::PhotoBox(const LedgerRect& box, const LedgerFrame& frame, const LedgerPicture* picture) {
  Grey(cr_, 0);
  Outline(cr_, box, 0.6);
  if (!picture) {
    BoxMessage(box, Sj("ファイルがありません"), {}, frame.fileName);
    return;
  }
  if (!picture->surface) {
    BoxMessage(box, Sj("写真を読み込めませんでした"), picture->reason, frame.fileName);
    return;
  }
  cairo_surface_t* s = picture->surface.get();
  const double w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
  const double inset = 2;
  // Fitted whole, and never drawn larger than a point for each of its own pixels.
  double scale = std::min((box.w - 2 * inset) / picture->width, (box.h - 2 * inset) / picture->height);
  scale = std::min(scale, 1.0);
  const double dw = picture->width * scale, dh = picture->height * scale;
  const double x = box.x + (box.w - dw) / 2, y = box.y + (box.h - dh) / 2;
  cairo_save(cr_);
  cairo_rectangle(cr_, x, y, dw, dh);
  cairo_clip(cr_);
  cairo_translate(cr_, x, y);
  cairo_scale(cr_, dw / w, dh / h);
  cairo_set_source_surface(cr_, s, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_GOOD);
  cairo_paint(cr_);
  cairo_restore(cr_);
}

void LedgerPainter::BoxMessage(const LedgerRect& box, const std::string& headline, const std::string& detail,
                               const std::string& name) {
  const double w = box.w - 16;
  PangoLayoutPtr head = Text(Cp932ToUtf8(headline), 11, true, w);
  PangoLayoutPtr why = Text(detail, 7.5, false, w);
  PangoLayoutPtr file = Text(Cp932ToUtf8(name), 8.5, false, w);
  LimitLines(why.get(), 4);
  LimitLines(file.get(), 3);
  for (PangoLayout* l : {head.get(), why.get(), file.get()}) pango_layout_set_alignment(l, PANGO_ALIGN_CENTER);
  const double gap = 6;
  const double total = Height(head.get()) + gap + (detail.empty() ? 0 : Height(why.get()) + gap) + Height(file.get());
  double y = box.y + (box.h - total) / 2;
  Grey(cr_, 0);
  Show(head.get(), box.x + 8, y);
  y += Height(head.get()) + gap;
  if (!detail.empty()) {
    Grey(cr_, 0.25);
    Show(why.get(), box.x + 8, y);
    y += Height(why.get()) + gap;
  }
  Grey(cr_, 0);
  Show(file.get(), box.x + 8, y);
}

// The rows in a table of label and value, at the largest size at which they
// all fit; at the smallest size the rows that do not fit are left out and
// the last one shown ends in "…". True when rows were cut.
bool LedgerPainter::CaptionRows(const LedgerRect& area, const LedgerFrame& frame) {
  struct Row {
    PangoLayoutPtr label, value;
    double height = 0;
  };
  for (const double size : kCaptionSizes) {
    const bool smallest = size <= kLedgerSmallestCaption;
    const double labelSize = size - 1.5;
    const double labelWidth = labelSize * 7.5 + 6;
    const double valueWidth = area.w - labelWidth - 4;
    std::vector<Row> rows;
    double total = 0;
    for (const AlbumRow& r : frame.rows) {
      Row row{Text(Cp932ToUtf8(r.label), labelSize, true, labelWidth - 4),
              Text(Cp932ToUtf8(r.value), size, false, valueWidth), 0};
      row.height = std::max(Height(row.label.get()), Height(row.value.get())) + 2 * kRowPadding;
      total += row.height;
      rows.push_back(std::move(row));
    }
    const bool fits = total <= area.h;
    if (!fits && !smallest) continue;
    if (!fits) {
      // The first row that does not fit, and the room left for it.
      std::size_t k = 0;
      double used = 0;
      while (k < rows.size() && used + rows[k].height <= area.h) used += rows[k++].height;
      const double room = area.h - used - 2 * kRowPadding;
      PangoLayoutPtr line = Text("あ", size, false, 0);
      if (k < rows.size() && room >= Height(line.get())) {
        CutToHeight(rows[k].value.get(), room);
        LimitHeight(rows[k].label.get(), room);
        rows[k].height = room + 2 * kRowPadding;
        rows.resize(k + 1);
      } else if (k > 0) {
        Row& last = rows[k - 1];
        CutToHeight(last.value.get(), std::max(Height(last.value.get()), Height(line.get())));
        rows.resize(k);
      }
    }
    double y = area.y;
    for (Row& row : rows) {
      Grey(cr_, 0.93);
      cairo_rectangle(cr_, area.x, y, labelWidth, row.height);
      cairo_fill(cr_);
      Grey(cr_, 0.6);
      Outline(cr_, {area.x, y, labelWidth, row.height}, 0.3);
      Outline(cr_, {area.x + labelWidth, y, area.w - labelWidth, row.height}, 0.3);
      Grey(cr_, 0.2);
      Show(row.label.get(), area.x + 2, y + kRowPadding);
      Grey(cr_, 0);
      Show(row.value.get(), area.x + labelWidth + 3, y + kRowPadding);
      y += row.height;
    }
    return !fits;
  }
  return false;
}

}  // namespace zor
