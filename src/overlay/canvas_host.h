#pragma once

#include <string_view>

#include "overlay/colour.h"
#include "overlay/cursor_image.h"
#include "overlay/font_record.h"
#include "overlay/raster_image.h"

namespace torvane {

// What the canvas needs from the window that shows it: repaint a changed area, show a cursor, and
// draw text (glyph rendering is the toolkit's).
class CanvasHost {
 public:
  virtual ~CanvasHost() = default;

  // `area` of the canvas image changed (already clipped to the image); show it.
  virtual void imageChanged(const Rect& area) = 0;
  // nullptr shows the standard arrow.
  virtual void cursorChanged(const CursorImage* cursor) = 0;
  // Height of one text line (ascent + descent) in `font`; nullptr is the default interface font.
  virtual int textLineHeight(const FontSpec* font) = 0;
  // Draws one line of GBK text with its top-left corner at (x, y), glyphs only; returns the area it
  // may have changed, clipped to the image.
  virtual Rect drawTextLine(RasterImage& image, int x, int y, std::string_view gbkLine,
                            const FontSpec* font, Colour colour) = 0;
};

}  // namespace torvane
