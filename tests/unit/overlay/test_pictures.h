#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "app/bytes.h"
#include "overlay/raster_image.h"

namespace torvane::test {

inline void putU16(Bytes& b, std::size_t at, std::uint32_t v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

inline void putU32(Bytes& b, std::size_t at, std::uint32_t v) {
  putU16(b, at, v & 0xFFFF);
  putU16(b, at + 2, v >> 16);
}

inline RasterImage imageFrom(int width, int height, const std::vector<std::uint32_t>& pixels) {
  RasterImage image(width, height);
  image.pixels = pixels;
  return image;
}

// A BMP file with a 40-byte info header holding `image` at 1, 4, 8 (palette of the image's own
// colours, in order of first appearance), 24 or 32 bits per pixel, written independently of the
// program's encoder.
inline Bytes makeBmp(const RasterImage& image, int bits, bool topDown = false) {
  std::vector<std::uint32_t> palette;
  if (bits <= 8) {
    for (std::uint32_t p : image.pixels) {
      if (std::find(palette.begin(), palette.end(), p) == palette.end()) palette.push_back(p);
    }
  }
  const std::size_t stride = (static_cast<std::size_t>(image.width) * bits + 31) / 32 * 4;
  const std::size_t pixelOffset = 54 + palette.size() * 4;
  Bytes file(pixelOffset + stride * image.height, 0);
  file[0] = 'B';
  file[1] = 'M';
  putU32(file, 2, static_cast<std::uint32_t>(file.size()));
  putU32(file, 10, static_cast<std::uint32_t>(pixelOffset));
  putU32(file, 14, 40);
  putU32(file, 18, static_cast<std::uint32_t>(image.width));
  putU32(file, 22, static_cast<std::uint32_t>(topDown ? -image.height : image.height));
  putU16(file, 26, 1);
  putU16(file, 28, static_cast<std::uint32_t>(bits));
  putU32(file, 46, static_cast<std::uint32_t>(palette.size()));
  for (std::size_t i = 0; i < palette.size(); ++i) putU32(file, 54 + 4 * i, palette[i] & 0xFFFFFF);
  for (int y = 0; y < image.height; ++y) {
    const int stored = topDown ? y : image.height - 1 - y;
    std::uint8_t* row = file.data() + pixelOffset + stride * stored;
    for (int x = 0; x < image.width; ++x) {
      const std::uint32_t p = image.at(x, y);
      if (bits <= 8) {
        const auto index = static_cast<std::uint32_t>(std::find(palette.begin(), palette.end(), p) -
                                                      palette.begin());
        const int bit = x * bits;
        row[bit / 8] |= static_cast<std::uint8_t>(index << (8 - bits - bit % 8));
      } else {
        const int bytes = bits / 8;
        row[x * bytes] = static_cast<std::uint8_t>(p);
        row[x * bytes + 1] = static_cast<std::uint8_t>(p >> 8);
        row[x * bytes + 2] = static_cast<std::uint8_t>(p >> 16);
        if (bytes == 4) row[x * bytes + 3] = 0x5A;  // must be ignored
      }
    }
  }
  return file;
}

}  // namespace torvane::test
