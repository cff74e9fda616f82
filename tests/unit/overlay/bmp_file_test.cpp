#include "overlay/bmp_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "unit/overlay/test_pictures.h"

namespace torvane {
namespace {

// An 11 x 3 picture (odd width, so every depth has row padding) with `colours` distinct colours.
RasterImage pattern(int colours) {
  RasterImage image(11, 3);
  const std::uint32_t palette[] = {0xFF102030, 0xFFFFFFFF, 0xFF00FF00, 0xFF804020, 0xFF0000FF};
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 11; ++x) image.row(y)[x] = palette[(x * 7 + y * 3) % colours];
  }
  return image;
}

TEST(BmpFileTest, DecodesEveryUncompressedDepthInBothRowOrders) {
  struct Case {
    int bits;
    int colours;
  };
  for (const Case c : {Case{1, 2}, Case{4, 5}, Case{8, 5}, Case{24, 5}, Case{32, 5}}) {
    for (bool topDown : {false, true}) {
      SCOPED_TRACE(testing::Message() << c.bits << " bits, top-down " << topDown);
      const RasterImage expected = pattern(c.colours);
      const std::optional<RasterImage> decoded =
          decodeBmp(test::makeBmp(expected, c.bits, topDown));
      ASSERT_TRUE(decoded);
      EXPECT_EQ(decoded->width, 11);
      EXPECT_EQ(decoded->height, 3);
      EXPECT_EQ(decoded->pixels, expected.pixels);
    }
  }
}

TEST(BmpFileTest, DecodesTheOldCoreHeader) {
  // 2 x 2, 8 bits, three-byte palette entries.
  Bytes file = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 12, 0, 0, 0, 2, 0, 2, 0, 1, 0, 8, 0};
  file.resize(26 + 256 * 3, 0);
  file[26 + 3] = 0x11, file[26 + 4] = 0x22, file[26 + 5] = 0x33;  // entry 1
  test::putU32(file, 10, static_cast<std::uint32_t>(file.size()));
  for (std::uint8_t b : {0, 1, 0, 0, 1, 1, 0, 0}) file.push_back(b);  // bottom row, then top row
  const std::optional<RasterImage> decoded = decodeBmp(file);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->pixels,
            (std::vector<std::uint32_t>{0xFF332211, 0xFF332211, 0xFF000000, 0xFF332211}));
}

TEST(BmpFileTest, IndexBeyondAShortPaletteReadsBlack) {
  Bytes file = test::makeBmp(pattern(2), 8);
  file[54 + 8] = 7;  // first stored pixel points past the two-entry palette
  const std::optional<RasterImage> decoded = decodeBmp(file);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->at(0, 2), 0xFF000000u);
}

TEST(BmpFileTest, RejectsWhatItCannotOrMustNotRead) {
  const Bytes good = test::makeBmp(pattern(5), 24);
  const Bytes good8 = test::makeBmp(pattern(5), 8);
  struct Case {
    std::string name;
    std::function<void(Bytes&)> damage;
    const Bytes* start;
  };
  const Case cases[] = {
      {"RLE8", [](Bytes& b) { test::putU32(b, 30, 1); }, &good8},
      {"RLE4", [](Bytes& b) { test::putU32(b, 30, 2); }, &good8},
      {"bit fields", [](Bytes& b) { test::putU32(b, 30, 3); }, &good},
      {"16 bits", [](Bytes& b) { test::putU16(b, 28, 16); }, &good},
      {"two planes", [](Bytes& b) { test::putU16(b, 26, 2); }, &good},
      {"wrong magic", [](Bytes& b) { b[1] = 'N'; }, &good},
      {"one byte short", [](Bytes& b) { b.pop_back(); }, &good},
      {"huge, little data",
       [](Bytes& b) {
         test::putU32(b, 18, 100000);
         test::putU32(b, 22, 100000);
       },
       &good},
      {"huge 1-bit, little data",
       [](Bytes& b) {
         test::putU16(b, 28, 1);
         test::putU32(b, 18, 30000);
         test::putU32(b, 22, 30000);
       },
       &good8},
      // The next two hold all their pixel data: only the size limits reject them.
      {"wider than 32768",
       [](Bytes& b) {
         test::putU16(b, 28, 1);
         test::putU32(b, 18, 32769);
         test::putU32(b, 22, 1);
         b.resize(74 + 4100);
       },
       &good8},
      {"more than 64 Mi pixels",
       [](Bytes& b) {
         test::putU16(b, 28, 1);
         test::putU32(b, 18, 16384);
         test::putU32(b, 22, 4097);
         b.resize(74 + 2048 * 4097);
       },
       &good8},
      {"zero width", [](Bytes& b) { test::putU32(b, 18, 0); }, &good},
      {"negative width", [](Bytes& b) { test::putU32(b, 18, 0xFFFFFFF5); }, &good},
      {"zero height", [](Bytes& b) { test::putU32(b, 22, 0); }, &good},
      {"most negative height", [](Bytes& b) { test::putU32(b, 22, 0x80000000); }, &good},
      {"pixels past the end", [](Bytes& b) { test::putU32(b, 10, 0xFFFFFFF0); }, &good},
      {"palette past the end", [](Bytes& b) { b.resize(60); }, &good8},
      {"info header past the end", [](Bytes& b) { test::putU32(b, 14, 0x7FFFFFFF); }, &good},
      {"unknown header size", [](Bytes& b) { test::putU32(b, 14, 20); }, &good},
      {"header cut off", [](Bytes& b) { b.resize(25); }, &good},
      {"empty", [](Bytes& b) { b.clear(); }, &good},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes file = *c.start;
    c.damage(file);
    EXPECT_FALSE(decodeBmp(file));
  }
}

}  // namespace
}  // namespace torvane
