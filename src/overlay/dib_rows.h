#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace torvane {

using DibPalette = std::array<std::uint32_t, 256>;

// Row stride of an uncompressed device-independent bitmap: whole 32-bit words.
constexpr std::size_t dibStride(std::int64_t width, int bitsPerPixel) {
  return static_cast<std::size_t>((width * bitsPerPixel + 31) / 32 * 4);
}

// Blue, green, red bytes to 0xFFRRGGBB pixels and back.
void bgrToPixels(const std::uint8_t* source, std::uint32_t* out, int count);
void pixelsToBgr(const std::uint32_t* pixels, std::uint8_t* out, int count);

// Converts one stored row of 1, 4, 8 (through `palette`), 24 or 32 bits per pixel to `count`
// 0xFFRRGGBB pixels; the fourth byte of a 32-bit pixel is ignored.
void dibRowToPixels(const std::uint8_t* row, int bitsPerPixel, const DibPalette& palette,
                    std::uint32_t* out, int count);

// `count` palette entries of blue, green, red (and a spare byte when entryBytes is 4); the rest
// black.
DibPalette readDibPalette(const std::uint8_t* entries, int count, int entryBytes);

}  // namespace torvane
