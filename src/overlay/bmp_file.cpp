#include "overlay/bmp_file.h"

#include <algorithm>
#include <cstdint>

#include "overlay/dib_rows.h"
#include "overlay/little_endian.h"
#include "overlay/picture_limits.h"

namespace torvane {
namespace {

using u64 = std::uint64_t;

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kCoreHeaderSize = 12;
constexpr std::size_t kInfoHeaderSize = 40;

}  // namespace

std::optional<BmpLayout> readBmpLayout(ByteView file) {
  if (file.size() < kFileHeaderSize + kCoreHeaderSize || file[0] != 'B' || file[1] != 'M') {
    return std::nullopt;
  }
  const u64 headerSize = readU32(file, 14);
  BmpLayout layout;
  std::int64_t width = 0;
  std::int64_t height = 0;
  u64 paletteEntries = 0;
  if (headerSize == kCoreHeaderSize) {
    width = readU16(file, 18);
    height = readU16(file, 20);
    if (readU16(file, 22) != 1) return std::nullopt;
    layout.bitsPerPixel = static_cast<int>(readU16(file, 24));
    layout.paletteEntryBytes = 3;
  } else {
    if (headerSize < kInfoHeaderSize || kFileHeaderSize + headerSize > file.size()) {
      return std::nullopt;
    }
    width = static_cast<std::int32_t>(readU32(file, 18));
    height = static_cast<std::int32_t>(readU32(file, 22));
    if (readU16(file, 26) != 1 || readU32(file, 30) != 0) return std::nullopt;
    layout.bitsPerPixel = static_cast<int>(readU16(file, 28));
    paletteEntries = readU32(file, 46);
  }
  const int bits = layout.bitsPerPixel;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return std::nullopt;

  layout.topDown = height < 0;
  height = height < 0 ? -height : height;
  if (!pictureSizeAllowed(width, height)) return std::nullopt;
  layout.width = static_cast<int>(width);
  layout.height = static_cast<int>(height);

  layout.stride = dibStride(width, bits);
  layout.pixelOffset = readU32(file, 10);
  if (layout.pixelOffset > file.size() ||
      static_cast<u64>(layout.stride) * layout.height > file.size() - layout.pixelOffset) {
    return std::nullopt;
  }

  if (bits <= 8) {
    const u64 maxEntries = u64{1} << bits;
    paletteEntries = paletteEntries == 0 ? maxEntries : std::min(paletteEntries, maxEntries);
    layout.paletteOffset = kFileHeaderSize + headerSize;
    layout.paletteEntries = static_cast<int>(paletteEntries);
    if (layout.paletteOffset + paletteEntries * layout.paletteEntryBytes > file.size()) {
      return std::nullopt;
    }
  }
  return layout;
}

void decodeBmpPixels(ByteView file, const BmpLayout& layout, RasterImage& target) {
  const int width = std::min(layout.width, target.width);
  const int height = std::min(layout.height, target.height);
  const DibPalette palette = readDibPalette(file.data() + layout.paletteOffset,
                                            layout.paletteEntries, layout.paletteEntryBytes);
  for (int y = 0; y < height; ++y) {
    const std::size_t sourceRow = layout.topDown ? y : layout.height - 1 - y;
    const std::uint8_t* source = file.data() + layout.pixelOffset + sourceRow * layout.stride;
    dibRowToPixels(source, layout.bitsPerPixel, palette, target.row(y), width);
  }
}

std::optional<RasterImage> decodeBmp(ByteView file) {
  const std::optional<BmpLayout> layout = readBmpLayout(file);
  if (!layout) return std::nullopt;
  RasterImage image(layout->width, layout->height);
  decodeBmpPixels(file, *layout, image);
  return image;
}

Bytes encodeBmp(const RasterImage& image) {
  return encodeBmp(image.pixels.data(), image.width, image.height, image.width);
}

Bytes encodeBmp(const std::uint32_t* pixels, int width, int height, std::size_t stridePixels) {
  const std::size_t stride = dibStride(width, 24);
  const std::size_t pixelBytes = stride * height;
  Bytes file(kFileHeaderSize + kInfoHeaderSize + pixelBytes);
  std::uint8_t* p = file.data();
  p[0] = 'B';
  p[1] = 'M';
  writeU32(p + 2, static_cast<std::uint32_t>(file.size()));
  writeU32(p + 10, kFileHeaderSize + kInfoHeaderSize);
  writeU32(p + 14, kInfoHeaderSize);
  writeU32(p + 18, static_cast<std::uint32_t>(width));
  writeU32(p + 22, static_cast<std::uint32_t>(height));
  writeU16(p + 26, 1);
  writeU16(p + 28, 24);
  writeU32(p + 34, static_cast<std::uint32_t>(pixelBytes));
  std::uint8_t* rows = p + kFileHeaderSize + kInfoHeaderSize;
  for (int y = 0; y < height; ++y) {
    pixelsToBgr(pixels + (height - 1 - y) * stridePixels, rows + y * stride, width);
  }
  return file;
}

}  // namespace torvane
