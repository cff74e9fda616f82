#include "overlay/line_raster.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <set>
#include <utility>
#include <vector>

namespace torvane {
namespace {

using Pixel = std::pair<int, int>;  // x, y

// Every pixel of the spans; a pixel that appears twice would be mixed twice.
std::multiset<Pixel> pixelsOf(const std::vector<Span>& spans) {
  std::multiset<Pixel> pixels;
  for (const Span& s : spans) {
    for (int x = s.left; x < s.right; ++x) pixels.insert({x, s.y});
  }
  return pixels;
}

// Brute force: 4 * squared distance to the segment <= width^2, in exact integers.
bool withinHalfWidth(std::int64_t px, std::int64_t py, std::int64_t ax, std::int64_t ay,
                     std::int64_t bx, std::int64_t by, std::int64_t width) {
  const std::int64_t dx = bx - ax, dy = by - ay;
  const std::int64_t ux = px - ax, uy = py - ay;
  const std::int64_t length2 = dx * dx + dy * dy;
  const std::int64_t dot = ux * dx + uy * dy;
  if (length2 == 0 || dot <= 0) return 4 * (ux * ux + uy * uy) <= width * width;
  if (dot >= length2) {
    const std::int64_t vx = px - bx, vy = py - by;
    return 4 * (vx * vx + vy * vy) <= width * width;
  }
  const std::int64_t cross = ux * dy - uy * dx;
  return 4 * cross * cross <= width * width * length2;
}

struct WideCase {
  int x1, y1, x2, y2, width;
};

TEST(LineRasterTest, WideLineCoversExactlyThePixelsWithinHalfTheWidth) {
  constexpr int kW = 40, kH = 30;
  const WideCase cases[] = {
      {10, 10, 10, 10, 2},   {10, 10, 10, 10, 5},    {12, 9, 12, 9, 16},   {3, 5, 30, 5, 2},
      {3, 5, 30, 5, 3},      {5, 3, 5, 25, 4},       {4, 4, 24, 24, 7},    {24, 4, 4, 24, 8},
      {17, 1, 20, 28, 5},    {20, 28, 17, 1, 6},     {2, 12, 37, 17, 15},  {-10, -3, 12, 9, 9},
      {-30, 40, 50, -20, 6}, {35, 20, 60, 33, 11},   {-5, 15, -5, 15, 13}, {30, -6, 8, 40, 3},
      {0, 0, 39, 29, 80},    {-100, 10, 100, 12, 2},
  };
  for (const WideCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "(" << c.x1 << "," << c.y1 << ")-(" << c.x2 << "," << c.y2
                                    << ") width " << c.width);
    std::vector<Span> spans;
    appendWideLineSpans(c.x1, c.y1, c.x2, c.y2, c.width, kW, kH, spans);
    std::multiset<Pixel> expected;
    for (int y = 0; y < kH; ++y) {
      for (int x = 0; x < kW; ++x) {
        if (withinHalfWidth(x, y, c.x1, c.y1, c.x2, c.y2, c.width)) expected.insert({x, y});
      }
    }
    EXPECT_EQ(pixelsOf(spans), expected);
  }
}

TEST(LineRasterTest, ThinLineIncludesTheStartAndStopsBeforeTheEnd) {
  struct Case {
    int x1, y1, x2, y2;
    std::multiset<Pixel> pixels;
  };
  const Case cases[] = {
      {10, 10, 14, 10, {{10, 10}, {11, 10}, {12, 10}, {13, 10}}},
      {14, 10, 10, 10, {{14, 10}, {13, 10}, {12, 10}, {11, 10}}},
      {2, 2, 2, 5, {{2, 2}, {2, 3}, {2, 4}}},
      {0, 0, 3, 3, {{0, 0}, {1, 1}, {2, 2}}},
      {0, 0, 4, 2, {{0, 0}, {1, 1}, {2, 1}, {3, 2}}},
      {0, -1, 2, -5, {}},  // wholly above the canvas
      {5, 5, 5, 5, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "(" << c.x1 << "," << c.y1 << ")-(" << c.x2 << "," << c.y2 << ")");
    std::vector<Span> spans;
    appendThinLineSpans(c.x1, c.y1, c.x2, c.y2, 20, 20, spans);
    EXPECT_EQ(pixelsOf(spans), c.pixels);
  }
}

// Clipping must not move the line: what is drawn on a small canvas is the part of the same line
// drawn on a large canvas (shifted so it lies wholly inside) that falls in the small one.
TEST(LineRasterTest, ClippedThinLineIsThePartOfTheWholeLine) {
  const WideCase cases[] = {{-37, -5, 44, 29, 0},
                            {50, -20, -13, 31, 0},
                            {-8, 33, 27, -40, 0},
                            {3, -100, 17, 100, 0},
                            {45, 7, -90, 12, 0}};
  constexpr int kShift = 200;
  for (const WideCase& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "(" << c.x1 << "," << c.y1 << ")-(" << c.x2 << "," << c.y2 << ")");
    std::vector<Span> clipped, whole;
    appendThinLineSpans(c.x1, c.y1, c.x2, c.y2, 30, 20, clipped);
    appendThinLineSpans(c.x1 + kShift, c.y1 + kShift, c.x2 + kShift, c.y2 + kShift, 1000, 1000,
                        whole);
    std::multiset<Pixel> expected;
    for (const auto& [x, y] : pixelsOf(whole)) {
      if (x - kShift >= 0 && x - kShift < 30 && y - kShift >= 0 && y - kShift < 20) {
        expected.insert({x - kShift, y - kShift});
      }
    }
    EXPECT_EQ(pixelsOf(clipped), expected);
  }
}

TEST(LineRasterTest, ExtremeCoordinatesStayBoundedAndInsideTheClip) {
  std::vector<Span> spans;
  appendWideLineSpans(INT_MIN, 5, INT_MAX, 5, 6, 64, 48, spans);
  ASSERT_EQ(spans.size(), 7u);  // rows 2 to 8
  for (const Span& s : spans) {
    EXPECT_EQ(s.left, 0);
    EXPECT_EQ(s.right, 64);
  }
  spans.clear();
  appendThinLineSpans(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 64, 48, spans);
  EXPECT_EQ(pixelsOf(spans).count({10, 10}), 1u);
  for (const Span& s : spans) {
    EXPECT_TRUE(s.left >= 0 && s.right <= 64 && s.y >= 0 && s.y < 48);
  }
}

}  // namespace
}  // namespace torvane
