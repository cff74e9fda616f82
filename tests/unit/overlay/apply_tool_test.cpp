#include "overlay/apply_tool.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace torvane {
namespace {

// Records every write as text, so a case states the exact sequence it expects.
class RecordingTarget : public ToolTarget {
 public:
  std::vector<std::string> writes;

  void setCursor(CursorAsset cursor) override {
    writes.push_back("cursor " + std::to_string(static_cast<int>(cursor)));
  }
  void setPen(int width, Colour colour, int mode) override {
    writes.push_back("pen " + std::to_string(width) + " " + std::to_string(colour) + " " +
                     std::to_string(mode));
  }
  void loadNoEntryStamp() override { writes.push_back("stamp no-entry"); }
};

std::string cursor(CursorAsset c) { return "cursor " + std::to_string(static_cast<int>(c)); }

TEST(ApplyTool, WritesEachToolsRowInOrder) {
  using C = CursorAsset;
  struct Case {
    int tool;
    std::vector<std::string> writes;
  };
  const Case cases[] = {
      {0, {cursor(C::Bucket)}},
      {1, {cursor(C::Brush), "pen 15 0 12"}},
      {2, {cursor(C::Pencil), "pen 1 0 12"}},
      {3, {cursor(C::TextPen)}},
      {4, {cursor(C::Stamp), "stamp no-entry"}},
      {5, {cursor(C::Ak47)}},
      {6, {cursor(C::Laser)}},
      {7, {cursor(C::Highlighter), "pen 5 16711680 14"}},  // blue 0xFF0000, merged
      {8, {cursor(C::PaintCan), "pen 80 0 12"}},
      {9, {cursor(C::Flame)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tool);
    RecordingTarget target;
    applyTool(c.tool, target);
    EXPECT_EQ(target.writes, c.writes);
  }
}

TEST(ApplyTool, ValueOutsideTheToolsChangesNothing) {
  for (int tool : {-1, 10, 11, INT_MIN, INT_MAX}) {
    RecordingTarget target;
    applyTool(tool, target);
    EXPECT_TRUE(target.writes.empty()) << tool;
  }
}

}  // namespace
}  // namespace torvane
