#pragma once

#include "app/bytes.h"

namespace torvane {

struct ScreenPoint {
  int x = 0;
  int y = 0;
};

struct ScreenSize {
  int width = 0;
  int height = 0;
};

// The primary screen's full size in pixels, read afresh at every call.
ScreenSize primaryScreenSize();

// The primary screen as currently displayed, without the mouse cursor, as 24-bit BMP file bytes.
Bytes captureScreen();

// The mouse pointer's position in screen pixels.
ScreenPoint pointerPosition();

}  // namespace torvane
