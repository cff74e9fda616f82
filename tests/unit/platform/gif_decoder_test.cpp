#include "platform/gif_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "unit/platform/test_encoders.h"

namespace torvane {
namespace {

test::GifFrame patternFrame(int left, int top, int width, int height, bool interlaced = false) {
  test::GifFrame f{left, top, width, height, interlaced, {}};
  for (int y = 0; y < height; ++y) {
    std::vector<GifPixelType> row(width);
    for (int x = 0; x < width; ++x) row[x] = static_cast<GifPixelType>((x + 2 * y) % 4);
    f.rows.push_back(row);
  }
  return f;
}

std::uint32_t patternPixel(int x, int y) { return test::kGifPixels[(x + 2 * y) % 4]; }

TEST(GifDecoderTest, DecodesTheFirstImageOfBothVersions) {
  for (bool gif89 : {false, true}) {
    for (bool interlaced : {false, true}) {
      SCOPED_TRACE(testing::Message() << "89a " << gif89 << ", interlaced " << interlaced);
      test::GifSpec spec{gif89, 7, 11, 0, true, -1, {patternFrame(0, 0, 7, 11, interlaced)}};
      const Bytes file = test::encodeGif(spec);
      ASSERT_GE(file.size(), 6u);
      EXPECT_EQ(std::string(file.begin(), file.begin() + 6), gif89 ? "GIF89a" : "GIF87a");
      const std::optional<RasterImage> image = decodeGif(file);
      ASSERT_TRUE(image);
      ASSERT_EQ(image->width, 7);
      ASSERT_EQ(image->height, 11);
      for (int y = 0; y < 11; ++y) {
        for (int x = 0; x < 7; ++x) EXPECT_EQ(image->at(x, y), patternPixel(x, y)) << x << "," << y;
      }
    }
  }
}

TEST(GifDecoderTest, OpenAndTransparentPixelsTakeTheBackgroundColour) {
  test::GifSpec spec{true, 6, 5, 3, true, 1, {patternFrame(2, 1, 3, 3)}};
  test::GifFrame second = patternFrame(0, 0, 6, 5);
  for (auto& row : second.rows) std::fill(row.begin(), row.end(), 2);
  spec.frames.push_back(second);  // only the first image counts
  const std::optional<RasterImage> image = decodeGif(test::encodeGif(spec));
  ASSERT_TRUE(image);
  ASSERT_EQ(image->width, 6);
  ASSERT_EQ(image->height, 5);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 6; ++x) {
      const bool inFrame = x >= 2 && x < 5 && y >= 1 && y < 4;
      const bool transparent = inFrame && (x - 2 + 2 * (y - 1)) % 4 == 1;
      const std::uint32_t expected =
          inFrame && !transparent ? patternPixel(x - 2, y - 1) : test::kGifPixels[3];
      EXPECT_EQ(image->at(x, y), expected) << x << "," << y;
    }
  }
}

TEST(GifDecoderTest, LocalColoursServeWithoutGlobalOnes) {
  test::GifSpec spec{true, 4, 4, 0, false, -1, {patternFrame(0, 0, 4, 4)}};
  const std::optional<RasterImage> image = decodeGif(test::encodeGif(spec));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->at(3, 2), patternPixel(3, 2));
}

TEST(GifDecoderTest, RejectsBrokenFiles) {
  const Bytes good = test::encodeGif({true, 40, 30, 0, true, -1, {patternFrame(0, 0, 40, 30)}});
  for (std::size_t length : {good.size() / 2, std::size_t{13}, std::size_t{6}, std::size_t{0}}) {
    SCOPED_TRACE(length);
    EXPECT_FALSE(decodeGif(Bytes(good.begin(), good.begin() + static_cast<long>(length))));
  }
  const Bytes noImage = test::encodeGif({true, 4, 4, 0, true, -1, {}});
  EXPECT_FALSE(decodeGif(noImage));

  Bytes hugeScreen = good;
  hugeScreen[6] = hugeScreen[7] = hugeScreen[8] = hugeScreen[9] = 0xFF;  // 65535 x 65535
  EXPECT_FALSE(decodeGif(hugeScreen));
}

}  // namespace
}  // namespace torvane
