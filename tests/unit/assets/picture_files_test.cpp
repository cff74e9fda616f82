#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "assets/assets.h"
#include "read_le.h"

namespace torvane {
namespace {

using test::le16;
using test::le32;

constexpr std::uint32_t kMagenta = 0xFF00FF;

struct PictureRow {
  const char* name;
  ByteView file;
  int side;
  std::size_t fileSize;
  std::set<std::uint32_t> onlyColours;  // 0xRRGGBB; empty when the motif's colours are free
};

const PictureRow kPictures[] = {
    {"NoEntry", kStampNoEntry, 50, 7654, {kMagenta, 0xE00000}},
    {"Smiley", kStampSmiley, 50, 7654, {}},
    {"Skull", kStampSkull, 50, 7654, {}},
    {"Flower", kStampFlower, 50, 7654, {}},
    {"BulletHole", kBulletHole, 20, 1254, {kMagenta, 0x000000}},
    {"ScorchHole", kScorchHole, 100, 30054, {}},
    {"SootPatch", kSootPatch, 100, 30054, {}},
};

std::uint32_t pixelAt(ByteView bmp, int side, int x, int y) {
  const int stride = (side * 3 + 3) / 4 * 4;
  const std::size_t at = 54 + static_cast<std::size_t>(side - 1 - y) * stride + x * 3;
  return bmp[at + 2] << 16 | bmp[at + 1] << 8 | bmp[at];
}

// A colour so close to magenta that a keyed blit would leave a pinkish fringe.
bool nearMagenta(std::uint32_t c) {
  return c != kMagenta &&
         std::abs(int(c >> 16) - 255) + int(c >> 8 & 255) + std::abs(int(c & 255) - 255) <= 96;
}

TEST(PictureAssets, EveryPictureIsA24BitBmpOnExactMagentaWithAFewFlatColours) {
  for (const PictureRow& row : kPictures) {
    SCOPED_TRACE(row.name);
    const ByteView bmp = row.file;
    ASSERT_EQ(bmp.size(), row.fileSize);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(le32(bmp, 2), row.fileSize);
    EXPECT_EQ(le32(bmp, 10), 54u);
    EXPECT_EQ(le32(bmp, 14), 40u);
    EXPECT_EQ(le32(bmp, 18), static_cast<std::uint32_t>(row.side));
    EXPECT_EQ(le32(bmp, 22), static_cast<std::uint32_t>(row.side));
    EXPECT_EQ(le16(bmp, 26), 1u);
    EXPECT_EQ(le16(bmp, 28), 24u);
    EXPECT_EQ(le32(bmp, 30), 0u);
    EXPECT_EQ(le32(bmp, 34), row.fileSize - 54);

    const int last = row.side - 1;
    for (auto [x, y] : {std::pair{0, 0}, {last, 0}, {0, last}, {last, last}}) {
      EXPECT_EQ(pixelAt(bmp, row.side, x, y), kMagenta) << "corner " << x << "," << y;
    }
    std::set<std::uint32_t> colours;
    int motifPixels = 0;
    for (int y = 0; y < row.side; ++y) {
      for (int x = 0; x < row.side; ++x) {
        const std::uint32_t c = pixelAt(bmp, row.side, x, y);
        colours.insert(c);
        if (c != kMagenta) ++motifPixels;
        EXPECT_FALSE(nearMagenta(c)) << std::hex << c << " at " << std::dec << x << "," << y;
      }
    }
    EXPECT_TRUE(colours.count(kMagenta));
    EXPECT_GE(colours.size(), 2u);
    EXPECT_LE(colours.size(), 10u);
    EXPECT_GT(motifPixels, row.side * row.side / 10) << "the motif is nearly empty";
    if (!row.onlyColours.empty()) {
      EXPECT_EQ(colours, row.onlyColours);
    }
  }
}

TEST(PictureAssets, PromotionPenguinIsA21By20Gif89a) {
  const ByteView gif = kPromoPenguin;
  ASSERT_GT(gif.size(), 13u);
  EXPECT_EQ(std::string(gif.begin(), gif.begin() + 6), "GIF89a");
  EXPECT_EQ(le16(gif, 6), 21u);
  EXPECT_EQ(le16(gif, 8), 20u);
  EXPECT_EQ(gif.back(), 0x3B);
}

}  // namespace
}  // namespace torvane
