#include "platform/text_painter.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "platform/gbk_codec.h"

namespace torvane {

namespace {

constexpr const char* kFallbackFace = "宋体";
constexpr std::size_t kMaxFaceNameBytes = 32;

double screenDotsPerInchY() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->logicalDotsPerInchY() : 96.0;
}

QFont fontFrom(const FontSpec* spec) {
  if (!spec) return QGuiApplication::font();
  const bool useFallback = spec->name.empty() || spec->name.size() >= kMaxFaceNameBytes;
  QFont font(QString::fromUtf8(useFallback ? kFallbackFace : gbkToUtf8(spec->name).c_str()));
  const int height = characterHeightPixels(std::max(0, spec->size), screenDotsPerInchY());
  if (height > 0) font.setPixelSize(height);
  font.setWeight(spec->bold ? QFont::Bold : QFont::Normal);
  font.setItalic(spec->italic != 0);
  font.setUnderline(spec->underline != 0);
  font.setStrikeOut(spec->strikeout != 0);
  return font;
}

QString textFrom(std::string_view gbk) { return QString::fromUtf8(gbkToUtf8(gbk)); }

}  // namespace

int characterHeightPixels(int sizePoints, double dotsPerInch) {
  if (sizePoints <= 0) return 0;
  return static_cast<int>(std::lround(sizePoints * dotsPerInch / 72.0));
}

int textLineHeight(const FontSpec* font) {
  const QFontMetrics metrics(fontFrom(font));
  return metrics.ascent() + metrics.descent();
}

Rect drawTextLine(RasterImage& image, int x, int y, std::string_view gbkLine, const FontSpec* font,
                  Colour colour) {
  const QString text = textFrom(gbkLine);
  if (text.isEmpty() || image.width <= 0 || image.height <= 0) return {};
  QImage target(reinterpret_cast<uchar*>(image.pixels.data()), image.width, image.height,
                image.width * 4, QImage::Format_RGB32);
  const QFont qfont = fontFrom(font);
  const QFontMetrics metrics(qfont);

  QTransform transform;
  transform.translate(x, y);
  if (font && font->angle != 0) transform.rotate(-font->angle / 10.0);

  QPainter painter(&target);
  painter.setFont(qfont);
  painter.setPen(QColor(colour & 0xFF, colour >> 8 & 0xFF, colour >> 16 & 0xFF));
  painter.setTransform(transform);
  painter.drawText(QPointF(0, metrics.ascent()), text);
  painter.end();

  // Glyph ink can overhang the advance (italics, some CJK faces): pad the reported area.
  const int pad = metrics.height() / 2 + 2;
  const QRect ink = metrics.boundingRect(text).translated(0, metrics.ascent()).united(
      QRect(0, 0, metrics.horizontalAdvance(text), metrics.height()));
  const QRect changed = transform.mapRect(ink.adjusted(-pad, -pad, pad, pad))
                            .intersected(QRect(0, 0, image.width, image.height));
  return {changed.x(), changed.y(), changed.width(), changed.height()};
}

}  // namespace torvane
