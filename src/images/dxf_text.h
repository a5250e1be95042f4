// The TEXT entities of a DXF drawing. Glyphs are drawn with GraphicsMagick
// and the first font found among a few known system fonts (a CJK font first,
// since drawings from Japanese CAD write code page 932); without any font a
// text shows as the frame it would fill. Internal to the images module.
#pragma once

#include <string>
#include <vector>

#include "images/bitmap.h"
#include "images/dxf_drawing.h"

namespace zor {

struct DxfTextPlacement {
  int x = 0;  // the insertion point (left end of the baseline), pixels
  int y = 0;
  double height = 0;    // pixels
  double rotation = 0;  // degrees counter-clockwise
  std::string text;     // code page 932
};

// The corners of the frame a text fills, in drawing units.
std::vector<DxfPoint> TextOutline(const DxfEntity& text);

void DrawDxfTexts(const std::vector<DxfTextPlacement>& texts, Bitmap& bitmap);

}  // namespace zor
