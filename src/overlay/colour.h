#pragma once

#include <cstdint>

namespace torvane {

// 0x00BBGGRR: red in the low byte, as the program's colour values are written.
using Colour = std::uint32_t;

constexpr Colour rgb(int red, int green, int blue) {
  return static_cast<Colour>(red & 255) | static_cast<Colour>(green & 255) << 8 |
         static_cast<Colour>(blue & 255) << 16;
}

// Canvas pixels are 0xFFRRGGBB (the layout of a 32-bit RGB QImage), so the frame buffer can be
// shown and drawn on by the toolkit without conversion.
constexpr std::uint32_t pixelFromColour(Colour c) {
  return 0xFF000000u | (c & 0xFFu) << 16 | (c & 0xFF00u) | (c >> 16 & 0xFFu);
}

constexpr Colour colourFromPixel(std::uint32_t p) {
  return (p >> 16 & 0xFFu) | (p & 0xFF00u) | (p & 0xFFu) << 16;
}

}  // namespace torvane
