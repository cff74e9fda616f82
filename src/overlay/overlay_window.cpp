#include "overlay/overlay_window.h"

#include <QEvent>

#include "app/app_state.h"
#include "app/open_window.h"
#include "overlay/tool_catalogue.h"
#include "platform/screen.h"
#include "platform/x11_window.h"

namespace torvane {

namespace {

// The form's design place and size; the creation handler replaces them with the whole screen.
constexpr QRect kDesignGeometry{50, 50, 253, 114};
constexpr QRect kCanvasDesignGeometry{16, 16, 32, 32};

}  // namespace

OverlayWindow::OverlayWindow()
    : canvas_(new CanvasWidget(this)),
      dialogs_(commonDialog_),
      effectTimer_([this] { handlers_.effectTick(); }),
      handlers_(canvas_->surface(), effectTimer_, dialogs_, pointerPosition) {
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  setWindowTitle(QString());
  setGeometry(kDesignGeometry);
  canvas_->setGeometry(kCanvasDesignGeometry);
  canvas_->setMouseHandlers({
      [this](int x, int y) { handlers_.leftPress(x, y); },
      [this](int x, int y) { handlers_.mouseMove(x, y); },
      [this](int x, int y) { handlers_.leftRelease(x, y); },
      [this](int x, int y) { handlers_.rightRelease(x, y); },
  });
}

void OverlayWindow::created() {
  AppState& state = appState();
  // Captured while no window of ours is visible, so the picture holds only the desktop.
  state.frozenScreen = std::make_shared<const Bytes>(captureScreen());

  const ScreenSize screen = primaryScreenSize();
  setGeometry(0, 0, screen.width, screen.height);
  setWindowState(Qt::WindowFullScreen);
  showEmptyTitle(this);

  canvas_->setGeometry(0, 0, screen.width, screen.height);
  canvas().resize(screen.width, screen.height);
  canvas().setBackground(state.frozenScreen);

  const WindowId self = WindowId::Overlay;
  openWindow(WindowId::Palette, &self, false);

  state.currentTool = Brush;
  applyTool();
}

// The palette floats above this window; keep it there when the window manager raises us.
void OverlayWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
    if (ProgramWindow* palette = findWindow(WindowId::Palette)) palette->raise();
  }
  ProgramWindow::changeEvent(event);
}

}  // namespace torvane
