#pragma once

#include <QImage>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

namespace torvane::assetgen {

struct CursorArt {
  std::string file;
  QImage image;  // 32 x 32 straight ARGB
  int hotX;
  int hotY;
};

struct PictureArt {
  std::string file;
  QImage image;  // opaque, or straight ARGB for toolbar images (alpha 0 = transparent)
};

// The bolt's flat colours: dark outline, fill, highlight.
extern const std::vector<QRgb> kLaserPalette;

// How far the flame's edges are blurred, in pixels.
constexpr double kFlameBlur = 0.9;

// Each reads its SVG drawings from `sourceDir` (the repository's assets-src/).
std::vector<CursorArt> drawCursors(const QString& sourceDir);
std::vector<PictureArt> drawToolbarImages(const QString& sourceDir);
std::vector<PictureArt> drawPictures(const QString& sourceDir);

// The promotion window's 21 x 20 penguin as palette indices, and its palette.
struct IndexedImage {
  int width;
  int height;
  std::vector<std::uint8_t> indices;
  std::vector<QRgb> palette;
  int transparentIndex;
};
IndexedImage drawPenguin();

}  // namespace torvane::assetgen
