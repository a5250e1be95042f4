// Writes the pictures of the import fixtures and of the demo delivery.
// Not part of the build; compile by hand when the pictures must be made again:
//   g++ -O2 -std=c++20 make_picture.cpp -o make_picture $(pkg-config --cflags --libs GraphicsMagick++) -ljpeg
// GraphicsMagick draws on several threads and the pictures then differ in a few
// bits from run to run; with OMP_NUM_THREADS=1 the same input gives the same bytes.
//
//   make_picture tiny OUT.jpg SHADE          16x16 grey JPEG of a few hundred bytes
//   make_picture scene OUT.jpg SEED LINES    640x480 site photo with a blackboard;
//                                            LINES: board text, lines split by '|'
//   make_picture drawing OUT.jpg SEED TITLE  640x480 reference drawing
//   make_picture dummy OUT.jpg               placeholder for a missing picture
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include <Magick++.h>

#include <cstdlib>
#include <list>
#include <random>
#include <string>
#include <vector>

namespace {

const char* kFont = "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc";

// A grey square with a soft diagonal, written with optimised Huffman tables
// so that the whole file stays small.
int WriteTiny(const char* out, int shade) {
  const int w = 16, h = 16;
  std::vector<unsigned char> px(w * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) px[y * w + x] = static_cast<unsigned char>((shade + (x + y) * 3) & 0xFF);
  FILE* f = std::fopen(out, "wb");
  if (!f) return 1;
  jpeg_compress_struct c;
  jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  jpeg_stdio_dest(&c, f);
  c.image_width = w;
  c.image_height = h;
  c.input_components = 1;
  c.in_color_space = JCS_GRAYSCALE;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 50, TRUE);
  c.optimize_coding = TRUE;
  c.write_JFIF_header = TRUE;
  jpeg_start_compress(&c, TRUE);
  while (c.next_scanline < c.image_height) {
    JSAMPROW row = &px[c.next_scanline * w];
    jpeg_write_scanlines(&c, &row, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  std::fclose(f);
  return 0;
}

std::vector<std::string> Split(const std::string& s, char sep) {
  std::vector<std::string> parts;
  std::string cur;
  for (char ch : s) {
    if (ch == sep) {
      parts.push_back(cur);
      cur.clear();
    } else {
      cur += ch;
    }
  }
  parts.push_back(cur);
  return parts;
}

Magick::Color Rgb(int r, int g, int b) {
  const double k = MaxRGB / 255.0;
  return Magick::Color(static_cast<Magick::Quantum>(r * k), static_cast<Magick::Quantum>(g * k),
                       static_cast<Magick::Quantum>(b * k));
}

void Polygon(Magick::Image& img, const Magick::Color& fill, const std::list<Magick::Coordinate>& pts) {
  img.fillColor(fill);
  img.strokeColor(fill);
  img.draw(Magick::DrawablePolygon(pts));
}

void Box(Magick::Image& img, const Magick::Color& fill, const Magick::Color& stroke, double x0, double y0, double x1,
         double y1) {
  img.fillColor(fill);
  img.strokeColor(stroke);
  img.draw(Magick::DrawableRectangle(x0, y0, x1, y1));
}

// A sheet of paper with a frame of two-pixel lines and no fill set, ready for line work.
Magick::Image FramedSheet(int w, int h, const Magick::Color& paper, const Magick::Color& ink,
                          const Magick::DrawableRectangle& frame) {
  Magick::Image img(Magick::Geometry(w, h), paper);
  img.fillColor(Magick::Color());
  img.strokeColor(ink);
  img.strokeWidth(2);
  img.draw(frame);
  return img;
}

void WriteJpeg(Magick::Image& img, int quality, bool grey, const char* out) {
  img.quality(quality);
  if (grey) img.type(Magick::GrayscaleType);
  img.magick("JPEG");
  img.write(out);
}

void Text(Magick::Image& img, double x, double y, double size, const Magick::Color& color, const std::string& text) {
  img.font(kFont);
  img.fontPointsize(size);
  img.fillColor(color);
  img.strokeColor(Magick::Color());
  img.draw(Magick::DrawableText(x, y, text, "UTF-8"));
}

// Film-like grain, so that the pictures compress and look like photos.
void AddGrain(Magick::Image& img, std::mt19937& rng) {
  std::normal_distribution<double> noise(0.0, 3.0 * MaxRGB / 255.0);
  img.modifyImage();
  const unsigned w = img.columns(), h = img.rows();
  Magick::PixelPacket* px = img.getPixels(0, 0, w, h);
  auto clamp = [](double v) {
    return static_cast<Magick::Quantum>(v < 0 ? 0 : v > MaxRGB ? MaxRGB : v);
  };
  for (unsigned i = 0; i < w * h; ++i) {
    const double n = noise(rng);
    px[i].red = clamp(px[i].red + n);
    px[i].green = clamp(px[i].green + n);
    px[i].blue = clamp(px[i].blue + n);
  }
  img.syncPixels();
}

int WriteScene(const char* out, unsigned seed, const std::string& lines) {
  std::mt19937 rng(seed);
  auto rnd = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const int w = 640, h = 480;
  const int horizon = rnd(150, 210);
  Magick::Image sky(Magick::Geometry(w, horizon), Rgb(0, 0, 0));
  sky.read("gradient:#7fa9e0-#dce9f5");
  sky.resize(Magick::Geometry(w, horizon));
  Magick::Image img(Magick::Geometry(w, h), Rgb(150, 135, 110));
  img.composite(sky, 0, 0, Magick::OverCompositeOp);
  // Far hills, then the site's ground, a cut slope and a gravel road.
  std::list<Magick::Coordinate> hills{{0, static_cast<double>(horizon)}};
  for (int x = 0; x <= w; x += 40) hills.emplace_back(x, horizon - rnd(10, 55));
  hills.emplace_back(w, horizon);
  Polygon(img, Rgb(rnd(70, 95), rnd(105, 130), rnd(70, 90)), hills);
  Polygon(img, Rgb(rnd(140, 165), rnd(120, 140), rnd(90, 110)),
          {{0, static_cast<double>(horizon)}, {640, static_cast<double>(horizon)}, {640, 480}, {0, 480}});
  const int slope = rnd(260, 420);
  Polygon(img, Rgb(rnd(120, 140), rnd(95, 110), rnd(70, 85)),
          {{static_cast<double>(slope), static_cast<double>(horizon)},
           {640, static_cast<double>(horizon)},
           {640, 330},
           {static_cast<double>(slope + 120), 300}});
  Polygon(img, Rgb(165, 160, 150),
          {{280, static_cast<double>(horizon)}, {330, static_cast<double>(horizon)}, {520, 480}, {120, 480}});
  // Stakes and safety cones along the road.
  for (int i = 0; i < rnd(2, 5); ++i) {
    const double x = rnd(150, 600), y = rnd(horizon + 30, 430);
    const double s = (y - horizon) / 6.0;
    Polygon(img, Rgb(230, 90, 30), {{x, y - s}, {x - s / 3, y}, {x + s / 3, y}});
    Box(img, Rgb(245, 245, 245), Rgb(245, 245, 245), x - s / 5, y - s * 0.6, x + s / 5, y - s * 0.45);
  }
  // A concrete structure or a pipe in some scenes.
  if (rnd(0, 1)) {
    const double x = rnd(360, 470), y = rnd(horizon + 20, horizon + 60);
    Box(img, Rgb(190, 190, 185), Rgb(120, 120, 120), x, y, x + 130, y + 70);
  } else {
    const double y = rnd(horizon + 60, horizon + 110);
    Box(img, Rgb(90, 90, 100), Rgb(60, 60, 60), 330, y, 630, y + 22);
  }
  // The blackboard on its stand, bottom left, as site photos show it.
  const double bx = 20, by = 292, bw = 300, bh = 168;
  Box(img, Rgb(120, 85, 50), Rgb(90, 60, 35), bx - 6, by - 6, bx + bw + 6, by + bh + 6);
  Box(img, Rgb(30, 70, 50), Rgb(30, 70, 50), bx, by, bx + bw, by + bh);
  img.strokeColor(Rgb(220, 225, 215));
  img.strokeWidth(1);
  const std::vector<std::string> text = Split(lines, '|');
  const double row = bh / std::max<std::size_t>(text.size(), 1);
  for (std::size_t i = 1; i < text.size(); ++i)
    img.draw(Magick::DrawableLine(bx + 4, by + row * i, bx + bw - 4, by + row * i));
  for (std::size_t i = 0; i < text.size(); ++i)
    Text(img, bx + 8, by + row * i + row * 0.68, 14, Rgb(240, 240, 235), text[i]);
  AddGrain(img, rng);
  WriteJpeg(img, 72, false, out);
  return 0;
}

int WriteDrawing(const char* out, unsigned seed, const std::string& title) {
  std::mt19937 rng(seed);
  auto rnd = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  Magick::Image img = FramedSheet(640, 480, Rgb(255, 255, 255), Rgb(20, 40, 120), {10, 10, 630, 470});
  img.strokeWidth(1);
  // A cross-section: ground line, excavation and a box culvert.
  const double base = rnd(280, 320);
  img.draw(Magick::DrawableLine(40, 200, 200, 200));
  img.draw(Magick::DrawableLine(200, 200, 250, base));
  img.draw(Magick::DrawableLine(250, base, 430, base));
  img.draw(Magick::DrawableLine(430, base, 480, 200));
  img.draw(Magick::DrawableLine(480, 200, 600, 200));
  img.strokeWidth(2);
  img.draw(Magick::DrawableRectangle(280, base - 70, 400, base - 5));
  img.strokeWidth(1);
  img.draw(Magick::DrawableRectangle(295, base - 58, 385, base - 17));
  // Dimension lines.
  img.draw(Magick::DrawableLine(280, base + 25, 400, base + 25));
  img.draw(Magick::DrawableLine(280, base + 18, 280, base + 32));
  img.draw(Magick::DrawableLine(400, base + 18, 400, base + 32));
  Text(img, 318, base + 45, 13, Rgb(20, 40, 120), std::to_string(rnd(18, 30) * 100));
  // Title block.
  img.fillColor(Magick::Color());
  img.draw(Magick::DrawableRectangle(380, 400, 630, 470));
  img.draw(Magick::DrawableLine(380, 430, 630, 430));
  Text(img, 390, 423, 15, Rgb(20, 40, 120), title);
  Text(img, 390, 456, 12, Rgb(20, 40, 120), "S=1:100");
  WriteJpeg(img, 70, true, out);
  return 0;
}

int WriteDummy(const char* out) {
  Magick::Image img = FramedSheet(160, 120, Rgb(214, 214, 214), Rgb(150, 150, 150), {4, 4, 155, 115});
  img.draw(Magick::DrawableLine(4, 4, 155, 115));
  img.draw(Magick::DrawableLine(155, 4, 4, 115));
  Box(img, Rgb(214, 214, 214), Rgb(214, 214, 214), 30, 47, 129, 72);
  Text(img, 38, 66, 14, Rgb(90, 90, 90), "NO IMAGE");
  WriteJpeg(img, 60, true, out);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Magick::InitializeMagick(argv[0]);
  if (argc < 3) return 2;
  const std::string kind = argv[1];
  try {
    if (kind == "tiny" && argc == 4) return WriteTiny(argv[2], std::atoi(argv[3]));
    if (kind == "scene" && argc == 5) return WriteScene(argv[2], std::atoi(argv[3]), argv[4]);
    if (kind == "drawing" && argc == 5) return WriteDrawing(argv[2], std::atoi(argv[3]), argv[4]);
    if (kind == "dummy" && argc == 3) return WriteDummy(argv[2]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_picture: %s\n", e.what());
    return 1;
  }
  return 2;
}
