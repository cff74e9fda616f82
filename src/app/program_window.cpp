#include "app/program_window.h"

#include <QCloseEvent>

namespace torvane {

void ProgramWindow::closeEvent(QCloseEvent* event) {
  for (const QPointer<ProgramWindow>& owned : owned_) {
    if (owned) owned->close();
  }
  event->accept();
}

}  // namespace torvane
