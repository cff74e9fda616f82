#pragma once

#include <vector>

namespace torvane {

// Pixels [left, right) of row y.
struct Span {
  int y = 0;
  int left = 0;
  int right = 0;
};

// The one-pixel line from (x1, y1) towards (x2, y2), start included and end excluded, clipped to
// [0, clipWidth) x [0, clipHeight). Horizontal runs come out as one span each.
void appendThinLineSpans(int x1, int y1, int x2, int y2, int clipWidth, int clipHeight,
                         std::vector<Span>& spans);

// Every pixel whose integer coordinates lie within width / 2 of the segment (a capsule with round
// caps; equal end points give a disc), clipped as above; at most one span per row.
void appendWideLineSpans(int x1, int y1, int x2, int y2, int width, int clipWidth, int clipHeight,
                         std::vector<Span>& spans);

}  // namespace torvane
