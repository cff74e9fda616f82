#pragma once

#include <optional>

#include "app/bytes.h"
#include "overlay/raster_image.h"

namespace torvane {

// Decodes the first image of a GIF87a or GIF89a file with giflib. The result has the file's screen
// size; the image sits at its own offset, and the pixels it leaves open or marks transparent take
// the screen's background colour (black without a global colour table).
std::optional<RasterImage> decodeGif(ByteView file);

}  // namespace torvane
