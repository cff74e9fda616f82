#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "assets/assets.h"
#include "read_le.h"

namespace torvane {
namespace {

using test::le16;
using test::le32;

struct CursorRow {
  const char* name;
  ByteView file;
  int hotX;
  int hotY;
  bool aimed;  // the hotspot lies on the drawing (the tip, the knob...), not on the empty corner
  bool hard;   // only fully opaque and fully transparent pixels
};

const CursorRow kCursors[] = {
    {"Bucket", kCursorBucket, 7, 0, true, false},
    {"Brush", kCursorBrush, 3, 3, true, false},
    {"Pencil", kCursorPencil, 0, 1, true, false},
    {"TextPen", kCursorTextPen, 0, 0, true, false},
    {"Stamp", kCursorStamp, 5, 5, true, false},
    {"Ak47", kCursorAk47, 0, 0, false, false},
    {"Laser", kCursorLaser, 0, 0, true, true},
    {"Highlighter", kCursorHighlighter, 0, 0, true, false},
    {"PaintCan", kCursorPaintCan, 6, 3, true, false},
    {"Flame", kCursorFlame, 0, 0, false, false},
    {"BucketDown", kCursorBucketDown, 4, 3, true, false},
    {"BrushDown", kCursorBrushDown, 2, 3, true, false},
    {"PencilDown", kCursorPencilDown, 0, 4, true, false},
    {"StampDown", kCursorStampDown, 9, 9, true, false},
    {"Ak47Down", kCursorAk47Down, 0, 0, false, false},
    {"LaserDown", kCursorLaserDown, 3, 3, true, true},
    {"HighlighterDown", kCursorHighlighterDown, 0, 0, true, false},
    {"PaintCanDown", kCursorPaintCanDown, 5, 3, true, false},
    {"FlameDown", kCursorFlameDown, 0, 1, false, false},
};

constexpr std::size_t kPixels = 22 + 40;
constexpr std::size_t kMask = kPixels + 32 * 32 * 4;

// Alpha of the pixel at (x, y) counted from the top-left corner.
int alphaAt(ByteView cur, int x, int y) { return cur[kPixels + ((31 - y) * 32 + x) * 4 + 3]; }

bool maskBit(ByteView cur, int x, int y) {
  return cur[kMask + (31 - y) * 4 + x / 8] & (0x80 >> (x % 8));
}

TEST(CursorAssets, EveryCursorIsA32BitCursorFileWithItsHotspotAndMatchingMask) {
  for (const CursorRow& row : kCursors) {
    SCOPED_TRACE(row.name);
    const ByteView cur = row.file;
    ASSERT_EQ(cur.size(), 4286u);
    EXPECT_EQ(le16(cur, 0), 0u);
    EXPECT_EQ(le16(cur, 2), 2u);
    EXPECT_EQ(le16(cur, 4), 1u);
    EXPECT_EQ(cur[6], 32);
    EXPECT_EQ(cur[7], 32);
    EXPECT_EQ(cur[8], 0);
    EXPECT_EQ(cur[9], 0);
    EXPECT_EQ(le16(cur, 10), static_cast<std::uint32_t>(row.hotX));
    EXPECT_EQ(le16(cur, 12), static_cast<std::uint32_t>(row.hotY));
    EXPECT_EQ(le32(cur, 14), 4264u);
    EXPECT_EQ(le32(cur, 18), 22u);
    EXPECT_EQ(le32(cur, 22), 40u);
    EXPECT_EQ(le32(cur, 26), 32u);
    EXPECT_EQ(le32(cur, 30), 64u);
    EXPECT_EQ(le16(cur, 34), 1u);
    EXPECT_EQ(le16(cur, 36), 32u);
    EXPECT_EQ(le32(cur, 38), 0u);
    EXPECT_EQ(le32(cur, 42), 4224u);

    if (row.aimed) {
      EXPECT_GE(alphaAt(cur, row.hotX, row.hotY), 128) << "hotspot off the drawing";
    } else {
      EXPECT_EQ(alphaAt(cur, row.hotX, row.hotY), 0);
    }

    std::set<int> alphas;
    int wrongMaskBits = 0;
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        alphas.insert(alphaAt(cur, x, y));
        if (maskBit(cur, x, y) != (alphaAt(cur, x, y) == 0)) ++wrongMaskBits;
      }
    }
    EXPECT_EQ(wrongMaskBits, 0);
    EXPECT_TRUE(alphas.count(0)) << "no transparent surround";
    EXPECT_TRUE(alphas.count(255)) << "nothing fully opaque";
    const bool laser =
        row.file.data() == kCursorLaser.data() || row.file.data() == kCursorLaserDown.data();
    if (laser) {
      EXPECT_EQ(alphas.size(), 2u) << "the bolt has hard edges only";
    } else {
      EXPECT_GT(alphas.size(), 8u) << "edges are not anti-aliased";
    }
  }
}

TEST(CursorAssets, PressedStampAndLaserKeepTheImageAndThePressedCrosshairDiffersInEightRingPixels) {
  const auto image = [](ByteView cur) { return cur.subspan(22); };
  EXPECT_TRUE(std::ranges::equal(image(kCursorStamp), image(kCursorStampDown)));
  EXPECT_TRUE(std::ranges::equal(image(kCursorLaser), image(kCursorLaserDown)));

  int changed = 0;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const std::size_t at = kPixels + ((31 - y) * 32 + x) * 4;
      if (std::equal(kCursorAk47.begin() + at, kCursorAk47.begin() + at + 4,
                     kCursorAk47Down.begin() + at)) {
        continue;
      }
      ++changed;
      SCOPED_TRACE(testing::Message() << "pixel " << x << "," << y);
      EXPECT_GT(alphaAt(kCursorAk47, x, y), 0) << "not on the ring";
      EXPECT_EQ(alphaAt(kCursorAk47, x, y), alphaAt(kCursorAk47Down, x, y));
    }
  }
  EXPECT_EQ(changed, 8);
  EXPECT_TRUE(
      std::equal(kCursorAk47.begin() + kMask, kCursorAk47.end(), kCursorAk47Down.begin() + kMask));
}

}  // namespace
}  // namespace torvane
