#pragma once

#include "app/bytes.h"
#include "artwork.h"

namespace torvane::assetgen {

// A single-image GIF89a with a global colour table of up to 256 colours, the transparent index
// named in a graphic control extension, and LZW-compressed pixels.
Bytes gifFile(const IndexedImage& image);

}  // namespace torvane::assetgen
