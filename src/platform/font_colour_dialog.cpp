#include "platform/font_colour_dialog.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>

namespace torvane {

namespace {

struct NamedColour {
  const char* name;
  Colour colour;
};

// The sixteen classic colours a font dialog offers.
constexpr std::array<NamedColour, 16> kColours{{
    {"黑色", 0x000000}, {"褐红色", 0x000080}, {"绿色", 0x008000}, {"橄榄色", 0x008080},
    {"深蓝色", 0x800000}, {"紫色", 0x800080}, {"深青色", 0x808000}, {"灰色", 0x808080},
    {"银色", 0xC0C0C0}, {"红色", 0x0000FF}, {"酸橙色", 0x00FF00}, {"黄色", 0x00FFFF},
    {"蓝色", 0xFF0000}, {"紫红色", 0xFF00FF}, {"水绿色", 0xFFFF00}, {"白色", 0xFFFFFF},
}};

QColor qcolour(Colour c) { return QColor(c & 0xFF, c >> 8 & 0xFF, c >> 16 & 0xFF); }

QIcon swatch(Colour c) {
  QPixmap pixmap(24, 12);
  pixmap.fill(qcolour(c));
  return QIcon(pixmap);
}

void addColour(QComboBox* box, const QString& name, Colour c) {
  box->addItem(swatch(c), name, QVariant::fromValue(static_cast<uint>(c)));
}

}  // namespace

FontColourDialog::FontColourDialog(const CommonDialog::FontResult* previous)
    : fonts_(new QFontDialog(this)), colours_(new QComboBox(this)) {
  setWindowTitle(QStringLiteral("字体"));
  fonts_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
  fonts_->setWindowFlags(Qt::Widget);

  for (const NamedColour& c : kColours) addColour(colours_, QString::fromUtf8(c.name), c.colour);
  const Colour startColour = previous ? previous->colour : 0;
  int index = colours_->findData(QVariant::fromValue(static_cast<uint>(startColour)));
  if (index < 0) {
    addColour(colours_, QStringLiteral("自定义"), startColour);
    index = colours_->count() - 1;
  }
  colours_->setCurrentIndex(index);

  if (previous) {
    QFont font(previous->name);
    if (previous->size > 0) font.setPointSize(previous->size);
    font.setBold(previous->bold);
    font.setItalic(previous->italic);
    font.setUnderline(previous->underline);
    font.setStrikeOut(previous->strikeout);
    fonts_->setCurrentFont(font);
  }

  auto* other = new QPushButton(QStringLiteral("其他颜色..."), this);
  connect(other, &QPushButton::clicked, this, &FontColourDialog::chooseOtherColour);
  auto* colourRow = new QHBoxLayout;
  colourRow->addWidget(new QLabel(QStringLiteral("颜色:"), this));
  colourRow->addWidget(colours_, 1);
  colourRow->addWidget(other);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(fonts_);
  layout->addLayout(colourRow);
  layout->addWidget(buttons);
}

void FontColourDialog::chooseOtherColour() {
  const QColor chosen = QColorDialog::getColor(qcolour(currentColour()), this);
  if (!chosen.isValid()) return;
  const Colour c = rgb(chosen.red(), chosen.green(), chosen.blue());
  const int index = colours_->findData(QVariant::fromValue(static_cast<uint>(c)));
  if (index >= 0) {
    colours_->setCurrentIndex(index);
    return;
  }
  addColour(colours_, QStringLiteral("自定义"), c);
  colours_->setCurrentIndex(colours_->count() - 1);
}

Colour FontColourDialog::currentColour() const {
  return static_cast<Colour>(colours_->currentData().toUInt());
}

CommonDialog::FontResult FontColourDialog::result() const {
  const QFont font = fonts_->currentFont();
  CommonDialog::FontResult r;
  r.name = font.family();
  r.size = font.pointSize() > 0 ? font.pointSize() : 0;
  r.bold = font.weight() >= QFont::Bold;
  r.italic = font.italic();
  r.underline = font.underline();
  r.strikeout = font.strikeOut();
  r.colour = currentColour();
  return r;
}

}  // namespace torvane
