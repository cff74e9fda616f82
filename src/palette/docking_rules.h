#pragma once

#include <optional>

namespace torvane {

// The palette's outer frame, caption included, in screen pixels.
struct PaletteGeometry {
  int left;
  int top;
  int width;
  int height;
};

// The one coordinate a docking rule moves the palette to.
struct CoordinateWrite {
  enum Axis { Left, Top } axis;
  int value;

  bool operator==(const CoordinateWrite&) const = default;
};

// After every move: snaps a palette dropped near an edge flush against it, and hides one dropped
// mostly below the bottom. Empty when the palette stays where it is.
std::optional<CoordinateWrite> snapRule(const PaletteGeometry& palette, int screenW, int screenH,
                                        int dockMargin);

// On every docking tick: slides a palette at an edge out of sight, leaving a dockMargin-wide
// strip, while the pointer is away from it, and back while the pointer is over it.
std::optional<CoordinateWrite> slideRule(const PaletteGeometry& palette, int screenW, int screenH,
                                         int dockMargin, bool pointerOverPalette);

}  // namespace torvane
