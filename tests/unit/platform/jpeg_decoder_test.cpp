#include "platform/jpeg_decoder.h"

#include <gtest/gtest.h>

#include "unit/platform/test_encoders.h"

namespace torvane {
namespace {

void expectNear(std::uint32_t pixel, std::uint32_t expected) {
  EXPECT_EQ(pixel >> 24, 0xFFu);
  for (int shift : {0, 8, 16}) {
    const int got = static_cast<int>(pixel >> shift & 0xFF);
    const int want = static_cast<int>(expected >> shift & 0xFF);
    EXPECT_NEAR(got, want, 10) << std::hex << pixel << " vs " << expected;
  }
}

TEST(JpegDecoderTest, DecodesColourAndGreyscale) {
  for (bool progressive : {false, true}) {
    SCOPED_TRACE(progressive ? "progressive" : "baseline");
    const std::optional<RasterImage> colour = decodeJpeg(test::makeJpeg(3, progressive));
    ASSERT_TRUE(colour);
    EXPECT_EQ(colour->width, 64);
    EXPECT_EQ(colour->height, 16);
    expectNear(colour->at(8, 4), 0xFFFF0000);
    expectNear(colour->at(24, 12), 0xFF00FF00);
    expectNear(colour->at(40, 4), 0xFF0000FF);
    expectNear(colour->at(56, 12), 0xFFFFFFFF);

    const std::optional<RasterImage> grey = decodeJpeg(test::makeJpeg(1, progressive));
    ASSERT_TRUE(grey);
    EXPECT_EQ(grey->at(4, 8), 0xFF202020u);
    EXPECT_EQ(grey->at(50, 3), 0xFFC0C0C0u);
  }
}

// Offset of the frame header's height field (SOF0 or SOF2 marker, then length and precision).
std::size_t frameSizeOffset(const Bytes& file) {
  for (std::size_t i = 2; i + 1 < file.size(); ++i) {
    if (file[i] == 0xFF && (file[i + 1] == 0xC0 || file[i + 1] == 0xC2)) return i + 5;
  }
  return 0;
}

TEST(JpegDecoderTest, RejectsBrokenFiles) {
  for (bool progressive : {false, true}) {
    SCOPED_TRACE(progressive ? "progressive" : "baseline");
    const Bytes good = test::makeJpeg(3, progressive);

    Bytes truncated(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() * 2 / 3));
    EXPECT_FALSE(decodeJpeg(truncated));

    // Claims 60000 x 60000: beyond the limits, rejected before anything is allocated.
    Bytes huge = good;
    const std::size_t at = frameSizeOffset(huge);
    ASSERT_NE(at, 0u);
    huge[at] = huge[at + 2] = 0xEA;
    huge[at + 1] = huge[at + 3] = 0x60;
    EXPECT_FALSE(decodeJpeg(huge));

    // Claims 8000 x 8000 with a few hundred bytes of data: runs out of data and fails.
    Bytes large = good;
    large[at] = large[at + 2] = 0x1F;
    large[at + 1] = large[at + 3] = 0x40;
    EXPECT_FALSE(decodeJpeg(large));
  }
  const Bytes headerOnly = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F'};
  EXPECT_FALSE(decodeJpeg(headerOnly));
  EXPECT_FALSE(decodeJpeg({}));
}

}  // namespace
}  // namespace torvane
