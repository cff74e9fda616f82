#pragma once

#include <optional>

#include "app/bytes.h"
#include "overlay/raster_image.h"

namespace torvane {

enum class PictureKind { kNone, kBmp, kJpeg, kGif };

// Recognises a picture file by its first bytes; fewer than six bytes are no picture.
PictureKind recognisePicture(ByteView file);

// Decodes a BMP, JPEG or GIF file; nothing for any other kind or a failed decoding.
std::optional<RasterImage> decodePicture(ByteView file);

}  // namespace torvane
