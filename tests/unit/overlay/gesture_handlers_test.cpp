#include "overlay/gesture_handlers.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <cstdlib>
#include <deque>
#include <fstream>

#include "app/app_state.h"
#include "assets/assets.h"
#include "overlay/bmp_file.h"
#include "overlay/cursor_assets.h"
#include "overlay/cursor_file.h"
#include "overlay/picture_decoder.h"
#include "overlay/tool_catalogue.h"

namespace torvane {
namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 300;
constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
constexpr std::uint32_t kBlack = 0xFF000000u;

QCoreApplication& application() {
  static int argc = 1;
  static char name[] = "gesture_handlers_test";
  static char* argv[] = {name, nullptr};
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  static QCoreApplication app(argc, argv);
  return app;
}

class RecordingHost : public CanvasHost {
 public:
  void imageChanged(const Rect&) override {}
  void cursorChanged(const CursorImage* cursor) override {
    cursor_ = cursor ? std::optional<CursorImage>(*cursor) : std::nullopt;
  }
  int textLineHeight(const FontSpec*) override { return 10; }
  Rect drawTextLine(RasterImage& image, int x, int y, std::string_view line, const FontSpec*,
                    Colour) override {
    lines.emplace_back(x, y, std::string(line));
    image.row(y)[x] = kBlack;  // one mark per line is enough to see where it went
    return {x, y, 1, 1};
  }
  const std::optional<CursorImage>& cursor() const { return cursor_; }
  std::vector<std::tuple<int, int, std::string>> lines;

 private:
  std::optional<CursorImage> cursor_;
};

class ScriptedDialogs : public GestureDialogs {
 public:
  std::optional<std::string> inputBox(std::string_view title, std::string_view prompt) override {
    asked.emplace_back(std::string(title) + "|" + std::string(prompt));
    return next(texts);
  }
  std::optional<FontChoice> chooseFont() override { return next(fonts); }
  std::optional<std::string> choosePictureFile(std::string_view title,
                                               std::string_view filter) override {
    asked.emplace_back(std::string(title) + "|" + std::string(filter));
    return next(paths);
  }
  std::deque<std::optional<std::string>> texts;
  std::deque<std::optional<FontChoice>> fonts;
  std::deque<std::optional<std::string>> paths;
  std::vector<std::string> asked;

 private:
  template <typename T>
  static std::optional<T> next(std::deque<std::optional<T>>& queue) {
    if (queue.empty()) return std::nullopt;
    auto value = queue.front();
    queue.pop_front();
    return value;
  }
};

class Gestures : public ::testing::Test {
 protected:
  Gestures()
      : canvas(host),
        timer([this] { handlers.effectTick(); }),
        handlers(canvas, timer, dialogs, [this] { return pointer; }) {
    application();
    appState() = AppState{};
    appState().frozenScreen =
        std::make_shared<const Bytes>(encodeBmp(RasterImage(kWidth, kHeight, kWhite)));
    canvas.resize(kWidth, kHeight);
    canvas.setBackground(appState().frozenScreen);
  }

  void select(int tool) {
    appState().currentTool = tool;
    handlers.applyTool();
  }
  bool cursorIs(CursorAsset asset) const {
    const auto expected = parseCursorFile(cursorFile(asset));
    return host.cursor() && expected && host.cursor()->hotX == expected->hotX &&
           host.cursor()->hotY == expected->hotY && host.cursor()->argb == expected->argb;
  }
  std::uint32_t px(int x, int y) const { return canvas.image().at(x, y); }
  int changedPixels() const {
    return static_cast<int>(std::count_if(canvas.image().pixels.begin(),
                                          canvas.image().pixels.end(),
                                          [](std::uint32_t p) { return p != kWhite; }));
  }

  RecordingHost host;
  CanvasSurface canvas;
  ScriptedDialogs dialogs;
  EffectTimer timer;
  GestureHandlers handlers;
  ScreenPoint pointer{200, 150};
};

struct GestureRow {
  int tool;
  std::optional<CursorAsset> pressed;  // cursor while the button is down
  CursorAsset released;                // cursor after the release
  int periodWhileHeld;
};

TEST_F(Gestures, EachToolShowsItsCursorsAndDrivesTheEffectTimer) {
  using C = CursorAsset;
  const GestureRow rows[] = {
      {Bucket, C::BucketDown, C::Bucket, 0},
      {Brush, C::BrushDown, C::Brush, 0},
      {Pencil, C::PencilDown, C::Pencil, 0},
      {Stamp, C::StampDown, C::Stamp, 0},
      {Ak47, C::Ak47Down, C::Ak47, 70},
      {Laser, C::LaserDown, C::Laser, 0},
      {Highlighter, C::HighlighterDown, C::Highlighter, 0},
      {PaintCan, C::PaintCanDown, C::PaintCan, 0},
      {Flame, C::FlameDown, C::Flame, 100},
  };
  for (const GestureRow& row : rows) {
    SCOPED_TRACE(row.tool);
    select(row.tool);
    handlers.leftPress(50, 60);
    EXPECT_EQ(appState().buttonDown, 1);
    EXPECT_EQ(appState().lastX, 50);
    EXPECT_EQ(appState().lastY, 60);
    if (row.pressed) {
      EXPECT_TRUE(cursorIs(*row.pressed));
    }
    EXPECT_EQ(timer.period(), row.periodWhileHeld);
    handlers.leftRelease(55, 65);
    EXPECT_EQ(appState().buttonDown, 0);
    EXPECT_TRUE(cursorIs(row.released));
    EXPECT_EQ(timer.period(), 0);
  }
}

TEST_F(Gestures, TextPenPressKeepsItsCursorAndWritesTheTypedTextAtThePressPoint) {
  select(TextPen);
  handlers.leftPress(30, 40);
  EXPECT_TRUE(cursorIs(CursorAsset::TextPen));
  dialogs.texts = {std::string("ab\r\ncd")};
  handlers.leftRelease(90, 90);
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(dialogs.asked[0], "输入文本|输入要涂鸦的文本");
  ASSERT_EQ(host.lines.size(), 2u);
  EXPECT_EQ(host.lines[0], std::make_tuple(30, 40, std::string("ab")));
  EXPECT_EQ(host.lines[1], std::make_tuple(30, 52, std::string("cd")));

  dialogs.texts = {std::nullopt};  // Cancel
  handlers.leftPress(100, 100);
  handlers.leftRelease(100, 100);
  EXPECT_EQ(host.lines.size(), 2u);
}

TEST_F(Gestures, FreehandStrokeFollowsMovesInsideTheCanvasAndEndsAtTheReleasePoint) {
  select(Pencil);
  handlers.leftPress(10, 10);
  handlers.mouseMove(20, 10);
  EXPECT_EQ(appState().lastX, 20);
  handlers.mouseMove(kWidth, 10);  // outside the canvas: ignored, the last point stays
  handlers.mouseMove(20, kHeight);
  EXPECT_EQ(appState().lastX, 20);
  EXPECT_EQ(appState().lastY, 10);
  handlers.leftRelease(kWidth + 50, 10);  // no bounds test: the line runs to the edge
  for (int x = 10; x < kWidth; ++x) ASSERT_EQ(px(x, 10), kBlack) << x;
  EXPECT_EQ(appState().lastX, 20);  // the release does not update the last point
  EXPECT_EQ(changedPixels(), kWidth - 10);
}

TEST_F(Gestures, MovesWithoutAPressOrWithOtherToolsDrawNothing) {
  select(Brush);
  handlers.mouseMove(50, 50);
  select(Stamp);
  handlers.leftPress(10, 10);
  handlers.mouseMove(60, 60);
  EXPECT_EQ(appState().lastX, 10);
  EXPECT_EQ(changedPixels(), 0);
}

TEST_F(Gestures, RightReleaseMidStrokeRecoloursTheRestOfTheStroke) {
  select(Brush);
  handlers.leftPress(20, 100);
  handlers.mouseMove(60, 100);
  handlers.rightRelease(0, 0);
  handlers.mouseMove(120, 100);
  handlers.leftRelease(120, 100);
  EXPECT_EQ(px(40, 100), kBlack);
  EXPECT_NE(px(100, 100), kBlack);
  EXPECT_EQ(px(100, 100), px(110, 100));
  select(Brush);  // re-applying the tool restores its own colour
  handlers.leftPress(20, 200);
  handlers.leftRelease(60, 200);
  EXPECT_EQ(px(40, 200), kBlack);
}

TEST_F(Gestures, HighlighterMergesBlueIntoThePicture) {
  appState().frozenScreen =
      std::make_shared<const Bytes>(encodeBmp(RasterImage(kWidth, kHeight, 0xFF123456u)));
  canvas.setBackground(appState().frozenScreen);
  select(Highlighter);
  handlers.leftPress(10, 10);
  handlers.leftRelease(100, 10);
  EXPECT_EQ(px(50, 10), 0xFF1234FFu);
}

class TempFile {
 public:
  explicit TempFile(const Bytes& bytes) {
    char pattern[] = "/tmp/torvane-stamp-XXXXXX";
    close(mkstemp(pattern));
    path = pattern;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }
  ~TempFile() { std::remove(path.c_str()); }
  std::string path;
};

TEST_F(Gestures, CustomStampIsDrawnOnceAtTheReleasePointAtItsOwnSizeThenDisarmed) {
  RasterImage picture(3, 2, 0xFFFF00FFu);  // magenta is copied too: no transparent colour
  const TempFile file(encodeBmp(picture));
  select(Stamp);
  dialogs.paths = {file.path};
  handlers.rightRelease(0, 0);
  EXPECT_EQ(dialogs.asked.back(), "选择图片文件|图片文件|*.jpg;*.bmp;*.gif");
  EXPECT_EQ(appState().customStampPending, 1);

  select(Stamp);  // selecting Stamp again keeps the chosen picture armed
  handlers.leftPress(10, 10);
  handlers.leftRelease(100, 80);
  EXPECT_EQ(appState().customStampPending, 0);
  EXPECT_EQ(px(100, 80), 0xFFFF00FFu);
  EXPECT_EQ(px(102, 81), 0xFFFF00FFu);
  EXPECT_EQ(changedPixels(), 6);

  handlers.leftPress(200, 150);  // disarmed: a random 50 × 50 stamp centred on the press point
  handlers.leftRelease(10, 10);
  EXPECT_EQ(px(10, 10), kWhite);
  int inside = 0;
  for (int y = 125; y < 175; ++y) {
    for (int x = 175; x < 225; ++x) inside += px(x, y) != kWhite;
  }
  EXPECT_EQ(changedPixels(), 6 + inside);
  EXPECT_GT(inside, 100);
}

TEST_F(Gestures, CustomStampThatDoesNotDecodeIsArmedAndDrawsNothing) {
  const TempFile file(Bytes{'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c'});
  select(Stamp);
  dialogs.paths = {file.path};
  handlers.rightRelease(0, 0);
  EXPECT_EQ(appState().customStampPending, 1);
  handlers.leftPress(50, 50);
  handlers.leftRelease(50, 50);
  EXPECT_EQ(appState().customStampPending, 0);
  EXPECT_EQ(changedPixels(), 0);

  dialogs.paths = {std::nullopt};  // a cancelled dialog arms nothing
  handlers.rightRelease(0, 0);
  EXPECT_EQ(appState().customStampPending, 0);
}

TEST_F(Gestures, LaserBurnsAHoleCentredOnThePressPointAndBucketWashesEverythingAway) {
  select(Laser);
  handlers.leftPress(200, 150);
  handlers.leftRelease(10, 10);
  EXPECT_EQ(px(200, 150), kBlack);  // the burnt-through centre
  EXPECT_EQ(px(140, 150), kWhite);  // beyond the 100 × 100 mark
  EXPECT_EQ(px(260, 150), kWhite);

  select(Bucket);
  handlers.leftPress(5, 5);
  handlers.leftRelease(5, 5);
  EXPECT_EQ(changedPixels(), 0);
}

TEST_F(Gestures, EffectTickSpraysAroundThePointerNotThePressPoint) {
  select(Ak47);
  handlers.leftPress(10, 10);
  pointer = {300, 200};
  for (int i = 0; i < 20; ++i) handlers.effectTick();
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (px(x, y) == kWhite) continue;
      ASSERT_GE(x, 300 - 20);
      ASSERT_LT(x, 300 + 20 + 20);
      ASSERT_GE(y, 200 - 20);
      ASSERT_LT(y, 200 + 20 + 20);
    }
  }
  EXPECT_GT(changedPixels(), 0);

  select(Flame);  // any other tool: soot centred on the pointer
  canvas.setBackground(appState().frozenScreen);
  pointer = {100, 100};
  handlers.effectTick();
  EXPECT_EQ(px(49, 100), kWhite);
  EXPECT_EQ(px(150, 100), kWhite);
  EXPECT_GT(changedPixels(), 0);
}

TEST_F(Gestures, EffectTimerPeriodFollowsThePressesAndReleases) {
  select(Ak47);
  handlers.leftPress(1, 1);
  EXPECT_EQ(timer.period(), 70);
  select(Flame);
  handlers.leftPress(1, 1);
  EXPECT_EQ(timer.period(), 100);
  select(Brush);  // other tools leave the timer alone
  handlers.leftPress(1, 1);
  handlers.leftRelease(1, 1);
  EXPECT_EQ(timer.period(), 100);
  select(Ak47);
  handlers.leftRelease(1, 1);
  EXPECT_EQ(timer.period(), 0);
}

}  // namespace
}  // namespace torvane
