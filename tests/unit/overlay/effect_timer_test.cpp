#include "overlay/effect_timer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace torvane {
namespace {

// How many ticks arrived, and when the first one came.
struct TickLog {
  int count = 0;
  qint64 firstAt = -1;
};

TEST(EffectTimer, WritingTheCurrentPeriodKeepsThePhaseAndTicksNeverPileUp) {
  int argc = 1;
  char name[] = "effect_timer_test";
  char* argv[] = {name, nullptr};
  QCoreApplication app(argc, argv);
  QElapsedTimer clock;
  TickLog log;
  EffectTimer timer([&] {
    if (log.count++ == 0) log.firstAt = clock.elapsed();
  });

  // A restart at 200 ms would put the first tick at 500 ms; kept, the phase gives it at 300 ms.
  clock.start();
  timer.setPeriod(300);
  QThread::msleep(200);
  timer.setPeriod(300);
  while (log.count == 0 && clock.elapsed() < 2000) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
  }
  ASSERT_EQ(log.count, 1);
  EXPECT_GE(log.firstAt, 295);
  EXPECT_LT(log.firstAt, 450);

  // A busy handler: the ticks that fell due meanwhile come as one.
  QThread::msleep(1000);
  const int before = log.count;
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  EXPECT_EQ(log.count - before, 1);

  timer.setPeriod(-5);
  EXPECT_EQ(timer.period(), 0);
  const int stopped = log.count;
  QThread::msleep(400);
  QCoreApplication::processEvents();
  EXPECT_EQ(log.count, stopped);
}

}  // namespace
}  // namespace torvane
