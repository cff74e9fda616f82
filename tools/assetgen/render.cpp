#include "render.h"

#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace torvane::assetgen {
namespace {

// Renders at `scale` samples per pixel side, premultiplied.
QImage renderSamples(const QString& svgPath, int width, int height, int scale,
                     const Placement& placement) {
  QSvgRenderer svg(svgPath);
  if (!svg.isValid()) {
    std::fprintf(stderr, "cannot read %s\n", qPrintable(svgPath));
    std::exit(1);
  }
  QImage samples(width * scale, height * scale, QImage::Format_ARGB32_Premultiplied);
  samples.fill(Qt::transparent);
  QPainter painter(&samples);
  painter.scale(scale, scale);
  painter.translate(placement.to);
  painter.rotate(placement.degrees);
  painter.scale(placement.scaleX, placement.scaleY);
  painter.translate(-placement.from);
  svg.render(&painter, QRectF(QPointF(0, 0), svg.viewBoxF().size()));
  return samples;
}

// Separable Gaussian blur of premultiplied pixels, in place.
void gaussianBlur(QImage& image, double sigma) {
  const int radius = static_cast<int>(std::ceil(3 * sigma));
  std::vector<double> kernel(2 * radius + 1);
  double total = 0;
  for (int i = -radius; i <= radius; ++i)
    total += kernel[i + radius] = std::exp(-i * i / (2 * sigma * sigma));
  for (double& k : kernel) k /= total;

  const int w = image.width(), h = image.height();
  std::vector<std::array<double, 4>> a(static_cast<std::size_t>(w) * h), b(a.size());
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const QRgb p = image.pixel(x, y);
      a[y * w + x] = {double(qAlpha(p)), double(qRed(p)), double(qGreen(p)), double(qBlue(p))};
    }
  }
  auto pass = [&](const auto& from, auto& to, int dx, int dy) {
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        std::array<double, 4> sum{};
        for (int i = -radius; i <= radius; ++i) {
          const int sx = x + i * dx, sy = y + i * dy;
          if (sx < 0 || sy < 0 || sx >= w || sy >= h) continue;
          for (int c = 0; c < 4; ++c) sum[c] += kernel[i + radius] * from[sy * w + sx][c];
        }
        to[y * w + x] = sum;
      }
    }
  };
  pass(a, b, 1, 0);
  pass(b, a, 0, 1);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const auto& v = a[y * w + x];
      auto byte = [](double c) { return static_cast<int>(std::clamp(std::lround(c), 0l, 255l)); };
      image.setPixel(x, y, qRgba(byte(v[1]), byte(v[2]), byte(v[3]), byte(v[0])));
    }
  }
}

}  // namespace

QImage renderSoft(const QString& svgPath, int width, int height, const Placement& placement,
                  double blur) {
  constexpr int kScale = 4;
  QImage samples = renderSamples(svgPath, width, height, kScale, placement);
  if (blur > 0) gaussianBlur(samples, blur * kScale);
  QImage out(width, height, QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      int sum[4] = {0, 0, 0, 0};
      for (int sy = 0; sy < kScale; ++sy) {
        for (int sx = 0; sx < kScale; ++sx) {
          const QRgb p = samples.pixel(x * kScale + sx, y * kScale + sy);
          sum[0] += qAlpha(p);
          sum[1] += qRed(p);
          sum[2] += qGreen(p);
          sum[3] += qBlue(p);
        }
      }
      constexpr int kCount = kScale * kScale;
      auto avg = [](int s) { return (s + kCount / 2) / kCount; };
      out.setPixel(x, y, qRgba(avg(sum[1]), avg(sum[2]), avg(sum[3]), avg(sum[0])));
    }
  }
  return out.convertToFormat(QImage::Format_ARGB32);
}

QImage renderFlat(const QString& svgPath, int width, int height, const std::vector<QRgb>& palette,
                  const Placement& placement) {
  constexpr int kScale = 8;
  const QImage samples = renderSamples(svgPath, width, height, kScale, placement)
                             .convertToFormat(QImage::Format_ARGB32);
  QImage out(width, height, QImage::Format_ARGB32);
  std::vector<int> votes(palette.size() + 1);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::fill(votes.begin(), votes.end(), 0);
      for (int sy = 0; sy < kScale; ++sy) {
        for (int sx = 0; sx < kScale; ++sx) {
          const QRgb p = samples.pixel(x * kScale + sx, y * kScale + sy);
          if (qAlpha(p) < 128) {
            ++votes[0];
            continue;
          }
          std::size_t best = 0;
          int bestDistance = 0;
          for (std::size_t i = 0; i < palette.size(); ++i) {
            const int dr = qRed(p) - qRed(palette[i]);
            const int dg = qGreen(p) - qGreen(palette[i]);
            const int db = qBlue(p) - qBlue(palette[i]);
            const int d = dr * dr + dg * dg + db * db;
            if (i == 0 || d < bestDistance) {
              best = i;
              bestDistance = d;
            }
          }
          ++votes[best + 1];
        }
      }
      const auto winner = std::max_element(votes.begin(), votes.end()) - votes.begin();
      out.setPixel(x, y, winner == 0 ? 0u : (palette[winner - 1] | 0xFF000000u));
    }
  }
  return out;
}

QImage over(const QImage& argb, QRgb background) {
  QImage out(argb.size(), QImage::Format_ARGB32);
  out.fill(background | 0xFF000000u);
  QPainter painter(&out);
  painter.drawImage(0, 0, argb);
  return out;
}

}  // namespace torvane::assetgen
