#include <gtest/gtest.h>

#include <bit>

#include "assets/assets.h"
#include "assets/toolbar_image.h"
#include "read_le.h"

namespace torvane {
namespace {

using test::le16;
using test::le32;

struct ToolbarRow {
  const char* name;
  ByteView file;
  bool opaque;            // carries its own white background
  ByteView sameAsCursor;  // drawn exactly like this cursor, or empty
};

const ToolbarRow kImages[] = {
    {"Pencil", kToolbarPencil, false, {}},
    {"Brush", kToolbarBrush, false, {}},
    {"PaintCan", kToolbarPaintCan, false, kCursorPaintCan},
    {"Highlighter", kToolbarHighlighter, false, {}},
    {"TextPen", kToolbarTextPen, true, kCursorTextPen},
    {"Stamp", kToolbarStamp, false, kCursorStamp},
    {"Ak47", kToolbarAk47, false, kCursorAk47},
    {"Flame", kToolbarFlame, true, {}},
    {"Laser", kToolbarLaser, true, kCursorLaser},
    {"Bucket", kToolbarBucket, false, {}},
    {"Camera", kToolbarCamera, false, {}},
    {"Exit", kToolbarExit, false, {}},
};

int countTransparent(ByteView dib) {
  int n = 0;
  for (std::size_t i = 40 + 4096; i < dib.size(); ++i) n += std::popcount(dib[i]);
  return n;
}

TEST(ToolbarAssets, EveryImageIsA32By32ListEntryWithZeroAlphaOnWhite) {
  for (const ToolbarRow& row : kImages) {
    SCOPED_TRACE(row.name);
    const ByteView dib = row.file;
    ASSERT_EQ(dib.size(), 4264u);
    EXPECT_EQ(le32(dib, 0), 40u);
    EXPECT_EQ(le32(dib, 4), 32u);
    EXPECT_EQ(le32(dib, 8), 64u);
    EXPECT_EQ(le16(dib, 12), 1u);
    EXPECT_EQ(le16(dib, 14), 32u);
    EXPECT_EQ(le32(dib, 16), 0u);
    EXPECT_EQ(le32(dib, 20), 4224u);
    for (std::size_t at = 40 + 3; at < 40 + 4096; at += 4)
      ASSERT_EQ(dib[at], 0) << "alpha at " << at;

    const int transparent = countTransparent(dib);
    if (row.opaque) {
      EXPECT_EQ(transparent, 0);
    } else {
      EXPECT_GT(transparent, 0);
    }
    EXPECT_LT(transparent, 32 * 32 * 9 / 10) << "hardly anything drawn";

    const RasterImage image = toolbarImagePixels(dib);
    ASSERT_EQ(image.width, 32);
    ASSERT_EQ(image.height, 32);
    if (row.sameAsCursor.empty()) continue;
    // Wherever the cursor is fully opaque, the button shows the same colour in the same place.
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        const std::size_t at = 22 + 40 + ((31 - y) * 32 + x) * 4;
        const ByteView bgra = row.sameAsCursor.subspan(at, 4);
        if (bgra[3] != 255) continue;
        EXPECT_EQ(image.at(x, y), 0xFF000000u | bgra[2] << 16 | bgra[1] << 8 | bgra[0])
            << "pixel " << x << "," << y;
      }
    }
  }
}

}  // namespace
}  // namespace torvane
