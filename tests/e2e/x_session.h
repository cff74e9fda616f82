#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace torvane::e2e {

// Screen pixels as 0x00RRGGBB, rows top-down.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> data;
  std::uint32_t at(int x, int y) const { return data[static_cast<std::size_t>(y) * width + x]; }
};

struct WindowInfo {
  Window id = 0;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool overrideRedirect = false;
  std::string title;
};

struct CursorShot {
  int width = 0;
  int height = 0;
  int hotX = 0;
  int hotY = 0;
  std::vector<std::uint32_t> argb;  // premultiplied, as the server keeps it
};

// The test's own connection to the X display that test.sh started: real input through XTest,
// real pixels read back from the screen.
class XSession {
 public:
  XSession();
  ~XSession();
  XSession(const XSession&) = delete;
  XSession& operator=(const XSession&) = delete;

  Display* display() const { return display_; }
  int screenWidth() const;
  int screenHeight() const;

  // Paints the root window with `pixels` (screen size), the desktop under every window.
  void setDesktop(const Pixels& pixels);
  Pixels grabScreen();
  Pixels grabArea(int left, int top, int width, int height);

  void moveMouse(int x, int y);
  void pressButton(int button);
  void releaseButton(int button);
  void click(int x, int y, int button = 1);
  // Press at `from`, move through `path` one event at a time, release at the last point.
  void drag(int button, const std::vector<std::pair<int, int>>& path);
  void typeText(const std::string& ascii);
  void pressKey(const char* keysymName);

  // Viewable top-level windows (managed or override-redirect) that belong to process `pid`.
  std::vector<WindowInfo> windowsOf(pid_t pid);
  std::optional<WindowInfo> waitForWindow(pid_t pid,
                                          const std::function<bool(const WindowInfo&)>& match,
                                          std::chrono::milliseconds timeout);
  // The frame the window manager drew around the managed window `client`, border included; the
  // client itself when nothing frames it.
  WindowInfo frameOf(Window client);
  // The window manager's active window and its stacking order of managed windows, bottom first.
  Window activeWindow();
  std::vector<Window> stackingOrder();
  // Asks the window manager to close `window` (the close command of its frame).
  void closeWindow(Window window);
  CursorShot cursor();
  bool inTaskbarList(Window window);

  static void pause(std::chrono::milliseconds duration);

 private:
  void flush();
  Display* display_;
  Window root_;
  Pixmap desktopPixmap_ = 0;
};

// A deterministic, non-uniform picture: every pixel differs from its neighbours, so any shift,
// scaling or stale area shows.
Pixels makePattern(int width, int height, std::uint32_t seed);

// Waits until `condition` holds or `timeout` passes; returns whether it held.
bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout);

}  // namespace torvane::e2e
