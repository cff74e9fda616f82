#pragma once

#include <cstdint>

namespace torvane {

// How a pen pixel P combines with the pixel D under it, bitwise on the 24 colour bits.
enum class MixMode : int {
  kBlack = 0,
  kNotMergePen = 1,
  kMaskNotPen = 2,
  kNotCopyPen = 3,
  kMaskPenNot = 4,
  kNot = 5,
  kXorPen = 6,
  kNotMaskPen = 7,
  kMaskPen = 8,
  kNotXorPen = 9,
  kNop = 10,
  kMergeNotPen = 11,
  kCopyPen = 12,
  kMergePenNot = 13,
  kMergePen = 14,
  kWhite = 15,
};

MixMode clampMixMode(int mode);

// The mode's result for one pixel; pixels are 0xFFRRGGBB and the result keeps alpha 0xFF.
std::uint32_t mixPixel(MixMode mode, std::uint32_t pen, std::uint32_t under);

// Every mode is, for a fixed pen, new = (under AND keep) XOR flip on each bit; working that out
// once per call lets one loop serve all sixteen modes.
struct SpanMix {
  std::uint32_t keep = 0;
  std::uint32_t flip = 0;
};

SpanMix spanMixFor(MixMode mode, std::uint32_t pen);
void mixSpan(const SpanMix& mix, std::uint32_t* pixels, int count);

}  // namespace torvane
