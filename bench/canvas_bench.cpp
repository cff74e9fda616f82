#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "overlay/bmp_file.h"
#include "overlay/canvas_surface.h"

namespace torvane {
namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

class NullHost : public CanvasHost {
 public:
  void imageChanged(const Rect&) override {}
  void cursorChanged(const CursorImage*) override {}
  int textLineHeight(const FontSpec*) override { return 0; }
  Rect drawTextLine(RasterImage&, int, int, std::string_view, const FontSpec*, Colour) override {
    return {};
  }
};

// QPainter wants a QGuiApplication; benchmark_main owns main(), so a static object makes one.
struct OffscreenGui {
  OffscreenGui() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    app = std::make_unique<QGuiApplication>(argc, argv);
  }
  int argc = 1;
  char name[14] = "torvane_bench";
  char* argv[2] = {name, nullptr};
  std::unique_ptr<QGuiApplication> app;
};
const OffscreenGui gui;

struct Segment {
  int x1, y1, x2, y2;
};

// The same pseudo-random stroke for both painters: a polyline wandering over the screen, each
// segment starting where the last one ended, as a dragged pen draws it.
std::vector<Segment> stroke(int length) {
  std::vector<Segment> result;
  std::uint32_t seed = 12345;
  auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
  double x = kWidth / 2.0, y = kHeight / 2.0, angle = 0.0;
  for (int i = 0; i < 4096; ++i) {
    angle += (static_cast<int>(next() % 1001) - 500) / 1000.0;
    double nx = x + length * std::cos(angle), ny = y + length * std::sin(angle);
    if (nx < 100 || nx > kWidth - 100 || ny < 100 || ny > kHeight - 100) {
      angle = std::atan2(kHeight / 2.0 - y, kWidth / 2.0 - x);  // turn back towards the middle
      nx = x + length * std::cos(angle);
      ny = y + length * std::sin(angle);
    }
    result.push_back({static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)),
                      static_cast<int>(std::lround(nx)), static_cast<int>(std::lround(ny))});
    x = nx;
    y = ny;
  }
  return result;
}

// Arguments: segment length, pen width, mix mode (12 copy, 14 merge).
void BM_CanvasLine(benchmark::State& state) {
  NullHost host;
  CanvasSurface canvas(host);
  canvas.resize(kWidth, kHeight);
  canvas.setPen(static_cast<int>(state.range(1)), 0x3366CC, static_cast<int>(state.range(2)));
  const std::vector<Segment> strokes = stroke(static_cast<int>(state.range(0)));
  std::size_t i = 0;
  for (auto _ : state) {
    const Segment& s = strokes[i++ % strokes.size()];
    canvas.drawLine(s.x1, s.y1, s.x2, s.y2);
  }
  benchmark::DoNotOptimize(canvas.image().pixels.data());
  state.SetItemsProcessed(state.iterations());
}

void BM_QPainterLine(benchmark::State& state) {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(QColor(0xCC, 0x66, 0x33), static_cast<qreal>(state.range(1)), Qt::SolidLine,
                      Qt::RoundCap, Qt::RoundJoin));
  if (state.range(2) == 14) painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
  const std::vector<Segment> strokes = stroke(static_cast<int>(state.range(0)));
  std::size_t i = 0;
  for (auto _ : state) {
    const Segment& s = strokes[i++ % strokes.size()];
    painter.drawLine(s.x1, s.y1, s.x2, s.y2);
  }
  painter.end();
  benchmark::DoNotOptimize(image.constBits());
  state.SetItemsProcessed(state.iterations());
}

void lineArguments(benchmark::internal::Benchmark* b) {
  b->ArgNames({"length", "width", "mode"})->ArgsProduct({{10, 100}, {1, 15, 80}, {12, 14}});
}

BENCHMARK(BM_CanvasLine)->Apply(lineArguments);
BENCHMARK(BM_QPainterLine)->Apply(lineArguments);

// A full-screen 24-bit BMP such as the captured screen.
Bytes screenBmp() {
  RasterImage screen(kWidth, kHeight);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) screen.row(y)[x] = 0xFF000000u | (x * 2654435761u ^ y * 97u);
  }
  return encodeBmp(screen);
}

void BM_SetBackground(benchmark::State& state) {
  NullHost host;
  CanvasSurface canvas(host);
  canvas.resize(kWidth, kHeight);
  const Bytes file = screenBmp();
  for (auto _ : state) canvas.setBackground(file);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
}
BENCHMARK(BM_SetBackground)->Unit(benchmark::kMicrosecond);

void BM_ExportImage(benchmark::State& state) {
  NullHost host;
  CanvasSurface canvas(host);
  canvas.resize(kWidth, kHeight);
  canvas.setBackground(screenBmp());
  std::size_t size = 0;
  for (auto _ : state) {
    const Bytes file = canvas.exportImage();
    size = file.size();
    benchmark::DoNotOptimize(file.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
}
BENCHMARK(BM_ExportImage)->Unit(benchmark::kMicrosecond);

// The yardstick for both: copying a full-screen 24-bit BMP's worth of bytes.
void BM_MemcpyScreenBmp(benchmark::State& state) {
  const Bytes source = screenBmp();
  Bytes target(source.size());
  for (auto _ : state) {
    std::memcpy(target.data(), source.data(), source.size());
    benchmark::DoNotOptimize(target.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(source.size()));
}
BENCHMARK(BM_MemcpyScreenBmp)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace torvane
