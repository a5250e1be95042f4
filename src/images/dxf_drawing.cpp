#include "images/dxf_drawing.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>
#include <optional>

#include "images/dxf_text.h"
#include "images/file_bytes.h"

namespace zor {
namespace {

constexpr std::uintmax_t kMaxDxfBytes = 256ull * 1024 * 1024;
constexpr int kMargin = 8;
// How often a long read or drawing looks at its cancel flag.
constexpr int kCancelCheckEvery = 4096;

bool Cancelled(const std::atomic<bool>* cancelled, int step, std::string* reason) {
  if (!cancelled || step % kCancelCheckEvery != 0 || !cancelled->load(std::memory_order_relaxed)) return false;
  *reason = "cancelled";
  return true;
}

struct Group {
  int code = 0;
  std::string_view value;
};

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

class GroupReader {
 public:
  explicit GroupReader(std::string_view text) : text_(text) {}
  // False at the end or at a code line that holds no number.
  bool Next(Group& group) {
    std::string_view code_line;
    if (!Line(code_line)) return false;
    code_line = Trim(code_line);
    auto [end, ec] = std::from_chars(code_line.data(), code_line.data() + code_line.size(), group.code);
    if (ec != std::errc() || end != code_line.data() + code_line.size()) return false;
    std::string_view value;
    if (!Line(value)) return false;
    group.value =
        group.code == 1 ? value.substr(0, value.ends_with('\r') ? value.size() - 1 : value.size()) : Trim(value);
    return true;
  }

 private:
  bool Line(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    const std::size_t end = text_.find('\n', pos_);
    const std::size_t stop = end == std::string_view::npos ? text_.size() : end;
    line = text_.substr(pos_, stop - pos_);
    pos_ = stop + 1;
    return true;
  }
  std::string_view text_;
  std::size_t pos_ = 0;
};

double Number(std::string_view s) {
  double value = 0;
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  std::from_chars(s.data(), s.data() + s.size(), value);
  return std::isfinite(value) ? value : 0;
}

int Integer(std::string_view s) {
  int value = 0;
  std::from_chars(s.data(), s.data() + s.size(), value);
  return value;
}

class DrawingBuilder {
 public:
  explicit DrawingBuilder(DxfDrawing& drawing) : drawing_(drawing) {}

  void Finish(std::string_view type, const std::vector<Group>& groups) {
    if (type == "SECTION") {
      for (const Group& g : groups)
        if (g.code == 2) in_entities_ = g.value == "ENTITIES";
      return;
    }
    if (type != "VERTEX" && type != "SEQEND") FlushPolyline();
    if (type == "ENDSEC") in_entities_ = false;
    if (!in_entities_) return;
    if (type == "LINE") {
      DxfEntity e;
      e.points = {{Value(groups, 10), Value(groups, 20)}, {Value(groups, 11), Value(groups, 21)}};
      drawing_.entities.push_back(std::move(e));
    } else if (type == "LWPOLYLINE") {
      DxfEntity e;
      for (const Group& g : groups) {
        if (g.code == 70) e.closed = (Integer(g.value) & 1) != 0;
        if (g.code == 10) e.points.push_back({Number(g.value), 0});
        if (g.code == 20 && !e.points.empty()) e.points.back().y = Number(g.value);
      }
      if (!e.points.empty()) drawing_.entities.push_back(std::move(e));
    } else if (type == "POLYLINE") {
      pending_ = DxfEntity{};
      pending_->closed = (static_cast<int>(Value(groups, 70)) & 1) != 0;
    } else if (type == "VERTEX") {
      if (pending_) pending_->points.push_back({Value(groups, 10), Value(groups, 20)});
    } else if (type == "SEQEND") {
      FlushPolyline();
    } else if (type == "CIRCLE" || type == "ARC") {
      DxfEntity e;
      e.kind = type == "CIRCLE" ? DxfEntity::Kind::kCircle : DxfEntity::Kind::kArc;
      e.centre = {Value(groups, 10), Value(groups, 20)};
      e.radius = std::fabs(Value(groups, 40));
      if (e.kind == DxfEntity::Kind::kArc) e.start_angle = Value(groups, 50), e.end_angle = Value(groups, 51);
      drawing_.entities.push_back(std::move(e));
    } else if (type == "TEXT") {
      DxfEntity e;
      e.kind = DxfEntity::Kind::kText;
      e.centre = {Value(groups, 10), Value(groups, 20)};
      e.height = std::fabs(Value(groups, 40));
      e.rotation = Value(groups, 50);
      for (const Group& g : groups)
        if (g.code == 1) e.text = std::string(g.value);
      if (!e.text.empty()) drawing_.entities.push_back(std::move(e));
    }
  }

  void FlushPolyline() {
    if (pending_ && !pending_->points.empty()) drawing_.entities.push_back(std::move(*pending_));
    pending_.reset();
  }

 private:
  static double Value(const std::vector<Group>& groups, int code) {
    for (const Group& g : groups)
      if (g.code == code) return Number(g.value);
    return 0;
  }

  DxfDrawing& drawing_;
  bool in_entities_ = false;
  std::optional<DxfEntity> pending_;
};

// Points along an arc, counter-clockwise from start to end (degrees).
std::vector<DxfPoint> ArcPoints(const DxfEntity& e, double pixels_per_unit) {
  double start = e.start_angle;
  double end = e.end_angle;
  if (e.kind == DxfEntity::Kind::kCircle) start = 0, end = 360;
  double sweep = std::fmod(end - start, 360.0);
  if (sweep <= 0) sweep += 360;
  const double length = e.radius * pixels_per_unit * sweep * std::numbers::pi / 180;
  const int segments = static_cast<int>(std::clamp(length / 3, 32.0, 2048.0));
  std::vector<DxfPoint> points;
  points.reserve(static_cast<std::size_t>(segments) + 1);
  for (int i = 0; i <= segments; ++i) {
    const double a = (start + sweep * i / segments) * std::numbers::pi / 180;
    points.push_back({e.centre.x + e.radius * std::cos(a), e.centre.y + e.radius * std::sin(a)});
  }
  return points;
}

struct Extent {
  double min_x = HUGE_VAL, min_y = HUGE_VAL, max_x = -HUGE_VAL, max_y = -HUGE_VAL;
  void Add(DxfPoint p) {
    min_x = std::min(min_x, p.x), max_x = std::max(max_x, p.x);
    min_y = std::min(min_y, p.y), max_y = std::max(max_y, p.y);
  }
  bool Empty() const { return min_x > max_x; }
};

void DrawLine(Bitmap& bitmap, int x0, int y0, int x1, int y1) {
  const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int error = dx + dy;
  for (;;) {
    if (x0 >= 0 && y0 >= 0 && x0 < bitmap.Width() && y0 < bitmap.Height()) bitmap.SetPixel(x0, y0, Bgr{});
    if (x0 == x1 && y0 == y1) break;
    const int e2 = 2 * error;
    if (e2 >= dy) error += dy, x0 += sx;
    if (e2 <= dx) error += dx, y0 += sy;
  }
}

}  // namespace

bool ParseDxf(std::string_view text, DxfDrawing& drawing, std::string* reason, const std::atomic<bool>* cancelled) {
  drawing = DxfDrawing{};
  if (text.starts_with("AutoCAD Binary DXF")) {
    *reason = "binary DXF files are not supported";
    return false;
  }
  GroupReader reader(text);
  DrawingBuilder builder(drawing);
  Group group;
  std::string_view type;
  std::vector<Group> groups;
  bool any = false;
  int entities = 0;
  int read = 0;
  while (reader.Next(group)) {
    any = true;
    if (Cancelled(cancelled, ++read, reason)) return false;
    if (group.code != 0) {
      if (groups.size() >= static_cast<std::size_t>(kMaxDxfEntityGroups)) {
        *reason = "an entity holds more than " + std::to_string(kMaxDxfEntityGroups) + " groups; not drawn";
        return false;
      }
      groups.push_back(group);
      continue;
    }
    if (++entities > kMaxDxfEntities) {
      *reason = "the drawing has more than " + std::to_string(kMaxDxfEntities) + " entities; not drawn";
      return false;
    }
    if (!type.empty()) builder.Finish(type, groups);
    type = group.value;
    groups.clear();
    if (type == "EOF") break;
  }
  if (!type.empty() && type != "EOF") builder.Finish(type, groups);
  builder.FlushPolyline();
  if (!any) {
    *reason = "not a DXF file";
    return false;
  }
  return true;
}

bool RenderDxf(const DxfDrawing& drawing, int longest_side, Bitmap& bitmap, std::string* reason,
               const std::atomic<bool>* cancelled) {
  Extent extent;
  for (const DxfEntity& e : drawing.entities) {
    for (DxfPoint p : e.points) extent.Add(p);
    if (e.kind == DxfEntity::Kind::kCircle || e.kind == DxfEntity::Kind::kArc)
      for (DxfPoint p : ArcPoints(e, 0)) extent.Add(p);
    if (e.kind == DxfEntity::Kind::kText) {
      for (DxfPoint p : TextOutline(e)) extent.Add(p);
    }
  }
  if (extent.Empty()) {
    *reason = "the drawing has no entities to draw";
    return false;
  }
  const double span = std::max(extent.max_x - extent.min_x, extent.max_y - extent.min_y);
  const int inner = std::max(1, longest_side - 2 * kMargin);
  const double scale = span > 0 ? inner / span : 1;
  if (!std::isfinite(scale) || scale <= 0) {
    *reason = "the drawing's extent cannot be drawn";
    return false;
  }
  const int width = static_cast<int>(std::ceil((extent.max_x - extent.min_x) * scale)) + 2 * kMargin + 1;
  const int height = static_cast<int>(std::ceil((extent.max_y - extent.min_y) * scale)) + 2 * kMargin + 1;
  if (!bitmap.Reset(width, height, Bgr{255, 255, 255})) {
    *reason = "picture too large";
    return false;
  }
  // Drawing units grow upwards, pixels downwards.
  auto to_pixel = [&](DxfPoint p) {
    return std::pair<int, int>{static_cast<int>(std::lround((p.x - extent.min_x) * scale)) + kMargin,
                               static_cast<int>(std::lround((extent.max_y - p.y) * scale)) + kMargin};
  };
  auto polyline = [&](const std::vector<DxfPoint>& points, bool closed) {
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
      auto [x0, y0] = to_pixel(points[i]);
      auto [x1, y1] = to_pixel(points[i + 1]);
      DrawLine(bitmap, x0, y0, x1, y1);
    }
    if (closed && points.size() > 2) {
      auto [x0, y0] = to_pixel(points.back());
      auto [x1, y1] = to_pixel(points.front());
      DrawLine(bitmap, x0, y0, x1, y1);
    }
    if (points.size() == 1) {
      auto [x, y] = to_pixel(points.front());
      DrawLine(bitmap, x, y, x, y);
    }
  };
  std::vector<const DxfEntity*> texts;
  int drawn = 0;
  for (const DxfEntity& e : drawing.entities) {
    if (Cancelled(cancelled, ++drawn, reason)) return false;
    switch (e.kind) {
      case DxfEntity::Kind::kPolyline:
        polyline(e.points, e.closed);
        break;
      case DxfEntity::Kind::kCircle:
      case DxfEntity::Kind::kArc:
        polyline(ArcPoints(e, scale), false);
        break;
      case DxfEntity::Kind::kText:
        texts.push_back(&e);
        break;
    }
  }
  if (!texts.empty()) {
    std::vector<DxfTextPlacement> placements;
    for (const DxfEntity* e : texts) {
      auto [x, y] = to_pixel(e->centre);
      placements.push_back({x, y, e->height * scale, e->rotation, e->text});
    }
    DrawDxfTexts(placements, bitmap);
  }
  return true;
}

ImageResult LoadDxfFile(Bitmap& bitmap, const std::filesystem::path& path, const std::atomic<bool>* cancelled) {
  bitmap.Clear();
  std::string why;
  auto bytes = ReadFileBytes(path, &why, kMaxDxfBytes);
  if (!bytes) return ImageResult::Failure("dxf: " + why);
  DxfDrawing drawing;
  const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
  if (!ParseDxf(text, drawing, &why, cancelled) || !RenderDxf(drawing, kDxfDrawingSize, bitmap, &why, cancelled)) {
    bitmap.Clear();
    return ImageResult::Failure("dxf: " + why);
  }
  return ImageResult::Success(DecodeRoute::kDxf);
}

}  // namespace zor
