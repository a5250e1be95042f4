// A small reader for 2D DXF drawings (ASCII DXF): LINE, LWPOLYLINE,
// POLYLINE with its VERTEX entities, CIRCLE, ARC and TEXT of the ENTITIES
// section, drawn black on white. Blocks, layers, colours and line types are
// not read.
#pragma once

#include <atomic>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "images/bitmap.h"
#include "images/image_result.h"

namespace zor {

struct DxfPoint {
  double x = 0;
  double y = 0;
};

struct DxfEntity {
  enum class Kind { kPolyline, kCircle, kArc, kText };
  Kind kind = Kind::kPolyline;
  std::vector<DxfPoint> points;  // a polyline's vertices (a LINE has two)
  bool closed = false;
  DxfPoint centre;         // circle, arc; a text's insertion point
  double radius = 0;       // circle, arc
  double start_angle = 0;  // arc, degrees counter-clockwise from +x
  double end_angle = 360;  // arc
  double height = 0;       // text
  double rotation = 0;     // text, degrees
  std::string text;        // code page 932
};

struct DxfDrawing {
  std::vector<DxfEntity> entities;
};

// No drawing of a delivery comes near these; a file past them is refused
// before it costs seconds and hundreds of megabytes.
inline constexpr int kMaxDxfEntities = 1'000'000;   // code-0 groups (VERTEX included)
inline constexpr int kMaxDxfEntityGroups = 1'000'000;  // groups inside one entity

// Parses the drawing; false with a reason for a binary DXF, text that is
// not a DXF file, a drawing past the bounds above, or when cancelled (when
// given) is set while it reads.
bool ParseDxf(std::string_view text, DxfDrawing& drawing, std::string* reason,
              const std::atomic<bool>* cancelled = nullptr);

// Draws it scaled so that its longer side is longest_side pixels; stops
// with a reason when cancelled is set.
bool RenderDxf(const DxfDrawing& drawing, int longest_side, Bitmap& bitmap, std::string* reason,
               const std::atomic<bool>* cancelled = nullptr);

// How large LoadWithImageKit draws a DXF file.
inline constexpr int kDxfDrawingSize = 1600;

ImageResult LoadDxfFile(Bitmap& bitmap, const std::filesystem::path& path,
                        const std::atomic<bool>* cancelled = nullptr);

}  // namespace zor
