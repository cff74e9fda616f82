#include "overlay/random.h"

#include <chrono>
#include <cstdint>
#include <random>

namespace torvane {

namespace {

std::mt19937& generator() {
  static std::mt19937 engine;
  return engine;
}

}  // namespace

void reseedRandom() {
  static std::uint32_t counter = 0;
  const auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(
                          std::chrono::steady_clock::now().time_since_epoch())
                          .count();
  std::seed_seq seed{static_cast<std::uint32_t>(millis), ++counter};
  generator().seed(seed);
}

int randomInt(int min, int max) { return std::uniform_int_distribution<int>(min, max)(generator()); }

}  // namespace torvane
