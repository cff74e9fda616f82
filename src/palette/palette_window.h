#pragma once

#include <QTimer>

#include "app/program_window.h"
#include "palette/docking_rules.h"

class QPushButton;
class QTabBar;

namespace torvane {

class TabPane;

// The floating tool palette: three tabbed toolbars, the promotion button, and edge docking.
// It draws its own caption bar and moves itself, so its outer frame is exactly its geometry
// whatever window manager runs, and it can slide to positions a manager would refuse.
class PaletteWindow : public ProgramWindow {
 public:
  PaletteWindow();

  void created() override;

  // Geometry of the outer frame, caption included.
  PaletteGeometry geometryNow() const;
  // Writes `left` or `top`; a change raises the position-changed event at once.
  void writeLeft(int left);
  void writeTop(int top);
  bool pointerOverPalette() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void moveTo(int left, int top);
  void positionChanged();
  void applyWrite(const std::optional<CoordinateWrite>& write);
  void dockingTick();
  void showPage(int page);
  void graffitiCommand(int index);
  void wreckCommand(int index);
  void otherCommand(int index);
  void promotionCommand();

  int left_ = 0;
  int top_ = 0;
  QPoint dragOffset_;
  bool dragging_ = false;
  TabPane* tabControl_;
  QTabBar* tabs_;
  std::vector<std::vector<QWidget*>> pages_;
  QPushButton* promotionButton_;
  QTimer dockingTimer_;
};

}  // namespace torvane
