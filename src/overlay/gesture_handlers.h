#pragma once

#include <functional>

#include "overlay/canvas_surface.h"
#include "overlay/effect_timer.h"
#include "overlay/gesture_dialogs.h"
#include "overlay/tool_catalogue.h"
#include "platform/screen.h"

namespace torvane {

// The canvas's mouse handlers, the effect timer's tick and tool activation. They share AppState
// and act on the canvas, the effect timer, the sound layer and the gesture dialogs.
class GestureHandlers {
 public:
  GestureHandlers(CanvasSurface& canvas, EffectTimer& effectTimer, GestureDialogs& dialogs,
                  std::function<ScreenPoint()> pointer);

  // Gives the canvas the cursor and pen of the current tool.
  void applyTool();

  void leftPress(int x, int y);
  void mouseMove(int x, int y);
  void leftRelease(int x, int y);
  void rightRelease(int x, int y);
  void effectTick();

 private:
  void setCursor(CursorAsset cursor);
  void releaseStamp(int x, int y);

  CanvasSurface& canvas_;
  EffectTimer& effectTimer_;
  GestureDialogs& dialogs_;
  std::function<ScreenPoint()> pointer_;
};

}  // namespace torvane
