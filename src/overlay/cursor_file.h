#pragma once

#include <optional>

#include "app/bytes.h"
#include "overlay/cursor_image.h"

namespace torvane {

// The first image of a cursor file (type 2): 32-bit colour with alpha (the AND mask when every
// alpha is 0), or 1, 4, 8 or 24 bits with a palette and the AND mask. The image takes the directory
// entry's size (nearest-neighbour when the bitmap differs) and the entry's hotspot. Nothing when
// any header, size or offset is wrong.
std::optional<CursorImage> parseCursorFile(ByteView file);

}  // namespace torvane
