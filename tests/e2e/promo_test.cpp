#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <numeric>
#include <sstream>
#include <stdexcept>

#include "e2e/palette_driver.h"
#include "overlay/tool_catalogue.h"
#include "platform/gbk_codec.h"
#include "support/local_http_server.h"

namespace torvane::e2e {
namespace {

using namespace std::chrono_literals;
using test::LocalHttpServer;

constexpr int kOuterWidth = 607;
constexpr int kOuterHeight = 75;
// Controls in the window's client area.
constexpr int kEditBoxX = 56;
constexpr int kEditBoxWidth = 528;
constexpr int kEditBoxHeight = 40;
constexpr int kPictureCentreX = 16 + 12;
constexpr int kPictureCentreY = 8 + 12;

// Text colours as the screen shows them (0xRRGGBB).
constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kViolet = 0x9000FF;
constexpr std::uint32_t kBlue = 0x0000FF;
constexpr std::array kTextColours{kRed, kViolet, kBlue};

// The port of the page the test build fetches, when that page is on this machine's loopback.
std::optional<int> loopbackPagePort() {
  const std::string_view url = TORVANE_PROMO_PAGE_URL;
  constexpr std::string_view prefix = "http://127.0.0.1:";
  if (!url.starts_with(prefix)) return std::nullopt;
  return std::atoi(std::string(url.substr(prefix.size())).c_str());
}

// What the edit box shows: the colour most of its ink has (0 when it shows no text) and the
// rightmost ink column, which tells lines of different lengths apart.
struct BoxState {
  std::uint32_t colour = 0;
  int inkRight = -1;
  bool operator==(const BoxState&) const = default;
};

std::ostream& operator<<(std::ostream& out, const BoxState& s) {
  return out << std::hex << "#" << s.colour << std::dec << " ink to " << s.inkRight;
}

int channel(std::uint32_t pixel, int shift) { return static_cast<int>(pixel >> shift & 0xFF); }

// Strongly coloured pixels are ink; greys (frame, caret, background) are not. Anti-aliased edges
// blend towards white, so each ink pixel votes for the nearest of the three text colours.
BoxState readEditBox(XSession& x, const WindowInfo& promo) {
  const Pixels box = x.grabArea(promo.x + kEditBoxX, promo.y, kEditBoxWidth, kEditBoxHeight);
  std::array<int, kTextColours.size()> votes{};
  BoxState state;
  for (int py = 0; py < box.height; ++py) {
    for (int px = 0; px < box.width; ++px) {
      const std::uint32_t p = box.at(px, py);
      if (channel(p, 8) >= 96 || std::max(channel(p, 16), channel(p, 0)) < 128) continue;
      std::size_t nearest = 0;
      int best = 1 << 30;
      for (std::size_t i = 0; i < kTextColours.size(); ++i) {
        int distance = 0;
        for (int shift : {0, 8, 16}) {
          const int d = channel(p, shift) - channel(kTextColours[i], shift);
          distance += d * d;
        }
        if (distance < best) {
          best = distance;
          nearest = i;
        }
      }
      ++votes[nearest];
      state.inkRight = std::max(state.inkRight, px);
    }
  }
  const auto most = std::max_element(votes.begin(), votes.end());
  if (*most < 20) return {};
  state.colour = kTextColours[static_cast<std::size_t>(most - votes.begin())];
  return state;
}

bool isPromo(const WindowInfo& w, const XSession& x) {
  return !w.overrideRedirect && !(w.width == x.screenWidth() && w.height == x.screenHeight());
}

std::vector<WindowInfo> promoWindows(XSession& x, PaletteDriver& driver) {
  std::vector<WindowInfo> found;
  for (const WindowInfo& w : x.windowsOf(driver.process().pid())) {
    if (isPromo(w, x)) found.push_back(w);
  }
  return found;
}

// Moves the palette up, off the promotion window's place, clicks "一起学编程" and waits until the
// promotion window shows its text.
WindowInfo openPromo(XSession& x, PaletteDriver& driver) {
  driver.dragTo(driver.palette().x, 120);
  driver.clickPromotionButton();
  const auto promo = x.waitForWindow(
      driver.process().pid(), [&](const WindowInfo& w) { return isPromo(w, x); }, 10s);
  if (!promo) throw std::runtime_error("no promotion window: " + driver.process().standardError());
  waitUntil([&] { return readEditBox(x, *promo).colour != 0; }, 2s);
  return *promo;
}

// The box's states in the order they appear, each held for a few samples (a state seen only
// while the box repaints does not count), until `count` are seen or `timeout` passes.
struct TimedState {
  BoxState state;
  std::chrono::steady_clock::time_point since;
};

std::vector<TimedState> observeStates(XSession& x, const WindowInfo& promo, std::size_t count,
                                      std::chrono::milliseconds timeout) {
  constexpr int kStableSamples = 3;
  std::vector<TimedState> seen;
  BoxState candidate;
  auto candidateSince = std::chrono::steady_clock::now();
  int repeats = 0;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (seen.size() < count && std::chrono::steady_clock::now() < deadline) {
    const auto now = std::chrono::steady_clock::now();
    const BoxState state = readEditBox(x, promo);
    if (state == candidate) {
      ++repeats;
    } else {
      candidate = state;
      candidateSince = now;
      repeats = 1;
    }
    if (repeats == kStableSamples && (seen.empty() || !(seen.back().state == candidate))) {
      seen.push_back({candidate, candidateSince});
    }
    XSession::pause(40ms);
  }
  return seen;
}

// Pixels in a rectangle of the screen that differ from the desktop picture.
int changedPixels(XSession& x, const PaletteDriver& driver, int left, int top, int width,
                  int height) {
  const Pixels area = x.grabArea(left, top, width, height);
  int changed = 0;
  for (int py = 0; py < height; ++py) {
    for (int px = 0; px < width; ++px) {
      changed += area.at(px, py) != driver.desktop().at(left + px, top + py);
    }
  }
  return changed;
}

class TempDir {
 public:
  TempDir() {
    char pattern[] = "/tmp/torvanePromoXXXXXX";
    path = mkdtemp(pattern);
  }
  ~TempDir() { std::system(("rm -rf '" + path + "'").c_str()); }
  std::string path;
};

class Promo : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!loopbackPagePort()) {
      GTEST_SKIP() << "the promotion page is not on loopback; configure the test build with "
                      "-DTORVANE_PROMO_PAGE_URL=http://127.0.0.1:47831/promo.html";
    }
  }
  XSession x;
};

TEST_F(Promo, OpensCentredWithAnEmptyTitleAndTheInitialTextInRed) {
  PaletteDriver driver(x);
  const WindowInfo promo = openPromo(x, driver);

  const WindowInfo frame = x.frameOf(promo.id);
  EXPECT_EQ(frame.width, kOuterWidth);
  EXPECT_EQ(frame.height, kOuterHeight);
  EXPECT_EQ(frame.x, (x.screenWidth() - kOuterWidth) / 2);
  EXPECT_EQ(frame.y, (x.screenHeight() - kOuterHeight) / 2);
  EXPECT_EQ(promo.title, "");
  EXPECT_EQ(readEditBox(x, promo).colour, kRed);
}

TEST_F(Promo, ShowsTheTwoLinesInTurnInCyclingColours) {
  // The short line first, so that the lines differ in their ink's extent.
  const std::string page = utf8ToGbk(
      "<html><body><p>Quorrel头部</p><p>广告1=学编程</p>"
      "<p>广告2=每周都有新的编程课程和免费工具</p><p>Quorrel尾部</p></body></html>");
  LocalHttpServer server("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n" + page,
                         LocalHttpServer::After::Close, *loopbackPagePort());
  PaletteDriver driver(x);
  const WindowInfo promo = openPromo(x, driver);
  EXPECT_TRUE(server.wasContacted());

  const std::vector<TimedState> seen = observeStates(x, promo, 4, 12s);
  ASSERT_EQ(seen.size(), 4u);
  const BoxState& initial = seen[0].state;
  const BoxState& line1 = seen[1].state;
  const BoxState& line2 = seen[2].state;
  EXPECT_EQ(initial.colour, kRed) << initial;
  EXPECT_EQ(line1.colour, kViolet) << line1;
  EXPECT_EQ(line2.colour, kBlue) << line2;
  EXPECT_EQ(seen[3].state, (BoxState{kRed, line1.inkRight})) << seen[3].state;
  EXPECT_LT(line1.inkRight, line2.inkRight);
  EXPECT_LT(line2.inkRight, initial.inkRight);

  const auto period = seen[2].since - seen[1].since;
  EXPECT_GT(period, 1500ms);
  EXPECT_LT(period, 3000ms);
}

TEST_F(Promo, WithoutAServerTheBoxEmptiesWhileTheColourKeepsCycling) {
  PaletteDriver driver(x);
  const WindowInfo promo = openPromo(x, driver);
  EXPECT_EQ(readEditBox(x, promo).colour, kRed);

  // Typed text shows the current colour until the next tick empties the box again.
  const auto emptied = [&] { return readEditBox(x, promo).colour == 0; };
  ASSERT_TRUE(waitUntil(emptied, 3s)) << "the first tick did not empty the box";
  for (std::uint32_t colour : {kViolet, kBlue, kRed}) {
    SCOPED_TRACE(colour);
    x.click(promo.x + kEditBoxX + 40, promo.y + kEditBoxHeight / 2);
    x.typeText("abc");
    EXPECT_TRUE(waitUntil([&] { return readEditBox(x, promo).colour == colour; }, 1s))
        << readEditBox(x, promo);
    ASSERT_TRUE(waitUntil(emptied, 3s)) << "the tick did not empty the box";
  }
}

TEST_F(Promo, PressingThePictureRunsTheUrlOpenerWithTheChatLink) {
  const TempDir dir;
  const std::string stub = dir.path + "/browser";
  const std::string record = dir.path + "/opened";
  std::ofstream(stub) << "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" << record << ".part'\nmv '"
                      << record << ".part' '" << record << "'\n";
  chmod(stub.c_str(), 0700);
  // xdg-open finds no desktop environment and no registered handler here, so it runs $BROWSER.
  PaletteDriver driver(x, {{"BROWSER", stub},
                           {"XDG_CURRENT_DESKTOP", ""},
                           {"DESKTOP_SESSION", ""},
                           {"KDE_FULL_SESSION", ""},
                           {"GNOME_DESKTOP_SESSION_ID", ""},
                           {"XDG_CONFIG_HOME", dir.path},
                           {"XDG_CONFIG_DIRS", dir.path},
                           {"XDG_DATA_HOME", dir.path},
                           {"XDG_DATA_DIRS", dir.path},
                           {"DBUS_SESSION_BUS_ADDRESS", "unix:path=" + dir.path + "/no-bus"}});
  const WindowInfo promo = openPromo(x, driver);

  // The press opens the link; the release is not needed.
  x.moveMouse(promo.x + kPictureCentreX, promo.y + kPictureCentreY);
  x.pressButton(1);
  const bool opened = waitUntil([&] { return std::ifstream(record).good(); }, 10s);
  x.releaseButton(1);
  ASSERT_TRUE(opened) << "the URL opener did not run";
  std::stringstream arguments;
  arguments << std::ifstream(record).rdbuf();
  EXPECT_EQ(arguments.str(), std::string(TORVANE_CHAT_URL) + "\n");
}

TEST_F(Promo, BlocksTheOverlayButNotThePaletteUntilEscClosesIt) {
  PaletteDriver driver(x);
  const WindowInfo promo = openPromo(x, driver);

  // A brush stroke on the frozen picture draws nothing.
  const std::vector<std::pair<int, int>> stroke{
      {100, 650}, {150, 650}, {200, 650}, {250, 650}, {300, 650}};
  x.drag(1, stroke);
  XSession::pause(200ms);
  EXPECT_EQ(changedPixels(x, driver, 80, 560, 240, 180), 0) << "the overlay took the stroke";

  // The palette keeps working: its pages switch and it chooses a tool.
  const WindowInfo palette = driver.palette();
  const Pixels before = x.grabArea(palette.x, palette.y, palette.width, palette.height);
  driver.showPage(0);
  const Pixels after = x.grabArea(palette.x, palette.y, palette.width, palette.height);
  EXPECT_GT(std::inner_product(before.data.begin(), before.data.end(), after.data.begin(), 0,
                               std::plus<>(), std::not_equal_to<>()),
            500)
      << "the palette did not switch its page";
  driver.selectTool(PaintCan);

  // The click on the picture put the overlay in front; the button brings the open window back
  // instead of opening a second one.
  ASSERT_NE(x.activeWindow(), promo.id);
  driver.clickPromotionButton();
  EXPECT_TRUE(waitUntil(
      [&] { return x.activeWindow() == promo.id && x.stackingOrder().back() == promo.id; }, 3s));
  XSession::pause(300ms);
  EXPECT_EQ(promoWindows(x, driver).size(), 1u);
  EXPECT_NE(readEditBox(x, promo).colour, 0u) << "the window is not visible in front";

  x.pressKey("Escape");
  ASSERT_TRUE(waitUntil([&] { return promoWindows(x, driver).empty(); }, 3s)) << "Esc";

  // The overlay takes input again, with the tool chosen meanwhile: an 80-pixel paint can line.
  x.drag(1, stroke);
  int black = 0;
  EXPECT_TRUE(waitUntil(
      [&] {
        const Pixels column = x.grabArea(200, 560, 1, 180);
        black = static_cast<int>(std::count(column.data.begin(), column.data.end(), 0u));
        return black >= 76;
      },
      2s))
      << black << " black pixels across the stroke";
}

}  // namespace
}  // namespace torvane::e2e
