#pragma once

#include "artwork.h"

namespace torvane::assetgen {

// One enlarged overview of all artwork: cursors on a checkerboard with the hotspot pixel outlined,
// toolbar images on white, pictures with their magenta shown as checkerboard, the penguin and the
// application icon.
QImage contactSheet(const std::vector<CursorArt>& cursors, const std::vector<PictureArt>& toolbar,
                    const std::vector<PictureArt>& pictures, const QImage& penguin,
                    const QImage& icon);

}  // namespace torvane::assetgen
