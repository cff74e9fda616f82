#pragma once

#include <optional>

#include "e2e/torvane_process.h"
#include "e2e/x_session.h"

namespace torvane::e2e {

// Starts torvane over a known desktop picture and works its palette with real input. The palette
// is located on the screen; its controls sit at fixed places inside it.
class PaletteDriver {
 public:
  static constexpr int kWidth = 342;
  static constexpr int kHeight = 103;

  explicit PaletteDriver(XSession& x, const std::map<std::string, std::string>& environment = {});

  TorvaneProcess& process() { return process_; }
  const Pixels& desktop() const { return desktop_; }
  const WindowInfo& overlay() const { return overlay_; }
  // The palette as the X server has it now.
  WindowInfo palette();

  // Tab pages: 0 "涂鸦工具", 1 "破坏工具", 2 "其它".
  void showPage(int page);
  // Shows `page` and clicks button `index` (separators counted) of its toolbar.
  void clickToolbarButton(int page, int index);
  // Shows the page and clicks the button of that tool (ToolId).
  void selectTool(int tool);
  void clickPromotionButton();
  // Drags the palette by its caption so that, before any snapping, its top-left corner lands on
  // (left, top).
  void dragTo(int left, int top);
  // Screen point of a control given in the tab control's coordinates.
  std::pair<int, int> tabControlPoint(int x, int y);

 private:
  XSession& x_;
  Pixels desktop_;
  TorvaneProcess process_;
  WindowInfo overlay_;
};

}  // namespace torvane::e2e
