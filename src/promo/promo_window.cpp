#include "promo/promo_window.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTimer>

#include "app/app_state.h"
#include "assets/assets.h"
#include "overlay/picture_decoder.h"
#include "platform/gbk_codec.h"
#include "platform/http_fetch.h"
#include "platform/screen.h"
#include "platform/url_opener.h"
#include "platform/x11_window.h"
#include "promo/promo_page.h"
#include "promo/promo_rotation.h"

namespace torvane {

namespace {

constexpr int kOuterWidth = 607;
constexpr int kOuterHeight = 75;
constexpr QRect kPictureGeometry{16, 8, 24, 24};
constexpr QRect kEditBoxGeometry{56, 0, 528, 40};
const char* const kInitialText = "更多免费工具尽在我的空间，如果好用欢迎转载";

QPixmap penguin() {
  const std::optional<RasterImage> image = decodePicture(kPromoPenguin);
  if (!image) return {};
  const QImage view(reinterpret_cast<const uchar*>(image->pixels.data()), image->width,
                    image->height, image->width * 4, QImage::Format_RGB32);
  return QPixmap::fromImage(view.copy());
}

}  // namespace

PromoWindow::PromoWindow() : picture_(new QLabel(this)), editBox_(new QPlainTextEdit(this)) {
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setWindowTitle(QString());

  picture_->setGeometry(kPictureGeometry);
  picture_->setPixmap(penguin());
  picture_->setCursor(Qt::PointingHandCursor);
  picture_->installEventFilter(this);

  editBox_->setGeometry(kEditBoxGeometry);
  editBox_->setFrameShadow(QFrame::Sunken);
  editBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  editBox_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  editBox_->setPlainText(QString::fromUtf8(kInitialText));
  setTextColour(kPromoRed);

  // The outer frame is the window manager's: size the client so that the frame measures
  // 607 × 75, and place the client so that the frame is centred on the screen. The size is fixed
  // before asking, so that the manager reckons with a frame that has no resize handles.
  setFixedSize(kOuterWidth, kOuterHeight);
  const FrameExtents frame = requestFrameExtents(this);
  const ScreenSize screen = primaryScreenSize();
  const QRect client(
      (screen.width - kOuterWidth) / 2 + frame.left, (screen.height - kOuterHeight) / 2 + frame.top,
      kOuterWidth - frame.left - frame.right, kOuterHeight - frame.top - frame.bottom);
  setFixedSize(client.size());
  setGeometry(client);

  timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
}

void PromoWindow::created() {
  AppState& state = appState();
  const PromoTexts texts = extractPromoTexts(fetchUrl(TORVANE_PROMO_PAGE_URL));
  state.pageText = texts.pageText;
  state.adText1 = texts.adText1;
  state.adText2 = texts.adText2;
  timer_.start(kPromoTickMs);
  showEmptyTitle(this);
}

void PromoWindow::tick() {
  const AppState& state = appState();
  setTextColour(nextPromoColour(textColour_));
  const std::string shown = utf8ToGbk(editBox_->toPlainText().toStdString());
  editBox_->setPlainText(
      QString::fromStdString(gbkToUtf8(nextPromoLine(shown, state.adText1, state.adText2))));
}

void PromoWindow::setTextColour(Colour colour) {
  textColour_ = colour;
  QPalette colours = editBox_->palette();
  colours.setColor(QPalette::Text, QColor(colour & 0xFF, colour >> 8 & 0xFF, colour >> 16 & 0xFF));
  colours.setColor(QPalette::Base, Qt::white);
  editBox_->setPalette(colours);
}

void PromoWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  ProgramWindow::keyPressEvent(event);
}

bool PromoWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == picture_ && event->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    openUrl(TORVANE_CHAT_URL);
    return true;
  }
  return ProgramWindow::eventFilter(watched, event);
}

}  // namespace torvane
