#include "overlay/mix_mode.h"

#include <gtest/gtest.h>

#include <vector>

namespace torvane {
namespace {

struct ModeRow {
  int mode;
  std::uint32_t first;   // pen 0xF0CC00 over 0x3C5AFF
  std::uint32_t second;  // pen 0x000000 over 0x123456
};

constexpr ModeRow kModes[] = {
    {0, 0xFF000000, 0xFF000000},  {1, 0xFF032100, 0xFFEDCBA9},  {2, 0xFF0C12FF, 0xFF123456},
    {3, 0xFF0F33FF, 0xFFFFFFFF},  {4, 0xFFC08400, 0xFF000000},  {5, 0xFFC3A500, 0xFFEDCBA9},
    {6, 0xFFCC96FF, 0xFF123456},  {7, 0xFFCFB7FF, 0xFFFFFFFF},  {8, 0xFF304800, 0xFF000000},
    {9, 0xFF336900, 0xFFEDCBA9},  {10, 0xFF3C5AFF, 0xFF123456}, {11, 0xFF3F7BFF, 0xFFFFFFFF},
    {12, 0xFFF0CC00, 0xFF000000}, {13, 0xFFF3ED00, 0xFFEDCBA9}, {14, 0xFFFCDEFF, 0xFF123456},
    {15, 0xFFFFFFFF, 0xFFFFFFFF},
};

// The span path is what drawLine uses; the per-pixel rule is the reference it must agree with.
TEST(MixModeTest, EverySpanAndPixelFollowsTheModeTable) {
  for (const ModeRow& row : kModes) {
    SCOPED_TRACE(row.mode);
    const MixMode mode = clampMixMode(row.mode);
    EXPECT_EQ(mixPixel(mode, 0xFFF0CC00, 0xFF3C5AFF), row.first);
    EXPECT_EQ(mixPixel(mode, 0xFF000000, 0xFF123456), row.second);

    std::vector<std::uint32_t> span(37, 0xFF3C5AFF);
    mixSpan(spanMixFor(mode, 0xFFF0CC00), span.data(), static_cast<int>(span.size()));
    EXPECT_EQ(span, std::vector<std::uint32_t>(37, row.first));
    span.assign(5, 0xFF123456);
    mixSpan(spanMixFor(mode, 0xFF000000), span.data(), 3);
    EXPECT_EQ(span, (std::vector<std::uint32_t>{row.second, row.second, row.second, 0xFF123456,
                                                0xFF123456}));
  }
}

TEST(MixModeTest, ValuesOutsideTheRangeClampToTheNearestEnd) {
  EXPECT_EQ(clampMixMode(-7), MixMode::kBlack);
  EXPECT_EQ(clampMixMode(16), MixMode::kWhite);
  EXPECT_EQ(clampMixMode(1 << 30), MixMode::kWhite);
  EXPECT_EQ(clampMixMode(12), MixMode::kCopyPen);
}

}  // namespace
}  // namespace torvane
