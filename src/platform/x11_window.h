#pragma once

class QWidget;

namespace torvane {

// Gives the native window an empty title. The toolkit would show the program's name instead, but
// the window's taskbar button and caption are meant to read blank.
void showEmptyTitle(QWidget* window);

struct FrameExtents {
  int left = 0;
  int right = 0;
  int top = 0;
  int bottom = 0;
};

// The widths of the frame the window manager will draw around `window`, asked before the window
// is first shown so that it can be sized to an exact outer size. All zero when no window manager
// answers (then nothing frames the window).
FrameExtents requestFrameExtents(QWidget* window);

}  // namespace torvane
