#pragma once

#include <cstdint>
#include <string>

namespace torvane {

// The seven-field font record the text tool hands to the canvas. `name` is GBK; empty means absent.
struct FontSpec {
  std::int32_t angle = 0;  // tenths of a degree, counter-clockwise
  std::int32_t bold = 0;
  std::int32_t italic = 0;
  std::int32_t strikeout = 0;
  std::int32_t underline = 0;
  std::int32_t size = 0;  // points; negative counts as 0, 0 is the face's default
  std::string name;
};

}  // namespace torvane
