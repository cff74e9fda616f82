#include "overlay/line_raster.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

namespace torvane {
namespace {

using i64 = std::int64_t;
using i128 = __int128;

constexpr i64 kNone = std::numeric_limits<i64>::max();

i64 floorDiv(i64 a, i64 b) {
  i64 q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

// floor and ceiling of n / d (d > 0) for a numerator that grows by a fixed step every row, kept up
// by additions instead of a division per row.
class SteppedQuotient {
 public:
  SteppedQuotient(i64 numerator, i64 step, i64 denominator)
      : denominator_(denominator),
        quotient_(floorDiv(numerator, denominator)),
        remainder_(numerator - quotient_ * denominator),
        stepQuotient_(floorDiv(step, denominator)),
        stepRemainder_(step - stepQuotient_ * denominator) {}

  i64 floor() const { return quotient_; }
  i64 ceil() const { return quotient_ + (remainder_ != 0); }

  // Without a branch: the carry follows the slope and would be mispredicted half the time.
  void advance() {
    remainder_ += stepRemainder_;
    const i64 carry = remainder_ >= denominator_;
    quotient_ += stepQuotient_ + carry;
    remainder_ -= carry * denominator_;
  }

 private:
  i64 denominator_;
  i64 quotient_;
  i64 remainder_;
  i64 stepQuotient_;
  i64 stepRemainder_;
};

// Largest k >= 0 with 4k^2 <= x.
i64 halfSqrtFloor(i128 x) {
  i64 k = static_cast<i64>(std::sqrt(static_cast<long double>(x)) / 2);
  while (k > 0 && i128{4} * k * k > x) --k;
  while (i128{4} * (k + 1) * (k + 1) <= x) ++k;
  return k;
}

// Half the width of a disc of diameter `width` on the row v away from its centre: the largest k
// with 4 (k^2 + v^2) <= width^2, for v = 0 to width / 2. Worked out once per line rather than with
// a square root per row.
std::vector<i64> discHalfWidths(i64 width) {
  const i64 width2 = width * width;
  std::vector<i64> halfWidths(width / 2 + 1);
  i64 k = width / 2;
  for (i64 v = 0; v <= width / 2; ++v) {
    while (4 * (k * k + v * v) > width2) --k;
    halfWidths[v] = k;
  }
  return halfWidths;
}

// One pixel per step of the major axis; the minor coordinate is start + round(i * minor / major),
// halves rounded onwards. Only the steps whose major coordinate is inside the clip are walked.
void walkThinLine(i64 major1, i64 minor1, i64 majorDelta, i64 minorDelta, i64 majorLimit,
                  i64 minorLimit, bool xMajor, std::vector<Span>& spans) {
  const i64 majorStep = majorDelta < 0 ? -1 : 1;
  const i64 minorStep = minorDelta < 0 ? -1 : 1;
  const i64 amaj = majorDelta * majorStep;
  const i64 amin = minorDelta * minorStep;

  i64 first = majorStep > 0 ? -major1 : major1 - majorLimit + 1;
  i64 last = majorStep > 0 ? majorLimit - 1 - major1 : major1;
  first = std::max<i64>(first, 0);
  last = std::min<i64>(last, amaj - 1);
  if (first > last) return;

  const i64 period = 2 * amaj;
  const i128 start = i128{2} * first * amin + amaj;
  i64 quotient = static_cast<i64>(start / period);
  i64 remainder = static_cast<i64>(start % period);
  bool open = false;
  for (i64 i = first; i <= last; ++i) {
    const i64 major = major1 + majorStep * i;
    const i64 minor = minor1 + minorStep * quotient;
    if (minor >= 0 && minor < minorLimit) {
      const int x = static_cast<int>(xMajor ? major : minor);
      const int y = static_cast<int>(xMajor ? minor : major);
      Span* run = open ? &spans.back() : nullptr;
      if (run && run->y == y && run->right == x) {
        run->right = x + 1;
      } else if (run && run->y == y && run->left == x + 1) {
        run->left = x;
      } else {
        spans.push_back({y, x, x + 1});
        open = true;
      }
    }
    remainder += 2 * amin;
    if (remainder >= period) {
      remainder -= period;
      ++quotient;
    }
  }
}

// Far-away end points are first cut to a box much larger than any canvas, so the exact integer
// tests below cannot overflow; only absurd coordinates are affected by the rounding.
constexpr double kCoordinateBox = 1 << 24;

bool clipToBox(i64& x1, i64& y1, i64& x2, i64& y2) {
  const double box = kCoordinateBox;
  if (std::max({std::abs(x1), std::abs(y1), std::abs(x2), std::abs(y2)}) <= box) return true;
  const double dx = static_cast<double>(x2 - x1);
  const double dy = static_cast<double>(y2 - y1);
  double t0 = 0.0;
  double t1 = 1.0;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x1 + box, box - x1, y1 + box, box - y1};
  for (int k = 0; k < 4; ++k) {
    if (p[k] == 0.0) {
      if (q[k] < 0.0) return false;
      continue;
    }
    const double t = q[k] / p[k];
    if (p[k] < 0.0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
  }
  if (t0 > t1) return false;
  const double ox = static_cast<double>(x1);
  const double oy = static_cast<double>(y1);
  x1 = std::llround(ox + t0 * dx);
  y1 = std::llround(oy + t0 * dy);
  x2 = std::llround(ox + t1 * dx);
  y2 = std::llround(oy + t1 * dy);
  return true;
}

struct Interval {
  i64 low = kNone;
  i64 high = -kNone;

  void add(i64 lo, i64 hi) {
    if (lo > hi) return;
    low = std::min(low, lo);
    high = std::max(high, hi);
  }
};

}  // namespace

void appendThinLineSpans(int x1, int y1, int x2, int y2, int clipWidth, int clipHeight,
                         std::vector<Span>& spans) {
  const i64 dx = i64{x2} - x1;
  const i64 dy = i64{y2} - y1;
  if (std::abs(dx) >= std::abs(dy)) {
    if (dx != 0) walkThinLine(x1, y1, dx, dy, clipWidth, clipHeight, true, spans);
  } else {
    walkThinLine(y1, x1, dy, dx, clipHeight, clipWidth, false, spans);
  }
}

void appendWideLineSpans(int x1, int y1, int x2, int y2, int width, int clipWidth, int clipHeight,
                         std::vector<Span>& spans) {
  i64 ax = x1, ay = y1, bx = x2, by = y2;
  if (!clipToBox(ax, ay, bx, by)) return;
  if (ay > by) {
    std::swap(ax, bx);
    std::swap(ay, by);
  }
  // A point P is covered when 4 * dist(P, segment)^2 <= width^2; everything below is exact integer
  // arithmetic on that test, solved per row for the first and last x.
  const i64 w2 = i64{width} * width;
  const i64 dx = bx - ax;
  const i64 dy = by - ay;
  const i64 length2 = dx * dx + dy * dy;
  // |cross(P - A, B - A)| <= band is the strip of the segment's straight part.
  const i64 band = halfSqrtFloor(static_cast<i128>(w2) * length2);
  const i64 reach = width / 2;

  const i64 top = std::max<i64>(ay - reach, 0);
  const i64 bottom = std::min<i64>(by + reach, i64{clipHeight} - 1);
  const i64 firstV = top - ay;  // rows relative to A; u below is x relative to A
  // Across the strip: u * dy within v * dx +- band.
  SteppedQuotient acrossLow(firstV * dx - band, dx, std::max<i64>(dy, 1));
  SteppedQuotient acrossHigh(firstV * dx + band, dx, std::max<i64>(dy, 1));
  // Along the segment: 0 <= u * dx + v * dy <= length^2, divided by |dx|.
  const i64 sign = dx < 0 ? -1 : 1;
  const i64 alongStart = -sign * firstV * dy - (dx < 0 ? length2 : 0);
  SteppedQuotient alongLow(alongStart, -sign * dy, std::max<i64>(dx * sign, 1));
  SteppedQuotient alongHigh(alongStart + length2, -sign * dy, std::max<i64>(dx * sign, 1));

  const std::vector<i64> caps = discHalfWidths(width);
  for (i64 y = top; y <= bottom; ++y) {
    Interval row;
    if (const i64 v = std::abs(y - ay); v <= reach) row.add(ax - caps[v], ax + caps[v]);
    if (const i64 v = std::abs(y - by); v <= reach) row.add(bx - caps[v], bx + caps[v]);
    if (length2 > 0) {
      const i64 v = y - ay;
      i64 lo = -kNone, hi = kNone;
      if (dy > 0) {
        lo = acrossLow.ceil();
        hi = acrossHigh.floor();
      } else if (std::abs(v * dx) > band) {
        lo = 1, hi = 0;
      }
      if (dx != 0) {
        lo = std::max(lo, alongLow.ceil());
        hi = std::min(hi, alongHigh.floor());
      } else if (v * dy < 0 || v * dy > length2) {
        lo = 1, hi = 0;
      }
      if (lo <= hi) row.add(ax + lo, ax + hi);
    }
    acrossLow.advance();
    acrossHigh.advance();
    alongLow.advance();
    alongHigh.advance();
    const i64 left = std::max<i64>(row.low, 0);
    const i64 right = std::min<i64>(row.high, i64{clipWidth} - 1);
    if (left <= right) {
      spans.push_back({static_cast<int>(y), static_cast<int>(left), static_cast<int>(right) + 1});
    }
  }
}

}  // namespace torvane
