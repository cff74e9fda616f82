#pragma once

#include <string_view>

#include "overlay/colour.h"
#include "overlay/font_record.h"
#include "overlay/raster_image.h"

namespace torvane {

// Character height in pixels for a size in points on a screen of `dotsPerInch`; 0 keeps the
// face's default.
int characterHeightPixels(int sizePoints, double dotsPerInch);

// Line height (ascent + descent) of `font`; nullptr is the desktop's interface font.
int textLineHeight(const FontSpec* font);

// Draws one line of GBK text, glyphs only, with its top-left corner at (x, y) and the baseline
// turned by the font's angle; returns the area it may have changed, clipped to the image.
Rect drawTextLine(RasterImage& image, int x, int y, std::string_view gbkLine, const FontSpec* font,
                  Colour colour);

}  // namespace torvane
