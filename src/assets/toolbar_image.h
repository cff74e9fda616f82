#pragma once

#include "app/bytes.h"
#include "overlay/raster_image.h"

namespace torvane {

// Decodes one toolbar image-list entry: a 40-byte bitmap information header (height counting the
// colour image and the mask), 32-bit pixels bottom-up whose alpha bytes are unused, then a 1-bit
// mask bottom-up in which a set bit marks a transparent pixel. Transparent pixels come out white,
// the toolbars' background; the result is 0xFFRRGGBB, rows top-down. Anything malformed gives an
// empty image.
RasterImage toolbarImagePixels(ByteView dib);

}  // namespace torvane
