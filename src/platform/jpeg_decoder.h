#pragma once

#include <optional>

#include "app/bytes.h"
#include "overlay/raster_image.h"

namespace torvane {

// Decodes a baseline or progressive JPEG, colour or greyscale, with libjpeg. Corrupt or truncated
// data and pictures beyond picture_limits.h give nothing.
std::optional<RasterImage> decodeJpeg(ByteView file);

}  // namespace torvane
