#include "e2e/palette_driver.h"

#include <stdexcept>

namespace torvane::e2e {

namespace {

using namespace std::chrono_literals;

// The tab control lies in the palette's client area, below the drawn 22-pixel caption and inside
// the 3-pixel frame.
constexpr int kClientX = 3;
constexpr int kClientY = 25;
constexpr int kToolbarX = 8;
constexpr int kToolbarY = 24;
constexpr int kButtonSize = 40;
constexpr int kSeparatorWidth = 8;
// Where the driver holds the caption to drag the palette.
constexpr int kGrabX = 150;
constexpr int kGrabY = 10;
// Centres of the three tabs along the tab bar.
constexpr int kTabCentres[] = {36, 108, 166};

struct ToolButton {
  int page;
  int index;
};

// Indexed by ToolId.
constexpr ToolButton kToolButtons[] = {
    {2, 0},  // Bucket
    {0, 1},  // Brush
    {0, 0},  // Pencil
    {0, 4},  // TextPen
    {0, 5},  // Stamp
    {1, 0},  // Ak47
    {1, 2},  // Laser
    {0, 3},  // Highlighter
    {0, 2},  // PaintCan
    {1, 1},  // Flame
};

}  // namespace

PaletteDriver::PaletteDriver(XSession& x, const std::map<std::string, std::string>& environment)
    : x_(x),
      desktop_([&] {
        Pixels p = makePattern(x.screenWidth(), x.screenHeight(), 7);
        x.setDesktop(p);
        x.moveMouse(5, x.screenHeight() - 5);
        return p;
      }()),
      process_(environment) {
  const auto overlay = x_.waitForWindow(
      process_.pid(),
      [&](const WindowInfo& w) {
        return w.width == x_.screenWidth() && w.height == x_.screenHeight();
      },
      10s);
  if (!overlay) throw std::runtime_error("no overlay window: " + process_.standardError());
  overlay_ = *overlay;
  if (!x_.waitForWindow(
          process_.pid(),
          [](const WindowInfo& w) { return w.width == kWidth && w.height == kHeight; }, 10s)) {
    throw std::runtime_error("no palette window");
  }
  XSession::pause(300ms);
}

WindowInfo PaletteDriver::palette() {
  for (const WindowInfo& w : x_.windowsOf(process_.pid())) {
    if (w.width == kWidth && w.height == kHeight) return w;
  }
  throw std::runtime_error("the palette is gone");
}

std::pair<int, int> PaletteDriver::tabControlPoint(int x, int y) {
  const WindowInfo p = palette();
  return {p.x + kClientX + x, p.y + kClientY + y};
}

void PaletteDriver::showPage(int page) {
  const auto [x, y] = tabControlPoint(kTabCentres[page], 10);
  x_.click(x, y);
  XSession::pause(100ms);
}

void PaletteDriver::clickToolbarButton(int page, int index) {
  showPage(page);
  // Only 工具条3, on page 2, has a separator, at index 1.
  int left = kToolbarX + index * kButtonSize;
  if (page == 2 && index > 1) left += kSeparatorWidth - kButtonSize;
  const auto [x, y] = tabControlPoint(left + kButtonSize / 2, kToolbarY + kButtonSize / 2);
  x_.click(x, y);
  XSession::pause(100ms);
}

void PaletteDriver::selectTool(int tool) {
  clickToolbarButton(kToolButtons[tool].page, kToolButtons[tool].index);
}

void PaletteDriver::clickPromotionButton() {
  showPage(2);
  const auto [x, y] = tabControlPoint(200 + 44, 32 + 16);
  x_.click(x, y);
}

void PaletteDriver::dragTo(int left, int top) {
  const WindowInfo from = palette();
  std::vector<std::pair<int, int>> path{{from.x + kGrabX, from.y + kGrabY}};
  for (int step = 1; step <= 8; ++step) {
    path.emplace_back(from.x + kGrabX + (left - from.x) * step / 8,
                      from.y + kGrabY + (top - from.y) * step / 8);
  }
  x_.drag(1, path);
  XSession::pause(50ms);
}

}  // namespace torvane::e2e
