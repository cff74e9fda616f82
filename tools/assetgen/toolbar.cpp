#include "artwork.h"
#include "render.h"

namespace torvane::assetgen {
namespace {

struct ToolbarRow {
  const char* file;
  const char* svg;
  bool opaque;  // carries its own white background instead of transparent pixels
  Placement placement;
  double blur = 0;
};

// Tin, nib, stamp, crosshair and bolt sit exactly where their cursors have them; the long tools
// and the bucket are moved to the middle of the button.
const ToolbarRow kSoftImages[] = {
    {"toolbar_pencil", "pencil.svg", false, {{0, 0}, {2.5, 2}}},
    {"toolbar_brush", "brush.svg", false, {{0, 0}, {1, 0.5}}},
    {"toolbar_paint_can", "paintcan.svg", false, {}},
    {"toolbar_highlighter", "highlighter.svg", false, {{0, 0}, {2.5, 2.5}}},
    {"toolbar_text_pen", "textpen.svg", true, {}},
    {"toolbar_stamp", "stamp.svg", false, {}},
    {"toolbar_ak47", "ak47.svg", false, {}},
    {"toolbar_flame", "flame.svg", true, {{16, 16}, {16, 15.5}, 0, 1.05, 1.05}, kFlameBlur},
    {"toolbar_bucket", "bucket.svg", false, {{0, 0}, {4, 1}}},
    {"toolbar_camera", "camera.svg", false, {}},
    {"toolbar_exit", "exit.svg", false, {}},
};

}  // namespace

std::vector<PictureArt> drawToolbarImages(const QString& sourceDir) {
  std::vector<PictureArt> out;
  for (const ToolbarRow& row : kSoftImages) {
    const QImage image = renderSoft(sourceDir + "/" + row.svg, 32, 32, row.placement, row.blur);
    out.push_back({row.file, row.opaque ? over(image, 0xFFFFFF) : image});
  }
  out.push_back({"toolbar_laser",
                 over(renderFlat(sourceDir + "/laser.svg", 32, 32, kLaserPalette), 0xFFFFFF)});
  return out;
}

}  // namespace torvane::assetgen
