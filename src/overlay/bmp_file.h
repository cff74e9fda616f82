#pragma once

#include <cstddef>
#include <optional>

#include "app/bytes.h"
#include "overlay/raster_image.h"

namespace torvane {

// Where the pixels of an uncompressed BMP file lie, checked against the file's length.
struct BmpLayout {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;  // 1, 4, 8, 24 or 32
  bool topDown = false;
  std::size_t pixelOffset = 0;
  std::size_t stride = 0;
  std::size_t paletteOffset = 0;
  int paletteEntries = 0;
  int paletteEntryBytes = 4;
};

// Accepts "BM" files with a core (12-byte) or info (40-byte or longer) header, 1, 4, 8, 24 or 32
// bits per pixel and no compression, bottom-up or top-down, within the limits of picture_limits.h.
std::optional<BmpLayout> readBmpLayout(ByteView file);

// Writes the picture with its top-left corner at (0, 0) of `target`, clipped to it. `layout` must
// come from readBmpLayout(file).
void decodeBmpPixels(ByteView file, const BmpLayout& layout, RasterImage& target);

std::optional<RasterImage> decodeBmp(ByteView file);

// A 24-bit, bottom-up BMP file with a 14-byte file header and a 40-byte info header.
Bytes encodeBmp(const RasterImage& image);
// The same from 0xFFRRGGBB rows `stridePixels` apart, such as a toolkit image's.
Bytes encodeBmp(const std::uint32_t* pixels, int width, int height, std::size_t stridePixels);

}  // namespace torvane
