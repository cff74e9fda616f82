#pragma once

#include <string>
#include <vector>

#include "app/bytes.h"

namespace torvane::assetgen {

struct SoundArt {
  std::string file;
  Bytes wav;
};

// Synthesises the five sounds (fixed seeds, so every run gives the same bytes).
std::vector<SoundArt> makeSounds();

// The fire noise before encoding: exactly one period of a signal that repeats every
// `samples.size()` samples, so the looping sound has no seam.
std::vector<double> fireLoop();

}  // namespace torvane::assetgen
