#include "promo/promo_rotation.h"

#include "promo/gbk_text.h"

namespace torvane {

namespace {

struct ColourStep {
  Colour from;
  Colour to;
};

constexpr ColourStep kColourCycle[] = {
    {kPromoRed, kPromoViolet},
    {kPromoViolet, kPromoBlue},
    {kPromoBlue, kPromoRed},
};

}  // namespace

Colour nextPromoColour(Colour current) {
  for (const ColourStep& step : kColourCycle) {
    if (current == step.from) return step.to;
  }
  return current;
}

std::string nextPromoLine(std::string_view current, std::string_view adText1,
                          std::string_view adText2) {
  return std::string(textEquals(current, adText1) ? adText2 : adText1);
}

}  // namespace torvane
