#pragma once

#include <QTimer>

#include "app/program_window.h"
#include "overlay/colour.h"

class QLabel;
class QPlainTextEdit;

namespace torvane {

// The promotion window: fetches the promotion page when it is created, then shows its two lines
// in turn in changing colours; pressing the penguin opens the chat link.
class PromoWindow : public ProgramWindow {
 public:
  PromoWindow();

  void created() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void tick();
  void setTextColour(Colour colour);

  QLabel* picture_;
  QPlainTextEdit* editBox_;
  QTimer timer_;
  Colour textColour_ = 0;
};

}  // namespace torvane
