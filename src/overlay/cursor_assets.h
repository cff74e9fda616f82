#pragma once

#include "app/bytes.h"
#include "overlay/tool_catalogue.h"

namespace torvane {

// The embedded cursor file for each cursor the tools show.
ByteView cursorFile(CursorAsset cursor);

}  // namespace torvane
