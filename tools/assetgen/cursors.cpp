#include <array>
#include <cmath>

#include "artwork.h"
#include "render.h"

namespace torvane::assetgen {
namespace {

struct CursorRow {
  const char* file;
  const char* svg;
  int hotX;
  int hotY;
  Placement placement;
  double blur = 0;
};

// Cursors drawn from SVG with soft edges. A pressed pose turns the drawing about the point the user
// aims with and moves that point onto the pressed hotspot.
const CursorRow kSoftCursors[] = {
    {"cursor_bucket", "bucket.svg", 7, 0, {}},
    {"cursor_brush", "brush.svg", 3, 3, {}},
    {"cursor_pencil", "pencil.svg", 0, 1, {}},
    {"cursor_text_pen", "textpen.svg", 0, 0, {}},
    {"cursor_stamp", "stamp.svg", 5, 5, {}},
    {"cursor_ak47", "ak47.svg", 0, 0, {}},
    {"cursor_highlighter", "highlighter.svg", 0, 0, {}},
    {"cursor_paint_can", "paintcan.svg", 6, 3, {}},
    {"cursor_flame", "flame.svg", 0, 0, {}, kFlameBlur},
    {"cursor_bucket_down", "bucket.svg", 4, 3, {{7.5, 0.5}, {4.5, 3.5}, -30}},
    {"cursor_brush_down", "brush.svg", 2, 3, {{3.4, 3.4}, {2.4, 3.4}, -10}},
    {"cursor_pencil_down", "pencil.svg", 0, 4, {{0.3, 1.3}, {0.3, 4.3}, -16}},
    {"cursor_highlighter_down", "highlighter.svg", 0, 0, {{0.3, 0.3}, {0.3, 0.3}, -15}},
    {"cursor_paint_can_down", "paintcan.svg", 5, 3, {{6.5, 3.5}, {5.5, 3.5}, -30, 0.9, 0.9}},
    {"cursor_flame_down", "flame.svg", 0, 1, {{16, 30}, {15, 30.5}, 0, 1.1, 0.82}, kFlameBlur},
};

// The pressed crosshair differs from the plain one in eight ring pixels, two at each diagonal,
// shaded a touch darker so that nobody sees the change.
QImage retouchRing(QImage image) {
  constexpr double kCentre = 15.5;
  constexpr double kRadius = 13.9;
  for (int quadrant = 0; quadrant < 4; ++quadrant) {
    const double dx = (quadrant & 1) ? 1 : -1;
    const double dy = (quadrant & 2) ? 1 : -1;
    const int x = static_cast<int>(std::floor(kCentre + dx * kRadius / std::sqrt(2.0)));
    const int y = static_cast<int>(std::floor(kCentre + dy * kRadius / std::sqrt(2.0)));
    for (int step = 0; step < 2; ++step) {
      const int px = x + (step ? static_cast<int>(-dx) : 0);
      const QRgb p = image.pixel(px, y);
      image.setPixel(px, y, qRgba(qRed(p), std::max(0, qGreen(p) - 14), qBlue(p), qAlpha(p)));
    }
  }
  return image;
}

}  // namespace

const std::vector<QRgb> kLaserPalette = {0x0a2680, 0x2f7bff, 0xa8d4ff};

std::vector<CursorArt> drawCursors(const QString& sourceDir) {
  std::vector<CursorArt> out;
  for (const CursorRow& row : kSoftCursors) {
    out.push_back({row.file, renderSoft(sourceDir + "/" + row.svg, 32, 32, row.placement, row.blur),
                   row.hotX, row.hotY});
  }
  const auto find = [&out](const std::string& file) {
    for (const CursorArt& c : out) {
      if (c.file == file) return c.image;
    }
    return QImage();
  };
  const QImage laser = renderFlat(sourceDir + "/laser.svg", 32, 32, kLaserPalette);
  out.push_back({"cursor_laser", laser, 0, 0});
  out.push_back({"cursor_laser_down", laser, 3, 3});
  out.push_back({"cursor_stamp_down", find("cursor_stamp"), 9, 9});
  out.push_back({"cursor_ak47_down", retouchRing(find("cursor_ak47")), 0, 0});
  return out;
}

}  // namespace torvane::assetgen
