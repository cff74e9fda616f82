#pragma once

#include <string>
#include <string_view>

#include "overlay/colour.h"

namespace torvane {

inline constexpr int kPromoTickMs = 2000;

inline constexpr Colour kPromoRed = 255;
inline constexpr Colour kPromoViolet = 0xFF0090;
inline constexpr Colour kPromoBlue = 0xFF0000;

// The edit box's next text colour: red, violet, blue, red again. Any other colour stays.
Colour nextPromoColour(Colour current);

// The edit box's next text: adText2 while it shows adText1, otherwise adText1 (also after the
// user has typed into it).
std::string nextPromoLine(std::string_view current, std::string_view adText1,
                          std::string_view adText2);

}  // namespace torvane
