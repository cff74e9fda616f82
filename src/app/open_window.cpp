#include "app/open_window.h"

#include <QEventLoop>
#include <QPointer>
#include <QWindow>
#include <array>
#include <vector>

namespace torvane {

namespace {

constexpr std::size_t kWindowCount = 3;

struct WindowSlot {
  WindowForm form;
  QPointer<ProgramWindow> open;
  bool owned = false;
};

std::array<WindowSlot, kWindowCount>& windowSlots() {
  static std::array<WindowSlot, kWindowCount> windows;
  return windows;
}

WindowSlot& slotOf(WindowId window) { return windowSlots()[static_cast<std::size_t>(window)]; }

void bringToFront(ProgramWindow* window) {
  if (window->isMinimized()) {
    window->showNormal();
    return;
  }
  window->raise();
  window->activateWindow();
}


}  // namespace

void registerWindowForm(WindowId window, WindowForm form) { slotOf(window).form = std::move(form); }

ProgramWindow* findWindow(WindowId window) { return slotOf(window).open; }

void openWindow(WindowId window, const WindowId* owner, bool modal) {
  WindowSlot& slot = slotOf(window);
  if (slot.open && slot.open->isVisible()) {
    bringToFront(slot.open);
    return;
  }
  if (!slot.form) return;
  delete slot.open.data();
  ProgramWindow* created = slot.form();
  created->setAttribute(Qt::WA_DeleteOnClose, modal);
  slot.open = created;
  slot.owned = owner != nullptr && !modal;

  created->created();

  if (slot.owned) {
    if (ProgramWindow* ownerWindow = findWindow(*owner)) {
      created->winId();
      ownerWindow->winId();
      created->windowHandle()->setTransientParent(ownerWindow->windowHandle());
      ownerWindow->addOwnedWindow(created);
    }
  }

  if (!modal) {
    created->show();
    return;
  }

  // Modal: the ownerless windows take no input until this one closes; owned ones stay usable.
  std::vector<std::pair<QPointer<ProgramWindow>, bool>> disabled;
  for (std::size_t i = 0; i < kWindowCount; ++i) {
    WindowSlot& other = windowSlots()[i];
    if (&other == &slot || other.owned || !other.open) continue;
    disabled.emplace_back(other.open, other.open->isEnabled());
    other.open->setEnabled(false);
  }
  QEventLoop loop;
  QObject::connect(created, &QObject::destroyed, &loop, &QEventLoop::quit);
  created->show();
  loop.exec();
  for (auto& [other, wasEnabled] : disabled) {
    if (other) other->setEnabled(wasEnabled);
  }
}

}  // namespace torvane
