#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "e2e/palette_driver.h"
#include "overlay/bmp_file.h"
#include "overlay/cursor_assets.h"
#include "overlay/cursor_file.h"
#include "overlay/tool_catalogue.h"

namespace torvane::e2e {
namespace {

using namespace std::chrono_literals;

std::optional<WindowInfo> waitForTitled(XSession& x, PaletteDriver& driver,
                                        const std::string& title) {
  return x.waitForWindow(
      driver.process().pid(), [&](const WindowInfo& w) { return w.title == title; }, 10s);
}

// The cursor the X server shows, compared with a cursor file; the server keeps premultiplied
// alpha, so the file's pixels are premultiplied before the comparison.
::testing::AssertionResult cursorMatches(const CursorShot& shot, CursorAsset asset) {
  const auto expected = parseCursorFile(cursorFile(asset));
  if (!expected) return ::testing::AssertionFailure() << "asset does not parse";
  if (shot.width != expected->width || shot.height != expected->height ||
      shot.hotX != expected->hotX || shot.hotY != expected->hotY) {
    return ::testing::AssertionFailure()
           << "cursor " << shot.width << "x" << shot.height << " hotspot " << shot.hotX << ","
           << shot.hotY << " expected hotspot " << expected->hotX << "," << expected->hotY;
  }
  for (std::size_t i = 0; i < shot.argb.size(); ++i) {
    const std::uint32_t e = expected->argb[i];
    const std::uint32_t alpha = e >> 24;
    for (int shift = 0; shift < 24; shift += 8) {
      const int want = static_cast<int>(((e >> shift & 0xFF) * alpha + 127) / 255);
      const int got = static_cast<int>(shot.argb[i] >> shift & 0xFF);
      if (std::abs(want - got) > 1) {
        return ::testing::AssertionFailure() << "pixel " << i << " differs";
      }
    }
    if ((shot.argb[i] >> 24) != alpha) return ::testing::AssertionFailure() << "alpha " << i;
  }
  return ::testing::AssertionSuccess();
}

TEST(Palette, OpensCentredAboveTheOverlayWithoutATaskbarEntry) {
  XSession x;
  PaletteDriver driver(x);
  const WindowInfo palette = driver.palette();
  EXPECT_EQ(palette.x, (x.screenWidth() - 342) / 2);
  EXPECT_EQ(palette.y, (x.screenHeight() - 103) / 2);
  EXPECT_FALSE(x.inTaskbarList(palette.id));
  EXPECT_TRUE(x.inTaskbarList(driver.overlay().id));
  EXPECT_EQ(driver.overlay().title, "");

  // Its pixels are on the screen, over the frozen picture.
  const Pixels screen = x.grabScreen();
  int own = 0;
  for (int py = palette.y; py < palette.y + palette.height; ++py) {
    for (int px = palette.x; px < palette.x + palette.width; ++px) {
      own += screen.at(px, py) != driver.desktop().at(px, py);
    }
  }
  EXPECT_GT(own, palette.width * palette.height * 9 / 10);
}

TEST(Palette, EachToolButtonGivesTheCanvasItsCursor) {
  XSession x;
  PaletteDriver driver(x);
  x.moveMouse(200, 650);
  XSession::pause(100ms);
  EXPECT_TRUE(cursorMatches(x.cursor(), CursorAsset::Brush)) << "at start";
  for (int tool = Bucket; tool <= Flame; ++tool) {
    SCOPED_TRACE(tool);
    driver.selectTool(tool);
    x.moveMouse(200, 650);
    EXPECT_TRUE(
        waitUntil([&] { return cursorMatches(x.cursor(), activationFor(tool)->cursor); }, 2s))
        << cursorMatches(x.cursor(), activationFor(tool)->cursor).message();
  }
}

class TempDir {
 public:
  TempDir() {
    char pattern[] = "/tmp/torvaneSaveXXXXXX";
    path = mkdtemp(pattern);
  }
  ~TempDir() { std::system(("rm -rf '" + path + "'").c_str()); }
  std::string path;
};

Bytes readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

TEST(Palette, CameraSavesTheCanvasAsBmpAndReportsTheResult) {
  XSession x;
  PaletteDriver driver(x);
  const TempDir dir;

  driver.clickToolbarButton(2, 2);
  ASSERT_TRUE(waitForTitled(x, driver, "保存文件"));
  XSession::pause(300ms);
  x.typeText(dir.path + "/shot");  // no extension: .bmp is added
  x.pressKey("Return");
  ASSERT_TRUE(waitForTitled(x, driver, "成功")) << "no success message";
  x.pressKey("Return");

  const auto picture = decodeBmp(readFile(dir.path + "/shot.bmp"));
  ASSERT_TRUE(picture);
  ASSERT_EQ(picture->width, x.screenWidth());
  ASSERT_EQ(picture->height, x.screenHeight());
  int differing = 0;
  for (int py = 0; py < picture->height; ++py) {
    for (int px = 0; px < picture->width; ++px) {
      differing += (picture->at(px, py) & 0xFFFFFF) != driver.desktop().at(px, py);
    }
  }
  EXPECT_EQ(differing, 0);

  // A read-only folder: the failure message, and nothing claimed as saved. Root ignores
  // permission bits, so the folder is made immutable instead.
  const TempDir readOnly;
  const std::string lock = (geteuid() == 0 ? "chattr +i '" : "chmod 555 '") + readOnly.path + "'";
  ASSERT_EQ(std::system(lock.c_str()), 0);
  driver.clickToolbarButton(2, 2);
  ASSERT_TRUE(waitForTitled(x, driver, "保存文件"));
  XSession::pause(300ms);
  for (int i = 0; i < 60; ++i) x.pressKey("BackSpace");
  x.typeText(readOnly.path + "/shot.bmp");
  x.pressKey("Return");
  EXPECT_TRUE(waitForTitled(x, driver, "错误")) << "no failure message";
  x.pressKey("Return");
  std::system(("chattr -i '" + readOnly.path + "' 2>/dev/null").c_str());
  EXPECT_FALSE(std::ifstream(readOnly.path + "/shot.bmp").good());
}

TEST(Palette, ExitAsksFirstAndEndsWithExitCodeZero) {
  XSession x;
  PaletteDriver driver(x);
  driver.clickToolbarButton(2, 3);
  ASSERT_TRUE(waitForTitled(x, driver, "退出"));
  x.pressKey("Escape");
  EXPECT_FALSE(driver.process().waitForExit(1s)) << "Esc must keep the program running";

  driver.clickToolbarButton(2, 3);
  ASSERT_TRUE(waitForTitled(x, driver, "退出"));
  XSession::pause(200ms);
  x.pressKey("Return");
  const auto exitCode = driver.process().waitForExit(10s);
  ASSERT_TRUE(exitCode);
  EXPECT_EQ(*exitCode, 0);
}

}  // namespace
}  // namespace torvane::e2e
