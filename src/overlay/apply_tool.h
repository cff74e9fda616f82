#pragma once

#include "overlay/colour.h"
#include "overlay/tool_catalogue.h"

namespace torvane {

// The canvas and application state as tool activation sees them.
class ToolTarget {
 public:
  virtual ~ToolTarget() = default;

  virtual void setCursor(CursorAsset cursor) = 0;
  virtual void setPen(int width, Colour colour, int mode) = 0;
  // Stores a freshly loaded kStampNoEntry as the stamp picture.
  virtual void loadNoEntryStamp() = 0;
};

// Gives the target the cursor and, for the freehand tools, the pen of `tool`; for Stamp the cursor
// comes first and the picture second. A value outside 0..9 changes nothing.
void applyTool(int tool, ToolTarget& target);

}  // namespace torvane
