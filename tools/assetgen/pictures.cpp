#include <cmath>
#include <numbers>

#include "artwork.h"
#include "random.h"
#include "render.h"

namespace torvane::assetgen {
namespace {

constexpr QRgb kMagenta = 0xFFFF00FF;

struct StampRow {
  const char* file;
  const char* svg;
  std::vector<QRgb> palette;
};

const StampRow kStamps[] = {
    {"stamp_no_entry", "stamp_no_entry.svg", {0xe00000}},
    {"stamp_smiley", "stamp_smiley.svg", {0xffd400, 0x000000, 0xe0201a, 0xffffff, 0xff8a9a}},
    {"stamp_skull",
     "stamp_skull.svg",
     {0xa8a8a8, 0x5c5c5c, 0xf5f5f5, 0xc8c8c8, 0x2a2a2a, 0xd40000}},
    {"stamp_flower",
     "stamp_flower.svg",
     {0x1f6b22, 0x7fdc5a, 0x2a5cff, 0x0b2488, 0xffe000, 0xe00000}},
};

QImage onMagenta(const QImage& flat) {
  QImage out(flat.size(), QImage::Format_RGB32);
  for (int y = 0; y < flat.height(); ++y) {
    for (int x = 0; x < flat.width(); ++x) {
      const QRgb p = flat.pixel(x, y);
      out.setPixel(x, y, qAlpha(p) ? p : kMagenta);
    }
  }
  return out;
}

// A wobbly outline: the radius factor at angle `a`, from a few random harmonics.
class Outline {
 public:
  Outline(Random& random, double roughness) {
    for (int i = 0; i < kHarmonics; ++i) {
      phase_[i] = random.uniform() * 2 * std::numbers::pi;
      weight_[i] = roughness * random.uniform() / (1 + i * 0.5);
    }
  }
  double at(double a) const {
    double r = 1;
    for (int i = 0; i < kHarmonics; ++i) r += weight_[i] * std::sin((i + 2) * a + phase_[i]);
    return r;
  }

 private:
  static constexpr int kHarmonics = 6;
  double phase_[kHarmonics];
  double weight_[kHarmonics];
};

// A ragged black blot up and to the left of the centre, with stray specks round it.
QImage bulletHole() {
  Random random(20);
  const Outline outline(random, 0.22);
  QImage out(20, 20, QImage::Format_RGB32);
  out.fill(kMagenta);
  constexpr double cx = 8.2, cy = 7.6, rx = 6.2, ry = 5.1;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) {
      const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
      const double d = std::hypot(dx, dy) / outline.at(std::atan2(dy, dx));
      if (d < 0.92 || (d < 1.12 && random.uniform() < 0.45)) out.setPixel(x, y, 0xFF000000);
    }
  }
  for (int specks = 0; specks < 16;) {
    const double a = random.uniform() * 2 * std::numbers::pi;
    const double r = 1.25 + random.uniform() * 0.8;
    const int x = static_cast<int>(std::floor(cx + std::cos(a) * rx * r));
    const int y = static_cast<int>(std::floor(cy + std::sin(a) * ry * r));
    if (x < 0 || y < 0 || x >= 20 || y >= 20 || out.pixel(x, y) != kMagenta) continue;
    out.setPixel(x, y, 0xFF000000);
    ++specks;
  }
  return out;
}

// A black burnt-through disc in a ragged ring of maroon, dark red and crimson that thins out.
QImage scorchHole() {
  Random random(34);
  const Outline disc(random, 0.05);
  const Outline rim(random, 0.12);
  QImage out(100, 100, QImage::Format_RGB32);
  out.fill(kMagenta);
  const QRgb burnt[] = {0xFF5a0610, 0xFF8e0b0b, 0xFFd8143a};
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 100; ++x) {
      const double dx = x + 0.5 - 50, dy = y + 0.5 - 50;
      const double a = std::atan2(dy, dx);
      const double r = std::hypot(dx, dy);
      if (r < 17 * disc.at(a)) {
        out.setPixel(x, y, 0xFF000000);
        continue;
      }
      // 0 at the disc's edge, 1 at the ring's outer edge.
      const double t = (r - 17 * disc.at(a)) / (46 * rim.at(a) - 17 * disc.at(a));
      if (t >= 1 || random.uniform() > std::pow(1 - t, 1.6) * 0.95) continue;
      const double shade = std::clamp(t * 2.6 + random.signedUniform() * 0.9, 0.0, 2.999);
      out.setPixel(x, y, burnt[static_cast<int>(shade)]);
    }
  }
  return out;
}

// Grey, dark grey and black specks, dense in the middle and sparse at the rim.
QImage sootPatch() {
  Random random(100);
  const Outline outline(random, 0.1);
  QImage out(100, 100, QImage::Format_RGB32);
  out.fill(kMagenta);
  const QRgb soot[] = {0xFF000000, 0xFF3c3c3c, 0xFF7d7d7d};
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 100; ++x) {
      const double dx = x + 0.5 - 50, dy = y + 0.5 - 50;
      const double t = std::hypot(dx, dy) / (46 * outline.at(std::atan2(dy, dx)));
      if (t >= 1 || random.uniform() > 0.75 * std::pow(1 - t * t, 2.2)) continue;
      out.setPixel(x, y, soot[static_cast<int>(random.uniform() * 3)]);
    }
  }
  return out;
}

}  // namespace

std::vector<PictureArt> drawPictures(const QString& sourceDir) {
  std::vector<PictureArt> out;
  for (const StampRow& row : kStamps) {
    out.push_back(
        {row.file, onMagenta(renderFlat(sourceDir + "/" + row.svg, 50, 50, row.palette))});
  }
  out.push_back({"bullet_hole", bulletHole()});
  out.push_back({"scorch_hole", scorchHole()});
  out.push_back({"soot_patch", sootPatch()});
  return out;
}

}  // namespace torvane::assetgen
