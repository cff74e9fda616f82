#include "overlay/effect_timer.h"

#include <algorithm>

namespace torvane {

EffectTimer::EffectTimer(std::function<void()> tick) {
  timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer_, &QTimer::timeout, std::move(tick));
}

void EffectTimer::setPeriod(int milliseconds) {
  milliseconds = std::max(0, milliseconds);
  if (milliseconds == period_) return;
  period_ = milliseconds;
  if (period_ == 0) {
    timer_.stop();
  } else {
    timer_.start(period_);
  }
}

}  // namespace torvane
