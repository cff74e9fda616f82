#include "overlay/canvas_surface.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <fstream>
#include <string>

#include "overlay/bmp_file.h"
#include "unit/overlay/fake_canvas_host.h"
#include "unit/overlay/test_pictures.h"

namespace torvane {
namespace {

constexpr std::uint32_t kBlack = 0xFF000000u;
constexpr std::uint32_t kWhite = 0xFFFFFFFFu;

bool sameRect(const Rect& a, const Rect& b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

// The smallest rectangle holding every pixel that differs between the two images.
Rect differenceBounds(const RasterImage& a, const RasterImage& b) {
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
  for (int y = 0; y < a.height; ++y) {
    for (int x = 0; x < a.width; ++x) {
      if (a.at(x, y) == b.at(x, y)) continue;
      left = std::min(left, x);
      right = std::max(right, x + 1);
      top = std::min(top, y);
      bottom = std::max(bottom, y + 1);
    }
  }
  return left == INT_MAX ? Rect{} : Rect{left, top, right - left, bottom - top};
}

class CanvasSurfaceTest : public testing::Test {
 protected:
  // A canvas of the given size covered by one flat picture of `pixel`.
  void start(int width, int height, std::uint32_t pixel = kWhite) {
    canvas.resize(width, height);
    background = test::makeBmp(RasterImage(width, height, pixel), 24);
    canvas.setBackground(background);
    host.changes.clear();
  }

  FakeCanvasHost host;
  CanvasSurface canvas{host};
  Bytes background;
};

TEST_F(CanvasSurfaceTest, OnePixelLineColoursFromTheStartUpToButNotTheEnd) {
  start(40, 30);
  canvas.drawLine(10, 10, 20, 10);
  for (int x = 0; x < 40; ++x) {
    EXPECT_EQ(canvas.image().at(x, 10), x >= 10 && x < 20 ? kBlack : kWhite) << x;
  }
  EXPECT_EQ(differenceBounds(canvas.image(), RasterImage(40, 30, kWhite)).height, 1);
  ASSERT_EQ(host.changes.size(), 1u);
  EXPECT_TRUE(sameRect(host.changes[0], {10, 10, 10, 1}));
}

TEST_F(CanvasSurfaceTest, HighlighterMergesBlueAndDrawingAgainChangesNothing) {
  start(60, 40, 0xFF563412);  // Colour 0x123456
  canvas.setPen(5, 0xFF0000, 14);
  canvas.drawLine(10, 20, 50, 20);
  EXPECT_EQ(colourFromPixel(canvas.image().at(30, 20)), 0xFF3456u);
  EXPECT_EQ(colourFromPixel(canvas.image().at(30, 25)), 0x123456u);
  const RasterImage once = canvas.image();
  canvas.drawLine(10, 20, 50, 20);
  EXPECT_EQ(canvas.image().pixels, once.pixels);
}

TEST_F(CanvasSurfaceTest, ChangedAreaIsExactlyTheBoundsOfTheStroke) {
  struct Case {
    int width, x1, y1, x2, y2;
    Rect expected;
  };
  const Case cases[] = {
      {10, 20, 20, 40, 30, {15, 15, 31, 21}},
      {15, -20, 5, 12, 5, {0, 0, 20, 13}},   // clipped at the left and top
      {1, 70, 45, 90, 60, {70, 45, 6, 5}},   // leaves at the bottom
      {80, 30, 30, 30, 30, {0, 0, 71, 50}},  // a click leaves a disc
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    start(80, 50);
    canvas.setPen(c.width, 0x0000FF, 12);
    const RasterImage before = canvas.image();
    canvas.drawLine(c.x1, c.y1, c.x2, c.y2);
    ASSERT_EQ(host.changes.size(), 1u);
    EXPECT_TRUE(sameRect(host.changes[0], c.expected));
    EXPECT_TRUE(sameRect(differenceBounds(before, canvas.image()), c.expected));
  }
}

TEST_F(CanvasSurfaceTest, PenWidthAndModeAreClamped) {
  start(30, 20);
  canvas.setPen(-4, 0, 12);  // width 0: one pixel
  canvas.drawLine(2, 2, 8, 2);
  EXPECT_EQ(differenceBounds(RasterImage(30, 20, kWhite), canvas.image()).height, 1);

  canvas.setPen(1 << 30, 0x00FF00, 99);  // widest pen, mode 15 (white over everything)
  canvas.drawLine(-5000, 10, -5000, 10);
  for (std::uint32_t p : canvas.image().pixels) EXPECT_EQ(p, kWhite);

  canvas.setPen(40000, 0x00FF00, -3);  // mode 0: black
  canvas.drawLine(15, 10, 15, 10);
  for (std::uint32_t p : canvas.image().pixels) EXPECT_EQ(p, kBlack);
}

TEST_F(CanvasSurfaceTest, OneSegmentMixesEveryPixelOnce) {
  start(50, 50, 0xFF00FF00);
  canvas.setPen(9, 0x0000FF, 6);  // XOR: a pixel mixed twice would turn back
  canvas.drawLine(5, 5, 44, 30);
  for (std::uint32_t p : canvas.image().pixels) {
    EXPECT_TRUE(p == 0xFF00FF00 || p == 0xFFFFFF00) << std::hex << p;
  }
  EXPECT_EQ(canvas.image().at(25, 18), 0xFFFFFF00u);
}

// Pixels as Colour values for readable expectations.
constexpr Colour kMagenta = 0xFF00FF;
constexpr Colour kNearMagenta = 0xFE00FF;

class CanvasPictureTest : public CanvasSurfaceTest {
 protected:
  // A 4 x 2 picture: magenta, near-magenta, red, green / blue, magenta, white, black.
  PictureId loadStamp() {
    const RasterImage stamp = test::imageFrom(
        4, 2,
        {pixelFromColour(kMagenta), pixelFromColour(kNearMagenta), pixelFromColour(0x0000FF),
         pixelFromColour(0x00FF00), pixelFromColour(0xFF0000), pixelFromColour(kMagenta),
         pixelFromColour(0xFFFFFF), pixelFromColour(0x000000)});
    return canvas.loadPicture(test::makeBmp(stamp, 24));
  }

  Colour at(int x, int y) const { return colourFromPixel(canvas.image().at(x, y)); }
};

TEST_F(CanvasPictureTest, ColourKeySkipsOnlyExactMagenta) {
  start(10, 10, pixelFromColour(0x123456));
  const PictureId id = loadStamp();
  ASSERT_NE(id, 0);
  canvas.drawPicture(id, 3, 4, std::nullopt, std::nullopt, -static_cast<int>(kMagenta));
  EXPECT_EQ(at(3, 4), 0x123456u);
  EXPECT_EQ(at(4, 4), kNearMagenta);
  EXPECT_EQ(at(5, 4), 0x0000FFu);
  EXPECT_EQ(at(6, 4), 0x00FF00u);
  EXPECT_EQ(at(3, 5), 0xFF0000u);
  EXPECT_EQ(at(4, 5), 0x123456u);
  ASSERT_EQ(host.changes.size(), 1u);
  EXPECT_TRUE(sameRect(host.changes[0], {3, 4, 4, 2}));
}

TEST_F(CanvasPictureTest, ModesCombineThePictureWithTheCanvas) {
  struct Case {
    std::optional<int> mode;
    Colour red;  // result where the picture is red (0x0000FF) over 0x123456
  };
  const Case cases[] = {
      {std::nullopt, 0x0000FF},
      {1, 0x0000FF},
      {2, 0xFFFF00},
      {3, 0x1234A9},
      {4, 0x1234FF},
      {5, 0x000056},
      {7, 0x0000FF},  // an unsupported mode copies
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode.value_or(-1));
    start(10, 10, pixelFromColour(0x123456));
    canvas.drawPicture(loadStamp(), 0, 0, std::nullopt, std::nullopt, c.mode);
    EXPECT_EQ(at(2, 0), c.red);
  }
}

TEST_F(CanvasPictureTest, ScalingPicksTheNearestPictureColumnAndRow) {
  start(20, 20);
  canvas.drawPicture(loadStamp(), 2, 2, 8, 6, -static_cast<int>(kMagenta));
  // Each picture pixel becomes 2 x 3 canvas pixels; the key follows the scaled picture.
  EXPECT_EQ(at(2, 2), 0xFFFFFFu);
  EXPECT_EQ(at(3, 4), 0xFFFFFFu);
  EXPECT_EQ(at(4, 4), kNearMagenta);
  EXPECT_EQ(at(9, 4), 0x00FF00u);
  EXPECT_EQ(at(2, 5), 0xFF0000u);
  EXPECT_EQ(at(5, 7), 0xFFFFFFu);
  EXPECT_EQ(at(9, 7), 0x000000u);
  EXPECT_EQ(at(10, 7), 0xFFFFFFu);
  EXPECT_EQ(at(9, 8), 0xFFFFFFu);
}

TEST_F(CanvasPictureTest, PictureIsClippedAtEveryEdge) {
  start(3, 3);
  const PictureId id = loadStamp();
  canvas.drawPicture(id, -2, -1);
  EXPECT_EQ(at(0, 0), 0xFFFFFFu);  // picture (2, 1)
  EXPECT_EQ(at(1, 0), 0x000000u);
  EXPECT_EQ(at(0, 1), 0xFFFFFFu);  // below the picture
  ASSERT_EQ(host.changes.size(), 1u);
  EXPECT_TRUE(sameRect(host.changes[0], {0, 0, 2, 1}));

  canvas.drawPicture(id, 2, 2);
  EXPECT_EQ(at(2, 2), kMagenta);
  canvas.drawPicture(id, 3, 0);
  canvas.drawPicture(id, -4, 0);
  canvas.drawPicture(id, INT_MAX, INT_MAX, INT_MAX, INT_MAX);
  canvas.drawPicture(id, INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  EXPECT_EQ(host.changes.size(), 2u);
}

TEST_F(CanvasPictureTest, NoPictureDrawsNothing) {
  start(10, 10);
  loadStamp();
  for (PictureId id : {0, 2, -1, 12345}) canvas.drawPicture(id, 0, 0);
  canvas.drawPicture(1, 0, 0, 0, 5);
  for (std::uint32_t p : canvas.image().pixels) EXPECT_EQ(p, kWhite);
  EXPECT_TRUE(host.changes.empty());
}

TEST_F(CanvasPictureTest, SameBytesShareOnePictureAndDrawTheSamePixels) {
  start(10, 10);
  const PictureId first = loadStamp();
  const PictureId second = loadStamp();
  EXPECT_NE(first, 0);
  EXPECT_EQ(first, second);
  const Bytes other = test::makeBmp(RasterImage(2, 2, kBlack), 24);
  EXPECT_NE(canvas.loadPicture(other), first);
}

TEST_F(CanvasPictureTest, PathsLoadLikeBytes) {
  start(10, 10);
  const std::string path = testing::TempDir() + "canvas_stamp.bmp";
  const Bytes file = test::makeBmp(RasterImage(3, 2, kBlack), 8);
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  const PictureId fromPath = canvas.loadPicture(path);
  EXPECT_NE(fromPath, 0);
  EXPECT_EQ(canvas.loadPicture(file), fromPath);
  EXPECT_EQ(canvas.loadPicture(std::string()), 0);
  EXPECT_EQ(canvas.loadPicture(path + ".missing"), 0);
  EXPECT_EQ(canvas.loadPicture(testing::TempDir()), 0);
  std::remove(path.c_str());
}

TEST_F(CanvasSurfaceTest, BackgroundIsTiledFromTheTopLeft) {
  canvas.resize(7, 5);
  const RasterImage tile = test::imageFrom(3, 2, {1, 2, 3, 4, 5, 6});
  const Bytes bytes = test::makeBmp(tile, 24);
  canvas.setBackground(bytes);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 7; ++x) {
      EXPECT_EQ(canvas.image().at(x, y), kBlack | (1 + x % 3 + 3 * (y % 2))) << x << "," << y;
    }
  }
  ASSERT_FALSE(host.changes.empty());
  EXPECT_TRUE(sameRect(host.changes.back(), {0, 0, 7, 5}));
}

TEST_F(CanvasSurfaceTest, SameBackgroundAgainErasesTheDrawing) {
  start(20, 20, 0xFF808080);
  canvas.setPen(5, 0, 12);
  canvas.drawLine(1, 1, 18, 18);
  const Bytes again = background;
  canvas.setBackground(again);
  for (std::uint32_t p : canvas.image().pixels) EXPECT_EQ(p, 0xFF808080u);
}

TEST_F(CanvasSurfaceTest, UndecodableBackgroundShowsTheColourAlone) {
  start(8, 8);
  canvas.setBackgroundColour(0x336699);
  const Bytes riff = {'R', 'I', 'F', 'F', 1, 2, 3, 4, 'W', 'A', 'V', 'E'};
  Bytes truncated = background;
  truncated.resize(truncated.size() - 1);
  for (const Bytes& bytes : {riff, truncated, Bytes{}}) {
    canvas.drawLine(0, 0, 7, 7);
    canvas.setBackground(bytes);
    for (std::uint32_t p : canvas.image().pixels) EXPECT_EQ(colourFromPixel(p), 0x336699u);
  }
  // The dropped bytes do not come back when the canvas grows.
  canvas.resize(9, 9);
  EXPECT_EQ(colourFromPixel(canvas.image().at(8, 8)), 0x336699u);
}

TEST_F(CanvasSurfaceTest, ResizeKeepsTheDrawingOverTheRebuiltBackground) {
  canvas.resize(4, 3);
  canvas.setBackground(test::makeBmp(test::imageFrom(2, 1, {0xFF111111, 0xFF222222}), 24));
  canvas.setPen(1, 0x0000FF, 12);
  canvas.drawLine(0, 0, 4, 0);
  canvas.resize(6, 2);
  EXPECT_EQ(canvas.width(), 6);
  EXPECT_EQ(canvas.height(), 2);
  EXPECT_EQ(canvas.image().at(3, 0), pixelFromColour(0x0000FF));
  EXPECT_EQ(canvas.image().at(4, 0), 0xFF111111u);  // background continues where nothing was
  EXPECT_EQ(canvas.image().at(5, 1), 0xFF222222u);
  canvas.resize(0, -3);
  EXPECT_EQ(canvas.width(), 1);
  EXPECT_EQ(canvas.height(), 1);
  EXPECT_EQ(canvas.image().at(0, 0), pixelFromColour(0x0000FF));
}

TEST_F(CanvasSurfaceTest, ExportWritesA24BitBottomUpBmp) {
  canvas.resize(1366, 768);
  canvas.setBackgroundColour(0x0A0B0C);
  canvas.setPen(1, 0x010203, 12);
  canvas.drawLine(0, 0, 1, 0);            // top-left pixel
  canvas.drawLine(1365, 767, 1366, 767);  // bottom-right pixel
  const Bytes file = canvas.exportImage();
  ASSERT_EQ(file.size(), 54u + 4100u * 768u);
  auto u32 = [&](std::size_t at) {
    return file[at] | file[at + 1] << 8 | file[at + 2] << 16 | std::uint32_t{file[at + 3]} << 24;
  };
  auto u16 = [&](std::size_t at) { return file[at] | file[at + 1] << 8; };
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(u32(2), file.size());
  EXPECT_EQ(u32(6), 0u);
  EXPECT_EQ(u32(10), 54u);
  EXPECT_EQ(u32(14), 40u);
  EXPECT_EQ(u32(18), 1366u);
  EXPECT_EQ(u32(22), 768u);
  EXPECT_EQ(u16(26), 1);
  EXPECT_EQ(u16(28), 24);
  EXPECT_EQ(u32(30), 0u);
  EXPECT_EQ(u32(34), 4100u * 768u);
  for (std::size_t at = 38; at < 54; at += 4) EXPECT_EQ(u32(at), 0u);
  // First stored row is the bottom one: background, then the bottom-right pixel; blue first.
  EXPECT_EQ(file[54], 0x0A);
  EXPECT_EQ(file[55], 0x0B);
  EXPECT_EQ(file[56], 0x0C);
  const std::size_t lastOfBottom = 54 + 1365 * 3;
  EXPECT_EQ(file[lastOfBottom], 0x01);
  EXPECT_EQ(file[lastOfBottom + 2], 0x03);
  EXPECT_EQ(file[54 + 4098], 0);  // padding
  EXPECT_EQ(file[54 + 4099], 0);
  const std::size_t topRow = 54 + 4100u * 767;
  EXPECT_EQ(file[topRow], 0x01);
  EXPECT_EQ(file[topRow + 1], 0x02);
  EXPECT_EQ(file[topRow + 2], 0x03);
}

TEST_F(CanvasSurfaceTest, ExportedImageDecodesToTheSamePixels) {
  for (int width : {1, 2, 3, 4, 5, 13}) {
    SCOPED_TRACE(width);
    canvas.resize(width, 3);
    canvas.setBackground(test::makeBmp(
        test::imageFrom(3, 2,
                        {0xFF010203, 0xFFA0B0C0, 0xFFFFFFFF, 0xFF000000, 0xFF7F8081, 0xFF00FF00}),
        24));
    canvas.setPen(1, 0x445566, 12);
    canvas.drawLine(0, 2, width, 2);
    const std::optional<RasterImage> decoded = decodeBmp(canvas.exportImage());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->width, width);
    EXPECT_EQ(decoded->pixels, canvas.image().pixels);
  }
}

TEST_F(CanvasSurfaceTest, CursorShowsTheFileOrTheStandardArrow) {
  // 1 x 1 cursor, 32 bits, hotspot (0, 0): one opaque red pixel.
  Bytes file(22 + 40 + 4 + 4, 0);
  test::putU16(file, 2, 2);
  test::putU16(file, 4, 1);
  file[6] = file[7] = 1;
  test::putU32(file, 14, 48);
  test::putU32(file, 18, 22);
  test::putU32(file, 22, 40);
  test::putU32(file, 26, 1);
  test::putU32(file, 30, 2);
  test::putU16(file, 34, 1);
  test::putU16(file, 36, 32);
  file[62 + 2] = 0xFF;
  file[62 + 3] = 0xFF;
  canvas.setCursorImage(file);
  canvas.setCursorImage({});
  file[2] = 1;  // an icon
  canvas.setCursorImage(file);
  ASSERT_EQ(host.cursors.size(), 3u);
  ASSERT_TRUE(host.cursors[0]);
  EXPECT_EQ(host.cursors[0]->argb, std::vector<std::uint32_t>{0xFFFF0000});
  EXPECT_FALSE(host.cursors[1]);
  EXPECT_FALSE(host.cursors[2]);
}

TEST_F(CanvasSurfaceTest, TextIsCutAtEachKindOfLineBreak) {
  start(200, 200);
  host.lineHeight = 12;
  canvas.writeText(5, 7, "ab\r\ncd\ref\n\nghi");
  ASSERT_EQ(host.texts.size(), 5u);
  const char* lines[] = {"ab", "cd", "ef", "", "ghi"};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(host.texts[i].line, lines[i]);
    EXPECT_EQ(host.texts[i].x, 5);
    EXPECT_EQ(host.texts[i].y, 7 + i * 14);
    EXPECT_FALSE(host.texts[i].font);
    EXPECT_EQ(host.texts[i].colour, 0u);
  }
  ASSERT_EQ(host.changes.size(), 1u);
  EXPECT_TRUE(sameRect(host.changes[0], {5, 7, 30, 68}));
}

TEST_F(CanvasSurfaceTest, TextUsesTheLastFontAndColour) {
  start(100, 100);
  canvas.writeText(0, 0, "");
  EXPECT_TRUE(host.texts.empty());
  EXPECT_TRUE(host.changes.empty());

  FontSpec font;
  font.size = 9;
  font.bold = 1;
  font.name = "Song";
  canvas.setFont(font);
  canvas.setTextColour(0x0000FF);
  font.name = "changed by the caller afterwards";
  canvas.writeText(90, 95, "xyz\n");
  ASSERT_EQ(host.texts.size(), 2u);
  ASSERT_TRUE(host.texts[0].font);
  EXPECT_EQ(host.texts[0].font->name, "Song");
  EXPECT_EQ(host.texts[0].font->size, 9);
  EXPECT_EQ(host.texts[0].colour, 0x0000FFu);
  ASSERT_TRUE(host.heightQueries.back());
  EXPECT_EQ(host.heightQueries.back()->name, "Song");
  ASSERT_EQ(host.changes.size(), 1u);
  EXPECT_TRUE(sameRect(host.changes[0], {90, 95, 10, 5}));
}

}  // namespace
}  // namespace torvane
