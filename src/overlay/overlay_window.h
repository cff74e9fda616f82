#pragma once

#include "app/program_window.h"
#include "overlay/canvas_widget.h"

namespace torvane {

// The borderless full-screen window that shows the frozen screen on its canvas 画板.
class OverlayWindow : public ProgramWindow {
 public:
  OverlayWindow();

  void created() override;
  CanvasSurface& canvas() { return canvas_->surface(); }

 private:
  CanvasWidget* canvas_;
};

}  // namespace torvane
