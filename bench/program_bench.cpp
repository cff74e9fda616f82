// The real program on the X display that scripts/with-display.sh starts: start-up latency,
// resident memory, CPU per mouse move while the paint can (the 80-pixel roller) drags, and CPU at
// rest. Meant for TORVANE_TEST_SCREEN=1920x1080x24.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace torvane {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int kPaletteWidth = 342;
constexpr int kPaletteHeight = 103;
// The paint can's button on the palette's first page, which is current at start: client area at
// (3, 25), toolbar at (8, 24) in it, third 40-pixel button.
constexpr int kPaintCanX = 3 + 8 + 2 * 40 + 20;
constexpr int kPaintCanY = 25 + 24 + 20;
constexpr int kRollerMoves = 2000;
constexpr auto kMovePace = 4ms;
constexpr auto kRestSpan = 2s;

// Why the benchmarks cannot run here, or nothing when they can.
std::optional<std::string> unusableDisplay() {
  if (!std::getenv("DISPLAY")) {
    return "no X display (DISPLAY is unset): run inside scripts/with-display.sh with "
           "TORVANE_TEST_SCREEN=1920x1080x24";
  }
  // It moves the pointer and presses buttons: never on somebody's desktop.
  if (!std::getenv("TORVANE_TEST_WM_PID")) {
    return "runs only on the private display of scripts/with-display.sh";
  }
  return std::nullopt;
}

// The benchmark's own connection: a known desktop, real input through XTest, and the server's
// damage reports, which tell when a window's pixels reach the screen.
class BenchDisplay {
 public:
  BenchDisplay() : display_(XOpenDisplay(nullptr)) {
    if (!display_) return;
    root_ = DefaultRootWindow(display_);
    width = DisplayWidth(display_, DefaultScreen(display_));
    height = DisplayHeight(display_, DefaultScreen(display_));
    int error = 0;
    damageOk_ = XDamageQueryExtension(display_, &damageEvent_, &error);
  }
  ~BenchDisplay() {
    if (damage_) XDamageDestroy(display_, damage_);
    if (desktop_) XFreePixmap(display_, desktop_);
    if (display_) XCloseDisplay(display_);
  }
  BenchDisplay(const BenchDisplay&) = delete;
  BenchDisplay& operator=(const BenchDisplay&) = delete;

  bool usable() const { return display_ && damageOk_; }

  // A fine, non-uniform picture on the root window, so that the capture has real content.
  void setDesktop() {
    const int screen = DefaultScreen(display_);
    if (!desktop_) {
      desktop_ = XCreatePixmap(display_, root_, width, height, DefaultDepth(display_, screen));
    }
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        std::uint32_t h = (static_cast<std::uint32_t>(x) * 0x9E3779B1u) ^
                          (static_cast<std::uint32_t>(y) * 0x85EBCA77u);
        h ^= h >> 15;
        pixels[static_cast<std::size_t>(y) * width + x] = h * 0x2C1B3C6Du & 0xFFFFFF;
      }
    }
    XImage* image = XCreateImage(
        display_, DefaultVisual(display_, screen), DefaultDepth(display_, screen), ZPixmap, 0,
        reinterpret_cast<char*>(pixels.data()), width, height, 32, width * 4);
    GC gc = XCreateGC(display_, desktop_, 0, nullptr);
    XPutImage(display_, desktop_, gc, image, 0, 0, 0, 0, width, height);
    XFreeGC(display_, gc);
    image->data = nullptr;
    XDestroyImage(image);
    XSetWindowBackgroundPixmap(display_, root_, desktop_);
    XClearWindow(display_, root_);
    XSync(display_, False);
  }

  // From now on, drawing anywhere on the screen is reported; earlier reports are dropped.
  void watchDamage() {
    if (damage_) XDamageDestroy(display_, damage_);
    damage_ = XDamageCreate(display_, root_, XDamageReportRawRectangles);
    XSync(display_, False);
    while (XPending(display_)) {
      XEvent event;
      XNextEvent(display_, &event);
    }
  }

  // Waits until every pixel of the screen has been drawn since watchDamage: the overlay's picture
  // around the palette and the palette itself. The moment the last report arrived, or nothing
  // after `timeout`.
  std::optional<Clock::time_point> waitForFullPaint(Clock::duration timeout) {
    std::vector<std::uint8_t> drawn(static_cast<std::size_t>(width) * height);
    std::size_t left = drawn.size();
    const auto deadline = Clock::now() + timeout;
    while (true) {
      if (!XPending(display_)) {
        const auto wait =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (wait <= 0ms) return std::nullopt;
        pollfd entry{ConnectionNumber(display_), POLLIN, 0};
        poll(&entry, 1, static_cast<int>(wait.count()));
        continue;
      }
      XEvent event;
      XNextEvent(display_, &event);
      const auto arrived = Clock::now();
      if (event.type != damageEvent_ + XDamageNotify) continue;
      const XRectangle& r = reinterpret_cast<XDamageNotifyEvent&>(event).area;
      const int right = std::min<int>(r.x + r.width, width);
      const int bottom = std::min<int>(r.y + r.height, height);
      for (int y = std::max<int>(r.y, 0); y < bottom; ++y) {
        for (int x = std::max<int>(r.x, 0); x < right; ++x) {
          std::uint8_t& pixel = drawn[static_cast<std::size_t>(y) * width + x];
          left -= pixel == 0;
          pixel = 1;
        }
      }
      if (left == 0) return arrived;
    }
  }

  // Drawing reports received since the last watchDamage or countDamage.
  int countDamage() {
    XSync(display_, False);
    int reports = 0;
    while (XPending(display_)) {
      XEvent event;
      XNextEvent(display_, &event);
      reports += event.type == damageEvent_ + XDamageNotify;
    }
    return reports;
  }

  void moveMouse(int x, int y) {
    XTestFakeMotionEvent(display_, DefaultScreen(display_), x, y, CurrentTime);
    XSync(display_, False);
  }
  void button(bool down) {
    XTestFakeButtonEvent(display_, 1, down ? True : False, CurrentTime);
    XSync(display_, False);
  }
  void click(int x, int y) {
    moveMouse(x, y);
    std::this_thread::sleep_for(30ms);
    button(true);
    std::this_thread::sleep_for(30ms);
    button(false);
    std::this_thread::sleep_for(30ms);
  }

  int width = 0;
  int height = 0;

 private:
  Display* display_;
  Window root_ = 0;
  Pixmap desktop_ = 0;
  Damage damage_ = 0;
  int damageEvent_ = 0;
  bool damageOk_ = false;
};

// The real binary, killed at the end.
class Program {
 public:
  Program() {
    pid_ = fork();
    if (pid_ == 0) {
      const int devNull = open("/dev/null", O_RDWR);
      dup2(devNull, STDIN_FILENO);
      dup2(devNull, STDOUT_FILENO);
      dup2(devNull, STDERR_FILENO);
      // The canvas benchmarks in this binary draw text offscreen; the program must use the display.
      unsetenv("QT_QPA_PLATFORM");
      execl(TORVANE_BINARY, TORVANE_BINARY, static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  ~Program() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // User and system CPU time of all its threads so far.
  std::chrono::duration<double> cpuTime() const {
    std::ifstream in("/proc/" + std::to_string(pid_) + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), {});
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string skip;
    for (int field = 3; field < 14; ++field) fields >> skip;
    double user = 0;
    double system = 0;
    fields >> user >> system;
    return std::chrono::duration<double>((user + system) / double(sysconf(_SC_CLK_TCK)));
  }

  double residentMegabytes() const {
    std::ifstream in("/proc/" + std::to_string(pid_) + "/status");
    for (std::string line; std::getline(in, line);) {
      if (line.starts_with("VmRSS:")) return std::atof(line.c_str() + 6) / 1024.0;
    }
    return 0;
  }

 private:
  pid_t pid_ = -1;
};

bool prepare(benchmark::State& state, BenchDisplay& screen) {
  if (const auto why = unusableDisplay()) {
    state.SkipWithError(why->c_str());
    return false;
  }
  if (!screen.usable()) {
    state.SkipWithError("cannot open the X display or it lacks the DAMAGE extension");
    return false;
  }
  state.SetLabel(std::to_string(screen.width) + "x" + std::to_string(screen.height));
  screen.setDesktop();
  screen.moveMouse(screen.width - 10, screen.height - 10);
  return true;
}

// From fork and exec to the moment the X server has drawn both the overlay's full-screen picture
// and the palette: the frozen picture is on the screen and the program is ready for input.
void BM_ProgramStartToFrozenPicture(benchmark::State& state) {
  BenchDisplay screen;
  if (!prepare(state, screen)) return;
  double resident = 0;
  for (auto _ : state) {
    {
      screen.watchDamage();
      const auto start = Clock::now();
      Program program;
      const auto shown = screen.waitForFullPaint(10s);
      if (!shown) {
        state.SkipWithError("the frozen picture did not appear within 10 s");
        break;
      }
      state.SetIterationTime(std::chrono::duration<double>(*shown - start).count());
      std::this_thread::sleep_for(300ms);
      resident += program.residentMegabytes();
    }
    // The desktop comes back once the program is gone; that redraw must not count for the next.
    std::this_thread::sleep_for(300ms);
  }
  state.counters["resident_MB"] = benchmark::Counter(resident, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ProgramStartToFrozenPicture)->UseManualTime()->Unit(benchmark::kMillisecond);

// A zigzag over the upper part of the screen, 8 pixels a move, clear of the centred palette.
std::vector<std::pair<int, int>> rollerPath(int width, int height, int moves) {
  std::vector<std::pair<int, int>> path;
  const int left = width / 20;
  const int right = width - width / 20;
  int x = left;
  int y = height / 10;
  int step = 8;
  while (static_cast<int>(path.size()) < moves) {
    path.emplace_back(x, y);
    x += step;
    if (x < left || x > right) {
      step = -step;
      x += 2 * step;
      y = y + 12 > height * 4 / 10 ? height / 10 : y + 12;
    }
  }
  return path;
}

// CPU at rest, then the roller dragged over 2000 moves, each a separate XTest motion a few
// milliseconds after the last so that the toolkit does not merge them. The CPU per move is the
// program's CPU time during the drag minus what it spends at rest over the same span.
void BM_ProgramRollerDrag(benchmark::State& state) {
  BenchDisplay screen;
  if (!prepare(state, screen)) return;
  for (auto _ : state) {
    screen.watchDamage();
    Program program;
    if (!screen.waitForFullPaint(10s)) {
      state.SkipWithError("the frozen picture did not appear within 10 s");
      break;
    }
    std::this_thread::sleep_for(500ms);
    const double residentAtStart = program.residentMegabytes();

    const auto restCpu = program.cpuTime();
    const auto restStart = Clock::now();
    std::this_thread::sleep_for(kRestSpan);
    const double restShare = (program.cpuTime() - restCpu).count() /
                             std::chrono::duration<double>(Clock::now() - restStart).count();

    screen.click((screen.width - kPaletteWidth) / 2 + kPaintCanX,
                 (screen.height - kPaletteHeight) / 2 + kPaintCanY);
    const auto path = rollerPath(screen.width, screen.height, kRollerMoves);
    screen.moveMouse(path.front().first, path.front().second);
    std::this_thread::sleep_for(50ms);

    screen.countDamage();
    const auto dragCpu = program.cpuTime();
    const auto dragStart = Clock::now();
    screen.button(true);
    double residentHalfway = 0;
    for (int i = 0; i < kRollerMoves; ++i) {
      screen.moveMouse(path[static_cast<std::size_t>(i)].first,
                       path[static_cast<std::size_t>(i)].second);
      std::this_thread::sleep_for(kMovePace);
      if (i == kRollerMoves / 2) residentHalfway = program.residentMegabytes();
    }
    screen.button(false);
    std::this_thread::sleep_for(200ms);  // the last moves are handled
    const double dragWall = std::chrono::duration<double>(Clock::now() - dragStart).count();
    const double dragSeconds = (program.cpuTime() - dragCpu).count() - restShare * dragWall;
    const double residentAfter = program.residentMegabytes();
    const int updates = screen.countDamage();

    state.counters["rest_cpu_percent"] = 100 * restShare;
    state.counters["cpu_ms_per_move"] = 1000 * dragSeconds / kRollerMoves;
    // About one per move when every move is handled and drawn on its own, none merged.
    state.counters["screen_updates_per_move"] = double(updates) / kRollerMoves;
    state.counters["resident_start_MB"] = residentAtStart;
    state.counters["resident_after_moves_MB"] = residentAfter;
    state.counters["resident_growth_last_1000_moves_MB"] = residentAfter - residentHalfway;
  }
}
BENCHMARK(BM_ProgramRollerDrag)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace torvane
