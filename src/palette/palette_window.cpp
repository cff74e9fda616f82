#include "palette/palette_window.h"

#include <QApplication>
#include <QCursor>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTabBar>

#include "app/app_state.h"
#include "app/open_window.h"
#include "app/program_end.h"
#include "assets/assets.h"
#include "overlay/overlay_window.h"
#include "palette/image_toolbar.h"
#include "palette/tab_pane.h"
#include "palette/toolbar_commands.h"
#include "platform/atomic_file.h"
#include "platform/screen.h"

namespace torvane {

namespace {

constexpr int kWidth = 342;
constexpr int kHeight = 103;
constexpr int kBorder = 3;
constexpr int kCaptionHeight = 22;
constexpr QPoint kClientOrigin{kBorder, kBorder + kCaptionHeight};
constexpr QRect kTabControlGeometry{0, 0, 336, 72};
constexpr QRect kWideToolbarGeometry{8, 24, 320, 40};
constexpr QRect kOtherToolbarGeometry{8, 24, 128, 40};
constexpr QRect kPromotionButtonGeometry{200, 32, 88, 32};
constexpr int kDockingPeriodMs = 100;
constexpr int kDockMargin = 5;

const QString kCaption = QStringLiteral("Torvanev3.0 联系我们: torvane@example.com");

OverlayWindow* overlay() { return static_cast<OverlayWindow*>(findWindow(WindowId::Overlay)); }

int showMessage(const QString& text, int flags, const QString& title) {
  QMessageBox box(flags == 16 ? QMessageBox::Critical : QMessageBox::NoIcon, title, text);
  if (flags == 1) {
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
  } else {
    box.setStandardButtons(QMessageBox::Ok);
  }
  box.setWindowModality(Qt::ApplicationModal);
  return box.exec() == QMessageBox::Ok ? 0 : 1;
}

}  // namespace

PaletteWindow::PaletteWindow()
    : tabControl_(new TabPane(this, 0)),
      tabs_(new QTabBar(tabControl_)),
      promotionButton_(new QPushButton(QStringLiteral("一起学编程"), tabControl_)) {
  // Override-redirect: the window manager neither frames, clamps nor lists it; it stays on top
  // and reaches the hidden docking positions exactly.
  setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                 Qt::X11BypassWindowManagerHint);
  setFixedSize(kWidth, kHeight);

  tabControl_->setGeometry(kTabControlGeometry.translated(kClientOrigin));
  tabs_->addTab(QStringLiteral("涂鸦工具"));
  tabs_->addTab(QStringLiteral("破坏工具"));
  tabs_->addTab(QStringLiteral("其它"));
  tabs_->setGeometry(0, 0, kTabControlGeometry.width(), tabs_->sizeHint().height());
  tabs_->setDrawBase(false);
  tabs_->setExpanding(false);
  tabControl_->setTabRowHeight(tabs_->height());

  auto* graffiti = new ImageToolbar(tabControl_,
                                    {{&kToolbarPencil, QStringLiteral("铅笔")},
                                     {&kToolbarBrush, QStringLiteral("刷子")},
                                     {&kToolbarPaintCan, QStringLiteral("油漆桶")},
                                     {&kToolbarHighlighter, QStringLiteral("荧光笔")},
                                     {&kToolbarTextPen, QStringLiteral("文字钢笔")},
                                     {&kToolbarStamp, QStringLiteral("印章")}},
                                    [this](int i) { graffitiCommand(i); });
  auto* wreck = new ImageToolbar(tabControl_,
                                 {{&kToolbarAk47, QStringLiteral("AK47")},
                                  {&kToolbarFlame, QStringLiteral("火焰")},
                                  {&kToolbarLaser, QStringLiteral("激光")}},
                                 [this](int i) { wreckCommand(i); });
  auto* other = new ImageToolbar(tabControl_,
                                 {{&kToolbarBucket, QStringLiteral("水桶")},
                                  {nullptr, QString()},
                                  {&kToolbarCamera, QStringLiteral("照相机")},
                                  {&kToolbarExit, QStringLiteral("退出")}},
                                 [this](int i) { otherCommand(i); });
  graffiti->setGeometry(kWideToolbarGeometry);
  wreck->setGeometry(kWideToolbarGeometry);
  other->setGeometry(kOtherToolbarGeometry);
  promotionButton_->setGeometry(kPromotionButtonGeometry);
  QObject::connect(promotionButton_, &QPushButton::clicked, this, [this] { promotionCommand(); });

  pages_ = {{graffiti}, {wreck}, {other, promotionButton_}};
  QObject::connect(tabs_, &QTabBar::currentChanged, this, [this](int page) { showPage(page); });
  showPage(0);

  dockingTimer_.setInterval(kDockingPeriodMs);
  QObject::connect(&dockingTimer_, &QTimer::timeout, this, [this] { dockingTick(); });
}

void PaletteWindow::created() {
  appState().dockMargin = kDockMargin;
  dockingTimer_.start();
  const ScreenSize screen = primaryScreenSize();
  left_ = (screen.width - kWidth) / 2;
  top_ = (screen.height - kHeight) / 2;
  move(left_, top_);
  // The position-changed event also comes once when the palette opens.
  positionChanged();
}

void PaletteWindow::showPage(int page) {
  for (int i = 0; i < static_cast<int>(pages_.size()); ++i) {
    for (QWidget* control : pages_[i]) control->setVisible(i == page);
  }
}

PaletteGeometry PaletteWindow::geometryNow() const { return {left_, top_, kWidth, kHeight}; }

void PaletteWindow::writeLeft(int left) { moveTo(left, top_); }
void PaletteWindow::writeTop(int top) { moveTo(left_, top); }

void PaletteWindow::moveTo(int left, int top) {
  if (left == left_ && top == top_) return;
  left_ = left;
  top_ = top;
  move(left_, top_);
  positionChanged();
}

void PaletteWindow::positionChanged() {
  const ScreenSize screen = primaryScreenSize();
  const auto write = snapRule(geometryNow(), screen.width, screen.height, appState().dockMargin);
  applyWrite(write);
}

void PaletteWindow::applyWrite(const std::optional<CoordinateWrite>& write) {
  if (!write) return;
  if (write->axis == CoordinateWrite::Left) {
    writeLeft(write->value);
  } else {
    writeTop(write->value);
  }
}

void PaletteWindow::dockingTick() {
  const ScreenSize screen = primaryScreenSize();
  const auto write = slideRule(geometryNow(), screen.width, screen.height, appState().dockMargin,
                               pointerOverPalette());
  applyWrite(write);
}

bool PaletteWindow::pointerOverPalette() const {
  for (const QWidget* w = QApplication::widgetAt(QCursor::pos()); w; w = w->parentWidget()) {
    if (w == promotionButton_) return false;
    if (w == this) return true;
  }
  return false;
}

void PaletteWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& colours = palette();
  painter.fillRect(rect(), colours.color(QPalette::Window));
  // A raised dialog frame and a caption bar with the caption text.
  painter.setPen(colours.color(QPalette::Light));
  painter.drawLine(0, 0, kWidth - 1, 0);
  painter.drawLine(0, 0, 0, kHeight - 1);
  painter.setPen(colours.color(QPalette::Shadow));
  painter.drawLine(kWidth - 1, 0, kWidth - 1, kHeight - 1);
  painter.drawLine(0, kHeight - 1, kWidth - 1, kHeight - 1);
  const QRect caption(kBorder, kBorder, kWidth - 2 * kBorder, kCaptionHeight - 1);
  QLinearGradient gradient(caption.topLeft(), caption.topRight());
  gradient.setColorAt(0, QColor(10, 36, 106));
  gradient.setColorAt(1, QColor(166, 202, 240));
  painter.fillRect(caption, gradient);
  QFont font = painter.font();
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(caption.adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft, kCaption);
}

// The window moves itself: a press on the caption or on any free point of the client area drags
// it, as the window manager does not manage it.
void PaletteWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  dragging_ = true;
  dragOffset_ = event->globalPosition().toPoint() - QPoint(left_, top_);
}

void PaletteWindow::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return;
  const QPoint p = event->globalPosition().toPoint() - dragOffset_;
  moveTo(p.x(), p.y());
}

void PaletteWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) dragging_ = false;
}

void PaletteWindow::graffitiCommand(int index) {
  if (const auto tool = graffitiTool(index)) appState().currentTool = *tool;
  overlay()->applyTool();
}

void PaletteWindow::wreckCommand(int index) {
  if (const auto tool = wreckTool(index)) appState().currentTool = *tool;
  overlay()->applyTool();
}

void PaletteWindow::otherCommand(int index) {
  const OtherCommand command = torvane::otherCommand(index);
  if (command == OtherCommand::Bucket) {
    appState().currentTool = 0;
    overlay()->applyTool();
  }
  if (command == OtherCommand::Save) {
    CommonDialog& dialog = overlay()->commonDialog();
    if (!dialog.showSave(QStringLiteral("保存文件"), QStringLiteral("bmp(*.bmp)|*.bmp"),
                         QStringLiteral("bmp"))) {
      return;
    }
    const Bytes bytes = overlay()->canvas().exportImage();
    const bool ok = writeFile(dialog.fileName().toStdString(), bytes);
    const SaveMessage message = saveResultMessage(ok, dialog.fileName().toStdString());
    showMessage(QString::fromStdString(message.text), message.flags,
                QString::fromStdString(message.title));
  }
  if (command == OtherCommand::Exit) {
    if (showMessage(QString::fromUtf8(kExitQuestion), kExitFlags, QString::fromUtf8(kExitTitle)) ==
        0) {
      endProgram(0);
    }
  }
}

void PaletteWindow::promotionCommand() { openWindow(WindowId::Promo, nullptr, true); }

}  // namespace torvane
