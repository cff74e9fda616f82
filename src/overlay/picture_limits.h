#pragma once

#include <cstdint>

namespace torvane {

// Largest picture any decoder accepts: 32768 pixels a side and 64 Mi pixels (256 MiB decoded), far
// beyond any screen or stamp, small enough that a lying header cannot exhaust memory.
constexpr std::int64_t kMaxPictureSide = 32768;
constexpr std::int64_t kMaxPicturePixels = std::int64_t{64} << 20;

constexpr bool pictureSizeAllowed(std::int64_t width, std::int64_t height) {
  return width >= 1 && height >= 1 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePixels;
}

}  // namespace torvane
