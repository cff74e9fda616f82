#include "overlay/cursor_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "unit/overlay/test_pictures.h"

namespace torvane {
namespace {

using test::putU16;
using test::putU32;

// A one-image cursor file. `colour` rows are already in stored (bottom-up) order, `mask` likewise;
// both are appended after a 40-byte header and `palette`.
Bytes makeCursor(int entrySize, int dibWidth, int dibHeight, int bits, int hotX, int hotY,
                 const std::vector<std::uint32_t>& palette, const Bytes& colour,
                 const Bytes& mask) {
  Bytes file(22 + 40, 0);
  putU16(file, 2, 2);
  putU16(file, 4, 1);
  file[6] = static_cast<std::uint8_t>(entrySize);
  file[7] = static_cast<std::uint8_t>(entrySize);
  putU16(file, 10, static_cast<std::uint32_t>(hotX));
  putU16(file, 12, static_cast<std::uint32_t>(hotY));
  putU32(file, 18, 22);
  putU32(file, 22, 40);
  putU32(file, 26, static_cast<std::uint32_t>(dibWidth));
  putU32(file, 30, static_cast<std::uint32_t>(dibHeight * 2));
  putU16(file, 34, 1);
  putU16(file, 36, static_cast<std::uint32_t>(bits));
  for (std::uint32_t entry : palette) {
    file.resize(file.size() + 4);
    putU32(file, file.size() - 4, entry);
  }
  file.insert(file.end(), colour.begin(), colour.end());
  file.insert(file.end(), mask.begin(), mask.end());
  putU32(file, 14, static_cast<std::uint32_t>(file.size() - 22));
  return file;
}

// 32 x 32, 32 bits: alpha rises along x, colour encodes the row; AND bit set where alpha is 0.
struct AlphaCursor {
  Bytes file;
  std::vector<std::uint32_t> argb;  // top-down, as the parser returns it
};

AlphaCursor alphaCursor(bool withAlpha) {
  AlphaCursor c;
  Bytes colour, mask(32 * 4, 0);
  c.argb.resize(32 * 32);
  for (int stored = 0; stored < 32; ++stored) {
    const int y = 31 - stored;
    for (int x = 0; x < 32; ++x) {
      const std::uint8_t alpha = withAlpha ? static_cast<std::uint8_t>(x * 8) : 0;
      const std::uint8_t blue = static_cast<std::uint8_t>(y), green = 0x40, red = 0x80;
      colour.insert(colour.end(), {blue, green, red, alpha});
      const bool hidden = withAlpha ? alpha == 0 : x % 3 == 0;
      if (hidden) mask[stored * 4 + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
      const std::uint32_t shownAlpha = withAlpha ? alpha : (hidden ? 0 : 255);
      c.argb[y * 32 + x] = hidden && !withAlpha ? 0u : shownAlpha << 24 | 0x804000u | blue;
    }
  }
  c.file = makeCursor(32, 32, 32, 32, 5, 9, {}, colour, mask);
  return c;
}

TEST(CursorFileTest, ThirtyTwoBitCursorKeepsItsAlphaAndHotspot) {
  const AlphaCursor expected = alphaCursor(true);
  ASSERT_EQ(expected.file.size(), 4286u);
  const std::optional<CursorImage> cursor = parseCursorFile(expected.file);
  ASSERT_TRUE(cursor);
  EXPECT_EQ(cursor->width, 32);
  EXPECT_EQ(cursor->height, 32);
  EXPECT_EQ(cursor->hotX, 5);
  EXPECT_EQ(cursor->hotY, 9);
  EXPECT_EQ(cursor->argb, expected.argb);
}

TEST(CursorFileTest, ThirtyTwoBitCursorWithoutAlphaUsesTheMask) {
  const AlphaCursor expected = alphaCursor(false);
  const std::optional<CursorImage> cursor = parseCursorFile(expected.file);
  ASSERT_TRUE(cursor);
  EXPECT_EQ(cursor->argb, expected.argb);
}

TEST(CursorFileTest, OneBitCursorUsesPaletteAndMaskAndTakesTheEntrySize) {
  // 2 x 2 bitmap listed as 4 x 4: top row white, hidden; bottom row black, white.
  const Bytes colour = {0x40, 0, 0, 0, 0xC0, 0, 0, 0};  // stored rows: bottom (0,1), top (1,1)
  const Bytes mask = {0x00, 0, 0, 0, 0x40, 0, 0, 0};    // top-right pixel hidden
  const Bytes file = makeCursor(4, 2, 2, 1, 3, 1, {0x000000, 0xFFFFFF}, colour, mask);
  const std::optional<CursorImage> cursor = parseCursorFile(file);
  ASSERT_TRUE(cursor);
  EXPECT_EQ(cursor->width, 4);
  EXPECT_EQ(cursor->height, 4);
  EXPECT_EQ(cursor->hotX, 3);
  EXPECT_EQ(cursor->hotY, 1);
  const std::uint32_t w = 0xFFFFFFFF, k = 0xFF000000, t = 0;
  EXPECT_EQ(cursor->argb, (std::vector<std::uint32_t>{w, w, t, t,  //
                                                      w, w, t, t,  //
                                                      k, k, w, w,  //
                                                      k, k, w, w}));
}

TEST(CursorFileTest, RejectsDamagedFiles) {
  const Bytes good = alphaCursor(true).file;
  struct Case {
    std::string name;
    std::function<void(Bytes&)> damage;
  };
  const Case cases[] = {
      {"reserved not 0", [](Bytes& b) { putU16(b, 0, 1); }},
      {"icon, not cursor", [](Bytes& b) { putU16(b, 2, 1); }},
      {"no images", [](Bytes& b) { putU16(b, 4, 0); }},
      {"only the directory", [](Bytes& b) { b.resize(22); }},
      {"empty", [](Bytes& b) { b.clear(); }},
      {"image size beyond the file", [](Bytes& b) { putU32(b, 14, 4286 - 22 + 1); }},
      {"offset beyond the file", [](Bytes& b) { putU32(b, 18, 4287); }},
      {"offset at the very end", [](Bytes& b) { putU32(b, 18, 4286); }},
      {"header cut off", [](Bytes& b) { putU32(b, 18, 4286 - 30); }},
      {"header size too small", [](Bytes& b) { putU32(b, 22, 12); }},
      {"header size beyond the file", [](Bytes& b) { putU32(b, 22, 0x7FFFFFF0); }},
      {"odd double height", [](Bytes& b) { putU32(b, 30, 63); }},
      {"zero width", [](Bytes& b) { putU32(b, 26, 0); }},
      {"negative height", [](Bytes& b) { putU32(b, 30, 0xFFFFFFC0); }},
      {"huge bitmap", [](Bytes& b) { putU32(b, 26, 30000), putU32(b, 30, 60000); }},
      {"16 bits", [](Bytes& b) { putU16(b, 36, 16); }},
      {"compressed", [](Bytes& b) { putU32(b, 38, 3); }},
      {"colour rows cut off",
       [](Bytes& b) {
         b.resize(22 + 40 + 4000);
         putU32(b, 14, 4000);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes file = good;
    c.damage(file);
    EXPECT_FALSE(parseCursorFile(file));
  }
}

TEST(CursorFileTest, MaskIsNeededOnlyWhenItIsUsed) {
  Bytes withAlpha = alphaCursor(true).file;
  withAlpha.resize(withAlpha.size() - 128);
  putU32(withAlpha, 14, static_cast<std::uint32_t>(withAlpha.size() - 22));
  EXPECT_TRUE(parseCursorFile(withAlpha));

  Bytes withoutAlpha = alphaCursor(false).file;
  withoutAlpha.resize(withoutAlpha.size() - 1);
  putU32(withoutAlpha, 14, static_cast<std::uint32_t>(withoutAlpha.size() - 22));
  EXPECT_FALSE(parseCursorFile(withoutAlpha));
}

}  // namespace
}  // namespace torvane
