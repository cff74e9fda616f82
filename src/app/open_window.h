#pragma once

#include <functional>

#include "app/program_window.h"

namespace torvane {

enum class WindowId { Overlay, Palette, Promo };

using WindowForm = std::function<ProgramWindow*()>;

// How each window is made from its form; registered by the start routine.
void registerWindowForm(WindowId window, WindowForm form);

// Creates the window from its form, runs its creation handler and shows it. An owned window stays
// above its owner and closes with it. A modal window disables the ownerless windows (restoring
// their former state afterwards), leaves owned windows usable, and this call returns only when it
// has closed. Opening a window that is already open restores or activates it instead.
void openWindow(WindowId window, const WindowId* owner, bool modal);

// The window made by the last openWindow, while it exists (also during its creation handler).
ProgramWindow* findWindow(WindowId window);

}  // namespace torvane
