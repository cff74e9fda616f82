#include "platform/text_painter.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

#include "overlay/canvas_surface.h"

namespace torvane {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFFu;

QGuiApplication& application() {
  static int argc = 1;
  static char name[] = "text_painter_test";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
  return app;
}

// The canvas with the real text drawing behind it.
class TextHost : public CanvasHost {
 public:
  void imageChanged(const Rect& area) override { changed = area; }
  void cursorChanged(const CursorImage*) override {}
  int textLineHeight(const FontSpec* font) override { return torvane::textLineHeight(font); }
  Rect drawTextLine(RasterImage& image, int x, int y, std::string_view line, const FontSpec* font,
                    Colour colour) override {
    return torvane::drawTextLine(image, x, y, line, font, colour);
  }
  Rect changed;
};

struct Ink {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};

Ink inkOf(const RasterImage& image) {
  Ink ink;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      if (image.at(x, y) == kWhite) continue;
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y);
    }
  }
  return ink;
}

class WriteText : public ::testing::Test {
 protected:
  WriteText() : canvas(host) {
    application();
    canvas.resize(300, 200);
    canvas.setBackgroundColour(0xFFFFFF);
    canvas.setBackground(ByteView{});
  }
  TextHost host;
  CanvasSurface canvas;
};

TEST(CharacterHeight, FollowsPointsAndScreenDpi) {
  EXPECT_EQ(characterHeightPixels(9, 96), 12);
  EXPECT_EQ(characterHeightPixels(12, 96), 16);
  EXPECT_EQ(characterHeightPixels(9, 192), 24);
  EXPECT_EQ(characterHeightPixels(0, 96), 0);
}

TEST_F(WriteText, LinesBreakAtCrLfAndStartAtTheSameX) {
  FontSpec font;
  font.size = 9;
  canvas.setFont(font);
  canvas.writeText(40, 30, "W\r\nW");
  const Ink two = inkOf(canvas.image());
  ASSERT_GE(two.right, 0) << "nothing drawn";
  EXPECT_GE(two.left, 40);
  EXPECT_GE(two.top, 30);
  const int lineHeight = textLineHeight(&font);
  EXPECT_GE(two.bottom - two.top, lineHeight) << "the second line is below the first";
  EXPECT_LT(two.right - two.left, 20) << "both lines start at the same x";
  EXPECT_LE(host.changed.x, two.left);
  EXPECT_GE(host.changed.x + host.changed.width, two.right + 1);

  canvas.setBackground(ByteView{});
  canvas.writeText(40, 30, "");
  EXPECT_EQ(inkOf(canvas.image()).right, -1);
}

TEST_F(WriteText, GlyphsUseTheTextColourAndLeaveTheBackground) {
  canvas.setTextColour(rgb(255, 0, 0));
  canvas.writeText(10, 10, "\xD6\xD0");  // 中, GBK
  // Anti-aliased red over white: red stays full, green and blue fall together.
  int ink = 0, strong = 0;
  for (const std::uint32_t p : canvas.image().pixels) {
    if (p == kWhite) continue;
    ++ink;
    EXPECT_EQ(p >> 16 & 0xFF, 0xFFu);
    EXPECT_EQ(p >> 8 & 0xFF, p & 0xFF);
    strong += (p & 0xFF) < 128;
  }
  EXPECT_GT(ink, 10);
  EXPECT_GT(strong, 5);
  EXPECT_EQ(canvas.image().at(0, 0), kWhite);
}

TEST_F(WriteText, CharactersOfSizeNineAreTwelvePixelsHighAtNinetySixDpi) {
  FontSpec font;
  font.size = 9;
  font.name = "\xCB\xCE\xCC\xE5";  // 宋体
  canvas.setFont(font);
  canvas.writeText(10, 10, "\xD6\xD0");  // 中: a full-height CJK character
  const Ink ink = inkOf(canvas.image());
  ASSERT_GE(ink.right, 0);
  EXPECT_LE(ink.bottom - ink.top + 1, 12);
  EXPECT_GE(ink.bottom - ink.top + 1, 9);
}

}  // namespace
}  // namespace torvane
