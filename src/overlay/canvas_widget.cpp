#include "overlay/canvas_widget.h"

#include <QCursor>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include "platform/text_painter.h"

namespace torvane {

namespace {

QPoint pointOf(const QMouseEvent* event) { return event->position().toPoint(); }

}  // namespace

CanvasWidget::CanvasWidget(QWidget* parent) : QWidget(parent), surface_(*this) {
  // Every pixel comes from the canvas image: no background erase, no double buffer flicker.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);
  surface_.setBackgroundColour(colourFromPixel(palette().color(QPalette::Window).rgb()));
}

void CanvasWidget::imageChanged(const Rect& area) {
  update(area.x, area.y, area.width, area.height);
}

void CanvasWidget::cursorChanged(const CursorImage* cursor) {
  if (!cursor) {
    setCursor(Qt::ArrowCursor);
    return;
  }
  const QImage image(reinterpret_cast<const uchar*>(cursor->argb.data()), cursor->width,
                     cursor->height, cursor->width * 4, QImage::Format_ARGB32);
  setCursor(QCursor(QPixmap::fromImage(image), cursor->hotX, cursor->hotY));
}

int CanvasWidget::textLineHeight(const FontSpec* font) { return torvane::textLineHeight(font); }

Rect CanvasWidget::drawTextLine(RasterImage& image, int x, int y, std::string_view gbkLine,
                                const FontSpec* font, Colour colour) {
  return torvane::drawTextLine(image, x, y, gbkLine, font, colour);
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
  const RasterImage& image = surface_.image();
  const QImage view(reinterpret_cast<const uchar*>(image.pixels.data()), image.width, image.height,
                    image.width * 4, QImage::Format_RGB32);
  QPainter painter(this);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  const QRect area = event->rect();
  painter.drawImage(area, view, area);
}

void CanvasWidget::resizeEvent(QResizeEvent*) { surface_.resize(width(), height()); }

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && handlers_.leftPress) {
    handlers_.leftPress(pointOf(event).x(), pointOf(event).y());
  }
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* event) {
  if (handlers_.mouseMove) handlers_.mouseMove(pointOf(event).x(), pointOf(event).y());
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = pointOf(event);
  if (event->button() == Qt::LeftButton && handlers_.leftRelease) {
    handlers_.leftRelease(p.x(), p.y());
  } else if (event->button() == Qt::RightButton && handlers_.rightRelease) {
    handlers_.rightRelease(p.x(), p.y());
  }
}

}  // namespace torvane
