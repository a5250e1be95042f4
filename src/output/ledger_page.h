// Drawing the photo ledger's pages with cairo, their text set by pango in a
// Japanese font found through fontconfig (a character it lacks comes from
// a fallback font, or shows as a box with its code when no font has it).
#pragma once

#include <cairo.h>

#include <memory>
#include <string>

#include "output/ledger_layout.h"
#include "output/ledger_picture.h"
#include "output/ledger_plan.h"

typedef struct _PangoContext PangoContext;
typedef struct _PangoFontMap PangoFontMap;
typedef struct _PangoLayout PangoLayout;

namespace zor {

struct PangoLayoutUnref {
  void operator()(PangoLayout* layout) const;
};
using PangoLayoutPtr = std::unique_ptr<PangoLayout, PangoLayoutUnref>;

// The family the ledger asks fontconfig for, in order of preference.
inline constexpr const char* kLedgerFontFamilies = "Noto Sans CJK JP,IPAexGothic,IPAGothic,sans-serif";
// Captions are set smaller down to this size before they are cut.
inline constexpr double kLedgerSmallestCaption = 7.0;

struct FrameOutcome {
  bool cut = false;            // the caption did not fit, even at the smallest size
  bool missingGlyphs = false;  // some character had no font and shows as a box
};

class LedgerPainter {
 public:
  LedgerPainter(cairo_t* cr, const LedgerLayout& layout);
  ~LedgerPainter();
  LedgerPainter(const LedgerPainter&) = delete;
  LedgerPainter& operator=(const LedgerPainter&) = delete;

  // The cover: the title, the contract items and, for a ledger without
  // frames, "写真がありません". True when a character had no font.
  bool Cover(const LedgerPlan& plan, int pages);
  // A page's header (the work's name, the classification path of its first
  // photo) and footer ("n / N").
  void Header(const std::string& title, const std::string& path);
  void Footer(int page, int pages);
  // One frame; picture is nothing for a missing file.
  FrameOutcome Frame(int slot, const LedgerFrame& frame, const LedgerPicture* picture);

 private:
  // A layout of the text (UTF-8) at size points; width > 0 wraps it there.
  PangoLayoutPtr Text(const std::string& utf8, double size, bool bold, double width) const;
  // Draws it with its top left corner at x, y, counting characters without a font.
  void Show(PangoLayout* layout, double x, double y);
  void PhotoBox(const LedgerRect& box, const LedgerFrame& frame, const LedgerPicture* picture);
  void BoxMessage(const LedgerRect& box, const std::string& headline, const std::string& detail,
                  const std::string& name);
  double Mark(double right, double y, const char* text);
  bool CaptionRows(const LedgerRect& area, const LedgerFrame& frame);

  cairo_t* cr_;
  LedgerLayout layout_;
  PangoFontMap* fontMap_;
  PangoContext* context_;
  int unknownGlyphs_ = 0;
};

}  // namespace zor
