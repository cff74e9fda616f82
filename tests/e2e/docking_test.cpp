#include <gtest/gtest.h>

#include "e2e/palette_driver.h"

namespace torvane::e2e {
namespace {

using namespace std::chrono_literals;

bool paletteReaches(PaletteDriver& driver, int left, int top) {
  return waitUntil(
      [&] {
        const WindowInfo p = driver.palette();
        return p.x == left && p.y == top;
      },
      2s);
}

std::string where(PaletteDriver& driver) {
  const WindowInfo p = driver.palette();
  return "palette at " + std::to_string(p.x) + ", " + std::to_string(p.y);
}

struct EdgeCase {
  const char* edge;
  int dropLeft, dropTop;      // where the drag leaves the palette
  int dockedLeft, dockedTop;  // after the snap
  int hiddenLeft, hiddenTop;  // after the pointer went away
  int stripX, stripY;         // a point on the visible strip
};

class EdgeDocking : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(EdgeDocking, SnapsHidesAndComesBackOnTheStrip) {
  const EdgeCase& c = GetParam();
  XSession x;
  ASSERT_EQ(x.screenWidth(), 1024);
  ASSERT_EQ(x.screenHeight(), 768);
  PaletteDriver driver(x);

  driver.dragTo(c.dropLeft, c.dropTop);
  EXPECT_TRUE(paletteReaches(driver, c.dockedLeft, c.dockedTop)) << where(driver);

  x.moveMouse(512, 384);
  EXPECT_TRUE(paletteReaches(driver, c.hiddenLeft, c.hiddenTop)) << where(driver);

  x.moveMouse(c.stripX, c.stripY);
  EXPECT_TRUE(paletteReaches(driver, c.dockedLeft, c.dockedTop)) << where(driver);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, EdgeDocking,
    ::testing::Values(EdgeCase{"top", 400, 5, 400, 0, 400, -98, 500, 2},
                      EdgeCase{"left", 6, 300, 0, 300, -337, 300, 2, 350},
                      EdgeCase{"right", 680, 300, 682, 300, 1019, 300, 1021, 350},
                      EdgeCase{"bottom", 400, 660, 400, 665, 400, 763, 500, 765}),
    [](const auto& info) { return std::string(info.param.edge); });

TEST(Docking, APaletteLeftInTheMiddleNeverMoves) {
  XSession x;
  PaletteDriver driver(x);
  driver.dragTo(300, 300);
  ASSERT_TRUE(paletteReaches(driver, 300, 300)) << where(driver);
  for (const auto& [px, py] : {std::pair{512, 600}, {310, 310}, {5, 5}, {450, 350}}) {
    x.moveMouse(px, py);
    XSession::pause(250ms);
    EXPECT_TRUE(paletteReaches(driver, 300, 300)) << where(driver);
  }
}

TEST(Docking, ADockedPaletteHidesWhileThePointerRestsOnThePromotionButton) {
  XSession x;
  PaletteDriver driver(x);
  driver.dragTo(400, 4);
  ASSERT_TRUE(paletteReaches(driver, 400, 0)) << where(driver);
  driver.showPage(2);
  const auto [bx, by] = driver.tabControlPoint(200 + 44, 32 + 16);
  x.moveMouse(bx, by);
  EXPECT_TRUE(paletteReaches(driver, 400, -98)) << where(driver);
}

}  // namespace
}  // namespace torvane::e2e
