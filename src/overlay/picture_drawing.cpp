#include "overlay/picture_drawing.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "overlay/colour.h"

namespace torvane {
namespace {

using i64 = std::int64_t;

constexpr std::uint32_t kAlpha = 0xFF000000u;

enum class PictureOp { kCopy, kNot, kXor, kOr, kAnd, kKey };

PictureOp opForMode(int mode) {
  if (mode < 0) return PictureOp::kKey;
  switch (mode) {
    case 2:
      return PictureOp::kNot;
    case 3:
      return PictureOp::kXor;
    case 4:
      return PictureOp::kOr;
    case 5:
      return PictureOp::kAnd;
    default:
      return PictureOp::kCopy;
  }
}

// `columns[i]` is the picture column shown at target column `firstX + i`.
template <PictureOp op>
void drawRow(std::uint32_t* target, const std::uint32_t* source, const std::vector<int>& columns,
             std::uint32_t key) {
  const int count = static_cast<int>(columns.size());
  for (int i = 0; i < count; ++i) {
    const std::uint32_t s = source[columns[i]];
    std::uint32_t& d = target[i];
    if constexpr (op == PictureOp::kCopy) d = s | kAlpha;
    if constexpr (op == PictureOp::kNot) d = ~s | kAlpha;
    if constexpr (op == PictureOp::kXor) d = (d ^ s) | kAlpha;
    if constexpr (op == PictureOp::kOr) d = d | s | kAlpha;
    if constexpr (op == PictureOp::kAnd) d = (d & s) | kAlpha;
    if constexpr (op == PictureOp::kKey) {
      if ((s | kAlpha) != key) d = s | kAlpha;
    }
  }
}

template <PictureOp op>
void drawRows(RasterImage& target, const RasterImage& picture, const Rect& area, i64 top,
              i64 height, const std::vector<int>& columns, std::uint32_t key) {
  for (int y = area.y; y < area.y + area.height; ++y) {
    const int sourceY = static_cast<int>((y - top) * picture.height / height);
    drawRow<op>(target.row(y) + area.x, picture.row(sourceY), columns, key);
  }
}

}  // namespace

Rect drawPictureOnto(RasterImage& target, const RasterImage& picture, int left, int top, int width,
                     int height, int mode) {
  if (width < 1 || height < 1 || picture.width < 1 || picture.height < 1) return {};
  const i64 x0 = std::max<i64>(left, 0);
  const i64 y0 = std::max<i64>(top, 0);
  const i64 x1 = std::min<i64>(i64{left} + width, target.width);
  const i64 y1 = std::min<i64>(i64{top} + height, target.height);
  if (x0 >= x1 || y0 >= y1) return {};
  const Rect area{static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1 - x0),
                  static_cast<int>(y1 - y0)};

  std::vector<int> columns(area.width);
  for (int i = 0; i < area.width; ++i) {
    columns[i] = static_cast<int>((x0 + i - left) * picture.width / width);
  }
  // -mode is a Colour; one beyond 24 bits matches no pixel.
  const i64 keyColour = -i64{mode};
  const std::uint32_t key =
      keyColour <= 0xFFFFFF ? pixelFromColour(static_cast<Colour>(keyColour)) : 0u;

  switch (opForMode(mode)) {
    case PictureOp::kCopy:
      drawRows<PictureOp::kCopy>(target, picture, area, top, height, columns, key);
      break;
    case PictureOp::kNot:
      drawRows<PictureOp::kNot>(target, picture, area, top, height, columns, key);
      break;
    case PictureOp::kXor:
      drawRows<PictureOp::kXor>(target, picture, area, top, height, columns, key);
      break;
    case PictureOp::kOr:
      drawRows<PictureOp::kOr>(target, picture, area, top, height, columns, key);
      break;
    case PictureOp::kAnd:
      drawRows<PictureOp::kAnd>(target, picture, area, top, height, columns, key);
      break;
    case PictureOp::kKey:
      drawRows<PictureOp::kKey>(target, picture, area, top, height, columns, key);
      break;
  }
  return area;
}

void tilePicture(RasterImage& target, const RasterImage& tile) {
  if (tile.width < 1 || tile.height < 1) return;
  for (int y = 0; y < target.height; ++y) {
    const std::uint32_t* source = tile.row(y % tile.height);
    std::uint32_t* row = target.row(y);
    for (int x = 0; x < target.width; x += tile.width) {
      const int count = std::min(tile.width, target.width - x);
      std::memcpy(row + x, source, sizeof(std::uint32_t) * count);
    }
  }
}

void copyOverlap(RasterImage& target, const RasterImage& source) {
  const int width = std::min(target.width, source.width);
  const int height = std::min(target.height, source.height);
  for (int y = 0; y < height; ++y) {
    std::memcpy(target.row(y), source.row(y), sizeof(std::uint32_t) * width);
  }
}

}  // namespace torvane
