#pragma once

#include <cstdint>
#include <vector>

namespace torvane {

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  bool empty() const { return width <= 0 || height <= 0; }
};

// A plain 32-bit pixel buffer, rows top-down, pixels 0xFFRRGGBB (see colour.h). Used for the canvas
// image and for decoded pictures.
struct RasterImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  RasterImage() = default;
  RasterImage(int w, int h, std::uint32_t fill = 0xFF000000u)
      : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}

  std::uint32_t* row(int y) { return pixels.data() + static_cast<std::size_t>(y) * width; }
  const std::uint32_t* row(int y) const {
    return pixels.data() + static_cast<std::size_t>(y) * width;
  }
  std::uint32_t at(int x, int y) const { return row(y)[x]; }
};

}  // namespace torvane
