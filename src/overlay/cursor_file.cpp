#include "overlay/cursor_file.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "overlay/dib_rows.h"
#include "overlay/little_endian.h"

namespace torvane {
namespace {

constexpr std::size_t kDirectoryEnd = 22;  // 6-byte header and the first 16-byte entry
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::uint16_t kCursorType = 2;
constexpr std::int32_t kMaxSide = 256;  // a directory entry cannot describe more

struct DirectoryEntry {
  int width = 0;
  int height = 0;
  int hotX = 0;
  int hotY = 0;
  std::size_t imageOffset = 0;
};

std::optional<DirectoryEntry> readDirectory(ByteView file) {
  if (file.size() <= kDirectoryEnd) return std::nullopt;
  if (readU16(file, 0) != 0 || readU16(file, 2) != kCursorType || readU16(file, 4) < 1) {
    return std::nullopt;
  }
  const std::size_t imageSize = readU32(file, 14);
  const std::size_t imageOffset = readU32(file, 18);
  if (imageSize > file.size() - kDirectoryEnd || imageOffset > file.size()) return std::nullopt;
  // A size byte of 0 stands for 256.
  return DirectoryEntry{file[6] == 0 ? 256 : file[6], file[7] == 0 ? 256 : file[7],
                        static_cast<int>(readU16(file, 10)), static_cast<int>(readU16(file, 12)),
                        imageOffset};
}

bool maskBit(const std::uint8_t* maskRow, int x) { return (maskRow[x / 8] >> (7 - x % 8)) & 1; }

// The bitmap: a 40-byte (or longer) info header, palette, colour rows and AND-mask rows, both
// bottom-up; the stored height counts both halves.
std::optional<CursorImage> readBitmap(ByteView dib) {
  if (dib.size() < kInfoHeaderSize) return std::nullopt;
  const std::size_t headerSize = readU32(dib, 0);
  const std::int32_t width = static_cast<std::int32_t>(readU32(dib, 4));
  const std::int32_t doubleHeight = static_cast<std::int32_t>(readU32(dib, 8));
  const int bits = static_cast<int>(readU16(dib, 14));
  if (headerSize < kInfoHeaderSize || headerSize > dib.size() || readU16(dib, 12) != 1 ||
      readU32(dib, 16) != 0 || width < 1 || width > kMaxSide || doubleHeight < 2 ||
      doubleHeight > 2 * kMaxSide || doubleHeight % 2 != 0) {
    return std::nullopt;
  }
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return std::nullopt;
  const int height = doubleHeight / 2;

  std::size_t paletteEntries = 0;
  if (bits <= 8) {
    const std::size_t maxEntries = std::size_t{1} << bits;
    const std::size_t used = readU32(dib, 32);
    paletteEntries = used == 0 ? maxEntries : std::min(used, maxEntries);
  }
  const std::size_t colourOffset = headerSize + paletteEntries * 4;
  const std::size_t colourStride = dibStride(width, bits);
  const std::size_t maskStride = dibStride(width, 1);
  const std::size_t maskOffset = colourOffset + colourStride * height;
  if (maskOffset > dib.size()) return std::nullopt;
  const bool maskPresent = maskStride * height <= dib.size() - maskOffset;

  const DibPalette palette =
      readDibPalette(dib.data() + headerSize, static_cast<int>(paletteEntries), 4);
  CursorImage cursor;
  cursor.width = width;
  cursor.height = height;
  cursor.argb.resize(static_cast<std::size_t>(width) * height);
  bool anyAlpha = false;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = dib.data() + colourOffset + (height - 1 - y) * colourStride;
    std::uint32_t* out = cursor.argb.data() + static_cast<std::size_t>(y) * width;
    dibRowToPixels(row, bits, palette, out, width);
    if (bits == 32) {
      for (int x = 0; x < width; ++x) {
        const std::uint32_t alpha = row[4 * x + 3];
        anyAlpha = anyAlpha || alpha != 0;
        out[x] = (out[x] & 0x00FFFFFFu) | alpha << 24;
      }
    }
  }
  if (anyAlpha) return cursor;

  if (!maskPresent) return std::nullopt;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* maskRow = dib.data() + maskOffset + (height - 1 - y) * maskStride;
    std::uint32_t* out = cursor.argb.data() + static_cast<std::size_t>(y) * width;
    for (int x = 0; x < width; ++x) {
      // A set AND bit lets the screen through; screen inversion is not available, so it hides.
      out[x] = maskBit(maskRow, x) ? 0u : (out[x] | 0xFF000000u);
    }
  }
  return cursor;
}

CursorImage scaled(const CursorImage& source, int width, int height) {
  CursorImage result{width, height, 0, 0, {}};
  result.argb.resize(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    const std::size_t sourceRow = static_cast<std::size_t>(y) * source.height / height;
    for (int x = 0; x < width; ++x) {
      const std::size_t sourceColumn = static_cast<std::size_t>(x) * source.width / width;
      result.argb[static_cast<std::size_t>(y) * width + x] =
          source.argb[sourceRow * source.width + sourceColumn];
    }
  }
  return result;
}

}  // namespace

std::optional<CursorImage> parseCursorFile(ByteView file) {
  const std::optional<DirectoryEntry> entry = readDirectory(file);
  if (!entry) return std::nullopt;
  std::optional<CursorImage> cursor = readBitmap(file.subspan(entry->imageOffset));
  if (!cursor) return std::nullopt;
  if (cursor->width != entry->width || cursor->height != entry->height) {
    cursor = scaled(*cursor, entry->width, entry->height);
  }
  cursor->hotX = entry->hotX;
  cursor->hotY = entry->hotY;
  return cursor;
}

}  // namespace torvane
