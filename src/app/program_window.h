#pragma once

#include <QPointer>
#include <QWidget>
#include <vector>

namespace torvane {

// A top-level window of the program. openWindow runs `created` (the window's creation handler)
// after the window and its controls exist and before it is first shown. Windows it owns close
// with it.
class ProgramWindow : public QWidget {
 public:
  using QWidget::QWidget;
  virtual void created() {}
  void addOwnedWindow(ProgramWindow* owned) { owned_.emplace_back(owned); }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  std::vector<QPointer<ProgramWindow>> owned_;
};

}  // namespace torvane
