#include "overlay/apply_tool.h"

namespace torvane {

void applyTool(int tool, ToolTarget& target) {
  const ToolActivation* activation = activationFor(tool);
  if (!activation) return;
  target.setCursor(activation->cursor);
  if (activation->pen)
    target.setPen(activation->pen->width, activation->pen->colour, activation->pen->mode);
  if (activation->loadsNoEntryStamp) target.loadNoEntryStamp();
}

}  // namespace torvane
