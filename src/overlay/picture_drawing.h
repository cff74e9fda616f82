#pragma once

#include "overlay/raster_image.h"

namespace torvane {

// Draws `picture` scaled (nearest neighbour) to width x height with its top-left corner at
// (left, top), clipped to `target`. Modes: 1 copy, 2 NOT S, 3 D XOR S, 4 D OR S, 5 D AND S; a
// negative mode makes the Colour -mode transparent (exact match on all 24 bits); any other mode
// copies. A width or height below 1 draws nothing. Returns the area that may have changed.
Rect drawPictureOnto(RasterImage& target, const RasterImage& picture, int left, int top, int width,
                     int height, int mode);

// Covers all of `target` with copies of `tile` laid from (0, 0) rightwards and downwards.
void tilePicture(RasterImage& target, const RasterImage& tile);

// Copies `source` onto `target` with both top-left corners at (0, 0), clipped to the smaller size.
void copyOverlap(RasterImage& target, const RasterImage& source);

}  // namespace torvane
