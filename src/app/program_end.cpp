#include "app/program_end.h"

#include <cstdio>
#include <cstdlib>

#include "overlay/sound.h"

namespace torvane {

namespace {

CleanupRoutine registeredRoutine = nullptr;
bool cleanupDone = false;

}  // namespace

void registerCleanup(CleanupRoutine routine) { registeredRoutine = routine; }

void runCleanup() {
  if (cleanupDone) return;
  cleanupDone = true;
  if (registeredRoutine) registeredRoutine();
}

void endProgram(int exitCode) {
  runCleanup();
  shutdownSound();
  std::fflush(nullptr);
  std::_Exit(exitCode);
}

}  // namespace torvane
