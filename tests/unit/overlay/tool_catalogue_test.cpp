#include "overlay/tool_catalogue.h"

#include <gtest/gtest.h>

#include <climits>

namespace torvane {
namespace {

using C = CursorAsset;

TEST(ToolCatalogue, FreehandToolsAreBrushPencilHighlighterPaintCan) {
  for (int tool = -1; tool <= 10; ++tool) {
    const bool expected = tool == 1 || tool == 2 || tool == 7 || tool == 8;
    EXPECT_EQ(isFreehand(tool), expected) << "tool " << tool;
  }
  EXPECT_FALSE(isFreehand(INT_MIN));
  EXPECT_FALSE(isFreehand(INT_MAX));
}

TEST(ToolCatalogue, ActivationRowsBelongToTheirToolAndOnlyFreehandToolsSetThePen) {
  for (int tool = 0; tool <= 9; ++tool) {
    SCOPED_TRACE(tool);
    const ToolActivation* row = activationFor(tool);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->tool, tool);
    // Tools that keep the pen never draw lines, so a pen on them would be unused.
    EXPECT_EQ(row->pen.has_value(), isFreehand(tool));
  }
  for (int tool : {-1, 10, INT_MIN, INT_MAX}) EXPECT_EQ(activationFor(tool), nullptr) << tool;
}

TEST(ToolCatalogue, GestureCursors) {
  struct Case {
    int tool;
    std::optional<C> pressed;
    std::optional<C> released;
  };
  const Case cases[] = {
      {0, C::BucketDown, C::Bucket},         {1, C::BrushDown, C::Brush},
      {2, C::PencilDown, C::Pencil},         {3, std::nullopt, std::nullopt},
      {4, C::StampDown, C::Stamp},           {5, C::Ak47Down, C::Ak47},
      {6, C::LaserDown, C::Laser},           {7, C::HighlighterDown, C::Highlighter},
      {8, C::PaintCanDown, C::PaintCan},     {9, C::FlameDown, C::Flame},
      {-1, std::nullopt, std::nullopt},      {10, std::nullopt, std::nullopt},
      {INT_MAX, std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tool);
    EXPECT_EQ(pressedCursorFor(c.tool), c.pressed);
    EXPECT_EQ(releasedCursorFor(c.tool), c.released);
  }
}

}  // namespace
}  // namespace torvane
