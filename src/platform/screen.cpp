#include "platform/screen.h"

#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include "overlay/bmp_file.h"

namespace torvane {

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
