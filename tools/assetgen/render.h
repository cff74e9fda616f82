#pragma once

#include <QImage>
#include <QPointF>
#include <QString>
#include <vector>

namespace torvane::assetgen {

// Where a drawing goes in the output: its point `from` lands on `to`, turned clockwise by `degrees`
// about that point and scaled. The default keeps the drawing where its SVG puts it.
struct Placement {
  QPointF from;
  QPointF to;
  double degrees = 0;
  double scaleX = 1;
  double scaleY = 1;
};

// Anti-aliased rendering (4 x 4 samples per pixel), straight ARGB. A `blur` above 0 softens every
// edge with a Gaussian of that radius (standard deviation, in pixels).
QImage renderSoft(const QString& svgPath, int width, int height, const Placement& placement = {},
                  double blur = 0);

// Hard-edged rendering: every pixel takes the colour most of its 8 x 8 samples are nearest to,
// among `palette` and transparency. The result holds only palette colours and fully transparent
// pixels.
QImage renderFlat(const QString& svgPath, int width, int height, const std::vector<QRgb>& palette,
                  const Placement& placement = {});

// Composites straight ARGB pixels over an opaque colour.
QImage over(const QImage& argb, QRgb background);

}  // namespace torvane::assetgen
