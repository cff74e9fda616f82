#include "palette/image_toolbar.h"

#include <QImage>
#include <QPainter>
#include <QToolButton>

#include "assets/toolbar_image.h"

namespace torvane {

namespace {

constexpr int kButtonSize = 40;
constexpr int kSeparatorWidth = 8;
constexpr int kImageSize = 32;

QIcon iconFrom(ByteView dib) {
  const RasterImage image = toolbarImagePixels(dib);
  if (image.width <= 0) return {};
  const QImage view(reinterpret_cast<const uchar*>(image.pixels.data()), image.width, image.height,
                    image.width * 4, QImage::Format_RGB32);
  return QIcon(QPixmap::fromImage(view.copy()));
}

}  // namespace

ImageToolbar::ImageToolbar(QWidget* parent, const std::vector<Button>& buttons,
                           std::function<void(int index)> clicked)
    : QWidget(parent) {
  int x = 0;
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const Button& b = buttons[i];
    if (!b.image) {
      x += kSeparatorWidth;
      continue;
    }
    auto* button = new QToolButton(this);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIcon(iconFrom(*b.image));
    button->setIconSize(QSize(kImageSize, kImageSize));
    button->setToolTip(b.tooltip);
    button->setGeometry(x, 0, kButtonSize, kButtonSize);
    const int index = static_cast<int>(i);
    QObject::connect(button, &QToolButton::clicked, this, [clicked, index] { clicked(index); });
    x += kButtonSize;
  }
}

void ImageToolbar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
}

}  // namespace torvane
