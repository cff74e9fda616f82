#pragma once

#include <QWidget>

namespace torvane {

// The tab control's body: the pages' controls are its children, and it draws the page frame
// below the tab row, as a tab control does.
class TabPane : public QWidget {
 public:
  TabPane(QWidget* parent, int tabRowHeight) : QWidget(parent), tabRowHeight_(tabRowHeight) {}
  void setTabRowHeight(int height) { tabRowHeight_ = height; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int tabRowHeight_;
};

}  // namespace torvane
