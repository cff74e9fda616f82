#include "platform/jpeg_decoder.h"

#include <gtest/gtest.h>
#include <jpeglib.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace torvane {
namespace {

// A 64 x 16 JPEG made with libjpeg's compressor: with three components, flat stripes of red,
// green, blue and white, each 16 pixels wide (one subsampled colour block); with one component,
// grey levels 0x20 and 0xC0 in the left and right halves.
Bytes compress(int components, bool progressive) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = 64;
  info.image_height = 16;
  info.input_components = components;
  info.in_color_space = components == 3 ? JCS_RGB : JCS_GRAYSCALE;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  if (progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  const unsigned char stripes[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
  std::vector<unsigned char> row(64 * components);
  for (int x = 0; x < 64; ++x) {
    for (int k = 0; k < components; ++k) {
      row[x * components + k] = components == 3 ? stripes[x / 16][k] : (x < 32 ? 0x20 : 0xC0);
    }
  }
  while (info.next_scanline < info.image_height) {
    JSAMPROW p = row.data();
    jpeg_write_scanlines(&info, &p, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  Bytes file(buffer, buffer + size);
  std::free(buffer);
  return file;
}

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
    const std::optional<RasterImage> colour = decodeJpeg(compress(3, progressive));
    ASSERT_TRUE(colour);
    EXPECT_EQ(colour->width, 64);
    EXPECT_EQ(colour->height, 16);
    expectNear(colour->at(8, 4), 0xFFFF0000);
    expectNear(colour->at(24, 12), 0xFF00FF00);
    expectNear(colour->at(40, 4), 0xFF0000FF);
    expectNear(colour->at(56, 12), 0xFFFFFFFF);

    const std::optional<RasterImage> grey = decodeJpeg(compress(1, progressive));
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
    const Bytes good = compress(3, progressive);

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
