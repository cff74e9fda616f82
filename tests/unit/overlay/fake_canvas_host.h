#pragma once

#include <optional>
#include <string>
#include <vector>

#include "overlay/canvas_host.h"

namespace torvane {

// Records what the canvas asks of its window; text draws nothing and claims a box of 10 pixels per
// byte by the line height.
class FakeCanvasHost : public CanvasHost {
 public:
  struct TextCall {
    int x = 0;
    int y = 0;
    std::string line;
    std::optional<FontSpec> font;
    Colour colour = 0;
  };

  void imageChanged(const Rect& area) override { changes.push_back(area); }
  void cursorChanged(const CursorImage* cursor) override {
    cursors.push_back(cursor ? std::optional<CursorImage>(*cursor) : std::nullopt);
  }
  int textLineHeight(const FontSpec* font) override {
    heightQueries.push_back(font ? std::optional<FontSpec>(*font) : std::nullopt);
    return lineHeight;
  }
  Rect drawTextLine(RasterImage& image, int x, int y, std::string_view line, const FontSpec* font,
                    Colour colour) override {
    texts.push_back(
        {x, y, std::string(line), font ? std::optional<FontSpec>(*font) : std::nullopt, colour});
    const int right = std::min(x + 10 * static_cast<int>(line.size()), image.width);
    const int bottom = std::min(y + lineHeight, image.height);
    const int left = std::max(x, 0);
    const int top = std::max(y, 0);
    return {left, top, right - left, bottom - top};
  }

  int lineHeight = 16;
  std::vector<Rect> changes;
  std::vector<std::optional<CursorImage>> cursors;
  std::vector<std::optional<FontSpec>> heightQueries;
  std::vector<TextCall> texts;
};

}  // namespace torvane
