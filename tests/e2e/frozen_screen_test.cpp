#include <gtest/gtest.h>

#include "e2e/torvane_process.h"
#include "e2e/x_session.h"

namespace torvane::e2e {
namespace {

using namespace std::chrono_literals;

bool isFullScreen(const WindowInfo& w, const XSession& x) {
  return w.x == 0 && w.y == 0 && w.width == x.screenWidth() && w.height == x.screenHeight();
}

// Pixels of `screen` that differ from `expected`, outside the program's smaller windows (the
// palette floats above the frozen picture).
int differingPixels(const Pixels& screen, const Pixels& expected,
                    const std::vector<WindowInfo>& exclude) {
  int differing = 0;
  for (int y = 0; y < screen.height; ++y) {
    for (int x = 0; x < screen.width; ++x) {
      bool covered = false;
      for (const WindowInfo& w : exclude) {
        covered = covered || (x >= w.x && x < w.x + w.width && y >= w.y && y < w.y + w.height);
      }
      if (!covered && screen.at(x, y) != expected.at(x, y)) ++differing;
    }
  }
  return differing;
}

class FrozenScreen : public ::testing::TestWithParam<std::map<std::string, std::string>> {};

TEST_P(FrozenScreen, ShowsTheDesktopAsCapturedAndClosesWithExitCodeZero) {
  XSession x;
  const Pixels before = makePattern(x.screenWidth(), x.screenHeight(), 1);
  x.setDesktop(before);
  x.moveMouse(x.screenWidth() / 3, x.screenHeight() / 3);

  TorvaneProcess torvane(GetParam());
  const auto overlay = x.waitForWindow(
      torvane.pid(), [&](const WindowInfo& w) { return isFullScreen(w, x); }, 10s);
  ASSERT_TRUE(overlay) << torvane.standardError();
  std::vector<WindowInfo> others;
  for (const WindowInfo& w : x.windowsOf(torvane.pid())) {
    if (!isFullScreen(w, x)) others.push_back(w);
  }

  EXPECT_TRUE(waitUntil([&] { return differingPixels(x.grabScreen(), before, others) == 0; }, 5s))
      << differingPixels(x.grabScreen(), before, others) << " pixels differ from the desktop";

  // The real desktop changes underneath; the picture does not.
  x.setDesktop(makePattern(x.screenWidth(), x.screenHeight(), 2));
  XSession::pause(200ms);
  EXPECT_EQ(differingPixels(x.grabScreen(), before, others), 0);

  x.closeWindow(overlay->id);
  const auto exitCode = torvane.waitForExit(10s);
  ASSERT_TRUE(exitCode) << "still running after the close command";
  EXPECT_EQ(*exitCode, 0) << torvane.standardError();
}

// Toolkit scaling must not break one canvas pixel per screen pixel.
INSTANTIATE_TEST_SUITE_P(
    Scaling, FrozenScreen,
    ::testing::Values(std::map<std::string, std::string>{},
                      std::map<std::string, std::string>{{"QT_SCALE_FACTOR", "2"}},
                      std::map<std::string, std::string>{{"QT_SCREEN_SCALE_FACTORS", "1.5"}}));

TEST(StartWithoutDisplay, PrintsOneLineAndExitsWith255) {
  TorvaneProcess torvane({{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}});
  const auto exitCode = torvane.waitForExit(10s);
  ASSERT_TRUE(exitCode);
  EXPECT_EQ(*exitCode, 255);
  EXPECT_FALSE(torvane.crashed());
  const std::string message = torvane.standardError();
  EXPECT_FALSE(message.empty());
  EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
}

}  // namespace
}  // namespace torvane::e2e
