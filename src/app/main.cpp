#include <xcb/xcb.h>

#include <QApplication>
#include <QFont>
#include <cstdio>
#include <cstdlib>

#include "app/app_state.h"
#include "app/open_window.h"
#include "app/program_end.h"
#include "overlay/overlay_window.h"
#include "palette/palette_window.h"
#include "promo/promo_window.h"
#include "overlay/sound.h"

namespace {

// Canvas pixels must be screen pixels: no toolkit scaling, whatever the desktop's DPI settings.
void keepPhysicalPixels() {
  setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
  unsetenv("QT_SCALE_FACTOR");
  unsetenv("QT_SCREEN_SCALE_FACTORS");
  unsetenv("QT_AUTO_SCREEN_SCALE_FACTOR");
}

// The toolkit aborts with a core dump when it cannot reach the display; check first.
bool displayReachable() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform && *platform && std::string_view(platform) != "xcb") return true;
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  const bool ok = xcb_connection_has_error(connection) == 0;
  xcb_disconnect(connection);
  return ok;
}

}  // namespace

int main(int, char** argv) {
  using namespace torvane;
  keepPhysicalPixels();
  if (!displayReachable()) {
    std::fprintf(stderr, "torvane: cannot open the X display; start it from an X11 desktop.\n");
    return 255;
  }
  // The program takes no command line.
  int argc = 1;
  QApplication application(argc, argv);
  QFont::insertSubstitutions(QStringLiteral("宋体"),
                             {QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK SC"),
                              QStringLiteral("WenQuanYi Zen Hei")});

  registerCleanup(releaseAppState);
  registerWindowForm(WindowId::Overlay, [] { return new OverlayWindow; });
  registerWindowForm(WindowId::Palette, [] { return new PaletteWindow; });
  registerWindowForm(WindowId::Promo, [] { return new PromoWindow; });
  openWindow(WindowId::Overlay, nullptr, false);
  application.exec();

  runCleanup();
  shutdownSound();
  return 0;
}
