#include "palette/docking_rules.h"

#include <cstdint>

namespace torvane {
namespace {

// Positions may be anywhere an int reaches, so sums are formed in 64 bits.
using Wide = std::int64_t;

CoordinateWrite moveLeft(Wide value) { return {CoordinateWrite::Left, static_cast<int>(value)}; }
CoordinateWrite moveTop(Wide value) { return {CoordinateWrite::Top, static_cast<int>(value)}; }

}  // namespace

// First match wins: left, right, top, bottom, then below the bottom. The right edge snaps only
// within dockMargin, the others within 10 pixels.
std::optional<CoordinateWrite> snapRule(const PaletteGeometry& p, int screenW, int screenH,
                                        int dockMargin) {
  const Wide rightGap = Wide{screenW} - p.left - p.width;
  const Wide bottomGap = Wide{screenH} - p.top - p.height;
  const Wide rowsOnScreen = Wide{screenH} - p.top;

  if (p.left >= 0 && p.left <= 9) return moveLeft(0);
  if (rightGap >= 0 && rightGap < dockMargin) return moveLeft(Wide{screenW} - p.width);
  if (p.top >= 0 && p.top <= 9) return moveTop(0);
  if (bottomGap >= 0 && bottomGap <= 9) return moveTop(Wide{screenH} - p.height);
  if (rowsOnScreen >= 0 && 2 * rowsOnScreen < p.height) return moveTop(Wide{screenH} - dockMargin);
  return std::nullopt;
}

// First match wins, top before left before right before bottom. Top and left act on any palette
// touching or beyond the edge; right hides any such palette but shows only the exact hidden
// position; bottom acts only on the exact docked and hidden positions.
std::optional<CoordinateWrite> slideRule(const PaletteGeometry& p, int screenW, int screenH,
                                         int dockMargin, bool pointerOverPalette) {
  if (!pointerOverPalette) {
    if (p.top <= 0) return moveTop(Wide{dockMargin} - p.height);
    if (p.left <= 0) return moveLeft(Wide{dockMargin} - p.width);
    if (Wide{p.left} + p.width >= screenW) return moveLeft(Wide{screenW} - dockMargin);
    if (p.top == Wide{screenH} - p.height) return moveTop(Wide{screenH} - dockMargin);
    return std::nullopt;
  }
  if (p.top < 10) return moveTop(0);
  if (p.left < 10) return moveLeft(0);
  if (p.left == Wide{screenW} - dockMargin) return moveLeft(Wide{screenW} - p.width);
  if (p.top == Wide{screenH} - dockMargin) return moveTop(Wide{screenH} - p.height);
  return std::nullopt;
}

}  // namespace torvane
