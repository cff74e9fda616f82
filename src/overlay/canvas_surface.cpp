#include "overlay/canvas_surface.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <new>
#include <utility>
#include <vector>

#include "overlay/bmp_file.h"
#include "overlay/cursor_file.h"
#include "overlay/line_raster.h"
#include "overlay/mix_mode.h"
#include "overlay/picture_decoder.h"
#include "overlay/picture_drawing.h"
#include "overlay/picture_limits.h"
#include "overlay/picture_store.h"

namespace torvane {
namespace {

// The desktop's face colour until the window supplies its own.
constexpr Colour kDefaultFaceColour = rgb(240, 240, 240);
constexpr int kMaxPenWidth = 32767;
constexpr int kLineGap = 2;

// Fills `image` from the background picture tiled from (0, 0); only the colour when the bytes do
// not decode. A BMP that covers the whole canvas (the captured screen) is decoded straight into it.
bool paintBackground(RasterImage& image, ByteView picture, Colour colour) {
  if (recognisePicture(picture) == PictureKind::kBmp) {
    const std::optional<BmpLayout> layout = readBmpLayout(picture);
    if (layout && layout->width >= image.width && layout->height >= image.height) {
      decodeBmpPixels(picture, *layout, image);
      return true;
    }
  }
  std::optional<RasterImage> decoded;
  try {
    decoded = decodePicture(picture);
  } catch (const std::bad_alloc&) {
  }
  if (!decoded) {
    std::fill(image.pixels.begin(), image.pixels.end(), pixelFromColour(colour));
    return false;
  }
  tilePicture(image, *decoded);
  return true;
}

Rect wholeImage(const RasterImage& image) { return {0, 0, image.width, image.height}; }

Rect unite(const Rect& a, const Rect& b) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  const int left = std::min(a.x, b.x);
  const int top = std::min(a.y, b.y);
  const int right = std::max(a.x + a.width, b.x + b.width);
  const int bottom = std::max(a.y + a.height, b.y + b.height);
  return {left, top, right - left, bottom - top};
}

Rect clipTo(const Rect& r, const RasterImage& image) {
  const int left = std::max(r.x, 0);
  const int top = std::max(r.y, 0);
  const int right =
      static_cast<int>(std::min<std::int64_t>(std::int64_t{r.x} + r.width, image.width));
  const int bottom =
      static_cast<int>(std::min<std::int64_t>(std::int64_t{r.y} + r.height, image.height));
  return {left, top, right - left, bottom - top};
}

// Lines of GBK text split at CR, LF and CR LF.
std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  lines.push_back(text.substr(start));
  return lines;
}

}  // namespace

struct CanvasSurface::State {
  explicit State(CanvasHost& h) : host(h) {}

  CanvasHost& host;
  RasterImage image{1, 1, pixelFromColour(kDefaultFaceColour)};
  SharedBytes background;
  Colour backgroundColour = kDefaultFaceColour;
  int penWidth = 0;
  Colour penColour = 0;
  MixMode penMode = MixMode::kCopyPen;
  std::optional<FontSpec> font;
  Colour textColour = 0;
  PictureStore pictures;
  std::vector<Span> spans;  // reused by every drawLine

  void rebuildFromBackground() {
    if (!paintBackground(image, background ? ByteView(*background) : ByteView(),
                         backgroundColour)) {
      background.reset();
    }
  }
};

CanvasSurface::CanvasSurface(CanvasHost& host) : state_(std::make_unique<State>(host)) {}

CanvasSurface::~CanvasSurface() = default;

void CanvasSurface::resize(int width, int height) {
  State& s = *state_;
  width = static_cast<int>(std::clamp<std::int64_t>(width, 1, kMaxPictureSide));
  height = static_cast<int>(std::clamp<std::int64_t>(height, 1, kMaxPictureSide));
  if (width == s.image.width && height == s.image.height) return;
  try {
    RasterImage next(width, height);
    std::swap(next, s.image);
    s.rebuildFromBackground();
    copyOverlap(s.image, next);
  } catch (const std::bad_alloc&) {
    return;
  }
  s.host.imageChanged(wholeImage(s.image));
}

int CanvasSurface::width() const { return state_->image.width; }

int CanvasSurface::height() const { return state_->image.height; }

const RasterImage& CanvasSurface::image() const { return state_->image; }

void CanvasSurface::setBackground(ByteView picture) {
  const State& s = *state_;
  if (s.background && picture.data() == s.background->data() &&
      picture.size() == s.background->size()) {
    setBackground(s.background);
    return;
  }
  SharedBytes copy;
  try {
    copy = std::make_shared<const Bytes>(picture.begin(), picture.end());
  } catch (const std::bad_alloc&) {
  }
  setBackground(std::move(copy));
}

void CanvasSurface::setBackground(SharedBytes picture) {
  State& s = *state_;
  s.background = std::move(picture);
  s.rebuildFromBackground();
  s.host.imageChanged(wholeImage(s.image));
}

void CanvasSurface::setBackgroundColour(Colour colour) {
  State& s = *state_;
  s.backgroundColour = colour;
  s.rebuildFromBackground();
  s.host.imageChanged(wholeImage(s.image));
}

void CanvasSurface::setCursorImage(ByteView cursorFile) {
  const std::optional<CursorImage> cursor = parseCursorFile(cursorFile);
  state_->host.cursorChanged(cursor ? &*cursor : nullptr);
}

void CanvasSurface::setPen(int width, Colour colour, int mode) {
  State& s = *state_;
  s.penWidth = std::clamp(width, 0, kMaxPenWidth);
  s.penColour = colour;
  s.penMode = clampMixMode(mode);
}

void CanvasSurface::setPenColour(Colour colour) { state_->penColour = colour; }

void CanvasSurface::setFont(const FontSpec& font) { state_->font = font; }

void CanvasSurface::setTextColour(Colour colour) { state_->textColour = colour; }

void CanvasSurface::drawLine(int x1, int y1, int x2, int y2) {
  State& s = *state_;
  s.spans.clear();
  if (s.penWidth <= 1) {
    appendThinLineSpans(x1, y1, x2, y2, s.image.width, s.image.height, s.spans);
  } else {
    appendWideLineSpans(x1, y1, x2, y2, s.penWidth, s.image.width, s.image.height, s.spans);
  }
  if (s.spans.empty()) return;

  const SpanMix mix = spanMixFor(s.penMode, pixelFromColour(s.penColour));
  int left = std::numeric_limits<int>::max();
  int right = std::numeric_limits<int>::min();
  for (const Span& span : s.spans) {
    mixSpan(mix, s.image.row(span.y) + span.left, span.right - span.left);
    left = std::min(left, span.left);
    right = std::max(right, span.right);
  }
  const int top = std::min(s.spans.front().y, s.spans.back().y);
  const int bottom = std::max(s.spans.front().y, s.spans.back().y) + 1;
  s.host.imageChanged({left, top, right - left, bottom - top});
}

void CanvasSurface::writeText(int x, int y, std::string_view gbkText) {
  State& s = *state_;
  if (gbkText.empty()) return;
  const FontSpec* font = s.font ? &*s.font : nullptr;
  const std::int64_t advance = std::int64_t{s.host.textLineHeight(font)} + kLineGap;
  Rect changed;
  std::int64_t top = y;
  for (std::string_view line : splitLines(gbkText)) {
    if (top < std::numeric_limits<int>::min() || top > std::numeric_limits<int>::max()) break;
    changed = unite(
        changed, s.host.drawTextLine(s.image, x, static_cast<int>(top), line, font, s.textColour));
    top += advance;
  }
  changed = clipTo(changed, s.image);
  if (!changed.empty()) s.host.imageChanged(changed);
}

void CanvasSurface::drawPicture(PictureId picture, int left, int top, std::optional<int> width,
                                std::optional<int> height, std::optional<int> mode) {
  State& s = *state_;
  const RasterImage* source = s.pictures.find(picture);
  if (!source) return;
  const Rect changed = drawPictureOnto(s.image, *source, left, top, width.value_or(source->width),
                                       height.value_or(source->height), mode.value_or(1));
  if (!changed.empty()) s.host.imageChanged(changed);
}

Bytes CanvasSurface::exportImage() const { return encodeBmp(state_->image); }

PictureId CanvasSurface::loadPicture(ByteView file) { return state_->pictures.add(file); }

PictureId CanvasSurface::loadPicture(const std::string& path) {
  return state_->pictures.addFile(path);
}

}  // namespace torvane
