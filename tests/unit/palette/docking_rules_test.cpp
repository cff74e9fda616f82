#include "palette/docking_rules.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>

namespace torvane {
namespace {

// A 1024 × 768 screen with the 342 × 103 palette and a 5-pixel strip.
constexpr int kW = 1024;
constexpr int kH = 768;
constexpr int kPaletteW = 342;
constexpr int kPaletteH = 103;
constexpr int kMargin = 5;

PaletteGeometry at(int left, int top) { return {left, top, kPaletteW, kPaletteH}; }

constexpr CoordinateWrite left(int v) { return {CoordinateWrite::Left, v}; }
constexpr CoordinateWrite top(int v) { return {CoordinateWrite::Top, v}; }

PaletteGeometry moved(PaletteGeometry p, const CoordinateWrite& w) {
  (w.axis == CoordinateWrite::Left ? p.left : p.top) = w.value;
  return p;
}

enum class Event { Drop, PointerAway, PointerOver };

std::optional<CoordinateWrite> run(Event event, const PaletteGeometry& p) {
  if (event == Event::Drop) return snapRule(p, kW, kH, kMargin);
  return slideRule(p, kW, kH, kMargin, event == Event::PointerOver);
}

TEST(DockingRules, ExamplesOnA1024By768Screen) {
  struct Case {
    const char* what;
    int left;
    int top;
    Event event;
    std::optional<CoordinateWrite> write;
  };
  using enum Event;
  const Case cases[] = {
      {"6 from the left snaps", 6, 300, Drop, left(0)},
      {"5 from the left snaps", 5, 300, Drop, left(0)},
      {"9 from the left snaps", 9, 300, Drop, left(0)},
      {"10 from the left stays", 10, 300, Drop, std::nullopt},
      {"right gap 4 snaps", 678, 300, Drop, left(682)},
      {"right gap 2 snaps", 680, 300, Drop, left(682)},
      {"right gap 0 snaps", 682, 300, Drop, left(682)},
      {"right gap 5 stays", 677, 300, Drop, std::nullopt},
      {"past the right edge stays on the drop", 900, 300, Drop, std::nullopt},
      {"9 from the top snaps", 300, 9, Drop, top(0)},
      {"top 0 snaps", 300, 0, Drop, top(0)},
      {"partly above the top stays on the drop", 300, -20, Drop, std::nullopt},
      {"bottom gap 9 snaps", 300, 656, Drop, top(665)},
      {"bottom gap 0 snaps", 300, 665, Drop, top(665)},
      {"bottom gap 10 stays", 300, 655, Drop, std::nullopt},
      {"51 rows on the screen hides", 300, 717, Drop, top(763)},
      {"5 rows on the screen hides", 300, 763, Drop, top(763)},
      {"no row on the screen hides", 300, 768, Drop, top(763)},
      {"52 rows on the screen stays", 300, 716, Drop, std::nullopt},
      {"wholly below the screen stays", 300, 769, Drop, std::nullopt},
      {"corner drop snaps left first", 3, 4, Drop, left(0)},
      {"corner drop, nested run snaps left again", 0, 4, Drop, left(0)},
      {"corner, next tick over it shows the top", 0, 4, PointerOver, top(0)},
      {"docked top hides", 300, 0, PointerAway, top(-98)},
      {"hidden top shows", 300, -98, PointerOver, top(0)},
      {"docked left hides", 0, 300, PointerAway, left(-337)},
      {"hidden left shows", -337, 300, PointerOver, left(0)},
      {"docked right hides", 682, 300, PointerAway, left(1019)},
      {"hidden right shows", 1019, 300, PointerOver, left(682)},
      {"docked bottom hides", 300, 665, PointerAway, top(763)},
      {"hidden bottom shows", 300, 763, PointerOver, top(665)},
      {"past the right edge hides", 900, 300, PointerAway, left(1019)},
      {"past the right edge is not shown", 900, 300, PointerOver, std::nullopt},
      {"partly above the top shows", 300, -20, PointerOver, top(0)},
      {"partly above the top hides", 300, -20, PointerAway, top(-98)},
      {"top-left corner hides upwards", 0, 0, PointerAway, top(-98)},
      {"top-left corner hidden shows downwards", 0, -98, PointerOver, top(0)},
      {"free palette, drop", 300, 300, Drop, std::nullopt},
      {"free palette, pointer away", 300, 300, PointerAway, std::nullopt},
      {"free palette, pointer over", 300, 300, PointerOver, std::nullopt},
      {"partly below the bottom, pointer away", 300, 716, PointerAway, std::nullopt},
      {"partly below the bottom, pointer over", 300, 716, PointerOver, std::nullopt},
      {"hidden left near the top shows the top only", -337, 5, PointerOver, top(0)},
      {"hidden left at the top hides upwards", -337, 0, PointerAway, top(-98)},
      {"hidden bottom at the left is shown at the left", 5, 763, PointerOver, left(0)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(run(c.event, at(c.left, c.top)), c.write);
  }
}

// Each write of the timer moves the palette, which runs the snapping rules nested; in every docked
// and hidden position they must keep it where the timer put it, or the palette would jump.
TEST(DockingRules, SnappingKeepsEveryPositionTheTimerWrites) {
  struct Case {
    const char* what;
    int left;
    int top;
    bool pointerOver;
    PaletteGeometry reached;
  };
  const Case cases[] = {
      {"hidden top", 300, 0, false, at(300, -98)},
      {"docked top", 300, -98, true, at(300, 0)},
      {"hidden left", 0, 300, false, at(-337, 300)},
      {"docked left", -337, 300, true, at(0, 300)},
      {"hidden right", 682, 300, false, at(1019, 300)},
      {"docked right", 1019, 300, true, at(682, 300)},
      {"hidden bottom", 300, 665, false, at(300, 763)},
      {"docked bottom", 300, 763, true, at(300, 665)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::optional<CoordinateWrite> slide =
        slideRule(at(c.left, c.top), kW, kH, kMargin, c.pointerOver);
    ASSERT_TRUE(slide.has_value());
    const PaletteGeometry p = moved(at(c.left, c.top), *slide);
    EXPECT_EQ(p.left, c.reached.left);
    EXPECT_EQ(p.top, c.reached.top);
    if (const std::optional<CoordinateWrite> snap = snapRule(p, kW, kH, kMargin)) {
      const PaletteGeometry after = moved(p, *snap);
      EXPECT_EQ(after.left, p.left);
      EXPECT_EQ(after.top, p.top);
    }
  }
}

TEST(DockingRules, ExtremePositionsDoNotOverflow) {
  for (const PaletteGeometry& p :
       {at(INT_MIN, INT_MIN), at(INT_MAX, INT_MAX), at(INT_MAX, INT_MIN), at(INT_MIN, INT_MAX)}) {
    SCOPED_TRACE(testing::Message() << p.left << ", " << p.top);
    EXPECT_EQ(snapRule(p, kW, kH, kMargin), std::nullopt);
    EXPECT_NE(slideRule(p, kW, kH, kMargin, false), std::nullopt);
  }
}

}  // namespace
}  // namespace torvane
