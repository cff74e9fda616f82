#pragma once

#include <cstdint>
#include <optional>

#include "overlay/colour.h"

namespace torvane {

// The current tool is held as a plain integer; these are its meaningful values. Unscoped so that
// handlers can switch on the stored integer with these names as case labels.
enum ToolId : std::int32_t {
  Bucket = 0,
  Brush = 1,
  Pencil = 2,
  TextPen = 3,
  Stamp = 4,
  Ak47 = 5,
  Laser = 6,
  Highlighter = 7,
  PaintCan = 8,
  Flame = 9,
};

// The embedded cursor files, one value per kCursor... constant.
enum class CursorAsset {
  Bucket,
  Brush,
  Pencil,
  TextPen,
  Stamp,
  Ak47,
  Laser,
  Highlighter,
  PaintCan,
  Flame,
  BucketDown,
  BrushDown,
  PencilDown,
  StampDown,
  Ak47Down,
  LaserDown,
  HighlighterDown,
  PaintCanDown,
  FlameDown,
};

struct Pen {
  int width = 0;
  Colour colour = 0;
  int mode = 0;  // MixMode

  bool operator==(const Pen&) const = default;
};

// What making a tool current does to the canvas.
struct ToolActivation {
  ToolId tool;
  CursorAsset cursor;
  std::optional<Pen> pen;  // empty: the pen keeps what the previous tool or colour change left
  bool loadsNoEntryStamp;  // the stamp picture becomes a freshly loaded kStampNoEntry
};

// Cursors the left button shows with a tool; empty where the gesture leaves the cursor alone.
struct GestureCursors {
  ToolId tool;
  std::optional<CursorAsset> pressed;
  std::optional<CursorAsset> released;
};

// Brush, Pencil, Highlighter and PaintCan: the tools that draw lines with the pen.
bool isFreehand(int tool);

// nullptr for a value outside 0..9.
const ToolActivation* activationFor(int tool);

std::optional<CursorAsset> pressedCursorFor(int tool);
std::optional<CursorAsset> releasedCursorFor(int tool);

}  // namespace torvane
