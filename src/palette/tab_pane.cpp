#include "palette/tab_pane.h"

#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>

namespace torvane {

void TabPane::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionTabWidgetFrame frame;
  frame.initFrom(this);
  frame.rect = rect().adjusted(0, tabRowHeight_ - 1, 0, 0);
  frame.shape = QTabBar::RoundedNorth;
  painter.drawPrimitive(QStyle::PE_FrameTabWidget, frame);
}

}  // namespace torvane
