#include "e2e/x_session.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xfixes.h>

#include <stdexcept>
#include <thread>

namespace torvane::e2e {

namespace {

constexpr auto kInputSettle = std::chrono::milliseconds(30);

std::optional<long> cardinalProperty(Display* display, Window window, const char* name) {
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  const Atom atom = XInternAtom(display, name, False);
  if (XGetWindowProperty(display, window, atom, 0, 1, False, XA_CARDINAL, &type, &format, &count,
                         &after, &data) != Success ||
      !data || count == 0) {
    if (data) XFree(data);
    return std::nullopt;
  }
  const long value = *reinterpret_cast<long*>(data);
  XFree(data);
  return value;
}

std::string titleOf(Display* display, Window window) {
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  const Atom atom = XInternAtom(display, "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  std::string title;
  if (XGetWindowProperty(display, window, atom, 0, 1024, False, utf8, &type, &format, &count,
                         &after, &data) == Success &&
      data) {
    title.assign(reinterpret_cast<char*>(data), count);
  }
  if (data) XFree(data);
  return title;
}

int ignoreErrors(Display*, XErrorEvent*) { return 0; }

}  // namespace

XSession::XSession() : display_(XOpenDisplay(nullptr)) {
  if (!display_) throw std::runtime_error("no X display: run the end-to-end tests via test.sh");
  root_ = DefaultRootWindow(display_);
  XSetErrorHandler(ignoreErrors);
}

XSession::~XSession() {
  if (desktopPixmap_) XFreePixmap(display_, desktopPixmap_);
  XCloseDisplay(display_);
}

int XSession::screenWidth() const { return DisplayWidth(display_, DefaultScreen(display_)); }
int XSession::screenHeight() const { return DisplayHeight(display_, DefaultScreen(display_)); }

void XSession::flush() { XSync(display_, False); }

void XSession::pause(std::chrono::milliseconds duration) { std::this_thread::sleep_for(duration); }

void XSession::setDesktop(const Pixels& pixels) {
  const int screen = DefaultScreen(display_);
  if (desktopPixmap_) XFreePixmap(display_, desktopPixmap_);
  desktopPixmap_ =
      XCreatePixmap(display_, root_, pixels.width, pixels.height, DefaultDepth(display_, screen));
  std::vector<std::uint32_t> copy = pixels.data;
  XImage* image = XCreateImage(
      display_, DefaultVisual(display_, screen), DefaultDepth(display_, screen), ZPixmap, 0,
      reinterpret_cast<char*>(copy.data()), pixels.width, pixels.height, 32, pixels.width * 4);
  GC gc = XCreateGC(display_, desktopPixmap_, 0, nullptr);
  XPutImage(display_, desktopPixmap_, gc, image, 0, 0, 0, 0, pixels.width, pixels.height);
  XFreeGC(display_, gc);
  image->data = nullptr;
  XDestroyImage(image);
  XSetWindowBackgroundPixmap(display_, root_, desktopPixmap_);
  XClearWindow(display_, root_);
  flush();
}

Pixels XSession::grabScreen() { return grabArea(0, 0, screenWidth(), screenHeight()); }

Pixels XSession::grabArea(int left, int top, int width, int height) {
  Pixels out;
  out.width = width;
  out.height = height;
  XImage* image = XGetImage(display_, root_, left, top, width, height, AllPlanes, ZPixmap);
  if (!image) throw std::runtime_error("cannot read the screen area");
  out.data.resize(static_cast<std::size_t>(out.width) * out.height);
  for (int row = 0; row < out.height; ++row) {
    for (int column = 0; column < out.width; ++column) {
      out.data[static_cast<std::size_t>(row) * out.width + column] =
          XGetPixel(image, column, row) & 0xFFFFFF;
    }
  }
  XDestroyImage(image);
  return out;
}

void XSession::moveMouse(int x, int y) {
  XTestFakeMotionEvent(display_, DefaultScreen(display_), x, y, CurrentTime);
  flush();
  pause(kInputSettle);
}

void XSession::pressButton(int button) {
  XTestFakeButtonEvent(display_, button, True, CurrentTime);
  flush();
  pause(kInputSettle);
}

void XSession::releaseButton(int button) {
  XTestFakeButtonEvent(display_, button, False, CurrentTime);
  flush();
  pause(kInputSettle);
}

void XSession::click(int x, int y, int button) {
  moveMouse(x, y);
  pressButton(button);
  releaseButton(button);
}

void XSession::drag(int button, const std::vector<std::pair<int, int>>& path) {
  moveMouse(path.front().first, path.front().second);
  pressButton(button);
  for (std::size_t i = 1; i < path.size(); ++i) moveMouse(path[i].first, path[i].second);
  releaseButton(button);
}

void XSession::pressKey(const char* keysymName) {
  const KeyCode code = XKeysymToKeycode(display_, XStringToKeysym(keysymName));
  XTestFakeKeyEvent(display_, code, True, CurrentTime);
  XTestFakeKeyEvent(display_, code, False, CurrentTime);
  flush();
  pause(kInputSettle);
}

void XSession::typeText(const std::string& ascii) {
  for (char c : ascii) {
    const std::string name = c == ' '   ? "space"
                             : c == '/' ? "slash"
                             : c == '.' ? "period"
                             : c == '-' ? "minus"
                             : c == '_' ? "underscore"
                                        : std::string(1, c);
    const KeySym sym = XStringToKeysym(name.c_str());
    const KeyCode code = XKeysymToKeycode(display_, sym);
    const bool shifted = XkbKeycodeToKeysym(display_, code, 0, 0) != sym;
    const KeyCode shift = XKeysymToKeycode(display_, XStringToKeysym("Shift_L"));
    if (shifted) XTestFakeKeyEvent(display_, shift, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    if (shifted) XTestFakeKeyEvent(display_, shift, False, CurrentTime);
    flush();
    pause(std::chrono::milliseconds(5));
  }
}

std::vector<WindowInfo> XSession::windowsOf(pid_t pid) {
  std::vector<WindowInfo> found;
  std::function<void(Window)> visit = [&](Window window) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display_, window, &attributes)) return;
    const auto owner = cardinalProperty(display_, window, "_NET_WM_PID");
    if (owner && *owner == pid && attributes.map_state == IsViewable) {
      int x = 0, y = 0;
      Window child;
      XTranslateCoordinates(display_, window, root_, 0, 0, &x, &y, &child);
      found.push_back({window, x, y, attributes.width, attributes.height,
                       attributes.override_redirect == True, titleOf(display_, window)});
      return;
    }
    Window rootReturn, parent;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display_, window, &rootReturn, &parent, &children, &count)) return;
    for (unsigned int i = 0; i < count; ++i) visit(children[i]);
    if (children) XFree(children);
  };
  visit(root_);
  return found;
}

std::optional<WindowInfo> XSession::waitForWindow(
    pid_t pid, const std::function<bool(const WindowInfo&)>& match,
    std::chrono::milliseconds timeout) {
  std::optional<WindowInfo> result;
  waitUntil(
      [&] {
        for (const WindowInfo& w : windowsOf(pid)) {
          if (match(w)) {
            result = w;
            return true;
          }
        }
        return false;
      },
      timeout);
  return result;
}

WindowInfo XSession::frameOf(Window client) {
  Window window = client;
  while (true) {
    Window rootReturn, parent;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display_, window, &rootReturn, &parent, &children, &count)) break;
    if (children) XFree(children);
    if (parent == root_ || parent == 0) break;
    window = parent;
  }
  XWindowAttributes attributes;
  XGetWindowAttributes(display_, window, &attributes);
  const int border = attributes.border_width;
  return {window,
          attributes.x,
          attributes.y,
          attributes.width + 2 * border,
          attributes.height + 2 * border,
          attributes.override_redirect == True,
          titleOf(display_, client)};
}

namespace {

std::vector<Window> rootWindowList(Display* display, Window root, const char* name) {
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  std::vector<Window> windows;
  if (XGetWindowProperty(display, root, XInternAtom(display, name, False), 0, 4096, False,
                         XA_WINDOW, &type, &format, &count, &after, &data) == Success &&
      data) {
    const Window* list = reinterpret_cast<Window*>(data);
    windows.assign(list, list + count);
  }
  if (data) XFree(data);
  return windows;
}

}  // namespace

Window XSession::activeWindow() {
  const std::vector<Window> active = rootWindowList(display_, root_, "_NET_ACTIVE_WINDOW");
  return active.empty() ? 0 : active.front();
}

std::vector<Window> XSession::stackingOrder() {
  return rootWindowList(display_, root_, "_NET_CLIENT_LIST_STACKING");
}

void XSession::closeWindow(Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display_, "_NET_CLOSE_WINDOW", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = CurrentTime;
  event.xclient.data.l[1] = 2;  // source: pager or task bar, as a user's close command
  XSendEvent(display_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
  flush();
}

bool XSession::inTaskbarList(Window window) {
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  const Atom atom = XInternAtom(display_, "_NET_CLIENT_LIST", False);
  bool found = false;
  if (XGetWindowProperty(display_, root_, atom, 0, 4096, False, XA_WINDOW, &type, &format, &count,
                         &after, &data) == Success &&
      data) {
    const Window* list = reinterpret_cast<Window*>(data);
    for (unsigned long i = 0; i < count; ++i) found = found || list[i] == window;
  }
  if (data) XFree(data);
  if (!found) return false;
  // Listed by the window manager; a window that asks to skip the taskbar has no button there.
  const Atom stateAtom = XInternAtom(display_, "_NET_WM_STATE", False);
  const Atom skip = XInternAtom(display_, "_NET_WM_STATE_SKIP_TASKBAR", False);
  data = nullptr;
  bool skips = false;
  if (XGetWindowProperty(display_, window, stateAtom, 0, 64, False, XA_ATOM, &type, &format, &count,
                         &after, &data) == Success &&
      data) {
    const Atom* states = reinterpret_cast<Atom*>(data);
    for (unsigned long i = 0; i < count; ++i) skips = skips || states[i] == skip;
  }
  if (data) XFree(data);
  return !skips;
}

CursorShot XSession::cursor() {
  CursorShot shot;
  XFixesCursorImage* image = XFixesGetCursorImage(display_);
  if (!image) return shot;
  shot.width = image->width;
  shot.height = image->height;
  shot.hotX = image->xhot;
  shot.hotY = image->yhot;
  for (int i = 0; i < image->width * image->height; ++i) {
    shot.argb.push_back(static_cast<std::uint32_t>(image->pixels[i]));
  }
  XFree(image);
  return shot;
}

Pixels makePattern(int width, int height, std::uint32_t seed) {
  Pixels p{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint32_t h = seed ^ (static_cast<std::uint32_t>(x) * 0x9E3779B1u) ^
                        (static_cast<std::uint32_t>(y) * 0x85EBCA77u);
      h ^= h >> 15;
      h *= 0x2C1B3C6Du;
      h ^= h >> 12;
      p.data[static_cast<std::size_t>(y) * width + x] = h & 0xFFFFFF;
    }
  }
  return p;
}

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (true) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

}  // namespace torvane::e2e
