#pragma once

class QWidget;

namespace torvane {

// Gives the native window an empty title. The toolkit would show the program's name instead, but
// the window's taskbar button and caption are meant to read blank.
void showEmptyTitle(QWidget* window);

}  // namespace torvane
