#pragma once

#include <QWidget>
#include <functional>

#include "overlay/canvas_host.h"
#include "overlay/canvas_surface.h"

namespace torvane {

// The control 画板: shows the canvas image, owns the CanvasSurface and reports its mouse events
// in canvas pixels.
class CanvasWidget : public QWidget, public CanvasHost {
 public:
  struct MouseHandlers {
    std::function<void(int x, int y)> leftPress;
    std::function<void(int x, int y)> mouseMove;
    std::function<void(int x, int y)> leftRelease;
    std::function<void(int x, int y)> rightRelease;
  };

  explicit CanvasWidget(QWidget* parent);

  CanvasSurface& surface() { return surface_; }
  void setMouseHandlers(MouseHandlers handlers) { handlers_ = std::move(handlers); }

  void imageChanged(const Rect& area) override;
  void cursorChanged(const CursorImage* cursor) override;
  int textLineHeight(const FontSpec* font) override;
  Rect drawTextLine(RasterImage& image, int x, int y, std::string_view gbkLine,
                    const FontSpec* font, Colour colour) override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  CanvasSurface surface_;
  MouseHandlers handlers_;
};

}  // namespace torvane
