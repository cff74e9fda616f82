#include "assets/toolbar_image.h"

#include <gtest/gtest.h>

#include "app/bytes.h"

namespace torvane {
namespace {

void put32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A 2 x 2 entry: top row red and (masked) green, bottom row blue and black.
Bytes smallEntry() {
  Bytes b(40 + 16 + 8, 0);
  put32(b, 0, 40);
  put32(b, 4, 2);
  put32(b, 8, 4);
  b[12] = 1;
  b[14] = 32;
  const std::uint8_t pixels[] = {0xFF, 0, 0,    0, 0, 0,    0, 0,   // bottom: blue, black
                                 0,    0, 0xFF, 0, 0, 0xFF, 0, 0};  // top: red, green
  std::copy(std::begin(pixels), std::end(pixels), b.begin() + 40);
  b[40 + 16 + 4] = 0x40;  // top row's mask: second pixel transparent
  return b;
}

TEST(ToolbarImagePixels, DecodesBottomUpPixelsAndTurnsMaskedPixelsWhite) {
  const RasterImage image = toolbarImagePixels(smallEntry());
  ASSERT_EQ(image.width, 2);
  ASSERT_EQ(image.height, 2);
  EXPECT_EQ(image.at(0, 0), 0xFFFF0000u);
  EXPECT_EQ(image.at(1, 0), 0xFFFFFFFFu);
  EXPECT_EQ(image.at(0, 1), 0xFF0000FFu);
  EXPECT_EQ(image.at(1, 1), 0xFF000000u);
}

TEST(ToolbarImagePixels, MalformedEntriesGiveAnEmptyImage) {
  const auto with = [](std::size_t at, std::uint32_t v) {
    Bytes b = smallEntry();
    put32(b, at, v);
    return b;
  };
  Bytes truncated = smallEntry();
  truncated.pop_back();
  Bytes sixteenBits = smallEntry();
  sixteenBits[14] = 16;
  const Bytes cases[] = {
      {},
      Bytes(39, 0),
      truncated,
      sixteenBits,
      with(0, 124),          // another header size
      with(8, 3),            // odd height cannot hold image and mask
      with(4, 0x80000000u),  // negative width
      with(8, 0xFFFFFFFCu),  // negative height
      with(4, 100000),       // huge width, bytes missing
      with(16, 3),           // compressed
  };
  for (const Bytes& dib : cases) {
    EXPECT_TRUE(toolbarImagePixels(dib).pixels.empty()) << "size " << dib.size();
  }
}

}  // namespace
}  // namespace torvane
