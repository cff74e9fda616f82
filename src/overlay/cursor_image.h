#pragma once

#include <cstdint>
#include <vector>

namespace torvane {

// A cursor decoded from a cursor file: straight (not premultiplied) 0xAARRGGBB pixels, rows top-down.
struct CursorImage {
  int width = 0;
  int height = 0;
  int hotX = 0;
  int hotY = 0;
  std::vector<std::uint32_t> argb;
};

}  // namespace torvane
