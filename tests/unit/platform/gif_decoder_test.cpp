#include "platform/gif_decoder.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <vector>

namespace torvane {
namespace {

constexpr GifColorType kColours[4] = {{0, 0, 0}, {255, 0, 0}, {0, 128, 255}, {255, 255, 255}};
constexpr std::uint32_t kPixels[4] = {0xFF000000, 0xFFFF0000, 0xFF0080FF, 0xFFFFFFFF};

struct Frame {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool interlaced = false;
  std::vector<std::vector<GifPixelType>> rows;  // top-down
};

struct GifSpec {
  bool gif89 = true;
  int screenWidth = 0;
  int screenHeight = 0;
  int background = 0;
  bool globalColours = true;
  int transparent = -1;
  std::vector<Frame> frames;
};

int appendToBytes(GifFileType* gif, const GifByteType* data, int count) {
  auto* out = static_cast<Bytes*>(gif->UserData);
  out->insert(out->end(), data, data + count);
  return count;
}

// Writes the file with giflib's encoder; interlaced frames are handed over in pass order.
Bytes encode(const GifSpec& spec) {
  Bytes out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, appendToBytes, &error);
  EGifSetGifVersion(gif, spec.gif89);
  ColorMapObject* colours = GifMakeMapObject(4, kColours);
  EGifPutScreenDesc(gif, spec.screenWidth, spec.screenHeight, 8, spec.background,
                    spec.globalColours ? colours : nullptr);
  for (const Frame& f : spec.frames) {
    if (spec.transparent >= 0) {
      GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, spec.transparent};
      GifByteType extension[4];
      EGifGCBToExtension(&control, extension);
      EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension);
    }
    EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, f.interlaced,
                     spec.globalColours ? nullptr : colours);
    std::vector<int> order;
    if (f.interlaced) {
      for (int start : {0, 4, 2, 1}) {
        for (int y = start; y < f.height; y += start == 0 ? 8 : start * 2) order.push_back(y);
      }
    } else {
      for (int y = 0; y < f.height; ++y) order.push_back(y);
    }
    for (int y : order) {
      std::vector<GifPixelType> row = f.rows[y];
      EGifPutLine(gif, row.data(), f.width);
    }
  }
  EGifCloseFile(gif, &error);
  GifFreeMapObject(colours);
  return out;
}

Frame patternFrame(int left, int top, int width, int height, bool interlaced = false) {
  Frame f{left, top, width, height, interlaced, {}};
  for (int y = 0; y < height; ++y) {
    std::vector<GifPixelType> row(width);
    for (int x = 0; x < width; ++x) row[x] = static_cast<GifPixelType>((x + 2 * y) % 4);
    f.rows.push_back(row);
  }
  return f;
}

std::uint32_t patternPixel(int x, int y) { return kPixels[(x + 2 * y) % 4]; }

TEST(GifDecoderTest, DecodesTheFirstImageOfBothVersions) {
  for (bool gif89 : {false, true}) {
    for (bool interlaced : {false, true}) {
      SCOPED_TRACE(testing::Message() << "89a " << gif89 << ", interlaced " << interlaced);
      GifSpec spec{gif89, 7, 11, 0, true, -1, {patternFrame(0, 0, 7, 11, interlaced)}};
      const Bytes file = encode(spec);
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
  GifSpec spec{true, 6, 5, 3, true, 1, {patternFrame(2, 1, 3, 3)}};
  Frame second = patternFrame(0, 0, 6, 5);
  for (auto& row : second.rows) std::fill(row.begin(), row.end(), 2);
  spec.frames.push_back(second);  // only the first image counts
  const std::optional<RasterImage> image = decodeGif(encode(spec));
  ASSERT_TRUE(image);
  ASSERT_EQ(image->width, 6);
  ASSERT_EQ(image->height, 5);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 6; ++x) {
      const bool inFrame = x >= 2 && x < 5 && y >= 1 && y < 4;
      const bool transparent = inFrame && (x - 2 + 2 * (y - 1)) % 4 == 1;
      const std::uint32_t expected =
          inFrame && !transparent ? patternPixel(x - 2, y - 1) : kPixels[3];
      EXPECT_EQ(image->at(x, y), expected) << x << "," << y;
    }
  }
}

TEST(GifDecoderTest, LocalColoursServeWithoutGlobalOnes) {
  GifSpec spec{true, 4, 4, 0, false, -1, {patternFrame(0, 0, 4, 4)}};
  const std::optional<RasterImage> image = decodeGif(encode(spec));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->at(3, 2), patternPixel(3, 2));
}

TEST(GifDecoderTest, RejectsBrokenFiles) {
  const Bytes good = encode({true, 40, 30, 0, true, -1, {patternFrame(0, 0, 40, 30)}});
  for (std::size_t length : {good.size() / 2, std::size_t{13}, std::size_t{6}, std::size_t{0}}) {
    SCOPED_TRACE(length);
    EXPECT_FALSE(decodeGif(Bytes(good.begin(), good.begin() + static_cast<long>(length))));
  }
  const Bytes noImage = encode({true, 4, 4, 0, true, -1, {}});
  EXPECT_FALSE(decodeGif(noImage));

  Bytes hugeScreen = good;
  hugeScreen[6] = hugeScreen[7] = hugeScreen[8] = hugeScreen[9] = 0xFF;  // 65535 x 65535
  EXPECT_FALSE(decodeGif(hugeScreen));
}

}  // namespace
}  // namespace torvane
