#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <sstream>

#include "assets/assets.h"
#include "e2e/palette_driver.h"
#include "overlay/picture_decoder.h"
#include "overlay/tool_catalogue.h"

namespace torvane::e2e {
namespace {

using namespace std::chrono_literals;
using Point = std::pair<int, int>;

const std::map<std::string, std::string> kSilent{{"SDL_AUDIODRIVER", "dummy"}};

// Screen pixels are 0xRRGGBB.
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kBlue = 0x0000FF;
constexpr std::uint32_t kMagenta = 0xFF00FF;

struct Area {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  bool contains(int px, int py) const {
    return px >= x && px < x + width && py >= y && py < y + height;
  }
  Area grownBy(int margin) const {
    return {x - margin, y - margin, width + 2 * margin, height + 2 * margin};
  }
};

Area areaOf(const WindowInfo& w) { return {w.x, w.y, w.width, w.height}; }

std::string hex(std::uint32_t pixel) {
  std::ostringstream text;
  text << std::hex << pixel;
  return text.str();
}

std::string describe(int x, int y, std::uint32_t got, std::uint32_t desktop) {
  return "pixel " + std::to_string(x) + "," + std::to_string(y) + " is " + hex(got) + ", desktop " +
         hex(desktop);
}

// Pixels of `area` that differ from the desktop, leaving out `except`.
int changedPixels(const Pixels& screen, const Pixels& desktop, const Area& area,
                  const Area& except = {}) {
  int changed = 0;
  for (int y = area.y; y < area.y + area.height; ++y) {
    for (int x = area.x; x < area.x + area.width; ++x) {
      changed += !except.contains(x, y) && screen.at(x, y) != desktop.at(x, y);
    }
  }
  return changed;
}

// Distance from pixel (px, py) to the polyline through `path`, in whole-pixel coordinates.
double distanceToPath(int px, int py, const std::vector<Point>& path) {
  double best = std::numeric_limits<double>::infinity();
  for (std::size_t i = 0; i + 1 < path.size(); ++i) {
    const double ax = path[i].first, ay = path[i].second;
    const double dx = path[i + 1].first - ax, dy = path[i + 1].second - ay;
    const double length2 = dx * dx + dy * dy;
    const double t =
        length2 == 0 ? 0 : std::clamp(((px - ax) * dx + (py - ay) * dy) / length2, 0.0, 1.0);
    best = std::min(best, std::hypot(px - ax - t * dx, py - ay - t * dy));
  }
  return best;
}

Area boundsOf(const std::vector<Point>& path) {
  int left = path[0].first, right = left, top = path[0].second, bottom = top;
  for (const auto& [x, y] : path) {
    left = std::min(left, x);
    right = std::max(right, x);
    top = std::min(top, y);
    bottom = std::max(bottom, y);
  }
  return {left, top, right - left + 1, bottom - top + 1};
}

std::uint32_t blackInk(std::uint32_t) { return kBlack; }
std::uint32_t blueMerged(std::uint32_t desktop) { return desktop | kBlue; }

struct FreehandCase {
  const char* name;
  int tool;
  int width;
  std::uint32_t (*ink)(std::uint32_t desktop);
  std::vector<Point> path;  // starts with a horizontal segment, where the band is measured
};

// A stroke of `width` with round caps along the path, to within one pixel of width: pixels whose
// centre lies less than half the width minus a half from the path are inked, those farther than
// half the width plus a half are untouched, and no pixel between takes any other value.
::testing::AssertionResult strokeFollowsPath(const Pixels& screen, const Pixels& desktop,
                                             const FreehandCase& c) {
  const double radius = c.width / 2.0;
  const Area area = boundsOf(c.path).grownBy(c.width / 2 + 4);
  for (int y = area.y; y < area.y + area.height; ++y) {
    for (int x = area.x; x < area.x + area.width; ++x) {
      const std::uint32_t got = screen.at(x, y);
      const std::uint32_t under = desktop.at(x, y);
      const double d = distanceToPath(x, y, c.path);
      const bool ok = d < radius - 0.5   ? got == c.ink(under)
                      : d > radius + 0.5 ? got == under
                                         : got == under || got == c.ink(under);
      if (!ok) {
        return ::testing::AssertionFailure()
               << describe(x, y, got, under) << " at distance " << d << " from the path";
      }
    }
  }
  return ::testing::AssertionSuccess();
}

// Length of the inked run across the stroke in column x, around row y.
int bandAcross(const Pixels& screen, const Pixels& desktop, const FreehandCase& c, int x, int y) {
  int run = 0;
  for (int row = y - c.width; row <= y + c.width; ++row) {
    run +=
        screen.at(x, row) == c.ink(desktop.at(x, row)) && screen.at(x, row) != desktop.at(x, row);
  }
  return run;
}

RasterImage embeddedPicture(ByteView file) {
  std::optional<RasterImage> picture = decodePicture(file);
  if (!picture) throw std::runtime_error("an embedded picture does not decode");
  return std::move(*picture);
}

// The screen shows `picture` with its top-left corner at (left, top) over the desktop, with the
// desktop showing through wherever the picture is magenta.
::testing::AssertionResult showsPicture(const Pixels& screen, const Pixels& desktop,
                                        const RasterImage& picture, int left, int top) {
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const std::uint32_t own = picture.at(x, y) & 0xFFFFFF;
      const std::uint32_t under = desktop.at(left + x, top + y);
      const std::uint32_t want = own == kMagenta ? under : own;
      const std::uint32_t got = screen.at(left + x, top + y);
      if (got != want) {
        return ::testing::AssertionFailure()
               << describe(left + x, top + y, got, under) << ", picture " << hex(own);
      }
    }
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult showsOneOf(const Pixels& screen, const Pixels& desktop,
                                      const std::vector<RasterImage>& pictures, int left, int top) {
  std::string why;
  for (const RasterImage& picture : pictures) {
    const auto shown = showsPicture(screen, desktop, picture, left, top);
    if (shown) return shown;
    why += std::string(shown.message()) + "; ";
  }
  return ::testing::AssertionFailure() << "none of the pictures: " << why;
}

// Waits until `check` holds on the screen, then reports its verdict on a fresh grab.
::testing::AssertionResult eventually(
    XSession& x, const std::function<::testing::AssertionResult(const Pixels&)>& check,
    std::chrono::milliseconds timeout = 3s) {
  waitUntil([&] { return static_cast<bool>(check(x.grabScreen())); }, timeout);
  return check(x.grabScreen());
}

TEST(Gestures, DrawingToolsMarkTheirPlacesAndTheBucketWashesThemAway) {
  XSession x;
  ASSERT_EQ(x.screenWidth(), 1024);
  ASSERT_EQ(x.screenHeight(), 768);
  PaletteDriver driver(x, kSilent);
  const Pixels& desktop = driver.desktop();
  const Area palette = areaOf(driver.palette());

  // Each mark goes to its own part of the canvas, clear of the palette in the middle.
  const FreehandCase freehand[] = {
      {"brush", Brush, 15, blackInk, {{60, 60}, {140, 60}, {220, 60}, {260, 100}, {300, 140}}},
      {"highlighter", Highlighter, 5, blueMerged, {{60, 220}, {180, 220}, {240, 250}, {300, 280}}},
      {"paint roller", PaintCan, 80, blackInk, {{60, 580}, {170, 580}, {230, 610}, {290, 640}}},
  };

  for (const FreehandCase& c : freehand) {
    SCOPED_TRACE(c.name);
    driver.selectTool(c.tool);
    x.drag(1, c.path);
    EXPECT_TRUE(eventually(x, [&](const Pixels& s) { return strokeFollowsPath(s, desktop, c); }));
    const auto [x0, y0] = c.path[0];
    const int middle = (x0 + c.path[1].first) / 2;
    EXPECT_NEAR(bandAcross(x.grabScreen(), desktop, c, middle, y0), c.width, 1);
  }

  {
    SCOPED_TRACE("text");
    constexpr Point kPress{740, 60};
    driver.selectTool(TextPen);
    x.click(kPress.first, kPress.second);
    const auto box = x.waitForWindow(
        driver.process().pid(), [](const WindowInfo& w) { return w.title == "输入文本"; }, 5s);
    ASSERT_TRUE(box) << "no input box";
    ASSERT_TRUE(waitUntil([&] { return x.activeWindow() == box->id; }, 2s));
    XSession::pause(50ms);
    x.typeText("Hello");
    x.pressKey("Return");

    // Ink to the right of and below the press point, none above or left of it.
    const Area around{kPress.first - 40, kPress.second - 40, 300, 110};
    ASSERT_TRUE(waitUntil(
        [&] {
          const auto open = x.windowsOf(driver.process().pid());
          return std::none_of(open.begin(), open.end(),
                              [&](const WindowInfo& w) { return w.id == box->id; }) &&
                 changedPixels(x.grabScreen(), desktop, around) > 0;
        },
        3s))
        << "no text appeared";
    const Pixels screen = x.grabScreen();
    Area ink{std::numeric_limits<int>::max(), std::numeric_limits<int>::max(), 0, 0};
    int right = 0, bottom = 0, inked = 0;
    for (int y = around.y; y < around.y + around.height; ++y) {
      for (int px = around.x; px < around.x + around.width; ++px) {
        if (screen.at(px, y) == desktop.at(px, y)) continue;
        ++inked;
        ink.x = std::min(ink.x, px);
        ink.y = std::min(ink.y, y);
        right = std::max(right, px);
        bottom = std::max(bottom, y);
      }
    }
    EXPECT_GT(inked, 40);
    EXPECT_GE(ink.x, kPress.first);
    EXPECT_LE(ink.x, kPress.first + 6);
    EXPECT_GE(ink.y, kPress.second);
    EXPECT_LE(ink.y, kPress.second + 15);
    EXPECT_LT(right, kPress.first + 150) << "one short line of text";
    EXPECT_LT(bottom, kPress.second + 40);
  }

  {
    SCOPED_TRACE("stamp");
    constexpr Point kPress{800, 230};
    const Area square{kPress.first - 25, kPress.second - 25, 50, 50};
    const std::vector<RasterImage> stamps{
        embeddedPicture(kStampNoEntry), embeddedPicture(kStampSmiley), embeddedPicture(kStampSkull),
        embeddedPicture(kStampFlower)};
    driver.selectTool(Stamp);
    x.click(kPress.first, kPress.second);
    EXPECT_TRUE(eventually(
        x, [&](const Pixels& s) { return showsOneOf(s, desktop, stamps, square.x, square.y); }));
    const Pixels screen = x.grabScreen();
    const int marked = changedPixels(screen, desktop, square);
    EXPECT_GT(marked, 0);
    EXPECT_LT(marked, square.width * square.height) << "the background shows through";
    EXPECT_EQ(changedPixels(screen, desktop, square.grownBy(20), square), 0);
  }

  {
    SCOPED_TRACE("laser");
    constexpr Point kPress{800, 600};
    const Area square{kPress.first - 50, kPress.second - 50, 100, 100};
    const RasterImage scorch = embeddedPicture(kScorchHole);
    driver.selectTool(Laser);
    x.click(kPress.first, kPress.second);
    EXPECT_TRUE(eventually(
        x, [&](const Pixels& s) { return showsPicture(s, desktop, scorch, square.x, square.y); }));
    const Pixels screen = x.grabScreen();
    EXPECT_EQ(screen.at(kPress.first, kPress.second), kBlack);
    EXPECT_EQ(changedPixels(screen, desktop, square.grownBy(20), square), 0);
  }

  {
    SCOPED_TRACE("bucket");
    const Area screenArea{0, 0, x.screenWidth(), x.screenHeight()};
    ASSERT_GT(changedPixels(x.grabScreen(), desktop, screenArea, palette), 0);
    driver.selectTool(Bucket);
    x.click(900, 700);
    EXPECT_TRUE(waitUntil(
        [&] { return changedPixels(x.grabScreen(), desktop, screenArea, palette) == 0; }, 3s))
        << changedPixels(x.grabScreen(), desktop, screenArea, palette)
        << " pixels still differ from the desktop";
  }
}

TEST(Gestures, Ak47SpraysAroundThePointerWhileHeldAndStopsAtAReleaseOverThePalette) {
  XSession x;
  PaletteDriver driver(x, kSilent);
  const Pixels& desktop = driver.desktop();
  driver.selectTool(Ak47);

  {
    SCOPED_TRACE("held still for a second");
    constexpr Point kAim{180, 180};
    // A 20 x 20 hole whose top-left corner lies up to 20 pixels either way of the pointer.
    const Area reach{kAim.first - 20, kAim.second - 20, 60, 60};
    const Area watched = reach.grownBy(20);
    x.moveMouse(kAim.first, kAim.second);
    Pixels last = x.grabArea(watched.x, watched.y, watched.width, watched.height);

    // Every shot changes the watched area once; a new hole almost never falls wholly on black.
    int shots = 0;
    const auto poll = [&](std::chrono::milliseconds span) {
      const auto end = std::chrono::steady_clock::now() + span;
      while (std::chrono::steady_clock::now() < end) {
        Pixels now = x.grabArea(watched.x, watched.y, watched.width, watched.height);
        if (now.data != last.data) {
          ++shots;
          last = std::move(now);
        }
        XSession::pause(2ms);
      }
    };
    const auto pressed = std::chrono::steady_clock::now();
    x.pressButton(1);
    poll(std::chrono::duration_cast<std::chrono::milliseconds>(
        1000ms - (std::chrono::steady_clock::now() - pressed)));
    x.releaseButton(1);
    poll(150ms);  // the last shot's repaint may trail the release
    EXPECT_GE(shots, 10);
    EXPECT_LE(shots, 18);

    const Pixels screen = x.grabScreen();
    EXPECT_GT(changedPixels(screen, desktop, reach), 0);
    EXPECT_EQ(changedPixels(screen, desktop, watched, reach), 0) << "a hole beyond the spread";
    for (int y = reach.y; y < reach.y + reach.height; ++y) {
      for (int px = reach.x; px < reach.x + reach.width; ++px) {
        if (screen.at(px, y) != desktop.at(px, y)) {
          ASSERT_EQ(screen.at(px, y), kBlack)
              << describe(px, y, screen.at(px, y), desktop.at(px, y));
        }
      }
    }
  }

  {
    SCOPED_TRACE("released over the palette");
    constexpr Point kAim{850, 180};
    const Area near{kAim.first - 40, kAim.second - 40, 100, 100};
    const WindowInfo p = driver.palette();
    const Area palette = areaOf(p);
    x.moveMouse(kAim.first, kAim.second);
    x.pressButton(1);
    ASSERT_TRUE(waitUntil([&] { return changedPixels(x.grabScreen(), desktop, near) > 0; }, 2s))
        << "no shot before leaving the canvas";
    // Onto the caption, a place with no control, and let go there.
    x.moveMouse(p.x + p.width / 2, p.y + 10);
    x.releaseButton(1);
    // Back on the canvas, where any further shot would show.
    x.moveMouse(850, 620);
    const Area screenArea{0, 0, x.screenWidth(), x.screenHeight()};
    const Pixels before = x.grabScreen();
    XSession::pause(500ms);
    EXPECT_EQ(changedPixels(x.grabScreen(), before, screenArea, palette), 0)
        << "the spray went on after the release";
  }
}

}  // namespace
}  // namespace torvane::e2e
