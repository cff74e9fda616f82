#pragma once

#include <QTimer>
#include <functional>

namespace torvane {

// The effect timer 时钟1, driven by its period: writing a period above 0 (re)starts it with the
// first tick one full period later, writing the current period changes nothing (not even the
// phase), 0 or less stops it. Ticks that fall due while the event loop is busy merge into one.
class EffectTimer {
 public:
  explicit EffectTimer(std::function<void()> tick);

  int period() const { return period_; }
  void setPeriod(int milliseconds);

 private:
  QTimer timer_;
  int period_ = 0;
};

}  // namespace torvane
