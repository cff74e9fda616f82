#include "contact_sheet.h"

#include <QFont>
#include <QPainter>

namespace torvane::assetgen {
namespace {

constexpr int kMargin = 16;
constexpr int kLabelHeight = 18;
constexpr int kWidth = 1240;

void checkerboard(QPainter& p, const QRect& r) {
  p.save();
  p.setClipRect(r);
  for (int y = r.top(); y <= r.bottom(); y += 8) {
    for (int x = r.left(); x <= r.right(); x += 8) {
      const bool dark = ((x - r.left()) / 8 + (y - r.top()) / 8) % 2;
      p.fillRect(x, y, 8, 8, dark ? QColor(0xc8, 0xc8, 0xc8) : QColor(0xee, 0xee, 0xee));
    }
  }
  p.restore();
}

QImage magentaToClear(const QImage& image) {
  QImage out = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < out.height(); ++y) {
    for (int x = 0; x < out.width(); ++x) {
      if ((out.pixel(x, y) & 0xFFFFFF) == 0xFF00FF) out.setPixel(x, y, 0);
    }
  }
  return out;
}

class Sheet {
 public:
  explicit Sheet(QImage& image) : painter_(&image) {
    QFont font("DejaVu Sans");
    font.setPixelSize(11);
    painter_.setFont(font);
  }

  void heading(const QString& text) {
    newRow();
    QFont bold = painter_.font();
    bold.setPixelSize(15);
    bold.setBold(true);
    painter_.save();
    painter_.setFont(bold);
    painter_.setPen(QColor(0x20, 0x20, 0x20));
    painter_.drawText(kMargin, y_ + 16, text);
    painter_.restore();
    y_ += 26;
  }

  // Draws `image` enlarged `scale` times in the next cell; returns the cell's image rectangle.
  QRect cell(const QImage& image, int scale, const QString& label, bool checkered) {
    const QRect r(0, 0, image.width() * scale, image.height() * scale);
    if (x_ + r.width() > kWidth - kMargin) newRow();
    const QRect placed = r.translated(x_, y_);
    if (checkered) {
      checkerboard(painter_, placed);
    } else {
      painter_.fillRect(placed, Qt::white);
    }
    painter_.drawImage(placed, image);
    painter_.setPen(QColor(0x90, 0x90, 0x90));
    painter_.drawRect(placed.adjusted(-1, -1, 0, 0));
    painter_.setPen(QColor(0x20, 0x20, 0x20));
    painter_.drawText(QRect(x_ - 4, placed.bottom() + 3, r.width() + 8, kLabelHeight),
                      Qt::AlignHCenter | Qt::AlignTop, label);
    x_ += r.width() + kMargin;
    rowHeight_ = std::max(rowHeight_, r.height() + kLabelHeight + kMargin);
    return placed;
  }

  void outlinePixel(const QRect& cellRect, int x, int y, int scale) {
    const QRect px(cellRect.left() + x * scale, cellRect.top() + y * scale, scale, scale);
    painter_.setPen(QPen(QColor(0xff, 0x00, 0xc8), 2));
    painter_.drawRect(px.adjusted(-1, -1, 0, 0));
    painter_.setPen(QPen(QColor(0x00, 0xb4, 0xff), 1));
    painter_.drawRect(px.adjusted(-3, -3, 2, 2));
  }

  int bottom() {
    newRow();
    return y_;
  }

 private:
  void newRow() {
    if (rowHeight_) y_ += rowHeight_;
    x_ = kMargin;
    rowHeight_ = 0;
  }

  QPainter painter_;
  int x_ = kMargin;
  int y_ = kMargin;
  int rowHeight_ = 0;
};

// Draws everything from the top of `image` down and returns the height used.
int draw(QImage& image, const std::vector<CursorArt>& cursors,
         const std::vector<PictureArt>& toolbar, const std::vector<PictureArt>& pictures,
         const QImage& penguin, const QImage& icon) {
  Sheet sheet(image);
  constexpr int kCursorScale = 4;
  sheet.heading("Cursors (hotspot outlined)");
  for (const CursorArt& c : cursors) {
    const QRect r = sheet.cell(
        c.image, kCursorScale,
        QString("%1 (%2,%3)").arg(QString::fromStdString(c.file).mid(7)).arg(c.hotX).arg(c.hotY),
        true);
    sheet.outlinePixel(r, c.hotX, c.hotY, kCursorScale);
  }
  sheet.heading("Toolbar images (on white)");
  for (const PictureArt& t : toolbar) {
    sheet.cell(t.image, 4, QString::fromStdString(t.file).mid(8), false);
  }
  sheet.heading("Pictures (magenta shown as checkerboard)");
  for (const PictureArt& p : pictures) {
    const int scale = p.image.width() <= 20 ? 6 : p.image.width() <= 50 ? 4 : 2;
    sheet.cell(magentaToClear(p.image), scale, QString::fromStdString(p.file), true);
  }
  sheet.heading("Promotion picture and application icon");
  sheet.cell(penguin, 6, "promo_penguin", false);
  sheet.cell(icon, 2, "torvane (64 x 64)", true);
  return sheet.bottom();
}

}  // namespace

QImage contactSheet(const std::vector<CursorArt>& cursors, const std::vector<PictureArt>& toolbar,
                    const std::vector<PictureArt>& pictures, const QImage& penguin,
                    const QImage& icon) {
  QImage sheet(kWidth, 4000, QImage::Format_RGB32);
  sheet.fill(QColor(0xfa, 0xfa, 0xf7));
  const int height = draw(sheet, cursors, toolbar, pictures, penguin, icon);
  return sheet.copy(0, 0, kWidth, height);
}

}  // namespace torvane::assetgen
