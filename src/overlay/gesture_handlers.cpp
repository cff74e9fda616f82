#include "overlay/gesture_handlers.h"

#include <array>

#include "app/app_state.h"
#include "assets/assets.h"
#include "overlay/apply_tool.h"
#include "overlay/cursor_assets.h"
#include "overlay/random.h"
#include "overlay/sound.h"
#include "overlay/tool_catalogue.h"

namespace torvane {

namespace {

constexpr int kAk47PeriodMs = 70;
constexpr int kFlamePeriodMs = 100;
constexpr int kMagentaKey = -static_cast<int>(rgb(255, 0, 255));
constexpr int kStampSize = 50;
constexpr int kScorchSize = 100;
constexpr int kBulletSpread = 20;
constexpr int kSootSize = 100;

const std::array<const ByteView*, 4> kRandomStamps{&kStampNoEntry, &kStampSmiley, &kStampSkull,
                                                    &kStampFlower};

class CanvasToolTarget : public ToolTarget {
 public:
  explicit CanvasToolTarget(CanvasSurface& canvas) : canvas_(canvas) {}
  void setCursor(CursorAsset cursor) override { canvas_.setCursorImage(cursorFile(cursor)); }
  void setPen(int width, Colour colour, int mode) override {
    canvas_.setPen(width, colour, mode);
  }
  // A custom stamp the user armed stays armed when Stamp is selected again: the picture they
  // chose is what the next stamp click should print.
  void loadNoEntryStamp() override {
    AppState& state = appState();
    if (state.customStampPending == 0) state.stampPicture = canvas_.loadPicture(kStampNoEntry);
  }

 private:
  CanvasSurface& canvas_;
};

}  // namespace

GestureHandlers::GestureHandlers(CanvasSurface& canvas, EffectTimer& effectTimer,
                                 GestureDialogs& dialogs, std::function<ScreenPoint()> pointer)
    : canvas_(canvas), effectTimer_(effectTimer), dialogs_(dialogs), pointer_(std::move(pointer)) {}

void GestureHandlers::applyTool() {
  CanvasToolTarget target(canvas_);
  torvane::applyTool(appState().currentTool, target);
}

void GestureHandlers::setCursor(CursorAsset cursor) { canvas_.setCursorImage(cursorFile(cursor)); }

void GestureHandlers::leftPress(int x, int y) {
  AppState& state = appState();
  state.buttonDown = 1;
  state.lastX = x;
  state.lastY = y;
  if (const auto pressed = pressedCursorFor(state.currentTool)) setCursor(*pressed);
  switch (state.currentTool) {
    case Ak47:
      effectTimer_.setPeriod(kAk47PeriodMs);
      break;
    case Flame:
      effectTimer_.setPeriod(kFlamePeriodMs);
      playSound(kSoundFlame, true);
      break;
    default:
      break;
  }
}

void GestureHandlers::mouseMove(int x, int y) {
  AppState& state = appState();
  if (state.buttonDown != 1 || x >= canvas_.width() || y >= canvas_.height() ||
      !isFreehand(state.currentTool)) {
    return;
  }
  canvas_.drawLine(state.lastX, state.lastY, x, y);
  state.lastX = x;
  state.lastY = y;
}

void GestureHandlers::leftRelease(int x, int y) {
  AppState& state = appState();
  state.buttonDown = 0;
  switch (state.currentTool) {
    case Bucket:
      setCursor(CursorAsset::Bucket);
      canvas_.setBackground(state.frozenScreen);
      playSound(kSoundWash);
      break;
    case Brush:
    case Pencil:
    case Highlighter:
    case PaintCan:
      canvas_.drawLine(state.lastX, state.lastY, x, y);
      setCursor(*releasedCursorFor(state.currentTool));
      break;
    case TextPen:
      if (const auto text = dialogs_.inputBox("输入文本", "输入要涂鸦的文本")) {
        canvas_.writeText(state.lastX, state.lastY, *text);
      }
      break;
    case Stamp:
      setCursor(CursorAsset::Stamp);
      releaseStamp(x, y);
      break;
    case Ak47:
      setCursor(CursorAsset::Ak47);
      effectTimer_.setPeriod(0);
      break;
    case Laser: {
      setCursor(CursorAsset::Laser);
      const PictureId scorch = canvas_.loadPicture(kScorchHole);
      canvas_.drawPicture(scorch, state.lastX - kScorchSize / 2, state.lastY - kScorchSize / 2,
                          kScorchSize, kScorchSize, kMagentaKey);
      playSound(kSoundLaser);
      break;
    }
    case Flame:
      setCursor(CursorAsset::Flame);
      effectTimer_.setPeriod(0);
      stopSound();
      break;
    default:
      break;
  }
}

void GestureHandlers::releaseStamp(int x, int y) {
  AppState& state = appState();
  if (state.customStampPending != 0) {
    canvas_.drawPicture(state.stampPicture, x, y);
    state.customStampPending = 0;
  } else {
    reseedRandom();
    const int r = randomInt(0, static_cast<int>(kRandomStamps.size()) - 1);
    state.stampPicture = canvas_.loadPicture(*kRandomStamps[r]);
    canvas_.drawPicture(state.stampPicture, state.lastX - kStampSize / 2,
                        state.lastY - kStampSize / 2, kStampSize, kStampSize, kMagentaKey);
  }
  playSound(kSoundStamp);
}

void GestureHandlers::rightRelease(int, int) {
  AppState& state = appState();
  FontSpec font;
  font.size = 9;
  font.name = "\xCB\xCE\xCC\xE5";  // 宋体 in GBK
  if (isFreehand(state.currentTool)) {
    reseedRandom();
    const int red = randomInt(0, 255);
    const int green = randomInt(0, 255);
    const int blue = randomInt(0, 255);
    canvas_.setPenColour(rgb(red, green, blue));
  }
  if (state.currentTool == TextPen) {
    if (const auto choice = dialogs_.chooseFont()) {
      font.name = choice->name;
      font.size = choice->size;
      font.underline = choice->underline;
      font.strikeout = choice->strikeout;
      font.italic = choice->italic;
      font.bold = choice->bold;
      canvas_.setFont(font);
      canvas_.setTextColour(choice->colour);
    }
  }
  if (state.currentTool == Stamp) {
    if (const auto path = dialogs_.choosePictureFile("选择图片文件", "图片文件|*.jpg;*.bmp;*.gif")) {
      state.stampPicture = canvas_.loadPicture(*path);
      state.customStampPending = 1;
    }
  }
}

void GestureHandlers::effectTick() {
  const AppState& state = appState();
  if (state.currentTool == Ak47) {
    reseedRandom();
    const int dx = randomInt(-kBulletSpread, kBulletSpread);
    const int dy = randomInt(-kBulletSpread, kBulletSpread);
    const PictureId hole = canvas_.loadPicture(kBulletHole);
    const ScreenPoint p = pointer_();
    canvas_.drawPicture(hole, p.x + dx, p.y + dy, std::nullopt, std::nullopt, kMagentaKey);
    playSound(kSoundShot);
  } else {
    const PictureId soot = canvas_.loadPicture(kSootPatch);
    const ScreenPoint p = pointer_();
    canvas_.drawPicture(soot, p.x - kSootSize / 2, p.y - kSootSize / 2, std::nullopt,
                        std::nullopt, kMagentaKey);
  }
}

}  // namespace torvane
