#include "platform/screen.h"

#include <xcb/xcb.h>

#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <bit>
#include <cstdlib>
#include <memory>
#include <optional>

#include "overlay/bmp_file.h"

namespace torvane {

namespace {

// The usual X server layout: 32-bit little-endian words of 0x00RRGGBB.
bool rootHasRgb32Pixels(const xcb_setup_t* setup, const xcb_screen_t* screen) {
  if (std::endian::native != std::endian::little ||
      setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST || screen->root_depth != 24) {
    return false;
  }
  bool words = false;
  for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem; xcb_format_next(&f)) {
    if (f.data->depth == 24) words = f.data->bits_per_pixel == 32 && f.data->scanline_pad == 32;
  }
  for (auto d = xcb_screen_allowed_depths_iterator(screen); d.rem; xcb_depth_next(&d)) {
    for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v)) {
      if (v.data->visual_id != screen->root_visual) continue;
      return words && v.data->red_mask == 0xFF0000 && v.data->green_mask == 0xFF00 &&
             v.data->blue_mask == 0xFF;
    }
  }
  return false;
}

// Reads the area straight from the root window: one request, no toolkit pixmap and no pixel
// conversion before the BMP encoding. Nothing when the display is not an X server with the usual
// pixel layout, or the read fails.
std::optional<Bytes> captureRootArea(const QRect& area) {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11 || area.isEmpty()) return std::nullopt;
  xcb_connection_t* connection = x11->connection();
  const xcb_setup_t* setup = xcb_get_setup(connection);
  const xcb_screen_t* screen = xcb_setup_roots_iterator(setup).data;
  if (!screen || !rootHasRgb32Pixels(setup, screen)) return std::nullopt;
  const xcb_get_image_cookie_t cookie = xcb_get_image(
      connection, XCB_IMAGE_FORMAT_Z_PIXMAP, screen->root, static_cast<std::int16_t>(area.x()),
      static_cast<std::int16_t>(area.y()), static_cast<std::uint16_t>(area.width()),
      static_cast<std::uint16_t>(area.height()), ~0u);
  std::unique_ptr<xcb_get_image_reply_t, decltype(&std::free)> reply(
      xcb_get_image_reply(connection, cookie, nullptr), &std::free);
  const std::size_t pixels = static_cast<std::size_t>(area.width()) * area.height();
  if (!reply || static_cast<std::size_t>(xcb_get_image_data_length(reply.get())) != pixels * 4) {
    return std::nullopt;
  }
  return encodeBmp(reinterpret_cast<const std::uint32_t*>(xcb_get_image_data(reply.get())),
                   area.width(), area.height(), static_cast<std::size_t>(area.width()));
}

}  // namespace

ScreenSize primaryScreenSize() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return {};
  const QRect geometry = screen->geometry();
  return {geometry.width(), geometry.height()};
}

Bytes captureScreen() {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return {};
  const QRect geometry = screen->geometry();
  if (std::optional<Bytes> shot = captureRootArea(geometry)) return std::move(*shot);
  const QImage shot = screen->grabWindow(0, 0, 0, geometry.width(), geometry.height())
                          .toImage()
                          .convertToFormat(QImage::Format_RGB32);
  if (shot.isNull()) return {};
  return encodeBmp(reinterpret_cast<const std::uint32_t*>(shot.constBits()), shot.width(),
                   shot.height(), static_cast<std::size_t>(shot.bytesPerLine() / 4));
}

ScreenPoint pointerPosition() {
  const QPoint p = QCursor::pos();
  return {p.x(), p.y()};
}

}  // namespace torvane
