#include "assets/toolbar_image.h"

#include <cstddef>
#include <cstdint>

namespace torvane {
namespace {

constexpr std::size_t kHeaderSize = 40;
constexpr int kMaxSide = 256;

std::uint32_t le32(ByteView b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::uint16_t le16(ByteView b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

}  // namespace

RasterImage toolbarImagePixels(ByteView dib) {
  if (dib.size() < kHeaderSize || le32(dib, 0) != kHeaderSize) return {};
  const auto width = static_cast<std::int32_t>(le32(dib, 4));
  const auto doubleHeight = static_cast<std::int32_t>(le32(dib, 8));
  if (le16(dib, 12) != 1 || le16(dib, 14) != 32 || le32(dib, 16) != 0) return {};
  if (width <= 0 || width > kMaxSide || doubleHeight <= 0 || doubleHeight > 2 * kMaxSide ||
      doubleHeight % 2 != 0) {
    return {};
  }
  const int height = doubleHeight / 2;
  const std::size_t colourBytes = static_cast<std::size_t>(width) * height * 4;
  const std::size_t maskStride = static_cast<std::size_t>((width + 31) / 32) * 4;
  if (dib.size() < kHeaderSize + colourBytes + maskStride * height) return {};

  RasterImage image(width, height);
  const ByteView colour = dib.subspan(kHeaderSize, colourBytes);
  const ByteView mask = dib.subspan(kHeaderSize + colourBytes, maskStride * height);
  for (int y = 0; y < height; ++y) {
    const int stored = height - 1 - y;
    const std::uint8_t* bgra = colour.data() + static_cast<std::size_t>(stored) * width * 4;
    const std::uint8_t* bits = mask.data() + static_cast<std::size_t>(stored) * maskStride;
    std::uint32_t* out = image.row(y);
    for (int x = 0; x < width; ++x) {
      const bool transparent = bits[x / 8] & (0x80 >> (x % 8));
      out[x] = transparent ? 0xFFFFFFFFu
                           : 0xFF000000u | static_cast<std::uint32_t>(bgra[x * 4 + 2]) << 16 |
                                 static_cast<std::uint32_t>(bgra[x * 4 + 1]) << 8 | bgra[x * 4];
    }
  }
  return image;
}

}  // namespace torvane
