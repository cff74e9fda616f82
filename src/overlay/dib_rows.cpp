#include "overlay/dib_rows.h"

#include <cstring>

#include "overlay/cpu_clones.h"

namespace torvane {
namespace {

constexpr std::uint32_t kAlpha = 0xFF000000u;

std::uint32_t load32(const std::uint8_t* p) {
  std::uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

using Vector16 = std::uint8_t __attribute__((vector_size(16)));

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

// Four pixels per step from a 16-byte load of which 12 are used, while the load stays in the row.
// Full-screen conversions keep up with memory only with byte shuffles, one instruction from SSSE3
// on.
TORVANE_CPU_CLONES("ssse3")
void bgrToPixels(const std::uint8_t* source, std::uint32_t* out, int count) {
  const Vector16 alpha = {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255};
  int x = 0;
  for (; x + 6 <= count; x += 4) {
    Vector16 bytes;
    std::memcpy(&bytes, source + 3 * x, sizeof bytes);
    const Vector16 pixels =
        __builtin_shufflevector(bytes, bytes, 0, 1, 2, 0, 3, 4, 5, 0, 6, 7, 8, 0, 9, 10, 11, 0) |
        alpha;
    std::memcpy(out + x, &pixels, sizeof pixels);
  }
  for (; x < count; ++x) {
    const std::uint8_t* p = source + 3 * x;
    out[x] = kAlpha | p[0] | p[1] << 8 | p[2] << 16;
  }
}

// Four pixels per step with a 16-byte store of which 12 count, while the store stays in the row.
TORVANE_CPU_CLONES("ssse3")
void pixelsToBgr(const std::uint32_t* pixels, std::uint8_t* out, int count) {
  int x = 0;
  for (; x + 6 <= count; x += 4) {
    Vector16 bytes;
    std::memcpy(&bytes, pixels + x, sizeof bytes);
    const Vector16 packed =
        __builtin_shufflevector(bytes, bytes, 0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, 0, 0, 0, 0);
    std::memcpy(out + 3 * x, &packed, sizeof packed);
  }
  for (; x < count; ++x) {
    std::uint8_t* p = out + 3 * x;
    p[0] = static_cast<std::uint8_t>(pixels[x]);
    p[1] = static_cast<std::uint8_t>(pixels[x] >> 8);
    p[2] = static_cast<std::uint8_t>(pixels[x] >> 16);
  }
}

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
