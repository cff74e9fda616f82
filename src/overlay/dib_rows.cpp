#include "overlay/dib_rows.h"

#include <cstring>

namespace torvane {
namespace {

constexpr std::uint32_t kAlpha = 0xFF000000u;

std::uint32_t load32(const std::uint8_t* p) {
  std::uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

// Four pixels (twelve bytes, three whole words) per step while they fit.
void bgrToPixels(const std::uint8_t* source, std::uint32_t* out, int count) {
  int x = 0;
  for (; x + 4 <= count; x += 4, source += 12) {
    const std::uint32_t w0 = load32(source);
    const std::uint32_t w1 = load32(source + 4);
    const std::uint32_t w2 = load32(source + 8);
    out[x] = kAlpha | w0;
    out[x + 1] = kAlpha | w0 >> 24 | w1 << 8;
    out[x + 2] = kAlpha | w1 >> 16 | w2 << 16;
    out[x + 3] = kAlpha | w2 >> 8;
  }
  for (; x < count; ++x, source += 3) {
    out[x] = kAlpha | source[0] | source[1] << 8 | source[2] << 16;
  }
}

void indexedToPixels(const std::uint8_t* source, int bits, const DibPalette& palette,
                     std::uint32_t* out, int count) {
  const int perByte = 8 / bits;
  const unsigned mask = (1u << bits) - 1;
  for (int x = 0; x < count; ++x) {
    const int shift = 8 - bits * (x % perByte + 1);
    out[x] = palette[source[x / perByte] >> shift & mask];
  }
}

}  // namespace

void dibRowToPixels(const std::uint8_t* row, int bitsPerPixel, const DibPalette& palette,
                    std::uint32_t* out, int count) {
  switch (bitsPerPixel) {
    case 24:
      bgrToPixels(row, out, count);
      break;
    case 32:
      for (int x = 0; x < count; ++x) out[x] = kAlpha | load32(row + 4 * x);
      break;
    default:
      indexedToPixels(row, bitsPerPixel, palette, out, count);
      break;
  }
}

DibPalette readDibPalette(const std::uint8_t* entries, int count, int entryBytes) {
  DibPalette palette;
  palette.fill(kAlpha);
  for (int i = 0; i < count && i < 256; ++i) {
    const std::uint8_t* e = entries + static_cast<std::size_t>(i) * entryBytes;
    palette[i] = kAlpha | e[0] | e[1] << 8 | e[2] << 16;
  }
  return palette;
}

}  // namespace torvane
