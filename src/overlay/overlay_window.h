#pragma once

#include "app/program_window.h"
#include "overlay/canvas_widget.h"
#include "overlay/effect_timer.h"
#include "overlay/gesture_handlers.h"
#include "platform/common_dialog.h"
#include "platform/qt_gesture_dialogs.h"

namespace torvane {

// The borderless full-screen window that shows the frozen screen on its canvas 画板, with the
// effect timer 时钟1 and the common dialog 通用对话框1.
class OverlayWindow : public ProgramWindow {
 public:
  OverlayWindow();

  void created() override;
  CanvasSurface& canvas() { return canvas_->surface(); }
  CommonDialog& commonDialog() { return commonDialog_; }
  void applyTool() { handlers_.applyTool(); }

 protected:
  void changeEvent(QEvent* event) override;

 private:
  CanvasWidget* canvas_;
  CommonDialog commonDialog_;
  QtGestureDialogs dialogs_;
  EffectTimer effectTimer_;
  GestureHandlers handlers_;
};

}  // namespace torvane
