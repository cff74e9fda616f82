#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/bytes.h"
#include "overlay/canvas_host.h"
#include "overlay/colour.h"
#include "overlay/font_record.h"
#include "overlay/raster_image.h"

namespace torvane {

using PictureId = std::int32_t;  // 0 = no picture

// The drawing surface 画板: the canvas image, its background, pen, text style and pictures.
// Toolkit-free; the window behind CanvasHost shows what changes.
class CanvasSurface {
 public:
  explicit CanvasSurface(CanvasHost& host);
  ~CanvasSurface();

  void resize(int width, int height);
  int width() const;
  int height() const;
  const RasterImage& image() const;

  void setBackground(ByteView picture);
  // The same without a copy of its own: the picture never changes.
  void setBackground(SharedBytes picture);
  void setBackgroundColour(Colour colour);
  void setCursorImage(ByteView cursorFile);
  void setPen(int width, Colour colour, int mode);
  void setPenColour(Colour colour);
  void setFont(const FontSpec& font);
  void setTextColour(Colour colour);

  void drawLine(int x1, int y1, int x2, int y2);
  void writeText(int x, int y, std::string_view gbkText);
  void drawPicture(PictureId picture, int left, int top, std::optional<int> width = {},
                   std::optional<int> height = {}, std::optional<int> mode = {});
  Bytes exportImage() const;

  PictureId loadPicture(ByteView file);
  PictureId loadPicture(const std::string& path);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace torvane
