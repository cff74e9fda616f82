#include "overlay/mix_mode.h"

#include <algorithm>
#include <array>

#include "overlay/cpu_clones.h"

namespace torvane {
namespace {

constexpr std::uint32_t kAlpha = 0xFF000000u;
constexpr std::uint32_t kColourBits = 0x00FFFFFFu;

using MixRule = std::uint32_t (*)(std::uint32_t p, std::uint32_t d);

// Indexed by MixMode; each row is the new pixel for pen P over pixel D.
constexpr std::array<MixRule, 16> kMixRules = {
    [](std::uint32_t, std::uint32_t) { return 0u; },
    [](std::uint32_t p, std::uint32_t d) { return ~(p | d); },
    [](std::uint32_t p, std::uint32_t d) { return ~p & d; },
    [](std::uint32_t p, std::uint32_t) { return ~p; },
    [](std::uint32_t p, std::uint32_t d) { return p & ~d; },
    [](std::uint32_t, std::uint32_t d) { return ~d; },
    [](std::uint32_t p, std::uint32_t d) { return p ^ d; },
    [](std::uint32_t p, std::uint32_t d) { return ~(p & d); },
    [](std::uint32_t p, std::uint32_t d) { return p & d; },
    [](std::uint32_t p, std::uint32_t d) { return ~(p ^ d); },
    [](std::uint32_t, std::uint32_t d) { return d; },
    [](std::uint32_t p, std::uint32_t d) { return ~p | d; },
    [](std::uint32_t p, std::uint32_t) { return p; },
    [](std::uint32_t p, std::uint32_t d) { return p | ~d; },
    [](std::uint32_t p, std::uint32_t d) { return p | d; },
    [](std::uint32_t, std::uint32_t) { return ~0u; },
};

}  // namespace

MixMode clampMixMode(int mode) { return static_cast<MixMode>(std::clamp(mode, 0, 15)); }

std::uint32_t mixPixel(MixMode mode, std::uint32_t pen, std::uint32_t under) {
  return kAlpha | (kMixRules[static_cast<int>(mode)](pen, under) & kColourBits);
}

SpanMix spanMixFor(MixMode mode, std::uint32_t pen) {
  // A bitwise rule is fixed by its results for D = all zeros and D = all ones.
  const MixRule rule = kMixRules[static_cast<int>(mode)];
  const std::uint32_t overZeros = rule(pen, 0u);
  const std::uint32_t overOnes = rule(pen, ~0u);
  return {(overZeros ^ overOnes) & kColourBits, kAlpha | (overZeros & kColourBits)};
}

// Eight pixels per instruction with AVX2 instead of four.
TORVANE_CPU_CLONES("avx2") void mixSpan(const SpanMix& mix, std::uint32_t* pixels, int count) {
  if (mix.keep == 0) {
    std::fill_n(pixels, count, mix.flip);
    return;
  }
  const std::uint32_t keep = mix.keep;
  const std::uint32_t flip = mix.flip;
  for (int i = 0; i < count; ++i) pixels[i] = (pixels[i] & keep) ^ flip;
}

}  // namespace torvane
